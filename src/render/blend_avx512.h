#pragma once

// The common blends and the sampling of wrapping textures sixteen pixels at a
// time, for processors with AVX-512 (F, BW and VL). The arithmetic of
// blend_avx2.h lane for lane, in 512-bit registers whose unpacking and packing
// work within each 128-bit quarter as there; a short step is a masked one.
// Included only by the file compiled for that processor.

#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cstdint>

#include "render/always_inline.h"
#include "render/blend_avx2.h"
#include "render/outline_rows.h"
#include "render/raster_state.h"
#include "render/texel_sampling.h"

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

// x / 255 rounded, for lanes of at most 65025: ((x + 128) · 257) >> 16 is
// exactly (t + (t >> 8)) >> 8 with t = x + 128, in one multiply.
inline __m512i div255Epi16x4(__m512i x) {
    return _mm512_mulhi_epu16(_mm512_add_epi16(x, _mm512_set1_epi16(128)), _mm512_set1_epi16(257));
}

// The alpha lane of every pixel widened to four 16-bit lanes.
SP_ALWAYS_INLINE __m512i alphaLanes() {
    return _mm512_set1_epi64(0x00FF000000000000ll);
}

// blendQuarter of blend_avx2.h for eight pixels in 16-bit lanes.
template <BlendKind Kind>
SP_ALWAYS_INLINE __m512i blendEighth(__m512i src16, __m512i dst16) {
    using K = BlendKind;
    // Each pixel's alpha lane in all four of its lanes, in one shuffle.
    const __m512i sa =
        _mm512_shuffle_epi8(src16, _mm512_broadcast_i32x4(_mm_setr_epi8(
                                       6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15)));
    const __m512i full = _mm512_set1_epi16(255);
    const __m512i alphaLane = alphaLanes();
    if constexpr (Kind == K::Normal || Kind == K::Darken) {
        const __m512i src = Kind == K::Normal ? _mm512_or_si512(src16, alphaLane) : alphaLane;
        return div255Epi16x4(_mm512_add_epi16(
            _mm512_mullo_epi16(src, sa), _mm512_mullo_epi16(dst16, _mm512_sub_epi16(full, sa))));
    } else {
        const __m512i added =
            div255Epi16x4(_mm512_mullo_epi16(_mm512_or_si512(src16, alphaLane), sa));
        const __m512i keep =
            _mm512_or_si512(_mm512_andnot_si512(alphaLane, full),
                            _mm512_and_si512(alphaLane, _mm512_sub_epi16(full, sa)));
        const __m512i kept = div255Epi16x4(_mm512_mullo_epi16(dst16, keep));
        return _mm512_adds_epu16(added, kept);
    }
}

// (p · (256 − w) + q · w + 128) / 256 in each 16-bit lane.
SP_ALWAYS_INLINE __m512i mixLanes16(__m512i p, __m512i q, __m512i weight) {
    const __m512i mixed =
        _mm512_add_epi16(_mm512_mullo_epi16(p, _mm512_sub_epi16(_mm512_set1_epi16(256), weight)),
                         _mm512_mullo_epi16(q, weight));
    return _mm512_srli_epi16(_mm512_add_epi16(mixed, _mm512_set1_epi16(128)), 8);
}

template <bool High>
SP_ALWAYS_INLINE __m512i widen16(__m512i pixels) {
    return High ? _mm512_unpackhi_epi8(pixels, _mm512_setzero_si512())
                : _mm512_unpacklo_epi8(pixels, _mm512_setzero_si512());
}

template <bool High>
SP_ALWAYS_INLINE __m512i mixEighth(__m512i a0, __m512i a1, __m512i b0, __m512i b1, __m512i wx,
                                   __m512i wy) {
    const __m512i across = widen16<High>(wx);
    return mixLanes16(mixLanes16(widen16<High>(a0), widen16<High>(a1), across),
                      mixLanes16(widen16<High>(b0), widen16<High>(b1), across), widen16<High>(wy));
}

