// Network play against a peer written with plain sockets: the protocol in both roles, and the
// program's answers to bad input from the network.

#include "network_fixture.h"

#include "platform/app/clock.h"

namespace kolvantest {
namespace {

TEST_F(NetworkTest, ListenerLeadsAGameAndAlternatesTheStart) {
    PlainPeer peer;
    ListenAndConnect(peer, "Bartholomew-the-Great");
    EXPECT_EQ(Main().PeerName, "Bartholomew"); // 11 characters are kept
    EXPECT_EQ(Main().StatusText(1), "Opponent Bartholomew. Your move");
    EXPECT_EQ(Main().StatusText(2), " 0  0  0");
    EXPECT_FALSE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_TRUE(Main().Action(Command::Break).isEnabled());

    MoveAndExpect(peer, 1);
    EXPECT_EQ(Main().StatusText(1), "Waiting for Bartholomew to move...");
    Type('2'); // not the program's turn: nothing is sent
    EXPECT_EQ(Game().GetMoveCount(), 1);
    PeerMoves(peer, "C2\n");
    EXPECT_EQ(Main().StatusText(1), "Bartholomew picked 2. Your move");
    for (int round = 0; round < 2; ++round) {
        MoveAndExpect(peer, 1);
        PeerMoves(peer, "C2\n");
    }
    MoveAndExpect(peer, 1);
    EXPECT_EQ(Main().StatusText(1), "You win! Next Game to restart");
    EXPECT_EQ(Main().StatusText(2), " 1  0  0");
    ASSERT_TRUE(Main().Action(Command::NextGame).isEnabled());

    Main().Action(Command::NextGame).trigger();
    EXPECT_EQ(peer.ReadLine(), "GB");
    EXPECT_EQ(Main().StatusText(1), "Opponent Bartholomew. Waiting...");
    PeerMoves(peer, "C4\n");
    EXPECT_EQ(Game().GetLastMover(), 1); // the connecting side plays yellow
    EXPECT_EQ(Main().StatusText(2), " 1  0  0");
}

TEST_F(NetworkTest, BadInputIsDroppedOrAnsweredAndPlayGoesOn) {
    PlainPeer peer;
    ListenAndConnect(peer);
    ExpectSyncError(peer, "C5\n", "5"); // out of turn
    MoveAndExpect(peer, 1);
    // A line too long for the buffer, then a good move in the same stream.
    peer.Send(std::string(1500, 'x'));
    PeerMoves(peer, "yy\nC3\n");
    MoveAndExpect(peer, 1);
    PeerMoves(peer, std::string("\0C\0003\n", 5)); // NUL bytes are dropped
    MoveAndExpect(peer, 1);
    for (auto [bytes, shown] : {std::pair{"C8\n", "8"}, std::pair{"C0\n", "0"},
                                std::pair{"Cx\n", "x"}, std::pair{"C\n", ""}})
        ExpectSyncError(peer, bytes, shown);
    PeerMoves(peer, "\nZzz\nC3\r\n"); // an empty line, an unknown one, a CRLF end
    MoveAndExpect(peer, 1);
    EXPECT_EQ(Main().StatusText(1), "You win! Next Game to restart");
    EXPECT_EQ(Main().StatusText(2), " 1  0  0");

    // After the end: answered, and the result is not counted again.
    ExpectSyncError(peer, "C2\n", "2");
    peer.Send("MHello there\n");
    EXPECT_TRUE(PumpUntil([&] { return Main().StatusText(1) == "Hello there"; }, 5s));
    ExpectSyncError(peer, "C6\n", "6");
    EXPECT_EQ(Main().StatusText(2), " 1  0  0");

    Main().Action(Command::NextGame).trigger();
    EXPECT_EQ(peer.ReadLine(), "GB");
    PeerMoves(peer, "C4\n");
    MoveAndExpect(peer, 4);
}

TEST_F(NetworkTest, ASecondCallerIsTurnedAwayAtOnce) {
    PlainPeer peer;
    ListenAndConnect(peer);
    PlainPeer intruder;
    ASSERT_TRUE(intruder.Connect(std::stoi(Main().PortText)));
    EXPECT_TRUE(intruder.WaitClosed());
    EXPECT_TRUE(intruder.Unread().empty());
    MoveAndExpect(peer, 4);
    EXPECT_EQ(Main().StatusText(3), "Connected");
}

TEST_F(NetworkTest, TheLastMoveReachesThePeerBeforeDisconnect) {
    PlainPeer peer;
    ListenAndConnect(peer);
    Type('4');
    Main().Action(Command::Break).trigger(); // Disconnect
    EXPECT_EQ(Main().StatusText(1), "Closed connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_EQ(peer.ReadLine(), "C4");
    EXPECT_TRUE(peer.WaitClosed());
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_TRUE(Main().Action(Command::ToggleMode).isEnabled());
}

TEST_F(NetworkTest, TheSyncMessageReachesThePeerBeforeItCloses) {
    PlainPeer peer;
    ListenAndConnect(peer);
    peer.Send("C9\n");
    EXPECT_EQ(peer.ReadLine(), "MSync. error (9). Disconnect and try again");
}

TEST_F(NetworkTest, ThePeerClosingEndsTheSessionAsLost) {
    {
        PlainPeer peer;
        ListenAndConnect(peer);
    }
    EXPECT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 5s));
    EXPECT_EQ(Main().StatusText(1), "Lost connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
}

// A peer may vanish at any point of the start: each time the session must end, show why and
// leave New Game able to listen again.
TEST_F(NetworkTest, APeerResettingDuringTheStartLeavesTheProgramReadyToListenAgain) {
    enum class ResetPoint { BeforeAccept, AfterAcceptWithItsName, AfterTheFirstGameLine };
    for (ResetPoint point : {ResetPoint::BeforeAccept, ResetPoint::AfterAcceptWithItsName,
                             ResetPoint::AfterTheFirstGameLine}) {
        SCOPED_TRACE(static_cast<int>(point));
        const int port = FreePort();
        EnterNetwork(true, port);
        PlainPeer rude;
        ASSERT_TRUE(rude.Connect(port));
        if (point == ResetPoint::AfterAcceptWithItsName) {
            // Accepted and greeted, but the greeting is never read.
            ASSERT_TRUE(PumpUntil([&] { return Main().ConnectionText == "Connected"; }, 5s));
        }
        if (point == ResetPoint::AfterTheFirstGameLine) {
            ASSERT_EQ(rude.ReadLine(), "PAlice");
            rude.Send("PRude\n");
            ASSERT_EQ(rude.ReadLine(), "GA");
        } else {
            rude.Send("PRude\n");
        }
        rude.Reset();
        ASSERT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 5s));
        PumpUntil([] { return false; }, 100ms); // any late event has arrived
        EXPECT_EQ(Main().StatusText(1), "Lost connection");
        EXPECT_EQ(Main().StatusText(3), "Disconnected");
        EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
        EXPECT_FALSE(Main().Action(Command::Break).isEnabled());
    }
    PlainPeer peer;
    ListenAndConnect(peer);
    EXPECT_EQ(Main().StatusText(1), "Opponent Bob. Your move");
    PlayAWinningGame(peer);
}

