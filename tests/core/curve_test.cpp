#include "core/curves/curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace sp {
namespace {

Curve sampledCurve(std::vector<CurvePoint> points, CurveKind kind = CurveKind::Plain) {
    Curve curve(kind);
    curve.points = std::move(points);
    curve.resample();
    return curve;
}

void expectWithinRange(const SampleTable& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_GE(samples[i], 0) << "entry " << i;
        EXPECT_LE(samples[i], 100) << "entry " << i;
    }
}

// ---------------------------------------------------------------------------
// Sampling

TEST(CurveSampling, NewCurveIsFlatAtFullValueAndAlreadySampled) {
    Curve curve;
    EXPECT_EQ(curve.points, (std::vector<CurvePoint>{{0.0f, 100.0f}, {100.0f, 100.0f}}));
    EXPECT_EQ(curve.selectedPoint, -1);
    for (std::size_t i = 0; i < curve.samples.size(); ++i) EXPECT_EQ(curve.samples[i], 100) << i;

    curve.resample();
    for (std::size_t i = 0; i < curve.samples.size(); ++i) EXPECT_EQ(curve.samples[i], 100) << i;
}

TEST(CurveSampling, RampGivesEveryEntryItsOwnIndex) {
    Curve curve = sampledCurve({{0.0f, 0.0f}, {100.0f, 100.0f}});
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(curve.samples[static_cast<std::size_t>(i)], i) << i;
}

// A shallow ramp is sampled at s = 0.2 (x 10.4) and s = 0.3 (x 21.6), 0.4 (x 35.2): the
// entries between two samples step from the rounded x of the earlier sample, so entry 23 holds
// 10.8 + 0.5 rounded (11), not the 11.5 the straight line has there.
TEST(CurveSampling, EntriesBetweenSamplesStepFromRoundedSamplePosition) {
    Curve curve = sampledCurve({{0.0f, 0.0f}, {100.0f, 50.0f}});
    EXPECT_EQ(curve.samples[0], 0);
    EXPECT_EQ(curve.samples[22], 11);
    EXPECT_EQ(curve.samples[23], 11);
    EXPECT_EQ(curve.samples[24], 12);
    EXPECT_EQ(curve.samples[25], 12);
    EXPECT_EQ(curve.samples[50], 25);
    EXPECT_EQ(curve.samples[100], 50);
    EXPECT_TRUE(std::is_sorted(curve.samples.begin(), curve.samples.end()));
}

TEST(CurveSampling, ValleyFallsSmoothlyToZeroAndRisesBack) {
    Curve curve = sampledCurve({{0.0f, 100.0f}, {50.0f, 0.0f}, {100.0f, 100.0f}});
    const SampleTable& s = curve.samples;
    EXPECT_EQ(s[0], 100);
    EXPECT_EQ(s[50], 0);
    EXPECT_EQ(s[100], 100);
    for (std::size_t i = 45; i <= 55; ++i) EXPECT_LE(s[i], 3) << i;

    expectWithinRange(s);
    EXPECT_TRUE(std::is_sorted(s.begin(), s.begin() + 51, std::greater<>()));
    EXPECT_TRUE(std::is_sorted(s.begin() + 50, s.end()));
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_LE(std::abs(s[i] - s[i - 1]), 6) << i;
    // Both halves are built the same way, mirrored.
    for (std::size_t i = 0; i <= 100; ++i) EXPECT_NEAR(s[i], s[100 - i], 3) << i;
}

// With (0, 0), (50, 100), (100, 0) the middle tangent is horizontal and the handles are 25
// long, but the end points have none: the first segment's sample at s = 0.5 lies exactly at
// (15.625, 50) and the second's at (84.375, 50). Handles at the ends would move both.
TEST(CurveSampling, SegmentsTouchingTheEndsHaveNoHandleThere) {
    Curve hill = sampledCurve({{0.0f, 0.0f}, {50.0f, 100.0f}, {100.0f, 0.0f}});
    EXPECT_EQ(hill.samples[0], 0);
    EXPECT_EQ(hill.samples[16], 50);
    EXPECT_EQ(hill.samples[50], 100);
    EXPECT_EQ(hill.samples[84], 50);
    EXPECT_EQ(hill.samples[100], 0);

    Curve valley = sampledCurve({{0.0f, 100.0f}, {50.0f, 0.0f}, {100.0f, 100.0f}});
    EXPECT_EQ(valley.samples[16], 50);
    EXPECT_EQ(valley.samples[84], 50);
}

