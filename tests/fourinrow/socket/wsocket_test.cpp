// The asynchronous socket over loopback: connecting, accepting with Dup, sending and receiving,
// closing from either side, and the error paths.
#include "loopback.h"

#include "platform/app/application.h"
#include "platform/app/clock.h"

#include <QCoreApplication>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>

using namespace sockettest;

namespace {

std::string Payload(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string data(size, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    return data;
}

// Runs action and returns the message of the ESocketException it raised ("" when none).
std::string RaisedMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESocketException& e) {
        return e.what();
    }
    return "";
}

std::string Text(TSocketState state) {
    static const char* const names[] = {"invalid",   "opened",    "bound",     "connecting",
                                        "connected", "accepting", "listening", "closed"};
    return names[state];
}

} // namespace

TEST(WSocket, ConnectAcceptWithDupAndExchangeBothWays) {
    LoopbackPair pair;
    std::vector<std::string> clientStates;
    pair.client.OnChangeState = [&](TCustomWSocket*, TSocketState, TSocketState to) {
        clientStates.push_back(Text(to));
    };
    std::vector<int> connected;
    pair.client.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t error) {
        connected.push_back(error);
    };
    bool serverConnectedEvent = false;
    pair.server.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t) {
        serverConnectedEvent = true;
    };
    std::string atServer, atClient;
    CollectReceived(pair.server, atServer);
    CollectReceived(pair.client, atClient);

    pair.Connect();
    EXPECT_EQ(clientStates, (std::vector<std::string>{"opened", "connecting", "connected"}));
    EXPECT_EQ(connected, std::vector<int>{0});
    EXPECT_FALSE(serverConnectedEvent) << "an adopted handle is connected without the event";
    EXPECT_EQ(pair.sessionsAvailable, 1);
    EXPECT_EQ(pair.listener.State(), wsListening);
    EXPECT_EQ(pair.server.GetPeerAddr(), "127.0.0.1");
    EXPECT_NE(pair.client.GetBoundPort(), "error");
    EXPECT_EQ(TWSocket().GetBoundPort(), "error");
    EXPECT_EQ(TWSocket().GetPeerAddr(), "error");

    EXPECT_EQ(pair.client.SendStr("hello"), 5);
    EXPECT_EQ(pair.server.SendStr("world!"), 6);
    ASSERT_TRUE(PumpUntil([&] { return atServer.size() == 5 && atClient.size() == 6; }));
    EXPECT_EQ(atServer, "hello");
    EXPECT_EQ(atClient, "world!");

    // Larger than what the socket buffers hold: the rest waits in the queue for room to send.
    const std::string up = Payload(12 << 20, 1);
    const std::string down = Payload(9 << 20, 2);
    atServer.clear();
    atClient.clear();
    int clientSent = 0;
    pair.client.OnDataSent = [&](TCustomWSocket*, std::uint16_t) { ++clientSent; };
    EXPECT_EQ(pair.client.SendStr(up), static_cast<int>(up.size()));
    EXPECT_EQ(pair.server.SendStr(down), static_cast<int>(down.size()));
    ASSERT_TRUE(
        PumpUntil([&] { return atServer.size() == up.size() && atClient.size() == down.size(); }));
    EXPECT_TRUE(atServer == up);
    EXPECT_TRUE(atClient == down);
    ASSERT_TRUE(PumpUntil([&] { return clientSent > 0; }));
    pair.CloseBoth();
}

TEST(WSocket, DataSentComesFromTheMessageLoopAfterSendReturned) {
    LoopbackPair pair;
    pair.Connect();
    bool insideSend = false;
    std::vector<bool> sentInsideSend;
    pair.client.OnDataSent = [&](TCustomWSocket*, std::uint16_t error) {
        EXPECT_EQ(error, 0);
        sentInsideSend.push_back(insideSend);
    };
    insideSend = true;
    pair.client.SendStr("ping");
    insideSend = false;
    EXPECT_TRUE(sentInsideSend.empty());
    ASSERT_TRUE(PumpUntil([&] { return !sentInsideSend.empty(); }));
    EXPECT_FALSE(sentInsideSend.front());
}

