// A game's lifecycle: the new deal, the quit question, the end of a game with and without a
// win, and the clock.

#include "play_fixture.h"

#include "solitaire/engine/lifecycle.h"

#include "platform/app/locale.h"
#include "platform/app/strings.h"

namespace solitaire {
namespace {

using platform::app::Answer;
using testing::card;
using testing::codes;

class LifecycleTest : public testing::PlayFixture {};

TEST_F(LifecycleTest, ANewGameDealsTheChosenGameAndStartsItsClock) {
    engineScalars.PhaseCounter = 2;
    engineScalars.StockPassCount = 3;
    fnWriteSettingsField(138, 1, "1");
    startGame(testing::kKlondikeId, 7);
    EXPECT_TRUE(mainWindow.GameRunning);
    EXPECT_FALSE(mainWindow.GameWon);
    EXPECT_TRUE(mainWindow.ClockRunning);
    EXPECT_TRUE(mainWindow.PauseQuitEnabled);
    EXPECT_EQ(engineScalars.PhaseCounter, 0);
    EXPECT_EQ(engineScalars.StockPassCount, 0);
    EXPECT_EQ(fnReadSettingsField(138, 1), "0");
    EXPECT_EQ(cardsIn(stock()), 24);
    for (int q = 1; q <= 7; ++q)
        EXPECT_EQ(cardsIn(fila(q)), q);
    EXPECT_EQ(score(), -52);
    EXPECT_EQ(mainWindow.ScoreLabel, "-52");
    expectEveryCardOnce();

    // The same seed deals the same game; another seed another one.
    const std::string first = fila(7) + stock();
    startGame(testing::kKlondikeId, 7);
    EXPECT_EQ(fila(7) + stock(), first);
    startGame(testing::kKlondikeId, 8);
    EXPECT_NE(fila(7) + stock(), first);
}

TEST_F(LifecycleTest, TheTableIsDealtCardByCardWhenTheDealIsAnimated) {
    fnWriteSettingsField(62, 4, "0002");
    struct Case {
        const char* dealAnimation;
        bool animate;
        const char* drawn;
    } const cases[] = {{"Y", true, "fnDrawTable(Window,1)"},
                       {"N", true, "fnDrawTable(BackBuffer,0)"},
                       {"Y", false, "fnDrawTable(BackBuffer,0)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dealAnimation << " " << c.animate);
        fnWriteSettingsField(241, 1, c.dealAnimation);
        recorder.calls.clear();
        fnStartNewGame(true, c.animate, 2, false);
        EXPECT_TRUE(called(c.drawn));
        EXPECT_EQ(called("InstallInputSwallowHook()"),
                  std::string(c.drawn).find("Window") != std::string::npos);
    }
    recorder.calls.clear();
    fnStartNewGame(true, true, 2, true);
    EXPECT_EQ(countCalls("fnDrawTable"), 0);
}

TEST_F(LifecycleTest, TheQuitQuestionIsAskedOnlyForARunningGameThatIsNotWon) {
    platform::app::registerStrings({{29001, "Quit this game?"}});
    struct Case {
        const char* confirm;
        bool running, won, animation;
        Answer answer;
        bool asked, mayQuit;
    } const cases[] = {
        {"Y", true, false, false, Answer::Ok, true, true},
        {"Y", true, false, false, Answer::Cancel, true, false},
        {"Y", false, false, false, Answer::Cancel, false, true},
        {"Y", true, true, false, Answer::Cancel, false, true},
        {"N", true, false, false, Answer::Cancel, false, true},
        {"Y", true, false, true, Answer::Ok, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.confirm << c.running << c.won << c.animation);
        const std::size_t shownBefore = boxes.shown().size();
        if (c.asked)
            boxes.answer(c.answer);
        fnWriteSettingsField(185, 1, c.confirm);
        mainWindow.GameRunning = c.running;
        mainWindow.GameWon = c.won;
        mainWindow.WinAnimationRunning = c.animation;
        EXPECT_EQ(fnConfirmQuitGame(), c.mayQuit);
        ASSERT_EQ(boxes.shown().size(), shownBefore + (c.asked ? 1 : 0));
        if (c.asked) {
            EXPECT_EQ(boxes.shown().back().text, "Quit this game?");
            EXPECT_EQ(boxes.shown().back().buttons, platform::app::Buttons::OkCancel);
        }
    }
    mainWindow.GameRunning = true;
    mainWindow.GameWon = mainWindow.WinAnimationRunning = false;
    fnWriteSettingsField(185, 1, "Y");
    EXPECT_TRUE(fnConfirmQuitGame(std::string("Start a new game?")));
    EXPECT_EQ(boxes.shown().back().text, "Start a new game?");
}

TEST_F(LifecycleTest, AnAbandonedGameEndsWithoutAnimation) {
    mainWindow.GameRunning = mainWindow.ClockRunning = mainWindow.PauseQuitEnabled = true;
    engineScalars.DraggedCard = 5;
    fnEndGame();
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_FALSE(mainWindow.ClockRunning);
    EXPECT_FALSE(mainWindow.PauseQuitEnabled);
    EXPECT_TRUE(mainWindow.GameFinished);
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    EXPECT_EQ(countCalls("fnPlayWinningAnimation"), 0);
    EXPECT_FALSE(called("ShowGameChooser()"));
    // Only a running game ends.
    recorder.calls.clear();
    fnEndGame();
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(LifecycleTest, AWonGameCelebratesAndOpensTheChooser) {
    mainWindow.GameRunning = mainWindow.GameWon = true;
    fnEndGame();
    EXPECT_TRUE(called("InstallAnimationMessageHook()"));
    EXPECT_TRUE(called("fnPlaySound(Won,1)"));
    EXPECT_TRUE(called("fnPlayWinningAnimation(1)") || called("fnPlayWinningAnimation(2)"));
    EXPECT_TRUE(called("ShowGameChooser()"));
    EXPECT_FALSE(called("CloseMainWindow()"));
    EXPECT_FALSE(mainWindow.GameWon);
    EXPECT_FALSE(mainWindow.WinAnimationRunning);
    EXPECT_EQ(recorder.calls.back(), "RestoreSavedOnMessage()");
}

TEST_F(LifecycleTest, ACloseDuringTheWinningAnimationClosesInsteadOfOpeningTheChooser) {
    mainWindow.GameRunning = mainWindow.GameWon = true;
    recorder.onCall = [](const std::string& call) {
        if (call.starts_with("fnPlayWinningAnimation")) {
            EXPECT_TRUE(mainWindow.WinAnimationRunning);
            engineScalars.ClosePending = 1;
        }
    };
    fnEndGame();
    EXPECT_TRUE(called("CloseMainWindow()"));
    EXPECT_FALSE(called("ShowGameChooser()"));
}

TEST_F(LifecycleTest, AScoreGameIsWonWithAHundredPoints) {
    gameDefinition[35] = 9;
    for (const auto& [points, won] : {std::pair{"99", false}, std::pair{"100", true}}) {
        SCOPED_TRACE(points);
        recorder.calls.clear();
        mainWindow.GameRunning = true;
        fnWriteSettingsField(122, 6, points);
        fnEndGame();
        EXPECT_EQ(countCalls("fnPlayWinningAnimation"), won ? 1 : 0);
    }
}

TEST_F(LifecycleTest, TheClockLabelReadsAsSeconds) {
    const platform::app::TestTimeSeparator colon(':');
    const std::pair<const char*, int> cases[] = {{"0:00:00", 0}, {"0:01:05", 65}, {"2:10:30", 7830},
                                                 {"", 0},        {"1:2", 0},      {"a:00:00", 0},
                                                 {"0:61:00", 0}};
    for (const auto& [label, seconds] : cases) {
        mainWindow.ClockLabel = label;
        EXPECT_EQ(fnElapsedSeconds(), seconds) << label;
    }
}

// The clock writes and reads its label with the locale's time separator, not a fixed colon.
TEST_F(LifecycleTest, TheClockLabelUsesTheLocalesTimeSeparator) {
    const platform::app::TestTimeSeparator dot('.');
    EXPECT_EQ(fnClockText(7830), "2.10.30");
    EXPECT_EQ(fnClockText(59), "0.00.59");
    startGame(testing::kKlondikeId, 7);
    EXPECT_EQ(mainWindow.ClockLabel, "0.00.00") << "a new game's clock";
    mainWindow.ClockLabel = "2.10.30";
    EXPECT_EQ(fnElapsedSeconds(), 7830);
    mainWindow.ClockLabel = "2:10:30";
    EXPECT_EQ(fnElapsedSeconds(), 0) << "another separator is no time here";
}

// Game list lines: category, id in characters 5-7, edition, the name from character 11.
TEST_F(LifecycleTest, GameNamesComeFromTheGameList) {
    sharedObjects.GameList = {"004 0010  First     ", "004 0010  Second", "005 0020  Klondike",
                              "005 0070  Seven"};
    std::string name = "kept";
    fnGameNameById(8001, name);
    EXPECT_EQ(name, "kept");
    const std::pair<int, const char*> cases[] = {
        {1, "Second"}, // the line at the id's own index first
        {2, "Klondike"},
        {7, "Seven"},
        {9, ""}};
    for (const auto& [id, expected] : cases) {
        fnGameNameById(id, name);
        EXPECT_EQ(name, expected) << id;
    }
}

} // namespace
} // namespace solitaire
