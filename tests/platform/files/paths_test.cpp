#include "platform/files/paths.h"

#include "temp_dir.h"

#include <set>

using namespace platform::files;

class PathsTest : public TempDirTest {};

TEST_F(PathsTest, ResolvesBackslashesAndLetterCaseComponentByComponent) {
    writeRaw("Data/Cfg.Dat", "x");
    writeRaw("Images/b001.bmp", "x");
    const struct {
        std::string given;
        std::string expected;
    } cases[] = {
        {"DATA\\CFG.DAT", "Data/Cfg.Dat"},
        {"data/cfg.dat", "Data/Cfg.Dat"},
        {"Data\\Cfg.Dat", "Data/Cfg.Dat"},
        {"IMAGES\\B001.BMP", "Images/b001.bmp"},
        {"images\\", "Images/"},
        // Missing parts keep their spelling after the part found on disk.
        {"DATA\\STAT_SCR.DAT", "Data/STAT_SCR.DAT"},
        {"NOPE\\CFG.DAT", "NOPE/CFG.DAT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolvePath(dir_.string() + "\\" + c.given), path(c.expected)) << c.given;
}

TEST_F(PathsTest, ExactSpellingWinsOverOtherCaseVariants) {
    writeRaw("cfg.dat", "lower");
    writeRaw("CFG.DAT", "upper");
    EXPECT_EQ(resolvePath(path("CFG.DAT")), path("CFG.DAT"));
    EXPECT_EQ(resolvePath(path("cfg.dat")), path("cfg.dat"));
    // A third spelling picks one of them, the same one every time.
    const std::string mixed = resolvePath(path("Cfg.Dat"));
    EXPECT_TRUE(mixed == path("CFG.DAT") || mixed == path("cfg.dat")) << mixed;
    EXPECT_EQ(resolvePath(path("Cfg.Dat")), mixed);
}

TEST_F(PathsTest, ResolvesRelativePathsAgainstTheCurrentFolder) {
    writeRaw("Sounds/Won.wav", "x");
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    EXPECT_EQ(resolvePath("SOUNDS\\WON.WAV"), "Sounds/Won.wav");
    EXPECT_TRUE(fileExists("sounds\\won.wav"));
    std::filesystem::current_path(saved);
}

TEST_F(PathsTest, ExistenceTestsTellFilesFromFolders) {
    writeRaw("Data/Cfg.Dat", "x");
    EXPECT_TRUE(fileExists(path("DATA\\CFG.DAT")));
    EXPECT_FALSE(fileExists(path("DATA")));
    EXPECT_TRUE(dirExists(path("data")));
    EXPECT_FALSE(dirExists(path("DATA\\CFG.DAT")));
    EXPECT_FALSE(fileExists(path("missing.dat")));
    EXPECT_FALSE(dirExists(path("missing")));
}

TEST_F(PathsTest, CreateDirMakesOneFolder) {
    EXPECT_TRUE(createDir(path("DATA")));
    EXPECT_TRUE(dirExists(path("DATA")));
    EXPECT_FALSE(createDir(path("data"))); // already there, whatever the case
    EXPECT_FALSE(createDir(path("A\\B"))); // parent missing
}

TEST_F(PathsTest, DeleteFileRemovesOnlyExistingFiles) {
    writeRaw("Old.Dat", "x");
    EXPECT_TRUE(deleteFile(path("OLD.DAT")));
    EXPECT_FALSE(std::filesystem::exists(path("Old.Dat")));
    EXPECT_FALSE(deleteFile(path("OLD.DAT")));
    std::filesystem::create_directory(path("folder"));
    EXPECT_FALSE(deleteFile(path("folder")));
}

TEST_F(PathsTest, RenameFileMovesAndRefusesToOverwrite) {
    writeRaw("a.tmp", "new");
    writeRaw("Target.Dat", "old");
    EXPECT_FALSE(renameFile(path("A.TMP"), path("TARGET.DAT")));
    EXPECT_EQ(readRaw("Target.Dat"), "old");
    std::filesystem::remove(path("Target.Dat"));
    EXPECT_TRUE(renameFile(path("A.TMP"), path("TARGET.DAT")));
    EXPECT_EQ(readRaw("TARGET.DAT"), "new");
    EXPECT_FALSE(renameFile(path("a.tmp"), path("other")));
}

TEST_F(PathsTest, TempFileNamesCreateDistinctEmptyFiles) {
    writeRaw("Data/keep", "");
    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        std::string name;
        ASSERT_TRUE(tempFileName(path("DATA"), "rplace", name));
        EXPECT_EQ(std::filesystem::path(name).parent_path(), dir_ / "Data");
        const std::string file = std::filesystem::path(name).filename().string();
        EXPECT_EQ(file.substr(0, 3), "rpl");
        EXPECT_EQ(file.substr(file.size() - 4), ".TMP");
        EXPECT_TRUE(std::filesystem::is_regular_file(name));
        EXPECT_EQ(std::filesystem::file_size(name), 0u);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 3u);
}

TEST_F(PathsTest, TempFileNameFailsInAMissingFolder) {
    std::string name = "stale";
    EXPECT_FALSE(tempFileName(path("missing"), "rpl", name));
    EXPECT_TRUE(name.empty());
}
