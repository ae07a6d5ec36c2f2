#pragma once

#include <cstdint>

namespace sp {

// Degrees to radians, as a float factor.
inline constexpr float kDegreesToRadians = 0.017453292f;

struct SinCos {
    float sin;
    float cos;
};

// Sine and cosine of a whole number of degrees, converted with the float factor
// above. Each value is the double-precision result rounded once to float, so the
// same angle gives the same bits whatever the C library's float functions do;
// angles in -359..359 come from a table.
SinCos sinCosDegrees(int32_t degrees);

// The same for any float angle in degrees.
SinCos sinCosDegrees(float degrees);

// A vector turned by an angle about the z axis, as the rotation matrix does it.
struct Turned {
    float x;
    float y;
};
inline Turned turnXAxis(float length, SinCos a) {
    return {length * a.cos, length * a.sin};
}

}  // namespace sp
