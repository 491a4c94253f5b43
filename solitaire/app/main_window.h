#pragma once
// The program's main window: the card table drawn on its client area, the menu, the two
// interchangeable tool bars, the clock and score panels, the commands, the placement kept in
// the preferences and the first-activation sequence.

#include "solitaire/app/options_dialog.h"
#include "solitaire/app/table_presentation.h"

#include "platform/forms/form.h"
#include "platform/resources/resources.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace solitaire {

class TfrmOpenGame;

// The cursors of the resource library by slot (10..16 and 20..26, installed at start-up).
platform::app::Cursor CursorSlot(int slot);

// The window is the program's side of the engine's seam: the table drawing comes from
// TablePresentation, the window calls are its own. The options dialog switches its tool bars
// and panels.
class TfrmMain : public platform::forms::Window, public TablePresentation, public OptionsHost {
public:
    TfrmMain();
    ~TfrmMain() override;

    // Binds the resource library (a missing one ends the program after its message), then
    // loads the preferences.
    void FormCreate();
    void InitFromPreferences();
    void RestoreWindowState();
    void m_AppActivate();
    // The splash window is gone: activations count from now on. An activation that came
    // while the splash was up is taken up once the message loop runs.
    void StartupFinished();
    // The chooser, created once at start-up and shown modally by the first activation and
    // the Open command.
    void CreateGameChooser();
    TfrmOpenGame* gameChooser() const { return frmOpenGame_.get(); }

    // Commands of the menu and the tool bars.
    void NewGame();
    void OpenGame();
    void ExitProgram();
    void AutoPlay();
    void Customize();
    void Rules();
    void HelpContents();
    void UpdatePage();
    void Newsletter();
    void About();

    void SetToolbarLarge(bool large, bool save) override;
    void SetToolbarFlat(bool flat, bool save) override;
    void LayoutToolbarButtons();
    void LayoutStatusPanels();
    void SetShowTime(bool show, bool persist) override;
    void SetShowScore(bool show, bool persist) override;
    void EnableGameCommands(bool enabled);
    bool SelectGame(int gameId, const std::string& gameName, const std::string& userName,
                    bool save);
    void MainFormResized();

    // What the engine asks of the window.
    void UpdateMainWindow() override;
    void ShowWindowState() override;
    void RepaintWindowRect(const platform::gdi::Rect& rect) override;
    void fnUpdateCaption() override;
    void Timer1Timer() override;
    void CloseMainWindow() override;
    void ShowGameChooser() override;
    void HidePileSizeHint() override;
    void ApplyCardSize() override;

    // Tick count of the last mouse movement over the table while a game runs; -1 none.
    std::int64_t LastMouseMoveTick = -1;
    int MouseX = 0; // the last position while dragging
    int MouseY = 0;

    bool FirstActivation = true;
    std::string DecksFolder;       // card backs, "db*.bmp"
    std::string BackgroundsFolder; // backgrounds, "b*.bmp"

    QMenuBar* MainMenu1;
    QMenu* mnuFile;
    QAction* mnuNew;
    QAction* mnuOpen;
    QAction* mnuExit;
    QAction* mnuAutoPlay;
    QAction* mnuCustomize;
    QAction* mnuRules;
    QAction* mnuContents;
    QMenu* mnuPellmoorontheWeb;
    QAction* mnuWeb;
    QAction* mnuNewsletter;
    QAction* mnuAbout;

    QWidget* pnlTB;  // large tool bar
    QWidget* pnlTB1; // small tool bar
    // New, Open, Autoplay, Rules, Exit of each bar.
    std::array<QToolButton*, 5> largeButtons{};
    std::array<QToolButton*, 5> smallButtons{};
    std::array<QFrame*, 4> largeSeparators{};
    std::array<QFrame*, 4> smallSeparators{};
    QFrame* pnlTempo;
    QLabel* lblTempo2;
    QLabel* lblTempo;
    QFrame* pnlScore;
    QLabel* lblScore2;
    QLabel* lblScore;
    QWidget* pnlStatusBar;
    QLabel* lblNoGameHint; // on the status bar while no game runs
    QWidget* pnlLineaGrigia;
    QWidget* pnlLineaNera;
    QLabel* pnlPilesSize;
    QScrollBar* scrBarMain;
    QTimer* Timer1;
    QMenu* popTB;
    QAction* popLargeIcons;
    QAction* popSmallIcons;
    QAction* popFlatButton;
    QAction* popNoFlatButton;
    QAction* popShowTime;
    QAction* popShowScore;
    QMenu* popTime;
    QMenu* popScore;

protected:
    void onMouseDown(platform::forms::MouseButton button, platform::forms::ShiftState shift, int x,
                     int y) override;
    void onMouseMove(platform::forms::ShiftState shift, int x, int y) override;
    void onMouseUp(platform::forms::MouseButton button, platform::forms::ShiftState shift, int x,
                   int y) override;
    void onDoubleClick() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void onPaint() override;
    void onResize() override;
    void onKeyPress(char character) override;
    bool onCloseQuery() override;
    void onCloseDeferred() override;
    void onClose() override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void buildToolBars();
    void buildPanels();
    QToolButton* toolButton(QWidget* bar, const char* name, const char* hint, const char* glyph,
                            bool large, QAction* command);
    void RedrawWholeTable();
    void InstallCursors();
    void LoadToolbarGlyphs();
    static QIcon glyphIcon(const std::string& name);
    void FirstActivationSequence();
    void UpdateNoGameHint();
    void LayoutStatusBar();
    void LeaveTheCloseToTheEndOfTheGame();

    std::unique_ptr<TfrmOpenGame> frmOpenGame_;
    bool resizeHandlerAttached_ = true;
    bool answersActivations_ = false; // from the end of start-up until the window closes
    bool choosingGame_ = false;       // the chooser is open
    bool statusBarOn_ = true;         // the preferences show the status bar
    std::string shownAutoPlayGlyph_;
};

} // namespace solitaire
