// The SOCKS client against a small SOCKS server written here: one connection, served on its
// own thread with plain blocking sockets, reading what a script expects and answering what it
// says.
#include "loopback.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <thread>

using namespace sockettest;

namespace {

// The accepted connection as the script sees it.
class Peer {
public:
    explicit Peer(int fd) : fd_(fd) {}

    // Up to n bytes: fewer only when the client closed or went quiet.
    std::string Read(std::size_t n) {
        std::string data;
        char buffer[512];
        while (data.size() < n) {
            const ssize_t got = ::recv(fd_, buffer, std::min(sizeof buffer, n - data.size()), 0);
            if (got <= 0)
                break;
            data.append(buffer, static_cast<std::size_t>(got));
        }
        return data;
    }
    // Bytes up to a terminating zero, without it.
    std::string ReadUntilZero() {
        std::string text;
        for (std::string c = Read(1); !c.empty() && c[0] != '\0'; c = Read(1))
            text += c;
        return text;
    }
    void Write(const std::string& data) { ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL); }
    // Waits until the client has closed the connection.
    void AwaitClose() {
        while (!Read(1).empty()) {
        }
    }

private:
    int fd_;
};

class SocksServer {
public:
    using Script = std::function<void(Peer&)>;

    explicit SocksServer(Script script) {
        listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listenFd_, 1);
        socklen_t length = sizeof address;
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = std::to_string(ntohs(address.sin_port));
        // A client that never comes or stops talking ends the script instead of hanging it.
        const timeval limit{10, 0};
        ::setsockopt(listenFd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        thread_ = std::thread([this, script = std::move(script), limit] {
            const int fd = ::accept(listenFd_, nullptr, nullptr);
            if (fd < 0)
                return;
            ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            Peer peer(fd);
            script(peer);
            ::close(fd);
        });
    }
    ~SocksServer() {
        Join();
        ::close(listenFd_);
    }
    void Join() {
        if (thread_.joinable())
            thread_.join();
    }
    const std::string& Port() const { return port_; }

private:
    int listenFd_ = -1;
    std::string port_;
    std::thread thread_;
};

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

// What the client asked for in a SOCKS 5 connect request.
struct Request {
    std::string header;
    std::string host;
    int port = -1;
};

Request ReadSocks5Request(Peer& peer) {
    Request request;
    request.header = peer.Read(4);
    const std::string length = peer.Read(1);
    if (length.empty())
        return request;
    request.host = peer.Read(static_cast<unsigned char>(length[0]));
    const std::string port = peer.Read(2);
    if (port.size() == 2)
        request.port =
            static_cast<unsigned char>(port[0]) << 8 | static_cast<unsigned char>(port[1]);
    return request;
}

// A client socket aimed at game.example:1977 through the server, recording its events.
class SocksClient {
public:
    explicit SocksClient(const std::string& socksPort, const std::string& level = "5") {
        socket.SetSocksServer("127.0.0.1");
        socket.SetSocksPort(socksPort);
        socket.SetSocksLevel(level);
        socket.SetAddr("game.example");
        socket.SetPort("1977");
        socket.OnSocksConnected = [this](TCustomWSocket*, std::uint16_t error) {
            events.push_back("socks connected " + std::to_string(error));
        };
        socket.OnSessionConnected = [this](TCustomWSocket*, std::uint16_t error) {
            events.push_back("session connected " + std::to_string(error));
        };
        socket.OnSocksError = [this](TCustomWSocket*, std::int32_t error, const std::string& text) {
            events.push_back("socks error " + std::to_string(error) + " " + text);
        };
        socket.OnSocksAuthState = [this](TCustomWSocket*, TSocksAuthState state) {
            events.push_back("auth " + std::to_string(state));
        };
        socket.OnDataAvailable = [this](TCustomWSocket*, std::uint16_t) {
            const std::string data = socket.ReceiveStr();
            if (!data.empty())
                events.push_back("data " + data);
        };
        socket.OnSessionClosed = [this](TCustomWSocket*, std::uint16_t error) {
            events.push_back("closed " + std::to_string(error));
        };
    }

    TWSocket socket;
    std::vector<std::string> events;
};

} // namespace

