// The curve editor's mouse handling and labels, without a window: positions are
// pixels on the 180 × 100 control, counted from its outer corner.

#include <gtest/gtest.h>

#include <cmath>

#include "editors/curve_view.h"

namespace sp {
namespace {

// The pixel row whose value under the press conversion is nearest to `y`.
int rowFor(float y) {
    const CurveGeometry g;
    int best = 1;
    for (int py = 1; py < g.height; ++py)
        if (std::fabs(g.toCurve(0, py).y - y) < std::fabs(g.toCurve(0, best).y - y)) best = py;
    return best;
}

class CurveEditingTest : public ::testing::Test {
  protected:
    CurveEditingTest() { editing.show(Curve()); }
    const std::vector<CurvePoint>& points() const { return editing.curve().points; }

    CurveEditing editing;
};

TEST(CurveGeometry, TheMouseAndTheDrawingMapAsTheControlMeasuresThem) {
    const CurveGeometry g;
    // The left edge is 0 % of time, the right edge is clamped to 100 %; values are not clamped.
    EXPECT_FLOAT_EQ(g.toCurve(0, 50).x, 0.0f);
    EXPECT_FLOAT_EQ(g.toCurve(179, 50).x, 100.0f);
    EXPECT_NEAR(g.toCurve(88, 50).x, 88.0f / 177.0f * 104.0f - 2.5f, 1e-4);
    EXPECT_GT(g.toCurve(10, 1).y, 100.0f);
    EXPECT_LT(g.toCurve(10, 99).y, 0.0f);
    // 0..100 % of time lie on 3..176, 100..0 % of value on 3..95.
    EXPECT_EQ(nearestPixel(g.screenX(0.0f)), 3);
    EXPECT_EQ(nearestPixel(g.screenX(100.0f)), 176);
    EXPECT_EQ(nearestPixel(g.screenY(100.0f)), 3);
    EXPECT_EQ(nearestPixel(g.screenY(0.0f)), 95);
    EXPECT_EQ(nearestPixel(g.screenY(50.0f)), 49);
    // Presses count inside the control only; the top row and the bottom row are outside.
    EXPECT_TRUE(g.inside(0, 1));
    EXPECT_FALSE(g.inside(0, 0));
    EXPECT_FALSE(g.inside(180, 50));
    EXPECT_FALSE(g.inside(-1, 50));
    EXPECT_FALSE(g.inside(50, 100));
}

TEST_F(CurveEditingTest, APressAtTheFarRightInsertsAt99) {
    // Far below the last point (100, 100), so that nothing is grabbed.
    EXPECT_TRUE(editing.press(179, rowFor(20.0f)));
    ASSERT_EQ(points().size(), 3u);
    EXPECT_FLOAT_EQ(points()[1].x, 99.0f);
    EXPECT_EQ(editing.selected(), 1);
    EXPECT_FLOAT_EQ(points()[2].x, 100.0f);
}

TEST_F(CurveEditingTest, APressWithin29PercentGrabsThePointInsteadOfAddingOne) {
    // The middle point (50, 50), and presses 29 % above and below it.
    editing.press(88, rowFor(50.0f));
    ASSERT_EQ(points().size(), 3u);
    const CurvePoint middle = points()[1];
    editing.release();
    for (float offset : {29.0f, -29.0f}) {
        const int py = rowFor(middle.y + offset);
        ASSERT_LT(std::fabs(CurveGeometry().toCurve(88, py).y - middle.y), 30.0f);
        EXPECT_FALSE(editing.press(88, py)) << offset;
        EXPECT_EQ(points().size(), 3u);
        EXPECT_EQ(editing.selected(), 1);
        editing.release();
    }
    // 31 % away it is a new point.
    EXPECT_TRUE(editing.press(88, rowFor(middle.y + 31.0f)));
    EXPECT_EQ(points().size(), 4u);
}

TEST_F(CurveEditingTest, APressAddsAPointThatTheFirstMovementKeepsWithinTheGraph) {
    // The top row reads a value above 100; the new point may lie there until it moves.
    EXPECT_TRUE(editing.press(60, 1));
    ASSERT_EQ(points().size(), 3u);
    EXPECT_GT(points()[1].y, 100.0f);
    EXPECT_TRUE(editing.drag(60, 0));
    EXPECT_FLOAT_EQ(points()[1].y, 100.0f);
    // Dragging far beyond the edges stops at 0 and 100 in both directions.
    editing.drag(-500, 900);
    EXPECT_FLOAT_EQ(points()[1].y, 0.0f);
    EXPECT_FLOAT_EQ(points()[1].x, 0.0f);
    editing.drag(900, -500);
    EXPECT_FLOAT_EQ(points()[1].y, 100.0f);
    EXPECT_FLOAT_EQ(points()[1].x, 100.0f);
    // The end points stay at the ends.
    EXPECT_FLOAT_EQ(points().front().x, 0.0f);
    EXPECT_FLOAT_EQ(points().back().x, 100.0f);
}

TEST_F(CurveEditingTest, ReleasingAPointPlacedJustAboveTheTopLeavesItAt100) {
    editing.press(60, 1);  // y ≈ 102, not moved since
    EXPECT_TRUE(editing.release());
    EXPECT_FLOAT_EQ(points()[1].y, 100.0f);
    EXPECT_EQ(editing.selected(), -1);
    EXPECT_FALSE(editing.release());     // nothing left to snap
    EXPECT_FALSE(editing.drag(70, 50));  // nothing is grabbed any more
}

TEST_F(CurveEditingTest, ARightClickMustBeWithin4PercentOfAnInnerPointAndNeverRemovesAnEnd) {
    editing.press(88, rowFor(50.0f));
    editing.release();
    ASSERT_EQ(points().size(), 3u);
    const CurvePoint middle = points()[1];
    const CurveGeometry g;
    // A row whose value is 4 % or more away from the point: not removed.
    const int far = rowFor(middle.y - 5.0f);
    ASSERT_GE(std::fabs(g.toCurve(88, far).y - middle.y), 4.0f);
    EXPECT_FALSE(editing.remove(88, far));
    // A column 4 % or more away in time: not removed either.
    int px = 88;
    while (std::fabs(g.toCurve(px, 50).x - middle.x) < 4.0f) ++px;
    EXPECT_FALSE(editing.remove(px, rowFor(middle.y)));
    // On the end points nothing is ever removed.
    EXPECT_FALSE(editing.remove(0, rowFor(100.0f)));
    EXPECT_FALSE(editing.remove(179, rowFor(100.0f)));
    EXPECT_EQ(points().size(), 3u);
    // Close to the point in both directions: removed.
    EXPECT_TRUE(editing.remove(88, rowFor(middle.y)));
    EXPECT_EQ(points().size(), 2u);
    // Outside the control nothing happens at all.
    EXPECT_FALSE(editing.remove(88, 0));
}

TEST(CurveLabels, TheSpeedCurveIsLabelledFromMinus100To100) {
    const CurveGeometry g;
    EXPECT_EQ(g.valueLabel({50.0f, 75.0f}, CurveKind::Speed).text, "50％");
    EXPECT_EQ(g.valueLabel({50.0f, 25.0f}, CurveKind::Speed).text, "-50％");
    EXPECT_EQ(g.valueLabel({50.0f, 75.0f}, CurveKind::Plain).text, "75％");
    EXPECT_EQ(g.timeLabel({33.9f, 75.0f}).text, "33％");
}

TEST(CurveLabels, LabelsMoveAwayFromTheEdgesTheirPointIsNear) {
    const CurveGeometry g;
    // Near the left edge (sx < 40) the value goes to the right edge; elsewhere at the left.
    EXPECT_EQ(g.valueLabel({10.0f, 50.0f}, CurveKind::Plain).x, 180 - 32);
    EXPECT_EQ(g.valueLabel({60.0f, 50.0f}, CurveKind::Plain).x, 0);
    // At the point's height while that is at most 80, else 16 higher.
    const CurveGeometry::Label high = g.valueLabel({60.0f, 50.0f}, CurveKind::Plain);
    EXPECT_EQ(high.y, truncatedPixel(g.screenY(50.0f)));
    const CurveGeometry::Label low = g.valueLabel({60.0f, 5.0f}, CurveKind::Plain);
    EXPECT_EQ(low.y, truncatedPixel(g.screenY(5.0f)) - 16);
    // The time label: at the point while sx is at most 50, else 30 to the left;
    // at the top for a point low in the graph (sy > 70), else at the bottom.
    EXPECT_EQ(g.timeLabel({20.0f, 50.0f}).x, truncatedPixel(g.screenX(20.0f)));
    EXPECT_EQ(g.timeLabel({80.0f, 50.0f}).x, truncatedPixel(g.screenX(80.0f)) - 30);
    EXPECT_EQ(g.timeLabel({80.0f, 10.0f}).y, 0);
    EXPECT_EQ(g.timeLabel({80.0f, 90.0f}).y, 80);
}

}  // namespace
}  // namespace sp
