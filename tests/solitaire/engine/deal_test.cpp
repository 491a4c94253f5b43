// The game number and the deal: the deal order worked out by hand for one number, golden
// tables of the fixture games, and the invariant that no card is dealt twice over many
// numbers, for the fixtures and for definitions using each start code and deal adjustment.

#include "solitaire/engine/deal.h"

#include "engine_fixture.h"
#include "recording_presentation.h"

#include "platform/app/messagebox.h"
#include "platform/app/random.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/settings.h"
#include "tools/gamescompiler/catalogue.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace solitaire {
namespace {

void setWord(int number, int value) {
    gameDefinition.at(static_cast<std::size_t>(number)) = static_cast<std::int16_t>(value);
}
int word(int number) {
    return gameDefinition.at(static_cast<std::size_t>(number));
}
void setGameNumber(const std::string& number) {
    fnWriteSettingsField(153, 15, number);
}

GameDefinition fixture(const std::string& file) {
    const char* source = std::getenv("ZV_SOURCE_DIR");
    return gamescompiler::readGameSource(std::string(source ? source : ".") +
                                         "/solitaire/data/games/" + file)
        .definition;
}

// Every pile line of the table, stock group first.
std::vector<const std::string*> allPiles() {
    std::vector<const std::string*> piles;
    for (const StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                                   &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
        for (const std::string& pile : *list)
            piles.push_back(&pile);
    return piles;
}
// How often each code lies on the table ("000" slots count as code 0).
std::map<int, int> cardsOnTable() {
    std::map<int, int> count;
    for (const std::string* pile : allPiles())
        for (std::size_t offset = 0; offset + 3 <= pile->size(); offset += 3)
            ++count[CodeAt(*pile, offset)];
    return count;
}
// No card twice and none outside 1..104; slots allowed when freeSlots.
void expectSoundDeck(bool freeSlots = false) {
    for (const auto& [code, times] : cardsOnTable()) {
        if (code == 0 && freeSlots)
            continue;
        EXPECT_TRUE(code >= 1 && code <= kCardCount) << "code " << code;
        EXPECT_EQ(times, 1) << "card " << code;
    }
}
int cardsIn(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}

class DealTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        fnWriteSettingsField(120, 2, "01");
        fnWriteSettingsField(122, 6, "0");
        setGameNumber("0000000012345");
    }
    void useGame(const std::string& file) { gameDefinition = fixture(file); }
    // A fresh table for the next deal, as a new game starts it.
    void clearTable() {
        fnFreeSharedObjects();
        fnCreateSharedObjects();
        fnFillCardTableAndPiles();
        fnWriteSettingsField(120, 2, "01");
        fnWriteSettingsField(122, 6, "0");
    }
    // Runs check after dealing each of `count` game numbers drawn from a fixed seed.
    template <typename Check> void forManyNumbers(int count, Check check) {
        const GameDefinition definition = gameDefinition;
        platform::app::setRandomSeed(20260);
        for (int i = 0; i < count; ++i) {
            fnNewGameNumber();
            const std::string number = fnReadSettingsField(153, 15);
            clearTable();
            setGameNumber(number);
            gameDefinition = definition;
            SCOPED_TRACE("game number " + number);
            ASSERT_TRUE(DealGame());
            check();
            if (HasFailure())
                return;
        }
    }

    testing::RecordingPresentation recorder;
    testing::RecordingPresentation::Scoped installed{recorder};
};

TEST_F(DealTest, OrderOfTheAllZeroNumberWorkedOutByHand) {
    setWord(265, 52);
    setGameNumber("0000000000000");
    StringList order;
    ASSERT_TRUE(fnGameNumberCardsArray(order));
    ASSERT_EQ(order.size(), 52u);
    // Passes 1-3 deal the aces, twos and threes (suit row 0, offset row 0, W from 0); the
    // third pass finds slot 25 taken and goes forward to 27.
    const std::map<int, std::string> slots = {{25, "040"}, {43, "014"}, {4, "027"},  {26, "001"},
                                              {51, "041"}, {17, "015"}, {30, "028"}, {0, "002"},
                                              {27, "042"}, {45, "016"}, {6, "029"},  {28, "003"}};
    for (const auto& [slot, code] : slots)
        EXPECT_EQ(order[static_cast<std::size_t>(slot)], code) << "slot " << slot;
}