// A gather costs about as much as the lanes it has, whether they are masked or
// not: a step of twelve pixels or fewer takes eight and four lanes, not sixteen.
SP_ALWAYS_INLINE __m512i texelsAt(const int* texels, __m512i index, __mmask16 lanes) {
    if ((lanes >> 12) == 0) {
        const __m256i low =
            _mm256_mmask_i32gather_epi32(_mm256_setzero_si256(), static_cast<__mmask8>(lanes),
                                         _mm512_castsi512_si256(index), texels, 4);
        const __m128i high =
            _mm_mmask_i32gather_epi32(_mm_setzero_si128(), static_cast<__mmask8>(lanes >> 8),
                                      _mm512_extracti32x4_epi32(index, 2), texels, 4);
        return _mm512_inserti32x4(_mm512_castsi256_si512(low), high, 2);
    }
    return _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, index, texels, 4);
}

// The texels at sixteen indices and the ones after them, each in pixel order;
// only the lanes of `lanes` are fetched, the others left zero.
SP_ALWAYS_INLINE void pairsOf16(const int* texels, __m512i index, __mmask16 lanes, __m512i& first,
                                __m512i& second) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i low = _mm512_mask_i32gather_epi64(zero, static_cast<__mmask8>(lanes),
                                                    _mm512_castsi512_si256(index), texels, 4);
    const __m512i high = _mm512_mask_i32gather_epi64(
        zero, static_cast<__mmask8>(lanes >> 8), _mm512_extracti64x4_epi64(index, 1), texels, 4);
    const __m512i evens =
        _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    first = _mm512_permutex2var_epi32(low, evens, high);
    second = _mm512_permutex2var_epi32(low, _mm512_add_epi32(evens, _mm512_set1_epi32(1)), high);
}

// Sixteen texels of a wrapping power-of-two texture, by the arithmetic of
// sampleEight in blend_avx2.h; only the lanes of `lanes` are fetched (a short
// step reads nothing past its pixels), the others are left zero.
template <TextureFilter Filter>
SP_ALWAYS_INLINE __m512i sampleSixteen(const WrappedTexture& t, __m512i pu, __m512i pv,
                                       __mmask16 lanes) {
    const __m512i widthMask = _mm512_set1_epi32(static_cast<int>(t.widthMask));
    const __m512i heightMask = _mm512_set1_epi32(static_cast<int>(t.heightMask));
    const __m128i shift = _mm_cvtsi32_si128(t.widthShift);
    const int* texels = reinterpret_cast<const int*>(t.texels);
    const __m512i x0 = _mm512_and_si512(_mm512_srli_epi32(pu, 8), widthMask);
    const __m512i y0 = _mm512_and_si512(_mm512_srli_epi32(pv, 8), heightMask);
    const __m512i rowA = _mm512_sll_epi32(y0, shift);
    if constexpr (Filter == TextureFilter::Point) {
        return texelsAt(texels, _mm512_or_si512(rowA, x0), lanes);
    } else {
        const __m512i one = _mm512_set1_epi32(1);
        const __m512i rowB =
            _mm512_sll_epi32(_mm512_and_si512(_mm512_add_epi32(y0, one), heightMask), shift);
        __m512i a0, a1, b0, b1;
        if (_mm512_mask_cmpeq_epi32_mask(lanes, x0, widthMask) == 0) {
            // No pixel's pair of texels wraps around the right edge.
            pairsOf16(texels, _mm512_or_si512(rowA, x0), lanes, a0, a1);
            pairsOf16(texels, _mm512_or_si512(rowB, x0), lanes, b0, b1);
        } else {
            const __m512i x1 = _mm512_and_si512(_mm512_add_epi32(x0, one), widthMask);
            a0 = texelsAt(texels, _mm512_or_si512(rowA, x0), lanes);
            a1 = texelsAt(texels, _mm512_or_si512(rowA, x1), lanes);
            b0 = texelsAt(texels, _mm512_or_si512(rowB, x0), lanes);
            b1 = texelsAt(texels, _mm512_or_si512(rowB, x1), lanes);
        }
        // Each pixel's weight (the position's lowest byte) in all four of its bytes.
        const __m512i spread = _mm512_broadcast_i32x4(
            _mm_setr_epi8(0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12));
        const __m512i wx = _mm512_shuffle_epi8(pu, spread), wy = _mm512_shuffle_epi8(pv, spread);
        const __m512i low = mixEighth<false>(a0, a1, b0, b1, wx, wy);
        const __m512i high = mixEighth<true>(a0, a1, b0, b1, wx, wy);
        return _mm512_packus_epi16(low, high);
    }
}

