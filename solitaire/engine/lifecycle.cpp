#include "solitaire/engine/lifecycle.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/deal.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/setup.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/app/locale.h"
#include "platform/app/messagebox.h"
#include "platform/app/random.h"
#include "platform/app/strings.h"

namespace solitaire {

using namespace play;

GameClock gameClock;

namespace {

constexpr int kScoreField = 122;
constexpr int kUndoAvailableField = 138;
constexpr int kRedoAvailableField = 139;
constexpr int kConfirmQuitField = 185;
constexpr int kLanguageBaseField = 68;
constexpr int kDealAnimationField = 241;
constexpr int kQuitQuestionEntry = 9001;
constexpr int kDefaultLanguageBase = 20000;

int languageBase() {
    return fnTryStrToInt(fnReadSettingsField(kLanguageBaseField, 6)).value_or(kDefaultLanguageBase);
}

} // namespace

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
    fnWriteSettingsField(kUndoAvailableField, 1, "0");
    fnWriteSettingsField(kRedoAvailableField, 1, "0");
    if (full) {
        if (gameWord(kCardsInPlayWord) != 0)
            fnSaveRestoreBaseCodes(true);
        else
            fnSetUpGame();
        mainWindow.ClockRunning = false;
        mainWindow.ClockLabel = fnClockText(0);
        fnWriteSettingsField(kScoreField, 6, "0");
        if (tick == 2)
            fnClockTick();
        fnNewGameNumber();
        DealGame();
    }
    mainWindow.GameRunning = true;
    mainWindow.GameWon = false;
    if (!noDrawing)
        presentation().fnPaintConfiguredBackground(Surface::BackBuffer);
    mainWindow.ScoreLabel = fnReadSettingsField(kScoreField, 6);
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
    if (autoPlayOn()) {
        fnWaitMs(800);
        fnAutoPlayFillingTableaus();
    }
    mainWindow.PauseQuitEnabled = true;
    presentation().ShowWindowState();
    return true;
}

bool fnConfirmQuitGame(const std::optional<std::string>& text) {
    if (mainWindow.WinAnimationRunning)
        return false;
    bool mayQuit = true;
    if (fnReadSettingsField(kConfirmQuitField, 1) != "N" && mainWindow.GameRunning &&
        !mainWindow.GameWon) {
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
        mainWindow.GameWon = fnTryStrToInt(fnReadSettingsField(kScoreField, 6)).value_or(0) >= 100;
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
        // A close during the wait: the window closes below, with nothing to celebrate first.
        // A game started during it has the table now: the cards would rain over it.
        if (engineScalars.ClosePending == 0 && !mainWindow.GameRunning) {
            presentation().InstallAnimationMessageHook();
            presentation().fnPlaySound("Won", switchIsOn(kWonSoundField));
            mainWindow.WinAnimationRunning = true;
            presentation().fnPlayWinningAnimation(platform::app::random(2) + 1);
            mainWindow.WinAnimationRunning = false;
        }
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

std::string fnClockText(std::uint32_t seconds) {
    const char separator = platform::app::timeSeparator();
    return std::to_string(seconds / 3600) + separator +
           fnIntZeroPad(static_cast<int>(seconds / 60 % 60), 2) + separator +
           fnIntZeroPad(static_cast<int>(seconds % 60), 2);
}

int fnElapsedSeconds() {
    const std::string& label = mainWindow.ClockLabel;
    const char separator = platform::app::timeSeparator();
    const auto first = label.find(separator);
    const auto second = first == std::string::npos ? first : label.find(separator, first + 1);
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
