// The whole program under its real event loop: the chooser, the newsletter boxes and the
// Customize dialog run modal loops of their own, the waits take real time, and a real timer
// acts on whatever is shown, as a user would. Closing the window inside those loops, the
// help window at exit, and preferences the program cannot read.

#include "program_fixture.h"

#include "../../platform/window_system_input.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/preferences.h"
#include "solitaire/engine/geometry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string_view>

namespace solitaire::testing {
namespace {

using namespace std::chrono_literals;
using testing_support::WindowSystemInput;

// Steps run in order, each once its condition holds; a real timer looks every 10 ms in
// whatever loop runs then. The step itself runs from a timer of its own, so that a modal
// loop it starts does not keep the next steps from being looked at.
class Steps {
public:
    Steps() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (steps_.empty() || !steps_.front().first())
                return;
            QTimer::singleShot(0, &timer_, steps_.front().second);
            steps_.pop_front();
        });
        timer_.start();
    }
    void then(std::function<bool()> ready, std::function<void()> act) {
        steps_.emplace_back(std::move(ready), std::move(act));
    }
    bool allTaken() const { return steps_.empty(); }

private:
    QTimer timer_;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> steps_;
};

template <class Box>
Box* shownModal(const char* name) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->objectName() == name ? dynamic_cast<Box*>(modal) : nullptr;
}

std::function<bool()> modalShown(const char* name) {
    return [name] { return shownModal<QWidget>(name) != nullptr; };
}

class EventLoopTest : public RealLoopProgramTest {
protected:
    EventLoopTest() : RealLoopProgramTest(true), boxes_(*recordedBoxes_) {}

    // The program's first activation shows the chooser, whose real modal loop gets the
    // answer of the first step.
    void chooseInTheChooser(const char* game) {
        steps_.then(modalShown("frmOpenGame"), [game] {
            chooseGame(game)(*shownModal<platform::forms::Dialog>("frmOpenGame"));
        });
    }
    void cancelTheChooser() {
        steps_.then(modalShown("frmOpenGame"),
                    [] { shownModal<QDialog>("frmOpenGame")->reject(); });
    }
    bool started() {
        return runUntil([this] {
            return main_ && !main_->FirstActivation && !QApplication::activeModalWidget();
        });
    }
    std::string firstBox() const {
        return boxes_.shown().empty() ? std::string() : boxes_.shown().front().text;
    }

    platform::app::ScriptedMessageBoxes& boxes_;
    Steps steps_;
};

TEST_F(EventLoopTest, ClosingDuringTheNewsletterWaitEndsTheWaitAndThenTheProgram) {
    start();
    cancelTheChooser();
    ASSERT_TRUE(started());
    steps_.then([] { return true; }, [this] { main_->mnuNewsletter->trigger(); });
    steps_.then(modalShown("frmNews"), [] {
        QTest::mouseClick(shownModal<TfrmNews>("frmNews")->btnSend, Qt::LeftButton);
    });
    steps_.then(modalShown("frmNews2"), [] {
        auto* signUp = shownModal<TfrmNews2>("frmNews2");
        signUp->edtWhere->setText("abc");
        QTest::mouseClick(signUp->btnOK, Qt::LeftButton);
    });
    // Both boxes are hidden for the wait: the window takes input again.
    QElapsedTimer sinceClose;
    steps_.then([this] { return links_.requests().size() == 1; },
                [&] {
                    sinceClose.start();
                    main_->close();
                });
    ASSERT_TRUE(windowGone());
    EXPECT_LT(sinceClose.elapsed(), 2000) << "the five-second wait ran on";
    EXPECT_TRUE(steps_.allTaken());
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
    EXPECT_EQ(folder_.preferences().readString("Preference", "AutoPlay", ""), "Y")
        << "the window closed the whole way";
}