// Texel × diffuse for sixteen texels, with the rounding of modulate() in blend_ops.h.
SP_ALWAYS_INLINE __m512i modulateSixteen(__m512i texels, __m512i diffuse) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i low = div255Epi16x4(_mm512_mullo_epi16(_mm512_unpacklo_epi8(texels, zero),
                                                         _mm512_unpacklo_epi8(diffuse, zero)));
    const __m512i high = div255Epi16x4(_mm512_mullo_epi16(_mm512_unpackhi_epi8(texels, zero),
                                                          _mm512_unpackhi_epi8(diffuse, zero)));
    return _mm512_packus_epi16(low, high);
}

// first · step … (first + 7) · step in 64-bit lanes, wrapping as positions step.
SP_ALWAYS_INLINE __m512i stepsFrom(int first, uint64_t step) {
    const __m512i k =
        _mm512_add_epi64(_mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7), _mm512_set1_epi64(first));
    const __m512i s = _mm512_set1_epi64(static_cast<long long>(step));
    // k · step modulo 2^64 from the two 32-bit halves of the step.
    return _mm512_add_epi64(_mm512_mul_epu32(k, s),
                            _mm512_slli_epi64(_mm512_mul_epu32(k, _mm512_srli_epi64(s, 32)), 32));
}

// Texture positions are made from the position and its steps taken eight bits
// up (modulo 2^64, as they step), so that bits 24 … 55 of each are the upper
// half of its 64-bit lane: one permute picks them, where shifting and
// narrowing each lane would take several shuffles.
SP_ALWAYS_INLINE __m512i raisedPosition(uint64_t position) {
    return _mm512_set1_epi64(static_cast<long long>(position << 8));
}
SP_ALWAYS_INLINE __m512i upperHalves(__m512i first, __m512i second) {
    return _mm512_permutex2var_epi32(
        first, _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31),
        second);
}

// Bits 24 … 55 of sixteen 64-bit texture positions, position + k · step for
// k = 0 … 15, from the raised steps of Avx512Pixels::Steps.
SP_ALWAYS_INLINE __m512i positionsOf16(uint64_t position, __m512i steps0, __m512i steps8) {
    const __m512i p = raisedPosition(position);
    return upperHalves(_mm512_add_epi64(p, steps0), _mm512_add_epi64(p, steps8));
}

// The first `count` of sixteen lanes.
SP_ALWAYS_INLINE __mmask16 firstLanes(int count) {
    return count >= 16 ? static_cast<__mmask16>(0xFFFF)
                       : static_cast<__mmask16>((1u << count) - 1u);
}

// The last few pixels of a span (eight or fewer) take the eight-pixel step
// of blend_avx2.h, with the masks of AVX-512: half the work of a sixteen-pixel
// step, and the same arithmetic lane for lane.
SP_ALWAYS_INLINE __mmask8 firstLanes8(int count) {
    return count >= 8 ? static_cast<__mmask8>(0xFF) : static_cast<__mmask8>((1u << count) - 1u);
}

// How sampleEight() of blend_avx2.h fetches for a short step: only the lanes
// of a mask, the others left zero.
struct MaskedLanes {
    __mmask8 lanes;
    // Four lanes or fewer take a gather of four (see texelsAt()).
    SP_ALWAYS_INLINE __m256i texels(const int* texels, __m256i index) const {
        if ((lanes >> 4) == 0)
            return _mm256_zextsi128_si256(_mm_mmask_i32gather_epi32(
                _mm_setzero_si128(), lanes, _mm256_castsi256_si128(index), texels, 4));
        return _mm256_mmask_i32gather_epi32(_mm256_setzero_si256(), lanes, index, texels, 4);
    }
    SP_ALWAYS_INLINE void pairs(const int* texels, __m256i index, __m256i& first,
                                __m256i& second) const {
        const auto* base = reinterpret_cast<const long long*>(texels);
        const __m256i zero = _mm256_setzero_si256();
        partPairs(_mm256_mmask_i32gather_epi64(zero, static_cast<__mmask8>(lanes & 0xF),
                                               _mm256_castsi256_si128(index), base, 4),
                  _mm256_mmask_i32gather_epi64(zero, static_cast<__mmask8>(lanes >> 4),
                                               _mm256_extracti128_si256(index, 1), base, 4),
                  first, second);
    }
    SP_ALWAYS_INLINE bool anyAt(__m256i x, __m256i last) const {
        return _mm256_mask_cmpeq_epi32_mask(lanes, x, last) != 0;
    }
};

