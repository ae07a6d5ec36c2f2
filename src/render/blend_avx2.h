#pragma once

// The common blends eight pixels at a time, for processors with AVX2. The same
// integer arithmetic as blendFour in blend_ops.h, in the 16-bit lanes of 256-bit
// registers; the unpacking and packing work within each 128-bit half, so the
// pixels come back in their order. Included only by the file compiled for AVX2.

#include <immintrin.h>

#include <algorithm>
#include <cstdint>

#include "render/always_inline.h"
#include "render/raster_state.h"
#include "render/texel_sampling.h"

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

// x / 255 rounded, for lanes of at most 65025: ((x + 128) · 257) >> 16 is
// exactly (t + (t >> 8)) >> 8 with t = x + 128, in one multiply.
inline __m256i div255Epi16x2(__m256i x) {
    return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

// blendHalf of blend_ops.h for four pixels widened to 16-bit lanes.
template <BlendKind Kind>
SP_ALWAYS_INLINE __m256i blendQuarter(__m256i src16, __m256i dst16) {
    using K = BlendKind;
    // Each pixel's alpha lane in all four of its lanes, in one shuffle.
    const __m256i sa = _mm256_shuffle_epi8(
        src16, _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6, 7,
                                6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15));
    const __m256i full = _mm256_set1_epi16(255);
    const __m256i alphaLane =
        _mm256_set_epi16(255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0);
    if constexpr (Kind == K::Normal || Kind == K::Darken) {
        const __m256i src = Kind == K::Normal ? _mm256_or_si256(src16, alphaLane) : alphaLane;
        return div255Epi16x2(_mm256_add_epi16(
            _mm256_mullo_epi16(src, sa), _mm256_mullo_epi16(dst16, _mm256_sub_epi16(full, sa))));
    } else {
        const __m256i added =
            div255Epi16x2(_mm256_mullo_epi16(_mm256_or_si256(src16, alphaLane), sa));
        const __m256i keep =
            _mm256_or_si256(_mm256_andnot_si256(alphaLane, full),
                            _mm256_and_si256(alphaLane, _mm256_sub_epi16(full, sa)));
        const __m256i kept = div255Epi16x2(_mm256_mullo_epi16(dst16, keep));
        return _mm256_adds_epu16(added, kept);
    }
}

// The bytes of four of eight pixels (0, 1, 4, 5, or with High 2, 3, 6, 7) in 16-bit lanes.
template <bool High>
SP_ALWAYS_INLINE __m256i widen(__m256i pixels) {
    return High ? _mm256_unpackhi_epi8(pixels, _mm256_setzero_si256())
                : _mm256_unpacklo_epi8(pixels, _mm256_setzero_si256());
}

// (p · (256 − w) + q · w + 128) / 256 in each 16-bit lane.
SP_ALWAYS_INLINE __m256i mixLanes(__m256i p, __m256i q, __m256i weight) {
    const __m256i mixed =
        _mm256_add_epi16(_mm256_mullo_epi16(p, _mm256_sub_epi16(_mm256_set1_epi16(256), weight)),
                         _mm256_mullo_epi16(q, weight));
    return _mm256_srli_epi16(_mm256_add_epi16(mixed, _mm256_set1_epi16(128)), 8);
}

// Four pixels of a linear sample: the two texels of each row mixed across, then the rows.
template <bool High>
SP_ALWAYS_INLINE __m256i mixQuarter(__m256i a0, __m256i a1, __m256i b0, __m256i b1, __m256i wx,
                                    __m256i wy) {
    const __m256i across = widen<High>(wx);
    return mixLanes(mixLanes(widen<High>(a0), widen<High>(a1), across),
                    mixLanes(widen<High>(b0), widen<High>(b1), across), widen<High>(wy));
}

