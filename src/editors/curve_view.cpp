#include "editors/curve_view.h"

#include <algorithm>

namespace sp {

bool CurveGeometry::inside(int px, int py) const {
    return px >= 0 && px < width && py > 0 && py < height;
}

CurvePoint CurveGeometry::toCurve(int px, int py) const {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float x = static_cast<float>(px) / (w - 3.0f) * 104.0f - 2.5f;
    const float y = (h - (static_cast<float>(py) - 3.0f) / 0.92f) / h * 100.0f;
    return {std::clamp(x, 0.0f, 100.0f), y};
}

float CurveGeometry::screenX(float x) const {
    return static_cast<float>(width) * x / 104.0f + 3.0f;
}

float CurveGeometry::screenY(float y) const {
    const float h = static_cast<float>(height);
    return (h - h * y / 100.0f) * 0.92f + 3.0f;
}

CurveGeometry::Label CurveGeometry::valueLabel(const CurvePoint& point, CurveKind kind) const {
    const float shown = kind == CurveKind::Speed ? (point.y - 50.0f) * 2.0f : point.y;
    const int sx = truncatedPixel(screenX(point.x));
    const int sy = truncatedPixel(screenY(point.y));
    return {std::to_string(truncatedPixel(shown)) + "％", sx < 40 ? width - 32 : 0,
            sy <= 80 ? sy : sy - 16};
}

CurveGeometry::Label CurveGeometry::timeLabel(const CurvePoint& point) const {
    const int sx = truncatedPixel(screenX(point.x));
    const int sy = truncatedPixel(screenY(point.y));
    return {std::to_string(truncatedPixel(point.x)) + "％", sx <= 50 ? sx : sx - 30,
            sy > 70 ? 0 : 80};
}

int nearestPixel(float v) {
    return static_cast<int>(roundHalfAway(v));
}

int truncatedPixel(float v) {
    if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0f) return INT32_MAX;
    return static_cast<int>(v);
}

void CurveEditing::show(const Curve& curve) {
    m_curve = curve;
    m_curve.selectedPoint = -1;
}

bool CurveEditing::press(int px, int py) {
    if (!m_geometry.inside(px, py)) return false;
    const std::size_t before = m_curve.points.size();
    const CurvePoint at = m_geometry.toCurve(px, py);
    m_curve.pickOrInsert(at.x, at.y);
    return m_curve.points.size() != before;
}

bool CurveEditing::drag(int px, int py) {
    const int index = m_curve.selectedPoint;
    if (index < 0 || static_cast<std::size_t>(index) >= m_curve.points.size()) return false;
    const CurvePoint before = m_curve.points[static_cast<std::size_t>(index)];
    const CurvePoint at = m_geometry.toCurve(px, py);
    m_curve.dragPoint(index, at.x, at.y);
    return !(m_curve.points[static_cast<std::size_t>(index)] == before);
}

bool CurveEditing::release() {
    const std::vector<CurvePoint> before = m_curve.points;
    m_curve.releasePoints();
    return m_curve.points != before;
}

bool CurveEditing::remove(int px, int py) {
    if (!m_geometry.inside(px, py)) return false;
    const CurvePoint at = m_geometry.toCurve(px, py);
    return m_curve.removeNear(at.x, at.y);
}

}  // namespace sp
