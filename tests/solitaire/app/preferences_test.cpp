// The preferences file into the settings record, and the start-up files: players, run
// counter, game list, key store, version marker, obsolete files, placement.

#include "program_fixture.h"

#include "solitaire/app/preferences.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/shared_state.h"

#include "platform/files/textfile.h"

#include <fstream>

namespace solitaire::testing {
namespace {

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        settingsRecord.clear();
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, folder_.dir());
        fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, kPreferencesFileName);
    }
    void set(const char* key, const std::string& value) {
        PreferencesFile().writeString(kPreferenceSection, key, value);
    }
    static std::string field(int position, int width) { return fnReadSettingsField(position, width); }
    void touch(const std::string& relative) const { std::ofstream(folder_.path(relative)) << "x"; }

    ScratchProgramFolder folder_;
    std::optional<platform::app::TestScreen> screen_{std::in_place, 1024, 768, 32};
};

struct DefaultField {
    int position;
    int width;
    const char* value;
};

// An empty preferences file: the defaults of every key, in the record's own forms.
TEST_F(PreferencesTest, EmptyFileGivesTheDefaults) {
    LoadPreferenceFields(PreferencesFile());
    const DefaultField expected[] = {
        {21, 3, "011"},  {24, 3, "001"},          {128, 1, "B"},   {43, 4, ""},
        {47, 15, "32768"}, {28, 15, "-2147483633"}, {27, 1, "N"},  {135, 1, "Y"},
        {246, 1, "N"},   {62, 4, "0001"},         {189, 50, "FreeCell"}, {66, 1, "Y"},
        {136, 1, "Y"},   {67, 1, "Y"},            {178, 1, "Y"},   {179, 1, "N"},
        {239, 1, "N"},   {241, 1, "Y"},           {242, 1, "Y"},   {68, 6, "20000"},
        {74, 2, "10"},   {76, 1, "N"},            {77, 30, ""},    {137, 1, "0"},
        {140, 1, "Y"},   {185, 1, "Y"},           {186, 1, "Y"},   {141, 1, "Y"},
        {142, 1, "Y"},   {151, 1, "Y"},           {184, 1, "Y"},   {152, 1, "N"},
        {187, 1, "N"},   {188, 1, "N"},           {243, 1, "Y"},   {245, 1, "Y"},
        {168, 1, "1"},   {169, 2, "0"}};
    for (const DefaultField& f : expected)
        EXPECT_EQ(field(f.position, f.width), f.value) << "field " << f.position;
    EXPECT_FALSE(fs::exists(folder_.path("DATA/CFG.DAT"))) << "reading writes nothing";
}

TEST_F(PreferencesTest, LowColourDisplaysDefaultToTheThirdFaceSet) {
    screen_.reset();
    screen_.emplace(1024, 768, 8);
    LoadPreferenceFields(PreferencesFile());
    EXPECT_EQ(field(24, 3), "003");
}

struct ValueRule {
    const char* key;
    const char* value;
    int position;
    int width;
    const char* expected;
};

class PreferenceRuleTest : public PreferencesTest, public ::testing::WithParamInterface<ValueRule> {};