// Eight pairs of texels, gathered as 64-bit lanes (four in each register),
// parted into the first and second texel of each pair, in pixel order.
SP_ALWAYS_INLINE void partPairs(__m256i low, __m256i high, __m256i& first, __m256i& second) {
    const __m256 l = _mm256_castsi256_ps(low), h = _mm256_castsi256_ps(high);
    first = _mm256_permute4x64_epi64(
        _mm256_castps_si256(_mm256_shuffle_ps(l, h, _MM_SHUFFLE(2, 0, 2, 0))),
        _MM_SHUFFLE(3, 1, 2, 0));
    second = _mm256_permute4x64_epi64(
        _mm256_castps_si256(_mm256_shuffle_ps(l, h, _MM_SHUFFLE(3, 1, 3, 1))),
        _MM_SHUFFLE(3, 1, 2, 0));
}

// How sampleEight() fetches: every lane, with AVX2's gathers.
struct EveryLane {
    // The texels at eight indices.
    SP_ALWAYS_INLINE __m256i texels(const int* texels, __m256i index) const {
        return _mm256_i32gather_epi32(texels, index, 4);
    }
    // The texels at eight indices and the ones after them, each in pixel order.
    SP_ALWAYS_INLINE void pairs(const int* texels, __m256i index, __m256i& first,
                                __m256i& second) const {
        const auto* base = reinterpret_cast<const long long*>(texels);
        partPairs(_mm256_i32gather_epi64(base, _mm256_castsi256_si128(index), 4),
                  _mm256_i32gather_epi64(base, _mm256_extracti128_si256(index, 1), 4), first,
                  second);
    }
    // Whether any lane's index is the last of its texture row.
    SP_ALWAYS_INLINE bool anyAt(__m256i x, __m256i last) const {
        const __m256i at = _mm256_cmpeq_epi32(x, last);
        return !_mm256_testz_si256(at, at);
    }
};

// Eight texels of a wrapping power-of-two texture at once, by the arithmetic of
// samplePointWrapped and sampleLinearWrapped in texel_sampling.h. Positions are
// texture coordinates in texels × 2^8 (the 24 bits above the fixed point's
// lowest 24), which holds every texel index of a texture under 2^24 wide.
// `fetch` gathers the texels (EveryLane, or the lanes of a mask).
template <TextureFilter Filter, class Fetch = EveryLane>
SP_ALWAYS_INLINE __m256i sampleEight(const WrappedTexture& t, __m256i pu, __m256i pv,
                                     const Fetch& fetch = {}) {
    const __m256i widthMask = _mm256_set1_epi32(static_cast<int>(t.widthMask));
    const __m256i heightMask = _mm256_set1_epi32(static_cast<int>(t.heightMask));
    const __m128i shift = _mm_cvtsi32_si128(t.widthShift);
    const int* texels = reinterpret_cast<const int*>(t.texels);
    const __m256i x0 = _mm256_and_si256(_mm256_srli_epi32(pu, 8), widthMask);
    const __m256i y0 = _mm256_and_si256(_mm256_srli_epi32(pv, 8), heightMask);
    const __m256i rowA = _mm256_sll_epi32(y0, shift);
    if constexpr (Filter == TextureFilter::Point) {
        return fetch.texels(texels, _mm256_or_si256(rowA, x0));
    } else {
        const __m256i one = _mm256_set1_epi32(1);
        const __m256i rowB =
            _mm256_sll_epi32(_mm256_and_si256(_mm256_add_epi32(y0, one), heightMask), shift);
        __m256i a0, a1, b0, b1;
        if (!fetch.anyAt(x0, widthMask)) {
            // No pixel's pair of texels wraps around the right edge: each pair is
            // fetched at once, half as many loads as texels.
            fetch.pairs(texels, _mm256_or_si256(rowA, x0), a0, a1);
            fetch.pairs(texels, _mm256_or_si256(rowB, x0), b0, b1);
        } else {
            const __m256i x1 = _mm256_and_si256(_mm256_add_epi32(x0, one), widthMask);
            a0 = fetch.texels(texels, _mm256_or_si256(rowA, x0));
            a1 = fetch.texels(texels, _mm256_or_si256(rowA, x1));
            b0 = fetch.texels(texels, _mm256_or_si256(rowB, x0));
            b1 = fetch.texels(texels, _mm256_or_si256(rowB, x1));
        }
        // Each pixel's weight (the position's lowest byte) in all four of its bytes.
        const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12,
                                                0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12);
        const __m256i wx = _mm256_shuffle_epi8(pu, spread), wy = _mm256_shuffle_epi8(pv, spread);
        const __m256i low = mixQuarter<false>(a0, a1, b0, b1, wx, wy);
        const __m256i high = mixQuarter<true>(a0, a1, b0, b1, wx, wy);
        return _mm256_packus_epi16(low, high);
    }
}

