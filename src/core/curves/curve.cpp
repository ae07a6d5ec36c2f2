#include "core/curves/curve.h"

#include <algorithm>
#include <cmath>

namespace sp {
namespace {

struct Vec2 {
    float x;
    float y;
};

// A zero vector normalises to zero.
Vec2 normalized(Vec2 v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0f) return {0.0f, 0.0f};
    return {v.x / length, v.y / length};
}

float clampValue(float y) {
    return std::clamp(y, 0.0f, 100.0f);
}

// Unit tangent of every point: towards the neighbour for the end points,
// from the previous to the next point elsewhere.
std::vector<Vec2> pointTangents(const std::vector<CurvePoint>& p) {
    const std::size_t n = p.size();
    std::vector<Vec2> t(n, Vec2{0.0f, 0.0f});
    if (n < 2) return t;
    for (std::size_t i = 0; i < n; ++i) {
        const CurvePoint& from = (i == 0) ? p[0] : p[i - 1];
        const CurvePoint& to = (i == n - 1) ? p[n - 1] : p[i + 1];
        t[i] = normalized({to.x - from.x, to.y - from.y});
    }
    return t;
}

Vec2 bezier(float s, Vec2 p0, Vec2 c1, Vec2 c2, Vec2 p3) {
    const float u = 1.0f - s;
    const float b0 = u * u * u;
    const float b1 = 3.0f * u * u * s;
    const float b2 = 3.0f * u * s * s;
    const float b3 = s * s * s;
    return {b0 * p0.x + b1 * c1.x + b2 * c2.x + b3 * p3.x,
            b0 * p0.y + b1 * c1.y + b2 * c2.y + b3 * p3.y};
}

}  // namespace

int32_t roundHalfAway(double v) {
    // Only a damaged file can bring values this far out; they saturate instead of overflowing.
    if (v != v) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return v > 0.0 ? static_cast<int32_t>(v + 0.5) : static_cast<int32_t>(v - 0.5);
}

Curve::Curve(CurveKind kind) : points{{0.0f, 100.0f}, {100.0f, 100.0f}}, m_kind(kind) {
    resample();
}

std::vector<CurvePoint> Curve::segmentSamples() const {
    std::vector<CurvePoint> out;
    const std::size_t n = points.size();
    if (n < 2) return out;
    const std::vector<Vec2> tangent = pointTangents(points);
    out.reserve((n - 1) * kSamplesPerSegment);
    for (std::size_t seg = 0; seg + 1 < n; ++seg) {
        const Vec2 p0{points[seg].x, points[seg].y};
        const Vec2 p3{points[seg + 1].x, points[seg + 1].y};
        const float r = std::fabs(p0.x - p3.x) * 0.5f;
        Vec2 c1 = p0;
        if (p0.x != 0.0f) c1 = {p0.x + r * tangent[seg].x, p0.y + r * tangent[seg].y};
        Vec2 c2 = p3;
        if (p3.x != 100.0f) c2 = {p3.x - r * tangent[seg + 1].x, p3.y - r * tangent[seg + 1].y};

        // Eleven samples: s grows by the float 0.1, the last one a hair above 1.
        for (float s = 0.0f; static_cast<double>(s) <= 1.1; s += 0.1f) {
            const Vec2 current = bezier(s, p0, c1, c2, p3);
            out.push_back({current.x, clampValue(current.y)});
        }
    }
    return out;
}

void Curve::resample() {
    samples.fill(0);
    const std::vector<CurvePoint> line = segmentSamples();
    if (line.empty()) return;

    for (std::size_t first = 0; first < line.size(); first += kSamplesPerSegment) {
        for (std::size_t j = first + 1; j < first + kSamplesPerSegment && j < line.size(); ++j) {
            const CurvePoint& previous = line[j - 1];
            const CurvePoint& current = line[j];
            // Entries from N(px) up to N(cx) − 1, the offset k counted from N(px);
            // only the entries of the table are visited, however far a damaged
            // file puts its points.
            const int64_t start = roundHalfAway(previous.x);
            const int64_t end = roundHalfAway(current.x);
            for (int64_t i = std::max<int64_t>(start, 0); i < std::min<int64_t>(end, 101); ++i) {
                const float k = static_cast<float>(i - start);
                const float value =
                    previous.y + k * (current.y - previous.y) / (current.x - previous.x);
                samples[static_cast<std::size_t>(i)] = roundHalfAway(value);
            }
        }
    }
    samples[100] = roundHalfAway(line.back().y);
}

void Curve::copySamples(SampleTable& target) const {
    if (m_kind == CurveKind::Speed) {
        for (std::size_t i = 0; i < samples.size(); ++i) target[i] = 2 * samples[i] - 100;
    } else {
        target = samples;
    }
}

void Curve::sortPoints() {
    std::stable_sort(points.begin(), points.end(),
                     [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; });
}

int Curve::findPickable(float x, float y) const {
    int found = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (std::fabs(points[i].x - x) < kPickWindowX && std::fabs(points[i].y - y) < kPickWindowY)
            found = static_cast<int>(i);
    }
    return found;
}

int Curve::pickOrInsert(float x, float y) {
    selectedPoint = findPickable(x, y);
    if (selectedPoint >= 0) return selectedPoint;
    // No point may be inserted at the very end: the last point owns x = 100.
    points.push_back({x == 100.0f ? 99.0f : x, y});
    sortPoints();
    selectedPoint = findPickable(x == 100.0f ? 99.0f : x, y);
    return selectedPoint;
}

void Curve::dragPoint(int index, float x, float y) {
    if (index < 0 || static_cast<std::size_t>(index) >= points.size()) return;
    const std::size_t i = static_cast<std::size_t>(index);
    const std::size_t lastIndex = points.size() - 1;
    CurvePoint& p = points[i];
    p = {x, y};
    if (i == 0) p.x = 0.0f;
    if (i == lastIndex) p.x = 100.0f;
    if (i != 0 && points[i - 1].x > p.x) p.x = points[i - 1].x;
    if (i != lastIndex && points[i + 1].x < p.x) p.x = points[i + 1].x;
    p.y = clampValue(p.y);
}

void Curve::releasePoints() {
    selectedPoint = -1;
    for (CurvePoint& p : points) {
        if (p.y > -8.0f && p.y < 0.0f) p.y = 0.0f;
        if (p.y > 100.0f && p.y < 108.0f) p.y = 100.0f;
    }
}

bool Curve::removeNear(float x, float y) {
    bool removed = false;
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        if (std::fabs(points[i].x - x) < kRemoveWindowX &&
            std::fabs(points[i].y - y) < kRemoveWindowY) {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
            break;
        }
    }
    if (removed) {
        sortPoints();
        selectedPoint = -1;
    }
    return removed;
}

}  // namespace sp
