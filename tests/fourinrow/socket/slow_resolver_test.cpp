// Host lookups against a name server that takes its time (a library whose resolver answers
// the names "slow-<ms>.test" after that long): the program must not wait for it when its last
// socket goes, and the late answer must reach nothing.
#include "loopback.h"

#include "platform/winsock/message_window.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using namespace sockettest;

namespace {

using namespace std::chrono_literals;

TEST(SlowNameServer, TheLastSocketGoesWithoutWaitingForAPendingLookup) {
    auto socket = std::make_unique<TWSocket>();
    std::vector<int> answers;
    socket->OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket->DnsLookup("slow-20000.test");
    PumpUntil([] { return false; }, 50ms);
    EXPECT_TRUE(answers.empty());

    QElapsedTimer timer;
    timer.start();
    socket.reset(); // the last socket object: the library is cleaned up and unloaded
    // Far less than the name server takes; waiting for it would take the full 20 seconds.
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(SlowNameServer, AnAnswerAfterTheCleanupGoesNowhere) {
    // A lookup of the library's own, pending while the library is cleaned up.
    std::vector<platform::WindowMessage> messages;
    platform::MessageWindow window(
        [&](const platform::WindowMessage& message) { messages.push_back(message); });
    alignas(HostEntry) char buffer[1025];
    std::memset(buffer, 0x5A, sizeof buffer);
    AddSocketObject();
    const AsyncHandle request = winsock::WSAAsyncGetHostByName(window.handle(), 0x402,
                                                               "slow-300.test", buffer,
                                                               sizeof buffer);
    ASSERT_NE(request, 0u);
    ReleaseSocketObject();

    // Well after the answer: nothing came and nothing was written.
    PumpUntil([] { return false; }, 1000ms);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == 0x5A; }));

    // The library starts again and answers as before.
    TWSocket socket;
    std::vector<int> answers;
    socket.OnDnsLookupDone = [&](TCustomWSocket*, std::uint16_t error) {
        answers.push_back(error);
    };
    socket.DnsLookup("slow-10.test");
    ASSERT_TRUE(PumpUntil([&] { return !answers.empty(); }, 5s));
    EXPECT_EQ(answers, std::vector<int>{11001});
}

} // namespace
