#include "editors/dial_rules.h"

#include <cmath>
#include <cstdio>

namespace sp::dial {
namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;
constexpr float kRadiansPerDegree = 0.017453292f;

int truncated(float v) {
    if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0f) return INT32_MAX;
    return static_cast<int>(v);
}

int truncated(double v) {
    if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int>(v);
}

// A spoke that would leave the face stops just inside it.
int keptOnFace(int v) {
    if (v > kFace) return kFace - 1;
    if (v < -kFace) return -(kFace - 1);
    return v;
}

}  // namespace

bool inside(int dx, int dy) {
    return dx >= -kReach && dx <= kReach && dy >= -kReach && dy <= kReach;
}

int radiusAt(int dx, int dy) {
    const float x = static_cast<float>(dx);
    const float y = static_cast<float>(dy);
    return truncated(std::sqrt(x * x + y * y));
}

int angleAt(int dx, int dy) {
    // The x component of the unit vector; a zero vector stays zero.
    const float x = static_cast<float>(dx);
    const float y = static_cast<float>(dy);
    const float length = std::sqrt(x * x + y * y);
    const float unitX = length == 0.0f ? 0.0f : x / length;
    const int angle = truncated(std::acos(unitX) * kDegreesPerRadian);
    return dy < 0 ? 360 - angle : angle;
}

int snappedTo45(int angle) {
    return truncated((static_cast<double>(angle) + 22.5) / 45.0) * 45;
}

int spokeAt(int angle) {
    const int spoke = (angle + 5) / 11;
    return spoke >= static_cast<int>(kSpreadShapeSize) ? 0 : spoke;
}

std::optional<int32_t> directionFor(int dx, int dy, bool shift) {
    if (!inside(dx, dy)) return std::nullopt;
    const int angle = angleAt(dx, dy);
    return shift ? snappedTo45(angle) : angle;
}

std::optional<SpreadShape> spreadFor(const SpreadShape& shape, int dx, int dy, bool shift) {
    if (!inside(dx, dy)) return std::nullopt;
    const int32_t radius = radiusAt(dx, dy);
    SpreadShape result = shape;
    if (shift)
        result.fill(radius);
    else
        result[static_cast<std::size_t>(spokeAt(angleAt(dx, dy)))] = radius;
    return result;
}

SpreadShape neutralSpread() {
    SpreadShape shape{};
    shape.fill(kNeutralRadius);
    return shape;
}

Offset spokeEnd(int index, int32_t radius) {
    // The angle grows by 11.25 degrees per spoke, in double precision.
    double degrees = 0.0;
    for (int i = 0; i < index; ++i) degrees += 11.25;
    const double a = degrees * 3.14159265358979323846 / 180.0;
    const double r = static_cast<double>(radius);
    return {keptOnFace(truncated(std::cos(a) * r)), keptOnFace(truncated(std::sin(a) * r))};
}

Arrow arrowFor(int32_t direction) {
    const float d = static_cast<float>(direction) * kRadiansPerDegree;
    const float across = d + 90.0f * kRadiansPerDegree;
    Arrow arrow;
    arrow.tip = {truncated(50.0f * std::cos(d)), truncated(50.0f * std::sin(d))};
    arrow.side = {truncated(5.0f * std::cos(across)), truncated(5.0f * std::sin(across))};
    int64_t shown = direction;
    if (shown < 0) shown += 360;
    shown %= 360;
    char text[32];
    std::snprintf(text, sizeof text, "%3d°", static_cast<int>(shown));
    arrow.label = text;
    arrow.labelAt = {-arrow.tip.x / 2 - 15, -arrow.tip.y / 2 - 6};
    return arrow;
}

}  // namespace sp::dial
