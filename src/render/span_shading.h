#pragma once

// The row loop and the span shader, written once for every pixel path: each
// file that includes this header instantiates them for its own paths (the
// AVX2 one compiled for that processor), and hands out the row loops through
// its pick function. The blends of a step come from the path's Pixels type.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "render/always_inline.h"
#include "render/blend_ops.h"
#include "render/outline_rows.h"
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
    bool bulk = false;  // and small enough for positions of 24 bits (bulk sampling)
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

SP_ALWAYS_INLINE WrappedTexture wrappedOf(const Span& span) {
    return {span.texels, span.widthShift, static_cast<uint32_t>(span.widthMask),
            static_cast<uint32_t>(span.heightMask)};
}

// The texture positions of the span's next `count` pixels for bulk sampling
// (texels × 2^8), stepping its position along.
SP_ALWAYS_INLINE void makePositions(Span& span, uint32_t* pu, uint32_t* pv, int count) {
    uint64_t tu = static_cast<uint64_t>(span.tu), tv = static_cast<uint64_t>(span.tv);
    const uint64_t du = static_cast<uint64_t>(span.dtu), dv = static_cast<uint64_t>(span.dtv);
    for (int i = 0; i < count; ++i) {
        pu[i] = static_cast<uint32_t>(tu >> 24);
        pv[i] = static_cast<uint32_t>(tv >> 24);
        tu += du;
        tv += dv;
    }
    span.tu = static_cast<int64_t>(tu);
    span.tv = static_cast<int64_t>(tv);
}

