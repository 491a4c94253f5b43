// The picture generator and the resource-library packer must be reproducible: two runs on the
// same inputs give the same bytes, so builds can be compared and cached.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <cctype>
#include <string>
#include <string_view>

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

// Pattern characters: '#' a digit, '%' one of B M P, '&' one of M L, '@' a suit letter
// C D H S; any other character stands for itself. Letter case is ignored.
bool matchesName(const std::string& name, const std::string& pattern) {
    if (name.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        const std::string_view anyOf = pattern[i] == '%'   ? "BMP"
                                       : pattern[i] == '&' ? "ML"
                                       : pattern[i] == '@' ? "CDHS"
                                                           : "";
        const bool ok = pattern[i] == '#'  ? std::isdigit(static_cast<unsigned char>(c)) != 0
                        : !anyOf.empty() ? anyOf.find(c) != std::string_view::npos
                                         : c == pattern[i];
        if (!ok)
            return false;
    }
    return true;
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
    for (const char* form : {"IMG_ZEVODADU", "IMG_ABOUT", "IMG_ADVICE_COLOR", "IMG_ADVICE_640X480",
                             "IMG_NEWSLETTER"})
        EXPECT_TRUE(a.count(std::string("bitmaps/") + form + ".bmp")) << form << " is made";
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
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root_ / "a" / "Images")) {
        ++files;
        const std::string name = entry.path().filename().string();
        for (const char* obsolete : {"GAME####.BMP", "W%###.BMP", "CB###@.BMP", "C&003@.BMP"})
            EXPECT_FALSE(matchesName(name, obsolete)) << name;
    }
    EXPECT_GT(files, 0);
}

} // namespace
