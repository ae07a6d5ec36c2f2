#pragma once

#include <cstdint>

#include "core/sim/trail.h"
#include "core/sim/vec3.h"

namespace sp {

struct EmitterNode;

// One live particle, held in the `particles` list of the node that emitted it.
struct Particle {
    EmitterNode* node = nullptr;
    Vec3 position;
    Vec3 previousPosition;
    Vec3 heading;
    Trail trail;  // newest first
    float fallSpeed = 0.0f;
    int32_t baseAngle = 0;
    int32_t spin = 1;
    float spreadFactor = 0.0f;
    int32_t age = 0;
    int32_t lifetime = 0;
    float speedFactor = 1.0f;
    float sizeFactor = 1.0f;
    float rotationFactor = 1.0f;
    float parentAlpha = 1.0f;
    float parentSize = 1.0f;
    int32_t brightness = 0;

    bool operator==(const Particle&) const = default;
};

}  // namespace sp
