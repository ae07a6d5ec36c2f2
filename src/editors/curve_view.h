#pragma once

#include <cstdint>
#include <string>

#include "core/curves/curve.h"

// The curve editor's arithmetic, with no widgets: where the mouse is in curve
// units, where a curve point is drawn, where the two labels go, and what the
// mouse does to a copy of the curve. The widget only draws and forwards.
namespace sp {

// Positions on the control: px, py from its outer top-left corner (border
// included); drawing positions in the client area inside the one-pixel border.
struct CurveGeometry {
    int width = 180;
    int height = 100;

    // Presses and right clicks count only within the control.
    bool inside(int px, int py) const;
    // The mouse in curve units: x brought into 0..100, y as it comes.
    CurvePoint toCurve(int px, int py) const;
    // A curve point on the drawing (32-bit floats, not rounded).
    float screenX(float x) const;
    float screenY(float y) const;

    struct Label {
        std::string text;
        int x = 0;
        int y = 0;
    };
    // The value and time labels of a selected point. The speed curve is labelled
    // from −100 to 100, its middle being 0.
    Label valueLabel(const CurvePoint& point, CurveKind kind) const;
    Label timeLabel(const CurvePoint& point) const;
};

// Lines and rectangles are drawn at the nearest pixel, halves away from zero;
// the crosshair and the labels at the truncated position.
int nearestPixel(float v);
int truncatedPixel(float v);

// What the mouse does to the curve an editor shows: a copy of the node's curve,
// with the editor's own selection. Each handler says whether the points
// changed, so that the editor hands them to the document only then.
class CurveEditing {
  public:
    explicit CurveEditing(CurveGeometry geometry = {}) : m_geometry(geometry) {}

    // Shows a node's curve: its points and kind, nothing selected.
    void show(const Curve& curve);
    const Curve& curve() const { return m_curve; }
    int selected() const { return m_curve.selectedPoint; }
    const CurveGeometry& geometry() const { return m_geometry; }

    // Left press: grabs the last point near the mouse or inserts one there.
    bool press(int px, int py);
    // Movement with the left button held: the grabbed point follows, anywhere.
    bool drag(int px, int py);
    // The button is up: the grab ends and points just outside 0..100 snap in.
    bool release();
    // Right press: removes the first inner point close to the mouse.
    bool remove(int px, int py);

  private:
    CurveGeometry m_geometry;
    Curve m_curve;
};

}  // namespace sp
