// A program whose library refuses to start.
#include "winsock_test_support.h"

namespace fourinrow::socket::testing {
namespace {

TEST(WinsockRefusingLibrary, FailedStartIsReportedAndLeavesTheLibraryLoaded) {
    const std::string startError = "wsock32.dll: WSAStartup error #10092";
    EXPECT_EQ(ExceptionText([] { LoadWinsock(""); }), startError);
    // Still loaded and not started again: later calls go straight to their names.
    EXPECT_NE(LoadWinsock("WSACleanup"), nullptr);
    EXPECT_EQ(ExceptionText([] { winsock::socket(2, 1, 6); }),
              "Procedure socket not found in wsock32.dll Error #38");
    // Once unloaded, the next call loads and starts it again.
    UnloadWinsock();
    EXPECT_EQ(ExceptionText([] { winsock::WSAGetLastError(); }), startError);
    UnloadWinsock();
}

} // namespace
} // namespace fourinrow::socket::testing
