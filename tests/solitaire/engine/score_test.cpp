// The score and the undo history: points, recomputation from the table, snapshots pushed
// and merged, and the commands whose availability follows the game.

#include "solitaire/engine/score.h"
#include "solitaire/engine/undo.h"

#include "engine_fixture.h"
#include "recording_presentation.h"

#include "platform/app/messagebox.h"
#include "solitaire/engine/settings.h"

#include <algorithm>

namespace solitaire {
namespace {

void setWord(int number, int value) {
    gameDefinition.at(static_cast<std::size_t>(number)) = static_cast<std::int16_t>(value);
}
std::string score() {
    return fnReadSettingsField(122, 6);
}

class ScoreTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        setWord(265, 52);
        setWord(261, 4);
        fnWriteSettingsField(120, 2, "01");
        fnWriteSettingsField(122, 6, "0");
    }
    testing::RecordingPresentation recorder;
    testing::RecordingPresentation::Scoped installed{recorder};
};

TEST_F(ScoreTest, ResetStartsAtMinusTheCardsThenFivePerPoint) {
    AddScore(0, true);
    EXPECT_EQ(score(), "-52");
    AddScore(1, false);
    EXPECT_EQ(score(), "-47") << "one card on a foundation";
    EXPECT_EQ(mainWindow.ScoreLabel, "-47");
    AddScore(20, false);
    EXPECT_EQ(score(), "53");
    EXPECT_EQ(std::ranges::count(recorder.calls, "ShowWindowState()"), 3);
}

TEST_F(ScoreTest, NotCountedLeavesTheScoreButShowsIt) {
    fnWriteSettingsField(120, 2, "00");
    fnWriteSettingsField(122, 6, "17");
    AddScore(0, true);
    AddScore(3, false);
    EXPECT_EQ(score(), "17");
    EXPECT_EQ(mainWindow.ScoreLabel, "17");
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"ShowWindowState()", "ShowWindowState()"}));
}