TEST(Socks, Version5ConnectsAndServesTheBytesBehindTheReply) {
    Request request;
    std::string greeting;
    SocksServer server([&](Peer& peer) {
        greeting = peer.Read(3);
        peer.Write(Bytes({5, 0}));
        request = ReadSocks5Request(peer);
        // The answer and the first data in one piece.
        peer.Write(Bytes({5, 0, 0, 1, 10, 1, 2, 3, 0x10, 0xE1}) + "hello");
        peer.AwaitClose();
    });
    SocksClient client(server.Port());
    client.socket.Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.events.size() == 3; }));
    EXPECT_EQ(client.events,
              (std::vector<std::string>{"socks connected 0", "session connected 0", "data hello"}));
    EXPECT_EQ(client.socket.SocksBoundAddr(), "10.1.2.3");
    EXPECT_EQ(client.socket.SocksBoundPort(), "4321");

    client.socket.Close();
    server.Join();
    EXPECT_EQ(greeting, Bytes({5, 1, 0}));
    EXPECT_EQ(request.header, Bytes({5, 1, 0, 3}));
    EXPECT_EQ(request.host, "game.example");
    EXPECT_EQ(request.port, 1977);
    // Every close forgets the proxy.
    EXPECT_EQ(client.socket.SocksServer(), "");
    EXPECT_EQ(client.socket.SocksLevel(), "5");
}

TEST(Socks, TheLongestReplyFitsItsBuffer) {
    const std::string name(255, 'n');
    SocksServer server([&](Peer& peer) {
        peer.Read(3);
        peer.Write(Bytes({5, 0}));
        ReadSocks5Request(peer);
        peer.Write(Bytes({5, 0, 0, 3, 255}) + name + Bytes({0, 80}) + "after");
        peer.AwaitClose();
    });
    SocksClient client(server.Port());
    client.socket.Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.events.size() == 3; }));
    EXPECT_EQ(client.events.back(), "data after");
    EXPECT_EQ(client.socket.SocksBoundAddr(), name);
    EXPECT_EQ(client.socket.SocksBoundPort(), "80");
}

// User name and password fill one block of 128 bytes: together at most 125 characters, the
// user name first.
TEST(Socks, UserNameAndPasswordAreSentWhenTheServerAsks) {
    struct Case {
        std::string user, password;
        std::string sentUser, sentPassword;
    };
    const Case cases[] = {
        {"alice", "secret", "alice", "secret"},
        {std::string(100, 'u'), std::string(50, 'p'), std::string(100, 'u'),
         std::string(25, 'p')},
        {std::string(130, 'u'), "pw", std::string(125, 'u'), ""},
    };
    for (const Case& c : cases) {
        std::string greeting, credentials;
        SocksServer server([&](Peer& peer) {
            greeting = peer.Read(3);
            peer.Write(Bytes({5, 2}));
            credentials = peer.Read(2);
            credentials += peer.Read(static_cast<unsigned char>(credentials[1]));
            const std::string passwordLength = peer.Read(1);
            credentials +=
                passwordLength + peer.Read(static_cast<unsigned char>(passwordLength[0]));
            peer.Write(Bytes({1, 0}));
            ReadSocks5Request(peer);
            peer.Write(Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0, 21}));
            peer.AwaitClose();
        });
        SocksClient client(server.Port());
        client.socket.SetSocksAuthentication(socksAuthenticateUsercode);
        client.socket.SetSocksUsercode(c.user);
        client.socket.SetSocksPassword(c.password);
        client.socket.Connect();
        ASSERT_TRUE(PumpUntil([&] { return client.events.size() == 4; }));
        EXPECT_EQ(client.events, (std::vector<std::string>{"socks connected 0", "auth 0",
                                                           "auth 1", "session connected 0"}));
        client.socket.Close();
        server.Join();
        EXPECT_EQ(greeting, Bytes({5, 1, 2}));
        EXPECT_EQ(credentials, Bytes({1, static_cast<int>(c.sentUser.size())}) + c.sentUser +
                                   Bytes({static_cast<int>(c.sentPassword.size())}) +
                                   c.sentPassword)
            << c.user.size() << " + " << c.password.size();
    }
}

TEST(Socks, Version4AHandsTheNameToTheServer) {
    std::string header, user, host;
    SocksServer server([&](Peer& peer) {
        header = peer.Read(8);
        user = peer.ReadUntilZero();
        host = peer.ReadUntilZero();
        peer.Write(Bytes({0, 90, 0, 0, 0, 0, 0, 0}) + "hi");
        peer.AwaitClose();
    });
    SocksClient client(server.Port(), "4a");
    EXPECT_EQ(client.socket.SocksLevel(), "4A");
    client.socket.SetSocksUsercode("bob");
    client.socket.Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.events.size() == 3; }));
    EXPECT_EQ(client.events,
              (std::vector<std::string>{"socks connected 0", "session connected 0", "data hi"}));
    client.socket.Close();
    server.Join();
    EXPECT_EQ(header, Bytes({4, 1, 0x07, 0xB9, 0, 0, 0, 1}));
    EXPECT_EQ(user, "bob");
    EXPECT_EQ(host, "game.example");
}

