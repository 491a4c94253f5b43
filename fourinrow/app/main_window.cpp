#include "fourinrow/app/main_window.h"

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/pictures.h"
#include "fourinrow/app/status_texts.h"
#include "platform/app/application.h"
#include "platform/app/clock.h"
#include "platform/app/qtstring.h"
#include "platform/app/screen.h"
#include "platform/forms/desktop.h"
#include "platform/forms/filedialog.h"
#include "platform/gdi/qimage.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QToolBar>

namespace fourinrow::app {

using platform::app::CursorShape;
using platform::gdi::Color;

namespace {

constexpr int kToolBarHeight = 28;
constexpr int kBoardBottom = 303;
// The form's status bar; FitStatusPanels makes room where the platform's font needs it.
constexpr int kStatusBarHeight = 19;
constexpr std::array<int, 3> kPanelWidths = {220, 60, 73};
constexpr int kProgressWidth = 73, kProgressHeight = 17;

Color ColourOfCell(int value) {
    switch (value) {
    case 0:
        return 0x0000FF; // red
    case 1:
        return 0x00FFFF; // yellow
    default:
        return 0x000000; // an empty hole
    }
}

std::string ColourName(int colour) {
    return colour == 0 ? "Red" : "Yellow";
}

// A tool bar picture with its own transparent colour, its bottom-left pixel, masked out.
QPixmap MaskedPicture(const std::string& name) {
    const std::span<const unsigned char> bytes = BitmapResource(name);
    QImage image;
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(
        pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
    return pixmap;
}

// The hot pictures serve as normal and hot images, the plain ones for disabled buttons.
QIcon ToolBarIcon(const std::string& name) {
    QIcon icon;
    const QPixmap hot = MaskedPicture("H" + name);
    icon.addPixmap(hot, QIcon::Normal);
    icon.addPixmap(hot, QIcon::Active);
    icon.addPixmap(MaskedPicture("O" + name), QIcon::Disabled);
    return icon;
}

} // namespace

// ---- the client area ----

BoardView::BoardView(TfKolvan32& owner) : platform::forms::Window(&owner), owner_(owner) {
    setFixedSize(TfKolvan32::kClientWidth, TfKolvan32::kClientHeight);
}

void BoardView::onPaint() {
    painting_ = true;
    owner_.DrawBoard(true);
    painting_ = false;
}

void BoardView::onMouseDown(platform::forms::MouseButton, platform::forms::ShiftState, int x,
                            int y) {
    owner_.ColumnChosen(gameClass::ColumnAt(x, y));
}

void BoardView::onKeyPress(char character) {
    if (character >= '1' && character <= '7')
        owner_.ColumnChosen(character - '0');
}

// ---- creation ----

TfKolvan32::TfKolvan32()
    : QMainWindow(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint) {
    setWindowTitle("Kolvan 32 - Normal Mode");
    setWindowIcon(QIcon(MaskedPicture("MAINICON")));
    board_ = new BoardView(*this);
    setCentralWidget(board_);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    board_->setFocus();

    game_ = std::make_unique<gameClass>();
    FitStatusPanels();
    game_->SetMessagePump([] { platform::app::processMessages(); });
    game_->SetProgressHook([this](int column) { progress_->setValue(column); });

    cliWSocket_ = std::make_unique<socket::TWSocket>();
    srvWSocket_ = std::make_unique<socket::TWSocket>();
    cliWSocket_->OnDataAvailable = [this](auto*, std::uint16_t e) { CliWSocketDataAvailable(e); };
    cliWSocket_->OnSessionConnected = [this](auto*, std::uint16_t e) {
        CliWSocketSessionConnected(e);
    };
    cliWSocket_->OnSessionClosed = [this](auto*, std::uint16_t e) { CliWSocketSessionClosed(e); };
    cliWSocket_->OnDnsLookupDone = [this](auto*, std::uint16_t e) { CliWSocketDnsLookupDone(e); };
    cliWSocket_->OnError = [this](auto*) { CliWSocketError(); };
    srvWSocket_->OnSessionAvailable = [this](auto*, std::uint16_t e) {
        SrvWSocketSessionAvailable(e);
    };
    srvWSocket_->OnSessionClosed = [this](auto*, std::uint16_t e) { SrvWSocketSessionClosed(e); };

    move((platform::app::screenWidth() - width()) / 2,
         (platform::app::screenHeight() - height()) / 2);
    ShowGameInfo();
    UpdateNormalStatus();
}

TfKolvan32::~TfKolvan32() {
    platform::app::runGuarded([this] { SaveOnExit(); });
}

void TfKolvan32::AttachDialogs(TfOptions& options, TfAbout& about, TfNetwork& network) {
    options_ = &options;
    about_ = &about;
    network_ = &network;
}

void TfKolvan32::CreateActions() {
    struct Definition {
        Command command;
        const char* text; // menu caption; empty for tool bar buttons only
        const char* hint;
        const char* shortcut;
        void (TfKolvan32::*handler)();
    };
    const Definition definitions[] = {
        {Command::ToggleMode, "", "Switch to Network Mode", "", &TfKolvan32::ToggleMode},
        {Command::NewGame, "&New Game...", "New Game", "Ctrl+N", &TfKolvan32::NewGameCommand},
        {Command::NextGame, "Nex&t Game", "Next Game", "Ctrl+T", &TfKolvan32::NextGame},
        {Command::NormalMode, "No&rmal Mode", "", "", nullptr},
        {Command::NetworkMode, "N&etwork Mode", "", "", nullptr},
        {Command::Open, "&Open...", "", "", &TfKolvan32::OpenGame},
        {Command::SaveAs, "&Save As...", "", "Ctrl+S", &TfKolvan32::SaveGameAs},
        {Command::Exit, "E&xit", "", "", nullptr},
        {Command::Move, "&Move", "Make Computer Move", "Ctrl+M", &TfKolvan32::AutoMove},
        {Command::Undo, "&Undo Last Move", "Undo Last Move", "Ctrl+Z", &TfKolvan32::UndoLastMove},
        {Command::Break, "&Break", "Break", "Ctrl+B", &TfKolvan32::BreakOrDisconnect},
        {Command::AutoMinimize, "", "Auto Minimize", "", &TfKolvan32::MinimizeClicked},
        {Command::ShowProgress, "", "Show Progress Bar", "", &TfKolvan32::ProgressClicked},
        {Command::About, "&About...", "About", "", &TfKolvan32::ShowAbout},
    };
    for (const Definition& d : definitions) {
        auto* action = new QAction(QString::fromLatin1(d.text), this);
        if (*d.hint)
            action->setToolTip(QString::fromLatin1(d.hint));
        if (*d.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
        if (d.handler)
            connect(action, &QAction::triggered, this, [this, handler = d.handler] {
                platform::app::runGuarded([&] { (this->*handler)(); });
            });
        actions_[static_cast<int>(d.command)] = action;
    }
    for (Command check :
         {Command::AutoMinimize, Command::ShowProgress, Command::NormalMode, Command::NetworkMode})
        Action(check).setCheckable(true);
    Action(Command::NormalMode).setChecked(true);
    // Each mode item switches only when it is not already the checked one.
    for (Command mode : {Command::NormalMode, Command::NetworkMode})
        connect(&Action(mode), &QAction::triggered, this, [this, mode](bool nowChecked) {
            if (!nowChecked) {
                Action(mode).setChecked(true);
                return;
            }
            platform::app::runGuarded([this] { ToggleMode(); });
        });
    connect(&Action(Command::Exit), &QAction::triggered, this, [this] { close(); });
    Action(Command::Undo).setEnabled(false);
    Action(Command::Break).setEnabled(false);
}

void TfKolvan32::CreateMenus() {
    QMenu* gameMenu = menuBar()->addMenu("&Game");
    gameMenu->addAction(&Action(Command::NewGame));
    gameMenu->addAction(&Action(Command::NextGame));
    gameMenu->addSeparator();
    gameMenu->addAction(&Action(Command::NormalMode));
    gameMenu->addAction(&Action(Command::NetworkMode));
    gameMenu->addSeparator();
    gameMenu->addAction(&Action(Command::Open));
    gameMenu->addAction(&Action(Command::SaveAs));
    gameMenu->addSeparator();
    gameMenu->addAction(&Action(Command::Exit));
    QMenu* optionsMenu = menuBar()->addMenu("&Options");
    optionsMenu->addAction(&Action(Command::Move));
    optionsMenu->addAction(&Action(Command::Undo));
    optionsMenu->addSeparator();
    optionsMenu->addAction(&Action(Command::Break));
    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->addAction(&Action(Command::About));
}

void TfKolvan32::CreateToolBar() {
    struct Button {
        Command command;
        const char* picture;
        bool separatorAfter;
    };
    const Button buttons[] = {
        {Command::ToggleMode, "NETWORK", true},
        {Command::NewGame, "NEW", false},
        {Command::NextGame, "OPTIONS", false},
        {Command::Move, "MOVE", false},
        {Command::Undo, "UNDO", true},
        {Command::Break, "STOP", true},
        {Command::AutoMinimize, "MINIMIZE", false},
        {Command::ShowProgress, "PROGRESS", true},
        {Command::About, "ABOUT", false},
    };
    toolBar_ = new QToolBar(board_);
    toolBar_->setGeometry(0, 0, kClientWidth, kToolBarHeight);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    for (const Button& button : buttons) {
        Action(button.command).setIcon(ToolBarIcon(button.picture));
        toolBar_->addAction(&Action(button.command));
        if (button.separatorAfter)
            toolBar_->addSeparator();
    }
    // The menu shows captions only.
    for (QAction* action : actions_)
        action->setIconVisibleInMenu(false);
}

void TfKolvan32::CreateStatusBar() {
    statusBar_ = new QFrame(board_);
    statusBar_->setAutoFillBackground(true);
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(statusBar_);
        if (i > 0)
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        panels_[i] = panel;
    }
    // The first panel wraps its longer texts, a space short of the second panel's.
    panels_[0]->setWordWrap(true);
    panels_[0]->setContentsMargins(0, 0, panels_[0]->fontMetrics().horizontalAdvance(' '), 0);
    panels_[0]->setText("Ready");
    panels_[1]->setText("Level  1");
    progress_ = new QProgressBar(board_);
    progress_->setRange(0, 7);
    progress_->setTextVisible(false);
    progress_->hide();
}

void TfKolvan32::FitStatusPanels() {
    // The longest texts of the second panel: the level with its random range, a network
    // score of up to 255 games each way; of the third: the two-player game, the connection's
    // states and the opponents' names as they are now. The panels keep what they show.
    std::array<QString, 3> shown;
    for (int i = 0; i < 3; ++i)
        shown[static_cast<std::size_t>(i)] = panels_[i]->text();
    std::array<std::vector<std::string>, 3> longest = {
        std::vector<std::string>{},
        {"Level  1-7", "Human", " 255  255  255"},
        {"Two Players", "Disconnected", "Connected", "Listening", "Trying"}};
    for (int opponent = 1; opponent <= kRandomOpponent; ++opponent)
        longest[2].push_back(game_->GetOpponentName(opponent));
    std::array<int, 3> widths = kPanelWidths;
    for (int i = 1; i < 3; ++i)
        for (const std::string& text : longest[static_cast<std::size_t>(i)]) {
            panels_[i]->setText(platform::toQString(text));
            widths[i] = std::max(widths[i], panels_[i]->sizeHint().width());
        }
    // The first panel takes the rest of the width, and the height of two lines (an empty
    // text of two) for its longer texts, or more for a text that names a long opponent or
    // peer.
    widths[0] = kClientWidth - widths[1] - widths[2];
    std::vector<std::string> tallest = {"\n"};
    for (int opponent = 1; opponent <= kRandomOpponent; ++opponent)
        for (std::string& text : status::NamingOpponent(game_->GetOpponentName(opponent)))
            tallest.push_back(std::move(text));
    if (!PeerName.empty())
        for (std::string& text : status::NamingPeer(PeerName))
            tallest.push_back(std::move(text));
    int height = kStatusBarHeight;
    for (const std::string& text : tallest) {
        panels_[0]->setText(platform::toQString(text));
        height = std::max(height, panels_[0]->heightForWidth(widths[0]));
    }

    statusBar_->setGeometry(0, kBoardBottom, kClientWidth, height);
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        panels_[i]->setGeometry(x, 0, widths[i], height);
        x += widths[i];
    }
    board_->setFixedSize(kClientWidth, kBoardBottom + height);
    layout()->invalidate();
    setFixedSize(sizeHint()); // the window keeps its fixed border
    // Over the right end of the first panel.
    progress_->setGeometry(widths[0] - kProgressWidth,
                           kBoardBottom + (height - kProgressHeight) / 2, kProgressWidth,
                           kProgressHeight);
    for (int i = 0; i < 3; ++i)
        panels_[i]->setText(shown[static_cast<std::size_t>(i)]);
}

std::string TfKolvan32::StatusText(int panel) const {
    return platform::fromQString(panels_[panel - 1]->text());
}

void TfKolvan32::Enable(Command command, bool enabled) {
    Action(command).setEnabled(enabled);
}

bool TfKolvan32::IsDown(Command command) {
    return Action(command).isChecked();
}

void TfKolvan32::SetCursorShape(CursorShape shape) {
    cursor_ = shape;
    board_->setWindowCursor(shape);
}

// ---- drawing ----

// The disc's box: 40 pixels square, 50 apart across and 45 up; right and bottom edges outside.
platform::gdi::Rect TfKolvan32::PieceBox(int column, int row) {
    return {50 * column - 40, 303 - 45 * row, 50 * column, 343 - 45 * row};
}

void TfKolvan32::PaintPiece(int column, int row, Color fill) {
    const platform::gdi::Rect box = PieceBox(column, row);
    QPainter painter(&platform::gdi::qImage(board_->frontBuffer()));
    painter.setPen(QColor(platform::gdi::toQRgb(kNavy)));
    painter.setBrush(QColor(platform::gdi::toQRgb(fill)));
    // A 1-pixel outline covers width + 1 pixels in Qt; the box's far edges stay outside.
    painter.drawEllipse(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
}

void TfKolvan32::DrawPiece(int column, int row, Color fill) {
    PaintPiece(column, row, fill);
    if (!board_->isPainting())
        board_->present(PieceBox(column, row));
}

void TfKolvan32::DrawBoard(bool background) {
    if (background) {
        platform::gdi::Bitmap& buffer = board_->frontBuffer();
        const QColor menu = QApplication::palette().color(QPalette::Window);
        buffer.fillRect(buffer.rect(), platform::gdi::rgb(menu.red(), menu.green(), menu.blue()));
        buffer.fillRect({0, kToolBarHeight, 360, kBoardBottom}, kNavy);
    }
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            PaintPiece(column, row, ColourOfCell(game_->GetCell(column, row)));
    if (!board_->isPainting())
        board_->present();
}

void TfKolvan32::DrawLastMove() {
    const int column = game_->GetLastColumn();
    DrawPiece(column, game_->GetColumnHeight(column) - 1, ColourOfCell(game_->GetLastMover()));
}

void TfKolvan32::ResetBoard() {
    game_->NewGame();
    DrawBoard(false);
}

// ---- game flow ----

bool TfKolvan32::IsGameOver() {
    return game_->GetMoveCount() >= kColumns * kRows || game_->HasFour();
}

void TfKolvan32::ColumnChosen(int column) {
    if (IsGameOver())
        return;
    if (NetworkMode)
        SendMove(column);
    else
        HumanMove(column);
}

void TfKolvan32::HumanMove(int column) {
    if (game_->IsThinking())
        return;
    if (game_->GetMoveCount() == 0)
        game_->SetFirstMover(game_->IsTwoPlayer() ? FirstColour : 0);
    if (!game_->DropPiece(column))
        return;
    DrawLastMove();
    UpdateNormalStatus();
    if (!game_->IsTwoPlayer() && !IsGameOver())
        DoComputerMove();
}

void TfKolvan32::DoComputerMove() {
    SetStatus("Thinking...", "-", "-");
    SetCursorShape(CursorShape::Wait);
    progress_->setVisible(IsDown(Command::ShowProgress));
    for (Command command : {Command::NewGame, Command::NetworkMode, Command::ToggleMode,
                            Command::Open, Command::SaveAs, Command::Move, Command::Undo})
        Enable(command, false);
    Enable(Command::Break, true);

    platform::app::processMessages();
    if (IsDown(Command::AutoMinimize)) {
        platform::app::sleepTicks(kMinimizeDelay);
        platform::forms::minimizeApplication();
    }
    BreakPressed = 0;
    if (game_->ComputerMove())
        DrawLastMove();
    if (BreakPressed == 1)
        UndoLastMove();

    progress_->hide();
    UpdateNormalStatus();
    // The button can change while the computer thinks: what it says now decides.
    if (IsDown(Command::AutoMinimize))
        RestoreAfterWait();
    for (Command command : {Command::Open, Command::SaveAs, Command::NetworkMode,
                            Command::ToggleMode, Command::NewGame})
        Enable(command, true);
    Enable(Command::Break, false);
    progress_->setValue(0);
}

void TfKolvan32::RestoreAfterWait() {
    platform::forms::restoreApplication();
    platform::forms::bringApplicationToFront();
}

void TfKolvan32::AutoMove() {
    if (IsGameOver())
        return;
    if (game_->GetMoveCount() == 0) {
        game_->SetFirstMover(1);
        DoComputerMove();
        return;
    }
    DoComputerMove();
    if (!IsGameOver() && !game_->IsTwoPlayer() && game_->GetMoveCount() > 1 && !BreakPressed)
        DoComputerMove();
}

void TfKolvan32::UndoLastMove() {
    if (game_->GetMoveCount() == 0 || (BreakPressed && game_->GetLastMover() == 1))
        return;
    game_->UndoMove();
    // A computer reply and the player's move go together.
    if (game_->GetMoveCount() > 0 && game_->GetLastMover() == 0)
        game_->UndoMove();
    DrawBoard(false);
    UpdateNormalStatus();
}

void TfKolvan32::BreakOrDisconnect() {
    if (NetworkMode) {
        if (!SessionActive)
            return;
        CloseSockets();
        SetConnectionState(0, "Closed connection", "Disconnected");
        UpdateNetworkStatus();
        return;
    }
    if (game_->IsThinking()) {
        game_->RequestBreak();
        BreakPressed = 1;
    }
}

void TfKolvan32::NextGame() {
    if (NetworkMode) {
        StartNetworkGame("");
        return;
    }
    if (game_->IsTwoPlayer())
        FirstColour = static_cast<std::uint8_t>(1 - FirstColour);
    ResetBoard();
    UpdateNormalStatus();
    ShowGameInfo();
}

void TfKolvan32::NewGameCommand() {
    if (NetworkMode)
        NewNetworkGame();
    else
        NewNormalGame();
}

void TfKolvan32::NewNormalGame() {
    const bool chosen = options_ && options_->ShowOptions();
    FitStatusPanels(); // the opponent editor may have renamed an opponent
    if (!chosen)
        return;
    ResetBoard();
    ShowGameInfo();
    UpdateNormalStatus();
}

void TfKolvan32::ToggleMode() {
    if (NetworkMode) {
        NetworkMode = 0;
        setWindowTitle("Kolvan 32 - Normal Mode");
        SetNormalModeControls();
        ResetBoard();
        ShowGameInfo();
        UpdateNormalStatus();
    } else {
        NetworkMode = 1;
        setWindowTitle("Kolvan 32 - Network Mode");
        SetNetworkModeControls();
        NewNetworkGame();
    }
}

void TfKolvan32::SetNormalModeControls() {
    for (Command command : {Command::NextGame, Command::AutoMinimize, Command::ShowProgress,
                            Command::Open, Command::SaveAs})
        Enable(command, true);
    Action(Command::Break).setToolTip("Break");
    Action(Command::Break).setText("&Break");
    Action(Command::ToggleMode).setToolTip("Switch to Network Mode");
    Action(Command::NetworkMode).setChecked(false);
    Action(Command::NormalMode).setChecked(true);
}

void TfKolvan32::SetNetworkModeControls() {
    for (Command command : {Command::NextGame, Command::Move, Command::Undo, Command::ShowProgress,
                            Command::Open, Command::SaveAs})
        Enable(command, false);
    Action(Command::ShowProgress).setChecked(false);
    Action(Command::Break).setToolTip("Disconnect");
    Action(Command::Break).setText("&Disconnect");
    Action(Command::NetworkMode).setChecked(true);
    Action(Command::NormalMode).setChecked(false);
    Enable(Command::NewGame, true);
    Action(Command::ToggleMode).setToolTip("Switch to Normal Mode");
}

void TfKolvan32::OpenGame() {
    const auto file = platform::forms::openFileDialog({"Kolvan files (*.klv)|*.klv", "", "", ""});
    if (!file)
        return;
    game_->LoadGame(*file);
    DrawBoard(false);
    ShowGameInfo();
    UpdateNormalStatus();
}

void TfKolvan32::SaveGameAs() {
    const auto file =
        platform::forms::saveFileDialog({"Kolvan file (*.klv)|*.klv", "game1", "klv", ""});
    if (file)
        game_->SaveGame(*file);
}

void TfKolvan32::ShowAbout() {
    if (about_)
        about_->showModal();
}

void TfKolvan32::SaveOnExit() {
    if (NetworkMode) {
        game_->NewGame(); // an unfinished network game is not kept
        if (SessionActive)
            CloseSockets();
    }
    game_->RequestBreak();
    game_->SaveGame(kSettingsFile);
    // Saving clears the break request; a search still running must stop all the same, since
    // the window is going away.
    if (game_->IsThinking())
        game_->RequestBreak();
}

void TfKolvan32::closeEvent(QCloseEvent* event) {
    // Saved here and again when the window is destroyed: whichever comes last holds the
    // board after any search has stopped.
    platform::app::runGuarded([this] { SaveOnExit(); });
    event->accept();
}

void TfKolvan32::MinimizeClicked() {
    game_->SetSystemFlags(IsDown(Command::AutoMinimize), IsDown(Command::ShowProgress));
}

void TfKolvan32::ProgressClicked() {
    if (!game_->IsThinking())
        return;
    progress_->setVisible(IsDown(Command::ShowProgress));
    game_->SetSystemFlags(IsDown(Command::AutoMinimize), IsDown(Command::ShowProgress));
}

// ---- status ----

void TfKolvan32::SetStatus(const std::string& a, const std::string& b, const std::string& c) {
    const std::array<const std::string*, 3> texts = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        const QString text = platform::toQString(*texts[i]);
        if (*texts[i] != "-" && panels_[i]->text() != text)
            panels_[i]->setText(text);
    }
}

void TfKolvan32::ShowGameInfo() {
    if (game_->IsTwoPlayer()) {
        SetStatus("-", "Human", "Two Players");
    } else {
        std::string level = "Level  ";
        if (game_->GetRandomLevel())
            level += "1-";
        level += std::to_string(game_->GetLevel());
        SetStatus("-", level, game_->GetOpponentName(game_->GetOpponentIndex()));
    }
    const SystemFlags flags = game_->GetSystemFlags();
    Action(Command::AutoMinimize).setChecked(flags.autoMinimize);
    Action(Command::ShowProgress).setChecked(flags.showProgress);
}

void TfKolvan32::UpdateNormalStatus() {
    const bool over = IsGameOver();
    const bool twoPlayer = game_->IsTwoPlayer();
    const int moves = game_->GetMoveCount();
    if (moves > 0) {
        const bool allowed = !over && game_->GetLevel() < 3 && !twoPlayer;
        Enable(Command::Undo, allowed);
        Enable(Command::Move, allowed);
        Enable(Command::NextGame, over);
    } else {
        Enable(Command::Undo, false);
        Enable(Command::NextGame, false);
        Enable(Command::Move, !twoPlayer);
    }
    SetCursorShape(over ? CursorShape::NoDrop : CursorShape::HandPoint);

    const std::string opponent = game_->GetOpponentName(game_->GetOpponentIndex());
    const bool four = over && game_->HasFour();
    const std::string lastColumn = std::to_string(game_->GetLastColumn());
    std::string text;
    if (twoPlayer) {
        if (four)
            text = ColourName(game_->GetLastMover()) + " wins! Next Game to play again";
        else if (over)
            text = "Draw! Next Game to play again";
        else if (moves > 0)
            text = ColourName(game_->GetLastMover()) + " picked " + lastColumn + ". Your move " +
                   ColourName(1 - game_->GetLastMover());
        else
            text = "Make your first move " + ColourName(FirstColour);
    } else {
        if (over && !four) {
            text = "Draw! Get ready for rematch";
        } else if (four && game_->GetLastMover() == 1) {
            text = status::OpponentWins(opponent);
        } else if (four) {
            text = "You win! Get ready for next game";
            game_->RecordWinLevel();
            game_->AdvanceChallenge();
        } else if (moves > 0) {
            text = status::Picked(opponent, lastColumn);
        } else {
            text = status::MoveOrLetMoveFirst(opponent);
        }
    }
    SetStatus(text, "-", "-");
}

} // namespace fourinrow::app
