// Line mode and the synchronous waits over loopback.
#include "loopback.h"

#include "platform/app/application.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace sockettest;

namespace {

// A connected pair whose accepted end cuts what it receives into lines.
class LineMode : public testing::Test {
protected:
    void SetUp() override {
        pair.serverLinger = wsLingerOff;
        pair.client.SetLingerOnOff(wsLingerOff); // graceful: the last bytes arrive before the close
        pair.Connect();
        pair.server.SetLineMode(true);
    }

    // Each line the handler sees, read with ReceiveStr.
    void CollectLines() {
        pair.server.OnDataAvailable = [this](TCustomWSocket*, std::uint16_t) {
            lines.push_back(pair.server.ReceiveStr());
        };
    }

    LoopbackPair pair;
    std::vector<std::string> lines;
};

} // namespace

TEST_F(LineMode, DataIsHandedOutOneLineAtATime) {
    CollectLines();
    pair.client.SendStr("ab\r\ncd");
    ASSERT_TRUE(PumpUntil([&] { return !lines.empty(); }));
    pair.client.SendStr("e\r\nfirst\r\nsecond\r\n");
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 4; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"ab\r\n", "cde\r\n", "first\r\n", "second\r\n"}));
}

TEST_F(LineMode, ALineEndSplitBetweenTwoArrivalsIsFound) {
    CollectLines();
    pair.client.SendStr("ab\r");
    AwaitHandled(pair.server, 3);
    EXPECT_TRUE(lines.empty());
    pair.client.SendStr("\ncd\r\n");
    ASSERT_TRUE(PumpUntil([&] { return lines.size() == 2; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"ab\r\n", "cd\r\n"}));
}

TEST_F(LineMode, WhatHasNoLineEndIsTheLastLineAtTheClose) {
    CollectLines();
    std::vector<std::string> order;
    pair.server.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) {
        order = lines;
        order.push_back("closed");
    };
    pair.client.SendStr("one\r\ntail");
    pair.client.Flush();
    pair.client.Close();
    ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsClosed; }));
    EXPECT_EQ(order, (std::vector<std::string>{"one\r\n", "tail", "closed"}));
}

TEST_F(LineMode, AHandlerReadingPieceByPieceGetsTheWholeLine) {
    std::vector<int> waiting;
    std::string got;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        waiting.push_back(pair.server.RcvdCount());
        char c;
        if (pair.server.Receive(&c, 1) == 1)
            got += c;
    };
    pair.client.SendStr("abc\r\nx");
    ASSERT_TRUE(PumpUntil([&] { return got.size() == 5; }));
    EXPECT_EQ(got, "abc\r\n");
    EXPECT_EQ(waiting, (std::vector<int>{5, 4, 3, 2, 1}));
}

TEST_F(LineMode, AHandlerThatReadsNothingIsNotCalledWithoutEnd) {
    int calls = 0;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) { ++calls; };
    pair.client.SendStr("held\r\n");
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);
    // The line stays for a later read.
    EXPECT_EQ(pair.server.RcvdCount(), 6);
    EXPECT_EQ(pair.server.ReceiveStr(), "held\r\n");
}

TEST_F(LineMode, WithoutAHandlerLinesAreDropped) {
    pair.client.SendStr("lost\r\n");
    AwaitHandled(pair.server, 6);
    CollectLines();
    pair.client.SendStr("kept\r\n");
    ASSERT_TRUE(PumpUntil([&] { return !lines.empty(); }));
    EXPECT_EQ(lines.back(), "kept\r\n");
}

TEST_F(LineMode, EchoAndEditingAnswerLikeATerminal) {
    struct Case {
        bool edit;
        std::string typed;
        std::string line;
        std::string echo;
    };
    const Case cases[] = {
        {false, "ab\bc\r\n", "ab\bc\r\n", "ab\bc\r\n"},
        {true, "ab\bc\r\n", "ac\r\n", "ab\b \bc\r\n"},
        {true, "a\tb\r\n", "a       b\r\n", "a       b\r\n"},
    };
    std::string echoed;
    CollectReceived(pair.client, echoed);
    CollectLines();
    pair.server.SetLineEcho(true);
    for (const Case& c : cases) {
        lines.clear();
        echoed.clear();
        pair.server.SetLineEdit(c.edit);
        pair.client.SendStr(c.typed);
        ASSERT_TRUE(PumpUntil([&] { return !lines.empty() && echoed.size() >= c.echo.size(); }));
        EXPECT_EQ(lines, std::vector<std::string>{c.line}) << c.typed;
        EXPECT_EQ(echoed, c.echo) << c.typed;
    }
}

