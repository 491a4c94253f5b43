#pragma once
// TfKolvan32, the program's only main window: the board, the tool bar, the menus and the
// status bar, the game flow in normal mode and the network play (network.cpp). It owns the
// game object and the two sockets.

#include "fourinrow/game/game.h"
#include "fourinrow/socket/syncwait.h"
#include "platform/app/cursor.h"
#include "platform/forms/form.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QFrame;
class QLabel;
class QProgressBar;
class QToolBar;

namespace fourinrow::app {

class TfKolvan32;
class TfOptions;
class TfAbout;
class TfNetwork;

// The client area: the board drawn into the front buffer, with the tool bar and status bar
// laid over its top and bottom. Clicks and typed digits become moves.
class BoardView : public platform::forms::Window {
public:
    explicit BoardView(TfKolvan32& owner);
    // True while a paint event redraws the front buffer, which is shown afterwards anyway.
    bool isPainting() const { return painting_; }

protected:
    void onPaint() override;
    void onMouseDown(platform::forms::MouseButton, platform::forms::ShiftState, int x,
                     int y) override;
    void onKeyPress(char character) override;

private:
    TfKolvan32& owner_;
    bool painting_ = false;
};

// The commands that have a menu item, a tool bar button or both; one action serves both.
enum class Command {
    ToggleMode, // tool bar only
    NewGame,
    NextGame,
    NormalMode,  // menu only
    NetworkMode, // menu only
    Open,
    SaveAs,
    Exit,
    Move,
    Undo,
    Break,
    AutoMinimize, // check button
    ShowProgress, // check button
    About,
};
inline constexpr int kCommandCount = 14;

class TfKolvan32 : public QMainWindow {
public:
    static constexpr const char* kSettingsFile = gameClass::kSettingsFile;
    // The form's client area; the status bar below the board may be taller where the
    // platform's font needs two lines for its texts.
    static constexpr int kClientWidth = 361;
    static constexpr int kClientHeight = 322;
    static constexpr platform::gdi::Color kNavy = 0x800000;
    // How long the window stays up before it minimizes itself for a wait.
    static constexpr std::uint32_t kMinimizeDelay = 700;
    // What one peer may cost: its unread answers, and its mismatched lines in a row (each
    // one is answered). A game sends a few hundred bytes, so either limit is only reached by
    // a peer that floods or ignores the protocol; it is then dropped as a lost connection.
    static constexpr std::size_t kSendQueueLimit = 256 * 1024;
    static constexpr int kMismatchLimit = 32;
    // Lines of the peer acted on in one turn of the event loop; the rest wait for the next
    // turn, so that a peer sending without pause leaves the window, its menus and Disconnect
    // answering. A well-behaved peer sends two or three lines at a time.
    static constexpr int kLinesPerTurn = 8;
    // A shown session state that no session has, so the next status update refreshes the
    // commands whatever the session's state is by then.
    static constexpr std::uint8_t kControlsStale = 0xFF;

    // Creates the game object, which loads "kolvan32.dat" from the current directory.
    TfKolvan32();
    ~TfKolvan32() override;

    // The dialogs are forms of their own, created after this window.
    void AttachDialogs(TfOptions& options, TfAbout& about, TfNetwork& network);

    gameClass& Game() { return *game_; }
    BoardView& Board() { return *board_; }
    QAction& Action(Command command) { return *actions_[static_cast<int>(command)]; }
    QProgressBar& ProgressBar() { return *progress_; }
    // Status panel 1..3.
    std::string StatusText(int panel) const;
    platform::app::CursorShape BoardCursor() const { return cursor_; }

    // --- drawing ---
    void DrawPiece(int column, int row, platform::gdi::Color fill);
    void DrawBoard(bool background);
    void DrawLastMove();
    void ResetBoard();

    // --- game flow ---
    void ColumnChosen(int column);
    void HumanMove(int column);
    void DoComputerMove();
    void AutoMove();
    void UndoLastMove();
    void BreakOrDisconnect();
    void NextGame();
    void NewGameCommand();
    void NewNormalGame();
    void ToggleMode();
    void OpenGame();
    void SaveGameAs();
    void ShowAbout();
    void SaveOnExit();
    void SetStatus(const std::string& a, const std::string& b, const std::string& c);
    void ShowGameInfo();
    void UpdateNormalStatus();
    bool IsGameOver();