TEST(CurveSampling, OvershootingSegmentsAreClampedToTheValueRange) {
    const std::vector<std::vector<CurvePoint>> curves = {
        {{0.0f, 0.0f}, {10.0f, 0.0f}, {12.0f, 100.0f}, {100.0f, 100.0f}},
        {{0.0f, 100.0f}, {49.0f, 100.0f}, {50.0f, 0.0f}, {51.0f, 100.0f}, {100.0f, 100.0f}},
        {{0.0f, 0.0f}, {49.0f, 0.0f}, {50.0f, 100.0f}, {51.0f, 0.0f}, {100.0f, 0.0f}},
        {{0.0f, 0.0f},
         {2.0f, 100.0f},
         {4.0f, 0.0f},
         {6.0f, 100.0f},
         {30.0f, 100.0f},
         {31.0f, 0.0f},
         {90.0f, 0.0f},
         {91.0f, 100.0f},
         {100.0f, 0.0f}},
    };
    for (const auto& points : curves) {
        SCOPED_TRACE(::testing::Message() << points.size() << " points");
        Curve curve = sampledCurve(points);
        expectWithinRange(curve.samples);
        EXPECT_EQ(curve.samples[100], static_cast<int32_t>(points.back().y));
    }

    // The first curve dips below 0 just before x = 10 and rises above 100 after x = 12.
    Curve step = sampledCurve(curves[0]);
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(step.samples[i], 0) << i;
    for (std::size_t i = 12; i <= 100; ++i) EXPECT_EQ(step.samples[i], 100) << i;
}

TEST(CurveSampling, LastEntryIsTheLastPointsValue) {
    EXPECT_EQ(sampledCurve({{0.0f, 10.0f}, {100.0f, 37.0f}}).samples[100], 37);
    EXPECT_EQ(sampledCurve({{0.0f, 10.0f}, {60.0f, 80.0f}, {100.0f, 0.0f}}).samples[100], 0);
}

TEST(CurveSampling, FewerThanTwoPointsGiveAllZeros) {
    Curve curve;  // sampled to 100 everywhere first, so stale values would show
    curve.points = {{50.0f, 80.0f}};
    curve.resample();
    for (std::size_t i = 0; i < curve.samples.size(); ++i) EXPECT_EQ(curve.samples[i], 0) << i;

    Curve empty;
    empty.points.clear();
    empty.resample();
    for (std::size_t i = 0; i < empty.samples.size(); ++i) EXPECT_EQ(empty.samples[i], 0) << i;
}

TEST(CurveSampling, PointsOutsideTheRangeNeverWriteOutsideTheTable) {
    // Guards on both sides of the curve catch writes before or after the sample table.
    struct Guarded {
        std::array<int32_t, 64> before;
        Curve curve;
        std::array<int32_t, 64> after;
    };
    constexpr int32_t kGuard = 0x5EA1ED;

    const std::vector<std::vector<CurvePoint>> damaged = {
        {{-20.0f, 50.0f}, {120.0f, 50.0f}},
        {{-20.0f, 150.0f}, {50.0f, -40.0f}, {120.0f, 150.0f}},
        {{-300.0f, 10.0f}, {-200.0f, 90.0f}},
        {{150.0f, 10.0f}, {400.0f, 90.0f}},
    };
    for (const auto& points : damaged) {
        SCOPED_TRACE(::testing::Message() << "first x " << points.front().x);
        Guarded g;
        g.before.fill(kGuard);
        g.after.fill(kGuard);
        g.curve.points = points;
        g.curve.selectedPoint = 7;
        g.curve.resample();

        for (int32_t v : g.before) EXPECT_EQ(v, kGuard);
        for (int32_t v : g.after) EXPECT_EQ(v, kGuard);
        EXPECT_EQ(g.curve.points, points);
        EXPECT_EQ(g.curve.selectedPoint, 7);
        EXPECT_EQ(g.curve.kind(), CurveKind::Plain);
        expectWithinRange(g.curve.samples);
    }

    // The part of a damaged curve that does lie within 0..100 is still sampled.
    Curve wide = sampledCurve(damaged[0]);
    for (std::size_t i = 0; i < wide.samples.size(); ++i) EXPECT_EQ(wide.samples[i], 50) << i;
}

