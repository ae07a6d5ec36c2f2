// The row loops of the sixteen-pixel path, compiled for processors with AVX-512 and
// chosen at run time only where the processor has it (F, BW and VL).
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
#pragma GCC target("avx2,avx512f,avx512bw,avx512vl")
// GCC 12's own AVX-512 intrinsics start registers from undefined values, which
// it then warns of wherever they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "render/blend_avx512.h"
#include "render/span_shading.h"

namespace sp::render::detail {

RowLoops pickAvx512Rows(const RasterState& state) {
    return pickRows<Avx512Pixels>(state);
}

}  // namespace sp::render::detail
#pragma GCC diagnostic pop
#pragma GCC pop_options

#else

namespace sp::render::detail {

RowLoops pickAvx512Rows(const RasterState& state) {
    return pickAvx2Rows(state);
}

}  // namespace sp::render::detail
#endif