// Makes the span's next `count` source pixels (texel × colour), stepping its
// texture position and colour along.
template <BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
SP_ALWAYS_INLINE void makeSources(const RasterState& state, Span& span, uint32_t* sources,
                                  int count) {
    const Texture* texture = state.texture;
    const bool white = span.white;
    const uint32_t* texels = span.texels;
    const uint64_t widthMask = span.widthMask, heightMask = span.heightMask;
    const int widthShift = span.widthShift;
    int64_t tu = span.tu, tv = span.tv;
    if (span.fastPoint) {
        for (int i = 0; i < count; ++i) {
            const uint32_t texel =
                samplePointWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
            sources[i] = white ? texel : modulate(texel, span.diffuse);
            tu = stepped(tu, span.dtu);
            tv = stepped(tv, span.dtv);
        }
#if defined(__SSE2__)
    } else if (span.fastLinear) {
        for (int i = 0; i < count; ++i) {
            const uint32_t texel =
                sampleLinearWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
            sources[i] = white ? texel : modulate(texel, span.diffuse);
            tu = stepped(tu, span.dtu);
            tv = stepped(tv, span.dtv);
        }
#endif
    } else {
        float* col = span.channel;
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
    span.tu = tu;
    span.tv = tv;
}

// Blends `count` source pixels over the target by the state's blend.
template <class Pixels, BlendKind Kind>
SP_ALWAYS_INLINE void blendSources(const RasterState& state, uint32_t* target,
                                   const uint32_t* sources, int count) {
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

template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
void shadeSpan(const RasterState& state, const Span& span) {
    if constexpr (Pixels::kBulkSampling && Textured && Address == TextureAddress::Wrap) {
        if (span.bulk) {
            // Positions, then sources, then the blend, a chunk at a time. The
            // sampling reads positions up to a step past the chunk, so they are
            // made that far (only the last chunk is shorter than the others).
            constexpr int kChunk = 64, kSlack = Pixels::kWidth;
            alignas(32) uint32_t pu[kChunk + kSlack], pv[kChunk + kSlack], sources[kChunk + kSlack];
            Span s = span;
            const WrappedTexture texture = wrappedOf(span);
            for (int start = span.x0; start <= span.x1; start += kChunk) {
                const int count = std::min(kChunk, span.x1 - start + 1);
                const int stepped = (count + kSlack - 1) / kSlack * kSlack;
                makePositions(s, pu, pv, stepped);
                Pixels::template sample<Filter>(texture, pu, pv, span.diffuse, sources, count);
                blendSources<Pixels, Kind>(state, span.row + start, sources, count);
            }
            return;
        }
    }
#if defined(__SSE2__)
    if constexpr (Kind == BlendKind::Normal || Kind == BlendKind::Additive ||
                  Kind == BlendKind::Darken) {
        if ((span.fastPoint || span.fastLinear) && span.white) {
            // A step of texels fetched and blended at once; the last step of the
            // span is a masked one, however short.
            constexpr int kWidth = Pixels::kWidth;
            const uint32_t* texels = span.texels;
            const uint64_t widthMask = span.widthMask, heightMask = span.heightMask;
            const int widthShift = span.widthShift;
            int64_t tu = span.tu, tv = span.tv;
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
    Span s = span;
    for (int start = span.x0; start <= span.x1; start += kChunk) {
        const int count = std::min(kChunk, span.x1 - start + 1);
        makeSources<Kind, Filter, Address, Textured>(state, s, sources, count);
        blendSources<Pixels, Kind>(state, span.row + start, sources, count);
    }
}

// How an outline's texture is read and its colour made, the same on every row.
template <TextureFilter Filter, TextureAddress Address, bool Textured>
SP_ALWAYS_INLINE Span spanOf(const RasterState& state, const RowSetup& rows) {
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
            span.bulk = w <= (1 << 15) && h <= (1 << 15);
        }
    }
    return span;
}

// Puts the span's texture position and colour at the centre of pixel (x0, y).
template <bool Textured>
SP_ALWAYS_INLINE void startSpan(const RowSetup& rows, Span& span, int y, int x0) {
    if constexpr (Textured) {
        uint64_t tu, tv;
        positionAt(rows, y, x0, tu, tv);
        span.tu = static_cast<int64_t>(tu);
        span.tv = static_cast<int64_t>(tv);
    }
    if (!rows.constantDiffuse) {
        const double sx = x0 + 0.5, sy = y + 0.5;
        for (int k = 0; k < 4; ++k)
            span.channel[k] =
                static_cast<float>(rows.colDx[k] * sx + rows.colDy[k] * sy + rows.colC[k]);
    }
}

template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
void rasterRows(const RasterState& state, Texture& target, const RowSetup& rows) {
    Span span = spanOf<Filter, Address, Textured>(state, rows);
    if constexpr (Pixels::kBulkSampling && Textured && Address == TextureAddress::Wrap &&
                  (Kind == BlendKind::Normal || Kind == BlendKind::Additive ||
                   Kind == BlendKind::Darken)) {
        if (span.bulk) {
            // Each row sampled and blended straight from its texture positions,
            // stepped as the outline's are, which are worked out once.
            const typename Pixels::Steps steps =
                Pixels::stepsOf(static_cast<uint64_t>(span.dtu), static_cast<uint64_t>(span.dtv));
            const WrappedTexture texture = wrappedOf(span);
            auto drawRow = [&](int y, int x0, int x1) {
                startSpan<Textured>(rows, span, y, x0);
                Pixels::template sampleAndBlend<Kind, Filter>(
                    texture, steps, static_cast<uint64_t>(span.tu), static_cast<uint64_t>(span.tv),
                    span.diffuse, target.row(y) + x0, x1 - x0 + 1);
            };
            if constexpr (Pixels::kWalksEightRows) {
                // The rows' ends found eight rows a step, as a strip's are.
                const OutlineWalk walk = outlineWalkOf(rows);
                const auto edgeSteps = walkStepsOf(walk);
                for (int eight = rows.yFirst; eight <= rows.yLast; eight += 8) {
                    int x0[8], x1[8];
                    for (unsigned withPixels =
                             Pixels::walkEightRows(walk, edgeSteps, rows, eight,
                                                   std::min(8, rows.yLast - eight + 1), x0, x1);
                         withPixels != 0; withPixels &= withPixels - 1) {
                        const int k = std::countr_zero(withPixels);
                        drawRow(eight + k, x0[k], x1[k]);
                    }
                }
                return;
            }
            for (int y = rows.yFirst; y <= rows.yLast; ++y) {
                int x0, x1;
                if (rowOf(rows, y, x0, x1)) drawRow(y, x0, x1);
            }
            return;
        }
    }
    for (int y = rows.yFirst; y <= rows.yLast; ++y) {
        int x0, x1;
        if (!rowOf(rows, y, x0, x1)) continue;
        span.row = target.row(y);
        span.x0 = x0;
        span.x1 = x1;
        startSpan<Textured>(rows, span, y, x0);
        shadeSpan<Pixels, Kind, Filter, Address, Textured>(state, span);
    }
}

// walkPositions() eight pixels a step in registers, for the paths that sample
// in bulk: with Ahead up to seven past x1, otherwise up to seven before x0, so
// the buffers must have room for them on either side.
template <class Pixels, bool Ahead>
SP_ALWAYS_INLINE void walkPositionsInSteps(const WalkOutline& w,
                                           const typename Pixels::Steps& steps, int y, int x0,
                                           int x1, uint32_t* pu, uint32_t* pv) {
    auto eightFrom = [&](int x) {
        uint64_t tu, tv;
        positionAt(w, y, x, tu, tv);
        Pixels::positionsOfEight(steps, tu, tv, pu + x, pv + x);
    };
    if constexpr (Ahead) {
        for (int x = x0; x <= x1; x += 8) eightFrom(x);
    } else {
        for (int x = x1 - 7; x + 7 >= x0; x -= 8) eightFrom(x);
    }
}

// The outlines of a strip one after the other, each down its rows, rather than
// a row of all of them at a time, which keeps each outline's crossings and
// texture steps at hand: the positions of a row's pixels are made into a grid
// over the strip's box, and each row blended once all are made. For outlines
// of one colour with bulk sampling and a box of modest size; false, with
// nothing drawn, otherwise. A row is blended as one run only where every
// outline begins exactly where the run so far ends (or ends where it begins),
// as the row walk of rasterStrip would; any other row (a fold, a gap) is left
// to that walk, through drawRow.
template <class Pixels, BlendKind Kind, TextureFilter Filter, class DrawRow>
bool drawByOutlines(const RasterState& state, Texture& target, const RowSetup* outlines,
                    const std::vector<WalkOutline>& walks, const std::vector<Span>& spans,
                    uint32_t* buffer, DrawRow& drawRow) {
    const int count = static_cast<int>(walks.size());
    int yLo = outlines[0].yFirst, yHi = walks[0].yLast;
    int xLo = walks[0].xLimitLo, xHi = walks[0].xLimitHi;
    for (int i = 0; i < count; ++i) {
        const WalkOutline& w = walks[static_cast<std::size_t>(i)];
        if (!w.bulk || w.diffuse != walks[0].diffuse) return false;
        yLo = std::min(yLo, outlines[i].yFirst);
        yHi = std::max(yHi, w.yLast);
        xLo = std::min(xLo, w.xLimitLo);
        xHi = std::max(xHi, w.xLimitHi);
    }
    // Room past each row of the grid for positions made ahead and a step of
    // sampling; positions made behind a row's start fall in that of the row above.
    const int rows = yHi - yLo + 1;
    const std::size_t stride = static_cast<std::size_t>(xHi - xLo + 1 + Pixels::kWidth + 4);
    constexpr std::size_t kMostCells = 1 << 16;
    if (static_cast<std::size_t>(rows) * stride > kMostCells) return false;
    // Kept from strip to strip on each thread, so that it is neither made nor cleared each time.
    thread_local std::vector<uint32_t> grid;
    thread_local std::vector<int> runs;
    // Room before each half for positions made behind its first row.
    constexpr std::size_t kBefore = 16;
    if (grid.size() < 2 * (kBefore + kMostCells)) grid.resize(2 * (kBefore + kMostCells));
    runs.assign(2 * static_cast<std::size_t>(rows), 0);
    int* const runLo = runs.data();
    int* const runHi = runLo + rows;
    std::fill(runHi, runHi + rows, kRunEmpty);
    uint32_t* const gridU = grid.data() + kBefore;
    uint32_t* const gridV = gridU + kMostCells + kBefore;
    // Joins pixels x0 … x1 of an outline to row r's run: ahead of its end, or
    // behind its start; anywhere else they break it, and are not made.
    enum class Join { None, Ahead, Behind };
    auto join = [&](int r, int x0, int x1) {
        int& lo = runLo[r];
        int& hi = runHi[r];
        if (hi == kRunBroken) return Join::None;
        if (hi == kRunEmpty) {
            lo = x0;
            hi = x1;
            return Join::Ahead;
        }
        if (x0 == hi + 1) {
            hi = x1;
            return Join::Ahead;
        }
        if (x1 == lo - 1) {
            lo = x0;
            return Join::Behind;
        }
        hi = kRunBroken;
        return Join::None;
    };
    auto at = [&](int y) {
        return static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y - yLo) * stride) - xLo;
    };
    for (int i = 0; i < count; ++i) {
        const WalkOutline& walk = walks[static_cast<std::size_t>(i)];
        if constexpr (Pixels::kWalksEightRows) {
            const typename Pixels::Steps steps =
                Pixels::stepsOf(static_cast<uint64_t>(walk.dtu), static_cast<uint64_t>(walk.dtv));
            const auto edgeSteps = walkStepsOf(walk);
            for (int eight = outlines[i].yFirst; eight <= walk.yLast; eight += 8) {
                int x0[8], x1[8];
                const unsigned withPixels =
                    Pixels::walkEightRows(walk, edgeSteps, outlines[i], eight,
                                          std::min(8, walk.yLast - eight + 1), x0, x1);
                unsigned ahead, behind;
                Pixels::joinEightRows(runLo + (eight - yLo), runHi + (eight - yLo), x0, x1,
                                      withPixels, ahead, behind);
                for (; ahead != 0; ahead &= ahead - 1) {
                    const int k = std::countr_zero(ahead), y = eight + k;
                    walkPositionsInSteps<Pixels, true>(walk, steps, y, x0[k], x1[k], gridU + at(y),
                                                       gridV + at(y));
                }
                for (; behind != 0; behind &= behind - 1) {
                    const int k = std::countr_zero(behind), y = eight + k;
                    walkPositionsInSteps<Pixels, false>(walk, steps, y, x0[k], x1[k], gridU + at(y),
                                                        gridV + at(y));
                }
            }
        } else {
            for (int y = outlines[i].yFirst; y <= walk.yLast; ++y) {
                int x0, x1;
                if (!walkRowOf(walk, outlines[i], y, x0, x1)) continue;
                const Join how = join(y - yLo, x0, x1);
                if (how == Join::Ahead) {
                    walkPositions<true>(walk, y, x0, x1, gridU + at(y), gridV + at(y));
                } else if (how == Join::Behind) {
                    walkPositions<false>(walk, y, x0, x1, gridU + at(y), gridV + at(y));
                }
            }
        }
    }
    const Span& kind = spans[0];
    std::vector<int> list;
    for (int r = 0; r < rows; ++r) {
        const int y = yLo + r;
        if (runHi[r] == kRunBroken) {
            list.clear();
            for (int i = 0; i < count; ++i)
                if (outlines[i].yFirst <= y && y <= walks[static_cast<std::size_t>(i)].yLast)
                    list.push_back(i);
            drawRow(y, list.data(), list.size());
        } else if (runHi[r] != kRunEmpty) {
            const int lo = runLo[r], n = runHi[r] - lo + 1;
            const std::size_t at =
                static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(lo - xLo);
            Pixels::template sample<Filter>(wrappedOf(kind), gridU + at, gridV + at, kind.diffuse,
                                            buffer + lo, n);
            blendSources<Pixels, Kind>(state, target.row(y) + lo, buffer + lo, n);
        }
    }
    return true;
}

