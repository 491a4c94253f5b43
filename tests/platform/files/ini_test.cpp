#include "platform/files/ini.h"

#include "temp_dir.h"

using namespace platform::files;
using Keys = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

class IniTest : public TempDirTest {
protected:
    IniFile ini() const { return IniFile(path("DATA\\CFG.DAT")); }
    void SetUp() override {
        TempDirTest::SetUp();
        std::filesystem::create_directory(dir_ / "Data");
    }
};

TEST_F(IniTest, MissingFileReadsDefaultsAndIsNotCreatedByReading) {
    EXPECT_EQ(ini().readString("Preference", "Game_name", "FreeCell"), "FreeCell");
    EXPECT_EQ(ini().readInteger("Preference", "Game", 1), 1);
    EXPECT_TRUE(ini().readSection("Preference").empty());
    EXPECT_FALSE(ini().sectionExists("Preference"));
    EXPECT_FALSE(std::filesystem::exists(path("Data/CFG.DAT")));
}

TEST_F(IniTest, FirstWriteCreatesTheFile) {
    IniFile file = ini();
    ASSERT_TRUE(file.writeString("Preference", "UserDefault", "Player 1"));
    EXPECT_EQ(readRaw("Data/CFG.DAT"), "[Preference]\r\nUserDefault=Player 1\r\n");
}

TEST_F(IniTest, SectionsAndKeysMatchWithoutRegardToCase) {
    writeRaw("Data/CFG.DAT", "[Preference]\r\nGame_Name=Klondike\r\n");
    EXPECT_EQ(ini().readString("PREFERENCE", "game_name", "x"), "Klondike");
    EXPECT_EQ(ini().readString("preference", "GAME_NAME", "x"), "Klondike");
    EXPECT_TRUE(ini().keyExists("PREFERENCE", "Game_name"));
    // A write with another spelling replaces the one entry.
    IniFile file = ini();
    ASSERT_TRUE(file.writeString("preference", "Game_name", "Spider"));
    EXPECT_EQ(readRaw("Data/CFG.DAT"), "[Preference]\r\nGame_name=Spider\r\n");
}

TEST_F(IniTest, ReadValuesAreTrimmedAndUnquoted) {
    writeRaw("Data/CFG.DAT", "[ S ]\n  key  =  some value  \nq=\"quoted \"\nempty=\nnoequals\n");
    const struct {
        std::string key;
        std::string expected;
    } cases[] = {{"key", "some value"}, {"q", "quoted "}, {"empty", ""}, {"noequals", "dflt"}};
    for (const auto& c : cases)
        EXPECT_EQ(ini().readString("s", c.key, "dflt"), c.expected) << c.key;
}

TEST_F(IniTest, ReadIntegerAcceptsDecimalAndHexElseDefault) {
    writeRaw("Data/CFG.DAT",
             "[N]\nplain=42\nneg=-2147483633\nhex=0x1F\npascal=$ff\nall=0xFFFFFFFF\n"
             "text=12a\nblank=\nhuge=99999999999\n");
    const struct {
        std::string key;
        int expected;
    } cases[] = {{"plain", 42}, {"neg", -2147483633}, {"hex", 31},   {"pascal", 255},
                 {"all", -1},   {"text", 7},          {"blank", 7}, {"huge", 7},
                 {"missing", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(ini().readInteger("n", c.key, 7), c.expected) << c.key;
}

TEST_F(IniTest, WritesKeepOtherLinesAndPlaceNewKeysInTheirSection) {
    writeRaw("Data/CFG.DAT",
             "; comment\r\n[Preference]\r\nGame=1\r\nodd line\r\n\r\n[Users]\r\nUser001=Ann\r\n");
    IniFile file = ini();
    ASSERT_TRUE(file.writeInteger("PREFERENCE", "game", 12));
    ASSERT_TRUE(file.writeString("Preference", "Show_Time", "N"));
    ASSERT_TRUE(file.writeString("Parameters", "Run_Exe", "1"));
    EXPECT_EQ(readRaw("Data/CFG.DAT"), "; comment\r\n[Preference]\r\ngame=12\r\nodd line\r\n"
                                       "Show_Time=N\r\n\r\n[Users]\r\nUser001=Ann\r\n"
                                       "[Parameters]\r\nRun_Exe=1\r\n");
}

TEST_F(IniTest, EveryWriteReachesTheFileAtOnce) {
    IniFile writer = ini();
    const IniFile reader = ini();
    ASSERT_TRUE(writer.writeString("Preference", "ConfirmQuit", "Y"));
    EXPECT_EQ(reader.readString("preference", "confirmquit", ""), "Y");
    // A change made behind the object's back is seen by the next read.
    writeRaw("Data/CFG.DAT", "[Preference]\nConfirmQuit=N\n");
    EXPECT_EQ(reader.readString("Preference", "ConfirmQuit", ""), "N");
}

TEST_F(IniTest, FirstOfRepeatedSectionsAndKeysWins) {
    writeRaw("Data/CFG.DAT", "[A]\nk=1\nK=2\n[b]\nk=3\n[a]\nk=4\nz=5\n");
    EXPECT_EQ(ini().readString("a", "k", ""), "1");
    EXPECT_EQ(ini().readString("a", "z", "none"), "none");
    EXPECT_EQ(ini().readSection("A"), (Keys{"k"}));
    EXPECT_EQ(ini().readSections(), (Keys{"A", "b"}));
}

TEST_F(IniTest, ReadSectionListsKeysAndValuesInFileOrder) {
    writeRaw("Data/CFG.DAT", "[Users]\nUser002=Bob\n;User009=x\nUser001 = Ann\n[Other]\nx=1\n");
    EXPECT_EQ(ini().readSection("users"), (Keys{"User002", "User001"}));
    EXPECT_EQ(ini().readSectionValues("USERS"), (Values{{"User002", "Bob"}, {"User001", "Ann"}}));
    EXPECT_TRUE(ini().readSection("none").empty());
}

TEST_F(IniTest, DeleteKeyAndEraseSectionRemoveOnlyTheirLines) {
    writeRaw("Data/CFG.DAT", "[A]\nk=1\nj=2\n[B]\nx=1\n\n[C]\ny=2\n");
    IniFile file = ini();
    ASSERT_TRUE(file.deleteKey("a", "K"));
    ASSERT_TRUE(file.eraseSection("b"));
    EXPECT_EQ(readRaw("Data/CFG.DAT"), "[A]\r\nj=2\r\n[C]\r\ny=2\r\n");
    EXPECT_TRUE(file.deleteKey("missing", "k"));
    EXPECT_TRUE(file.eraseSection("missing"));
}

TEST_F(IniTest, WriteFailsWhenTheFolderIsMissing) {
    IniFile file(path("NODIR\\CFG.DAT"));
    EXPECT_FALSE(file.writeString("A", "k", "v"));
}