TEST_F(DealTest, OrderHoldsEveryCardInPlayOnce) {
    for (const int n : {52, 104, 32, 1}) {
        setWord(265, n);
        platform::app::setRandomSeed(7);
        for (int i = 0; i < 300; ++i) {
            fnNewGameNumber();
            StringList order;
            ASSERT_TRUE(fnGameNumberCardsArray(order));
            ASSERT_EQ(order.size(), static_cast<std::size_t>(n));
            std::set<int> codes;
            for (const std::string& entry : order)
                codes.insert(CodeAt(entry, 0));
            ASSERT_EQ(codes.size(), order.size()) << fnReadSettingsField(153, 15);
            EXPECT_GE(*codes.begin(), 1);
            EXPECT_LE(*codes.rbegin(), n <= 52 ? 52 : 104);
            if (n == 52 || n == 104) {
                EXPECT_EQ(*codes.rbegin(), n);
            }
            StringList again;
            fnGameNumberCardsArray(again);
            EXPECT_EQ(again, order);
        }
    }
}

TEST_F(DealTest, ShortNumberReadsWithLeadingZeros) {
    setWord(265, 104);
    StringList full;
    StringList shortened;
    fnGameNumberCardsArray(full);
    setGameNumber("12345");
    fnGameNumberCardsArray(shortened);
    EXPECT_EQ(shortened, full);
    setGameNumber("12a45");
    EXPECT_THROW(fnGameNumberCardsArray(shortened), ConversionError);
}

TEST_F(DealTest, CardsInPlayOtherThanOneToFiftyTwoOrHundredFourRefuseTheDeal) {
    for (const int n : {0, 53, 60, 103, -52}) {
        platform::app::ScriptedMessageBoxes boxes;
        setWord(265, n);
        setWord(268, 5);
        StringList order{"001"};
        EXPECT_FALSE(fnGameNumberCardsArray(order));
        EXPECT_TRUE(order.empty());
        EXPECT_FALSE(DealGame());
        EXPECT_TRUE(cardsOnTable().empty());
        ASSERT_EQ(boxes.shown().size(), 2u);
        EXPECT_EQ(boxes.shown()[0].text, "Error 01 - fnGameNumberCardsArray");
    }
}

TEST_F(DealTest, NearestFreeSlot) {
    const StringList list = {"001", "000", "002", "003", "000", "004"};
    EXPECT_EQ(NearestFreeSlot(list, 2, true), 4);
    EXPECT_EQ(NearestFreeSlot(list, 4, true), 4);
    EXPECT_EQ(NearestFreeSlot(list, 5, true), 1) << "none after: the first of the list";
    EXPECT_EQ(NearestFreeSlot(list, 3, false), 1);
    EXPECT_EQ(NearestFreeSlot(list, 5, false), 4);
    EXPECT_EQ(NearestFreeSlot(list, 0, false), 1) << "none before: the first of the list";
    EXPECT_EQ(NearestFreeSlot({"001", "002"}, 0, true), -1);
    EXPECT_EQ(NearestFreeSlot({}, 0, false), -1);
}

TEST_F(DealTest, NewGameNumberIsTheProductOfTwoDrawsInThirteenDigits) {
    platform::app::setRandomSeed(99);
    const long long a = platform::app::random(9999999);
    const long long b = platform::app::random(999999);
    platform::app::setRandomSeed(99);
    fnNewGameNumber();
    const std::string number = fnReadSettingsField(153, 15);
    ASSERT_EQ(number.size(), 13u);
    EXPECT_EQ(std::stoll(number), a * b);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"fnUpdateCaption()"}));
}

struct GoldenDeal {
    const char* game;
    const char* number;
    std::vector<std::string> tableau;
    std::string stock;
    int score;
};