// Eight sources in a register blended over the target on the lanes of `mask`.
template <BlendKind Kind>
SP_ALWAYS_INLINE void blendEightLanes(uint32_t* target, __m256i src, __mmask8 mask) {
    const __m256i zero = _mm256_setzero_si256();
    if ((_mm256_test_epi32_mask(src, _mm256_set1_epi32(static_cast<int>(0xFF000000u))) & mask) == 0)
        return;
    const __m256i dst = _mm256_maskz_loadu_epi32(mask, target);
    const __m256i low =
        blendQuarter<Kind>(_mm256_unpacklo_epi8(src, zero), _mm256_unpacklo_epi8(dst, zero));
    const __m256i high =
        blendQuarter<Kind>(_mm256_unpackhi_epi8(src, zero), _mm256_unpackhi_epi8(dst, zero));
    _mm256_mask_storeu_epi32(target, mask, _mm256_packus_epi16(low, high));
}

// Bits 24 … 55 of eight 64-bit texture positions, position + k · step for k = 0 … 7.
SP_ALWAYS_INLINE __m256i positionsOf8(uint64_t position, __m512i steps0) {
    const __m512i sums = _mm512_add_epi64(raisedPosition(position), steps0);
    return _mm512_castsi512_si256(upperHalves(sums, sums));
}

struct Avx512Pixels {
    static constexpr int kWidth = 16;
    // Textures are sampled sixteen texels at a time, from positions made beforehand.
    static constexpr bool kBulkSampling = true;