TEST_F(NetworkTest, APeerThatNeverReadsItsAnswersIsDisconnected) {
    PlainPeer flooder;
    ListenAndConnect(flooder);
    flooder.ShrinkReceiveBuffer();
    // Moves out of turn, each answered by a sync-error line that the peer never reads:
    // up to 12 MB of them, as fast as the program takes them.
    const std::string lines = [] {
        std::string text;
        for (int i = 0; i < 20000; ++i)
            text += "C5\n";
        return text;
    }();
    std::size_t mostQueued = 0;
    std::size_t offset = 0;
    const auto end = std::chrono::steady_clock::now() + 20s;
    for (std::size_t total = 0; total < 12'000'000 && Main().SessionActive == 1 &&
                                std::chrono::steady_clock::now() < end;) {
        const ssize_t sent = ::send(flooder.Descriptor(), lines.data() + offset,
                                    lines.size() - offset, MSG_NOSIGNAL);
        if (sent > 0) {
            total += static_cast<std::size_t>(sent);
            offset = (offset + static_cast<std::size_t>(sent)) % lines.size();
        }
        platform::app::processMessages();
        mostQueued = std::max(mostQueued, Main().CliWSocket().QueuedByteCount());
    }
    ASSERT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 10s));
    EXPECT_EQ(Main().StatusText(1), "Lost connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_LE(mostQueued, TfKolvan32::kSendQueueLimit + 64);
    EXPECT_EQ(Main().CliWSocket().QueuedByteCount(), 0u);

    PlainPeer peer;
    ListenAndConnect(peer);
    PlayAWinningGame(peer);
}

