// The row loops of the pixel paths every x86-64 processor has: one pixel a step
// and, with SSE2, four.
#include "render/span_shading.h"

namespace sp::render::detail {

RowLoops pickScalarRows(const RasterState& state) {
    return pickRows<ScalarPixels>(state);
}

RowLoops pickSse2Rows(const RasterState& state) {
#if defined(__SSE2__)
    return pickRows<Sse2Pixels>(state);
#else
    return pickRows<ScalarPixels>(state);
#endif
}

PixelPath bestPixelPath() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl"))
        return PixelPath::Avx512;
    if (__builtin_cpu_supports("avx2")) return PixelPath::Avx2;
#endif
#if defined(__SSE2__)
    return PixelPath::Sse2;
#else
    return PixelPath::Scalar;
#endif
}

}  // namespace sp::render::detail
