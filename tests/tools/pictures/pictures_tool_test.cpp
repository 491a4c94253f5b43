// The picture generator and the resource-library packer must be reproducible: two runs on the
// same inputs give the same bytes, so builds can be compared and cached.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Relative path -> contents of every file below root.
std::map<std::string, std::string> tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = readAll(entry.path());
    return files;
}

int run(const std::string& command) {
    return std::system(command.c_str());
}

class PictureToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("zv_pictures_test_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        for (const char* runName : {"a", "b"}) {
            const fs::path dir = root_ / runName;
            ASSERT_EQ(0, run(std::string(ZV_MAKE_PICTURES) + " --decks " + ZV_CARD_DECKS_DIR +
                             " --resources " + (dir / "resources").string() + " --images " +
                             (dir / "Images").string()));
            ASSERT_EQ(0, run(std::string(ZV_CMAKE) + " -DRCC=" + ZV_RCC + " -DOUTPUT=" +
                             (dir / "ZUV.RGF").string() + " -DQRC=" + (dir / "ZUV.qrc").string() +
                             " -DINPUTS=" + (dir / "resources").string() + " -P " +
                             ZV_BUILD_LIBRARY_SCRIPT + " > /dev/null"));
        }
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }
    static fs::path root_;
};
fs::path PictureToolTest::root_;

TEST_F(PictureToolTest, TwoRunsGiveByteIdenticalPictures) {
    const auto a = tree(root_ / "a" / "resources"), b = tree(root_ / "b" / "resources");
    ASSERT_GT(a.size(), 100u);
    EXPECT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
    }
    EXPECT_TRUE(tree(root_ / "a" / "Images") == tree(root_ / "b" / "Images"));
}

TEST_F(PictureToolTest, TwoPackingsGiveByteIdenticalLibraries) {
    const std::string a = readAll(root_ / "a" / "ZUV.RGF");
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == readAll(root_ / "b" / "ZUV.RGF"));
}

// Start-up deletes these old picture files from Images; shipping one would lose it again.
TEST_F(PictureToolTest, ImagesFolderHoldsNoFileThatStartUpDeletes) {
    const std::regex obsolete(R"((GAME\d{4}|W[BMP]\d{3}|CB\d{3}[CDHS]|C[ML]003[CDHS])\.BMP)",
                              std::regex::icase);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root_ / "a" / "Images")) {
        ++files;
        EXPECT_FALSE(std::regex_match(entry.path().filename().string(), obsolete))
            << entry.path().filename();
    }
    EXPECT_GT(files, 0);
}

} // namespace