TEST_F(DealTest, GoldenTablesOfTheFixtureGames) {
    const GoldenDeal goldens[] = {
        {"freecell.game",
         "0000000012345",
         {"028005043040014049023", "025006003013029007008", "017015022009048031012",
          "027041036035034030042", "018045019052026046", "001020010038002021", "016004051047050037",
          "044032011039024033"},
         "",
         -52},
        {"freecell.game",
         "4711081500042",
         {"001028029005036004007", "019025024033044013011", "002022051003049043048",
          "040041008021034045010", "020042018027052012", "026050046023032030", "016015031017014037",
          "038047035009039006"},
         "",
         -52},
        // The same deal order as the first FreeCell table: the stock takes its front.
        {"klondike.game",
         "0000000012345",
         {"035", "034030", "042018045", "019052026046", "001020010038002", "021016004051047050",
          "037044032011039024033"},
         "028005043040014049023025006003013029007008017015022009048031012027041036",
         -52},
        {"klondike.game",
         "9998884447770",
         {"042", "022012", "018037028", "026027036040", "008034045009016", "051046050017052014",
          "049029044041010002023"},
         "038032011048013003033020004015030025001024031039005019035047021006007043",
         -52},
    };
    for (const GoldenDeal& golden : goldens) {
        SCOPED_TRACE(std::string(golden.game) + " " + golden.number);
        clearTable();
        useGame(golden.game);
        setGameNumber(golden.number);
        ASSERT_TRUE(DealGame());
        std::vector<std::string> tableau(sharedObjects.FilaPiles.begin(),
                                         sharedObjects.FilaPiles.begin() + word(262));
        EXPECT_EQ(tableau, golden.tableau);
        EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine], golden.stock);
        EXPECT_EQ(fnReadSettingsField(122, 6), std::to_string(golden.score));
    }
}

TEST_F(DealTest, FixtureDealsHoldEveryCardOnceAndTheSameNumberDealsTheSameTable) {
    for (const char* game : {"freecell.game", "klondike.game"}) {
        SCOPED_TRACE(game);
        useGame(game);
        forManyNumbers(200, [&] {
            const auto cards = cardsOnTable();
            ASSERT_EQ(cards.size(), 52u);
            EXPECT_EQ(cards.begin()->first, 1);
            EXPECT_EQ(cards.rbegin()->first, 52);
            expectSoundDeck();
            const StringList piles = sharedObjects.FilaPiles;
            const std::string stock = sharedObjects.MazzoPiles[kStockLine];
            StringList faces = sharedObjects.CardTable;
            const std::string number = fnReadSettingsField(153, 15);
            clearTable();
            setGameNumber(number);
            useGame(game);
            DealGame();
            EXPECT_EQ(sharedObjects.FilaPiles, piles);
            EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine], stock);
            EXPECT_EQ(sharedObjects.CardTable, faces);
        });
    }
}

TEST_F(DealTest, KlondikeShowsOnlyTheTopCardOfEachPile) {
    useGame("klondike.game");
    ASSERT_TRUE(DealGame());
    for (int p = 0; p < 7; ++p) {
        const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(p)];
        ASSERT_EQ(cardsIn(pile), p + 1);
        for (int i = 0; i <= p; ++i)
            EXPECT_EQ(fnIsFaceDown(CodeAt(pile, static_cast<std::size_t>(3 * i))), i < p)
                << "pile " << p + 1 << " card " << i + 1;
    }
    const std::string& stock = sharedObjects.MazzoPiles[kStockLine];
    ASSERT_EQ(cardsIn(stock), 24);
    for (std::size_t offset = 0; offset < stock.size(); offset += 3)
        EXPECT_TRUE(fnIsFaceDown(CodeAt(stock, offset)));
}

// A synthetic game: n cards, f foundations, the rest dealt to ten piles and the stock.
void syntheticGame(int cards, int foundations) {
    gameDefinition.fill(0);
    setWord(265, cards);
    setWord(261, foundations);
    setWord(262, 10);
    setWord(263, 2);
    for (int p = 0; p < 10; ++p) {
        setWord(268 + p, cards == 104 ? 7 : 4);
        setWord(294 + p, 1);
        setWord(36 + p, 1);
        setWord(52 + p, 1 /* up */);
    }
    setWord(321, 1);
    setWord(266, cards == 104 ? 16 : 6);
}

