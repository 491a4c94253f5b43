// Asynchronous selection over real loopback connections: which messages come, in which order,
// and that each comes once until the call that consumes it.
#include "winsock_test_support.h"

#include <cstring>
#include <string>

namespace fourinrow::socket::testing {
namespace {

constexpr unsigned SelectMessage = 0x401;
constexpr unsigned FdRead = ws::FdRead, FdWrite = ws::FdWrite, FdAccept = ws::FdAccept,
                   FdConnect = ws::FdConnect, FdClose = ws::FdClose;
constexpr std::int32_t ClientEvents =
    ws::FdRead | ws::FdWrite | ws::FdAccept | ws::FdConnect | ws::FdClose;
constexpr std::int32_t ServerEvents = ws::FdRead | ws::FdWrite | ws::FdAccept | ws::FdClose;

// A call that succeeded, or goes on in the background.
bool Started(int result) {
    return result >= 0 || winsock::WSAGetLastError() == ws::WSAEWOULDBLOCK;
}

// A listener, a client connected to it and the accepted end, each with its own window.
class WinsockConnection : public WinsockTest {
protected:
    void SetUp() override {
        WinsockTest::SetUp();
        listener = Listener(port);
        ASSERT_EQ(
            winsock::WSAAsyncSelect(listener, serverWindow.handle(), SelectMessage, ServerEvents),
            0);
        client = winsock::socket(ws::AfInet, ws::SockStream, ws::IpProtoTcp);
        ASSERT_EQ(
            winsock::WSAAsyncSelect(client, clientWindow.handle(), SelectMessage, ClientEvents), 0);
    }

    void TearDown() override {
        for (SocketHandle s : {accepted, client, listener})
            if (s != ws::InvalidSocket)
                winsock::closesocket(s);
        WinsockTest::TearDown();
    }

    void ConnectAndAccept() {
        const SocketAddressIn server = Loopback(port);
        ASSERT_TRUE(Started(winsock::connect(client, &server, sizeof server)));
        ASSERT_TRUE(PumpUntil([&] {
            return clientWindow.count(client, FdWrite) == 1 &&
                   serverWindow.count(listener, FdAccept) == 1;
        }));
        SocketAddressIn peer;
        int length = sizeof peer;
        accepted = winsock::accept(listener, &peer, &length);
        ASSERT_NE(accepted, ws::InvalidSocket);
        EXPECT_EQ(peer.address, winsock::inet_addr("127.0.0.1"));
        ASSERT_EQ(winsock::WSAAsyncSelect(accepted, acceptedWindow.handle(), SelectMessage,
                                          ws::FdRead | ws::FdWrite | ws::FdConnect | ws::FdClose),
                  0);
    }

    std::string Receive(SocketHandle s, int length) {
        std::string data(static_cast<std::size_t>(length), '\0');
        const int got = winsock::recv(s, data.data(), length, 0);
        data.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return data;
    }

