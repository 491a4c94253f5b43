#pragma once
// The seam between the engine and the main window. The engine keeps the window fields it
// reads and writes in MainWindowState and reaches every picture, sound, caption, clock and
// dialog through the one Presentation interface; the main window implements it, the tests
// record the calls.

#include "platform/gdi/geometry.h"

#include <string>

namespace solitaire {

// Where a drawing call draws: straight onto the window or into the back buffer that holds
// the whole table in table coordinates.
enum class Surface { Window, BackBuffer };

struct MainWindowState {
    bool GameRunning = false;
    bool GameWon = false;
    bool GameFinished = false;
    bool ClockRunning = false;
    bool WinAnimationRunning = false;
    bool DoubleClickPending = false; // the press belongs to a double click
    bool TableReady = false; // the piles are dealt: the table can be drawn
    bool TableDrawn = false; // the table has been drawn since

    // The dragged cards: height of the group, where the drag image was last drawn, the
    // grab point inside the top card, the press point of the drag (0, 0 none), where a
    // right-button peek drew a card, and the shadow's depth (9, or 0 without shadows).
    int DragHeight = 0;
    platform::gdi::Rect DragTargetRect; // window coordinates
    int GrabX = 0;
    int GrabY = 0;
    int LastDragX = 0;
    int LastDragY = 0;
    int PeekX = 0;
    int PeekY = 0;
    int ShadowOffset = 0;

    int CardWidth = 0;
    int CardHeight = 0;
    int Width = 0; // the main window's frame
    int Height = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int TableAreaTop = 0;   // bottom of the visible tool bar panel, 5 without one
    int ScrollBarWidth = 0; // the vertical scroll bar scrBarMain
    int ScrollBarPosition = 0;

    std::string ScoreLabel;       // lblScore
    std::string ClockLabel;       // lblTempo, "h:nn:ss"
    bool AutoPlayChecked = false; // the Autoplay menu item
    // Commands whose availability follows the game, and the resource names of the glyphs
    // of the second autoplay, undo and redo tool buttons.
    bool AutoPlayEnabled = false;
    bool UndoRedoEnabled = false;
    bool CustomizeEnabled = true; // the options command
    bool PauseQuitEnabled = false;
    std::string AutoPlayGlyph;
    std::string UndoGlyph;
    std::string RedoGlyph;
};

extern MainWindowState mainWindow;

class Presentation {
public:
    virtual ~Presentation() = default;

    // Main window
    // Repaints what is pending and shows the labels, checks, glyphs and enabled commands
    // of MainWindowState as they are now.
    virtual void UpdateMainWindow() = 0;
    // Shows the labels, glyphs and enabled commands of MainWindowState as they are now,
    // without painting the table (the engine changed some of them).
    virtual void ShowWindowState() = 0;
    // Has that part of the window painted at once (the paint handler copies the back
    // buffer onto the window).
    virtual void RepaintWindowRect(const platform::gdi::Rect& rect) = 0;
    virtual void fnUpdateCaption() = 0;
    virtual void Timer1Timer() = 0; // the clock's timer handler
    virtual void CloseMainWindow() = 0;
    virtual void ShowGameChooser() = 0;
    virtual void HidePileSizeHint() = 0;
    virtual void ApplyCardSize() = 0;

    // Table background and back buffer
    virtual void fnPaintConfiguredBackground(Surface canvas) = 0;
    virtual void fnDrawBackgroundCopy(Surface canvas) = 0;
    virtual void fnFlipBackBuffer() = 0;

    // Piles and cards
    virtual void fnDrawTable(Surface canvas, bool dealAnimation) = 0;
    virtual void RedrawTable() = 0;
    virtual void RedrawPile(const std::string& pileName, int sourceX, int sourceY, Surface canvas,
                            bool animate) = 0;
    virtual void RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas) = 0;
    virtual void fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas,
                            int pileIndex) = 0;
    virtual void fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas) = 0;
    virtual void fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex) = 0;
    virtual void fnDrawStockEdge(Surface canvas, bool keepPosition, int place, bool alsoBackBuffer,
                                 bool force, int pileLength) = 0;
    virtual void fnRestoreCardCorners(int left, int top, int right, int bottom) = 0;
    virtual void fnRestoreTableauBaseCorners(int pileIndex) = 0;
    virtual void fnInvertCardRect(Surface canvas, bool onWindow,
                                  const platform::gdi::Rect& rect) = 0;
    virtual void DrawSelection(Surface canvas, bool onWindow) = 0;

    // Animations, sounds and the input filters that run with them
    virtual void fnAnimateCardMove(int card, int fromX, int fromY, int toX, int toY,
                                   bool leaveInBackBuffer, bool fineSteps, bool fromShadowedPlace,
                                   bool prepareImage) = 0;
    virtual void fnPlayWinningAnimation(int style) = 0;
    virtual void fnPlaySound(const std::string& name, bool enabled) = 0;
    virtual void fnPlaySoundSync(const std::string& name, bool enabled) = 0;
    virtual void fnPlaySoundLoop(const std::string& name, bool enabled) = 0;
    virtual void fnStopSound() = 0;
    virtual void InstallInputSwallowHook() = 0;     // key and mouse presses are dropped
    virtual void InstallAnimationMessageHook() = 0; // a press stops the winning animation
    virtual void RestoreSavedOnMessage() = 0;       // the hook saved at start-up

    // Drag image and move redraws
    virtual void fnSetDragRects(int left, int top, int right, int bottom) = 0;
    virtual void fnBuildDragImage() = 0;
    virtual bool fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners) = 0;
    virtual void fnEraseDragImage() = 0;
    virtual void fnEraseDragShadow() = 0;
    virtual void fnShowStockHint() = 0;
    virtual void fnHideStockHint() = 0;
    virtual void fnRedrawSourcePile(int card, bool single) = 0;
    virtual void fnRedrawCardInPile(int card) = 0;
};

// The main window installs itself at creation and removes itself (nullptr) when it goes.
void setPresentation(Presentation* presentation);
// Throws std::logic_error when no presentation is installed.
Presentation& presentation();

} // namespace solitaire
