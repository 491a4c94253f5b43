// The whole program: start-up with an empty DATA folder, the first activation, the chooser,
// closing, and the fatal ends of start-up.

#include "program_fixture.h"

#include "solitaire/app/preferences.h"
#include "solitaire/engine/data_files.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cctype>

namespace solitaire::testing {
namespace {

using platform::app::Answer;

TEST_F(ProgramTest, FirstRunOpensMaximizedAndShowsTheChooser) {
    TfrmMain& window = start(chooseGame("Klondike"));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(window.FirstActivation) << "the window's activation ran the first-run sequence";
    EXPECT_EQ(dialogsShown(), 1) << "only the chooser: the run counter is below 5";
    EXPECT_EQ(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth), "2");
    EXPECT_EQ(fnReadSettingsField(kGameNamePosition, kGameNameWidth), "Klondike");
    const std::string title = window.windowTitle().toStdString();
    const std::string prefix = "Brindlewood [Klondike]  [";
    ASSERT_EQ(title.size(), prefix.size() + 14) << title; // 13 digits of the game number and "]"
    EXPECT_EQ(title.substr(0, prefix.size()), prefix);
    EXPECT_TRUE(std::all_of(title.begin() + prefix.size(), title.end() - 1, ::isdigit)) << title;
    EXPECT_EQ(title.back(), ']');
    EXPECT_TRUE(mainWindow.GameRunning) << "choosing a game deals it";
    activate(); // later activations do not open the chooser again
    EXPECT_EQ(dialogsShown(), 1);
    close();
    EXPECT_TRUE(windowGone());
    EXPECT_TRUE(boxes_.shown().empty()) << boxes_.shown().front().text;

    const platform::files::IniFile cfg = folder_.preferences();
    const std::pair<const char*, const char*> expected[] = {
        {"MainWindowState_Maximized", "Y"}, {"AutoPlay", "Y"},          {"Game", "2"},
        {"Game_Name", "Klondike"},          {"Game_TreeNum", "-30"},    {"Open_Preview_Game", "Y"},
        {"UserDefault", ""}}; // the chooser names no player
    for (const auto& [key, value] : expected)
        EXPECT_EQ(cfg.readString("Preference", key, "(missing)"), value) << key;
    EXPECT_FALSE(cfg.keyExists("Preference", "MainWindowState_Left")) << "maximized: flag only";
    EXPECT_EQ(cfg.readString("Parameters", "Run_Exe", ""), "1");
    EXPECT_EQ(cfg.readString("Users", "User003", ""), "Player 3");
    EXPECT_TRUE(fs::exists(folder_.path("ZUVV0370.DAT")));
    EXPECT_TRUE(platform::shell::keyExists(kRegistryKey));
}

TEST_F(ProgramTest, RestoredWindowTakesTheStoredBoundsAndSavesThemAtClose) {
    {
        platform::files::IniFile cfg = folder_.preferences();
        cfg.writeString("Preference", "MainWindowState_Maximized", "N");
        cfg.writeString("Preference", "AutoPlay", "N");
    }
    TfrmMain& window = start();
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.frameWidth(), kScreenWidth - 150);
    EXPECT_EQ(window.frameHeight(), kScreenHeight - 150);
    EXPECT_FALSE(window.mnuAutoPlay->isChecked());
    window.setFrameGeometry(60, 70, 640, 480);
    close();
    const platform::files::IniFile cfg = folder_.preferences();
    EXPECT_EQ(cfg.readString("Preference", "MainWindowState_Maximized", ""), "N");
    EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Width", 0), 640);
    EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Height", 0), 480);
    EXPECT_EQ(cfg.readString("Preference", "AutoPlay", ""), "N");
}