    std::uint16_t port = 0;
    SocketHandle listener = ws::InvalidSocket;
    SocketHandle client = ws::InvalidSocket;
    SocketHandle accepted = ws::InvalidSocket;
    RecordingWindow serverWindow, clientWindow, acceptedWindow;
};

TEST_F(WinsockConnection, ConnectAcceptReceiveAndCloseArriveInOrder) {
    const SocketAddressIn server = Loopback(port);
    ASSERT_TRUE(Started(winsock::connect(client, &server, sizeof server)));
    // Messages come from the event loop, never from inside the call.
    EXPECT_TRUE(clientWindow.messages.empty());

    ASSERT_TRUE(PumpUntil([&] {
        return clientWindow.count(client, FdWrite) == 1 &&
               serverWindow.count(listener, FdAccept) == 1;
    }));
    const std::vector<std::pair<unsigned, unsigned>> connected{{FdConnect, 0}, {FdWrite, 0}};
    EXPECT_EQ(clientWindow.events(client), connected);
    EXPECT_EQ(clientWindow.messages.front().message, SelectMessage);

    accepted = winsock::accept(listener, nullptr, nullptr);
    ASSERT_NE(accepted, ws::InvalidSocket);
    EXPECT_NE(accepted, 0);
    EXPECT_NE(accepted, client);
    ASSERT_EQ(winsock::WSAAsyncSelect(accepted, acceptedWindow.handle(), SelectMessage,
                                      ws::FdRead | ws::FdWrite | ws::FdConnect | ws::FdClose),
              0);

    ASSERT_EQ(winsock::send(client, "hello", 5, 0), 5);
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdRead) == 1; }));
    PumpFor(100);
    EXPECT_EQ(acceptedWindow.count(accepted, FdRead), 1) << "posted again before a receive";

    // A receive that leaves data waiting brings the next FD_READ.
    EXPECT_EQ(Receive(accepted, 2), "he");
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdRead) == 2; }));
    std::uint32_t waiting = 0;
    ASSERT_EQ(winsock::ioctlsocket(accepted, ws::FionRead, &waiting), 0);
    EXPECT_EQ(waiting, 3u);
    EXPECT_EQ(Receive(accepted, 16), "llo");

    ASSERT_EQ(winsock::closesocket(client), 0);
    client = ws::InvalidSocket;
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdClose) == 1; }));
    const std::vector<std::pair<unsigned, unsigned>> accepting{
        {FdWrite, 0}, {FdRead, 0}, {FdRead, 0}, {FdClose, 0}};
    EXPECT_EQ(acceptedWindow.events(accepted), accepting);
    char byte;
    EXPECT_EQ(winsock::recv(accepted, &byte, 1, 0), 0);
    PumpFor(100);
    EXPECT_EQ(acceptedWindow.count(accepted, FdClose), 1);
}

TEST_F(WinsockConnection, PeerClosingWithWaitingDataReportsCloseAfterTheData) {
    ConnectAndAccept();
    ASSERT_EQ(winsock::send(client, "bye", 3, 0), 3);
    ASSERT_EQ(winsock::closesocket(client), 0);
    client = ws::InvalidSocket;
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdRead) == 1; }));
    PumpFor(100);
    EXPECT_EQ(acceptedWindow.count(accepted, FdClose), 0) << "close before the data was read";
    EXPECT_EQ(Receive(accepted, 16), "bye");
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdClose) == 1; }));
}

TEST_F(WinsockConnection, EachPendingConnectionIsAnnouncedAfterTheAcceptBefore) {
    const SocketAddressIn server = Loopback(port);
    const SocketHandle second = winsock::socket(ws::AfInet, ws::SockStream, ws::IpProtoTcp);
    for (SocketHandle s : {client, second}) {
        ASSERT_EQ(winsock::WSAAsyncSelect(s, clientWindow.handle(), SelectMessage, ClientEvents),
                  0);
        ASSERT_TRUE(Started(winsock::connect(s, &server, sizeof server)));
    }
    ASSERT_TRUE(PumpUntil([&] {
        return clientWindow.count(client, FdConnect) == 1 &&
               clientWindow.count(second, FdConnect) == 1 &&
               serverWindow.count(listener, FdAccept) == 1;
    }));
    PumpFor(100);
    EXPECT_EQ(serverWindow.count(listener, FdAccept), 1) << "announced again before an accept";

    accepted = winsock::accept(listener, nullptr, nullptr);
    ASSERT_NE(accepted, ws::InvalidSocket);
    ASSERT_TRUE(PumpUntil([&] { return serverWindow.count(listener, FdAccept) == 2; }));
    const SocketHandle secondAccepted = winsock::accept(listener, nullptr, nullptr);
    EXPECT_NE(secondAccepted, ws::InvalidSocket);
    EXPECT_NE(secondAccepted, accepted);
    // Nothing else is waiting: accepting now would block.
    EXPECT_EQ(winsock::accept(listener, nullptr, nullptr), ws::InvalidSocket);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEWOULDBLOCK);
    PumpFor(100);
    EXPECT_EQ(serverWindow.count(listener, FdAccept), 2);
    winsock::closesocket(secondAccepted);
    winsock::closesocket(second);
}

