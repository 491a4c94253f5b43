#include "loopback.h"

#include "platform/app/clock.h"

#include <filesystem>
#include <thread>

namespace sockettest {

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        platform::app::processMessages();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

LoopbackPair::LoopbackPair() {
    listener.SetAddr("127.0.0.1");
    listener.SetPort("0");
    listener.SetProto("tcp");
    listener.OnSessionAvailable = [this](TCustomWSocket*, std::uint16_t) {
        ++sessionsAvailable;
        server.SetLingerOnOff(serverLinger);
        server.Dup(listener.Accept());
    };
    listener.Listen();
    port = listener.GetBoundPort();
}

void LoopbackPair::Connect() {
    client.SetAddr("127.0.0.1");
    client.SetPort(port);
    client.SetProto("tcp");
    client.Connect();
    ASSERT_TRUE(PumpUntil(
        [this] { return client.State() == wsConnected && server.State() == wsConnected; }));
}

void LoopbackPair::CloseBoth() {
    client.Close();
    server.Close();
    ASSERT_TRUE(
        PumpUntil([this] { return client.State() == wsClosed && server.State() == wsClosed; }));
}

void AwaitHandled(TWSocket& socket, int bytes) {
    for (int i = 0; i < 20000 && socket.RcvdCount() < bytes; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(socket.RcvdCount(), bytes);
    ASSERT_TRUE(PumpUntil([&] { return socket.RcvdCount() == 0; }));
}

void CollectReceived(TWSocket& socket, std::string& received) {
    socket.OnDataAvailable = [&socket, &received](TCustomWSocket*, std::uint16_t) {
        received += socket.ReceiveStr();
    };
}

} // namespace sockettest