TEST_F(DealTest, StartCodesNeverDealACardTwiceNorACodeThatIsNoCard) {
    const int codes[] = {0,  20, 21, 51, 57, 63,  91,  92,  93, 94,
                         95, 96, 5,  14, 60, 150, 204, 250, -3};
    for (const int cards : {52, 104}) {
        for (const int code : codes) {
            SCOPED_TRACE("start code " + std::to_string(code) + ", cards " + std::to_string(cards));
            syntheticGame(cards, 16);
            for (int j = 0; j < 16; ++j)
                setWord(84 + j, code);
            setWord(246, code == 0 ? 0 : code + 100); // the discard pile's start card too
            forManyNumbers(40, [] { expectSoundDeck(); });
        }
    }
}

TEST_F(DealTest, StartCodeNinetyOneWrappingToZeroPlacesNoCard) {
    syntheticGame(52, 4);
    for (int j = 0; j < 4; ++j)
        setWord(84 + j, 91);
    // A number whose order starts with card 52: foundation 4 would get (52 + 39 + 13) mod 52.
    for (long long n = 1;; ++n) {
        setGameNumber(fnIntZeroPad(static_cast<int>(n), 13));
        StringList order;
        fnGameNumberCardsArray(order);
        if (order.front() != "052")
            continue;
        const GameDefinition definition = gameDefinition;
        ASSERT_TRUE(DealGame());
        expectSoundDeck();
        EXPECT_EQ(sharedObjects.DestPiles[3], "") << "no card 0";
        // Foundations 1-3 got 52 + 13 = 13 (hearts king), 52 + 26 = 26 and 52 + 39 = 39.
        EXPECT_EQ(sharedObjects.DestPiles[0], "013");
        EXPECT_EQ(sharedObjects.DestPiles[1], "026");
        EXPECT_EQ(sharedObjects.DestPiles[2], "039");
        EXPECT_EQ(word(36), 13) << "the base becomes the start card's rank";
        EXPECT_EQ(word(39), definition[39]);
        break;
    }
}

TEST_F(DealTest, StartCardsByCode) {
    syntheticGame(104, 9);
    const int startCodes[9] = {1, 95, 93, 57, 95, 20, 92, 7, 112};
    for (int j = 0; j < 9; ++j)
        setWord(84 + j, startCodes[j]);
    setWord(42, 9);
    setWord(246, 140);
    StringList order;
    fnGameNumberCardsArray(order);
    // What the order holds when foundation 6 takes its first entry.
    for (const char* taken : {"001", "026", "027"})
        std::erase(order, taken);
    const auto seven = std::ranges::find_if(
        order, [](const std::string& e) { return CardRank(CodeAt(e, 0)) == 7; });
    ASSERT_NE(seven, order.end());
    const std::string firstSeven = *seven;
    order.erase(seven);

    ASSERT_TRUE(DealGame());
    const auto& dest = sharedObjects.DestPiles;
    EXPECT_EQ(dest[0], "001") << "1: the card 1";
    EXPECT_EQ(dest[1], "026") << "95: the king of the second suit";
    EXPECT_EQ(dest[2], "027") << "93: the ace of the third suit";
    EXPECT_EQ(dest[3], firstSeven) << "57: the order's first seven";
    EXPECT_EQ(dest[4], "") << "95 past the fourth foundation: the ace of hearts, already dealt";
    EXPECT_EQ(dest[5], order.front()) << "20: the order's first card";
    EXPECT_EQ(dest[6], "") << "92: no card";
    EXPECT_EQ(word(42), 1) << "92: the first foundation's base, now the rank of its card";
    EXPECT_EQ(dest[7], "098") << "7 + 13 x 7";
    EXPECT_EQ(dest[8], "012") << "112 - 100";
    EXPECT_EQ(word(38), 1) << "each base becomes its start card's rank";
    EXPECT_EQ(word(37), 13);
    EXPECT_EQ(word(39), 7);
    EXPECT_EQ(sharedObjects.MazzoPiles[kDiscardLine], "040") << "the discard pile's start card";
    for (int j : {0, 1, 2, 3, 5, 7, 8})
        EXPECT_FALSE(fnIsFaceDown(CodeAt(dest[static_cast<std::size_t>(j)], 0)));
    expectSoundDeck();
}