// The placement saved at exit is what the next start restores: run after run, the window
// keeps its place and size, also when it was maximized in between.
TEST_F(ProgramTest, ARestoredWindowKeepsItsPlaceAndSizeRunAfterRun) {
    {
        platform::files::IniFile cfg = folder_.preferences();
        cfg.writeString("Preference", "MainWindowState_Maximized", "N");
        cfg.writeInteger("Preference", "MainWindowState_Left", 60);
        cfg.writeInteger("Preference", "MainWindowState_Top", 70);
        cfg.writeInteger("Preference", "MainWindowState_Width", 900);
        cfg.writeInteger("Preference", "MainWindowState_Height", 600);
    }
    for (int run = 1; run <= 4; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        TfrmMain& window = start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (run == 3) { // maximized, then restored by the user
            window.showMaximized();
            QCoreApplication::processEvents();
            window.showNormal();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(window.frameGeometry(), QRect(60, 70, 900, 600));
        close();
        ASSERT_TRUE(windowGone());
        const platform::files::IniFile cfg = folder_.preferences();
        EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Left", 0), 60);
        EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Top", 0), 70);
        EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Width", 0), 900);
        EXPECT_EQ(cfg.readInteger("Preference", "MainWindowState_Height", 0), 600);
        gameDefinition.fill(0);
        engineScalars = EngineScalars{};
        mainWindow = MainWindowState{};
    }
}

// Started maximized, the window restores to the stored bounds.
TEST_F(ProgramTest, AWindowStartedMaximizedRestoresToTheStoredBounds) {
    {
        platform::files::IniFile cfg = folder_.preferences();
        cfg.writeInteger("Preference", "MainWindowState_Left", 60);
        cfg.writeInteger("Preference", "MainWindowState_Top", 70);
        cfg.writeInteger("Preference", "MainWindowState_Width", 900);
        cfg.writeInteger("Preference", "MainWindowState_Height", 600);
    }
    TfrmMain& window = start();
    ASSERT_TRUE(window.isMaximized());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.frameGeometry(), QRect(60, 70, 900, 600));
}

TEST_F(ProgramTest, ConfirmQuitAsksAndCancelKeepsTheProgram) {
    folder_.preferences().writeString("Preference", "ConfirmQuit", "Y");
    start();
    boxes_.answer(Answer::Cancel);
    main_->close();
    ASSERT_FALSE(windowGone());
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].text, "Exit Brindlewood?");
    EXPECT_EQ(boxes_.shown()[0].buttons, platform::app::Buttons::OkCancel);
    EXPECT_EQ(folder_.preferences().readString("Preference", "MainWindowState_Maximized", ""), "Y")
        << "the placement is saved also when the close is refused";
    boxes_.answer(Answer::Ok);
    close();
    EXPECT_TRUE(windowGone());
}

TEST_F(ProgramTest, ClosingDuringTheWinningAnimationIsDeferred) {
    start();
    mainWindow.WinAnimationRunning = true;
    main_->close();
    EXPECT_FALSE(windowGone());
    EXPECT_FALSE(mainWindow.WinAnimationRunning) << "the animation was told to stop";
    EXPECT_EQ(engineScalars.ClosePending, 1);
}

TEST_F(ProgramTest, FifthRunInvitesToTheNewsletterWithoutItsCheckBoxTheFirstTime) {
    folder_.preferences().writeInteger("Parameters", "Run_Exe", 4);
    std::vector<std::string> shown;
    std::vector<bool> checkBoxVisible;
    start([&](platform::forms::Dialog& dialog) {
        shown.push_back(dialog.objectName().toStdString());
        if (auto* news = dynamic_cast<TfrmNews*>(&dialog))
            checkBoxVisible.push_back(news->chkNotDisplay->isVisible());
        return platform::forms::ModalResult::Cancel;
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"frmNews", "frmOpenGame"}));
    EXPECT_EQ(checkBoxVisible, std::vector<bool>{false});
    const platform::files::IniFile cfg = folder_.preferences();
    EXPECT_EQ(cfg.readString("Preference", "News_First_Display", ""), "N");
    EXPECT_EQ(cfg.readString("Preference", "News_Question", "(missing)"), "(missing)");
}

