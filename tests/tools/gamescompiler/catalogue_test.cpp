#include "tools/gamescompiler/catalogue.h"
#include "tools/gamescompiler/word_names.h"

#include "solitaire/engine/utils.h"

#include <gtest/gtest.h>

#include <sstream>

namespace gamescompiler {
namespace {

using solitaire::fnScrambleText;

// A small valid game; tests append or replace lines to make it faulty.
const std::string kHeader = "id = 5\n"
                            "category = 7\n"
                            "edition = 0\n"
                            "name = Test Game\n"
                            "cards_in_play = 52\n";

GameSource parse(const std::string& text, const std::string& file = "test.game") {
    std::istringstream in(text);
    return parseGameSource(file, in);
}

std::string errorOf(const std::string& text) {
    try {
        parse(text);
    } catch (const CatalogueError& error) {
        return error.what();
    }
    return "(accepted)";
}

struct BadSource {
    const char* what;
    std::string text;
    std::string message; // expected in full, file and line first
};

void PrintTo(const BadSource& source, std::ostream* out) {
    *out << source.what;
}

class RejectedSource : public testing::TestWithParam<BadSource> {};

TEST_P(RejectedSource, NamesFileAndLine) {
    EXPECT_EQ(errorOf(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, RejectedSource,
    testing::Values(
        BadSource{"UnknownWord", kHeader + "tableau_cnt = 8\n",
                  "test.game:6: unknown word name \"tableau_cnt\""},
        BadSource{"NotANumber", kHeader + "tableau_count = eight\n",
                  "test.game:6: \"eight\" is not a number"},
        BadSource{"TrailingGarbage", kHeader + "tableau_count = 8x\n",
                  "test.game:6: \"8x\" is not a number"},
        BadSource{"Above16Bits", kHeader + "\n# comment\nscore_base = 32768\n",
                  "test.game:8: value 32768 outside 16 bits"},
        BadSource{"Below16Bits", kHeader + "tableau_deal = 1 -32769\n",
                  "test.game:6: value -32769 outside 16 bits"},
        BadSource{"TooManyValues", kHeader + "reserve_rule = 0 0 0 0 0 0 0 0 0\n",
                  "test.game:6: reserve_rule has 8 words, more values given"},
        BadSource{"NoValue", kHeader + "autoplay =\n", "test.game:6: autoplay without a value"},
        BadSource{"SetTwice", kHeader + "tableau_deal = 1 2\ntableau_deal = 3\n",
                  "test.game:7: word 268 set twice (first on line 6)"},
        BadSource{"NoEquals", kHeader + "autoplay 1\n", "test.game:6: expected \"name = value\""},
        BadSource{"CustomisedId", "id = 8000\n", "test.game:1: id 8000 outside 0..999"},
        BadSource{"NegativeId", "id = -1\n", "test.game:1: id -1 outside 0..999"},
        BadSource{"IdTwice", "id = 1\nid = 2\n", "test.game:2: id set twice"},
        BadSource{"LongName", "name = " + std::string(51, 'x') + "\n",
                  "test.game:1: name longer than 50 characters"},
        BadSource{"NameWithTab", "name = a\tb\n",
                  "test.game:1: name holds a character other than printable ASCII"},
        BadSource{"MissingName", "id = 1\ncategory = 2\nedition = 0\n", "test.game:3: no name"},
        BadSource{"MissingEdition", "id = 1\ncategory = 2\nname = X\n", "test.game:3: no edition"},
        // 7 x 7 tableau cards + 4 start cards = 53 of 52; the fault is the count in play.
        BadSource{"DealsTooMany",
                  kHeader + "foundation_count = 4\nfoundation_start = 20 20 20 20\n"
                            "tableau_deal = 7 7 7 7 7 7 7\n",
                  "test.game:5: deals 53 cards but has 52 in play"},
        BadSource{"DealsWithoutCardsInPlay",
                  "id = 1\ncategory = 2\nedition = 0\nname = X\nstock_deal = 1\n",
                  "test.game:5: deals 1 cards but has 0 in play"}),
    [](const testing::TestParamInfo<BadSource>& info) { return info.param.what; });

TEST(CatalogueSource, ReadsHeaderFamiliesAndLimits) {
    const GameSource game = parse(kHeader + "tableau_deal = 7 -32768 32767  # trailing comment\n"
                                            "  foundation_base=1\n");
    EXPECT_EQ(game.id, 5);
    EXPECT_EQ(game.category, 7);
    EXPECT_EQ(game.edition, 0);
    EXPECT_EQ(game.name, "Test Game");
    EXPECT_EQ(game.definition[265], 52);
    EXPECT_EQ(game.definition[268], 7);
    EXPECT_EQ(game.definition[269], -32768);
    EXPECT_EQ(game.definition[270], 32767);
    EXPECT_EQ(game.definition[271], 0);
    EXPECT_EQ(game.definition[36], 1);
    EXPECT_EQ(game.wordLines[268], 6);
    EXPECT_EQ(game.wordLines[36], 7);
    EXPECT_EQ(game.wordLines[37], 0);
}

TEST(CatalogueSource, CountsDealtCardsAsTheDealPlacesThem) {
    struct Case {
        const char* words;
        int dealt;
    };
    const Case cases[] = {
        {"", 0},
        // Start codes 0, 92 and 96 place no card; only foundations in use count.
        {"foundation_count = 4\nfoundation_start = 20 92 96 0 20", 1},
        {"foundation_count = 5\nfoundation_start = 20 92 96 0 20", 2},
        {"tableau_deal = 3 1005 0 -2", 4}, // above 1000 deals one card of a rank
        {"stock_deal = 10\nwaste_deal = 2\ndiscard_deal = 3\nreserve_deal = 1 1 1 1 1 1 1 1", 23},
        {"discard_start_card = 101\ndeal_base_card = 1\ndeal_foundation_card = 1", 3},
        {"deal_base_card = 2\ndeal_foundation_card = 2", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cardsDealt(parse(kHeader + c.words + "\n").definition), c.dealt) << c.words;
}

TEST(CatalogueSource, DealingExactlyTheCardsInPlayIsAccepted) {
    EXPECT_EQ(errorOf(kHeader + "tableau_deal = 26\nstock_deal = 26\n"), "(accepted)");
}

class GamesFile : public testing::Test {
protected:
    // Ids 3 and 1 out of order, id 0 and 2 missing: cells must still exist for them.
    void SetUp() override {
        games_.push_back(parse("id = 3\ncategory = 12\nedition = 1\nname = Third\n"
                               "cards_in_play = 104\nscore_base = -7\nodds_games = 345\n",
                               "third.game"));
        games_.push_back(parse("id = 1\ncategory = 4\nedition = 0\nname = First\n"
                               "cards_in_play = 52\ndeal_base_card = 1\n",
                               "first.game"));
        lines_ = buildGamesFile(games_);
    }

    std::vector<std::string> section(const std::string& header) const {
        solitaire::StringList out;
        solitaire::fnSectionLines(out, lines_, header);
        return out;
    }

    static std::string cell(const std::string& storedLine, int game) {
        const auto column = static_cast<std::size_t>(solitaire::fnGameCellColumn(game) - 1);
        return solitaire::fnTrimRight(
            fnScrambleText(storedLine.substr(column, solitaire::kGameCellWidth)));
    }

    std::vector<GameSource> games_;
    std::vector<std::string> lines_;
};

TEST_F(GamesFile, ListsGamesByIdAsWholeSubstitutedLines) {
    ASSERT_EQ(lines_.front(), "[Sect1]");
    const auto list = section("[Sect1]");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(fnScrambleText(list[0]), "004 0010  " + solitaire::fnPadRight("First", 50));
    EXPECT_EQ(fnScrambleText(list[1]), "012 0031  " + solitaire::fnPadRight("Third", 50));
    EXPECT_NE(list[0], fnScrambleText(list[0])) << "list lines are stored substituted";
}

TEST_F(GamesFile, MatrixHoldsWords1To345WithACellForEveryId) {
    const auto matrix = section("[Sect2]");
    ASSERT_EQ(matrix.size(), 345u);
    const std::size_t length =
        static_cast<std::size_t>(solitaire::fnGameCellColumn(3)) - 1 + solitaire::kGameCellWidth;
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        const std::string& line = matrix[i];
        ASSERT_EQ(line.substr(0, 4), solitaire::fnIntZeroPad(static_cast<int>(i) + 1, 4))
            << "labels are stored plain and in word order";
        ASSERT_EQ(line.size(), length) << line;
        for (int game = 0; game <= 3; ++game)
            ASSERT_FALSE(cell(line, game).empty()) << "word " << i + 1 << " game " << game;
    }
    EXPECT_EQ(cell(matrix[265 - 1], 0), "0");
    EXPECT_EQ(cell(matrix[265 - 1], 1), "52");
    EXPECT_EQ(cell(matrix[265 - 1], 2), "0");
    EXPECT_EQ(cell(matrix[265 - 1], 3), "104");
    EXPECT_EQ(cell(matrix[33 - 1], 3), "-7");
    EXPECT_EQ(cell(matrix[1 - 1], 1), "1");
    EXPECT_EQ(cell(matrix[345 - 1], 3), "345");
    EXPECT_EQ(lines_.back(), matrix.back()) << "no lines after the matrix";
}

TEST_F(GamesFile, NoStoredLineCanBeMistakenForASectionOrSplit) {
    for (const std::string& line : lines_) {
        if (line == "[Sect1]" || line == "[Sect2]")
            continue;
        EXPECT_NE(line.front(), '[') << line;
        EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << line;
    }
}

TEST_F(GamesFile, RejectsTwoGamesWithOneId) {
    games_.push_back(parse("category = 2\nedition = 0\nname = Again\nid = 1\n", "again.game"));
    try {
        buildGamesFile(games_);
        FAIL() << "duplicate id accepted";
    } catch (const CatalogueError& error) {
        EXPECT_STREQ(error.what(), "again.game:4: game id 1 is also used by first.game");
    }
}

// Every name must address stored words only (1..345), and no word may have two names.
TEST(WordNames, FamiliesAreDisjointAndInsideTheStoredWords) {
    int nextFree = 1; // word 0 is not stored
    for (const WordFamily& family : wordFamilies()) {
        EXPECT_GE(family.first, nextFree) << family.name << " overlaps the family before it";
        EXPECT_GE(family.count, 1) << family.name;
        nextFree = family.first + family.count;
        EXPECT_LE(nextFree - 1, solitaire::kGameDefinitionWords - 1) << family.name;
        EXPECT_EQ(findWordFamily(family.name)->first, family.first) << "names are unique";
    }
}

} // namespace
} // namespace gamescompiler