TEST(WSocket, SendsInOneTurnAreFollowedByOneDataSent) {
    LoopbackPair pair;
    pair.Connect();
    PumpUntil([] { return false; }, std::chrono::milliseconds(50)); // the connection's own
    int sent = 0;
    pair.client.OnDataSent = [&](TCustomWSocket*, std::uint16_t) { ++sent; };
    std::string received;
    CollectReceived(pair.server, received);
    for (int i = 0; i < 100; ++i)
        pair.client.SendStr("GA\n");
    ASSERT_TRUE(PumpUntil([&] { return received.size() == 300; }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(sent, 1);
    // The notice came; the next send is followed by one of its own.
    pair.client.SendStr("GB\n");
    ASSERT_TRUE(PumpUntil([&] { return received.size() == 303; }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(sent, 2);
}

TEST(WSocket, SendOfNothingReturnsZeroAndFlushEnds) {
    LoopbackPair pair;
    pair.Connect();
    int sent = 0;
    pair.client.OnDataSent = [&](TCustomWSocket*, std::uint16_t) { ++sent; };
    EXPECT_EQ(pair.client.Send("x", 0), 0);
    pair.client.Flush();
    ASSERT_TRUE(PumpUntil([&] { return sent == 1; }));
    EXPECT_EQ(pair.client.RcvdCount(), 0);
}

// Which end closes first; the other learns it from the network.
class CloseFromEitherSide : public testing::TestWithParam<bool> {};

TEST_P(CloseFromEitherSide, PeerGetsTheWaitingDataThenOneClose) {
    const bool clientCloses = GetParam();
    LoopbackPair pair;
    pair.serverLinger = wsLingerOff; // a graceful close, so the last bytes are not reset away
    pair.Connect();
    TWSocket& closer = clientCloses ? pair.client : pair.server;
    TWSocket& peer = clientCloses ? pair.server : pair.client;
    closer.SetLingerOnOff(wsLingerOff);

    std::vector<std::string> peerEvents;
    peer.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        const std::string data = peer.ReceiveStr();
        if (!data.empty())
            peerEvents.push_back("data " + data);
    };
    peer.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t error) {
        peerEvents.push_back("closed " + std::to_string(error));
        peer.Close(); // closing again inside the event reports nothing more
    };
    int closerClosed = 0;
    closer.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { ++closerClosed; };

    closer.SendStr("bye");
    closer.Flush();
    closer.Close();
    EXPECT_EQ(closerClosed, 1);
    EXPECT_EQ(closer.State(), wsClosed);
    ASSERT_TRUE(PumpUntil([&] { return peer.State() == wsClosed; }));
    EXPECT_EQ(peerEvents, (std::vector<std::string>{"data bye", "closed 0"}));
    EXPECT_EQ(closerClosed, 1);
}

INSTANTIATE_TEST_SUITE_P(WSocket, CloseFromEitherSide, testing::Bool(),
                         [](const auto& info) { return info.param ? "Client" : "Server"; });

TEST(WSocket, RefusedConnectionReportsThenClosesOnce) {
    std::string freePort;
    {
        LoopbackPair probe; // a port that was just free
        freePort = probe.port;
    }
    TWSocket client;
    std::vector<std::string> events;
    client.OnChangeState = [&](TCustomWSocket*, TSocketState, TSocketState to) {
        events.push_back(Text(to));
    };
    client.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t error) {
        events.push_back("connected " + std::to_string(error));
    };
    client.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t error) {
        events.push_back("session closed " + std::to_string(error));
    };
    client.SetAddr("127.0.0.1");
    client.SetPort(freePort);
    client.Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.State() == wsClosed; }));
    EXPECT_EQ(events, (std::vector<std::string>{"opened", "connecting", "connected",
                                                "connected 10061", "closed", "session closed 0"}));
}

TEST(WSocket, PropertiesChangeOnlyWhileClosed) {
    LoopbackPair pair;
    EXPECT_EQ(RaisedMessage([&] { pair.listener.SetPort("0"); }), "") << "the same text again";
    EXPECT_EQ(RaisedMessage([&] { pair.listener.SetPort("1978"); }),
              "Cannot change Port if not closed");
    EXPECT_EQ(RaisedMessage([&] { pair.listener.SetAddr("10.0.0.1"); }),
              "Cannot change Addr if not closed");
    EXPECT_EQ(RaisedMessage([&] { pair.listener.SetProto("udp"); }),
              "Cannot change Proto if not closed");
    EXPECT_EQ(RaisedMessage([&] { pair.listener.SetLocalPort("5"); }),
              "Cannot change LocalPort if not closed");
    int errors = 0;
    pair.listener.OnError = [&](TCustomWSocket*) { ++errors; };
    pair.listener.SetPort("1978");
    EXPECT_EQ(errors, 1) << "with OnError the refusal goes there instead";
    EXPECT_EQ(pair.listener.Port(), "0");

    TWSocket closed;
    closed.SetAddr("  example.org ");
    EXPECT_EQ(closed.Addr(), "example.org");
}