// 0, 1, 2 and 3 steps, in 64-bit lanes (wrapping, as positions step).
SP_ALWAYS_INLINE __m256i firstSteps(uint64_t step) {
    return _mm256_setr_epi64x(0, static_cast<long long>(step), static_cast<long long>(2 * step),
                              static_cast<long long>(3 * step));
}

// Bits 24 … 55 of eight 64-bit texture positions (four in each register), in order.
SP_ALWAYS_INLINE __m256i positionsOf(__m256i low, __m256i high) {
    const __m256 packed = _mm256_shuffle_ps(_mm256_castsi256_ps(_mm256_srli_epi64(low, 24)),
                                            _mm256_castsi256_ps(_mm256_srli_epi64(high, 24)),
                                            _MM_SHUFFLE(2, 0, 2, 0));
    return _mm256_permute4x64_epi64(_mm256_castps_si256(packed), _MM_SHUFFLE(3, 1, 2, 0));
}

// Texel × diffuse for eight texels, with the rounding of modulate() in blend_ops.h.
SP_ALWAYS_INLINE __m256i modulateEight(__m256i texels, __m256i diffuse) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = div255Epi16x2(_mm256_mullo_epi16(_mm256_unpacklo_epi8(texels, zero),
                                                         _mm256_unpacklo_epi8(diffuse, zero)));
    const __m256i high = div255Epi16x2(_mm256_mullo_epi16(_mm256_unpackhi_epi8(texels, zero),
                                                          _mm256_unpackhi_epi8(diffuse, zero)));
    return _mm256_packus_epi16(low, high);
}

struct Avx2Pixels {
    static constexpr int kWidth = 8;
    // Textures are sampled eight texels at a time, from positions made beforehand.
    static constexpr bool kBulkSampling = true;
    // A strip's outlines are walked a row at a time.
    static constexpr bool kWalksEightRows = false;

