#include "platform/app/random.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform::app;

std::vector<int> draws(int n, int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(random(n));
    return values;
}

TEST(RandomTest, SameSeedGivesSameSequence) {
    setRandomSeed(1234);
    const auto first = draws(1000, 50);
    setRandomSeed(1234);
    EXPECT_EQ(draws(1000, 50), first);
    setRandomSeed(1235);
    EXPECT_NE(draws(1000, 50), first);
}

TEST(RandomTest, DrawsStayInRangeAndReachBothEnds) {
    setRandomSeed(7);
    for (int n : {1, 2, 4, 51, 9999999}) {
        int low = n, high = -1;
        for (int value : draws(n, 4000)) {
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        if (n <= 51) {
            EXPECT_EQ(low, 0) << n;
            EXPECT_EQ(high, n - 1) << n;
        }
    }
    EXPECT_EQ(random(0), 0);
    EXPECT_EQ(random(-3), 0);
}

TEST(RandomTest, UnitDrawsAreInTheHalfOpenInterval) {
    setRandomSeed(99);
    double sum = 0;
    for (int i = 0; i < 2000; ++i) {
        const double r = randomUnit();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        sum += r;
    }
    EXPECT_NEAR(sum / 2000, 0.5, 0.05);
}

TEST(RandomTest, RandomizeLeavesTheFixedSequence) {
    setRandomSeed(1234);
    const auto fixed = draws(1 << 30, 4);
    randomize();
    EXPECT_NE(draws(1 << 30, 4), fixed);
}
