#pragma once
// Shared by the binding's tests: the library loaded for the length of a test, a window that
// records what it is sent, and a pump for the event loop.

#include "fourinrow/socket/winsock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace fourinrow::socket::testing {

namespace ws = platform::winsock;

// As a socket object does: the library stays loaded while the test runs and goes with it.
class WinsockTest : public ::testing::Test {
protected:
    void SetUp() override { AddSocketObject(); }
    void TearDown() override { ReleaseSocketObject(); }
};

class RecordingWindow {
public:
    RecordingWindow()
        : window_([this](const platform::WindowMessage& message) { messages.push_back(message); }) {
    }

    WindowHandle handle() const { return window_.handle(); }

    // (event, error) of every select message for one socket, in the order they came.
    std::vector<std::pair<unsigned, unsigned>> events(SocketHandle s) const {
        std::vector<std::pair<unsigned, unsigned>> found;
        for (const auto& message : messages)
            if (message.wParam == static_cast<std::uintptr_t>(s))
                found.emplace_back(ws::ReplyLow(message.lParam), ws::ReplyError(message.lParam));
        return found;
    }
    int count(SocketHandle s, unsigned event) const {
        int n = 0;
        for (const auto& [e, error] : events(s))
            n += e == event;
        return n;
    }

    std::vector<platform::WindowMessage> messages;

private:
    platform::MessageWindow window_;
};

// The message of the ESocketException that call raises.
inline std::string ExceptionText(const std::function<void()>& call) {
    try {
        call();
    } catch (const ESocketException& e) {
        return e.what();
    }
    return "(no exception)";
}

// Runs the event loop until done() holds; false when it did not within a generous limit.
inline bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs the event loop for a while, for what must not happen.
inline void PumpFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

inline SocketAddressIn Loopback(std::uint16_t port) {
    SocketAddressIn address;
    address.port = winsock::htons(port);
    address.address = winsock::inet_addr("127.0.0.1");
    return address;
}

inline std::uint16_t BoundPort(SocketHandle s) {
    SocketAddressIn address;
    int length = sizeof address;
    EXPECT_EQ(winsock::getsockname(s, &address, &length), 0);
    return winsock::ntohs(address.port);
}

// A stream socket listening on a free loopback port.
inline SocketHandle Listener(std::uint16_t& port) {
    const SocketHandle s = winsock::socket(ws::AfInet, ws::SockStream, ws::IpProtoTcp);
    const SocketAddressIn any = Loopback(0);
    EXPECT_EQ(winsock::bind(s, &any, sizeof any), 0);
    EXPECT_EQ(winsock::listen(s, 5), 0);
    port = BoundPort(s);
    return s;
}

} // namespace fourinrow::socket::testing