TEST(CurveSampling, PointsWithEqualXJumpWithoutGap) {
    Curve curve;
    curve.points = {{0.0f, 80.0f}, {50.0f, 20.0f}, {100.0f, 40.0f}, {50.0f, 90.0f}};
    curve.sortPoints();
    ASSERT_EQ(curve.points, (std::vector<CurvePoint>{
                                {0.0f, 80.0f}, {50.0f, 20.0f}, {50.0f, 90.0f}, {100.0f, 40.0f}}));
    curve.resample();
    // The left segment ends at the earlier point, the right one starts at the later.
    EXPECT_GE(curve.samples[49], 20);
    EXPECT_LE(curve.samples[49], 22);
    EXPECT_EQ(curve.samples[50], 90);
    EXPECT_EQ(curve.samples[100], 40);
    for (std::size_t i = 0; i < curve.samples.size(); ++i) EXPECT_GT(curve.samples[i], 0) << i;

    Curve swapped;
    swapped.points = {{0.0f, 80.0f}, {50.0f, 90.0f}, {50.0f, 20.0f}, {100.0f, 40.0f}};
    swapped.resample();
    EXPECT_GE(swapped.samples[49], 88);
    EXPECT_EQ(swapped.samples[50], 20);
    for (std::size_t i = 0; i < swapped.samples.size(); ++i) EXPECT_GT(swapped.samples[i], 0) << i;
}

// All values stay well above 0, so an entry that no segment wrote would show up as 0.
TEST(CurveSampling, ConsecutiveSegmentsFillEveryEntry) {
    const std::vector<std::vector<CurvePoint>> curves = {
        {{0.0f, 60.0f}, {33.3f, 90.0f}, {66.7f, 70.0f}, {100.0f, 95.0f}},
        {{0.0f, 100.0f}, {12.5f, 60.0f}, {50.5f, 95.0f}, {87.5f, 55.0f}, {100.0f, 80.0f}},
        {{0.0f, 75.0f},
         {0.4f, 90.0f},
         {33.49f, 60.0f},
         {33.51f, 98.0f},
         {99.5f, 70.0f},
         {100.0f, 100.0f}},
        {{0.0f, 70.0f},
         {10.2f, 80.0f},
         {10.4f, 95.0f},
         {10.6f, 70.0f},
         {11.4f, 85.0f},
         {70.0f, 60.0f},
         {70.0f, 100.0f},
         {100.0f, 65.0f}},
        {{0.0f, 55.0f},
         {7.3f, 99.0f},
         {18.9f, 61.0f},
         {24.5f, 87.0f},
         {41.7f, 66.0f},
         {58.2f, 93.0f},
         {63.5f, 72.0f},
         {79.1f, 98.0f},
         {92.6f, 58.0f},
         {100.0f, 77.0f}},
    };
    for (std::size_t c = 0; c < curves.size(); ++c) {
        SCOPED_TRACE(::testing::Message() << "curve " << c);
        Curve curve = sampledCurve(curves[c]);
        for (std::size_t i = 0; i < curve.samples.size(); ++i) {
            EXPECT_GE(curve.samples[i], 30) << "entry " << i;
            EXPECT_LE(curve.samples[i], 100) << "entry " << i;
        }
    }
}

TEST(CurveSampling, TheDrawnLineRunsThroughElevenSamplesPerSegment) {
    const Curve curve = sampledCurve({{0, 100}, {30, 0}, {35, 100}, {100, 40}});
    const std::vector<CurvePoint> line = curve.segmentSamples();
    ASSERT_EQ(line.size(), 3 * Curve::kSamplesPerSegment);
    // Each segment starts on its first point and ends on its second.
    for (std::size_t seg = 0; seg < 3; ++seg) {
        const CurvePoint& first = line[seg * Curve::kSamplesPerSegment];
        const CurvePoint& last = line[(seg + 1) * Curve::kSamplesPerSegment - 1];
        EXPECT_FLOAT_EQ(first.x, curve.points[seg].x);
        EXPECT_FLOAT_EQ(first.y, curve.points[seg].y);
        EXPECT_NEAR(last.x, curve.points[seg + 1].x, 1e-3);
        EXPECT_NEAR(last.y, curve.points[seg + 1].y, 1e-3);
    }
    // The overshoot of the steep middle is cut at the value range, as in the table.
    for (const CurvePoint& p : line) {
        EXPECT_GE(p.y, 0.0f);
        EXPECT_LE(p.y, 100.0f);
    }
    EXPECT_EQ(curve.samples[100], 40);
    EXPECT_TRUE(sampledCurve({{50, 50}}).segmentSamples().empty());
}