TEST_P(PreferenceRuleTest, StoredValueTakesItsRecordForm) {
    const ValueRule& rule = GetParam();
    set("Back_Card", "14");
    set(rule.key, rule.value);
    LoadPreferenceFields(PreferencesFile());
    EXPECT_EQ(field(rule.position, rule.width), rule.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PreferenceRuleTest,
    ::testing::Values(ValueRule{"Back_Card", "7", 21, 3, "007"},
                      ValueRule{"Card_Size", "M", 21, 3, "006"}, // smaller cards, one back
                      ValueRule{"Card_Size", "L", 21, 3, "006"},
                      ValueRule{"Card_Size", "B", 21, 3, "014"},
                      ValueRule{"Automatic_FaceUp", "Y", 239, 1, "N"},
                      ValueRule{"Cards_Animate", "N", 178, 1, "N"}, // shadows follow
                      ValueRule{"Customized_Background", "/home/me/felt.bmp", 246, 1, "Y"},
                      ValueRule{"Game", "12", 62, 4, "0012"},
                      ValueRule{"game_NAME", "Klondike", 189, 50, "Klondike"},
                      ValueRule{"Speed_Move_Card", "25", 74, 2, "25"},
                      ValueRule{"Background_Col", "-5", 28, 15, "-5"}));

TEST_F(PreferencesTest, RepairsReplaceUnusableValues) {
    set("Back_Card", "0");
    set("Background_Col", "0");
    LoadPreferenceFields(PreferencesFile());
    RepairPreferenceFields();
    EXPECT_EQ(field(21, 3), "001");
    EXPECT_EQ(field(28, 15), "-2147483633");
    EXPECT_EQ(field(43, 4), "0");
}

TEST_F(PreferencesTest, APictureNumberThatIsNoNumberMeansNoPicture) {
    // The background reads field 43 as a number; text there made every painting fail.
    for (const char* stored : {"abc", "1x", "\"", "\r"}) {
        set("Background_bmp", stored);
        LoadPreferenceFields(PreferencesFile());
        RepairPreferenceFields();
        EXPECT_EQ(field(43, 4), "0") << stored;
    }
    set("Background_bmp", "287");
    LoadPreferenceFields(PreferencesFile());
    RepairPreferenceFields();
    EXPECT_EQ(field(43, 4), "287");
}

struct NumberValue {
    const char* key;
    const char* value;
    int position;
    int width;
    const char* field;
    const char* file; // what the file holds afterwards
};

class NumberValueTest : public PreferencesTest, public ::testing::WithParamInterface<NumberValue> {};

// A number key holding no number is repaired to its default, in the file too; numbers stay.
TEST_P(NumberValueTest, NoNumberTakesTheDefaultInTheRecordAndTheFile) {
    const NumberValue& value = GetParam();
    set(value.key, value.value);
    LoadPreferenceFields(PreferencesFile());
    RepairPreferenceFields();
    EXPECT_EQ(field(value.position, value.width), value.field);
    EXPECT_EQ(PreferencesFile().readString(kPreferenceSection, value.key, "(missing)"), value.file);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberValueTest,
    ::testing::Values(NumberValue{"Background_bmp", "abc", 43, 4, "0", ""},
                      NumberValue{"Background_bmp", "7x", 43, 4, "0", ""},
                      NumberValue{"Background_bmp", "12", 43, 4, "12", "12"},
                      NumberValue{"Back_Card", "x1", 21, 3, "011", "11"},
                      NumberValue{"Background_Col", "blue", 28, 15, "-2147483633", "-2147483633"},
                      NumberValue{"Speed_Move_Card", "fast", 74, 2, "10", "10"},
                      NumberValue{"Language", "0x4E20", 68, 6, "20000", "0x4E20"}));

TEST_F(PreferencesTest, FirstRunNamesThePlayersLaterRunsKeepThem) {
    platform::files::IniFile ini = PreferencesFile();
    EnsureDefaultPlayers(ini);
    EXPECT_EQ(field(kUserDefaultPosition, kUserDefaultWidth), "Player 1");
    EXPECT_EQ(ini.readString("Preference", "UserDefault", ""), "Player 1");
    EXPECT_EQ(ini.readString("Users", "User002", ""), "Player 2");

    fnWriteSettingsField(kUserDefaultPosition, kUserDefaultWidth, "Ann");
    ini.writeString("Users", "User002", "Bob");
    EnsureDefaultPlayers(ini);
    EXPECT_EQ(ini.readString("Users", "User002", ""), "Bob");
    EXPECT_EQ(field(kUserDefaultPosition, kUserDefaultWidth), "Ann");
}

TEST_F(PreferencesTest, RunCounterStopsAtNine) {
    const std::pair<int, int> runs[] = {{0, 1}, {4, 5}, {8, 9}, {9, 9}};
    for (const auto& [before, after] : runs) {
        platform::files::IniFile ini = PreferencesFile();
        ini.writeInteger("Parameters", "Run_Exe", before);
        CountRun(ini);
        EXPECT_EQ(ini.readInteger("Parameters", "Run_Exe", -1), after) << before;
    }
}

TEST_F(PreferencesTest, GameListOffersOnlyTheFirstEditionClass) {
    fs::remove(folder_.path("GAMES.DAT"));
    const std::string offered = "004 0010  FreeCell";
    const std::string other = "005 0021  Klondike";
    platform::files::writeLines(folder_.path("GAMES.DAT").string(),
                                {"[Sect1]", fnScrambleText(offered), fnScrambleText(other), "[Sect2]"});
    fnLoadGameList();
    EXPECT_EQ(sharedObjects.GameList, StringList{offered});
}

TEST_F(PreferencesTest, KeyStoreGetsTheProgramsKeyOnce) {
    platform::shell::ScopedKeyStoreFile store(folder_.keyStore());
    KeepRegistryKey();
    EXPECT_TRUE(platform::shell::keyExists(kRegistryKey));
    KeepRegistryKey();
    EXPECT_TRUE(platform::shell::keyExists(kRegistryKey));
}

TEST_F(PreferencesTest, VersionMarkerIsWrittenOnceAndOlderOnesGo) {
    WriteVersionMarker();
    EXPECT_EQ(platform::files::readLines(folder_.path(kVersionMarker).string()),
              std::vector<std::string>{"Pellmoor version: 03.70"});
    std::ofstream(folder_.path(kVersionMarker)) << "kept";
    WriteVersionMarker();
    EXPECT_EQ(platform::files::readLines(folder_.path(kVersionMarker).string()),
              std::vector<std::string>{"kept"});
}

TEST_F(PreferencesTest, ObsoleteFilesAreDeletedOnlyUnderTheirTests) {
    fs::remove(folder_.path("Images")); // a folder of our own, not the built pictures
    fs::create_directory(folder_.path("Images"));
    for (const char* file : {"ZUVV0150.DAT", "ZUVV0360.DAT", "PELLMOOR.DLL", "Images/GAME0000.BMP",
                             "Images/GAME0042.BMP", "Images/WM007.BMP", "Images/CB003H.BMP"})
        touch(file);
    DeleteObsoleteFiles();
    for (const char* gone : {"ZUVV0150.DAT", "ZUVV0360.DAT", "PELLMOOR.DLL", "Images/GAME0000.BMP",
                             "Images/GAME0042.BMP"})
        EXPECT_FALSE(fs::exists(folder_.path(gone))) << gone;
    // No WB001 / CB001C: those families stay.
    EXPECT_TRUE(fs::exists(folder_.path("Images/WM007.BMP")));
    EXPECT_TRUE(fs::exists(folder_.path("Images/CB003H.BMP")));
}

TEST_F(PreferencesTest, PlacementDefaultsAndMaximizedSavesOnlyItsFlag) {
    platform::files::IniFile ini = PreferencesFile();
    const WindowPlacement defaults = ReadWindowPlacement(ini);
    EXPECT_EQ(defaults.left, 50);
    EXPECT_EQ(defaults.top, 50);
    EXPECT_EQ(defaults.width, 1024 - 150);
    EXPECT_EQ(defaults.height, 768 - 150);
    EXPECT_TRUE(defaults.maximized);

    SaveWindowPlacement(ini, {10, 20, 300, 200, false});
    SaveWindowPlacement(ini, {0, 0, 1024, 768, true});
    const WindowPlacement stored = ReadWindowPlacement(ini);
    EXPECT_EQ(stored.left, 10);
    EXPECT_EQ(stored.width, 300);
    EXPECT_EQ(stored.height, 200);
    EXPECT_TRUE(stored.maximized);
}

TEST_F(PreferencesTest, GameSelectionIsOneKeyWhateverItsCase) {
    platform::files::IniFile ini = PreferencesFile();
    ini.writeString("Preference", "Game_name", "Old");
    WriteGameSelection(ini, 2, "Klondike", -30);
    LoadPreferenceFields(ini);
    EXPECT_EQ(field(kGameNamePosition, kGameNameWidth), "Klondike");
    EXPECT_EQ(field(kSelectedGamePosition, kSelectedGameWidth), "0002");
    EXPECT_EQ(ini.readSection("Preference").size(), 3u) << "Game, Game_Name, Game_TreeNum";
}

} // namespace
} // namespace solitaire::testing
