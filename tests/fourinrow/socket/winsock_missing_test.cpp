// A program without the library beside it: every first call reports the load failure.
#include "fourinrow/socket/winsock.h"

#include <gtest/gtest.h>

#include <functional>

namespace fourinrow::socket {
namespace {

TEST(WinsockMissingLibrary, EveryCallReportsTheLoadFailure) {
    const std::function<void()> calls[] = {
        [] { LoadWinsock(""); },
        [] { winsock::socket(2, 1, 6); },
        [] { LocalIPList(); },
        [] { WSocketResolveHost("localhost"); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no exception";
        } catch (const ESocketException& e) {
            EXPECT_STREQ(e.what(), "Unable to load wsock32.dll Error #2");
        }
    }
    UnloadWinsock(); // harmless when nothing is loaded
}

} // namespace
} // namespace fourinrow::socket
