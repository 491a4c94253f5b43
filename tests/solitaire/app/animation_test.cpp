// Card moves (their steps and waits), the winning animations, the input hooks that guard
// them, and which sounds the table plays.
#include "table_fixture.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/sounds.h"

#include "platform/app/clock.h"
#include "platform/sound/sound.h"

#include <fstream>
#include <functional>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Point;
using platform::sound::Mode;

namespace {

struct PathCase {
    const char* name;
    Point from;
    Point to;
    bool fine;
    std::vector<Point> expected;
};

class CardMovePathTest : public ::testing::TestWithParam<PathCase> {};

// A widget that counts what reaches it.
class CountingWidget : public QWidget {
public:
    int keys = 0, presses = 0, moves = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

} // namespace

TEST(CardMoveStepTest, FollowsTheStepFormula) {
    // Trunc(d / (0.0128 d + 4) + 0.5), fine steps 0.3 of that, never beyond the distance.
    const std::tuple<int, int, int> cases[] = {{200, 30, 9},   {100, 19, 5}, {300, 38, 11},
                                               {1000, 60, 18}, {3, 1, 0},    {0, 0, 0}};
    for (const auto& [distance, step, fine] : cases) {
        EXPECT_EQ(CardMoveStep(distance, false), step) << distance;
        EXPECT_EQ(CardMoveStep(distance, true), fine) << distance;
    }
}

TEST_P(CardMovePathTest, StepsAlongTheLongerAxisWithTheOtherInProportion) {
    const PathCase& c = GetParam();
    EXPECT_EQ(CardMovePath(c.from.x, c.from.y, c.to.x, c.to.y, c.fine), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CardMovePathTest,
    ::testing::Values(
        PathCase{"Right200",
                 {0, 0},
                 {200, 0},
                 false,
                 {{30, 0}, {60, 0}, {90, 0}, {120, 0}, {150, 0}, {180, 0}, {200, 0}}},
        PathCase{"DownRight",
                 {0, 0},
                 {100, 50},
                 false,
                 {{19, 9}, {38, 19}, {57, 28}, {76, 38}, {95, 47}, {100, 50}}},
        // Upwards and to the left: the vertical axis leads.
        PathCase{"UpLeft",
                 {50, 300},
                 {40, 100},
                 false,
                 {{49, 270}, {47, 240}, {46, 210}, {44, 180}, {43, 150}, {41, 120}, {40, 100}}},
        PathCase{"FineSteps", {0, 0}, {40, 0}, true, {{2, 0},  {4, 0},  {6, 0},  {8, 0},  {10, 0},
                                                      {12, 0}, {14, 0}, {16, 0}, {18, 0}, {20, 0},
                                                      {22, 0}, {24, 0}, {26, 0}, {28, 0}, {30, 0},
                                                      {32, 0}, {34, 0}, {36, 0}, {38, 0}, {40, 0}}},
        PathCase{"NoDistance", {10, 10}, {10, 10}, false, {}}, // no distance: no steps
        PathCase{"FineStepZero", {0, 0}, {3, 0}, true, {}}),
    [](const auto& info) { return std::string(info.param.name); }); // a fine step of 0: no steps

class CardMoveTest : public TableFixture {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        loadGame(kFreeCell);
        deal();
        drawTable();
        // Each repaint of the moving card records where the image stands.
        tableWindow.show = [this](const platform::gdi::Rect&) {
            positions.push_back({mainWindow.DragTargetRect.left, mainWindow.DragTargetRect.top});
            if (duringMove)
                duringMove(static_cast<int>(positions.size()));
        };
    }
    std::vector<Point> positions;
    std::function<void(int shown)> duringMove;
};

TEST_F(CardMoveTest, TheImagePassesEveryStepWaitsBetweenThemAndLandsInTheBackBuffer) {
    setField(kSpeedMoveCardPosition, 2, "10");
    const int card = 7;
    platform::app::TestClock clock;
    fnAnimateCardMove(card, 100, 300, 300, 300, true, false, false, true);
    const std::vector<Point> steps = CardMovePath(100, 300, 300, 300, false);
    // Every step but the last is a move on the window; the last lands with the corner fix.
    // (The start shows first: the shadow there is taken away before the move.)
    std::vector<Point> shown;
    for (std::size_t i = 0; i < positions.size(); ++i)
        if (i == 0 || positions[i] != positions[i - 1])
            shown.push_back(positions[i]);
    std::vector<Point> expected{{100, 300}};
    expected.insert(expected.end(), steps.begin(), steps.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(clock.now(), 10u * steps.size()); // one wait per step, none after
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(300 + w / 2, 300 + h / 2),
              sharedObjects.CardFaces[card - 1].pixel(w / 2, h / 2));
}

TEST_F(CardMoveTest, FineStepsAndSpeedZeroNeverWait) {
    for (const auto& [speed, fine] : {std::pair{"10", true}, {"0", false}}) {
        setField(kSpeedMoveCardPosition, 2, speed);
        platform::app::TestClock clock;
        fnAnimateCardMove(7, 100, 300, 200, 250, false, fine, false, true);
        EXPECT_EQ(clock.now(), 0u) << speed;
    }
}

TEST_F(CardMoveTest, AShadowedDropSettlesOntoItsPlace) {
    setField(kSpeedMoveCardPosition, 2, "5");
    platform::app::TestClock clock;
    fnAnimateCardMove(7, 100, 300, 309, 309, false, false, true, true);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), (Point{309, 309}));
    EXPECT_EQ(clock.now(), 5u * CardMovePath(100, 300, 300, 300, false).size() + 10u);
}

