#pragma once

namespace sp {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool operator==(const Vec3&) const = default;
};

}  // namespace sp