TEST_F(DealTest, StartCodeTwentyOneGivesEachFoundationAnotherSuit) {
    syntheticGame(52, 5);
    for (int j = 0; j < 5; ++j)
        setWord(84 + j, 21);
    forManyNumbers(40, [] {
        std::set<int> suits;
        for (int j = 0; j < 4; ++j) {
            const std::string& dest = sharedObjects.DestPiles[static_cast<std::size_t>(j)];
            ASSERT_EQ(dest.size(), 3u);
            suits.insert(CardSuit(CodeAt(dest, 0)));
        }
        EXPECT_EQ(suits.size(), 4u);
        // The fifth finds no suit left and takes the order's last card.
        StringList order;
        fnGameNumberCardsArray(order);
        for (int j = 0; j < 4; ++j)
            std::erase(order, sharedObjects.DestPiles[static_cast<std::size_t>(j)]);
        EXPECT_EQ(sharedObjects.DestPiles[4], order.back());
        expectSoundDeck();
    });
}

TEST_F(DealTest, StartCardsScoreAndFaceUp) {
    syntheticGame(52, 4);
    setWord(84, 1);
    setWord(268, 0);
    ASSERT_TRUE(DealGame());
    EXPECT_EQ(sharedObjects.DestPiles[0], "001");
    EXPECT_FALSE(fnIsFaceDown(1));
    // 52 cards in play, one card on a foundation, score base 0.
    EXPECT_EQ(fnReadSettingsField(122, 6), "-47");
    setWord(33, 3);
    clearTable();
    ASSERT_TRUE(DealGame());
    EXPECT_EQ(fnReadSettingsField(122, 6), "-32");
}

TEST_F(DealTest, RankDealsAndWholeGroupsOfPiles) {
    syntheticGame(52, 4);
    setWord(268, 1001);
    setWord(269, 1013);
    setWord(267, 3);
    setWord(320, 2);
    setWord(322, 2);
    setWord(330, 1);
    ASSERT_TRUE(DealGame());
    ASSERT_EQ(cardsIn(sharedObjects.FilaPiles[0]), 1);
    EXPECT_EQ(CardRank(CodeAt(sharedObjects.FilaPiles[0], 0)), 1);
    ASSERT_EQ(cardsIn(sharedObjects.FilaPiles[1]), 1);
    EXPECT_EQ(CardRank(CodeAt(sharedObjects.FilaPiles[1], 0)), 13);
    EXPECT_EQ(cardsIn(sharedObjects.FilaPiles[2]), 4);
    EXPECT_EQ(cardsIn(sharedObjects.MazzoPiles[kWasteLine]), 3);
    EXPECT_EQ(cardsIn(sharedObjects.MazzoPiles[kDiscardLine]), 2);
    EXPECT_EQ(cardsIn(sharedObjects.AppoggPiles[1]), 2);
    const std::string& reserve = sharedObjects.AppoggPiles[1];
    EXPECT_TRUE(fnIsFaceDown(CodeAt(reserve, 0)));
    EXPECT_FALSE(fnIsFaceDown(CodeAt(reserve, 3)));
    EXPECT_EQ(fnReadSettingsField(122, 6), "-42") << "the discard pile's cards score";
    expectSoundDeck();
}

// Piles of one card each, a start card for foundation 1 and the rest in the stock: the
// shape the king adjustment is made for.
void singleCardPiles(int piles) {
    syntheticGame(52, 4);
    setWord(262, piles);
    setWord(263, 0);
    setWord(321, 0);
    for (int p = 0; p < 10; ++p)
        setWord(268 + p, p < piles ? 1 : 0);
    setWord(266, 51 - piles); // one card is the first foundation's
}

