#include "solitaire/engine/lifecycle.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/deal.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/undo.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/app/messagebox.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"
#include "platform/app/strings.h"

namespace solitaire {

using namespace play;

GameClock gameClock;

namespace {

constexpr int kGameNameField = 189;
constexpr int kGameNameWidth = 50;
constexpr int kCardSizeField = 128;
constexpr int kBackField = 21;
constexpr int kFaceSetField = 24;
constexpr int kFallbackSizeField = 240;
constexpr int kSavedFaceSetField = 129;
constexpr int kSavedBackField = 132;
constexpr int kScoreField = 122;
constexpr int kUndoAvailableField = 138;
constexpr int kRedoAvailableField = 139;
constexpr int kConfirmQuitField = 185;
constexpr int kLanguageBaseField = 68;
constexpr int kDealAnimationField = 241;
constexpr int kQuitQuestionEntry = 9001;
constexpr int kDefaultLanguageBase = 20000;
constexpr int kNarrowScreen = 650;
constexpr char kTimeSeparator = ':';

std::string readField(int position, int width) {
    return fnReadSettingsField(position, width);
}
void writeField(int position, int width, const std::string& text) {
    fnWriteSettingsField(position, width, text);
}

// Small screens play the games that need it with the predefined medium card set; the
// player's own set is put back when the screen is large enough again.
void chooseCardSet() {
    const bool needsPredefined = word(29) == 1;
    if (platform::app::screenWidth() < kNarrowScreen && needsPredefined) {
        if (readField(kCardSizeField, 1) != "B") {
            engineScalars.CardSetFallback = 1;
        } else {
            writeField(kFallbackSizeField, 1, readField(kCardSizeField, 1));
            writeField(kSavedFaceSetField, 3, readField(kFaceSetField, 3));
            writeField(kSavedBackField, 3, readField(kBackField, 3));
            writeField(kFaceSetField, 3, "003");
            writeField(kBackField, 3, "006");
            writeField(kCardSizeField, 1, "M");
        }
        mainWindow.CustomizeEnabled = false;
        if (engineScalars.CardSetFallback == 0) {
            engineScalars.CardSetFallback = 1;
            if (engineScalars.LowResolutionShown == 0) {
                engineScalars.LowResolutionShown = 1;
                fnInfoMessage("Your video card runs at 640x480 pixels.\nFor best graphics display, "
                              "screen resolution should be set to 800x600 pixels or higher. "
                              "However, it's possible to play " +
                              readField(kGameNameField, kGameNameWidth) + " " +
                              "using a predefined card and deck set.");
                presentation().UpdateMainWindow();
            }
        }
    } else if (!readField(kSavedFaceSetField, 3).empty()) {
        writeField(kCardSizeField, 1, readField(kFallbackSizeField, 1));
        writeField(kFaceSetField, 3, readField(kSavedFaceSetField, 3));
        writeField(kBackField, 3, readField(kSavedBackField, 3));
        writeField(kFallbackSizeField, 1, "");
        writeField(kSavedFaceSetField, 3, "");
        writeField(kSavedBackField, 3, "");
        mainWindow.CustomizeEnabled = true;
    }
}

void autoPlayAtStart() {
    fnWaitMs(800);
    fnAutoPlay(false);
    do
        fnFillEmptyTableaus();
    while (fnAutoPlay(false));
}

int languageBase() {
    return fnTryStrToInt(readField(kLanguageBaseField, 6)).value_or(kDefaultLanguageBase);
}

} // namespace

void fnSetUpGame() {
    gameDefinition.fill(0);
    fnLoadGameDefinition();
    const std::string sizeBefore = readField(kCardSizeField, 1);
    chooseCardSet();
    if (readField(kCardSizeField, 1) != sizeBefore)
        presentation().ApplyCardSize();
    fnMarkPilesAbsent();
    fnEnableAutoPlay(word(17) != 0);
    fnSetFanOffsets();
    fnLayoutTable();
}

bool fnStartNewGame(bool full, bool animate, int tick, bool noDrawing) {
    const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    presentation().UpdateMainWindow();
    presentation().fnUpdateCaption();
    engineScalars.PhaseCounter = 0;
    engineScalars.StockPassCount = 0;
    engineScalars.PileSizeHintRaised = 0;
    StockDealCount = 0;
    fnClearGameState(false, full);
    MakeRandomOffsetRows();
    writeField(kUndoAvailableField, 1, "0");
    writeField(kRedoAvailableField, 1, "0");
    if (full) {
        if (word(265) != 0)
            fnSaveRestoreBaseCodes(true);
        else
            fnSetUpGame();
        mainWindow.ClockRunning = false;
        mainWindow.ClockLabel = std::string("0") + kTimeSeparator + "00" + kTimeSeparator + "00";
        writeField(kScoreField, 6, "0");
        if (tick == 2)
            fnClockTick();
        fnNewGameNumber();
        DealGame();
    }
    mainWindow.GameRunning = true;
    mainWindow.GameWon = false;
    if (!noDrawing)
        presentation().fnPaintConfiguredBackground(Surface::BackBuffer);
    mainWindow.ScoreLabel = readField(kScoreField, 6);
    presentation().ShowWindowState();
    fnClockTick();
    if (!noDrawing) {
        if (switchNotOff(kDealAnimationField) && animate) {
            presentation().fnFlipBackBuffer();
            presentation().InstallInputSwallowHook();
            presentation().fnDrawTable(Surface::Window, true);
            presentation().RestoreSavedOnMessage();
        } else {
            presentation().fnDrawTable(Surface::BackBuffer, false);
            presentation().fnFlipBackBuffer();
        }
    }
    if (!mainWindow.ClockRunning) {
        mainWindow.ClockRunning = true;
        gameClock.StartTicks = platform::app::tickCount();
        fnClockTick();
    }
    if (autoPlayOn())
        autoPlayAtStart();
    mainWindow.PauseQuitEnabled = true;
    presentation().ShowWindowState();
    return true;
}

bool fnConfirmQuitGame(const std::optional<std::string>& text) {
    if (mainWindow.WinAnimationRunning)
        return false;
    bool mayQuit = true;
    if (readField(kConfirmQuitField, 1) != "N" && mainWindow.GameRunning && !mainWindow.GameWon) {
        const std::string question =
            text ? *text : platform::app::loadString(kQuitQuestionEntry + languageBase());
        mayQuit = platform::app::messageBox(question, {}, platform::app::Buttons::OkCancel,
                                            platform::app::Icon::Question) !=
                  platform::app::Answer::Cancel;
    }
    presentation().UpdateMainWindow();
    return mayQuit;
}

void fnEndGame() {
    if (!mainWindow.GameRunning)
        return;
    std::optional<platform::app::ScopedScreenCursor> hourglass;
    hourglass.emplace(platform::app::CursorShape::Wait);
    presentation().HidePileSizeHint();
    if (gameKind() == 9)
        mainWindow.GameWon = fnTryStrToInt(readField(kScoreField, 6)).value_or(0) >= 100;
    const bool won = mainWindow.GameWon;

    gameClock.EndTicks = platform::app::tickCount();
    mainWindow.ClockRunning = false;
    mainWindow.PauseQuitEnabled = false;
    engineScalars.DraggedCard = 0;
    engineScalars.DraggedGroupTop = 0;
    fnClockTick();
    mainWindow.GameWon = false;
    mainWindow.GameRunning = false;
    mainWindow.GameFinished = true;
    engineScalars.ClosePending = 0;

    if (won) {
        hourglass.reset();
        fnWaitProcessing(200);
        presentation().InstallAnimationMessageHook();
        presentation().fnPlaySound("Won", switchIsOn(kWonSoundField));
        mainWindow.WinAnimationRunning = true;
        presentation().fnPlayWinningAnimation(platform::app::random(2) + 1);
        mainWindow.WinAnimationRunning = false;
    }
    hourglass.reset();
    if (engineScalars.ClosePending == 1) {
        presentation().CloseMainWindow();
    } else if (won && !mainWindow.GameRunning) {
        presentation().RestoreSavedOnMessage();
        presentation().fnPaintConfiguredBackground(Surface::BackBuffer);
        presentation().fnFlipBackBuffer();
        presentation().ShowGameChooser();
    }
    presentation().RestoreSavedOnMessage();
}

int fnElapsedSeconds() {
    const std::string& label = mainWindow.ClockLabel;
    const auto first = label.find(kTimeSeparator);
    const auto second = first == std::string::npos ? first : label.find(kTimeSeparator, first + 1);
    if (second == std::string::npos)
        return 0;
    const auto hours = fnTryStrToInt(label.substr(0, first));
    const auto minutes = fnTryStrToInt(label.substr(first + 1, second - first - 1));
    const auto seconds = fnTryStrToInt(label.substr(second + 1));
    if (!hours || !minutes || !seconds || *hours < 0 || *minutes < 0 || *minutes > 59 ||
        *seconds < 0 || *seconds > 59)
        return 0;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

void fnClockTick() {
    presentation().Timer1Timer();
    presentation().ShowWindowState();
}

void fnGameNameById(int id, std::string& name) {
    if (id >= 8000)
        return;
    name.clear();
    const StringList& list = sharedObjects.GameList;
    auto idOf = [](const std::string& line) {
        return line.size() >= 7 ? fnTryStrToInt(line.substr(4, 3)) : std::nullopt;
    };
    auto nameOf = [](const std::string& line) {
        return line.size() > 10 ? fnTrimRight(line.substr(10, kGameListNameWidth)) : std::string();
    };
    if (id >= 0 && static_cast<std::size_t>(id) < list.size() && idOf(list[id]) == id) {
        name = nameOf(list[id]);
        return;
    }
    for (const std::string& line : list)
        if (idOf(line) == id) {
            name = nameOf(line);
            return;
        }
}

} // namespace solitaire
