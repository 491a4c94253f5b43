#include "engine_fixture.h"

namespace solitaire {
namespace {

class PileCoordinatesTest : public testing::EngineFixture {};

TEST_F(PileCoordinatesTest, YGettersSubtractTheScrollOffset) {
    struct Group {
        void (*setX)(int, int);
        void (*setY)(int, int);
        int (*x)(int);
        int (*y)(int);
        int size;
    };
    const Group groups[] = {
        {fnSetTableauX, fnSetTableauY, fnTableauX, fnTableauY, 28},
        {fnSetStockPileX, fnSetStockPileY, fnStockPileX, fnStockPileY, 4},
        {fnSetFoundationX, fnSetFoundationY, fnFoundationX, fnFoundationY, 18},
        {fnSetReserveX, fnSetReserveY, fnReserveX, fnReserveY, 10},
    };
    engineScalars.ScrollOffset = 20;
    for (const Group& g : groups) {
        g.setX(g.size - 1, 35);
        g.setY(g.size - 1, 120);
        EXPECT_EQ(g.x(g.size - 1), 35);
        EXPECT_EQ(g.y(g.size - 1), 100);
        // Outside the group: nothing is stored and the pile reads as absent.
        g.setX(g.size, 7);
        g.setX(-1, 7);
        EXPECT_FALSE(isPresentCoordinate(g.x(g.size)));
        EXPECT_FALSE(isPresentCoordinate(g.x(-1)));
        EXPECT_FALSE(isPresentCoordinate(g.y(g.size)));
    }
    EXPECT_EQ(pileCoordinates.DestY[17], 120); // stored unchanged
}

TEST_F(PileCoordinatesTest, AbsentMarkersStayAbsentWhenScrolled) {
    fnSetFoundationY(3, -10002);
    engineScalars.ScrollOffset = 40;
    EXPECT_FALSE(isPresentCoordinate(fnFoundationY(3)));
    EXPECT_TRUE(isPresentCoordinate(-9999));
    EXPECT_FALSE(isPresentCoordinate(-10000));
}

struct OverlapCase {
    const char* what;
    int l1, t1, r1, b1;
    int overlaps;
    int area;
};
// Names the case in test lists.
void PrintTo(const OverlapCase& c, std::ostream* out) {
    *out << c.what;
}

// The pile card is always (100, 100)-(171, 196).
class Overlap : public ::testing::TestWithParam<OverlapCase> {};

TEST_P(Overlap, TestAndMeasureAgree) {
    const OverlapCase& c = GetParam();
    EXPECT_EQ(RangesOverlap(c.l1, c.t1, c.r1, c.b1, 100, 100, 171, 196), c.overlaps) << c.what;
    EXPECT_EQ(OverlapArea(c.l1, c.t1, c.r1, c.b1, 100, 100, 171, 196), c.area) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, Overlap,
    ::testing::Values(
        OverlapCase{"top-left corner inside", 150, 150, 221, 246, 1, (171 - 150) * (196 - 150)},
        OverlapCase{"bottom-right corner inside", 60, 60, 131, 156, 1, (131 - 100) * (156 - 100)},
        OverlapCase{"top-right corner inside", 60, 150, 131, 246, 1, (196 - 150) * (131 - 100)},
        OverlapCase{"bottom-left corner inside", 150, 60, 221, 156, 1, (171 - 150) * (156 - 100)},
        OverlapCase{"apart sideways", 300, 100, 371, 196, 0, 0},
        OverlapCase{"left edge inside, taller than the card", 120, 0, 191, 400, 1,
                    (171 - 120) * 400},
        OverlapCase{"right edge inside, taller than the card", 50, 0, 121, 400, 1,
                    (121 - 100) * 400},
        OverlapCase{"columns meet, rows apart", 120, 300, 191, 396, 0, 0},
        OverlapCase{"rows above the card", 120, 60, 191, 99, 0, 0}));

} // namespace
} // namespace solitaire
