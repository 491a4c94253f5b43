#include "platform/winsock/message_window.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace platform {
namespace {

void PumpPosted() {
    QCoreApplication::processEvents();
}

TEST(MessageWindow, PostedMessagesArriveLaterAndInOrder) {
    std::vector<WindowMessage> received;
    MessageWindow window([&](const WindowMessage& m) { received.push_back(m); });
    ASSERT_NE(window.handle(), 0u);
    EXPECT_TRUE(postMessage(window.handle(), 0x401, 7, -1));
    EXPECT_TRUE(postMessage(window.handle(), 0x402, 8, 0x7FFF0020));
    EXPECT_TRUE(postMessage(window.handle(), 0x401, 9, 3));
    EXPECT_TRUE(received.empty());
    PumpPosted();
    ASSERT_EQ(received.size(), 3u);
    const unsigned messages[] = {0x401, 0x402, 0x401};
    const std::uintptr_t wParams[] = {7, 8, 9};
    const std::intptr_t lParams[] = {-1, 0x7FFF0020, 3};
    for (std::size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i].message, messages[i]);
        EXPECT_EQ(received[i].wParam, wParams[i]);
        EXPECT_EQ(received[i].lParam, lParams[i]);
    }
}

TEST(MessageWindow, GoneWindowsGetNothing) {
    int received = 0;
    auto window = std::make_unique<MessageWindow>([&](const WindowMessage&) { ++received; });
    const WindowHandle handle = window->handle();
    EXPECT_TRUE(postMessage(handle, 0x401, 1, 0)); // queued, then its window goes
    window.reset();
    EXPECT_FALSE(postMessage(handle, 0x401, 2, 0));
    EXPECT_FALSE(postMessage(0, 0x401, 3, 0));
    PumpPosted();
    EXPECT_EQ(received, 0);
}

TEST(MessageWindow, HandlerMayDestroyItsOwnWindow) {
    std::unique_ptr<MessageWindow> window;
    int received = 0;
    window = std::make_unique<MessageWindow>([&](const WindowMessage&) {
        ++received;
        window.reset();
    });
    const WindowHandle handle = window->handle();
    postMessage(handle, 0x401, 1, 0);
    postMessage(handle, 0x401, 2, 0);
    PumpPosted();
    PumpPosted();
    EXPECT_EQ(received, 1);
    EXPECT_FALSE(postMessage(handle, 0x401, 3, 0));
}

TEST(MessageWindow, HandlerCanBeReplaced) {
    std::vector<int> seen;
    MessageWindow window;
    postMessage(window.handle(), 1, 0, 0); // no handler yet: dropped
    PumpPosted();
    window.setHandler([&](const WindowMessage& m) { seen.push_back(static_cast<int>(m.message)); });
    postMessage(window.handle(), 2, 0, 0);
    PumpPosted();
    EXPECT_EQ(seen, std::vector<int>{2});
}

} // namespace
} // namespace platform
