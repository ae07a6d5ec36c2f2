// The rasteriser behind SoftwareDevice: convex outlines are cut into row spans,
// and each span is shaded and blended a run of pixels at a time.
#include <algorithm>
#include <cmath>

#include "render/blend_ops.h"
#include "render/pixel_channels.h"
#include "render/software_device.h"
#include "render/texel_sampling.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sp::render {

using namespace detail;

namespace {

struct EdgeFunction {
    double a = 0, b = 0, c = 0;  // a·x + b·y + c, positive inside
    bool includesTies = false;

    static EdgeFunction through(const ParticleVertex& p, const ParticleVertex& q) {
        EdgeFunction e;
        e.a = static_cast<double>(p.y) - static_cast<double>(q.y);
        e.b = static_cast<double>(q.x) - static_cast<double>(p.x);
        e.c = static_cast<double>(p.x) * static_cast<double>(q.y) -
              static_cast<double>(q.x) * static_cast<double>(p.y);
        e.includesTies = e.a > 0.0 || (e.a == 0.0 && e.b > 0.0);
        return e;
    }
    double at(double x, double y) const { return a * x + b * y + c; }
    bool inside(double x, double y) const {
        const double v = at(x, y);
        return v > 0.0 || (v == 0.0 && includesTies);
    }
};

bool finite(const ParticleVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

// One edge prepared for finding row spans.
struct RowEdge {
    const EdgeFunction* edge;
    double yMin, yMax;    // rows outside this range are bounded by other edges
    double start, slope;  // crossing at row centre y, in pixel indices: start + y · slope
    double tolerance;     // below this distance to a pixel centre, rounding could matter
    bool lower;           // the edge bounds the span from the left
    // The crossing at row y in 32.32 fixed point, fixedStart + y · fixedSlope, for
    // edges steep enough that it stays in range.
    bool fixed;
    int64_t fixedStart, fixedSlope;
    uint64_t fixedTolerance;
};

RowEdge prepareRowEdge(const EdgeFunction& e, const ParticleVertex& p, const ParticleVertex& q) {
    RowEdge r;
    r.edge = &e;
    r.yMin = std::min<double>(p.y, q.y);
    r.yMax = std::max<double>(p.y, q.y);
    // Where the edge crosses a row: x = x0 + y · slope.
    const double inverse = e.a != 0.0 ? 1.0 / e.a : 0.0;
    const double x0 = -e.c * inverse;
    r.slope = -e.b * inverse;
    r.start = x0 - 0.5;
    const double reach =
        std::fabs(x0) + std::fabs(r.slope) * (std::fabs(r.yMin) + std::fabs(r.yMax) + 1.0);
    r.tolerance = 1e-7 * (1.0 + reach);
    r.lower = e.a > 0.0;
    constexpr double kOne = 4294967296.0;
    const double atFirstRow = r.start + 0.5 * r.slope;
    r.fixed = e.a != 0.0 && std::fabs(atFirstRow) < 1e8 && std::fabs(r.slope) < 1e5;
    if (r.fixed) {
        r.fixedStart = floorToInt64(atFirstRow * kOne + 0.5);
        r.fixedSlope = floorToInt64(r.slope * kOne + 0.5);
        // Rounding the slope errs by at most 2^-33 a row, under 1e-6 over any target.
        r.fixedTolerance = static_cast<uint64_t>((r.tolerance + 1e-6) * kOne) + 1;
    }
    return r;
}

// A row of a convex outline: the pixels whose centres lie inside every edge.
// Strictly between the outline's top and bottom, only the edges that reach the
// row can bound it; on a row through the top or bottom vertex every edge counts,
// horizontal ones included. Crossings are computed in floating point; where one
// falls so close to a pixel centre that rounding could matter, the edge function
// decides exactly, so two outlines sharing an edge always agree about the pixels
// on it.
template <bool EveryEdge>
SP_ALWAYS_INLINE bool rowSpan(const RowEdge* edges, int count, int y, int& lo, int& hi) {
    const double sy = y + 0.5;
    for (int k = 0; k < count; ++k) {
        const RowEdge& e = edges[k];
        if constexpr (EveryEdge) {
            if (e.edge->a == 0.0) {
                if (!e.edge->inside(0.0, sy)) return false;
                continue;
            }
        } else {
            if (sy < e.yMin || sy > e.yMax || e.edge->a == 0.0) continue;
        }
        int64_t below;
        bool nearCentre, upperHalf;
        if (e.fixed) {
            const int64_t t = e.fixedStart + static_cast<int64_t>(y) * e.fixedSlope;
            below = t >> 32;
            const uint64_t fraction = static_cast<uint64_t>(t) & 0xFFFFFFFFull;
            nearCentre =
                fraction <= e.fixedTolerance || fraction >= 0x100000000ull - e.fixedTolerance;
            upperHalf = fraction >= 0x80000000ull;
        } else {
            const double t = std::min(std::max(e.start + sy * e.slope, -1e9), 1e9);
            below = floorToInt64(t);
            const double fraction = t - static_cast<double>(below);
            nearCentre = fraction <= e.tolerance || fraction >= 1.0 - e.tolerance;
            upperHalf = fraction >= 0.5;
        }
        int64_t index;
        if (nearCentre) {
            const int64_t r = upperHalf ? below + 1 : below;
            const bool in = e.edge->inside(static_cast<double>(r) + 0.5, sy);
            index = e.lower ? (in ? r : r + 1) : (in ? r : r - 1);
        } else {
            index = e.lower ? below + 1 : below;
        }
        if (e.lower) {
            lo = static_cast<int>(std::max<int64_t>(lo, index));
        } else {
            hi = static_cast<int>(std::min<int64_t>(hi, index));
        }
    }
    return lo <= hi;
}

}  // namespace

struct SoftwareDevice::Span {
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

struct SoftwareDevice::RowSetup {
    const RowEdge* edges;
    int count;
    int yStart, yEnd, xLimitLo, xLimitHi;
    double minY, maxY;
    int64_t rowU, rowV, rowStepU, rowStepV, dtu, dtv;
    bool constantDiffuse;
    uint32_t diffuse;
    double colDx[4], colDy[4], colC[4];
};

// Draws a convex outline of 3 or 4 vertices; false when it has no area (a
// degenerate quad is then drawn as triangles by the caller, which also draw nothing).
bool SoftwareDevice::drawConvex(const ParticleVertex* const* input, int count) {
    for (int i = 0; i < count; ++i)
        if (!finite(*input[i])) return true;
    const ParticleVertex* p[4] = {input[0], input[1], input[2], count == 4 ? input[3] : nullptr};
    double area = EdgeFunction::through(*p[0], *p[1]).at(p[2]->x, p[2]->y);
    if (area == 0.0 || !std::isfinite(area)) return count == 3;
    if (area < 0.0) {
        std::reverse(p, p + count);
        area = -area;
    }
    EdgeFunction edges[4];
    for (int i = 0; i < count; ++i) edges[i] = EdgeFunction::through(*p[i], *p[(i + 1) % count]);
    RowEdge rowEdges[4];
    for (int i = 0; i < count; ++i)
        rowEdges[i] = prepareRowEdge(edges[i], *p[i], *p[(i + 1) % count]);
    if (count == 4) {
        // Every corner must turn the same way, or the outline is not convex.
        for (int i = 0; i < 4; ++i)
            if (edges[i].at(p[(i + 2) % 4]->x, p[(i + 2) % 4]->y) <= 0.0) return false;
    }

    Texture& target = *m_target;
    double minX = p[0]->x, maxX = p[0]->x, minY = p[0]->y, maxY = p[0]->y;
    for (int i = 1; i < count; ++i) {
        minX = std::min<double>(minX, p[i]->x);
        maxX = std::max<double>(maxX, p[i]->x);
        minY = std::min<double>(minY, p[i]->y);
        maxY = std::max<double>(maxY, p[i]->y);
    }
    const int yStart = static_cast<int>(std::max(0.0, std::floor(minY - 0.5)));
    const int yEnd = static_cast<int>(std::min<double>(target.height() - 1, std::ceil(maxY - 0.5)));
    const int xLimitLo = static_cast<int>(std::max(0.0, std::floor(minX - 0.5)));
    const int xLimitHi =
        static_cast<int>(std::min<double>(target.width() - 1, std::ceil(maxX - 0.5)));
    if (yStart > yEnd || xLimitLo > xLimitHi) return true;

    // Attribute planes from the first three vertices: value(x, y) = dx·x + dy·y + c.
    const EdgeFunction e01 = EdgeFunction::through(*p[0], *p[1]);
    const EdgeFunction e12 = EdgeFunction::through(*p[1], *p[2]);
    const EdgeFunction e20 = EdgeFunction::through(*p[2], *p[0]);
    const double inverseArea = 1.0 / area;
    auto plane = [&](float va, float vb, float vc, double& dx, double& dy, double& c0) {
        dx = (e12.a * va + e20.a * vb + e01.a * vc) * inverseArea;
        dy = (e12.b * va + e20.b * vb + e01.b * vc) * inverseArea;
        c0 = (e12.c * va + e20.c * vb + e01.c * vc) * inverseArea;
    };
    double uDx, uDy, uC, vDx, vDy, vC;
    plane(p[0]->u, p[1]->u, p[2]->u, uDx, uDy, uC);
    plane(p[0]->v, p[1]->v, p[2]->v, vDx, vDy, vC);
    const bool constantDiffuse = p[0]->diffuse == p[1]->diffuse && p[0]->diffuse == p[2]->diffuse;
    double colDx[4] = {}, colDy[4] = {}, colC[4] = {};
    if (!constantDiffuse) {
        for (int k = 0; k < 4; ++k) {
            const int shift = 24 - 8 * k;
            plane(static_cast<float>(channel(p[0]->diffuse, shift)),
                  static_cast<float>(channel(p[1]->diffuse, shift)),
                  static_cast<float>(channel(p[2]->diffuse, shift)), colDx[k], colDy[k], colC[k]);
        }
    }

    // Texture positions are stepped in fixed point; linear sampling measures from texel centres.
    const double texW = m_texture ? m_texture->width() : 1,
                 texH = m_texture ? m_texture->height() : 1;
    const double centre = m_filter == TextureFilter::Linear ? 0.5 : 0.0;
    RowSetup rows;
    rows.edges = rowEdges;
    rows.count = count;
    rows.yStart = yStart;
    rows.yEnd = yEnd;
    rows.xLimitLo = xLimitLo;
    rows.xLimitHi = xLimitHi;
    rows.minY = minY;
    rows.maxY = maxY;
    rows.dtu = toFixed(uDx * texW);
    rows.dtv = toFixed(vDx * texH);
    // At the centre of the first row's pixel 0, then stepped a row at a time.
    const double firstRow = yStart + 0.5;
    rows.rowU = toFixed((uDx * 0.5 + uDy * firstRow + uC) * texW - centre);
    rows.rowV = toFixed((vDx * 0.5 + vDy * firstRow + vC) * texH - centre);
    rows.rowStepU = toFixed(uDy * texW);
    rows.rowStepV = toFixed(vDy * texH);
    rows.constantDiffuse = constantDiffuse;
    rows.diffuse = p[0]->diffuse;
    for (int k = 0; k < 4; ++k) {
        rows.colDx[k] = colDx[k];
        rows.colDy[k] = colDy[k];
        rows.colC[k] = colC[k];
    }
    (this->*pickRasteriser())(rows);
    return true;
}

template <SoftwareDevice::BlendKind Kind, TextureFilter Filter, TextureAddress Address,
          bool Textured>
void SoftwareDevice::rasterRows(const RowSetup& rows) {
    Texture& target = *m_target;
    Span span;
    span.dtu = rows.dtu;
    span.dtv = rows.dtv;
    span.constantDiffuse = rows.constantDiffuse;
    span.diffuse = rows.diffuse;
    for (int k = 0; k < 4; ++k) span.step[k] = static_cast<float>(rows.colDx[k]);
    span.white = span.constantDiffuse && span.diffuse == 0xFFFFFFFFu;
    if (!m_fastPaths) span.white = false;
    if constexpr (Textured && Address == TextureAddress::Wrap) {
        const int w = m_texture->width(), h = m_texture->height();
        if (m_fastPaths && span.constantDiffuse && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) {
            span.fastPoint = Filter == TextureFilter::Point;
#if defined(__SSE2__)
            span.fastLinear = Filter == TextureFilter::Linear;
#endif
            span.texels = m_texture->pixels().data();
            span.widthMask = static_cast<uint64_t>(w - 1);
            span.heightMask = static_cast<uint64_t>(h - 1);
            while ((1 << span.widthShift) < w) ++span.widthShift;
        }
    }
    for (int y = rows.yStart; y <= rows.yEnd; ++y) {
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
        shadeSpan<Kind, Filter, Address, Textured>(span);
    }
}

SoftwareDevice::Rasteriser SoftwareDevice::pickRasteriser() const {
    BlendKind kind = BlendKind::General;
    const bool alphaAccumulates =
        m_alphaSource == BlendFactor::One && m_alphaDestination == BlendFactor::InvSrcAlpha;
    if (alphaAccumulates && m_colourSource == BlendFactor::SrcAlpha &&
        m_colourDestination == BlendFactor::InvSrcAlpha)
        kind = BlendKind::Normal;
    if (alphaAccumulates && m_colourSource == BlendFactor::SrcAlpha &&
        m_colourDestination == BlendFactor::One)
        kind = BlendKind::Additive;
    if (alphaAccumulates && m_colourSource == BlendFactor::Zero &&
        m_colourDestination == BlendFactor::InvSrcAlpha)
        kind = BlendKind::Darken;
    if (m_alphaSource == BlendFactor::One && m_alphaDestination == BlendFactor::Zero &&
        m_colourSource == BlendFactor::One && m_colourDestination == BlendFactor::Zero)
        kind = BlendKind::Copy;
    if (!m_fastPaths) kind = BlendKind::General;

    constexpr auto P = TextureFilter::Point, L = TextureFilter::Linear;
    constexpr auto W = TextureAddress::Wrap, C = TextureAddress::Clamp;
    const bool textured = m_texture != nullptr;
    const bool linear = m_filter == L;
    const bool clamp = m_address == C;
#define SP_SHADER(K)                                                  \
    (!textured ? &SoftwareDevice::rasterRows<K, P, W, false>          \
     : linear  ? (clamp ? &SoftwareDevice::rasterRows<K, L, C, true>  \
                        : &SoftwareDevice::rasterRows<K, L, W, true>) \
               : (clamp ? &SoftwareDevice::rasterRows<K, P, C, true>  \
                        : &SoftwareDevice::rasterRows<K, P, W, true>))
    switch (kind) {
        case BlendKind::Normal:
            return SP_SHADER(BlendKind::Normal);
        case BlendKind::Additive:
            return SP_SHADER(BlendKind::Additive);
        case BlendKind::Darken:
            return SP_SHADER(BlendKind::Darken);
        case BlendKind::Copy:
            return SP_SHADER(BlendKind::Copy);
        case BlendKind::General:
            break;
    }
    return SP_SHADER(BlendKind::General);
#undef SP_SHADER
}

template <SoftwareDevice::BlendKind Kind, TextureFilter Filter, TextureAddress Address,
          bool Textured>
void SoftwareDevice::shadeSpan(const Span& span) {
    const Texture* texture = m_texture;
    int64_t tu = span.tu, tv = span.tv;
    float col[4] = {span.channel[0], span.channel[1], span.channel[2], span.channel[3]};
    // Sources are made a chunk at a time, then blended together.
    constexpr int kChunk = 64;
    uint32_t sources[kChunk];
    const bool white = span.white, fastPoint = span.fastPoint, fastLinear = span.fastLinear;
    const uint32_t* texels = span.texels;
    const uint64_t widthMask = span.widthMask, heightMask = span.heightMask;
    const int widthShift = span.widthShift;
#if defined(__SSE2__)
    if constexpr (Kind == BlendKind::Normal || Kind == BlendKind::Additive ||
                  Kind == BlendKind::Darken) {
        if ((fastPoint || fastLinear) && white) {
            // Four texels fetched straight into a register and blended at once.
            auto fetch = [&]() {
                uint32_t texel;
                if constexpr (Filter == TextureFilter::Linear) {
                    texel = sampleLinearWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                } else {
                    texel = samplePointWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                }
                tu = static_cast<int64_t>(static_cast<uint64_t>(tu) +
                                          static_cast<uint64_t>(span.dtu));
                tv = static_cast<int64_t>(static_cast<uint64_t>(tv) +
                                          static_cast<uint64_t>(span.dtv));
                return static_cast<int>(texel);
            };
            int x = span.x0;
            for (; x + 3 <= span.x1; x += 4) {
                const int t0 = fetch(), t1 = fetch(), t2 = fetch(), t3 = fetch();
                blendFour<Kind>(span.row + x, _mm_set_epi32(t3, t2, t1, t0));
            }
            for (; x <= span.x1; ++x)
                span.row[x] = blendOne<Kind>(static_cast<uint32_t>(fetch()), span.row[x]);
            return;
        }
    }
#endif
    for (int start = span.x0; start <= span.x1; start += kChunk) {
        const int count = std::min(kChunk, span.x1 - start + 1);
        if (fastPoint) {
            for (int i = 0; i < count; ++i) {
                const uint32_t texel =
                    samplePointWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                sources[i] = white ? texel : modulate(texel, span.diffuse);
                tu = static_cast<int64_t>(static_cast<uint64_t>(tu) +
                                          static_cast<uint64_t>(span.dtu));
                tv = static_cast<int64_t>(static_cast<uint64_t>(tv) +
                                          static_cast<uint64_t>(span.dtv));
            }
#if defined(__SSE2__)
        } else if (fastLinear) {
            for (int i = 0; i < count; ++i) {
                const uint32_t texel =
                    sampleLinearWrapped(texels, widthShift, widthMask, heightMask, tu, tv);
                sources[i] = white ? texel : modulate(texel, span.diffuse);
                tu = static_cast<int64_t>(static_cast<uint64_t>(tu) +
                                          static_cast<uint64_t>(span.dtu));
                tv = static_cast<int64_t>(static_cast<uint64_t>(tv) +
                                          static_cast<uint64_t>(span.dtv));
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
                    tu = static_cast<int64_t>(static_cast<uint64_t>(tu) +
                                              static_cast<uint64_t>(span.dtu));
                    tv = static_cast<int64_t>(static_cast<uint64_t>(tv) +
                                              static_cast<uint64_t>(span.dtv));
                }
                sources[i] = source;
            }
        }
        uint32_t* target = span.row + start;
        if constexpr (Kind == BlendKind::General) {
            for (int i = 0; i < count; ++i) {
                if ((sources[i] >> 24) == 0 && m_transparentLeavesTarget) continue;
                target[i] = blendGeneral(sources[i], target[i], m_colourSource, m_colourDestination,
                                         m_alphaSource, m_alphaDestination);
            }
        } else {
            blendRun<Kind>(target, sources, count);
        }
    }
}

}  // namespace sp::render
