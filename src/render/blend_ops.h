#pragma once

// How the software rasteriser combines colours: the texture stage (texel ×
// diffuse), the general blend rule, and the shortcuts for the common blends.
// Each SSE2 routine sits beside the scalar one it must match bit for bit; both
// do the exact same integer arithmetic, the SSE2 one on four pixels at a time in
// 16-bit lanes. All of it runs per pixel, so it lives here to be inlined into the
// span loops.

#include <algorithm>
#include <cstdint>

#include "render/always_inline.h"
#include "render/device.h"
#include "render/pixel_channels.h"
#include "render/raster_state.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

// Texture × diffuse, per channel, rounded.
inline uint32_t modulate(uint32_t texel, uint32_t diffuse) {
    if (diffuse == 0xFFFFFFFFu) return texel;
    return div255(channel(texel, 24) * channel(diffuse, 24)) << 24 |
           div255(channel(texel, 16) * channel(diffuse, 16)) << 16 |
           div255(channel(texel, 8) * channel(diffuse, 8)) << 8 |
           div255(channel(texel, 0) * channel(diffuse, 0));
}

inline uint32_t factorOf(BlendFactor f, uint32_t sourceAlpha) {
    switch (f) {
        case BlendFactor::Zero:
            return 0;
        case BlendFactor::One:
            return 255;
        case BlendFactor::SrcAlpha:
            return sourceAlpha;
        case BlendFactor::InvSrcAlpha:
            return 255 - sourceAlpha;
    }
    return 0;
}

// Blends one pixel by the general rule: colour by the colour factors, alpha by
// the alpha factors, each channel rounded and clamped.
inline uint32_t blendGeneral(uint32_t source, uint32_t destination, BlendFactor cs, BlendFactor cd,
                             BlendFactor as, BlendFactor ad) {
    const uint32_t sa = source >> 24;
    const uint32_t fs = factorOf(cs, sa), fd = factorOf(cd, sa);
    uint32_t out = std::min<uint32_t>(
                       div255(sa * factorOf(as, sa) + (destination >> 24) * factorOf(ad, sa)), 255u)
                   << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t value =
            div255(channel(source, shift) * fs + channel(destination, shift) * fd);
        out |= std::min<uint32_t>(value, 255u) << shift;
    }
    return out;
}

// div255 in every lane; each lane must hold at most 65025.
inline uint64_t div255Lanes(uint64_t x) {
    const uint64_t rounded = x + 0x0080008000800080ull;
    return ((rounded + ((rounded >> 8) & kLanes)) >> 8) & kLanes;
}

#if defined(__SSE2__)
// div255 in each of eight 16-bit lanes of at most 65025: ((x + 128) · 257) >> 16
// is exactly (t + (t >> 8)) >> 8 with t = x + 128, in one multiply.
inline __m128i div255Epi16(__m128i x) {
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}
#endif

// Lane-wise addition clamped at 255 (lanes hold at most 255 each). The SSE2 code
// needs no twin: _mm_adds_epu16 followed by the packing to bytes does the same.
inline uint64_t addSaturated(uint64_t a, uint64_t b) {
    const uint64_t sum = a + b;
    const uint64_t overflow = (sum >> 8) & 0x0001000100010001ull;
    return (sum | (overflow * 0xFF)) & kLanes;
}

// The same results as blendGeneral for the common blends, a pixel at a time.
template <BlendKind Kind>
inline uint32_t blendOne(uint32_t source, uint32_t destination) {
    using K = BlendKind;
    const uint32_t sa = source >> 24;
    if constexpr (Kind == K::Normal || Kind == K::Darken) {
        const uint32_t src = Kind == K::Normal ? (source | 0xFF000000u) : 0xFF000000u;
        return pack(div255Lanes(expand(src) * sa + expand(destination) * (255 - sa)));
    } else if constexpr (Kind == K::Additive) {
        const uint64_t added = div255Lanes(expand(source | 0xFF000000u) * sa);
        const uint64_t alpha = div255Lanes(expand(destination & 0xFF000000u) * (255 - sa));
        const uint64_t colour = addSaturated(added & 0x0000FFFFFFFFFFFFull,
                                             expand(destination) & 0x0000FFFFFFFFFFFFull);
        return pack(colour | ((added + alpha) & 0xFFFF000000000000ull));
    } else {
        return source;
    }
}

#if defined(__SSE2__)
// Two pixels' alpha lanes spread over their four channels.
inline __m128i alphaOf(__m128i pixels16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}

