#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sp {

// One control point: x is per cent of a particle's life, y per cent of the maximum.
struct CurvePoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const CurvePoint&) const = default;
};

using SampleTable = std::array<int32_t, 101>;

// Plain curves hand their samples over unchanged; the speed curve is two-sided:
// the middle of its graph means standing still.
enum class CurveKind { Plain, Speed };

// A quantity over a particle's life: control points, smoothed into Bézier
// segments and sampled into 101 whole per cent values.
class Curve {
  public:
    // Pick and remove windows, in curve units (per cent of time, per cent of value).
    static constexpr float kPickWindowX = 8.0f;
    static constexpr float kPickWindowY = 30.0f;
    static constexpr float kRemoveWindowX = 4.0f;
    static constexpr float kRemoveWindowY = 4.0f;

    explicit Curve(CurveKind kind = CurveKind::Plain);

    CurveKind kind() const { return m_kind; }
    void setKind(CurveKind kind) { m_kind = kind; }

    std::vector<CurvePoint> points;
    SampleTable samples{};
    int selectedPoint = -1;  // index into points, -1 when nothing is selected

    // Recomputes `samples` from `points`.
    void resample();

    // The eleven points at which each segment between neighbouring control points
    // is evaluated, segment after segment, their y brought into 0..100: what
    // resample reads the table from, and the line an editor draws.
    static constexpr std::size_t kSamplesPerSegment = 11;
    std::vector<CurvePoint> segmentSamples() const;

    // Writes the samples into a node table: unchanged for plain curves,
    // 2 × v − 100 for the speed curve.
    void copySamples(SampleTable& target) const;

    // Sorts by ascending x; points with equal x keep their order.
    void sortPoints();

    // Editing rules; positions already in curve units (x clamped to 0..100 by the editor).
    int pickOrInsert(float x, float y);
    void dragPoint(int index, float x, float y);
    void releasePoints();
    bool removeNear(float x, float y);

  private:
    int findPickable(float x, float y) const;

    CurveKind m_kind;
};

// Nearest integer with halves away from zero, computed in double precision.
int32_t roundHalfAway(double v);

}  // namespace sp
