// Asynchronous host lookups: answered by message from the event loop, into the caller's
// buffer, and only while the request is still pending.
#include "winsock_test_support.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace fourinrow::socket::testing {
namespace {

constexpr unsigned NameMessage = 0x402;
constexpr unsigned AddressMessage = 0x403;

class WinsockLookup : public WinsockTest {
protected:
    const HostEntry& Entry() const { return *reinterpret_cast<const HostEntry*>(buffer); }

    // The one answer to a request, or nullptr when none came.
    const platform::WindowMessage* AnswerTo(AsyncHandle request) {
        PumpUntil([&] { return !window.messages.empty(); });
        return window.messages.size() == 1 && window.messages[0].wParam == request
                   ? &window.messages[0]
                   : nullptr;
    }

    RecordingWindow window;
    alignas(HostEntry) char buffer[1025] = {};
};

TEST_F(WinsockLookup, NameLookupFillsTheBufferAndAnswersLater) {
    const AsyncHandle request = winsock::WSAAsyncGetHostByName(window.handle(), NameMessage,
                                                               "localhost", buffer, sizeof buffer);
    ASSERT_NE(request, 0u);
    EXPECT_TRUE(window.messages.empty());
    const platform::WindowMessage* answer = AnswerTo(request);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->message, NameMessage);
    EXPECT_EQ(ws::ReplyError(answer->lParam), 0u);
    EXPECT_STREQ(Entry().name, "localhost");
    EXPECT_EQ(Entry().addressType, ws::AfInet);
    ASSERT_NE(Entry().addressList[0], nullptr);
    std::uint32_t first;
    std::memcpy(&first, Entry().addressList[0], sizeof first);
    EXPECT_EQ(first, htonl(0x7F000001));
    // Answered: too late to cancel.
    EXPECT_EQ(winsock::WSACancelAsyncRequest(request), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEALREADY);
}

TEST_F(WinsockLookup, AddressLookupAnswersWithTheName) {
    const std::uint32_t loopback = htonl(0x7F000001);
    const AsyncHandle request = winsock::WSAAsyncGetHostByAddr(
        window.handle(), AddressMessage, reinterpret_cast<const char*>(&loopback), sizeof loopback,
        ws::AfInet, buffer, sizeof buffer);
    ASSERT_NE(request, 0u);
    const platform::WindowMessage* answer = AnswerTo(request);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->message, AddressMessage);
    EXPECT_EQ(ws::ReplyError(answer->lParam), 0u);
    EXPECT_STREQ(Entry().name, "localhost");
}

TEST_F(WinsockLookup, UnknownNameAnswersWithAnError) {
    const AsyncHandle request = winsock::WSAAsyncGetHostByName(
        window.handle(), NameMessage, "no-such-host.invalid", buffer, sizeof buffer);
    const platform::WindowMessage* answer = AnswerTo(request);
    ASSERT_NE(answer, nullptr);
    const int error = static_cast<int>(ws::ReplyError(answer->lParam));
    EXPECT_TRUE(error == ws::WSAHOST_NOT_FOUND || error == ws::WSATRY_AGAIN ||
                error == ws::WSANO_DATA)
        << error;
}

TEST_F(WinsockLookup, TooSmallBufferAnswersWithTheLengthNeeded) {
    const AsyncHandle request =
        winsock::WSAAsyncGetHostByName(window.handle(), NameMessage, "localhost", buffer, 16);
    const platform::WindowMessage* answer = AnswerTo(request);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(static_cast<int>(ws::ReplyError(answer->lParam)), ws::WSAENOBUFS);
    EXPECT_GT(ws::ReplyLow(answer->lParam), 16u);
    EXPECT_TRUE(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == 0; }));
}

TEST_F(WinsockLookup, CancelledRequestIsNeverAnsweredNorWritten) {
    std::memset(buffer, 0x5A, sizeof buffer);
    const AsyncHandle first = winsock::WSAAsyncGetHostByName(window.handle(), NameMessage,
                                                             "localhost", buffer, sizeof buffer);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(winsock::WSACancelAsyncRequest(first), 0);
    // A later request is answered; the cancelled one stays silent.
    alignas(HostEntry) char other[1025];
    const AsyncHandle second = winsock::WSAAsyncGetHostByName(window.handle(), NameMessage,
                                                              "localhost", other, sizeof other);
    ASSERT_NE(second, first);
    ASSERT_NE(AnswerTo(second), nullptr);
    PumpFor(100);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == 0x5A; }));
    EXPECT_EQ(winsock::WSACancelAsyncRequest(first), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEALREADY);
    EXPECT_EQ(winsock::WSACancelAsyncRequest(0), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEINVAL);
}

TEST_F(WinsockLookup, RequestsThatCannotStart) {
    char unaligned[64];
    EXPECT_EQ(winsock::WSAAsyncGetHostByName(0, NameMessage, "localhost", buffer, sizeof buffer),
              0u);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEINVAL);
    // Entries are built in the buffer, so it must be aligned for one.
    EXPECT_EQ(winsock::WSAAsyncGetHostByName(
                  window.handle(), NameMessage, "localhost",
                  unaligned + (reinterpret_cast<std::uintptr_t>(unaligned) % 8 == 0), 32),
              0u);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEFAULT);
}

} // namespace
} // namespace fourinrow::socket::testing