TEST(Socks, FailuresReportTheirCodeThenClose) {
    struct Case {
        std::string name;
        std::string level;
        bool withPassword;
        SocksServer::Script script;
        std::vector<std::string> events;
    };
    const auto greeted = [](Peer& peer) {
        peer.Read(3);
        peer.Write(Bytes({5, 0}));
        ReadSocks5Request(peer);
    };
    const Case cases[] = {
        {"version",
         "5",
         false,
         [](Peer& peer) {
             peer.Read(3);
             peer.Write(Bytes({4, 0}));
             peer.AwaitClose();
         },
         {"socks error 20002 socks version error", "session connected 20002", "closed 20002"}},
        {"method",
         "5",
         false,
         [](Peer& peer) {
             peer.Read(3);
             peer.Write(Bytes({5, 0xFF}));
             peer.AwaitClose();
         },
         {"socks error 20003 authentification method not acceptable", "session connected 20003",
          "closed 20003"}},
        {"refused",
         "5",
         false,
         [&](Peer& peer) {
             greeted(peer);
             peer.Write(Bytes({5, 5, 0, 1, 0, 0, 0, 0, 0, 0}));
             peer.AwaitClose();
         },
         {"socks error 20008 connection refused", "session connected 20008", "closed 20008"}},
        {"unassigned",
         "5",
         false,
         [&](Peer& peer) {
             greeted(peer);
             peer.Write(Bytes({5, 9, 0, 1, 0, 0, 0, 0, 0, 0}));
             peer.AwaitClose();
         },
         {"socks error 20012 unassigned error #9", "session connected 20012", "closed 20012"}},
        {"address type",
         "5",
         false,
         [&](Peer& peer) {
             greeted(peer);
             peer.Write(Bytes({5, 0, 0, 4, 0, 0, 0, 0, 0, 0}));
             peer.AwaitClose();
         },
         {"socks error 20011 address type not supported", "session connected 20011",
          "closed 20011"}},
        {"password",
         "5",
         true,
         [](Peer& peer) {
             peer.Read(3);
             peer.Write(Bytes({5, 2}));
             peer.Read(2 + 5 + 1 + 6);
             peer.Write(Bytes({1, 1}));
             peer.AwaitClose();
         },
         {"auth 0", "auth 2", "socks error 20015 socks authentication failed",
          "session connected 20015", "closed 20015"}},
        {"rejected",
         "4",
         false,
         [](Peer& peer) {
             peer.Read(8);
             peer.ReadUntilZero();
             peer.Write(Bytes({0, 91, 0, 0, 0, 0, 0, 0}));
             peer.AwaitClose();
         },
         {"socks error 20016 request rejected or failed", "session connected 20016",
          "closed 20016"}},
    };
    for (const Case& c : cases) {
        SocksServer server(c.script);
        SocksClient client(server.Port(), c.level);
        if (c.withPassword) {
            client.socket.SetSocksAuthentication(socksAuthenticateUsercode);
            client.socket.SetSocksUsercode("alice");
            client.socket.SetSocksPassword("secret");
        }
        if (c.level == "4")
            client.socket.SetAddr("127.0.0.1"); // level 4 sends an address, not a name
        client.socket.Connect();
        ASSERT_TRUE(PumpUntil([&] { return client.socket.State() == wsClosed; })) << c.name;
        std::vector<std::string> events(client.events.begin() + 1, client.events.end());
        EXPECT_EQ(client.events.front(), "socks connected 0") << c.name;
        EXPECT_EQ(events, c.events) << c.name;
    }
}

TEST(Socks, Version4SendsTheResolvedAddress) {
    std::string request;
    SocksServer server([&](Peer& peer) {
        request = peer.Read(8);
        peer.ReadUntilZero();
        peer.Write(Bytes({0, 90, 0, 0, 0, 0, 0, 0}));
        peer.AwaitClose();
    });
    SocksClient client(server.Port(), "4");
    client.socket.SetAddr("127.0.0.1");
    client.socket.Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.events.size() == 2; }));
    client.socket.Close();
    server.Join();
    EXPECT_EQ(request, Bytes({4, 1, 0x07, 0xB9, 127, 0, 0, 1}));
}

TEST(Socks, SettingsThatCannotBeUsed) {
    TWSocket socket;
    socket.SetSocksServer("127.0.0.1");
    socket.SetAddr("127.0.0.1");
    socket.SetPort("1977");
    const auto raised = [&](const std::function<void()>& action) -> std::string {
        try {
            action();
        } catch (const ESocketException& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(raised([&] { socket.Listen(); }), "listening is not supported thru socks server");
    EXPECT_EQ(raised([&] { socket.SetSocksLevel("6"); }),
              "Invalid socks level. Must be 4, 4A or 5.");
    socket.SetProto("udp");
    EXPECT_EQ(raised([&] { socket.Connect(); }),
              "tcp is the only protocol supported thru socks server");
    EXPECT_EQ(socket.State(), wsClosed);
}