TEST_F(LineMode, EditingThatArrivesLaterStillEndsTheLine) {
    // The backspaces take back bytes already searched for a line end; the line end right
    // after them must still be found, also when more text follows it.
    CollectLines();
    pair.server.SetLineEdit(true);
    const std::vector<std::string> arrivals[] = {{"abcd", "\b\b\b\r\n"},
                                                 {"wxyz", "\b\b\b\r\nzz\r\n"}};
    const std::vector<std::string> expected[] = {{"a\r\n"}, {"w\r\n", "zz\r\n"}};
    for (std::size_t i = 0; i < std::size(arrivals); ++i) {
        lines.clear();
        pair.client.SendStr(arrivals[i][0]);
        AwaitHandled(pair.server, static_cast<int>(arrivals[i][0].size()));
        ASSERT_TRUE(lines.empty());
        pair.client.SendStr(arrivals[i][1]);
        EXPECT_TRUE(PumpUntil([&] { return lines.size() >= expected[i].size(); },
                              std::chrono::seconds(5)));
        EXPECT_EQ(lines, expected[i]) << arrivals[i][0];
    }
}

TEST_F(LineMode, SwitchedOffWithBytesHeldTheyAreDeliveredAsData) {
    CollectLines();
    pair.client.SendStr("no end yet");
    AwaitHandled(pair.server, 10);
    ASSERT_TRUE(lines.empty());
    pair.server.SetLineMode(false);
    ASSERT_TRUE(PumpUntil([&] { return !lines.empty(); }));
    EXPECT_EQ(lines, std::vector<std::string>{"no end yet"});
}

TEST_F(LineMode, SwitchedOffInsideALineTheRestFollowsInOrder) {
    std::string got;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        if (pair.server.LineMode()) {
            char first[2];
            got.append(first, static_cast<std::size_t>(pair.server.Receive(first, 2)));
            pair.server.SetLineMode(false);
        } else {
            got += "|" + pair.server.ReceiveStr();
        }
    };
    pair.client.SendStr("abcd\r\nef\r\n");
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 11; }));
    EXPECT_EQ(got, "ab|cd\r\nef\r\n");
}

// ---- synchronous waits ----

TEST(SyncWait, RunAndWaitReturnsOnceAHandlerSetsTheFlag) {
    LoopbackPair pair;
    bool connected = false;
    pair.client.OnSessionConnected = [&](TCustomWSocket*, std::uint16_t) { connected = true; };
    pair.client.SetAddr("127.0.0.1");
    pair.client.SetPort(pair.port);
    EXPECT_EQ(pair.client.RunAndWait(connected, [&] { pair.client.Connect(); }), 0);
    EXPECT_TRUE(connected);
    EXPECT_EQ(pair.client.State(), wsConnected);

    bool answered = true; // left over: the wait clears it first
    std::string answer;
    pair.client.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        answer += pair.client.ReceiveStr();
        answered = answer == "pong";
    };
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        if (pair.server.ReceiveStr() == "ping")
            pair.server.SendStr("pong");
    };
    EXPECT_EQ(pair.client.RunAndWait(answered, [&] { pair.client.SendStr("ping"); }), 0);
    EXPECT_EQ(answer, "pong");
}

// Nothing would set the flag once the program is on its way out: the wait ends, in either
// pump.
TEST(SyncWait, AWaitEndsWith12001WhenTheProgramQuits) {
    for (const bool ownLoop : {false, true}) {
        TWSocket socket;
        socket.SetMultiThreaded(ownLoop);
        const bool never = false;
        int result = -1;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(20, [] { platform::app::Application::quit(); });
            result = socket.WaitForDone(never);
        });
        QCoreApplication::exec();
        EXPECT_EQ(result, 12001) << ownLoop;
    }
}