TEST_F(DealTest, KingsMovedToTheStock) {
    singleCardPiles(10);
    setWord(26, 1);
    setWord(84, 13); // foundation 1 starts with the king of hearts
    forManyNumbers(60, [] {
        expectSoundDeck();
        EXPECT_EQ(cardsOnTable().size(), 52u);
        for (int p = 0; p < 10; ++p) {
            const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(p)];
            ASSERT_EQ(cardsIn(pile), 1);
            EXPECT_NE(CardRank(CodeAt(pile, 0)), 13);
        }
        EXPECT_EQ(sharedObjects.DestPiles[0].size(), 3u);
        EXPECT_NE(sharedObjects.DestPiles[0], "013") << "the king went to the stock";
        const std::string& stock = sharedObjects.MazzoPiles[kStockLine];
        EXPECT_TRUE(fnIsFaceDown(CodeAt(stock, stock.size() - 3)));
    });
}

TEST_F(DealTest, KingsMovedToTheStockLeaveTheCardsAboveThem) {
    syntheticGame(52, 4);
    setWord(266, 11); // 10 piles of 4, one reserve card: every card is dealt
    // The same numbers dealt without and then with the adjustment.
    struct Dealt {
        std::array<std::string, 10> piles;
        std::array<bool, 10> bottomFaceDown;
    };
    std::vector<Dealt> plain;
    forManyNumbers(40, [&] {
        Dealt dealt;
        for (std::size_t p = 0; p < dealt.piles.size(); ++p) {
            dealt.piles[p] = sharedObjects.FilaPiles[p];
            dealt.bottomFaceDown[p] = fnIsFaceDown(CodeAt(dealt.piles[p], 0));
        }
        plain.push_back(dealt);
    });
    setWord(26, 1);
    std::size_t deal = 0;
    int kingsMoved = 0;
    forManyNumbers(40, [&] {
        expectSoundDeck();
        EXPECT_EQ(cardsOnTable().size(), 52u);
        const Dealt& before = plain.at(deal++);
        for (std::size_t p = 0; p < before.piles.size(); ++p) {
            SCOPED_TRACE("pile " + std::to_string(p));
            const std::string& pile = sharedObjects.FilaPiles[p];
            ASSERT_EQ(pile.size(), before.piles[p].size());
            EXPECT_EQ(pile.substr(3), before.piles[p].substr(3));
            if (CardRank(CodeAt(before.piles[p], 0)) == 13) {
                ++kingsMoved;
                EXPECT_NE(CardRank(CodeAt(pile, 0)), 13);
            } else
                EXPECT_EQ(pile, before.piles[p]);
            EXPECT_EQ(fnIsFaceDown(CodeAt(pile, 0)), before.bottomFaceDown[p])
                << "the bottom card shows as the king did";
        }
    });
    EXPECT_EQ(deal, plain.size());
    EXPECT_GT(kingsMoved, 0);
}

TEST_F(DealTest, KingsOrQueensStartThePiles) {
    for (const int adjustment : {2, 4}) {
        const int leader = adjustment == 2 ? 13 : 12;
        SCOPED_TRACE("word 26 = " + std::to_string(adjustment));
        syntheticGame(52, 4);
        for (int p = 0; p < 10; ++p)
            setWord(268 + p, 0);
        setWord(266, 0);
        setWord(321, 0);
        setWord(262, 4);
        setWord(26, adjustment);
        forManyNumbers(60, [&] {
            expectSoundDeck();
            int dealt = 0;
            for (const auto& [code, times] : cardsOnTable())
                dealt += times;
            EXPECT_EQ(dealt, 52);
            for (int p = 0; p < 4; ++p) {
                const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(p)];
                ASSERT_FALSE(pile.empty());
                EXPECT_EQ(CardRank(CodeAt(pile, 0)), leader) << "pile " << p + 1;
                for (std::size_t offset = 3; offset < pile.size(); offset += 3)
                    EXPECT_NE(CardRank(CodeAt(pile, offset)), leader);
            }
        });
    }
}