TEST_F(NetworkTest, APeerThatKeepsBreakingTheProtocolIsDisconnected) {
    PlainPeer peer;
    ListenAndConnect(peer);
    for (int i = 0; i < TfKolvan32::kMismatchLimit; ++i)
        ExpectSyncError(peer, "C5\n", "5");
    EXPECT_EQ(Main().SessionActive, 1);
    peer.Send("C5\n");
    ASSERT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 5s));
    EXPECT_EQ(Main().StatusText(1), "Lost connection");
    EXPECT_TRUE(peer.WaitClosed());
}

TEST_F(NetworkTest, ARefusedConnectionIsReportedAsSuch) {
    EnterNetwork(false, FreePort());
    EXPECT_EQ(Main().StatusText(3), "Trying");
    EXPECT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 10s));
    PumpUntil([] { return false; }, 200ms); // any late event has arrived
    EXPECT_EQ(Main().StatusText(1), "Unable to establish connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
}

TEST_F(NetworkTest, APortAlreadyTakenIsReportedAsSocketInUse) {
    PlainListener other;
    EnterNetwork(true, other.port);
    EXPECT_EQ(Main().StatusText(1), "Socket already in use");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_EQ(Main().SessionActive, 0);
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    // Once the port is free, listening works.
    EnterNetwork(true, FreePort());
    EXPECT_EQ(Main().StatusText(3), "Listening");
}

TEST_F(NetworkTest, AHostNameThatDoesNotResolveIsReportedAsUnknown) {
    EnterNetwork(false, 1977, "Alice", "no-such-host.invalid");
    EXPECT_EQ(Main().StatusText(3), "Trying");
    EXPECT_TRUE(PumpUntil([&] { return Main().SessionActive == 0; }, 30s));
    EXPECT_EQ(Main().StatusText(1), "Unknown server name");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
}

// A game line from the peer makes the listening side start the next game, as Next Game does.
TEST_F(NetworkTest, AGameLineReceivedRestartsTheListenersGame) {
    PlainPeer peer;
    ListenAndConnect(peer);
    MoveAndExpect(peer, 4);
    peer.Send("GA\n");
    EXPECT_EQ(peer.ReadLine(), "GB");
    EXPECT_EQ(Game().GetMoveCount(), 0);
    EXPECT_EQ(Main().StatusText(1), "Opponent Bob. Waiting...");
    peer.Send("Gx\n");
    EXPECT_EQ(peer.ReadLine(), "GA");
    EXPECT_EQ(Main().StatusText(1), "Opponent Bob. Your move");
    MoveAndExpect(peer, 3);
}

TEST_F(NetworkTest, ConnectingSideFollowsTheListenersGames) {
    PlainListener listener;
    EnterNetwork(false, listener.port, ", Author;");
    PlainPeer peer(listener.Accept());
    EXPECT_EQ(peer.ReadLine(), "PNice Try");
    peer.Send("P\nGA\n"); // two lines in one arrival; no name
    EXPECT_TRUE(
        PumpUntil([&] { return Main().StatusText(1) == "Opponent Anonymous. Waiting..."; }, 5s));
    EXPECT_EQ(Main().StatusText(3), "Connected");
    peer.Send("C4");
    PumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(Game().GetMoveCount(), 0); // nothing happens until the line feed
    PeerMoves(peer, "\n");
    EXPECT_EQ(Main().StatusText(1), "Anonymous picked 4. Your move");
}

TEST_F(NetworkTest, ConnectingSideMovesFirstOnAnyOtherGameLine) {
    PlainListener listener;
    EnterNetwork(false, listener.port);
    PlainPeer peer(listener.Accept());
    EXPECT_EQ(peer.ReadLine(), "PAlice");
    peer.Send("PLis\nGx\n");
    EXPECT_TRUE(PumpUntil([&] { return Main().StatusText(1) == "Opponent Lis. Your move"; }, 5s));
    MoveAndExpect(peer, 3);
    EXPECT_EQ(Game().GetLastMover(), 1);
    // The peer wins in column 1; the connecting side waits for the restart.
    for (int column : {5, 3, 5}) {
        PeerMoves(peer, "C1\n");
        MoveAndExpect(peer, column);
    }
    PeerMoves(peer, "C1\n");
    EXPECT_EQ(Main().StatusText(1), "Lis wins! Waiting for restart...");
    EXPECT_EQ(Main().StatusText(2), " 0  0  1");
    EXPECT_FALSE(Main().Action(Command::NextGame).isEnabled());
}

} // namespace
} // namespace kolvantest
