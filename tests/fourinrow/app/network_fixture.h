#pragma once
// Network play against a peer written with plain sockets: the peer's two ends, and a fixture
// that starts the program and answers its network dialog.

#include "kolvan_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

namespace kolvantest {

using platform::forms::Dialog;
using platform::forms::ModalResult;
using namespace std::chrono_literals;

inline sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

inline int BoundPort(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// A port nobody listens on right now.
inline int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const int port = BoundPort(fd);
    ::close(fd);
    return port;
}

// One end of a connection, read without blocking while the program's events run.
class PlainPeer {
public:
    explicit PlainPeer(int fd = -1) : fd_(fd) {
        if (fd_ >= 0)
            ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    }
    ~PlainPeer() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PlainPeer(const PlainPeer&) = delete;
    PlainPeer& operator=(const PlainPeer&) = delete;

    bool Connect(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Loopback(port);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            return false;
        ::fcntl(fd_, F_SETFL, O_NONBLOCK);
        return true;
    }
    void Send(const std::string& bytes) {
        ASSERT_EQ(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // The next line without its line feed; nothing when the connection closed first.
    std::optional<std::string> ReadLine() {
        std::optional<std::string> line;
        PumpUntil([&] {
            Fill();
            const std::size_t feed = received_.find('\n');
            if (feed != std::string::npos) {
                line = received_.substr(0, feed);
                received_.erase(0, feed + 1);
                return true;
            }
            return closed_;
        });
        return line;
    }
    // True when the other end closed (after what it sent was read).
    bool WaitClosed() {
        PumpUntil([&] {
            Fill();
            return closed_;
        });
        return closed_;
    }
    const std::string& Unread() const { return received_; }
    int Descriptor() const { return fd_; }
    // An abortive close: the connection is reset, whatever is unread on either side.
    void Reset() {
        const linger abortive{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        ::close(fd_);
        fd_ = -1;
    }
    // A small receive window, so that what the program sends piles up on its side.
    void ShrinkReceiveBuffer() {
        const int size = 4096;
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }

private:
    void Fill() {
        char buffer[2048];
        for (;;) {
            const ssize_t count = ::recv(fd_, buffer, sizeof buffer, 0);
            if (count > 0) {
                received_.append(buffer, static_cast<std::size_t>(count));
                continue;
            }
            if (count == 0)
                closed_ = true;
            return;
        }
    }

    int fd_ = -1;
    std::string received_;
    bool closed_ = false;
};

class PlainListener {
public:
    PlainListener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = Loopback(0);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
        ::fcntl(fd_, F_SETFL, O_NONBLOCK);
        port = BoundPort(fd_);
    }
    ~PlainListener() { ::close(fd_); }
    // A connection that has come in, or -1 at once.
    int TryAccept() { return ::accept(fd_, nullptr, nullptr); }
    int Accept() {
        int accepted = -1;
        PumpUntil([&] { return (accepted = TryAccept()) >= 0; });
        return accepted;
    }
    int port = 0;

private:
    int fd_ = -1;
};

class NetworkTest : public KolvanTest {
protected:
    void SetUp() override {
        KolvanTest::SetUp();
        StartProgram();
    }

    // Network mode (or New Game in it) with the network dialog answered.
    void EnterNetwork(bool listen, int port, const std::string& name = "Alice",
                      const std::string& host = "127.0.0.1") {
        const Dialog::Script script([&](Dialog& dialog) {
            auto& network = dynamic_cast<TfNetwork&>(dialog);
            (listen ? network.RGWait : network.RGConnect)->setChecked(true);
            network.eName->setText(QString::fromStdString(name));
            network.eOppIP->setText(QString::fromStdString(host));
            network.ePort->setText(QString::number(port));
            return ModalResult::Ok;
        });
        Main().Action(Main().NetworkMode ? Command::NewGame : Command::NetworkMode).trigger();
    }

    // The program listens, the peer connects and names itself; the first game starts.
    void ListenAndConnect(PlainPeer& peer, const std::string& peerName = "Bob") {
        const int port = FreePort();
        EnterNetwork(true, port);
        ASSERT_EQ(Main().StatusText(1), "Waiting for connection...");
        ASSERT_EQ(Main().StatusText(3), "Listening");
        ASSERT_TRUE(peer.Connect(port));
        ASSERT_EQ(peer.ReadLine(), "PAlice");
        peer.Send("P" + peerName + "\n");
        ASSERT_EQ(peer.ReadLine(), "GA");
        ASSERT_EQ(Main().StatusText(3), "Connected");
    }

    // The program's move by its digit key, as the peer receives it.
    void MoveAndExpect(PlainPeer& peer, int column) {
        Type(static_cast<char>('0' + column));
        EXPECT_EQ(peer.ReadLine(), "C" + std::to_string(column));
    }
    // The peer's move; waits until the program has played it.
    void PeerMoves(PlainPeer& peer, const std::string& bytes) {
        const int before = Game().GetMoveCount();
        peer.Send(bytes);
        EXPECT_TRUE(PumpUntil([&] { return Game().GetMoveCount() == before + 1; }, 5s)) << bytes;
    }
    // A whole game from the first move: the program (starting) wins in column 1.
    void PlayAWinningGame(PlainPeer& peer) {
        for (int round = 0; round < 3; ++round) {
            MoveAndExpect(peer, 1);
            PeerMoves(peer, "C2\n");
        }
        MoveAndExpect(peer, 1);
        EXPECT_EQ(Main().StatusText(1), "You win! Next Game to restart");
    }
    void ExpectSyncError(PlainPeer& peer, const std::string& bytes, const std::string& shown) {
        const std::string moves = Moves();
        peer.Send(bytes);
        EXPECT_EQ(peer.ReadLine(), "MSync. error (" + shown + "). Disconnect and try again");
        EXPECT_EQ(Moves(), moves);
    }
};

} // namespace kolvantest