    // Sources for `count` pixels from their positions, modulated by `diffuse`;
    // up to fifteen positions past `count` are read and as many sources written.
    template <TextureFilter Filter>
    static SP_ALWAYS_INLINE void sample(const WrappedTexture& t, const uint32_t* pu,
                                        const uint32_t* pv, uint32_t diffuse, uint32_t* sources,
                                        int count) {
        const bool white = diffuse == 0xFFFFFFFFu;
        const __m512i colour = _mm512_set1_epi32(static_cast<int>(diffuse));
        int i = 0;
        for (; count - i > 8; i += 16) {
            __m512i s = sampleSixteen<Filter>(t, _mm512_loadu_si512(pu + i),
                                              _mm512_loadu_si512(pv + i), firstLanes(count - i));
            if (!white) s = modulateSixteen(s, colour);
            _mm512_storeu_si512(sources + i, s);
        }
        if (i < count) {
            __m256i s =
                sampleEight<Filter>(t, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pu + i)),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pv + i)),
                                    MaskedLanes{firstLanes8(count - i)});
            if (!white) s = modulateEight(s, _mm512_castsi512_si256(colour));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(sources + i), s);
        }
    }

    // The first `count` (1 … 16) pixels; a shorter step neither reads nor writes
    // the target beyond them.
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blend(uint32_t* target, const uint32_t* source, int count) {
        if (count <= 8) {
            const __mmask8 mask = firstLanes8(count);
            blendEightLanes<Kind>(target, _mm256_maskz_loadu_epi32(mask, source), mask);
            return;
        }
        const __mmask16 mask = firstLanes(count);
        blendRegister<Kind>(target, _mm512_maskz_loadu_epi32(mask, source), mask);
    }

    // blend() for sources in a register, on the lanes of `mask`.
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blendRegister(uint32_t* target, __m512i src, __mmask16 mask) {
        const __m512i zero = _mm512_setzero_si512();
        // Nothing to do where all are fully transparent.
        if ((_mm512_test_epi32_mask(src, _mm512_set1_epi32(static_cast<int>(0xFF000000u))) &
             mask) == 0)
            return;
        const __m512i dst = _mm512_maskz_loadu_epi32(mask, target);
        const __m512i low =
            blendEighth<Kind>(_mm512_unpacklo_epi8(src, zero), _mm512_unpacklo_epi8(dst, zero));
        const __m512i high =
            blendEighth<Kind>(_mm512_unpackhi_epi8(src, zero), _mm512_unpackhi_epi8(dst, zero));
        _mm512_mask_storeu_epi32(target, mask, _mm512_packus_epi16(low, high));
    }

    // How texture positions step along a span, the same on every row of an outline.
    struct Steps {
        __m512i u0, u8, v0, v8;  // 0 … 7 and 8 … 15 steps, raised for positionsOf16()
        uint64_t du, dv;         // a step of sixteen pixels
    };
    static SP_ALWAYS_INLINE Steps stepsOf(uint64_t dtu, uint64_t dtv) {
        return {stepsFrom(0, dtu << 8),
                stepsFrom(8, dtu << 8),
                stepsFrom(0, dtv << 8),
                stepsFrom(8, dtv << 8),
                16 * dtu,
                16 * dtv};
    }

    // Outlines are walked eight rows a step, with walkEightRows(); a strip's runs
    // are joined with joinEightRows(), and their positions made eight a step,
    // with positionsOfEight().
    static constexpr bool kWalksEightRows = true;
    // walkRowOf() of outline_rows.h for rows y … y + count - 1 (count ≤ 8) at
    // once, of a strip's outline or of one drawn alone, one row in each 64-bit
    // lane: x0[k] and x1[k] for row y + k, and bit k set where that row has pixels.
    template <class Walk>
    static SP_ALWAYS_INLINE unsigned walkEightRows(const Walk& w,
                                                   const WalkSteps<kEdgesOf<Walk>>& steps,
                                                   const RowSetup& rows, int y, int count, int* x0,
                                                   int* x1) {
        const __m256i at =
            _mm256_add_epi32(_mm256_set1_epi32(y), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        auto within = [&](int first, int last) {
            return static_cast<__mmask8>(
                _mm256_cmp_epi32_mask(at, _mm256_set1_epi32(first), _MM_CMPINT_NLT) &
                _mm256_cmp_epi32_mask(at, _mm256_set1_epi32(last), _MM_CMPINT_LE));
        };
        const __mmask8 inRows =
            static_cast<__mmask8>(firstLanes8(count) & within(w.rowFirst, w.rowLast));
        __mmask8 decide = 0xFF;  // where the full setup decides the row
        __m512i lo = _mm512_set1_epi64(w.xLimitLo), hi = _mm512_set1_epi64(w.xLimitHi);
        if (w.lean) {
            decide =
                static_cast<__mmask8>(_mm256_cmpeq_epi32_mask(at, _mm256_set1_epi32(w.topRow)) |
                                      _mm256_cmpeq_epi32_mask(at, _mm256_set1_epi32(w.bottomRow)));
            const __m512i fractionBits = _mm512_set1_epi64(0xFFFFFFFFll),
                          one = _mm512_set1_epi64(1);
            for (int e = 0; e < kEdgesOf<Walk>; ++e) {
                const WalkEdge& edge = w.edges[e];
                const __mmask8 active = within(edge.rowFirst, edge.rowLast);
                const uint64_t first = static_cast<uint64_t>(edge.start) +
                                       static_cast<uint64_t>(static_cast<int64_t>(y)) *
                                           static_cast<uint64_t>(edge.slope);
                const __m512i t = _mm512_add_epi64(_mm512_set1_epi64(static_cast<long long>(first)),
                                                   _mm512_loadu_si512(steps.lane[e]));
                const __m512i fraction = _mm512_and_si512(t, fractionBits);
                const __m512i near = _mm512_set1_epi64(static_cast<long long>(edge.tolerance));
                const __m512i far =
                    _mm512_set1_epi64(static_cast<long long>(0x100000000ull - edge.tolerance));
                decide |= static_cast<__mmask8>(
                    active & (_mm512_cmp_epu64_mask(fraction, near, _MM_CMPINT_LE) |
                              _mm512_cmp_epu64_mask(fraction, far, _MM_CMPINT_NLT)));
                const __m512i below = _mm512_srai_epi64(t, 32);
                if (edge.lower) {
                    lo = _mm512_mask_max_epi64(lo, active, lo, _mm512_add_epi64(below, one));
                } else {
                    hi = _mm512_mask_min_epi64(hi, active, hi, below);
                }
            }
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(x0), _mm512_cvtepi64_epi32(lo));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(x1), _mm512_cvtepi64_epi32(hi));
        unsigned withPixels =
            static_cast<unsigned>(inRows & ~decide & _mm512_cmp_epi64_mask(lo, hi, _MM_CMPINT_LE));
        for (unsigned left = inRows & decide; left != 0; left &= left - 1) {
            const int k = std::countr_zero(left);
            if (rowOf(rows, y + k, x0[k], x1[k])) withPixels |= 1u << k;
        }
        return withPixels;
    }

    // The join of drawByOutlines() in span_shading.h for the rows of `rows` (bit k
    // for row k), their runs' ends at lo[k] and hi[k] and their pixels x0[k] … x1[k],
    // side by side: the rows whose pixels go on ahead of their run's end, and those
    // that go on behind its start, come back as bits.
    static SP_ALWAYS_INLINE void joinEightRows(int* lo, int* hi, const int* x0, const int* x1,
                                               unsigned rows, unsigned& ahead, unsigned& behind) {
        const __mmask8 m = static_cast<__mmask8>(rows);
        const __m256i zero = _mm256_setzero_si256(), one = _mm256_set1_epi32(1);
        const __m256i runLo = _mm256_mask_loadu_epi32(zero, m, lo);
        const __m256i runHi = _mm256_mask_loadu_epi32(zero, m, hi);
        const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x0));
        const __m256i last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(x1));
        const __mmask8 open = static_cast<__mmask8>(
            m & ~_mm256_cmpeq_epi32_mask(runHi, _mm256_set1_epi32(kRunBroken)));
        const __mmask8 empty = static_cast<__mmask8>(
            open & _mm256_cmpeq_epi32_mask(runHi, _mm256_set1_epi32(kRunEmpty)));
        const __mmask8 onEnd = static_cast<__mmask8>(
            open & ~empty & _mm256_cmpeq_epi32_mask(first, _mm256_add_epi32(runHi, one)));
        const __mmask8 onStart = static_cast<__mmask8>(
            open & ~empty & ~onEnd & _mm256_cmpeq_epi32_mask(last, _mm256_sub_epi32(runLo, one)));
        const __mmask8 breaks = static_cast<__mmask8>(open & ~empty & ~onEnd & ~onStart);
        _mm256_mask_storeu_epi32(lo, static_cast<__mmask8>(empty | onStart), first);
        _mm256_mask_storeu_epi32(hi, static_cast<__mmask8>(empty | onEnd), last);
        _mm256_mask_storeu_epi32(hi, breaks, _mm256_set1_epi32(kRunBroken));
        ahead = static_cast<unsigned>(empty | onEnd);
        behind = onStart;
    }

    // The texture positions of eight pixels from position (tu, tv), as
    // makePositions() makes them.
    static SP_ALWAYS_INLINE void positionsOfEight(const Steps& steps, uint64_t tu, uint64_t tv,
                                                  uint32_t* pu, uint32_t* pv) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pu), positionsOf8(tu, steps.u0));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pv), positionsOf8(tv, steps.v0));
    }

    // A whole span of a wrapping texture, from texture position (tu, tv) stepped
    // a pixel at a time, sampled, modulated and blended sixteen pixels a step,
    // with the positions made in registers.
    template <BlendKind Kind, TextureFilter Filter>
    static SP_ALWAYS_INLINE void sampleAndBlend(const WrappedTexture& t, const Steps& steps,
                                                uint64_t tu, uint64_t tv, uint32_t diffuse,
                                                uint32_t* target, int count) {
        const bool white = diffuse == 0xFFFFFFFFu;
        const __m512i colour = _mm512_set1_epi32(static_cast<int>(diffuse));
        const __m512i u0 = steps.u0, u8 = steps.u8, v0 = steps.v0, v8 = steps.v8;
        int x = 0;
        for (; count - x > 8; x += 16) {
            __m512i s = sampleSixteen<Filter>(t, positionsOf16(tu, u0, u8),
                                              positionsOf16(tv, v0, v8), firstLanes(count - x));
            if (!white) s = modulateSixteen(s, colour);
            blendRegister<Kind>(target + x, s, firstLanes(count - x));
            tu += steps.du;
            tv += steps.dv;
        }
        if (x < count) {
            const __mmask8 lanes = firstLanes8(count - x);
            __m256i s = sampleEight<Filter>(t, positionsOf8(tu, u0), positionsOf8(tv, v0),
                                            MaskedLanes{lanes});
            if (!white) s = modulateEight(s, _mm512_castsi512_si256(colour));
            blendEightLanes<Kind>(target + x, s, lanes);
        }
    }

    template <BlendKind Kind, class Fetch>
    static SP_ALWAYS_INLINE void blendFetched(uint32_t* target, Fetch& fetch, int count) {
        alignas(64) uint32_t sources[16];
        for (int i = 0; i < count; ++i) sources[i] = fetch();
        blend<Kind>(target, sources, count);
    }
};

}  // namespace
}  // namespace sp::render::detail