TEST_F(CardMoveTest, ACardForAnAbsentPileFliesOffTheUpperLeft) {
    fnAnimateCardMove(7, 100, 300, kAbsentPile, kAbsentPile, false, false, false, true);
    EXPECT_EQ(positions.back(), (Point{-3 * mainWindow.CardWidth, -3 * mainWindow.CardHeight}));
}

TEST_F(CardMoveTest, KeyAndButtonPressesDuringAMoveAreSwallowedButMovesPass) {
    CountingWidget widget;
    widget.show();
    duringMove = [&](int shown) {
        if (shown != 2)
            return;
        QTest::keyClick(&widget, Qt::Key_A);
        QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mousePress(&widget, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mouseMove(&widget, QPoint(8, 8));
    };
    SaveOnMessage();
    presentation_.InstallInputSwallowHook();
    fnAnimateCardMove(7, 100, 300, 300, 300, true, false, false, true);
    presentation_.RestoreSavedOnMessage();
    EXPECT_EQ(widget.keys, 0);
    EXPECT_EQ(widget.presses, 0);
    EXPECT_GT(widget.moves, 0);
    QTest::keyClick(&widget, Qt::Key_A); // the saved hook is back: keys pass again
    EXPECT_EQ(widget.keys, 1);
}

class WinningAnimationTest : public CardMoveTest, public ::testing::WithParamInterface<int> {};

TEST_P(WinningAnimationTest, AKeyPressStopsItWithinOneCardAndGoesNoFurther) {
    setField(kWinningAnimationPosition, 1, "Y");
    CountingWidget widget;
    widget.show();
    constexpr int kPressAt = 40;
    int cards = 0;
    tableWindow.show = [&](const platform::gdi::Rect&) {
        if (++cards == kPressAt)
            QTest::keyClick(&widget, Qt::Key_Space);
    };
    platform::app::TestClock clock;
    SaveOnMessage();
    presentation_.InstallAnimationMessageHook();
    fnPlayWinningAnimation(GetParam());
    presentation_.RestoreSavedOnMessage();
    EXPECT_FALSE(mainWindow.WinAnimationRunning);
    EXPECT_GE(cards, kPressAt);
    EXPECT_LE(cards, kPressAt + 1);
    EXPECT_EQ(widget.keys, 0);
}

TEST_P(WinningAnimationTest, RunsToItsEndUndisturbedAndNotAtAllWhenSwitchedOff) {
    int cards = 0;
    tableWindow.show = [&](const platform::gdi::Rect&) { ++cards; };
    platform::app::TestClock clock;
    setField(kWinningAnimationPosition, 1, "N");
    fnPlayWinningAnimation(GetParam());
    EXPECT_EQ(cards, 0);
    setField(kWinningAnimationPosition, 1, "Y");
    fnPlayWinningAnimation(GetParam());
    // Size B: 2001 cards at random places, 1500 walking.
    EXPECT_EQ(cards, GetParam() == 1 ? 2001 : 1500);
    EXPECT_FALSE(mainWindow.WinAnimationRunning);
}

INSTANTIATE_TEST_SUITE_P(Styles, WinningAnimationTest, ::testing::Values(1, 2));

// Sounds.

struct SoundCase {
    const char* name;
    const char* master;
    bool flag;
    bool plays;
};

class SoundRoutineTest : public TableFixture, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(SoundRoutineTest, PlaysOnlyWithItsFlagAndTheMasterSwitch) {
    setField(kSoundsEnabledPosition, 1, GetParam().master);
    platform::sound::Recorder sounds;
    fnPlaySound("Tableau", GetParam().flag);
    fnPlaySoundSync("New", GetParam().flag);
    fnPlaySoundLoop("Redeal", GetParam().flag);
    fnPlaySound("About.wav", GetParam().flag);
    fnStopSound();
    std::vector<std::string> expected;
    if (GetParam().plays)
        expected = {fnSoundPath("Tableau"), fnSoundPath("New"), fnSoundPath("Redeal"),
                    fnSoundPath("About.wav")};
    EXPECT_EQ(sounds.played(), expected);
    const bool stopped = !sounds.events().empty() &&
                         sounds.events().back().kind == platform::sound::Event::Kind::Stop;
    EXPECT_EQ(stopped, GetParam().master[0] == 'Y');
    if (GetParam().plays) {
        const auto& events = sounds.events();
        EXPECT_EQ(events[0].mode, Mode::Async);
        EXPECT_EQ(events[1].mode, Mode::Sync);
        EXPECT_EQ(events[2].mode, Mode::Loop);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_TRUE(events[i].found) << events[i].path; // the shipped SOUNDS folder
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, SoundRoutineTest,
                         ::testing::Values(SoundCase{"On", "Y", true, true},
                                           SoundCase{"FlagOff", "Y", false, false},
                                           SoundCase{"MasterOff", "N", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class DealSoundTest : public CardMoveTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DealSoundTest, TheDealShufflesInALoopStoppedAtItsEnd) {
    setField(kSoundsEnabledPosition, 1, "Y");
    setField(kShuffleSoundPosition, 1, GetParam());
    fnClearGameState(false, true);
    loadGame(kKlondike);
    deal();
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    platform::sound::Recorder sounds;
    platform::app::TestClock clock;
    fnDrawTable(Surface::Window, true);
    const auto& events = sounds.events();
    if (GetParam()[0] == 'Y') {
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].path, fnSoundPath("Shuffle"));
        EXPECT_EQ(events[0].mode, Mode::Loop);
    } else {
        ASSERT_EQ(events.size(), 1u);
    }
    EXPECT_EQ(events.back().kind, platform::sound::Event::Kind::Stop);
    // The dealt table in the back buffer is the table drawn without the animation.
    const platform::gdi::Bitmap dealt = sharedObjects.BackBuffer;
    drawTable();
    // but for the rounded lower-right corner of the stock's thickness: the deal ends by drawing
    // the stock's top again, which rounds it.
    fnCopyCornersFromBackground(Surface::BackBuffer,
                                platform::gdi::Rect::fromSize(fnStockPileX(0), fnStockPileY(0),
                                                              mainWindow.CardWidth,
                                                              mainWindow.CardHeight),
                                kLowerRightCorner);
    EXPECT_EQ(firstDifference(dealt, sharedObjects.BackBuffer), "");
}

INSTANTIATE_TEST_SUITE_P(ShuffleFlag, DealSoundTest, ::testing::Values("Y", "N"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(TableFixture, StartupSoundFollowsThePreferences) {
    const std::string dir = makeScratchProgramDir();
    setField(kPreferencesFilePosition, kPreferencesFileWidth, "DATA\\CFG.DAT");
    struct Case {
        const char* preferences;
        const char* enabled; // field 141 afterwards
        bool splash;
    };
    const Case cases[] = {{"", "Y", true},
                          {"[Preference]\nSounds_Splash=N\n", "Y", false},
                          {"[Preference]\nSounds_Enabled=N\n", "N", false}};
    for (const Case& c : cases) {
        std::ofstream(dir + "DATA/CFG.DAT") << c.preferences;
        platform::sound::Recorder sounds;
        fnStartupSound();
        EXPECT_EQ(fnReadSettingsField(kSoundsEnabledPosition, 1), c.enabled) << c.preferences;
        EXPECT_EQ(sounds.played().size(), c.splash ? 1u : 0u) << c.preferences;
    }
}
