#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/model/node_fields.h"

// The direction dial's arithmetic, with no widgets. Offsets (dx, dy) are from
// the dial's centre in pixels, y growing downwards; angles are whole degrees,
// 0 pointing right and growing clockwise on the screen.
namespace sp::dial {

// The centre on the emission page.
inline constexpr int kCentreX = 115;
inline constexpr int kCentreY = 230;
// The sensitive square reaches 62 from the centre each way; the face 63.
inline constexpr int kReach = 62;
inline constexpr int kFace = 63;
// What a change repaints: 68 each way.
inline constexpr int kRepaint = 68;
inline constexpr int32_t kNeutralRadius = 50;

struct Offset {
    int x = 0;
    int y = 0;
    bool operator==(const Offset&) const = default;
};

bool inside(int dx, int dy);
int radiusAt(int dx, int dy);
// 0..360; the centre itself reads as 90.
int angleAt(int dx, int dy);
// The nearest multiple of 45 degrees; 360 can result.
int snappedTo45(int angle);
// The spoke a drag at `angle` paints.
int spokeAt(int angle);

// What a press or a movement with the left button at (dx, dy) stores: for one
// direction the new direction; otherwise the new spread shape. Nothing outside
// the sensitive square.
std::optional<int32_t> directionFor(int dx, int dy, bool shift);
std::optional<SpreadShape> spreadFor(const SpreadShape& shape, int dx, int dy, bool shift);
// A double-click in the square: the circle of 50.
SpreadShape neutralSpread();

// The end of spoke i of radius r, kept within the face.
Offset spokeEnd(int index, int32_t radius);

// The arrow of the one-direction dial: its tip, the half width of its foot
// (the foot runs from +side to −side), and its label "%3d°" on the opposite side.
struct Arrow {
    Offset tip;
    Offset side;
    std::string label;
    Offset labelAt;  // the label's top-left
};
Arrow arrowFor(int32_t direction);

}  // namespace sp::dial