// Every card is dealt, none twice and no slot left free, also where the first pass leaves
// cards over that only an exchange with a dealt card can place.
TEST_F(DealTest, NoRankTwiceInAPile) {
    struct Shape {
        int piles;
        std::vector<int> cards;
    };
    const Shape shapes[] = {{8, {7, 7, 7, 7, 6, 6, 6, 6}}, {9, {6, 6, 6, 6, 6, 6, 6, 6, 4}}};
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(std::to_string(shape.piles) + " piles");
        useGame("freecell.game");
        setWord(262, shape.piles);
        for (int p = 0; p < shape.piles; ++p) {
            setWord(268 + p, shape.cards[static_cast<std::size_t>(p)]);
            setWord(294 + p, shape.cards[static_cast<std::size_t>(p)]);
        }
        setWord(26, 3);
        forManyNumbers(100, [&shape] {
            expectSoundDeck();
            const std::map<int, int> table = cardsOnTable();
            EXPECT_EQ(table.size(), 52U) << "every card dealt";
            for (int p = 0; p < shape.piles; ++p) {
                const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(p)];
                EXPECT_EQ(cardsIn(pile), shape.cards[static_cast<std::size_t>(p)]);
                EXPECT_TRUE(RanksAllDistinct(pile)) << pile;
            }
        });
    }
}

TEST_F(DealTest, KindTwentyTwoPutsTheHeartKingUnderTheStockAndTheQueenOnPileOne) {
    syntheticGame(52, 4);
    setWord(35, 22);
    forManyNumbers(40, [] {
        expectSoundDeck();
        EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine].substr(0, 3), "013");
        const std::string& first = sharedObjects.FilaPiles[0];
        EXPECT_EQ(first.substr(first.size() - 3), "012");
        EXPECT_FALSE(fnIsFaceDown(12));
    });
}

TEST_F(DealTest, KindTwentyTwoTakesTheHeartKingAndQueenOutOfTheOrderToo) {
    // The queens adjustment deals the rest of the order afterwards: the king and queen of
    // hearts must not come a second time.
    syntheticGame(52, 4);
    setWord(35, 22);
    setWord(26, 4);
    forManyNumbers(40, [] {
        expectSoundDeck();
        EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine].substr(0, 3), "013");
    });
}

TEST_F(DealTest, KindElevenSortsAcesOutOfTheReserveAndTheWaste) {
    syntheticGame(52, 8);
    setWord(35, 11);
    for (int p = 0; p < 10; ++p)
        setWord(268 + p, 0);
    setWord(321, 13);
    setWord(329, 13);
    setWord(267, 30);
    setWord(266, 9);
    forManyNumbers(60, [] {
        expectSoundDeck();
        EXPECT_EQ(cardsOnTable().size(), 52u);
        const std::string& reserve = sharedObjects.AppoggPiles[0];
        for (std::size_t offset = 0; offset < reserve.size(); offset += 3)
            EXPECT_NE(CardRank(CodeAt(reserve, offset)), 1) << "no ace stays in reserve 1";
        int acesOnTwoUp = 0;
        for (int f = 1; f < 8; ++f) {
            const std::string& dest = sharedObjects.DestPiles[static_cast<std::size_t>(f)];
            if (dest.empty())
                continue;
            ++acesOnTwoUp;
            EXPECT_EQ(dest.size(), 3u);
            EXPECT_EQ(CardRank(CodeAt(dest, 0)), 1);
        }
        // Every ace that left reserve 1 is replaced by a waste card, as far as the waste has
        // them in its looked-at places.
        EXPECT_LE(cardsIn(reserve), 13);
        EXPECT_GE(cardsIn(reserve), 13 - acesOnTwoUp);
        const std::string& first = sharedObjects.DestPiles[0];
        for (std::size_t offset = 0; offset < first.size(); offset += 3)
            EXPECT_EQ(CardRank(CodeAt(first, offset)), 1);
    });
}

