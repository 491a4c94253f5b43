// The game catalogue as the program gets it: every source under solitaire/data/games is
// compiled into the program folder's GAMES.DAT at build time; here the engine reads that
// file back and must find exactly what the sources say.

#include "solitaire/engine/data_files.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"
#include "tools/gamescompiler/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

namespace solitaire {
namespace {

using gamescompiler::GameSource;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string programFolder() {
    return environment("ZV_DIST_DIR") + "/Zevodadu/";
}

const std::vector<GameSource>& sources() {
    static const std::vector<GameSource> games = [] {
        std::vector<GameSource> read;
        const auto folder =
            std::filesystem::path(environment("ZV_SOURCE_DIR")) / "solitaire/data/games";
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".game")
                read.push_back(gamescompiler::readGameSource(entry.path().string()));
        return read;
    }();
    return games;
}

const GameSource& sourceNamed(const std::string& name) {
    const auto it = std::ranges::find(sources(), name, &GameSource::name);
    if (it == sources().end())
        throw std::runtime_error("no catalogue source for " + name);
    return *it;
}

class ShippedCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(sources().empty());
        settingsRecord.clear();
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, programFolder());
    }
};

TEST_F(ShippedCatalogue, EveryGameLoadsExactlyTheWordsOfItsSource) {
    for (const GameSource& game : sources()) {
        SCOPED_TRACE(game.file);
        gameDefinition.fill(0);
        fnWriteSettingsField(62, 4, fnIntZeroPad(game.id, 4));
        ASSERT_TRUE(fnLoadGameDefinition());
        EXPECT_EQ(gameDefinition, game.definition); // words the source does not name stay 0
    }
}

TEST_F(ShippedCatalogue, ChooserReadsTheDescriptionRows) {
    const GameParameters rows{340, 341, 343, 344, 345, 13, 265, -1, -1};
    for (const GameSource& game : sources()) {
        SCOPED_TRACE(game.file);
        GameParameters expected;
        expected.fill(kNoGameParameter);
        for (std::size_t slot = 0; slot < 7; ++slot)
            expected[slot] = game.definition[static_cast<std::size_t>(rows[slot])];
        EXPECT_EQ(fnReadGameParameters(game.id, rows), expected);
    }
}

TEST_F(ShippedCatalogue, GameListOffersEveryGameUnderItsIdAndName) {
    StringList list;
    fnSectionLines(list, fnReadGamesFile(programFolder() + "GAMES.DAT"), kGameListHeader);
    ASSERT_EQ(list.size(), sources().size());
    std::map<int, std::string> offered;
    for (const std::string& stored : list) {
        const std::string line = fnScrambleText(stored);
        ASSERT_EQ(line[7], '0') << line; // edition class: offered
        offered[fnStrToInt(line.substr(4, 3))] = fnTrimRight(line.substr(10, 50));
    }
    for (const GameSource& game : sources())
        EXPECT_EQ(offered[game.id], game.name);
}

// The chooser's chance of winning names the band its odds fall in (the games README): very
// high from 85 deals in 100, high from 60, medium from 30, low above 10, very low below.
TEST_F(ShippedCatalogue, ChanceOfWinningAgreesWithItsOdds) {
    for (const GameSource& game : sources()) {
        const int wins = game.definition[344], games = game.definition[345];
        if (games == 0)
            continue; // no odds shown
        SCOPED_TRACE(game.file);
        const double percent = 100.0 * wins / games;
        const int band = percent >= 85 ? 0 : percent >= 60 ? 1 : percent >= 30 ? 2 : percent > 10 ? 3 : 4;
        EXPECT_EQ(game.definition[343], band) << "about " << wins << " in " << games;
    }
}

// What the later engine steps rely on, stated by word number, independently of the names
// the sources use: (word, value) pairs.
void expectWords(const GameSource& game, std::initializer_list<std::pair<int, int>> words) {
    for (const auto& [word, value] : words)
        EXPECT_EQ(game.definition[static_cast<std::size_t>(word)], value) << "word " << word;
}

TEST(FixtureGames, FreeCellIsGameOneWithEightOpenPilesAndFourCells) {
    const GameSource& game = sourceNamed("FreeCell");
    EXPECT_EQ(game.id, 1) << "the default preferences select game 1";
    EXPECT_EQ(game.category, 4);
    const int deal[8] = {7, 7, 7, 7, 6, 6, 6, 6};
    for (int p = 0; p < 8; ++p) {
        EXPECT_EQ(game.definition[268 + p], deal[p]) << "cards dealt to pile " << p + 1;
        EXPECT_EQ(game.definition[294 + p], deal[p]) << "all face up";
        EXPECT_EQ(game.definition[100 + p], -1) << "an empty pile takes any card";
        EXPECT_EQ(game.definition[126 + p], 0) << "down";
        EXPECT_EQ(game.definition[152 + p], 3) << "alternating colours";
        EXPECT_EQ(game.definition[178 + p], 0) << "no king on an ace";
    }
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(game.definition[36 + f], 1) << "foundations start with an ace";
        EXPECT_EQ(game.definition[52 + f], 1) << "up";
        EXPECT_EQ(game.definition[68 + f], 0) << "by suit";
        EXPECT_EQ(game.definition[84 + f], 0) << "no start card";
    }
    // 52 cards, 4 foundations, 8 piles, 4 cells, no stock; single cards; 13 per foundation.
    expectWords(game, {{265, 52},
                       {261, 4},
                       {262, 8},
                       {263, 4},
                       {260, 0},
                       {264, 0},
                       {266, 0},
                       {11, 1},
                       {25, 13},
                       {35, 0},
                       {5, 1}});
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(game.definition[230 + r], 0) << "one card per cell";
}

TEST(FixtureGames, KlondikeDealsSevenPilesAndTurnsTheStockOneByOne) {
    const GameSource& game = sourceNamed("Klondike");
    EXPECT_EQ(game.category, 5);
    for (int p = 0; p < 7; ++p) {
        EXPECT_EQ(game.definition[268 + p], p + 1) << "cards dealt to pile " << p + 1;
        EXPECT_EQ(game.definition[294 + p], 1) << "only the top card face up";
        EXPECT_EQ(game.definition[100 + p], 13) << "an empty pile takes a king";
        EXPECT_EQ(game.definition[126 + p], 0) << "down";
        EXPECT_EQ(game.definition[152 + p], 3) << "alternating colours";
    }
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(game.definition[36 + f], 1);
        EXPECT_EQ(game.definition[52 + f], 1);
        EXPECT_EQ(game.definition[68 + f], 0);
    }
    // Stock and waste, 24 cards face down, turned one at a time to the waste, redealt
    // without limit; any ordered group moves.
    expectWords(game, {{265, 52},
                       {261, 4},
                       {262, 7},
                       {263, 0},
                       {260, 2},
                       {266, 24},
                       {6, 1},
                       {8, 1},
                       {19, 1},
                       {13, -1},
                       {14, 0},
                       {11, -1},
                       {2, 1},
                       {35, 0}});
}

} // namespace
} // namespace solitaire