    // Sources for `count` pixels from their positions, modulated by `diffuse`;
    // up to seven positions past `count` are read and as many sources written.
    template <TextureFilter Filter>
    static SP_ALWAYS_INLINE void sample(const WrappedTexture& t, const uint32_t* pu,
                                        const uint32_t* pv, uint32_t diffuse, uint32_t* sources,
                                        int count) {
        const bool white = diffuse == 0xFFFFFFFFu;
        const __m256i colour = _mm256_set1_epi32(static_cast<int>(diffuse));
        for (int i = 0; i < count; i += 8) {
            __m256i s =
                sampleEight<Filter>(t, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pu + i)),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pv + i)));
            if (!white) s = modulateEight(s, colour);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(sources + i), s);
        }
    }

    // The first `count` (1 … 8) pixels; a shorter step neither reads nor writes
    // the target beyond them.
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blend(uint32_t* target, const uint32_t* source, int count) {
        const __m256i lane = _mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0);
        const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(count), lane);
        const __m256i src = count == 8
                                ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source))
                                : _mm256_maskload_epi32(reinterpret_cast<const int*>(source), mask);
        blendRegister<Kind>(target, src, count, mask);
    }

    // blend() for sources in a register; `mask` selects the first `count` lanes.
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blendRegister(uint32_t* target, __m256i src, int count,
                                               __m256i mask) {
        const __m256i zero = _mm256_setzero_si256();
        const bool whole = count == 8;
        // Nothing to do where all are fully transparent.
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_srli_epi32(src, 24), zero)) == -1)
            return;
        const __m256i dst = whole
                                ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target))
                                : _mm256_maskload_epi32(reinterpret_cast<const int*>(target), mask);
        const __m256i low =
            blendQuarter<Kind>(_mm256_unpacklo_epi8(src, zero), _mm256_unpacklo_epi8(dst, zero));
        const __m256i high =
            blendQuarter<Kind>(_mm256_unpackhi_epi8(src, zero), _mm256_unpackhi_epi8(dst, zero));
        const __m256i out = _mm256_packus_epi16(low, high);
        if (whole) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), out);
        } else {
            _mm256_maskstore_epi32(reinterpret_cast<int*>(target), mask, out);
        }
    }

    // How texture positions step along a span, the same on every row of an outline.
    struct Steps {
        __m256i uLow, uHigh, vLow, vHigh;  // 0 … 3 and 4 … 7 steps
        uint64_t du, dv;                   // a step of eight pixels
    };
    static SP_ALWAYS_INLINE Steps stepsOf(uint64_t dtu, uint64_t dtv) {
        const __m256i uLow = firstSteps(dtu), vLow = firstSteps(dtv);
        return {
            uLow,    _mm256_add_epi64(uLow, _mm256_set1_epi64x(static_cast<long long>(4 * dtu))),
            vLow,    _mm256_add_epi64(vLow, _mm256_set1_epi64x(static_cast<long long>(4 * dtv))),
            8 * dtu, 8 * dtv};
    }

    // A whole span of a wrapping texture, from texture position (tu, tv) stepped
    // a pixel at a time, sampled, modulated and blended eight pixels a step,
    // with the positions made in registers.
    template <BlendKind Kind, TextureFilter Filter>
    static SP_ALWAYS_INLINE void sampleAndBlend(const WrappedTexture& t, const Steps& steps,
                                                uint64_t tu, uint64_t tv, uint32_t diffuse,
                                                uint32_t* target, int count) {
        const bool white = diffuse == 0xFFFFFFFFu;
        const __m256i colour = _mm256_set1_epi32(static_cast<int>(diffuse));
        const __m256i uLow = steps.uLow, uHigh = steps.uHigh, vLow = steps.vLow,
                      vHigh = steps.vHigh;
        const __m256i lane = _mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0);
        for (int x = 0; x < count; x += 8) {
            const __m256i u = _mm256_set1_epi64x(static_cast<long long>(tu));
            const __m256i v = _mm256_set1_epi64x(static_cast<long long>(tv));
            __m256i s = sampleEight<Filter>(
                t, positionsOf(_mm256_add_epi64(u, uLow), _mm256_add_epi64(u, uHigh)),
                positionsOf(_mm256_add_epi64(v, vLow), _mm256_add_epi64(v, vHigh)));
            if (!white) s = modulateEight(s, colour);
            const int n = std::min(8, count - x);
            blendRegister<Kind>(target + x, s, n, _mm256_cmpgt_epi32(_mm256_set1_epi32(n), lane));
            tu += steps.du;
            tv += steps.dv;
        }
    }

    // Whole steps go from the fetches straight into a register, not through memory.
    template <BlendKind Kind, class Fetch>
    static SP_ALWAYS_INLINE void blendFetched(uint32_t* target, Fetch& fetch, int count) {
        alignas(32) uint32_t sources[8];
        if (count == 8) {
            int t[8];
            for (int& texel : t) texel = static_cast<int>(fetch());
            const __m256i src = _mm256_set_epi32(t[7], t[6], t[5], t[4], t[3], t[2], t[1], t[0]);
            _mm256_store_si256(reinterpret_cast<__m256i*>(sources), src);
        } else {
            for (int i = 0; i < count; ++i) sources[i] = fetch();
        }
        blend<Kind>(target, sources, count);
    }
};

}  // namespace
}  // namespace sp::render::detail
