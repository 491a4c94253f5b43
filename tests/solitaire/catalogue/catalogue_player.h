#pragma once
// The moves a player can make on the current table, as mouse actions at the places the
// engine's geometry gives, found from the engine's own rules; the same actions made straight
// through the engine's table handlers (without a window); and a search over them that tries
// to win a deal.

#include "solitaire/engine/presentation.h"

#include <cstdint>
#include <string>
#include <vector>

namespace solitaire::catalogue {

struct Point {
    int x = 0;
    int y = 0;
};

// A press and release at `from` (a drag when `to` differs), a double click at `from`, or
// undoing the last step (the player's own take-back of the table the history recorded).
struct Action {
    enum class Kind { Drag, Click, DoubleClick, Undo };
    Kind kind = Kind::Click;
    Point from;
    Point to;
    std::string what;     // for reports: "card 23 onto Fila3"
    int card = 0;         // the card pressed, 0 for the stock
    bool home = false;    // it goes to a foundation
    int ontoTableau = -1; // the tableau pile (0-based) a drag puts it on
};

// Drags the rules accept (every movable card or group onto every pile that takes it), the
// stock click, presses on cards the game plays by a click (turning a face-down card, the
// selection and pairing games, cards that go to the discard pile) and double clicks that
// send a card to a foundation. Nothing when no game runs.
std::vector<Action> legalActions();

// The window's own mouse handling, made from the engine's handlers: what a press, a move
// and a release over the table do. For the search, which runs without a window.
void performOnEngine(const Action& action);

// Draws nothing and shows nothing; the drag rectangle follows the mouse as the drag image
// would. Installed while the search plays.
class SilentPresentation : public Presentation {
public:
    void UpdateMainWindow() override {}
    void ShowWindowState() override {}
    void RepaintWindowRect(const platform::gdi::Rect&) override {}
    void fnUpdateCaption() override {}
    void Timer1Timer() override {}
    void CloseMainWindow() override {}
    void ShowGameChooser() override {}
    void HidePileSizeHint() override {}
    void ApplyCardSize() override {}
    void fnPaintConfiguredBackground(Surface) override {}
    void fnDrawBackgroundCopy(Surface) override {}
    void fnFlipBackBuffer() override {}
    void fnDrawTable(Surface, bool) override {}
    void RedrawTable() override {}
    void RedrawPile(const std::string&, int, int, Surface, bool) override {}
    void RedrawPileTop(const std::string&, int, Surface) override {}
    void fnDrawCard(int, int, int, bool, Surface, int) override {}
    void fnDrawCardBack(int, int, int, bool, Surface) override {}
    void fnDrawPileBase(int, int, int, Surface, int) override {}
    void fnDrawStockEdge(Surface, bool, int, bool, bool, int) override {}
    void fnRestoreCardCorners(int, int, int, int) override {}
    void fnRestoreTableauBaseCorners(int) override {}
    void fnInvertCardRect(Surface, bool, const platform::gdi::Rect&) override {}
    void DrawSelection(Surface, bool) override {}
    void fnAnimateCardMove(int, int, int, int, int, bool, bool, bool, bool) override {}
    void fnPlayWinningAnimation(int) override {}
    void fnPlaySound(const std::string&, bool) override {}
    void fnPlaySoundSync(const std::string&, bool) override {}
    void fnPlaySoundLoop(const std::string&, bool) override {}
    void fnStopSound() override {}
    void InstallInputSwallowHook() override {}
    void InstallAnimationMessageHook() override {}
    void RestoreSavedOnMessage() override {}
    void fnSetDragRects(int left, int top, int right, int bottom) override;
    void fnBuildDragImage() override {}
    bool fnMoveDragImage(int x, int y, bool, bool) override;
    void fnEraseDragImage() override {}
    void fnEraseDragShadow() override {}
    void fnShowStockHint() override {}
    void fnHideStockHint() override {}
    void fnRedrawSourcePile(int, bool) override {}
    void fnRedrawCardInPile(int) override {}
};

struct SearchResult {
    bool won = false;
    int nodes = 0; // actions tried
};
// Best first over the legal actions: the most promising table seen so far (cards home, cards
// in order, piles emptied, face-down cards turned, none buried, none lying over a card that
// could go home) is taken up next, no table twice; a card that can go home at no cost goes
// there before anything else, and the card just moved or one moved only from a card it builds
// on to a like one is left alone; until the game is won or `budget` actions were tried. The
// running game is dealt and set up; the table is left as the search found it. Runs with the
// silent presentation installed (and the caller's put back after).
SearchResult searchForWin(int budget);

} // namespace solitaire::catalogue
