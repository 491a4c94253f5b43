// The help viewer shows pages by file, whatever separators and letter case the path uses.
#include "platform/shell/help.h"

#include "platform/forms/form.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

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

// The help viewer's window while it is open, found as the user sees it: a top-level window.
QTextBrowser* helpWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* browser = qobject_cast<QTextBrowser*>(window); browser && browser->isVisible())
            return browser;
    return nullptr;
}

// F1 in a modal box opens its page while the box's loop runs: the help window comes in front
// and takes the keys and the mouse, so the page can be read and scrolled with the box open.
TEST_F(HelpViewerTest, APageOpenedFromAModalBoxCanBeScrolledWhileTheBoxIsOpen) {
    {
        std::ofstream page(folder_ / "help" / "long.html");
        page << "<html><head><title>Long</title></head><body>";
        for (int line = 0; line < 300; ++line)
            page << "<p>Line " << line << "</p>";
        page << "</body></html>";
    }
    // Opened for the first time from the box, and open already from the program's window.
    for (const bool openBefore : {false, true}) {
        SCOPED_TRACE(openBefore ? "open before" : "first opened from the box");
        if (openBefore)
            platform::shell::showHelpPage((folder_ / "help" / "index.html").string());
        else
            platform::shell::closeHelpWindow();
        platform::forms::Dialog box;
        box.resize(200, 100);
        int scrolledByKey = -1, scrolledByMouse = -1;
        bool inFront = false;
        QTimer::singleShot(0, &box, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            platform::shell::showHelpPage((folder_ / "help" / "long.html").string());
            QTextBrowser* help = helpWindow();
            if (!help) {
                ADD_FAILURE() << "no help window";
                box.closeWith(platform::forms::ModalResult::Cancel);
                return;
            }
            inFront = QTest::qWaitForWindowActive(help);
            QScrollBar* bar = help->verticalScrollBar();
            QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
            scrolledByKey = bar->value();
            bar->setValue(0);
            // A click low on the scroll bar pages down, delivered through the window.
            const QPoint low = bar->mapTo(help, QPoint(bar->width() / 2, bar->height() - 40));
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, low);
            scrolledByMouse = bar->value();
            box.closeWith(platform::forms::ModalResult::Ok);
        });
        EXPECT_EQ(box.showModal(), platform::forms::ModalResult::Ok);
        EXPECT_TRUE(inFront);
        EXPECT_GT(scrolledByKey, 0);
        EXPECT_GT(scrolledByMouse, 0);
        EXPECT_NE(helpWindow(), nullptr) << "the page stays open after the box";
    }
}

}  // namespace