    // --- network play (network.cpp) ---
    void NewNetworkGame();
    void StartListening();
    void StartNetworkGame(const std::string& line);
    void SendMove(int column);
    void ReceiveMove(const std::string& character);
    void SetConnectionState(std::uint8_t active, const std::string& message,
                            const std::string& state);
    void UpdateNetworkControls();
    void UpdateNetworkStatus();
    static std::string CleanName(const std::string& name);
    // The network dialog; true on OK.
    bool ShowNetworkDialog();

    void CliWSocketDataAvailable(std::uint16_t error);
    void CliWSocketSessionConnected(std::uint16_t error);
    void CliWSocketSessionClosed(std::uint16_t error);
    void CliWSocketDnsLookupDone(std::uint16_t error);
    void CliWSocketError();
    void SrvWSocketSessionAvailable(std::uint16_t error);
    void SrvWSocketSessionClosed(std::uint16_t error);

    socket::TWSocket& CliWSocket() { return *cliWSocket_; }
    socket::TWSocket& SrvWSocket() { return *srvWSocket_; }

    // Window fields.
    std::uint8_t NetworkMode = 0;
    std::uint8_t FirstColour = 0;
    std::uint8_t BreakPressed = 0;
    std::uint8_t IsListener = 1;
    std::uint8_t SessionActive = 0;
    std::uint8_t ShownSessionState = 0;
    std::uint8_t ListenerMovesFirst = 1;
    std::uint8_t WaitingForPeer = 1;
    std::string OwnName, PeerName, StatusMessage, ConnectionText, PeerHost;
    std::string PortText = "1977";
    std::uint8_t Wins = 0, Draws = 0, Losses = 0;
    std::array<char, 1024> LineBuffer{};
    std::int32_t BufferFill = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static platform::gdi::Rect PieceBox(int column, int row);
    void PaintPiece(int column, int row, platform::gdi::Color fill);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    // Sizes the status panels, and the window with them, for their longest texts at the
    // platform's font with the names known now; the panels keep what they show.
    void FitStatusPanels();
    void SetNormalModeControls();
    void SetNetworkModeControls();
    void SetCursorShape(platform::app::CursorShape shape);
    void Enable(Command command, bool enabled);
    bool IsDown(Command command);
    void MinimizeClicked();
    void ProgressClicked();
    // Restores and raises the program after it was minimized for a wait.
    void RestoreAfterWait();
    // Sends one protocol line (the line feed is added) when the connection is up.
    void SendLine(const std::string& line);
    void HandleLine(std::string line);
    // Acts on the complete lines held in LineBuffer, as many as this turn allows; false when
    // some are left for the next turn or the session ended on one.
    bool HandleHeldLines();
    // The line feed of the first complete line held, or nullptr.
    char* HeldLineEnd();
    // Asked for by the first line of a turn: the count starts again, and lines held back are
    // taken up.
    void NextTurn();
    // Closes the connection after what was sent has gone out, and the listener.
    void CloseSockets();
    // A new peer starts with an empty receive buffer and a clean record.
    void ResetPeerState();
    // Ends the session at once as lost, dropping what is still queued for the peer.
    void DropPeer();
    int PeerColour() const { return IsListener ? 1 : 0; }

    std::unique_ptr<gameClass> game_;
    BoardView* board_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QFrame* statusBar_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    QProgressBar* progress_ = nullptr;
    std::array<QAction*, kCommandCount> actions_{};
    platform::app::CursorShape cursor_ = platform::app::CursorShape::HandPoint;
    TfOptions* options_ = nullptr;
    TfAbout* about_ = nullptr;
    TfNetwork* network_ = nullptr;

    // Network play beyond the window fields: a game has been started in this session (moves
    // are taken only then), its result was counted, and the rest of an over-long line is
    // being skipped.
    bool networkGameRunning_ = false;
    bool scoreCounted_ = false;
    bool skippingLongLine_ = false;
    int mismatches_ = 0; // lines answered by the sync error since the peer's last good move
    int linesThisTurn_ = 0; // lines acted on since the event loop last came round
    // The connecting side's host lookup is under way, and its answer still wanted.
    bool lookupWanted_ = false;
    std::unique_ptr<socket::TWSocket> cliWSocket_;
    std::unique_ptr<socket::TWSocket> srvWSocket_;
};

} // namespace fourinrow::app
