#include "solitaire/engine/game_definition.h"

#include "program_folder.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include <gtest/gtest.h>

namespace solitaire {
namespace {

// A stored matrix line: the plain label, then the substituted cells of games 0, 1, ...
std::string matrixLine(const std::string& label, const StringList& cells) {
    std::string body(12, ' ');
    for (std::size_t g = 0; g < cells.size(); ++g) {
        if (g > 0)
            body += ' ';
        body += fnPadRight(cells[g], kGameCellWidth);
    }
    return label + fnScrambleText(body);
}

StringList gamesFile(const StringList& matrix) {
    StringList lines{"[Sect1]", fnScrambleText("004 0010  Test"), "[Sect2]"};
    lines.insert(lines.end(), matrix.begin(), matrix.end());
    return lines;
}

TEST(GameCell, CellsStartAtColumn17InStepsOf11) {
    EXPECT_EQ(fnGameCellColumn(0), 17);
    EXPECT_EQ(fnGameCellColumn(1), 28);
    const std::string line = matrixLine("0001", {"-32768", "32767", "7"});
    ASSERT_EQ(line.substr(16, 6), fnScrambleText("-32768"));
    ASSERT_EQ(line.substr(27, 5), fnScrambleText("32767"));
    EXPECT_EQ(fnGameCellValue(line, 0), -32768);
    EXPECT_EQ(fnGameCellValue(line, 1), 32767);
    EXPECT_EQ(fnGameCellValue(line, 2), 7);
}

TEST(GameCell, ACellReadsWithoutTheTrailingBlanksOfAShortLastCell) {
    // The last cell need not be padded to its full width.
    EXPECT_EQ(fnGameCellValue("0001" + fnScrambleText(std::string(12, ' ') + "42"), 0), 42);
}

TEST(GameColumn, SetsExactlyTheLabelledWordsOfTheGame) {
    GameDefinition definition{};
    definition[9] = 5; // not in the file: must stay as it was
    fnApplyGameColumn(gamesFile({matrixLine("0000", {"1", "2"}), matrixLine("0262", {"7", "8"}),
                                 matrixLine("0345", {"-3", "-4"})}),
                      1, definition);
    GameDefinition expected{};
    expected[0] = 2;
    expected[9] = 5;
    expected[262] = 8;
    expected[345] = -4;
    EXPECT_EQ(definition, expected);
}

TEST(GameColumn, ReadsOnlyTheMatrixSection) {
    GameDefinition definition{};
    StringList file = gamesFile({matrixLine("0003", {"1"})});
    file.push_back("[Other]");
    file.push_back(matrixLine("0004", {"9"}));
    fnApplyGameColumn(file, 0, definition);
    EXPECT_EQ(definition[3], 1);
    EXPECT_EQ(definition[4], 0);
}

struct BadMatrix {
    const char* what;
    StringList matrix;
    bool conversionError; // else GameDataError
};

void PrintTo(const BadMatrix& bad, std::ostream* out) {
    *out << bad.what;
}

class BadMatrixLine : public ::testing::TestWithParam<BadMatrix> {};

// Every fault is an exception; none writes outside the 346 words (the sanitizer build
// would report it).
TEST_P(BadMatrixLine, FailsTheLoad) {
    GameDefinition definition{};
    const StringList file = gamesFile(GetParam().matrix);
    if (GetParam().conversionError)
        EXPECT_THROW(fnApplyGameColumn(file, 1, definition), ConversionError);
    else
        EXPECT_THROW(fnApplyGameColumn(file, 1, definition), GameDataError);
}

INSTANTIATE_TEST_SUITE_P(
    GameColumn, BadMatrixLine,
    ::testing::Values(BadMatrix{"LineWithoutTheGamesCell", {matrixLine("0001", {"1"})}, true},
                      BadMatrix{"LabelOnly", {"0002"}, true},
                      BadMatrix{"EmptyLine", {matrixLine("0001", {"1", "1"}), ""}, true},
                      BadMatrix{"CellNotANumber", {matrixLine("0001", {"1", "x1"})}, true},
                      BadMatrix{"BlankCell", {matrixLine("0001", {"1", ""})}, true},
                      BadMatrix{"LabelNotANumber", {matrixLine("00a1", {"1", "1"})}, true},
                      BadMatrix{"LabelAboveTheWords", {matrixLine("0346", {"1", "1"})}, false},
                      BadMatrix{"NegativeLabel", {matrixLine("-001", {"1", "1"})}, false},
                      BadMatrix{"ValueAbove16Bits", {matrixLine("0001", {"1", "32768"})}, false},
                      BadMatrix{"ValueBelow16Bits", {matrixLine("0001", {"1", "-32769"})}, false}),
    [](const ::testing::TestParamInfo<BadMatrix>& info) { return info.param.what; });

class LoadGameDefinition : public testing::ProgramFolder {
protected:
    void SetUp() override {
        ProgramFolder::SetUp();
        gameDefinition.fill(0);
    }
};

TEST_F(LoadGameDefinition, LoadsTheSelectedGameFromTheProgramDirectory) {
    writeLines("GAMES.DAT", gamesFile({matrixLine("0036", {"1", "2", "3"}),
                                       matrixLine("0100", {"4", "5", "6"})}));
    fnWriteSettingsField(62, 4, "0002");
    EXPECT_TRUE(fnLoadGameDefinition());
    EXPECT_EQ(gameDefinition[36], 3);
    EXPECT_EQ(gameDefinition[100], 6);
}

TEST_F(LoadGameDefinition, MissingFileIsAGameDataError) {
    fnWriteSettingsField(62, 4, "0001");
    EXPECT_THROW(fnLoadGameDefinition(), GameDataError);
}

TEST_F(LoadGameDefinition, SavesTheBaseCodesForANewDealToRestore) {
    writeLines("GAMES.DAT", gamesFile({matrixLine("0036", {"1"}), matrixLine("0051", {"2"}),
                                       matrixLine("0100", {"13"}), matrixLine("0125", {"12"})}));
    fnWriteSettingsField(62, 4, "0000");
    ASSERT_TRUE(fnLoadGameDefinition());

    // The deal rewrites base codes; a new game of the same game brings them back.
    gameDefinition[36] = 9;
    gameDefinition[51] = 9;
    gameDefinition[100] = 9;
    gameDefinition[125] = 9;
    gameDefinition[35] = 9; // not a base code: kept
    fnSaveRestoreBaseCodes(true);
    EXPECT_EQ(gameDefinition[36], 1);
    EXPECT_EQ(gameDefinition[51], 2);
    EXPECT_EQ(gameDefinition[100], 13);
    EXPECT_EQ(gameDefinition[125], 12);
    EXPECT_EQ(gameDefinition[35], 9);
}

TEST(BaseCodes, SaveThenRestoreCopiesAllFortyTwoWords) {
    gameDefinition.fill(0);
    for (int word = 0; word < kGameDefinitionWords; ++word)
        gameDefinition[static_cast<std::size_t>(word)] = static_cast<std::int16_t>(word);
    fnSaveRestoreBaseCodes(false);
    const GameDefinition saved = gameDefinition;
    for (std::int16_t& word : gameDefinition)
        word = -1;
    fnSaveRestoreBaseCodes(true);
    for (int word = 0; word < kGameDefinitionWords; ++word) {
        const bool base = (word >= 36 && word <= 51) || (word >= 100 && word <= 125);
        EXPECT_EQ(gameDefinition[static_cast<std::size_t>(word)],
                  base ? saved[static_cast<std::size_t>(word)] : -1)
            << "word " << word;
    }
}

} // namespace
} // namespace solitaire
