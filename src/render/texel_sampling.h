#pragma once

// Reading textures for the software rasteriser: positions in fixed point, the
// address modes, and point and linear fetches. These run once a pixel, so they
// live here to be inlined into the span loops.

#include <algorithm>
#include <cstdint>

#include "render/always_inline.h"
#include "render/device.h"
#include "render/pixel_channels.h"
#include "render/texture.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

// floor() for values already within ±4e18, without a library call.
SP_ALWAYS_INLINE int64_t floorToInt64(double v) {
    const int64_t i = static_cast<int64_t>(v);
    return i - (static_cast<double>(i) > v ? 1 : 0);
}

// Texture coordinates in texels × 2^32 (32 fractional bits).
constexpr int kFraction = 32;
SP_ALWAYS_INLINE int64_t toFixed(double texels) {
    const double scaled = std::clamp(texels * 4294967296.0, -4e18, 4e18);
    return floorToInt64(scaled + 0.5);
}

template <TextureAddress Address>
inline int address64(int64_t i, int size) {
    if constexpr (Address == TextureAddress::Clamp) {
        return static_cast<int>(std::clamp<int64_t>(i, 0, size - 1));
    } else {
        if ((size & (size - 1)) == 0) return static_cast<int>(i & (size - 1));
        const int64_t m = i % size;
        return static_cast<int>(m < 0 ? m + size : m);
    }
}

// The texel whose area holds the point.
template <TextureAddress Address>
SP_ALWAYS_INLINE uint32_t samplePoint(const Texture& t, int64_t tu, int64_t tv) {
    return t.pixel(address64<Address>(tu >> kFraction, t.width()),
                   address64<Address>(tv >> kFraction, t.height()));
}

// The four texels around the point, weighted by its distance to their centres in
// 1/256ths: each row blended across and rounded to 8 bits, then the two rows.
// The coordinates are already shifted by half a texel.
template <TextureAddress Address>
SP_ALWAYS_INLINE uint32_t sampleLinear(const Texture& t, int64_t tu, int64_t tv) {
    const int64_t x0 = tu >> kFraction, y0 = tv >> kFraction;
    const uint32_t wx = static_cast<uint32_t>((tu >> (kFraction - 8)) & 0xFF);
    const uint32_t wy = static_cast<uint32_t>((tv >> (kFraction - 8)) & 0xFF);
    static_assert(kFraction >= 8);
    const int xa = address64<Address>(x0, t.width()), xb = address64<Address>(x0 + 1, t.width());
    const uint32_t* ra = t.row(address64<Address>(y0, t.height()));
    const uint32_t* rb = t.row(address64<Address>(y0 + 1, t.height()));
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i rowA =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(ra[xa])),
                                             _mm_cvtsi32_si128(static_cast<int>(ra[xb]))),
                          zero);
    const __m128i rowB =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(rb[xa])),
                                             _mm_cvtsi32_si128(static_cast<int>(rb[xb]))),
                          zero);
    const __m128i across = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - wx)),
                                              _mm_set1_epi16(static_cast<short>(wx)));
    const __m128i half = _mm_set1_epi16(128);
    auto blendRow = [&](__m128i row) {
        const __m128i weighted = _mm_mullo_epi16(row, across);
        return _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(weighted, _mm_srli_si128(weighted, 8)), half), 8);
    };
    const __m128i top = blendRow(rowA), bottom = blendRow(rowB);
    const __m128i mixed = _mm_srli_epi16(
        _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(static_cast<short>(256 - wy))),
                          _mm_mullo_epi16(bottom, _mm_set1_epi16(static_cast<short>(wy)))),
            half),
        8);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, zero)));
#else
    const uint64_t top =
        ((expand(ra[xa]) * (256 - wx) + expand(ra[xb]) * wx + 0x0080008000800080ull) >> 8) & kLanes;
    const uint64_t bottom =
        ((expand(rb[xa]) * (256 - wx) + expand(rb[xb]) * wx + 0x0080008000800080ull) >> 8) & kLanes;
    return pack(((top * (256 - wy) + bottom * wy + 0x0080008000800080ull) >> 8) & kLanes);
#endif
}

// A wrapping texture whose sides are powers of two.
struct WrappedTexture {
    const uint32_t* texels;
    int widthShift;
    uint32_t widthMask, heightMask;
};

// samplePoint for a wrapping power-of-two texture: a mask and an index.
SP_ALWAYS_INLINE uint32_t samplePointWrapped(const uint32_t* texels, int widthShift,
                                             uint64_t widthMask, uint64_t heightMask, int64_t tu,
                                             int64_t tv) {
    return texels[(static_cast<uint64_t>(tv >> kFraction) & heightMask) << widthShift |
                  (static_cast<uint64_t>(tu >> kFraction) & widthMask)];
}

#if defined(__SSE2__)
// sampleLinear for a wrapping power-of-two texture, with the same arithmetic:
// neighbouring texels of a row are read together unless the row wraps between them.
SP_ALWAYS_INLINE uint32_t sampleLinearWrapped(const uint32_t* texels, int widthShift,
                                              uint64_t widthMask, uint64_t heightMask, int64_t tu,
                                              int64_t tv) {
    const uint64_t x0 = static_cast<uint64_t>(tu >> kFraction) & widthMask;
    const uint64_t y0 = static_cast<uint64_t>(tv >> kFraction) & heightMask;
    const uint64_t y1 = (y0 + 1) & heightMask;
    const uint32_t wx = static_cast<uint32_t>((tu >> (kFraction - 8)) & 0xFF);
    const uint32_t wy = static_cast<uint32_t>((tv >> (kFraction - 8)) & 0xFF);
    const uint32_t* ra = texels + (y0 << widthShift);
    const uint32_t* rb = texels + (y1 << widthShift);
    __m128i pairA, pairB;
    if (x0 < widthMask) {
        pairA = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ra + x0));
        pairB = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rb + x0));
    } else {
        pairA = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(ra[x0])),
                                   _mm_cvtsi32_si128(static_cast<int>(ra[0])));
        pairB = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(rb[x0])),
                                   _mm_cvtsi32_si128(static_cast<int>(rb[0])));
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i across = _mm_unpacklo_epi64(_mm_set1_epi16(static_cast<short>(256 - wx)),
                                              _mm_set1_epi16(static_cast<short>(wx)));
    const __m128i half = _mm_set1_epi16(128);
    const __m128i weightedA = _mm_mullo_epi16(_mm_unpacklo_epi8(pairA, zero), across);
    const __m128i weightedB = _mm_mullo_epi16(_mm_unpacklo_epi8(pairB, zero), across);
    const __m128i top = _mm_srli_epi16(
        _mm_add_epi16(_mm_add_epi16(weightedA, _mm_srli_si128(weightedA, 8)), half), 8);
    const __m128i bottom = _mm_srli_epi16(
        _mm_add_epi16(_mm_add_epi16(weightedB, _mm_srli_si128(weightedB, 8)), half), 8);
    const __m128i mixed = _mm_srli_epi16(
        _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(static_cast<short>(256 - wy))),
                          _mm_mullo_epi16(bottom, _mm_set1_epi16(static_cast<short>(wy)))),
            half),
        8);
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(mixed, zero)));
}
#endif

}  // namespace
}  // namespace sp::render::detail
