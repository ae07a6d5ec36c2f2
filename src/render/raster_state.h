#pragma once

// What the rasteriser needs to draw one primitive, copied out of the device so
// that the drawing can be replayed later, on any thread, for any band of rows.

#include <cstdint>

#include "render/device.h"
#include "render/texture.h"

namespace sp::render {

// How many pixels the span shader blends at a step. Every path gives the very
// same pixels; a device starts with the widest the processor has.
enum class PixelPath { Scalar, Sse2, Avx2, Avx512 };

// The blend combinations the drawing uses, each exactly equal to the general rule.
enum class BlendKind { Normal, Additive, Darken, Copy, General };

struct RasterState {
    BlendFactor colourSource = BlendFactor::SrcAlpha;
    BlendFactor colourDestination = BlendFactor::InvSrcAlpha;
    BlendFactor alphaSource = BlendFactor::One;
    BlendFactor alphaDestination = BlendFactor::One;
    TextureFilter filter = TextureFilter::Point;
    TextureAddress address = TextureAddress::Wrap;
    const Texture* texture = nullptr;
    bool transparentLeavesTarget = false;
    bool fastPaths = true;
    PixelPath path = PixelPath::Scalar;
};

namespace detail {

struct RowEdge;

// The rows of one convex outline, prepared once and shaded a row at a time.
struct RowSetup {
    const RowEdge* edges;
    int count;
    int yStart, yEnd;   // the outline's rows; texture positions count from yStart
    int yFirst, yLast;  // the rows drawn: the outline's within the band being drawn
    int xLimitLo, xLimitHi;
    int rowFirst, rowLast;  // the rows whose centres lie within the outline's height
    int topRow, bottomRow;  // the rows whose centres are its top or bottom, or none
    int64_t rowU, rowV, rowStepU, rowStepV, dtu, dtv;
    bool constantDiffuse;
    uint32_t diffuse;
    double colDx[4], colDy[4], colC[4];
};

using RowRasteriser = void (*)(const RasterState&, Texture& target, const RowSetup&);
// Draws several outlines in their order, a row of all of them at a time.
using StripRasteriser = void (*)(const RasterState&, Texture& target, const RowSetup* outlines,
                                 int count);

struct RowLoops {
    RowRasteriser outline;
    StripRasteriser strip;
};

// The row loops for the state's blend, filter, address and texture, on one pixel path.
RowLoops pickScalarRows(const RasterState& state);
RowLoops pickSse2Rows(const RasterState& state);
RowLoops pickAvx2Rows(const RasterState& state);
RowLoops pickAvx512Rows(const RasterState& state);

// The widest path this processor runs.
PixelPath bestPixelPath();

// Draws a triangle strip's rows yLo … yHi (clipped to the target) into the target.
void drawStripRows(const RasterState& state, Texture& target, const ParticleVertex* vertices,
                   std::size_t count, int yLo, int yHi);

}  // namespace detail
}  // namespace sp::render
