// The search works in place: no heap allocation while the computer thinks.

#include "fourinrow/game/game.h"

#include "tests/fourinrow/game/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The replacement pair below matches, but GCC checks malloc/free once they are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace fourinrow {
namespace {

TEST(ComputerPlayerAllocation, ThinkingAllocatesNothing) {
    testing::ScratchDir dir;
    gameClass game(dir.file("none.dat"), 5);
    int pumped = 0;
    game.SetMessagePump([&pumped] { ++pumped; }, std::chrono::microseconds(0));
    game.SetProgressHook([](int) {});
    game.SelectOpponent(kRandomOpponent);
    game.SetGameTypeAndLevel(1, 7);
    for (const char digit : std::string("4435"))
        game.DropPiece(digit - '0');
    counting = true;
    const bool played = game.ComputerMove();
    counting = false;
    EXPECT_TRUE(played);
    EXPECT_GT(pumped, 0);
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace
} // namespace fourinrow
