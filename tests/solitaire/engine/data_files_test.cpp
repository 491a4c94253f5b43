#include "solitaire/engine/data_files.h"

#include "platform/app/messagebox.h"
#include "platform/files/ini.h"
#include "program_folder.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/utils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

namespace solitaire {
namespace {

using platform::app::ScriptedMessageBoxes;
using testing::ProgramFolder;

// ---- Game parameters --------------------------------------------------------------------

class GameParametersTest : public ProgramFolder {
protected:
    // Row r holds 10 * r + game in game columns 0..2; the labels run backwards, so a read
    // by label instead of by position would give other values.
    void writeMatrix(int rows) {
        StringList lines{"[Sect1]", "[Sect2]"};
        for (int r = 1; r <= rows; ++r) {
            std::string body(12, ' ');
            for (int game = 0; game <= 2; ++game)
                body += fnPadRight(std::to_string(10 * r + game), kGameCellWidth) + " ";
            lines.push_back(fnIntZeroPad(rows + 1 - r, 4) + fnScrambleText(body));
        }
        writeLines("GAMES.DAT", lines);
    }
};

TEST_F(GameParametersTest, ReadsRowsByPositionForTheGame) {
    writeMatrix(345);
    const GameParameters values =
        fnReadGameParameters(2, {340, 341, 343, 344, 345, 13, 265, -1, -1});
    EXPECT_EQ(values, (GameParameters{3402, 3412, 3432, 3442, 3452, 132, 2652, kNoGameParameter,
                                      kNoGameParameter}));
}

TEST_F(GameParametersTest, ReadsSeveralGamesInTheirOrder) {
    writeMatrix(13);
    const std::vector<GameParameters> values =
        fnReadGameParameters(std::vector<int>{2, 0, 2}, {13, 1, -1, -1, -1, -1, -1, -1, -1});
    const int none = kNoGameParameter;
    EXPECT_EQ(values, (std::vector<GameParameters>{{132, 12, none, none, none, none, none, none, none},
                                                   {130, 10, none, none, none, none, none, none, none},
                                                   {132, 12, none, none, none, none, none, none, none}}));
    EXPECT_TRUE(fnReadGameParameters(std::vector<int>{}, {1, -1, -1, -1, -1, -1, -1, -1, -1}).empty());
    EXPECT_THROW(fnReadGameParameters(std::vector<int>{1, 3}, {1, -1, -1, -1, -1, -1, -1, -1, -1}),
                 ConversionError)
        << "a game without a cell among them";
}

TEST_F(GameParametersTest, AllRowsNegativeReadsNothing) {
    // No GAMES.DAT at all: a read would fail.
    GameParameters none;
    none.fill(-1);
    GameParameters expected;
    expected.fill(kNoGameParameter);
    EXPECT_EQ(fnReadGameParameters(1, none), expected);
}

TEST_F(GameParametersTest, RowZeroAndRowsPastTheMatrixAreErrors) {
    writeMatrix(3);
    EXPECT_THROW(fnReadGameParameters(0, {0, -1, -1, -1, -1, -1, -1, -1, -1}),
                 std::invalid_argument);
    EXPECT_THROW(fnReadGameParameters(0, {4, -1, -1, -1, -1, -1, -1, -1, -1}), GameDataError);
    EXPECT_EQ(fnReadGameParameters(1, {3, -1, -1, -1, -1, -1, -1, -1, -1})[0], 31);
}

TEST_F(GameParametersTest, GameWithoutACellIsAConversionError) {
    writeMatrix(3);
    EXPECT_THROW(fnReadGameParameters(3, {1, -1, -1, -1, -1, -1, -1, -1, -1}), ConversionError);
}

TEST_F(GameParametersTest, MissingGamesFileIsAGameDataError) {
    EXPECT_THROW(fnReadGameParameters(1, {1, -1, -1, -1, -1, -1, -1, -1, -1}), GameDataError);
}

// ---- Required files ---------------------------------------------------------------------

class RequiredFile : public ProgramFolder {};

TEST_F(RequiredFile, PresentFilesPass) {
    writeFile("GAMES.DAT", "");
    writeFile("DATA/p.bmp", "");
    EXPECT_TRUE(fnRequireFile(dir() + "GAMES.DAT"));
    EXPECT_TRUE(fnRequireImageFile(dir() + "data\\P.BMP")); // any case, either separator
}

// The box's record is printed at exit, so the parent can see what the ending child showed.
ScriptedMessageBoxes* boxesOfThisProcess = nullptr;
void printShownBoxes() {
    for (const auto& box : boxesOfThisProcess->shown())
        std::cerr << "[" << box.caption << "|" << (box.icon == platform::app::Icon::Error) << "|"
                  << box.text << "]";
}

void requireInChild(bool image, const std::string& path) {
    static ScriptedMessageBoxes boxes;
    boxesOfThisProcess = &boxes;
    std::atexit(printShownBoxes);
    if (image)
        fnRequireImageFile(path);
    else
        fnRequireFile(path);
    std::cerr << "returned";
}

using RequiredFileDeathTest = RequiredFile;

TEST_F(RequiredFileDeathTest, MissingFileEndsTheProgramAfterTheErrorBox) {
    const std::string path = dir() + "GAMES.DAT";
    EXPECT_EXIT(requireInChild(false, path), ::testing::ExitedWithCode(0),
                "\\[Error\\|1\\|Cannot find file:\n" + path +
                    "\nCopy the file into the directory that above is specified\n"
                    "or reinstall the program.\\]");
}

TEST_F(RequiredFileDeathTest, MissingImagesFileSaysWhatCannotBeShown) {
    const std::string path = dir() + "IMAGES/B001.BMP";
    EXPECT_EXIT(requireInChild(true, path), ::testing::ExitedWithCode(0),
                "\\[Error\\|1\\|Cannot find images file:\n" + path +
                    "\nSome program components cannot be shown correctly.\n"
                    "Copy the file into the directory that above is specified\n"
                    "or reinstall the program.\\]");
}

// ---- Product-name tokens ----------------------------------------------------------------

TEST(ProgramTokens, ReplacesTheFirstOfEachToken) {
    const std::pair<std::string, std::string> cases[] = {
        {"Welcome to [Program]!", "Welcome to Brindlewood!"},
        {"[Program] and [Program]", "Brindlewood and [Program]"},
        {"[Program_sw] by [Program]", "Pellmoor 2000 by Brindlewood"},
        {"[Program_sw][Program_sw]", "Pellmoor 2000[Program_sw]"},
        {"no tokens [Prog]", "no tokens [Prog]"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(fnExpandProgramTokens(text), expected);
}

// ---- INI section reader -----------------------------------------------------------------

class IniSectionReader : public ProgramFolder {
protected:
    void SetUp() override {
        ProgramFolder::SetUp();
        writeLines("DATA/S.INI", {"Alpha=before the section", "[Other]", "Alpha=other", "[Main]",
                                  "AlphaBeta=3", "Alpha=1", "Beta=two=2", "[Next]", "Gamma=next"});
    }

    std::string file() const { return dir() + "DATA\\S.INI"; }
};

TEST_F(IniSectionReader, FindsEveryKeyInsideTheSection) {
    StringList values;
    EXPECT_TRUE(ReadIniSection(file(), "Main", {"Beta", "Alpha"}, values, {"b", "a"}));
    EXPECT_EQ(values, (StringList{"two=2", "1"})); // value after the first "="
}

TEST_F(IniSectionReader, KeysMatchTheLineStartInOrder) {
    // "AlphaBeta=3" also starts with "Alpha": the first key in order that matches takes it.
    StringList values;
    EXPECT_TRUE(ReadIniSection(file(), "Main", {"AlphaBeta", "Alpha"}, values, {"", ""}));
    EXPECT_EQ(values, (StringList{"3", "1"}));
    EXPECT_FALSE(ReadIniSection(file(), "Main", {"Alpha", "AlphaBeta"}, values, {"", "d"}));
    EXPECT_EQ(values, (StringList{"1", "d"})) << "Alpha took both lines, the later one last";
}

TEST_F(IniSectionReader, StopsAtTheNextSectionWithDefaultsForMissingKeys) {
    StringList values;
    EXPECT_FALSE(ReadIniSection(file(), "Main", {"Alpha", "Gamma"}, values, {"a", "g"}));
    EXPECT_EQ(values, (StringList{"1", "g"}));
}

TEST_F(IniSectionReader, MissingSectionOrFileGivesTheDefaults) {
    StringList values;
    EXPECT_FALSE(ReadIniSection(file(), "None", {"Alpha"}, values, {"a"}));
    EXPECT_EQ(values, (StringList{"a"}));
    EXPECT_FALSE(ReadIniSection(dir() + "NO.INI", "Main", {"Alpha"}, values, {"z"}));
    EXPECT_EQ(values, (StringList{"z"}));
}

// ---- Statistics upgrade -----------------------------------------------------------------

class StatisticsUpgrade : public ProgramFolder {
protected:
    static constexpr const char* kStatistics = "DATA/STAT_SCR.DAT";

    void SetUp() override {
        ProgramFolder::SetUp();
        writeLines("DATA/CFG.DAT",
                   {"[Preference]", "Cards_Animate=S", "ConfirmQuit=S", "Sounds=S"});
    }

    std::string preference(const std::string& key) const {
        return platform::files::IniFile(path("DATA/CFG.DAT").string())
            .readString("Preference", key, "?");
    }

    void expectSwitchesRewritten() const {
        EXPECT_EQ(preference("Cards_Animate"), "Y");
        EXPECT_EQ(preference("ConfirmQuit"), "Y");
        EXPECT_EQ(preference("Sounds"), "S") << "other keys keep their values";
    }

    std::vector<std::string> temporaryFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path("DATA")))
            if (entry.path().filename().string().starts_with("rpl"))
                names.push_back(entry.path().string());
        return names;
    }

