// A program without the library beside it: every first call reports the load failure.
#include "winsock_test_support.h"

namespace fourinrow::socket::testing {
namespace {

TEST(WinsockMissingLibrary, EveryCallReportsTheLoadFailure) {
    const std::function<void()> calls[] = {
        [] { LoadWinsock(""); },
        [] { winsock::socket(2, 1, 6); },
        [] { LocalIPList(); },
        [] { WSocketResolveHost("localhost"); },
    };
    for (const auto& call : calls)
        EXPECT_EQ(ExceptionText(call), "Unable to load wsock32.dll Error #2");
    UnloadWinsock(); // harmless when nothing is loaded
}

} // namespace
} // namespace fourinrow::socket::testing