TEST_F(ProgramTest, TickingTheNewsletterCheckBoxStopsFurtherInvitations) {
    {
        platform::files::IniFile cfg = folder_.preferences();
        cfg.writeInteger("Parameters", "Run_Exe", 7);
        cfg.writeString("Preference", "News_First_Display", "N");
    }
    start([](platform::forms::Dialog& dialog) {
        if (auto* news = dynamic_cast<TfrmNews*>(&dialog)) {
            EXPECT_TRUE(news->chkNotDisplay->isVisible());
            news->chkNotDisplay->setChecked(true);
        }
        return platform::forms::ModalResult::Cancel;
    });
    EXPECT_EQ(folder_.preferences().readString("Preference", "News_Question", ""), "N");
}

// Start-up ends the program with exit code 0 after its message; the child process prints the
// messages it showed on its way out.
void printShownBoxes();
platform::app::ScriptedMessageBoxes* dyingBoxes = nullptr;
void printShownBoxes() {
    for (const auto& box : dyingBoxes->shown())
        std::fprintf(stderr, "[%s]\n", box.text.c_str());
}

void startInAndDie(const std::string& folder) {
    dyingBoxes = new platform::app::ScriptedMessageBoxes;
    std::atexit(printShownBoxes);
    StartProgram(folder);
}

void startAndDie(bool withLibrary, bool withGames) {
    // Static, so that the child's exit removes them.
    static std::optional<ScratchProgramFolder> folder;
    static std::optional<platform::shell::ScopedKeyStoreFile> keys;
    folder.emplace(withLibrary, withGames);
    keys.emplace(folder->keyStore());
    startInAndDie(folder->dir());
}

// The same with the real boxes, each in its own modal loop: once a box is up the child prints
// its text and whether a window that stays on top of all others (the splash) still shows,
// and answers OK.
void startAndDieShowingTheBox(bool withLibrary, bool withGames) {
    ScratchProgramFolder folder(withLibrary, withGames);
    platform::shell::ScopedKeyStoreFile keys(folder.keyStore());
    auto* watch = new QTimer(QCoreApplication::instance());
    watch->setInterval(5);
    QObject::connect(watch, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        const QWidgetList windows = QApplication::topLevelWidgets();
        const bool covered = std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
            return window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        std::fprintf(stderr, "[%s] %s\n", box->text().toLocal8Bit().constData(),
                     covered ? "under a window on top" : "in front");
        box->button(QMessageBox::Ok)->click();
    });
    watch->start();
    StartProgram(folder.dir());
}

class FatalStartTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FatalStartTest, MissingResourceLibraryNamesItsPathInLowerCase) {
    EXPECT_EXIT(startAndDie(false, true), ::testing::ExitedWithCode(0),
                "\\[Can't find/load /tmp/zv-app-fatalstarttest-missingresourcelibrary[^]]*/zuv\\.rgf\\]");
}

// The folder the program runs in is checked, not the folder of the test program: a folder
// too long for the settings record ends the program before anything is read or written.
TEST_F(FatalStartTest, AProgramFolderTooLongForItsFieldEndsTheProgram) {
    const std::string tooLong = "/" + std::string(200, 'f') + "/";
    EXPECT_EXIT(startInAndDie(tooLong), ::testing::ExitedWithCode(0),
                "\\[The program folder's path is too long: at most 200 characters[^]]*" + tooLong);
}

TEST_F(FatalStartTest, MissingGameDefinitionsEndTheProgram) {
    EXPECT_EXIT(startAndDie(true, false), ::testing::ExitedWithCode(0),
                "\\[Cannot find file:[^]]*GAMES\\.DAT");
}

// The splash stays on top of everything while the program starts: the message that ends the
// start comes in front of it, for it must be read.
TEST_F(FatalStartTest, TheMessageThatEndsTheStartIsInFrontOfTheSplash) {
    EXPECT_EXIT(startAndDieShowingTheBox(false, true), ::testing::ExitedWithCode(0),
                "\\[Can't find/load [^]]*zuv\\.rgf\\] in front");
    EXPECT_EXIT(startAndDieShowingTheBox(true, false), ::testing::ExitedWithCode(0),
                "\\[Cannot find file:[^]]*GAMES\\.DAT[^]]*\\] in front");
}

} // namespace
} // namespace solitaire::testing