TEST(CurveSampling, RoundingTakesHalvesAwayFromZero) {
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(2.4999), 2);
    EXPECT_EQ(roundHalfAway(0.5), 1);
    EXPECT_EQ(roundHalfAway(0.0), 0);
    EXPECT_EQ(roundHalfAway(-0.4999), 0);
    EXPECT_EQ(roundHalfAway(-0.5), -1);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_EQ(roundHalfAway(99.5), 100);
}

// ---------------------------------------------------------------------------
// Handing the samples to a node

TEST(CurveOutput, PlainCurveCopiesSamplesUnchanged) {
    Curve curve = sampledCurve({{0.0f, 0.0f}, {100.0f, 100.0f}});
    SampleTable target;
    target.fill(-999);
    curve.copySamples(target);
    EXPECT_EQ(target, curve.samples);
}

TEST(CurveOutput, SpeedCurveMapsMiddleToStandstill) {
    Curve curve = sampledCurve({{0.0f, 0.0f}, {100.0f, 100.0f}}, CurveKind::Speed);
    SampleTable target;
    target.fill(-999);
    curve.copySamples(target);
    EXPECT_EQ(target[0], -100);
    EXPECT_EQ(target[25], -50);
    EXPECT_EQ(target[50], 0);
    EXPECT_EQ(target[100], 100);
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(target[static_cast<std::size_t>(i)], 2 * i - 100) << i;
    // The curve's own samples stay in 0..100.
    EXPECT_EQ(curve.samples[0], 0);
}

TEST(CurveOutput, NewSpeedCurveMeansFullSpeedForwards) {
    Curve curve(CurveKind::Speed);
    SampleTable target{};
    curve.copySamples(target);
    for (std::size_t i = 0; i < target.size(); ++i) EXPECT_EQ(target[i], 100) << i;

    curve.setKind(CurveKind::Plain);
    curve.points = {{0.0f, 50.0f}, {100.0f, 50.0f}};
    curve.resample();
    curve.copySamples(target);
    EXPECT_EQ(target[50], 50);
    curve.setKind(CurveKind::Speed);
    curve.copySamples(target);
    EXPECT_EQ(target[50], 0);
}

// ---------------------------------------------------------------------------
// Editing

TEST(CurveEditing, SortKeepsEqualPositionsInTheirOrder) {
    Curve curve;
    curve.points = {{0.0f, 1.0f},  {50.0f, 1.0f},  {20.0f, 2.0f}, {50.0f, 2.0f},
                    {20.0f, 3.0f}, {100.0f, 0.0f}, {50.0f, 3.0f}};
    curve.sortPoints();
    EXPECT_EQ(curve.points, (std::vector<CurvePoint>{{0.0f, 1.0f},
                                                     {20.0f, 2.0f},
                                                     {20.0f, 3.0f},
                                                     {50.0f, 1.0f},
                                                     {50.0f, 2.0f},
                                                     {50.0f, 3.0f},
                                                     {100.0f, 0.0f}}));
}

TEST(CurveEditing, PressNearAPointSelectsItInsteadOfInserting) {
    Curve curve;
    EXPECT_EQ(curve.pickOrInsert(5.0f, 80.0f), 0);
    EXPECT_EQ(curve.selectedPoint, 0);
    EXPECT_EQ(curve.pickOrInsert(94.0f, 120.0f), 1);
    EXPECT_EQ(curve.selectedPoint, 1);
    EXPECT_EQ(curve.points.size(), 2u);
}

TEST(CurveEditing, PressSelectsTheLastPointWithinTheWindow) {
    Curve curve;
    curve.points = {{0.0f, 50.0f}, {4.0f, 50.0f}, {6.0f, 60.0f}, {100.0f, 50.0f}};
    EXPECT_EQ(curve.pickOrInsert(2.0f, 55.0f), 2);
    EXPECT_EQ(curve.points.size(), 4u);
}

TEST(CurveEditing, PickWindowIsExclusive) {
    Curve atX;
    EXPECT_EQ(atX.pickOrInsert(8.0f, 100.0f), 1);  // exactly 8 away in time: a new point
    EXPECT_EQ(atX.points.size(), 3u);

    Curve atY;
    EXPECT_EQ(atY.pickOrInsert(0.0f, 70.0f), 1);  // exactly 30 away in value: a new point
    EXPECT_EQ(atY.points.size(), 3u);

    Curve inside;
    EXPECT_EQ(inside.pickOrInsert(7.9f, 70.1f), 0);
    EXPECT_EQ(inside.points.size(), 2u);
}

