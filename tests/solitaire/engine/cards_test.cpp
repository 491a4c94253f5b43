#include "solitaire/engine/cards.h"

#include "engine_fixture.h"

namespace solitaire {
namespace {

TEST(CardCodes, SuitAndRankOfBothDecks) {
    struct Case {
        int code, suit, rank;
    };
    const Case cases[] = {{1, 0, 1},    {13, 0, 13}, {14, 1, 1},   {26, 1, 13},  {27, 2, 1},
                          {39, 2, 13},  {40, 3, 1},  {52, 3, 13},  {53, 0, 1},   {66, 1, 1},
                          {104, 3, 13}, {0, -1, -1}, {-5, -1, -1}, {105, -1, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CardSuit(c.code), c.suit) << c.code;
        EXPECT_EQ(CardRank(c.code), c.rank) << c.code;
    }
}

TEST(CardCodes, RedAndFaceCards) {
    for (int code = 1; code <= 104; ++code) {
        const int suit = CardSuit(code);
        EXPECT_EQ(IsRedCard(code), suit == 0 || suit == 1) << code;
        EXPECT_EQ(IsFaceCard(code), CardRank(code) >= 11) << code;
    }
    EXPECT_FALSE(IsRedCard(79));
    EXPECT_FALSE(IsFaceCard(0));
    EXPECT_FALSE(IsFaceCard(115));
}

TEST(CardCodes, RanksWrapAround) {
    EXPECT_EQ(PrevRank(1), 13);
    EXPECT_EQ(PrevRank(7), 6);
    EXPECT_EQ(NextRank(13), 1);
    EXPECT_EQ(NextRank(7), 8);
}

TEST(CodeLists, RanksAllDistinct) {
    EXPECT_TRUE(RanksAllDistinct(""));
    EXPECT_TRUE(RanksAllDistinct("001002016")); // A, 2, 3
    EXPECT_FALSE(RanksAllDistinct("001014"));   // two aces
    EXPECT_FALSE(RanksAllDistinct("013065"));   // two kings of different decks
    EXPECT_TRUE(RanksAllDistinct("000000005")); // empty slots are ignored
    EXPECT_TRUE(RanksAllDistinct("00501"));     // an incomplete code is not read
}

TEST(CodeLists, CodeListContains) {
    EXPECT_TRUE(CodeListContains("14", "001014027"));
    EXPECT_TRUE(CodeListContains("027", "001014027"));
    EXPECT_FALSE(CodeListContains("2", "001014027"));
    EXPECT_FALSE(CodeListContains("x", "001014027"));
    EXPECT_FALSE(CodeListContains("1", ""));
    // The read goes on while the position is below the length: a 2-character tail counts.
    EXPECT_TRUE(CodeListContains("1", "00501"));
    EXPECT_FALSE(CodeListContains("0", "0051"));
}

TEST(HistoryStrings, LastAndDropLastItem) {
    std::string list = "001002,003,";
    EXPECT_EQ(LastListItem(list), "003");
    DropLastListItem(list);
    EXPECT_EQ(list, "001002,");
    EXPECT_EQ(LastListItem(list), "001002");
    DropLastListItem(list);
    EXPECT_EQ(list, "");
    DropLastListItem(list);
    EXPECT_EQ(list, "");
    EXPECT_EQ(LastListItem("001,002"), "002");
    EXPECT_EQ(LastListItem("004"), "004");
}

TEST(HistoryStrings, DropPreviousItemKeepsTheLast) {
    std::string list = "001,002003,004,";
    DropPreviousListItem(list);
    EXPECT_EQ(list, "001,004,");
    DropPreviousListItem(list);
    EXPECT_EQ(list, "004,");
    DropPreviousListItem(list);
    EXPECT_EQ(list, "004,");
    std::string empty;
    DropPreviousListItem(empty);
    EXPECT_EQ(empty, "");
}

TEST(HistoryStrings, CountCodeInClosedItemsOnly) {
    EXPECT_EQ(CountCodeInList("001002,001,003001", 1), 2);
    EXPECT_EQ(CountCodeInList("001002,001,003001,", 1), 3);
    EXPECT_EQ(CountCodeInList("", 1), 0);
    EXPECT_EQ(CountCodeInList("0010,", 1), 1);
}

class MovedCardsLogTest : public testing::EngineFixture {};

TEST_F(MovedCardsLogTest, ReplaceLastLogItem) {
    sharedObjects.MovedCardsLog = "012013,045,";
    fnReplaceLastLogItem(2);
    EXPECT_EQ(sharedObjects.MovedCardsLog, "012013,002,");
    sharedObjects.MovedCardsLog.clear();
    fnReplaceLastLogItem(7);
    EXPECT_EQ(sharedObjects.MovedCardsLog, "007,");
    EXPECT_EQ(sharedObjects.RedoMovedCardsLog, "");
}

} // namespace
} // namespace solitaire
