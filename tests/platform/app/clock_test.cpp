#include "platform/app/clock.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::app;

TEST(ClockTest, TestClockReplacesTheTickCount) {
    TestClock clock(1000);
    EXPECT_EQ(tickCount(), 1000u);
    clock.advance(25);
    EXPECT_EQ(tickCount(), 1025u);
    clock.set(7);
    EXPECT_EQ(tickCount(), 7u);
}

TEST(ClockTest, WaitsAdvanceTheTickCountByTheirLength) {
    for (std::uint32_t ms : {0u, 1u, 200u}) {
        TestClock clock(500);
        waitTicks(ms);
        EXPECT_EQ(tickCount(), 500u + ms);
        waitTicksProcessing(ms);
        EXPECT_EQ(tickCount(), 500u + 2 * ms);
        EXPECT_EQ(clock.processingPasses(), static_cast<int>(ms));
        sleepTicks(ms);
        EXPECT_EQ(tickCount(), 500u + 3 * ms);
    }
}

TEST(ClockTest, WaitAcrossTheCounterWrapLastsItsFullLength) {
    TestClock clock(0xFFFFFFF0u);
    waitTicks(40);
    EXPECT_EQ(tickCount(), 0x18u);
}

TEST(ClockTest, OnlyTheProcessingWaitRunsPendingEvents) {
    TestClock clock;
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    waitTicks(5);
    EXPECT_EQ(fired, 0);
    waitTicksProcessing(5);
    EXPECT_EQ(fired, 1);
}

TEST(ClockTest, RealClockMovesForwardDuringAWait) {
    const std::uint32_t start = tickCount();
    waitTicks(15);
    EXPECT_GE(tickCount() - start, 15u);
    waitTicksProcessing(5);
    EXPECT_GE(tickCount() - start, 20u);
}