TEST(WSocket, AfterACloseAddressAndPortMustBeGivenAgain) {
    LoopbackPair pair;
    pair.Connect();
    pair.CloseBoth();
    EXPECT_EQ(pair.client.LingerOnOff(), wsLingerOn);
    EXPECT_EQ(RaisedMessage([&] { pair.client.Connect(); }), "Connect: No Port Specified");
    pair.client.SetPort(pair.port); // the same text is accepted: it is no longer assigned
    EXPECT_EQ(RaisedMessage([&] { pair.client.Connect(); }), "Connect: No IP Address Specified");
}

TEST(WSocket, ErrorsCarryTheCodeTheOperationAndItsText) {
    struct Case {
        std::string name;
        std::function<void(TWSocket&)> action;
        std::string message;
    };
    const Case cases[] = {
        {"accept", [](TWSocket& s) { EXPECT_EQ(s.Accept(), -1); },
         "Error 10022 in function not a listening socket\r\nInvalid argument"},
        {"dup", [](TWSocket& s) { s.Dup(-1); }, "Error 10022 in function Dup\r\nInvalid argument"},
        {"send", [](TWSocket& s) { EXPECT_EQ(s.SendStr("x"), -1); },
         "Error 10057 in function Send\r\nSocket is not connected"},
        {"listen", [](TWSocket& s) { s.Listen(); },
         "Error 10022 in function listen: port not assigned\r\nInvalid argument"},
        {"flags", [](TWSocket& s) { s.SetSendFlags(static_cast<TSocketSendFlags>(7)); },
         "Invalid SendFlags"},
        {"lookup", [](TWSocket& s) { s.DnsLookup(""); }, "DNS lookup: invalid host name."},
        {"resolve",
         [](TWSocket& s) {
             s.SetAddr("127.0.0.1");
             s.SetPort("no-such-service");
             s.Connect();
         },
         "connect: WSocketResolvePort: Cannot convert port 'no-such-service'"},
    };
    for (const Case& c : cases) {
        TWSocket socket;
        EXPECT_EQ(RaisedMessage([&] { c.action(socket); }), c.message) << c.name;
        EXPECT_EQ(socket.State(), wsClosed) << c.name;
    }
}

TEST(WSocket, WithOnErrorTheCodeIsInLastErrorAndNothingChanges) {
    TWSocket socket;
    int errors = 0;
    socket.OnError = [&](TCustomWSocket*) { ++errors; };
    int stateChanges = 0;
    socket.OnChangeState = [&](TCustomWSocket*, TSocketState, TSocketState) { ++stateChanges; };
    std::vector<int> lookups;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        lookups.push_back(error);
    };

    socket.Dup(-1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(socket.LastError(), 10022);
    EXPECT_EQ(socket.State(), wsClosed);
    EXPECT_EQ(stateChanges, 0);
    EXPECT_EQ(socket.Accept(), -1);
    EXPECT_EQ(errors, 2);
    socket.DnsLookup("");
    EXPECT_EQ(errors, 3);
    EXPECT_EQ(lookups, std::vector<int>{10022});
}

TEST(WSocket, SendWhileStillConnectingFailsAndCloses) {
    LoopbackPair pair;
    pair.client.SetAddr("127.0.0.1");
    pair.client.SetPort(pair.port);
    pair.client.Connect();
    ASSERT_EQ(pair.client.State(), wsConnecting);
    int errors = 0;
    pair.client.OnError = [&](TCustomWSocket*) { ++errors; };
    EXPECT_EQ(pair.client.SendStr("early"), -1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(pair.client.LastError(), 10057);
    EXPECT_EQ(pair.client.State(), wsClosed);
}

TEST(WSocket, DestroyingAConnectedSocketClosesItWithoutItsOwnEvent) {
    LoopbackPair pair;
    auto client = std::make_unique<TWSocket>();
    int clientClosed = 0;
    client->OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { ++clientClosed; };
    int serverClosed = 0;
    pair.server.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { ++serverClosed; };
    client->SetAddr("127.0.0.1");
    client->SetPort(pair.port);
    client->Connect();
    ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsConnected; }));
    client.reset();
    EXPECT_EQ(clientClosed, 0);
    ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsClosed; }));
    EXPECT_EQ(serverClosed, 1);
}

