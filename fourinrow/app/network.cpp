// Network play: the listening and connecting roles, the line protocol and the session score.

#include "fourinrow/app/dialogs.h"
#include "fourinrow/app/main_window.h"
#include "fourinrow/app/status_texts.h"

#include "fourinrow/socket/esocketexception.h"
#include "fourinrow/socket/winsock.h"
#include "platform/app/clock.h"
#include "platform/app/qtstring.h"
#include "platform/forms/desktop.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <cstring>

namespace fourinrow::app {

using platform::app::CursorShape;

namespace {

constexpr std::int32_t kLineLimit = 1023; // characters the receive buffer holds
constexpr std::size_t kPeerNameLength = 11;
constexpr std::size_t kMessageLength = 45;

bool IsNameTrimCharacter(char c) {
    return std::strchr(" ,.:;", c) != nullptr && c != '\0';
}

} // namespace

std::string TfKolvan32::CleanName(const std::string& name) {
    std::size_t first = 0;
    std::size_t last = name.size();
    while (first < last && IsNameTrimCharacter(name[first]))
        ++first;
    while (last > first && IsNameTrimCharacter(name[last - 1]))
        --last;
    const std::string cleaned = name.substr(first, last - first);
    return cleaned == "Author" ? "Nice Try" : cleaned;
}

void TfKolvan32::SetConnectionState(std::uint8_t active, const std::string& message,
                                    const std::string& state) {
    SessionActive = active;
    StatusMessage = message;
    ConnectionText = state;
}

bool TfKolvan32::ShowNetworkDialog() {
    if (!network_)
        return false;
    TfNetwork& dialog = *network_;
    (IsListener ? dialog.RGWait : dialog.RGConnect)->setChecked(true);
    OwnName = game_->GetPlayerName();
    dialog.eName->setText(platform::toQString(OwnName));
    dialog.eOppIP->setText(platform::toQString(PeerHost));
    dialog.ePort->setText(platform::toQString(PortText));
    const std::vector<std::string>& addresses = socket::LocalIPList();
    dialog.Lip->setText(addresses.empty() ? QString("Not Available")
                                          : platform::toQString(addresses.front()));
    if (dialog.showModal() != platform::forms::ModalResult::Ok)
        return false;
    IsListener = dialog.RGWait->isChecked() ? 1 : 0;
    OwnName = CleanName(platform::fromQString(dialog.eName->text()));
    if (!OwnName.empty())
        game_->SetPlayerName(OwnName);
    PeerHost = platform::fromQString(dialog.eOppIP->text());
    PortText = platform::fromQString(dialog.ePort->text());
    return true;
}

void TfKolvan32::NewNetworkGame() {
    game_->NewGame();
    DrawBoard(false);
    SetCursorShape(CursorShape::HandPoint);
    ListenerMovesFirst = 1;
    Wins = Draws = Losses = 0;
    // No game runs until the first "G" line; nobody may move before it.
    WaitingForPeer = 1;
    networkGameRunning_ = false;
    scoreCounted_ = false;
    SetConnectionState(0, "Select New Game to connect", "Disconnected");
    UpdateNetworkStatus();
    if (ShowNetworkDialog()) {
        ResetPeerState();
        if (IsListener) {
            SetConnectionState(1, "Waiting for connection...", "Listening");
            StartListening();
        } else {
            SetConnectionState(1, "Connecting to opponent...", "Trying");
            // Before the call: a dotted address is answered inside it.
            lookupWanted_ = true;
            try {
                cliWSocket_->DnsLookup(PeerHost);
            } catch (const socket::ESocketException&) {
                // An empty or malformed host name is refused before any lookup starts.
                SetConnectionState(0, "Unknown server name", "Disconnected");
            }
        }
    }
    UpdateNetworkStatus();
}

void TfKolvan32::StartListening() {
    try {
        srvWSocket_->SetPort(PortText);
        srvWSocket_->SetProto("tcp");
        srvWSocket_->SetAddr("0.0.0.0");
        srvWSocket_->Listen();
    } catch (const socket::ESocketException&) {
        SetConnectionState(0, "Socket already in use", "Disconnected");
    }
}

void TfKolvan32::CliWSocketDnsLookupDone(std::uint16_t error) {
    // Only the answer to the session's own lookup leads anywhere: once the session has ended
    // (a cancelled lookup is answered too) there is nobody left to connect for.
    if (!lookupWanted_)
        return;
    lookupWanted_ = false;
    if (error != 0) {
        SetConnectionState(0, "Unknown server name", "Disconnected");
        UpdateNetworkStatus();
        return;
    }
    cliWSocket_->SetAddr(cliWSocket_->DnsResult());
    cliWSocket_->SetPort(PortText);
    cliWSocket_->SetProto("tcp");
    // A plain close later, so that the last line sent still reaches the peer.
    cliWSocket_->SetLingerOnOff(socket::wsLingerOff);
    cliWSocket_->Connect();
}

void TfKolvan32::CliWSocketSessionConnected(std::uint16_t error) {
    if (error != 0) {
        SetConnectionState(0, "Unable to establish connection", "Disconnected");
    } else {
        // Connected before the first send: a peer already gone makes it a lost connection.
        ConnectionText = "Connected";
        SendLine("P" + OwnName);
    }
    UpdateNetworkStatus();
}

void TfKolvan32::CliWSocketError() {
    SetConnectionState(0, "Unable to establish connection", "Disconnected");
    UpdateNetworkStatus();
}

void TfKolvan32::CliWSocketSessionClosed(std::uint16_t) {
    // A connection that never came up was refused, not lost; a session already ended keeps
    // the text it ended with.
    if (SessionActive)
        SetConnectionState(
            0, ConnectionText == "Connected" ? "Lost connection" : "Unable to establish connection",
            "Disconnected");
    cliWSocket_->Close();
    srvWSocket_->Close();
    UpdateNetworkStatus();
}

void TfKolvan32::SrvWSocketSessionAvailable(std::uint16_t) {
    if (cliWSocket_->State() == socket::wsConnected) {
        // One opponent at a time: a second caller is turned away at once instead of waiting.
        const socket::SocketHandle caller = srvWSocket_->Accept();
        if (caller != platform::winsock::InvalidSocket)
            socket::winsock::closesocket(caller);
        return;
    }
    cliWSocket_->SetLingerOnOff(socket::wsLingerOff);
    cliWSocket_->Dup(srvWSocket_->Accept());
    ResetPeerState();
    ConnectionText = "Connected";
    SendLine("P" + OwnName);
}

void TfKolvan32::SrvWSocketSessionClosed(std::uint16_t) {
    srvWSocket_->Close();
    cliWSocket_->Close();
}

void TfKolvan32::CloseSockets() {
    // A host lookup still under way would connect when it is answered.
    lookupWanted_ = false;
    cliWSocket_->CancelDnsLookup();
    cliWSocket_->Close();
    srvWSocket_->Close();
}

void TfKolvan32::ResetPeerState() {
    BufferFill = 0;
    skippingLongLine_ = false;
    mismatches_ = 0;
}

void TfKolvan32::DropPeer() {
    SetConnectionState(0, "Lost connection", "Disconnected");
    cliWSocket_->Abort();
    srvWSocket_->Close();
    UpdateNetworkStatus();
}

void TfKolvan32::SendLine(const std::string& line) {
    if (cliWSocket_->State() != socket::wsConnected)
        return;
    cliWSocket_->SendStr(line + "\n");
    // A peer that does not read what it is sent is not given unbounded memory.
    if (cliWSocket_->QueuedByteCount() > kSendQueueLimit)
        DropPeer();
}

void TfKolvan32::StartNetworkGame(const std::string& line) {
    ShownSessionState = kControlsStale;
    game_->NewGame();
    DrawBoard(false);
    networkGameRunning_ = true;
    scoreCounted_ = false;
    bool ownMove;
    if (IsListener) {
        ownMove = ListenerMovesFirst == 1;
        ListenerMovesFirst = ownMove ? 0 : 1;
        game_->SetFirstMover(ownMove ? 0 : 1);
        SendLine(ownMove ? "GA" : "GB");
        if (SessionActive == 0)
            return; // the peer was already gone: the session has ended and says so
    } else {
        ownMove = line != "GA";
        game_->SetFirstMover(ownMove ? 1 : 0);
    }
    WaitingForPeer = ownMove ? 0 : 1;
    StatusMessage = status::PeerTurn(PeerName, ownMove);
    UpdateNetworkStatus();
}

void TfKolvan32::SendMove(int column) {
    if (SessionActive != 1 || WaitingForPeer != 0 || !game_->DropPiece(column))
        return;
    WaitingForPeer = 1;
    StatusMessage = status::WaitingFor(PeerName);
    DrawLastMove();
    UpdateNetworkStatus();
    SendLine("C" + std::to_string(column));
    if (IsDown(Command::AutoMinimize) && !IsGameOver()) {
        platform::app::sleepTicks(kMinimizeDelay);
        platform::forms::minimizeApplication();
    }
}

void TfKolvan32::ReceiveMove(const std::string& character) {
    // Only the peer's move in a running game can be played; anything else is a mismatch.
    const bool peersTurn = networkGameRunning_ && WaitingForPeer == 1 && !IsGameOver();
    const char c = character.empty() ? '\0' : character[0];
    if (peersTurn && c >= '1' && c <= '7' && game_->DropPiece(c - '0')) {
        mismatches_ = 0;
        WaitingForPeer = 0;
        StatusMessage = status::Picked(PeerName, character);
        DrawLastMove();
    } else if (++mismatches_ > kMismatchLimit) {
        DropPeer();
        return;
    } else {
        StatusMessage = "Sync. error (" + character + "). Disconnect and try again";
        SendLine("M" + StatusMessage);
    }
    UpdateNetworkStatus();
    if (IsDown(Command::AutoMinimize))
        RestoreAfterWait();
}

void TfKolvan32::HandleLine(std::string line) {
    // Tolerate CRLF line ends.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return;
    switch (line[0]) {
    case 'G':
        StartNetworkGame(line);
        break;
    case 'P':
        PeerName = line.substr(1, kPeerNameLength);
        if (PeerName.empty())
            PeerName = "Anonymous";
        FitStatusPanels(); // for the texts that name the peer
        if (IsListener)
            StartNetworkGame(line);
        break;
    case 'M':
        SetStatus(line.substr(1, kMessageLength), "-", "-");
        break;
    case 'C':
        ReceiveMove(line.substr(1, 1));
        break;
    default:
        break;
    }
}

void TfKolvan32::CliWSocketDataAvailable(std::uint16_t) {
    // Lines held back go first; nothing new is read until they have been acted on.
    if (!HandleHeldLines())
        return;
    char* const free = LineBuffer.data() + BufferFill;
    const int received = cliWSocket_->Receive(free, kLineLimit - BufferFill);
    if (received <= 0)
        return;
    // No line may hold a NUL byte; they are dropped on arrival.
    char* const end = std::remove(free, free + received, '\0');
    BufferFill += static_cast<std::int32_t>(end - free);
    LineBuffer[BufferFill] = '\0';
    HandleHeldLines();
}

char* TfKolvan32::HeldLineEnd() {
    return static_cast<char*>(std::memchr(LineBuffer.data(), '\n', BufferFill));
}

bool TfKolvan32::HandleHeldLines() {
    for (;;) {
        char* const feed = HeldLineEnd();
        if (!feed) {
            // A line too long for the buffer is dropped whole, up to its line feed.
            if (BufferFill >= kLineLimit) {
                BufferFill = 0;
                skippingLongLine_ = true;
            } else if (skippingLongLine_) {
                BufferFill = 0;
            }
            return true;
        }
        if (linesThisTurn_ == kLinesPerTurn)
            return false; // the rest on the next turn, which the first line of this one asked for
        if (linesThisTurn_++ == 0)
            QMetaObject::invokeMethod(this, [this] { NextTurn(); }, Qt::QueuedConnection);
        const auto length = static_cast<std::int32_t>(feed - LineBuffer.data());
        std::string line(LineBuffer.data(), static_cast<std::size_t>(length));
        BufferFill -= length + 1;
        std::memmove(LineBuffer.data(), feed + 1, static_cast<std::size_t>(BufferFill));
        LineBuffer[BufferFill] = '\0';
        if (skippingLongLine_) {
            skippingLongLine_ = false;
            continue;
        }
        HandleLine(std::move(line));
        if (cliWSocket_->State() != socket::wsConnected) {
            // The session ended on that line: what is left of the peer's data is dropped.
            BufferFill = 0;
            return false;
        }
    }
}

void TfKolvan32::NextTurn() {
    linesThisTurn_ = 0;
    // Reading stopped while lines were held back, so no arrival would come to take them.
    if (cliWSocket_->State() == socket::wsConnected && HeldLineEnd())
        CliWSocketDataAvailable(0);
}

void TfKolvan32::UpdateNetworkControls() {
    const bool idle = SessionActive == 0;
    for (Command command : {Command::ToggleMode, Command::NormalMode, Command::NewGame})
        Enable(command, idle);
    Enable(Command::Break, !idle);
    Enable(Command::NextGame, false);
}

void TfKolvan32::UpdateNetworkStatus() {
    if (SessionActive != ShownSessionState) {
        ShownSessionState = SessionActive;
        UpdateNetworkControls();
    }
    if (!SessionActive)
        SetCursorShape(CursorShape::NoDrop);
    else if (WaitingForPeer || (ConnectionText != "Connected" && ConnectionText != "Disconnected"))
        SetCursorShape(CursorShape::Wait);
    else
        SetCursorShape(CursorShape::HandPoint);

    std::string text = StatusMessage;
    if (SessionActive && networkGameRunning_ && IsGameOver()) {
        SetCursorShape(CursorShape::NoDrop);
        // Each finished game is counted once, however often the status is refreshed.
        const bool count = !scoreCounted_;
        scoreCounted_ = true;
        if (!game_->HasFour()) {
            text = "Draw!";
            Draws = static_cast<std::uint8_t>(Draws + (count ? 1 : 0));
        } else if (WaitingForPeer == 1) {
            text = "You win!";
            Wins = static_cast<std::uint8_t>(Wins + (count ? 1 : 0));
        } else {
            text = PeerName + " wins!";
            Losses = static_cast<std::uint8_t>(Losses + (count ? 1 : 0));
        }
        text = status::GameOver(text, IsListener != 0);
        if (IsListener)
            Enable(Command::NextGame, true);
    }
    SetStatus(text,
              " " + std::to_string(Wins) + "  " + std::to_string(Draws) + "  " +
                  std::to_string(Losses),
              ConnectionText);
}

} // namespace fourinrow::app