    static std::string row(const std::string& start) {
        return start + std::string(89 - start.size(), ' ') + " x";
    }

    ScriptedMessageBoxes boxes_;
};

TEST_F(StatisticsUpgrade, WithoutAStatisticsFileNothingHappens) {
    EXPECT_FALSE(fnUpgradeStatisticsFile());
    EXPECT_EQ(preference("Cards_Animate"), "S");
    EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(StatisticsUpgrade, VersionlessFileIsWidenedAndStamped) {
    const std::string longRow = "0" + std::string(99, '9');
    writeLines(kStatistics, {"[Scores]", "0abc", "Name=x", longRow, "", "0"});
    EXPECT_TRUE(fnUpgradeStatisticsFile());
    EXPECT_EQ(readFile(kStatistics), "[Version]\r\nVersion=0300\r\n\r\n[Scores]\r\n" + row("0abc") +
                                         "\r\nName=x\r\n" + longRow.substr(0, 89) + " x\r\n\r\n" +
                                         row("0") + "\r\n");
    EXPECT_EQ(row("0abc").size(), 91u);
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_TRUE(boxes_.shown().empty());
    expectSwitchesRewritten();
}

TEST_F(StatisticsUpgrade, OlderVersionLosesItsVersionLines) {
    writeLines(kStatistics, {"[Version]", "Version=0200", "", "[Scores]", "01"});
    EXPECT_TRUE(fnUpgradeStatisticsFile());
    EXPECT_EQ(readFile(kStatistics),
              "[Version]\r\nVersion=0300\r\n\r\n\r\n[Scores]\r\n" + row("01") + "\r\n");
}

TEST_F(StatisticsUpgrade, CurrentVersionIsLeftUntouchedButSwitchesAreRewritten) {
    const std::string current = "[Version]\r\nVersion=0300\r\n\r\n[Scores]\r\n01\r\n";
    writeFile(kStatistics, current);
    EXPECT_FALSE(fnUpgradeStatisticsFile());
    EXPECT_EQ(readFile(kStatistics), current);
    EXPECT_TRUE(temporaryFiles().empty());
    expectSwitchesRewritten();
}

TEST_F(StatisticsUpgrade, FailedRenameLeavesTheConvertedCopyUnderItsTemporaryName) {
    // A second spelling of the name takes the old file's place once it is deleted, so the
    // converted copy cannot be renamed to it.
    writeLines(kStatistics, {"[Scores]", "0abc"});
    writeFile("DATA/stat_scr.dat", "other");
    EXPECT_FALSE(fnUpgradeStatisticsFile());

    EXPECT_FALSE(std::filesystem::exists(path(kStatistics))) << "the old file is gone";
    const auto temporary = temporaryFiles();
    ASSERT_EQ(temporary.size(), 1u);
    std::ifstream in(temporary.front(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "[Version]\r\nVersion=0300\r\n\r\n[Scores]\r\n" + row("0abc") + "\r\n");
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown().front().text, "Error renaming file: " + temporary.front() +
                                               "\nwith: " + dir() + "DATA\\STAT_SCR.DAT");
    expectSwitchesRewritten();
}

// ---- Run counter ------------------------------------------------------------------------

class RunCount : public ProgramFolder {};

TEST_F(RunCount, ReadsRunExeOrZero) {
    EXPECT_EQ(fnReadRunCount(), 0);
    writeLines("DATA/CFG.DAT", {"[Parameters]", "Run_Exe=9"});
    EXPECT_EQ(fnReadRunCount(), 9);
}

} // namespace
} // namespace solitaire
