// The connecting side's host lookup against a name server that answers late (the sockets
// library beside this program answers "slow-<ms>.loopback.test" with the loopback address
// after that long). Whatever ends the session while the lookup is under way, the late answer
// must lead nowhere.

#include "network_fixture.h"

namespace kolvantest {
namespace {

constexpr auto kAnswerDelay = 800ms;
const std::string kSlowHost = "slow-800.loopback.test";

class SlowLookupTest : public NetworkTest {
protected:
    // Starts connecting to the listener by the slow name; the lookup is still under way.
    void StartSlowConnect(const PlainListener& listener) {
        EnterNetwork(false, listener.port, "Alice", kSlowHost);
        PumpUntil([] { return false; }, 100ms);
        ASSERT_EQ(Main().StatusText(3), "Trying");
    }
    // Well past the answer: nothing has reached the listener.
    void ExpectNoCallAfterTheAnswer(PlainListener& listener) {
        PumpUntil([] { return false; }, kAnswerDelay + 700ms);
        const int caller = listener.TryAccept();
        EXPECT_LT(caller, 0) << "the late answer connected";
        if (caller >= 0)
            ::close(caller);
        EXPECT_EQ(Main().CliWSocket().State(), socket::wsClosed);
    }
};

TEST_F(SlowLookupTest, DisconnectDuringTheLookupHoldsAndNewGameWorksBothWays) {
    PlainListener listener;
    StartSlowConnect(listener);
    Main().Action(Command::Break).trigger(); // Disconnect
    EXPECT_EQ(Main().StatusText(1), "Closed connection");

    ExpectNoCallAfterTheAnswer(listener);
    EXPECT_EQ(Main().SessionActive, 0);
    EXPECT_EQ(Main().StatusText(1), "Closed connection");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_FALSE(Main().Action(Command::Break).isEnabled());

    // New Game as the connecting side reaches the listener and plays.
    EnterNetwork(false, listener.port);
    {
        PlainPeer host(listener.Accept());
        EXPECT_EQ(host.ReadLine(), "PAlice");
        host.Send("PBob\nGB\n");
        EXPECT_TRUE(PumpUntil([&] { return Main().StatusText(1) == "Opponent Bob. Your move"; }));
        MoveAndExpect(host, 4);
        Main().Action(Command::Break).trigger();
        EXPECT_TRUE(host.WaitClosed());
    }
    // And as the listening side it takes a caller.
    PlainPeer caller;
    ListenAndConnect(caller);
    EXPECT_EQ(Main().StatusText(1), "Opponent Bob. Your move");
    MoveAndExpect(caller, 3);
}

TEST_F(SlowLookupTest, ClosingTheProgramDuringTheLookupCallsNobody) {
    PlainListener listener;
    StartSlowConnect(listener);
    Main().close();
    ExpectNoCallAfterTheAnswer(listener);
}

} // namespace
} // namespace kolvantest