// FreeCell with every card home but the king of hearts, alone in the first column.
void arrangeAllButOneKingHome() {
    for (StringList* piles : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                              &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
        for (std::string& pile : *piles)
            pile.clear();
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            if (suit != 0 || rank != 13)
                sharedObjects.DestPiles[static_cast<std::size_t>(suit)] +=
                    fnIntZeroPad(suit * 13 + rank, 3);
    sharedObjects.FilaPiles[0] = "013";
}

// The winning move ends the game, whose 200 ms wait lets a close in before the winning
// animation has begun; engine code is still running below that wait.
TEST_F(EventLoopTest, ACloseDuringTheWaitBeforeTheWinningAnimationClosesOnceTheGameHasEnded) {
    start();
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    ASSERT_TRUE(mainWindow.GameRunning);
    arrangeAllButOneKingHome();
    main_->MainFormResized(); // the table drawn as the piles are now
    const std::optional<ClosedRect> king = fnCardRect(13);
    ASSERT_TRUE(king);
    const QPoint centre((king->left + king->right) / 2, (king->top + king->bottom) / 2);

    // The first loop to run once the game is over is that wait.
    steps_.then([] { return !mainWindow.GameRunning; }, [this] { main_->close(); });
    bool chooserShown = false;
    Steps guard; // a chooser shown by the end of the game would wait for the user
    guard.then(modalShown("frmOpenGame"), [&] {
        chooserShown = true;
        shownModal<QDialog>("frmOpenGame")->reject();
    });
    QTest::mouseMove(main_->windowHandle(), centre);
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(windowGone());
    EXPECT_TRUE(steps_.allTaken());
    EXPECT_FALSE(chooserShown);
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
    const std::vector<std::string> played = sounds_.played();
    EXPECT_FALSE(std::ranges::any_of(
        played, [](const std::string& sound) { return sound.find("Won") != std::string::npos; }))
        << "the program was closing: nothing to celebrate";
}

// The chooser a win opens runs its modal loop inside the end of the game; cancelled there,
// it leaves an empty table whose status bar offers a new deal, which takes the hint away.
TEST_F(EventLoopTest, AChooserCancelledAfterAWinLeavesTheHintOfANewDeal) {
    start();
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    ASSERT_FALSE(main_->pnlStatusBar->isVisible()) << "a game runs: no hint";
    arrangeAllButOneKingHome();
    main_->MainFormResized();
    const std::optional<ClosedRect> king = fnCardRect(13);
    ASSERT_TRUE(king);
    const QPoint centre((king->left + king->right) / 2, (king->top + king->bottom) / 2);

    steps_.then([] { return mainWindow.WinAnimationRunning; }, [] { StopAnimation(); });
    cancelTheChooser();
    QTest::mouseMove(main_->windowHandle(), centre);
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(runUntil([this] {
        return steps_.allTaken() && !QApplication::activeModalWidget() &&
               !main_->lblNoGameHint->text().isEmpty();
    }));
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(main_->pnlStatusBar->isVisible());
    EXPECT_EQ(main_->lblNoGameHint->text().toStdString(),
              "No game is being played: choose File > New game to deal FreeCell, or "
              "File > Open a game to pick another game.");
    main_->mnuNew->trigger();
    EXPECT_TRUE(mainWindow.GameRunning);
    EXPECT_FALSE(main_->pnlStatusBar->isVisible());
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
}

// Where a control of a window lies in the window's own coordinates.
QPoint centreIn(QWidget* window, QWidget* control) {
    return control->mapTo(window, control->rect().center());
}

int timesAsked(const platform::app::ScriptedMessageBoxes& boxes, std::string_view question) {
    return static_cast<int>(
        std::ranges::count_if(boxes.shown(), [&](const platform::app::ShownMessageBox& box) {
            return box.text == question;
        }));
}

// OK lets what waits in the queue run before it hides the chooser and starts the game: a
// second OK, or a double click on a game, that came with it is the same choice again, and a
// close of the chooser only hides it sooner. Here the running game is kept when asked, so
// the choice has nothing to start.
struct SecondChoice {
    const char* name;
    std::function<void(WindowSystemInput&, TfrmOpenGame&, QTreeWidgetItem*)> queue;
};
void PrintTo(const SecondChoice& choice, std::ostream* out) {
    *out << choice.name;
}

class ChooserChoiceTwiceTest : public EventLoopTest,
                               public ::testing::WithParamInterface<SecondChoice> {};

TEST_P(ChooserChoiceTwiceTest, AsksToQuitTheRunningGameOnce) {
    start();
    chooseInTheChooser("Klondike");
    ASSERT_TRUE(started());
    boxes_.answer(platform::app::Answer::Cancel); // "Quit this game?": no
    boxes_.answer(platform::app::Answer::Cancel);
    WindowSystemInput input;
    steps_.then([] { return true; }, [this] { main_->mnuOpen->trigger(); });
    steps_.then(modalShown("frmOpenGame"), [&] {
        auto* chooser = shownModal<TfrmOpenGame>("frmOpenGame");
        QTreeWidgetItem* freeCell =
            chooser->trvGames->findItems("FreeCell", Qt::MatchExactly | Qt::MatchRecursive).front();
        chooser->trvGames->setCurrentItem(freeCell);
        chooser->trvGames->scrollToItem(freeCell);
        input.click(chooser->windowHandle(), centreIn(chooser, chooser->btnOK));
        GetParam().queue(input, *chooser, freeCell);
    });
    ASSERT_TRUE(runUntil([&] {
        return steps_.allTaken() && input.idle() && !QApplication::activeModalWidget();
    }));
    EXPECT_EQ(timesAsked(boxes_, "Quit this game?"), 1);
    EXPECT_EQ(fnTrimRight(fnReadSettingsField(kGameNamePosition, kGameNameWidth)), "Klondike");
    EXPECT_TRUE(mainWindow.GameRunning);
    EXPECT_FALSE(main_->gameChooser()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChooserChoiceTwiceTest,
    ::testing::Values(
        SecondChoice{"OKClickedAgain",
                     [](WindowSystemInput& input, TfrmOpenGame& chooser, QTreeWidgetItem*) {
                         input.click(chooser.windowHandle(), centreIn(&chooser, chooser.btnOK));
                     }},
        SecondChoice{"TheChooserClosed",
                     [](WindowSystemInput& input, TfrmOpenGame& chooser, QTreeWidgetItem*) {
                         input.close(chooser.windowHandle());
                     }},
        SecondChoice{"TheGameDoubleClicked",
                     [](WindowSystemInput& input, TfrmOpenGame& chooser, QTreeWidgetItem* game) {
                         const QPoint row = chooser.trvGames->visualItemRect(game).center();
                         QWidget* rows = chooser.trvGames->viewport();
                         input.doubleClick(chooser.windowHandle(), rows->mapTo(&chooser, row));
                     }}),
    [](const ::testing::TestParamInfo<SecondChoice>& info) {
        return std::string(info.param.name);
    });

// What Qt says meanwhile (it complains, for one, when a dialog that runs modally is asked to
// run again).
class QtMessages {
public:
    QtMessages() : previous_(qInstallMessageHandler(&QtMessages::note)) { current_ = this; }
    ~QtMessages() {
        qInstallMessageHandler(previous_);
        current_ = nullptr;
    }
    QtMessages(const QtMessages&) = delete;
    QtMessages& operator=(const QtMessages&) = delete;
    bool said(std::string_view text) const {
        return std::ranges::any_of(said_, [&](const std::string& message) {
            return message.find(text) != std::string::npos;
        });
    }

private:
    static void note(QtMsgType, const QMessageLogContext&, const QString& message) {
        if (current_)
            current_->said_.push_back(message.toStdString());
    }
    static inline QtMessages* current_ = nullptr;
    QtMessageHandler previous_;
    std::vector<std::string> said_;
};

// The Open command while the chooser is open (as the first activation arriving late, the
// end of a won game or a shortcut would run it) leaves the one that is open alone, which
// then chooses as before.
TEST_F(EventLoopTest, OpeningTheChooserWhileItIsOpenLeavesItAlone) {
    const QtMessages qt;
    start();
    steps_.then(modalShown("frmOpenGame"), [this] { main_->mnuOpen->trigger(); });
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    EXPECT_TRUE(steps_.allTaken());
    EXPECT_FALSE(qt.said("Recursive call")) << "the chooser was run again inside itself";
    EXPECT_EQ(fnTrimRight(fnReadSettingsField(kGameNamePosition, kGameNameWidth)), "FreeCell");
    EXPECT_TRUE(mainWindow.GameRunning);
}

// The wait before the winning animation runs the input that comes meanwhile: a new game
// started then has the table, and the old game's cards must not rain over it.
TEST_F(EventLoopTest, AGameStartedDuringTheWaitBeforeTheWinningAnimationKeepsItsTable) {
    start();
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    arrangeAllButOneKingHome();
    main_->MainFormResized();
    const std::optional<ClosedRect> king = fnCardRect(13);
    ASSERT_TRUE(king);
    const QPoint centre((king->left + king->right) / 2, (king->top + king->bottom) / 2);
    steps_.then([] { return !mainWindow.GameRunning; }, [this] { main_->mnuNew->trigger(); });
    Steps guard; // a chooser shown by the end of the game would wait for the user
    guard.then(modalShown("frmOpenGame"), [] { shownModal<QDialog>("frmOpenGame")->reject(); });
    QTest::mouseMove(main_->windowHandle(), centre);
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(runUntil([&] {
        return steps_.allTaken() && mainWindow.GameRunning && !QApplication::activeModalWidget();
    }));
    EXPECT_FALSE(mainWindow.WinAnimationRunning);
    const std::vector<std::string> played = sounds_.played();
    EXPECT_FALSE(std::ranges::any_of(
        played, [](const std::string& sound) { return sound.find("Won") != std::string::npos; }));
    EXPECT_EQ(tableDrawingDifference(*main_), "");
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
}

// Exit closes the window; a double click on a card queued behind it while the program was
// busy must go nowhere: the table's handlers would reach what the close freed.
TEST_F(EventLoopTest, ADoubleClickQueuedBehindExitGoesNowhere) {
    start();
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    const bool large = !main_->pnlTB->isHidden();
    QToolButton* exit = (large ? main_->largeButtons : main_->smallButtons)[4];
    const std::string& firstPile = sharedObjects.FilaPiles[0];
    const std::optional<ClosedRect> card =
        fnCardRect(std::stoi(firstPile.substr(firstPile.size() - 3)));
    ASSERT_TRUE(card);
    WindowSystemInput input;
    input.whileBusy([&] {
        input.click(main_->windowHandle(), centreIn(main_, exit));
        input.doubleClick(main_->windowHandle(),
                          QPoint((card->left + card->right) / 2, (card->top + card->bottom) / 2));
    });
    ASSERT_TRUE(windowGone());
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
}

// The first activation comes from the event loop after start-up; a close before it leaves
// nothing to activate, and no chooser may open on the closed program.
TEST_F(EventLoopTest, AProgramClosedBeforeItsFirstActivationShowsNoChooser) {
    start();
    bool chooserShown = false;
    steps_.then(modalShown("frmOpenGame"), [&] {
        chooserShown = true;
        shownModal<QDialog>("frmOpenGame")->reject();
    });
    main_->close();
    ASSERT_TRUE(windowGone());
    EXPECT_FALSE(chooserShown);
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
}

// Rules opens the help window, a window of its own that stays when the main window goes.
TEST_F(EventLoopTest, AnActivationAfterExitReachesNoWindow) {
    start();
    cancelTheChooser();
    ASSERT_TRUE(started());
    main_->mnuRules->trigger();
    ASSERT_FALSE(platform::shell::shownHelpPage().empty());
    main_->mnuExit->trigger();
    ASSERT_TRUE(windowGone());
    // Back to the program, at its help window (the offscreen platform never leaves it).
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
}

// Background_bmp is kept as text and read as a number when the table is painted and when
// the Customize dialog opens.
TEST_F(EventLoopTest, APictureNumberThatIsNoNumberIsRepairedAndTheTableDrawn) {
    folder_.preferences().writeString("Preference", "Background_bmp", "abc");
    start();
    chooseInTheChooser("FreeCell");
    ASSERT_TRUE(started());
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->repaint();
    steps_.then([] { return true; }, [this] { main_->mnuCustomize->trigger(); });
    steps_.then(modalShown("TfrmCustomize_Zevodadu"),
                [] { shownModal<QDialog>("TfrmCustomize_Zevodadu")->reject(); });
    ASSERT_TRUE(runUntil([this] { return steps_.allTaken() && !QApplication::activeModalWidget(); }))
        << "the Customize dialog did not open";
    EXPECT_TRUE(boxes_.shown().empty()) << firstBox();
    EXPECT_EQ(fnReadSettingsField(43, 4), "0");
    EXPECT_EQ(folder_.preferences().readString("Preference", "Background_bmp", "(missing)"), "")
        << "the file keeps the repaired value";
}

// The program as a process of its own: start-up, the chooser, the rules in the help window,
// Exit. The message loop must return by itself; an alarm ends a process that hangs on.
void exitWithTheHelpOpen() {
    int exitCode = 1;
    {
        ScratchProgramFolder folder;
        platform::shell::ScopedKeyStoreFile keys(folder.keyStore());
        platform::app::TestScreen screen(1024, 768, 32);
        platform::app::ScriptedMessageBoxes boxes;
        platform::sound::Recorder sounds;
        ::alarm(20);
        QPointer<TfrmMain> main = StartProgram(folder.dir());
        Steps steps;
        steps.then(modalShown("frmOpenGame"),
                   [] { shownModal<QDialog>("frmOpenGame")->reject(); });
        steps.then([&] { return main && !main->FirstActivation && !QApplication::activeModalWidget(); },
                   [&] { main->mnuRules->trigger(); });
        steps.then([] { return !platform::shell::shownHelpPage().empty(); },
                   [&] { main->mnuExit->trigger(); });
        exitCode = QCoreApplication::exec();
        std::fprintf(stderr, "the loop returned %d; the help window is %s\n", exitCode,
                     platform::shell::shownHelpPage().empty() ? "closed" : "open");
    }
    std::exit(exitCode);
}

TEST(ProgramProcessTest, ExitWithTheHelpOpenEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWithTheHelpOpen(), ::testing::ExitedWithCode(0),
                "the loop returned 0; the help window is closed");
}

} // namespace
} // namespace solitaire::testing