TEST(WSocket, ListeningAgainOnThePortOfAFinishedSession) {
    LoopbackPair pair;
    // Both ends close gracefully, the accepted end first: its port stays in TIME_WAIT.
    pair.serverLinger = wsLingerOff;
    pair.client.SetLingerOnOff(wsLingerOff);
    pair.Connect();
    pair.server.Close();
    ASSERT_TRUE(PumpUntil([&] { return pair.client.State() == wsClosed; }));
    pair.listener.Close();

    TWSocket again;
    again.SetAddr("127.0.0.1");
    again.SetPort(pair.port);
    EXPECT_EQ(RaisedMessage([&] { again.Listen(); }), "");
    EXPECT_EQ(again.State(), wsListening);
    EXPECT_EQ(again.GetBoundPort(), pair.port);
}

TEST(WSocket, AFailedListenLeavesNoDescriptorOpen) {
    LoopbackPair pair; // holds the port
    TWSocket second;
    second.SetAddr("127.0.0.1");
    second.SetPort(pair.port);
    const int before = OpenDescriptors();
    EXPECT_EQ(RaisedMessage([&] { second.Listen(); }),
              "Error 10048 in function Bind\r\nAddress already in use");
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(WSocket, ShuttingDownTheSendingSideEndsThePeersSession) {
    LoopbackPair pair;
    pair.serverLinger = wsLingerOff;
    pair.client.SetLingerOnOff(wsLingerOff);
    pair.Connect();
    std::vector<int> serverClosed;
    pair.server.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t error) {
        serverClosed.push_back(error);
    };
    pair.client.Shutdown(1);
    EXPECT_EQ(pair.client.State(), wsConnected) << "nothing else changes";
    ASSERT_TRUE(PumpUntil([&] { return pair.client.State() == wsClosed; }));
    EXPECT_EQ(serverClosed, std::vector<int>{0});
    EXPECT_EQ(pair.server.State(), wsClosed);
}

TEST(WSocket, AnAdoptedConnectionGetsNoneOfTheLastSessionsUnsentBytes) {
    LoopbackPair pair;
    pair.Connect();
    // The peer stops reading, so most of a large send stays queued.
    pair.client.Pause();
    pair.server.SendStr(std::string(32 << 20, 'o'));
    pair.server.Close();

    TWSocket next;
    std::string received;
    CollectReceived(next, received);
    next.SetAddr("127.0.0.1");
    next.SetPort(pair.port);
    next.Connect();
    ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsConnected; }));
    pair.server.SendStr("fresh");
    ASSERT_TRUE(PumpUntil([&] { return received.size() >= 5; }));
    EXPECT_EQ(received, "fresh");
}

// ---- the read loop ----

TEST(ReadLoop, AHandlerReadingPartOfTheDataIsCalledAgainAtOnce) {
    LoopbackPair pair;
    pair.Connect();
    std::vector<std::string> reads;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        char buffer[10];
        const int got = pair.server.Receive(buffer, sizeof buffer);
        if (got > 0)
            reads.emplace_back(buffer, static_cast<std::size_t>(got));
    };
    pair.client.SendStr("abcdefghijklmnopqrstuvwxy");
    ASSERT_TRUE(PumpUntil([&] { return reads.size() == 3; }));
    EXPECT_EQ(reads, (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvwxy"}));
    EXPECT_EQ(pair.server.ReadCount(), 25);
}

TEST(ReadLoop, AHandlerThatReadsNothingIsNotCalledWithoutEnd) {
    LoopbackPair pair;
    pair.Connect();
    int calls = 0;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) { ++calls; };
    pair.client.SendStr("waiting");
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(pair.server.ReceiveStr(), "waiting") << "the bytes are still there for later";

    std::string later;
    CollectReceived(pair.server, later);
    pair.client.SendStr("more");
    ASSERT_TRUE(PumpUntil([&] { return later == "more"; }));
}

