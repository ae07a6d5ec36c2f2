// The row loops of the eight-pixel path, compiled for processors with AVX2 and
// chosen at run time only where the processor has it.
//
// Everything with external linkage is included before the target changes, so
// that no inline function another file shares is compiled here with
// instructions that other processors lack; the row loops below, and the
// helpers inlined into them, are this file's own.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/device.h"
#include "render/raster_state.h"
#include "render/texture.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>

#include "render/row_edges.h"

#pragma GCC push_options
#pragma GCC target("avx2")
#include "render/blend_avx2.h"
#include "render/span_shading.h"

namespace sp::render::detail {

RowLoops pickAvx2Rows(const RasterState& state) {
    return pickRows<Avx2Pixels>(state);
}

}  // namespace sp::render::detail
#pragma GCC pop_options

#else

namespace sp::render::detail {

RowLoops pickAvx2Rows(const RasterState& state) {
    return pickSse2Rows(state);
}

}  // namespace sp::render::detail
#endif
