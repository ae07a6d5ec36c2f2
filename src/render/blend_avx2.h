#pragma once

// The common blends eight pixels at a time, for processors with AVX2. The same
// integer arithmetic as blendFour in blend_ops.h, in the 16-bit lanes of 256-bit
// registers; the unpacking and packing work within each 128-bit half, so the
// pixels come back in their order. Included only by the file compiled for AVX2.

#include <immintrin.h>

#include <cstdint>

#include "render/always_inline.h"
#include "render/raster_state.h"

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

inline __m256i div255Epi16x2(__m256i x) {
    const __m256i rounded = _mm256_add_epi16(x, _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(rounded, _mm256_srli_epi16(rounded, 8)), 8);
}

// blendHalf of blend_ops.h for four pixels widened to 16-bit lanes.
template <BlendKind Kind>
SP_ALWAYS_INLINE __m256i blendQuarter(__m256i src16, __m256i dst16) {
    using K = BlendKind;
    const __m256i sa = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(src16, 0xFF), 0xFF);
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

struct Avx2Pixels {
    static constexpr int kWidth = 8;

    // The first `count` (1 … 8) pixels; a shorter step neither reads nor writes
    // the target beyond them.
    template <BlendKind Kind>
    static SP_ALWAYS_INLINE void blend(uint32_t* target, const uint32_t* source, int count) {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i lane = _mm256_set_epi32(7, 6, 5, 4, 3, 2, 1, 0);
        const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(count), lane);
        const bool whole = count == 8;
        const __m256i src = whole
                                ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source))
                                : _mm256_maskload_epi32(reinterpret_cast<const int*>(source), mask);
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