TEST(ReadLoop, APeerThatNeverStopsSendingLeavesTheEventLoopRunning) {
    using namespace std::chrono_literals;
    using Clock = std::chrono::steady_clock;
    LoopbackPair pair;
    std::size_t received = 0;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        // Small reads: the peer sends faster than they take its bytes.
        char buffer[64];
        received += static_cast<std::size_t>(std::max(pair.server.Receive(buffer, 64), 0));
    };
    // The peer: a plain socket on a thread of its own, sending as fast as the other end takes
    // it for two seconds.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(pair.port)));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsConnected; }));
    std::atomic<std::size_t> sent{0};
    std::atomic<bool> flooding{true};
    // Blocking sends refill the socket the moment it has room; a reader that stopped reading
    // altogether would end them after a second.
    const timeval patience{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    std::thread peer([&] {
        const std::string chunk(64 * 1024, 'x');
        for (const auto end = Clock::now() + 2s; Clock::now() < end;) {
            const ssize_t count = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
            if (count > 0)
                sent += static_cast<std::size_t>(count);
        }
        flooding = false;
    });

    QTimer ticker;
    auto lastTick = Clock::now();
    auto longestGap = Clock::duration::zero();
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, Clock::now() - lastTick);
        lastTick = Clock::now();
    });
    ticker.start(10);
    PumpUntil([&] { return !flooding; });
    longestGap = std::max(longestGap, Clock::now() - lastTick); // a timer that never came
    ticker.stop();
    peer.join();
    // Far more than one message's reading takes, far less than the flood.
    EXPECT_LT(longestGap, 500ms);
    EXPECT_TRUE(PumpUntil([&] { return received == sent; }));
    ::close(fd);
}

TEST(ReadLoop, WithoutAHandlerReceivedBytesAreDropped) {
    LoopbackPair pair;
    pair.Connect();
    pair.client.SendStr(std::string(3000, 'a'));
    AwaitHandled(pair.server, 3000);
    std::string received;
    CollectReceived(pair.server, received);
    pair.client.SendStr("b");
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received, "b");
}

TEST(ReadLoop, ReceiveStrWithNothingWaitingIsEmpty) {
    LoopbackPair pair;
    pair.Connect();
    EXPECT_EQ(pair.server.ReceiveStr(), "");
    EXPECT_EQ(pair.server.ReadCount(), 0);
}

// ---- host lookup ----

TEST(DnsLookup, ADottedAddressIsAnsweredInsideTheCall) {
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.DnsLookup("127.0.0.1");
    EXPECT_EQ(answers, std::vector<int>{0});
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
    EXPECT_TRUE(socket.DnsResultList().empty());
}

TEST(DnsLookup, ANameIsAnsweredLaterWithEveryAddress) {
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.DnsLookup("localhost");
    EXPECT_TRUE(answers.empty());
    ASSERT_TRUE(PumpUntil([&] { return !answers.empty(); }));
    EXPECT_EQ(answers, std::vector<int>{0});
    ASSERT_FALSE(socket.DnsResultList().empty());
    EXPECT_EQ(socket.DnsResult(), socket.DnsResultList().front());
    EXPECT_NE(std::find(socket.DnsResultList().begin(), socket.DnsResultList().end(), "127.0.0.1"),
              socket.DnsResultList().end());
}

TEST(DnsLookup, ReverseLookupGivesOneName) {
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.ReverseDnsLookup("127.0.0.1");
    ASSERT_TRUE(PumpUntil([&] { return !answers.empty(); }));
    EXPECT_EQ(answers, std::vector<int>{0});
    EXPECT_FALSE(socket.DnsResult().empty());
    EXPECT_EQ(socket.DnsResultList(), std::vector<std::string>{socket.DnsResult()});
}

TEST(DnsLookup, CancelReportsInterruptedOnlyWhenALookupIsPending) {
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.CancelDnsLookup();
    EXPECT_TRUE(answers.empty());
    socket.DnsLookup("localhost");
    socket.CancelDnsLookup();
    EXPECT_EQ(answers, std::vector<int>{10004});
    // A later lookup's answer is the only one still to come.
    socket.DnsLookup("localhost");
    ASSERT_TRUE(PumpUntil([&] { return answers.size() == 2; }));
    socket.DnsLookup("localhost");
    ASSERT_TRUE(PumpUntil([&] { return answers.size() == 3; }));
    EXPECT_EQ(answers, (std::vector<int>{10004, 0, 0}));
}

