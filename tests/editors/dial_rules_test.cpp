// The direction dial's angles, steps, spokes and arrow, without a window.

#include <gtest/gtest.h>

#include "editors/dial_rules.h"

namespace sp {
namespace {

// A pixel of the dial that reads as `degrees` at distance `radius` from the
// centre, or a little further out where no pixel lies at exactly that distance.
dial::Offset at(int degrees, int radius) {
    for (int r = radius; r < radius + 10; ++r)
        for (int dy = -dial::kReach; dy <= dial::kReach; ++dy)
            for (int dx = -dial::kReach; dx <= dial::kReach; ++dx)
                if (dial::angleAt(dx, dy) == degrees && dial::radiusAt(dx, dy) == r)
                    return {dx, dy};
    ADD_FAILURE() << "no pixel at " << degrees << "° and " << radius;
    return {};
}

TEST(DialRules, DirectionsTurnClockwiseFromTheRight) {
    EXPECT_EQ(dial::directionFor(40, 0, false), 0);
    EXPECT_EQ(dial::directionFor(0, 40, false), 90);
    EXPECT_EQ(dial::directionFor(-40, 0, false), 180);
    EXPECT_EQ(dial::directionFor(0, -40, false), 270);
    // The centre itself has no direction of its own.
    EXPECT_EQ(dial::directionFor(0, 0, false), 90);
}

TEST(DialRules, ShiftStepsBy45AndOnlyTheLabelTurns360Into0) {
    const dial::Offset thirty = at(30, 50), twenty = at(20, 50), late = at(350, 50);
    EXPECT_EQ(dial::directionFor(thirty.x, thirty.y, true), 45);
    EXPECT_EQ(dial::directionFor(twenty.x, twenty.y, true), 0);
    EXPECT_EQ(dial::directionFor(late.x, late.y, true), 360);
    EXPECT_EQ(dial::arrowFor(360).label, "  0°");
    EXPECT_EQ(dial::arrowFor(45).label, " 45°");
    EXPECT_EQ(dial::arrowFor(-90).label, "270°");
}

TEST(DialRules, ADragPaintsTheSpokeUnderTheMouse) {
    const SpreadShape start = dial::neutralSpread();
    // Which spoke a press sets, and whether it gets the press's distance.
    auto spokeSetTo = [&](int degrees, int radius) {
        const dial::Offset o = at(degrees, radius);
        const SpreadShape shape = *dial::spreadFor(start, o.x, o.y, false);
        for (std::size_t i = 0; i < shape.size(); ++i)
            if (shape[i] != 50)
                return std::pair<int, bool>(static_cast<int>(i),
                                            shape[i] == dial::radiusAt(o.x, o.y));
        return std::pair<int, bool>(-1, false);
    };
    EXPECT_EQ(spokeSetTo(90, 40), std::make_pair(8, true));
    EXPECT_EQ(spokeSetTo(270, 40), std::make_pair(25, true));
    EXPECT_EQ(spokeSetTo(355, 40), std::make_pair(0, true));
    EXPECT_EQ(dial::spreadFor(start, 0, 40, false)->at(8), 40);
    // SHIFT makes a circle of the distance.
    const SpreadShape circle = *dial::spreadFor(start, 30, 0, true);
    for (int32_t r : circle) EXPECT_EQ(r, 30);
}

TEST(DialRules, NothingHappensOutsideThe125PixelSquare) {
    EXPECT_TRUE(dial::directionFor(62, -62, false).has_value());
    EXPECT_FALSE(dial::directionFor(63, 0, false).has_value());
    EXPECT_FALSE(dial::directionFor(0, -63, false).has_value());
    EXPECT_FALSE(dial::spreadFor(dial::neutralSpread(), -63, 10, true).has_value());
    // Its corner reaches a radius of 87, which the face cuts off.
    const SpreadShape corner = *dial::spreadFor(dial::neutralSpread(), 62, 62, false);
    EXPECT_EQ(corner[4], 87);
    EXPECT_EQ(dial::spokeEnd(4, 87), (dial::Offset{61, 61}));
    EXPECT_EQ(dial::spokeEnd(0, 87), (dial::Offset{62, 0}));
    EXPECT_EQ(dial::spokeEnd(16, 63), (dial::Offset{-63, 0}));
    EXPECT_EQ(dial::spokeEnd(8, 50), (dial::Offset{0, 50}));
}

TEST(DialRules, TheArrowPointsAlongTheDirectionWithItsLabelOpposite) {
    const dial::Arrow right = dial::arrowFor(0);
    EXPECT_EQ(right.tip, (dial::Offset{50, 0}));
    EXPECT_EQ(right.side, (dial::Offset{0, 5}));
    EXPECT_EQ(right.labelAt, (dial::Offset{-25 - 15, -6}));
    const dial::Arrow down = dial::arrowFor(90);
    EXPECT_EQ(down.tip, (dial::Offset{0, 50}));
    EXPECT_EQ(down.labelAt, (dial::Offset{-15, -25 - 6}));
}

}  // namespace
}  // namespace sp
