#pragma once

#include <cstdint>

// The 8-bit channel arithmetic shared by texel sampling and blending.
namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

inline uint32_t channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFFu;
}

// round(x / 255), exact for every value a blend of two 8-bit products produces
// below 65536; larger values only occur where the result is clamped to 255.
inline uint32_t div255(uint32_t x) {
    return (x + 128u + ((x + 128u) >> 8)) >> 8;
}

// Four 8-bit channels spread into the 16-bit lanes of a 64-bit word, so that one
// multiplication by a factor up to 255 scales all four without carries.
constexpr uint64_t kLanes = 0x00FF00FF00FF00FFull;
inline uint64_t expand(uint32_t argb) {
    const uint64_t c = argb;
    return (c & 0xFFu) | ((c & 0xFF00u) << 8) | ((c & 0xFF0000u) << 16) | ((c & 0xFF000000u) << 24);
}
inline uint32_t pack(uint64_t lanes) {
    return static_cast<uint32_t>((lanes & 0xFFu) | ((lanes >> 8) & 0xFF00u) |
                                 ((lanes >> 16) & 0xFF0000u) | ((lanes >> 24) & 0xFF000000u));
}

}  // namespace
}  // namespace sp::render::detail
