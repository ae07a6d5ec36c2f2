#pragma once

// The row loop and the span shader, written once for every pixel path: each
// file that includes this header instantiates them for its own paths (the
// AVX2 one compiled for that processor), and hands out the row loops through
// its pick function. The blends of a step come from the path's Pixels type.

#include <algorithm>
#include <cstdint>

#include "render/always_inline.h"
#include "render/blend_ops.h"
#include "render/pixel_channels.h"
#include "render/raster_state.h"
#include "render/row_edges.h"
#include "render/texel_sampling.h"

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h, and so that every
// file's instantiations stay its own.
namespace {

struct Span {
    // Set once per outline: how the texture is read.
    bool white = false;  // the colour is opaque white: texels need no modulation
    bool fastPoint = false, fastLinear = false;  // a wrapping power-of-two texture
    const uint32_t* texels = nullptr;
    uint64_t widthMask = 0, heightMask = 0;
    int widthShift = 0;
    // Set per row.
    uint32_t* row;
    int x0, x1;                // inclusive
    int64_t tu, tv, dtu, dtv;  // texture position and step in texels × 2^32
    bool constantDiffuse;
    uint32_t diffuse;
    float channel[4], step[4];  // a, r, g, b when the colour varies
};

SP_ALWAYS_INLINE int64_t stepped(int64_t position, int64_t step) {
    return static_cast<int64_t>(static_cast<uint64_t>(position) + static_cast<uint64_t>(step));
}

template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
void shadeSpan(const RasterState& state, const Span& span) {
    const Texture* texture = state.texture;
    int64_t tu = span.tu, tv = span.tv;
    float col[4] = {span.channel[0], span.channel[1], span.channel[2], span.channel[3]};
    const bool white = span.white, fastPoint = span.fastPoint, fastLinear = span.fastLinear;
    const uint32_t* texels = span.texels;
    const uint64_t widthMask = span.widthMask, heightMask = span.heightMask;
    const int widthShift = span.widthShift;
#if defined(__SSE2__)
    if constexpr (Kind == BlendKind::Normal || Kind == BlendKind::Additive ||
                  Kind == BlendKind::Darken) {
        if ((fastPoint || fastLinear) && white) {
            // A step of texels fetched and blended at once; the last step of the
            // span is a masked one, however short.
            constexpr int kWidth = Pixels::kWidth;
            auto fetch = [&]() {
                uint32_t texel;
                if constexpr (Filter == TextureFilter::Linear) {
                    texel = sampleLinearWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                } else {
                    texel = samplePointWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                }
                tu = stepped(tu, span.dtu);
                tv = stepped(tv, span.dtv);
                return texel;
            };
            for (int x = span.x0; x <= span.x1; x += kWidth)
                Pixels::template blendFetched<Kind>(span.row + x, fetch,
                                                    std::min(kWidth, span.x1 - x + 1));
            return;
        }
    }
#endif
    // Sources are made a chunk at a time, then blended together.
    constexpr int kChunk = 64;
    alignas(32) uint32_t sources[kChunk];
    for (int start = span.x0; start <= span.x1; start += kChunk) {
        const int count = std::min(kChunk, span.x1 - start + 1);
        if (fastPoint) {
            for (int i = 0; i < count; ++i) {
                const uint32_t texel =
                    samplePointWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                sources[i] = white ? texel : modulate(texel, span.diffuse);
                tu = stepped(tu, span.dtu);
                tv = stepped(tv, span.dtv);
            }
#if defined(__SSE2__)
        } else if (fastLinear) {
            for (int i = 0; i < count; ++i) {
                const uint32_t texel =
                    sampleLinearWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                sources[i] = white ? texel : modulate(texel, span.diffuse);
                tu = stepped(tu, span.dtu);
                tv = stepped(tv, span.dtv);
            }
#endif
        } else {
            for (int i = 0; i < count; ++i) {
                uint32_t diffuse = span.diffuse;
                if (!span.constantDiffuse) {
                    diffuse = 0;
                    for (int k = 0; k < 4; ++k) {
                        const float value = std::clamp(col[k] + 0.5f, 0.0f, 255.0f);
                        diffuse |= static_cast<uint32_t>(value) << (24 - 8 * k);
                        col[k] += span.step[k];
                    }
                }
                uint32_t source = diffuse;
                if constexpr (Textured) {
                    const uint32_t texel = Filter == TextureFilter::Linear
                                               ? sampleLinear<Address>(*texture, tu, tv)
                                               : samplePoint<Address>(*texture, tu, tv);
                    source = white ? texel : modulate(texel, diffuse);
                    tu = stepped(tu, span.dtu);
                    tv = stepped(tv, span.dtv);
                }
                sources[i] = source;
            }
        }
        uint32_t* target = span.row + start;
        if constexpr (Kind == BlendKind::General) {
            for (int i = 0; i < count; ++i) {
                if ((sources[i] >> 24) == 0 && state.transparentLeavesTarget) continue;
                target[i] =
                    blendGeneral(sources[i], target[i], state.colourSource, state.colourDestination,
                                 state.alphaSource, state.alphaDestination);
            }
        } else {
            blendRun<Pixels, Kind>(target, sources, count);
        }
    }
}

template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
void rasterRows(const RasterState& state, Texture& target, const RowSetup& rows) {
    Span span;
    span.dtu = rows.dtu;
    span.dtv = rows.dtv;
    span.constantDiffuse = rows.constantDiffuse;
    span.diffuse = rows.diffuse;
    for (int k = 0; k < 4; ++k) span.step[k] = static_cast<float>(rows.colDx[k]);
    span.white = span.constantDiffuse && span.diffuse == 0xFFFFFFFFu;
    if (!state.fastPaths) span.white = false;
    if constexpr (Textured && Address == TextureAddress::Wrap) {
        const int w = state.texture->width(), h = state.texture->height();
        if (state.fastPaths && span.constantDiffuse && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) {
            span.fastPoint = Filter == TextureFilter::Point;
#if defined(__SSE2__)
            span.fastLinear = Filter == TextureFilter::Linear;
#endif
            span.texels = state.texture->pixels().data();
            span.widthMask = static_cast<uint64_t>(w - 1);
            span.heightMask = static_cast<uint64_t>(h - 1);
            while ((1 << span.widthShift) < w) ++span.widthShift;
        }
    }
    for (int y = rows.yFirst; y <= rows.yLast; ++y) {
        const double sy = y + 0.5;
        if (sy < rows.minY || sy > rows.maxY) continue;
        int x0 = rows.xLimitLo, x1 = rows.xLimitHi;
        const bool covered = (sy == rows.minY || sy == rows.maxY)
                                 ? rowSpan<true>(rows.edges, rows.count, y, x0, x1)
                                 : rowSpan<false>(rows.edges, rows.count, y, x0, x1);
        if (!covered) continue;
        span.row = target.row(y);
        span.x0 = x0;
        span.x1 = x1;
        if constexpr (Textured) {
            // Unsigned, so that absurd slivers wrap instead of overflowing.
            const uint64_t r = static_cast<uint64_t>(y - rows.yStart),
                           column = static_cast<uint64_t>(x0);
            span.tu = static_cast<int64_t>(static_cast<uint64_t>(rows.rowU) +
                                           r * static_cast<uint64_t>(rows.rowStepU) +
                                           column * static_cast<uint64_t>(rows.dtu));
            span.tv = static_cast<int64_t>(static_cast<uint64_t>(rows.rowV) +
                                           r * static_cast<uint64_t>(rows.rowStepV) +
                                           column * static_cast<uint64_t>(rows.dtv));
        }
        if (!rows.constantDiffuse) {
            const double sx = x0 + 0.5;
            for (int k = 0; k < 4; ++k)
                span.channel[k] =
                    static_cast<float>(rows.colDx[k] * sx + rows.colDy[k] * sy + rows.colC[k]);
        }
        shadeSpan<Pixels, Kind, Filter, Address, Textured>(state, span);
    }
}

// The blend combination of the state, when it is one of the common ones.
inline BlendKind blendKindOf(const RasterState& s) {
    if (!s.fastPaths) return BlendKind::General;
    const bool alphaAccumulates =
        s.alphaSource == BlendFactor::One && s.alphaDestination == BlendFactor::InvSrcAlpha;
    if (alphaAccumulates && s.colourSource == BlendFactor::SrcAlpha &&
        s.colourDestination == BlendFactor::InvSrcAlpha)
        return BlendKind::Normal;
    if (alphaAccumulates && s.colourSource == BlendFactor::SrcAlpha &&
        s.colourDestination == BlendFactor::One)
        return BlendKind::Additive;
    if (alphaAccumulates && s.colourSource == BlendFactor::Zero &&
        s.colourDestination == BlendFactor::InvSrcAlpha)
        return BlendKind::Darken;
    if (s.alphaSource == BlendFactor::One && s.alphaDestination == BlendFactor::Zero &&
        s.colourSource == BlendFactor::One && s.colourDestination == BlendFactor::Zero)
        return BlendKind::Copy;
    return BlendKind::General;
}

template <class Pixels, BlendKind Kind>
RowRasteriser pickRowsOfKind(const RasterState& s) {
    constexpr auto P = TextureFilter::Point, L = TextureFilter::Linear;
    constexpr auto W = TextureAddress::Wrap, C = TextureAddress::Clamp;
    if (s.texture == nullptr) return &rasterRows<Pixels, Kind, P, W, false>;
    const bool clamp = s.address == C;
    if (s.filter == L)
        return clamp ? &rasterRows<Pixels, Kind, L, C, true>
                     : &rasterRows<Pixels, Kind, L, W, true>;
    return clamp ? &rasterRows<Pixels, Kind, P, C, true> : &rasterRows<Pixels, Kind, P, W, true>;
}

template <class Pixels>
RowRasteriser pickRows(const RasterState& s) {
    switch (blendKindOf(s)) {
        case BlendKind::Normal:
            return pickRowsOfKind<Pixels, BlendKind::Normal>(s);
        case BlendKind::Additive:
            return pickRowsOfKind<Pixels, BlendKind::Additive>(s);
        case BlendKind::Darken:
            return pickRowsOfKind<Pixels, BlendKind::Darken>(s);
        case BlendKind::Copy:
            return pickRowsOfKind<Pixels, BlendKind::Copy>(s);
        case BlendKind::General:
            break;
    }
    return pickRowsOfKind<Pixels, BlendKind::General>(s);
}

}  // namespace
}  // namespace sp::render::detail