TEST(CurveEditing, InsertedPointIsSelectedAndPointsStaySorted) {
    Curve curve;
    EXPECT_EQ(curve.pickOrInsert(70.0f, 20.0f), 1);
    EXPECT_EQ(curve.pickOrInsert(30.0f, 10.0f), 1);
    EXPECT_EQ(curve.selectedPoint, 1);
    EXPECT_EQ(curve.pickOrInsert(50.0f, 40.0f), 2);
    EXPECT_EQ(
        curve.points,
        (std::vector<CurvePoint>{
            {0.0f, 100.0f}, {30.0f, 10.0f}, {50.0f, 40.0f}, {70.0f, 20.0f}, {100.0f, 100.0f}}));
    EXPECT_EQ(curve.selectedPoint, 2);
}

TEST(CurveEditing, InsertAtAnOccupiedTimeSelectsTheNewPoint) {
    Curve curve;
    curve.points = {{0.0f, 100.0f}, {50.0f, 0.0f}, {100.0f, 100.0f}};
    EXPECT_EQ(curve.pickOrInsert(50.0f, 80.0f), 2);
    EXPECT_EQ(curve.points[1], (CurvePoint{50.0f, 0.0f}));
    EXPECT_EQ(curve.points[2], (CurvePoint{50.0f, 80.0f}));
}

TEST(CurveEditing, PressAtTheEndInsertsJustBeforeIt) {
    Curve curve;
    EXPECT_EQ(curve.pickOrInsert(100.0f, 20.0f), 1);
    EXPECT_EQ(curve.points,
              (std::vector<CurvePoint>{{0.0f, 100.0f}, {99.0f, 20.0f}, {100.0f, 100.0f}}));
    EXPECT_EQ(curve.points.back().x, 100.0f);
}

TEST(CurveEditing, InsertedValueIsNotClampedUntilRelease) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {100.0f, 0.0f}};
    const int index = curve.pickOrInsert(50.0f, 103.0f);
    ASSERT_EQ(index, 1);
    EXPECT_EQ(curve.points[1].y, 103.0f);
    curve.releasePoints();
    EXPECT_EQ(curve.points[1].y, 100.0f);
}

TEST(CurveEditing, DraggedPointCannotPassItsNeighbours) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {30.0f, 50.0f}, {60.0f, 50.0f}, {100.0f, 0.0f}};

    curve.dragPoint(1, 80.0f, 40.0f);
    EXPECT_EQ(curve.points[1], (CurvePoint{60.0f, 40.0f}));
    curve.dragPoint(1, 10.0f, 40.0f);
    EXPECT_EQ(curve.points[1], (CurvePoint{10.0f, 40.0f}));
    curve.dragPoint(2, 5.0f, 70.0f);
    EXPECT_EQ(curve.points[2], (CurvePoint{10.0f, 70.0f}));
    curve.dragPoint(2, 100.0f, 70.0f);
    EXPECT_EQ(curve.points[2], (CurvePoint{100.0f, 70.0f}));
    EXPECT_TRUE(std::is_sorted(curve.points.begin(), curve.points.end(),
                               [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; }));
}

TEST(CurveEditing, EndPointsStayAtTheEnds) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {50.0f, 50.0f}, {100.0f, 0.0f}};
    curve.dragPoint(0, 40.0f, 70.0f);
    EXPECT_EQ(curve.points[0], (CurvePoint{0.0f, 70.0f}));
    curve.dragPoint(0, 90.0f, 70.0f);
    EXPECT_EQ(curve.points[0].x, 0.0f);
    curve.dragPoint(2, 10.0f, 30.0f);
    EXPECT_EQ(curve.points[2], (CurvePoint{100.0f, 30.0f}));

    Curve twoPoints;
    twoPoints.dragPoint(1, 0.0f, 20.0f);
    EXPECT_EQ(twoPoints.points[1], (CurvePoint{100.0f, 20.0f}));
}

TEST(CurveEditing, DraggedValueIsClamped) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {50.0f, 50.0f}, {100.0f, 0.0f}};
    curve.dragPoint(1, 50.0f, -15.0f);
    EXPECT_EQ(curve.points[1].y, 0.0f);
    curve.dragPoint(1, 50.0f, 130.0f);
    EXPECT_EQ(curve.points[1].y, 100.0f);
    curve.dragPoint(0, 0.0f, 101.0f);
    EXPECT_EQ(curve.points[0].y, 100.0f);
}