TEST(DnsLookup, ASecondLookupReplacesThePendingOne) {
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.DnsLookup("localhost");
    socket.DnsLookup("localhost");
    ASSERT_TRUE(PumpUntil([&] { return !answers.empty(); }));
    socket.DnsLookup("localhost");
    ASSERT_TRUE(PumpUntil([&] { return answers.size() >= 2; }));
    EXPECT_EQ(answers, (std::vector<int>{0, 0}));
}

TEST(DnsLookup, AReplacedLookupLeavesNothingToCancel) {
    TWSocket socket;
    int errors = 0;
    socket.OnError = [&](TCustomWSocket*) { ++errors; };
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.DnsLookup("localhost");
    socket.DnsLookup("127.0.0.1"); // answered at once
    socket.CancelDnsLookup();
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(answers, std::vector<int>{0});
}

// ---- exceptions inside event handlers ----

// Whether OnBgException lets the socket be closed.
class BackgroundException : public testing::TestWithParam<bool> {};

TEST_P(BackgroundException, AHandlerExceptionGoesToOnBgExceptionThenAborts) {
    const bool canClose = GetParam();
    LoopbackPair pair;
    pair.listener.OnSessionAvailable = [](TCustomWSocket*, std::uint16_t) {
        throw ESocketException("handler failed");
    };
    std::vector<std::string> seen;
    pair.listener.OnBgException = [&](TCustomWSocket*, const std::exception& e, bool& close) {
        seen.push_back(e.what());
        close = canClose;
    };
    pair.client.SetAddr("127.0.0.1");
    pair.client.SetPort(pair.port);
    pair.client.Connect();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen, std::vector<std::string>{"handler failed"});
    EXPECT_EQ(pair.listener.State(), canClose ? wsClosed : wsListening);
}

INSTANTIATE_TEST_SUITE_P(WSocket, BackgroundException, testing::Bool(),
                         [](const auto& info) { return info.param ? "Aborts" : "KeepsListening"; });

// ---- pausing and datagrams ----

TEST(WSocket, PausedSocketsHearNothingUntilResumed) {
    LoopbackPair pair;
    pair.Connect();
    std::string received;
    CollectReceived(pair.server, received);
    EXPECT_EQ(pair.server.Pause(), 0);
    pair.client.SendStr("p");
    for (int i = 0; i < 20000 && pair.server.RcvdCount() < 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < 100; ++i)
        platform::app::processMessages();
    EXPECT_EQ(received, "");
    EXPECT_EQ(pair.server.Resume(), 0);
    ASSERT_TRUE(PumpUntil([&] { return received == "p"; }));
}

TEST(WSocket, DatagramsGoBothWays) {
    TWSocket receiver;
    std::vector<int> connected;
    receiver.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t error) {
        connected.push_back(error);
    };
    receiver.SetAddr("127.0.0.1");
    receiver.SetPort("0");
    receiver.SetProto("udp");
    receiver.Listen();
    EXPECT_EQ(receiver.State(), wsConnected) << "a datagram socket is connected once bound";
    EXPECT_EQ(connected, std::vector<int>{0});

    std::string got;
    SocketAddressIn from{};
    receiver.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        char buffer[64];
        int fromLength = sizeof from;
        const int n = receiver.ReceiveFrom(buffer, sizeof buffer, from, fromLength);
        if (n > 0)
            got.assign(buffer, static_cast<std::size_t>(n));
    };
    TWSocket sender;
    sender.SetAddr("127.0.0.1");
    sender.SetPort(receiver.GetBoundPort());
    sender.SetProto("udp");
    sender.Connect();
    EXPECT_EQ(sender.State(), wsConnected);
    EXPECT_NE(sender.LocalPort(), "0") << "bound to a port of the platform's choice";
    sender.SendStr("dgram");
    ASSERT_TRUE(PumpUntil([&] { return got == "dgram"; }));
    EXPECT_EQ(ntohs(from.port), std::stoi(sender.LocalPort()));

    std::string answer;
    CollectReceived(sender, answer);
    EXPECT_EQ(receiver.SendTo(from, sizeof from, "back", 4), 4);
    ASSERT_TRUE(PumpUntil([&] { return answer == "back"; }));
}

