// Volume and repetition: nothing lost, no descriptor left behind.
#include "loopback.h"

#include "platform/app/clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace sockettest;

TEST(SocketLoad, TenMegabytesThroughOneConnection) {
    constexpr std::size_t total = 10u << 20;
    LoopbackPair pair;
    pair.Connect();

    std::size_t counted = 0;
    std::uint64_t sumReceived = 0;
    pair.server.OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        char buffer[8192];
        const int got = pair.server.Receive(buffer, sizeof buffer);
        for (int i = 0; i < got; ++i)
            sumReceived = sumReceived * 31 + static_cast<unsigned char>(buffer[i]);
        counted += static_cast<std::size_t>(std::max(got, 0));
        // The sender closes only once every byte has been counted here.
        if (counted == total)
            pair.server.SendStr("done");
    };
    std::string answer;
    CollectReceived(pair.client, answer);

    // Sent in pieces of many sizes, so blocks fill partly and the queue grows and drains.
    std::uint64_t sumSent = 0;
    std::size_t sent = 0;
    std::uint32_t seed = 7;
    while (sent < total) {
        seed = seed * 1103515245 + 12345;
        const std::size_t piece = std::min<std::size_t>(1 + seed % 70000, total - sent);
        std::string data(piece, '\0');
        for (std::size_t i = 0; i < piece; ++i) {
            data[i] = static_cast<char>((sent + i) * 131 % 251);
            sumSent = sumSent * 31 + static_cast<unsigned char>(data[i]);
        }
        ASSERT_EQ(pair.client.SendStr(data), static_cast<int>(piece));
        sent += piece;
        platform::app::processMessages();
    }
    ASSERT_TRUE(PumpUntil([&] { return answer == "done"; }));
    EXPECT_EQ(counted, total);
    EXPECT_EQ(sumReceived, sumSent);
    EXPECT_EQ(pair.server.ReadCount(), static_cast<int>(total));
    pair.CloseBoth();
}

TEST(SocketLoad, TwoHundredShortConnectionsInARow) {
    LoopbackPair pair;
    std::string atServer;
    CollectReceived(pair.server, atServer);
    int serverClosed = 0;
    pair.server.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { ++serverClosed; };
    // One session first, so what the library opens once is counted in both totals.
    pair.Connect();
    pair.CloseBoth();
    const int before = OpenDescriptors();

    for (int i = 0; i < 200; ++i) {
        atServer.clear();
        pair.Connect();
        const std::string line = "move " + std::to_string(i) + "\r\n";
        pair.client.SendStr(line);
        ASSERT_TRUE(PumpUntil([&] { return atServer == line; })) << i;
        // Closed by the client; the server learns it from the network.
        pair.client.Close();
        ASSERT_TRUE(PumpUntil([&] { return pair.server.State() == wsClosed; })) << i;
    }
    EXPECT_EQ(pair.sessionsAvailable, 201);
    EXPECT_EQ(serverClosed, 201);
    EXPECT_EQ(OpenDescriptors(), before);
}