TEST(CurveEditing, DragWithoutAValidPointDoesNothing) {
    Curve curve;
    const std::vector<CurvePoint> before = curve.points;
    curve.dragPoint(-1, 50.0f, 50.0f);
    curve.dragPoint(2, 50.0f, 50.0f);
    EXPECT_EQ(curve.points, before);
}

TEST(CurveEditing, ReleaseSnapsValuesJustOutsideTheRange) {
    Curve curve;
    curve.points = {{0.0f, -3.0f},   {10.0f, 102.0f}, {20.0f, 107.9f},
                    {30.0f, -7.9f},  {40.0f, 108.0f}, {50.0f, -8.0f},
                    {60.0f, 110.0f}, {70.0f, 50.0f},  {100.0f, 100.0f}};
    curve.selectedPoint = 3;
    curve.releasePoints();
    EXPECT_EQ(curve.selectedPoint, -1);
    const std::vector<float> expected = {0.0f,  100.0f, 100.0f, 0.0f,  108.0f,
                                         -8.0f, 110.0f, 50.0f,  100.0f};
    ASSERT_EQ(curve.points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(curve.points[i].y, expected[i]) << i;
}

TEST(CurveEditing, RemoveTakesAnInnerPointNearThePress) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {30.0f, 50.0f}, {60.0f, 50.0f}, {100.0f, 0.0f}};
    curve.selectedPoint = 2;
    EXPECT_TRUE(curve.removeNear(31.0f, 52.0f));
    EXPECT_EQ(curve.points,
              (std::vector<CurvePoint>{{0.0f, 0.0f}, {60.0f, 50.0f}, {100.0f, 0.0f}}));
    EXPECT_EQ(curve.selectedPoint, -1);
}

TEST(CurveEditing, RemoveTakesOnlyTheFirstMatchingPoint) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {50.0f, 50.0f}, {52.0f, 51.0f}, {100.0f, 0.0f}};
    EXPECT_TRUE(curve.removeNear(51.0f, 50.0f));
    EXPECT_EQ(curve.points,
              (std::vector<CurvePoint>{{0.0f, 0.0f}, {52.0f, 51.0f}, {100.0f, 0.0f}}));
}

TEST(CurveEditing, RemoveNeverTakesTheEndPoints) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {50.0f, 50.0f}, {100.0f, 0.0f}};
    const std::vector<CurvePoint> before = curve.points;
    EXPECT_FALSE(curve.removeNear(0.0f, 0.0f));
    EXPECT_FALSE(curve.removeNear(100.0f, 0.0f));
    EXPECT_EQ(curve.points, before);

    Curve twoPoints;
    EXPECT_FALSE(twoPoints.removeNear(0.0f, 100.0f));
    EXPECT_FALSE(twoPoints.removeNear(100.0f, 100.0f));
    EXPECT_EQ(twoPoints.points.size(), 2u);
}

TEST(CurveEditing, RemoveUsesANarrowExclusiveWindow) {
    Curve curve;
    curve.points = {{0.0f, 0.0f}, {30.0f, 50.0f}, {100.0f, 0.0f}};
    curve.selectedPoint = 1;
    EXPECT_FALSE(curve.removeNear(34.0f, 50.0f));
    EXPECT_FALSE(curve.removeNear(30.0f, 54.0f));
    EXPECT_FALSE(curve.removeNear(36.0f, 60.0f));  // would still be picked, but not removed
    EXPECT_EQ(curve.points.size(), 3u);
    EXPECT_EQ(curve.selectedPoint, 1);  // a miss leaves the selection alone
    EXPECT_TRUE(curve.removeNear(26.1f, 46.1f));
    EXPECT_EQ(curve.points.size(), 2u);
}

}  // namespace
}  // namespace sp

namespace sp {
namespace {

TEST(CurveSampling, AbsurdPointsFromADamagedFileFinishQuickly) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (std::vector<CurvePoint> points :
         {std::vector<CurvePoint>{{-1e30f, 50}, {1e30f, 50}},
          std::vector<CurvePoint>{{0, nan}, {nan, 3}, {100, 7}},
          std::vector<CurvePoint>{{-inf, 0}, {0, inf}, {inf, 100}}}) {
        Curve curve;
        curve.points = points;
        curve.resample();
        for (int32_t v : curve.samples) {
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 100);
        }
    }
    EXPECT_EQ(roundHalfAway(1e300), INT32_MAX);
    EXPECT_EQ(roundHalfAway(-1e300), INT32_MIN);
    EXPECT_EQ(roundHalfAway(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace sp