TEST_F(ScoreTest, KindNineHasNoScore) {
    setWord(35, 9);
    fnWriteSettingsField(122, 6, "99");
    AddScore(1, false);
    AddScore(0, true);
    RecomputeScore();
    EXPECT_EQ(score(), "99");
    EXPECT_EQ(mainWindow.ScoreLabel, "");
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(ScoreTest, ScoreFieldMustHoldANumber) {
    fnWriteSettingsField(122, 6, "");
    EXPECT_THROW(AddScore(1, false), ConversionError);
}

TEST_F(ScoreTest, RecomputedFromFoundationsDiscardPileAndBase) {
    for (int f = 0; f < 4; ++f)
        sharedObjects.DestPiles[static_cast<std::size_t>(f)] = std::string(13 * 3, '1');
    RecomputeScore();
    EXPECT_EQ(score(), "208");

    setWord(265, 104);
    setWord(33, 2);
    sharedObjects.DestPiles.assign(16, "");
    sharedObjects.DestPiles[0] = "001002003004";
    sharedObjects.DestPiles[3] = "040";
    sharedObjects.DestPiles[4] = "014015"; // not one of the game's four foundations
    sharedObjects.MazzoPiles[kDiscardLine] = "020021022";
    RecomputeScore();
    EXPECT_EQ(score(), "-54"); // 5 x (2 + 3 + 4 + 1) - 104
    EXPECT_EQ(mainWindow.ScoreLabel, "-54");
}

TEST_F(ScoreTest, RecomputeOnlyWhenCounted) {
    fnWriteSettingsField(120, 2, "02");
    sharedObjects.DestPiles[0] = "001";
    RecomputeScore();
    EXPECT_EQ(score(), "0");
    EXPECT_TRUE(recorder.calls.empty());
}

class UndoTest : public ScoreTest {
protected:
    void SetUp() override {
        ScoreTest::SetUp();
        setPileCounts(8, 4);
        sharedObjects.MazzoPiles[kStockLine] = "001002";
        sharedObjects.DestPiles[0] = "014";
        sharedObjects.FilaPiles[2] = "027";
        sharedObjects.AppoggPiles[1] = "040";
        SetCardFaceFlag(2, kFaceDown);
    }
    static std::array<std::size_t, 4> sizes(const std::array<StringList, 4>& side) {
        return {side[0].size(), side[1].size(), side[2].size(), side[3].size()};
    }
};

TEST_F(UndoTest, PushRecordsOneStepOfTheTable) {
    fnWriteSettingsField(138, 1, "1");
    fnPushSnapshot(HistorySide::Undo, false);
    const auto& undo = sharedObjects.UndoStack;
    EXPECT_EQ(sizes(undo), (std::array<std::size_t, 4>{3, 16, 26, 8}));
    EXPECT_EQ(undo[0][0], "00110020");
    EXPECT_EQ(undo[1][0], "0141");
    EXPECT_EQ(undo[2][2], "0271");
    EXPECT_EQ(undo[3][1], "0401");
    EXPECT_EQ(sharedObjects.MovedCardsLog, ",");
    EXPECT_EQ(fnReadSettingsField(138, 1), "0");

    sharedObjects.FilaPiles[2] += "028";
    fnPushSnapshot(HistorySide::Undo, true); // the undo side always records
    EXPECT_EQ(sizes(undo), (std::array<std::size_t, 4>{6, 32, 52, 16}));
    EXPECT_EQ(undo[2][26 + 2], "02710281");
    EXPECT_EQ(sharedObjects.MovedCardsLog, ",,");
    EXPECT_TRUE(sharedObjects.RedoStack[0].empty());
}

TEST_F(UndoTest, SelectionGamesRecordNoFirstFoundation) {
    for (const auto& [word, value] : {std::pair{30, 10}, std::pair{35, 3}, std::pair{35, 4}}) {
        gameDefinition.fill(0);
        setWord(word, value);
        sharedObjects.UndoStack = {};
        fnPushSnapshot(HistorySide::Undo, false);
        EXPECT_EQ(sharedObjects.UndoStack[1][0], "") << "word " << word << " = " << value;
    }
}

TEST_F(UndoTest, RedoSideRecordsOrClears) {
    fnPushSnapshot(HistorySide::Redo, false);
    EXPECT_EQ(sizes(sharedObjects.RedoStack), (std::array<std::size_t, 4>{3, 16, 26, 8}));
    EXPECT_EQ(sharedObjects.RedoMovedCardsLog, ",");
    EXPECT_TRUE(sharedObjects.UndoStack[0].empty());
    fnWriteSettingsField(139, 1, "1");
    fnPushSnapshot(HistorySide::Redo, true);
    EXPECT_EQ(sizes(sharedObjects.RedoStack), (std::array<std::size_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(sharedObjects.RedoMovedCardsLog, ",") << "clearing leaves the log";
    EXPECT_EQ(fnReadSettingsField(139, 1), "0");
}

TEST_F(UndoTest, DropStepsKeepsTheEarlierStepWhole) {
    auto& undo = sharedObjects.UndoStack;
    undo[0] = {"a0", "a1", "a2", "b0", "b1", "b2"};
    undo[1] = {"only"};
    undo[3] = {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"};
    for (int n = 0; n < 8; ++n)
        undo[3].push_back("later");
    sharedObjects.MovedCardsLog = "001,002003,";
    fnDropUndoSteps(true, 1);
    EXPECT_EQ(undo[0], (StringList{"a0", "a1", "a2"}));
    EXPECT_EQ(undo[1], (StringList{"only"})) << "a list of less than two steps keeps its lines";
    EXPECT_EQ(undo[3], (StringList{"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"}));
    EXPECT_EQ(sharedObjects.MovedCardsLog, "002003,");
}

TEST_F(UndoTest, DropStepsRefusedOnlyReports) {
    platform::app::ScriptedMessageBoxes boxes;
    sharedObjects.UndoStack[0] = {"a", "b", "c"};
    sharedObjects.MovedCardsLog = "001,002,";
    fnDropUndoSteps(false, 2);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Del Lines");
    EXPECT_EQ(sharedObjects.UndoStack[0].size(), 3u);
    EXPECT_EQ(sharedObjects.MovedCardsLog, "001,002,");
}

TEST_F(ScoreTest, CommandsFollowTheGame) {
    fnEnableAutoPlay(true);
    EXPECT_TRUE(mainWindow.AutoPlayEnabled);
    EXPECT_EQ(mainWindow.AutoPlayGlyph, "TB_AUTOPLAY");
    fnEnableAutoPlay(false);
    EXPECT_FALSE(mainWindow.AutoPlayEnabled);
    EXPECT_EQ(mainWindow.AutoPlayGlyph, "TB_AUTOPLAY_DIS");
    fnEnableUndoRedo(true);
    EXPECT_TRUE(mainWindow.UndoRedoEnabled);
    EXPECT_EQ(mainWindow.UndoGlyph, "TB_UNDO");
    EXPECT_EQ(mainWindow.RedoGlyph, "TB_REDO");
    fnEnableUndoRedo(false);
    EXPECT_FALSE(mainWindow.UndoRedoEnabled);
    EXPECT_EQ(mainWindow.UndoGlyph, "TB_UNDO_DIS");
    EXPECT_EQ(mainWindow.RedoGlyph, "TB_REDO_DIS");
    EXPECT_EQ(std::ranges::count(recorder.calls, "ShowWindowState()"), 4);
}

} // namespace
} // namespace solitaire
