// The help viewer shows pages by file, whatever separators and letter case the path uses.
#include "platform/shell/help.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_ / "help");
        for (const char* page : {"1000", "index"})
            std::ofstream(folder_ / "help" / (std::string(page) + ".html"))
                << "<html><head><title>Page " << page << "</title></head><body><a href=\"index.html\">"
                << "Contents</a></body></html>";
    }
    void TearDown() override {
        platform::shell::closeHelpWindow();
        fs::remove_all(folder_);
    }
    fs::path folder_ = fs::temp_directory_path() / ("zv-help-" + std::to_string(getpid()));
};

TEST_F(HelpViewerTest, ShowsThePageGivenInTheProgramsPathForm) {
    EXPECT_EQ(platform::shell::shownHelpPage(), "");
    platform::shell::showHelpPage(folder_.string() + "\\HELP\\1000.HTML");
    EXPECT_EQ(platform::shell::shownHelpPage(), (folder_ / "help" / "1000.html").string());
}

TEST_F(HelpViewerTest, OneWindowShowsTheLatestPageUntilClosed) {
    platform::shell::showHelpPage((folder_ / "help" / "1000.html").string());
    platform::shell::showHelpPage((folder_ / "help" / "index.html").string());
    EXPECT_EQ(platform::shell::shownHelpPage(), (folder_ / "help" / "index.html").string());
    platform::shell::closeHelpWindow();
    EXPECT_EQ(platform::shell::shownHelpPage(), "");
}

}  // namespace