// blendOne for two pixels widened to 16-bit lanes.
template <BlendKind Kind>
inline __m128i blendHalf(__m128i src16, __m128i dst16) {
    using K = BlendKind;
    const __m128i sa = alphaOf(src16);
    const __m128i full = _mm_set1_epi16(255);
    const __m128i alphaLane = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    if constexpr (Kind == K::Normal || Kind == K::Darken) {
        const __m128i src = Kind == K::Normal ? _mm_or_si128(src16, alphaLane) : alphaLane;
        return div255Epi16(_mm_add_epi16(_mm_mullo_epi16(src, sa),
                                         _mm_mullo_epi16(dst16, _mm_sub_epi16(full, sa))));
    } else {
        const __m128i added = div255Epi16(_mm_mullo_epi16(_mm_or_si128(src16, alphaLane), sa));
        // The target keeps its colour in full and its alpha by (1 − source alpha).
        const __m128i keep = _mm_or_si128(_mm_andnot_si128(alphaLane, full),
                                          _mm_and_si128(alphaLane, _mm_sub_epi16(full, sa)));
        const __m128i kept = div255Epi16(_mm_mullo_epi16(dst16, keep));
        return _mm_adds_epu16(added, kept);
    }
}

// Blends four source pixels over four target pixels.
template <BlendKind Kind>
SP_ALWAYS_INLINE void blendFour(uint32_t* target, __m128i src) {
    const __m128i zero = _mm_setzero_si128();
    // Nothing to do where all four are fully transparent.
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(src, 24), zero)) == 0xFFFF) return;
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target));
    const __m128i low = blendHalf<Kind>(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero));
    const __m128i high =
        blendHalf<Kind>(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target), _mm_packus_epi16(low, high));
}
#endif

#if defined(__SSE2__)
// blendFour for the first `count` (1 … 3) pixels only: the others are neither
// read nor written. The pixels go in and out through registers.
template <BlendKind Kind>
SP_ALWAYS_INLINE void blendFourMasked(uint32_t* target, const uint32_t* source, int count) {
    auto load = [count](const uint32_t* p) {
        if (count == 1) return _mm_cvtsi32_si128(static_cast<int>(p[0]));
        const __m128i pair = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        if (count == 2) return pair;
        return _mm_unpacklo_epi64(pair, _mm_cvtsi32_si128(static_cast<int>(p[2])));
    };
    alignas(16) uint32_t block[4];
    const __m128i src = load(source);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(src, 24), _mm_setzero_si128())) == 0xFFFF)
        return;
    _mm_store_si128(reinterpret_cast<__m128i*>(block), load(target));
    blendFour<Kind>(block, src);
    const __m128i out = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
    if (count == 1) {
        target[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(out));
    } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(target), out);
        if (count == 3)
            target[2] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(out, 8)));
    }
}

#endif
// The pixel paths of the span shader: how many pixels a step blends, and how.
// `count` is at most the width; a shorter step is a masked one.
struct ScalarPixels {
    static constexpr int kWidth = 1;
    static constexpr bool kBulkSampling = false;
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blend(uint32_t* target, const uint32_t* source, int count) {
        for (int i = 0; i < count; ++i) target[i] = blendOne<Kind>(source[i], target[i]);
    }
    // The same for `count` pixels that `fetch` makes one after the other.
    template <BlendKind Kind, class Fetch>
    static SP_ALWAYS_INLINE void blendFetched(uint32_t* target, Fetch& fetch, int count) {
        for (int i = 0; i < count; ++i) target[i] = blendOne<Kind>(fetch(), target[i]);
    }
};

#if defined(__SSE2__)
struct Sse2Pixels {
    static constexpr int kWidth = 4;
    static constexpr bool kBulkSampling = false;
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blend(uint32_t* target, const uint32_t* source, int count) {
        if (count == 4) {
            blendFour<Kind>(target, _mm_loadu_si128(reinterpret_cast<const __m128i*>(source)));
        } else {
            blendFourMasked<Kind>(target, source, count);
        }
    }
    // Whole steps go from the fetches straight into a register, not through memory.
    template <BlendKind Kind, class Fetch>
    static SP_ALWAYS_INLINE void blendFetched(uint32_t* target, Fetch& fetch, int count) {
        if (count == 4) {
            const int t0 = static_cast<int>(fetch()), t1 = static_cast<int>(fetch()),
                      t2 = static_cast<int>(fetch()), t3 = static_cast<int>(fetch());
            blendFour<Kind>(target, _mm_set_epi32(t3, t2, t1, t0));
            return;
        }
        uint32_t sources[4];
        for (int i = 0; i < count; ++i) sources[i] = fetch();
        blendFourMasked<Kind>(target, sources, count);
    }
};
#endif

// Blends a run of source pixels over the target with one of the common blends.
template <class Pixels, BlendKind Kind>
SP_ALWAYS_INLINE void blendRun(uint32_t* target, const uint32_t* source, int count) {
    if constexpr (Kind == BlendKind::Copy) {
        std::copy(source, source + count, target);
    } else {
        for (int i = 0; i < count; i += Pixels::kWidth)
            Pixels::template blend<Kind>(target + i, source + i,
                                         std::min(Pixels::kWidth, count - i));
    }
}

}  // namespace
}  // namespace sp::render::detail