TEST_F(WinsockConnection, RefusedConnectionIsReportedByTheConnectEvent) {
    // A port that was free a moment ago and that nobody listens on.
    const SocketHandle probe = winsock::socket(ws::AfInet, ws::SockStream, ws::IpProtoTcp);
    const SocketAddressIn any = Loopback(0);
    ASSERT_EQ(winsock::bind(probe, &any, sizeof any), 0);
    const SocketAddressIn nobody = Loopback(BoundPort(probe));
    ASSERT_EQ(winsock::closesocket(probe), 0);

    EXPECT_EQ(winsock::connect(client, &nobody, sizeof nobody), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEWOULDBLOCK);
    ASSERT_TRUE(PumpUntil([&] { return clientWindow.count(client, FdConnect) == 1; }));
    PumpFor(100);
    const std::vector<std::pair<unsigned, unsigned>> refused{
        {FdConnect, static_cast<unsigned>(ws::WSAECONNREFUSED)}};
    EXPECT_EQ(clientWindow.events(client), refused);
    EXPECT_EQ(WSocketErrorDesc(ws::WSAECONNREFUSED), "Connection refused");
}

TEST_F(WinsockConnection, FullSendBufferReportsRoomAgainOnlyAfterDraining) {
    ConnectAndAccept();
    const int small = 4096;
    ASSERT_EQ(winsock::setsockopt(client, ws::SolSocket, ws::SoSndBuf,
                                  reinterpret_cast<const char*>(&small), sizeof small),
              0);
    ASSERT_EQ(winsock::setsockopt(accepted, ws::SolSocket, ws::SoRcvBuf,
                                  reinterpret_cast<const char*>(&small), sizeof small),
              0);
    const std::string chunk(16384, 'x');
    int sent;
    do
        sent = winsock::send(client, chunk.data(), static_cast<int>(chunk.size()), 0);
    while (sent == static_cast<int>(chunk.size()));
    ASSERT_TRUE(Started(sent));
    const int writesBefore = clientWindow.count(client, FdWrite);
    PumpFor(100);
    EXPECT_EQ(clientWindow.count(client, FdWrite), writesBefore) << "room reported while full";

    ASSERT_TRUE(PumpUntil([&] {
        std::string drain(65536, '\0');
        winsock::recv(accepted, drain.data(), static_cast<int>(drain.size()), 0);
        return clientWindow.count(client, FdWrite) == writesBefore + 1;
    }));
}

TEST_F(WinsockConnection, AbortiveCloseResetsThePeerAndSendingToItFailsQuietly) {
    ConnectAndAccept();
    const Linger abortive{1, 0};
    ASSERT_EQ(winsock::setsockopt(client, ws::SolSocket, ws::SoLinger,
                                  reinterpret_cast<const char*>(&abortive), sizeof abortive),
              0);
    ASSERT_EQ(winsock::closesocket(client), 0);
    client = ws::InvalidSocket;
    ASSERT_TRUE(PumpUntil([&] { return acceptedWindow.count(accepted, FdClose) == 1; }));
    const auto events = acceptedWindow.events(accepted);
    EXPECT_EQ(events.back(), std::make_pair(FdClose, static_cast<unsigned>(ws::WSAECONNRESET)));

    // The peer is gone: sending fails with an error code, and raises no SIGPIPE.
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(winsock::send(accepted, "x", 1, 0), ws::SocketError);
        EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAECONNRESET);
    }
}

TEST_F(WinsockTest, ClosedHandlesAreNeverReused) {
    const SocketHandle first = winsock::socket(ws::AfInet, ws::SockStream, 0);
    ASSERT_NE(first, ws::InvalidSocket);
    ASSERT_EQ(winsock::closesocket(first), 0);
    // Likely to get the same descriptor inside, but never the same handle.
    const SocketHandle second = winsock::socket(ws::AfInet, ws::SockStream, 0);
    ASSERT_NE(second, ws::InvalidSocket);
    EXPECT_NE(second, first);
    EXPECT_NE(second, 0);

    // Closing the old handle again touches nothing, in particular not the new socket.
    EXPECT_EQ(winsock::closesocket(first), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAENOTSOCK);
    const SocketAddressIn any = Loopback(0);
    EXPECT_EQ(winsock::bind(second, &any, sizeof any), 0);
    EXPECT_NE(BoundPort(second), 0);
    EXPECT_EQ(winsock::closesocket(second), 0);
}

