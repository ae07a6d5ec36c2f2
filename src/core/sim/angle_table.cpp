#include "core/sim/angle_table.h"

#include <array>
#include <cmath>

namespace sp {
namespace {

SinCos computeSinCos(float degrees) {
    const float radians = degrees * kDegreesToRadians;
    return {static_cast<float>(std::sin(static_cast<double>(radians))),
            static_cast<float>(std::cos(static_cast<double>(radians)))};
}

struct AngleTable {
    std::array<SinCos, 360> entries{};
    AngleTable() {
        for (int d = 0; d < 360; ++d)
            entries[static_cast<std::size_t>(d)] = computeSinCos(static_cast<float>(d));
    }
};

const AngleTable& table() {
    static const AngleTable instance;
    return instance;
}

}  // namespace

SinCos sinCosDegrees(int32_t degrees) {
    if (degrees >= 0 && degrees < 360) return table().entries[static_cast<std::size_t>(degrees)];
    if (degrees < 0 && degrees > -360) {
        // (float)(-d) × factor is exactly −((float)d × factor), and sine is odd, cosine even.
        const SinCos positive = table().entries[static_cast<std::size_t>(-degrees)];
        return {-positive.sin, positive.cos};
    }
    return computeSinCos(static_cast<float>(degrees));
}

SinCos sinCosDegrees(float degrees) {
    return computeSinCos(degrees);
}

}  // namespace sp