// Several outlines drawn as one shape, a row at a time: on each row every
// outline that reaches it, in their order, makes its sources into a buffer as
// wide as the target, and a run of them is blended at once while each outline
// begins exactly where the run so far ends (or ends where it begins). An outline
// that falls anywhere else (a fold, a gap) first blends the run before it, so a
// pixel two outlines cover is blended twice, in their order, as if each outline
// were drawn alone; and no pixel is blended before or after any other outline's
// pixel than it would be then.
template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
void rasterStrip(const RasterState& state, Texture& target, const RowSetup* outlines, int count) {
    if (count <= 0) return;
    std::vector<Span> spans;
    spans.reserve(static_cast<std::size_t>(count));
    std::vector<WalkOutline> walks;
    walks.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        spans.push_back(spanOf<Filter, Address, Textured>(state, outlines[i]));
        walks.push_back(walkOutlineOf(outlines[i], spans.back().bulk));
    }
    // With bulk sampling a run holds texture positions rather than sources, for
    // outlines of one colour; an outline of another kind starts a run of its own.
    constexpr bool kBulk = Pixels::kBulkSampling && Textured && Address == TextureAddress::Wrap;
    // Room past the row's end for a step of sampling, and for positions made ahead.
    const std::size_t width = static_cast<std::size_t>(target.width()) + Pixels::kWidth + 4;
    std::vector<uint32_t> sources(width), positions(kBulk ? 2 * width : 0);
    uint32_t* const buffer = sources.data();
    uint32_t* const pu = positions.data();
    uint32_t* const pv = kBulk ? pu + width : nullptr;
    // Row y of the outlines numbered in `list`, in their order; the list keeps
    // those that go on below the row, and their number is returned.
    auto drawRow = [&](int y, int* list, std::size_t listed) {
        uint32_t* const row = target.row(y);
        int runLo = 0, runHi = -1;
        const Span* runSpan = nullptr;  // for a run of positions, the span that began it
        uint32_t runDiffuse = 0;
        auto flush = [&]() {
            const int n = runHi - runLo + 1;
            if (n <= 0) return;
            if constexpr (kBulk) {
                if (runSpan)
                    Pixels::template sample<Filter>(wrappedOf(*runSpan), pu + runLo, pv + runLo,
                                                    runSpan->diffuse, buffer + runLo, n);
            }
            blendSources<Pixels, Kind>(state, row + runLo, buffer + runLo, n);
        };
        std::size_t kept = 0;
        for (std::size_t k = 0; k < listed; ++k) {
            const int i = list[k];
            const WalkOutline& walk = walks[static_cast<std::size_t>(i)];
            if (walk.yLast > y) list[kept++] = i;
            int x0, x1;
            if (!walkRowOf(walk, outlines[i], y, x0, x1)) continue;
            Span& span = spans[static_cast<std::size_t>(i)];
            const Span* kind = kBulk && walk.bulk ? &span : nullptr;
            const bool sameKind = kind == nullptr
                                      ? runSpan == nullptr
                                      : runSpan != nullptr && runDiffuse == walk.diffuse;
            // Positions may be made past the span's end, except where the run
            // goes on beyond it.
            bool ahead = true;
            if (runLo <= runHi && sameKind && x0 == runHi + 1) {
                runHi = x1;
            } else if (runLo <= runHi && sameKind && x1 == runLo - 1) {
                runLo = x0;
                ahead = false;
            } else {
                flush();
                runLo = x0;
                runHi = x1;
                runSpan = kind;
                runDiffuse = walk.diffuse;
            }
            if (kind) {
                if (ahead) {
                    walkPositions<true>(walk, y, x0, x1, pu, pv);
                } else {
                    walkPositions<false>(walk, y, x0, x1, pu, pv);
                }
            } else {
                startSpan<Textured>(outlines[i], span, y, x0);
                makeSources<Kind, Filter, Address, Textured>(state, span, buffer + x0, x1 - x0 + 1);
            }
        }
        flush();
        return kept;
    };
    if constexpr (kBulk) {
        if (drawByOutlines<Pixels, Kind, Filter>(state, target, outlines, walks, spans, buffer,
                                                 drawRow))
            return;
    }
    // Outlines join the rows walked where their first row comes, and leave after their last.
    std::vector<int> arrivals(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) arrivals[static_cast<std::size_t>(i)] = i;
    std::stable_sort(arrivals.begin(), arrivals.end(),
                     [&](int a, int b) { return outlines[a].yFirst < outlines[b].yFirst; });
    std::vector<int> active;
    active.reserve(static_cast<std::size_t>(count));
    std::size_t next = 0;
    int y = outlines[arrivals[0]].yFirst;
    while (true) {
        if (active.empty()) {
            if (next == arrivals.size()) break;
            y = std::max(y, outlines[arrivals[next]].yFirst);
        }
        const std::size_t arrived = active.size();
        while (next < arrivals.size() && outlines[arrivals[next]].yFirst <= y)
            active.push_back(arrivals[next++]);
        if (active.size() != arrived) {
            // Kept in the outlines' order.
            std::sort(active.begin() + static_cast<std::ptrdiff_t>(arrived), active.end());
            std::inplace_merge(active.begin(),
                               active.begin() + static_cast<std::ptrdiff_t>(arrived), active.end());
        }
        active.resize(drawRow(y, active.data(), active.size()));
        ++y;
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

template <class Pixels, BlendKind Kind, TextureFilter Filter, TextureAddress Address, bool Textured>
RowLoops loopsOf() {
    return {&rasterRows<Pixels, Kind, Filter, Address, Textured>,
            &rasterStrip<Pixels, Kind, Filter, Address, Textured>};
}

template <class Pixels, BlendKind Kind>
RowLoops pickRowsOfKind(const RasterState& s) {
    constexpr auto P = TextureFilter::Point, L = TextureFilter::Linear;
    constexpr auto W = TextureAddress::Wrap, C = TextureAddress::Clamp;
    if (s.texture == nullptr) return loopsOf<Pixels, Kind, P, W, false>();
    const bool clamp = s.address == C;
    if (s.filter == L)
        return clamp ? loopsOf<Pixels, Kind, L, C, true>() : loopsOf<Pixels, Kind, L, W, true>();
    return clamp ? loopsOf<Pixels, Kind, P, C, true>() : loopsOf<Pixels, Kind, P, W, true>();
}

template <class Pixels>
RowLoops pickRows(const RasterState& s) {
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