TEST_F(WinsockTest, CallsCheckTheirArguments) {
    const SocketHandle s = winsock::socket(ws::AfInet, ws::SockStream, 0);
    const int on = 1;
    const auto* value = reinterpret_cast<const char*>(&on);
    const Linger linger{1, 5};
    std::uint32_t argument = 0;
    SocketAddressIn address;
    int shortLength = 8;
    const std::pair<std::function<int()>, int> cases[] = {
        {[&] { return winsock::setsockopt(s, ws::SolSocket, 0x7777, value, 4); },
         ws::WSAENOPROTOOPT},
        {[&] { return winsock::setsockopt(s, 42, ws::SoKeepAlive, value, 4); }, ws::WSAEINVAL},
        {[&] {
             return winsock::setsockopt(s, ws::SolSocket, ws::SoLinger,
                                        reinterpret_cast<const char*>(&linger), 2);
         },
         ws::WSAEFAULT},
        {[&] { return winsock::setsockopt(s, ws::SolSocket, ws::SoKeepAlive, value, 2); },
         ws::WSAEFAULT},
        {[&] { return winsock::ioctlsocket(s, 0x1234, &argument); }, ws::WSAEINVAL},
        {[&] { return winsock::getsockname(s, &address, &shortLength); }, ws::WSAEINVAL},
        {[&] { return winsock::listen(s, 5); }, ws::WSAEINVAL}, // not bound
        {[&] { return winsock::send(s, "x", 1, 0); }, ws::WSAENOTCONN},
        {[&] { return winsock::accept(s, nullptr, nullptr); }, ws::WSAEINVAL},
        {[&] { return winsock::socket(23, ws::SockStream, 0); }, ws::WSAEAFNOSUPPORT},
        {[&] { return winsock::socket(ws::AfInet, 5, 0); }, ws::WSAESOCKTNOSUPPORT},
        {[&] { return winsock::WSAAsyncSelect(s, 0, SelectMessage, ws::FdRead); }, ws::WSAEINVAL},
        {[&] { return winsock::shutdown(s, 3); }, ws::WSAEINVAL},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].first(), ws::SocketError) << "case " << i;
        EXPECT_EQ(winsock::WSAGetLastError(), cases[i].second) << "case " << i;
    }
    // Switches and the linger record that are well formed are taken.
    EXPECT_EQ(winsock::setsockopt(s, ws::SolSocket, ws::SoKeepAlive, value, 4), 0);
    EXPECT_EQ(winsock::setsockopt(s, ws::SolSocket, ws::SoLinger,
                                  reinterpret_cast<const char*>(&linger), sizeof linger),
              0);
    EXPECT_EQ(winsock::closesocket(s), 0);
}

TEST(WinsockLoading, LastSocketObjectUnloadsAndTheNextCallStartsAgain) {
    AddSocketObject();
    const SocketHandle before = winsock::socket(ws::AfInet, ws::SockStream, 0);
    ASSERT_NE(before, ws::InvalidSocket);
    AddSocketObject();
    ReleaseSocketObject(); // one object is still there: stays loaded
    std::uint32_t waiting = 0;
    EXPECT_EQ(winsock::ioctlsocket(before, ws::FionRead, &waiting), 0);

    ReleaseSocketObject(); // the last one: cleaned up and unloaded
    AddSocketObject();
    // Loaded and started again by the first call; the old socket went with the cleanup.
    EXPECT_EQ(winsock::ioctlsocket(before, ws::FionRead, &waiting), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAENOTSOCK);
    ReleaseSocketObject();
}

TEST(WinsockLoading, MissingEntryPointIsNamedInTheMessage) {
    AddSocketObject();
    EXPECT_EQ(ExceptionText([] { LoadWinsock("WSANoSuchCall"); }),
              "Procedure WSANoSuchCall not found in wsock32.dll Error #38");
    // An empty name only loads.
    EXPECT_EQ(LoadWinsock(""), nullptr);
    EXPECT_NE(LoadWinsock("connect"), nullptr);
    ReleaseSocketObject();
}

} // namespace
} // namespace fourinrow::socket::testing