TEST_F(DealTest, PostDealPassBuildsFoundationsFromTheTableau) {
    for (const int order : {0, 1}) {
        SCOPED_TRACE("word 21 = " + std::to_string(order));
        useGame("klondike.game");
        setWord(21, order);
        setWord(84, 93);
        setWord(85, 93);
        setWord(86, 93);
        setWord(87, 93);
        int builtOn = 0; // deals where the pass took tableau cards
        forManyNumbers(60, [&] {
            expectSoundDeck();
            EXPECT_EQ(cardsOnTable().size(), 52u);
            int onFoundations = 0;
            for (int f = 0; f < 4; ++f) {
                const std::string& dest = sharedObjects.DestPiles[static_cast<std::size_t>(f)];
                ASSERT_FALSE(dest.empty());
                for (std::size_t offset = 0; offset < dest.size(); offset += 3) {
                    const int card = CodeAt(dest, offset);
                    EXPECT_EQ(card, f * 13 + 1 + static_cast<int>(offset / 3)) << "up in suit";
                    EXPECT_FALSE(fnIsFaceDown(card));
                }
                onFoundations += cardsIn(dest);
            }
            builtOn += onFoundations > 4;
            EXPECT_EQ(fnReadSettingsField(122, 6), std::to_string(-52 + 5 * onFoundations));
        });
        EXPECT_GT(builtOn, 10);
    }
}

TEST_F(DealTest, PostDealPassOfCodeNinetyFourFeedsEachFoundationFromItsOwnPile) {
    syntheticGame(52, 4);
    for (int j = 0; j < 4; ++j)
        setWord(84 + j, 94);
    int totalBuilt = 0;
    forManyNumbers(60, [&] {
        expectSoundDeck();
        int fromOwnPiles = 0;
        for (int p = 0; p < 4; ++p)
            fromOwnPiles += 4 - cardsIn(sharedObjects.FilaPiles[static_cast<std::size_t>(p)]);
        int built = 0;
        for (int f = 0; f < 4; ++f)
            built += cardsIn(sharedObjects.DestPiles[static_cast<std::size_t>(f)]) - 1;
        EXPECT_EQ(built, fromOwnPiles);
        totalBuilt += built;
        // Piles 5-10 have no foundation of their index: they keep every card.
        for (int p = 4; p < 10; ++p)
            EXPECT_EQ(cardsIn(sharedObjects.FilaPiles[static_cast<std::size_t>(p)]), 4);
    });
    EXPECT_GT(totalBuilt, 10);
}

TEST_F(DealTest, TableauAcesGoUpAndTheStockFillsTheirPlaces) {
    useGame("klondike.game");
    setWord(84, 96);
    forManyNumbers(60, [] {
        expectSoundDeck();
        EXPECT_EQ(cardsOnTable().size(), 52u);
        int aces = 0;
        for (int f = 0; f < 4; ++f)
            aces += cardsIn(sharedObjects.DestPiles[static_cast<std::size_t>(f)]);
        for (int p = 0; p < 7; ++p) {
            const std::string& pile = sharedObjects.FilaPiles[static_cast<std::size_t>(p)];
            EXPECT_EQ(cardsIn(pile), p + 1) << "each ace replaced";
            for (std::size_t offset = 0; offset < pile.size(); offset += 3)
                EXPECT_NE(CardRank(CodeAt(pile, offset)), 1);
        }
        EXPECT_EQ(cardsIn(sharedObjects.MazzoPiles[kStockLine]), 24 - aces);
    });
}

TEST_F(DealTest, OneCardToTheFirstFoundationAndTheBasesItSets) {
    syntheticGame(52, 4);
    setWord(1, 1);
    setWord(100, 91);
    setWord(101, 5);
    ASSERT_TRUE(DealGame());
    ASSERT_EQ(cardsIn(sharedObjects.DestPiles[0]), 1);
    const int rank = CardRank(CodeAt(sharedObjects.DestPiles[0], 0));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(word(36 + i), rank);
    EXPECT_EQ(word(100), PrevRank(rank)) << "91: one rank below the first foundation's base";
    EXPECT_EQ(word(101), 5);
    EXPECT_EQ(fnReadSettingsField(122, 6), "-47");

    clearTable();
    syntheticGame(52, 4);
    setWord(10, 1);
    ASSERT_TRUE(DealGame());
    EXPECT_EQ(cardsIn(sharedObjects.DestPiles[0]), 1);
    EXPECT_EQ(word(36), 1) << "word 10 leaves the bases";
    EXPECT_FALSE(fnIsFaceDown(CodeAt(sharedObjects.DestPiles[0], 0)));
}

} // namespace
} // namespace solitaire