// With an OnError handler a failure is reported and the operation ends there: a connect whose
// local port cannot be bound goes no further.
TEST(WSocket, WithOnErrorAConnectWhoseBindFailsGoesNoFurther) {
    for (const char* proto : {"tcp", "udp"}) {
        // The local port is held by a socket of the same kind.
        TWSocket holder;
        holder.SetAddr("0.0.0.0");
        holder.SetPort("0");
        holder.SetProto(proto);
        holder.Listen();
        ASSERT_NE(holder.GetBoundPort(), "error") << proto;

        TWSocket socket;
        int errors = 0, connected = 0;
        socket.OnError = [&](TCustomWSocket*) { ++errors; };
        socket.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t) { ++connected; };
        socket.SetAddr("127.0.0.1");
        socket.SetPort(holder.GetBoundPort());
        socket.SetProto(proto);
        socket.SetLocalPort(holder.GetBoundPort());
        socket.Connect();
        EXPECT_EQ(errors, 1) << proto;
        EXPECT_EQ(socket.State(), wsOpened) << proto;
        PumpUntil([] { return false; }, std::chrono::milliseconds(50));
        EXPECT_EQ(connected, 0) << proto;
        socket.Close();
        EXPECT_EQ(socket.State(), wsClosed) << proto;
    }
}

TEST(WSocket, AcceptKeepsTheHandleItReturned) {
    LoopbackPair pair;
    EXPECT_EQ(pair.listener.AcceptedHandle(), -1);
    SocketHandle accepted = -1;
    pair.listener.OnSessionAvailable = [&](TCustomWSocket*, std::uint16_t) {
        accepted = pair.listener.Accept();
        pair.server.Dup(accepted);
    };
    pair.Connect();
    EXPECT_NE(accepted, -1);
    EXPECT_EQ(pair.listener.AcceptedHandle(), accepted);
    // Nothing is waiting now: the failure is kept as well.
    EXPECT_NE(RaisedMessage([&] { pair.listener.Accept(); }), "");
    EXPECT_EQ(pair.listener.AcceptedHandle(), -1);
}

TEST(WSocket, TimeValues) {
    TWSocket socket;
    TimeValue a{3, 250}, b{3, 250};
    EXPECT_TRUE(socket.TimeValueIsSet(a));
    EXPECT_TRUE(socket.TimeValueIsSet(TimeValue{0, 1}));
    EXPECT_TRUE(socket.TimeValueIsSet(TimeValue{1, 0}));
    EXPECT_FALSE(socket.TimeValueIsSet(TimeValue{}));
    EXPECT_TRUE(socket.CompareTimeValues(a, b, true));
    EXPECT_FALSE(socket.CompareTimeValues(a, b, false));
    b.microseconds = 251;
    EXPECT_FALSE(socket.CompareTimeValues(a, b, true));
    EXPECT_TRUE(socket.CompareTimeValues(a, b, false));
    socket.ClearTimeValue(a);
    EXPECT_EQ(a.seconds, 0);
    EXPECT_EQ(a.microseconds, 0);
}

// ---- the object's own message loop ----

// With MultiThreaded the object pumps the thread's messages itself, and stops dispatching
// once the program is quitting.
TEST(MessagePump, TheObjectsOwnLoopRunsWhatWaitsUntilTheProgramQuits) {
    TWSocket socket;
    socket.SetMultiThreaded(true);
    int ran = 0;
    QTimer::singleShot(0, [&] { ++ran; });
    ASSERT_TRUE(PumpUntil(
        [&] {
            socket.MessagePump();
            return ran == 1;
        },
        std::chrono::seconds(5)));
    EXPECT_FALSE(socket.Terminated());

    int afterQuit = 0, dispatchedWhileQuitting = -1;
    bool terminated = false;
    QTimer::singleShot(0, [&] {
        platform::app::Application::quit();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { ++afterQuit; }, Qt::QueuedConnection);
        socket.MessagePump();
        dispatchedWhileQuitting = afterQuit;
        terminated = socket.Terminated();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(terminated);
    EXPECT_EQ(dispatchedWhileQuitting, 0);
    // Left for the program's own loop.
    ASSERT_TRUE(PumpUntil([&] { return afterQuit == 1; }, std::chrono::seconds(5)));
}
