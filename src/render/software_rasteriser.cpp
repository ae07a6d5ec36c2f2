// The rasteriser behind SoftwareDevice: convex outlines are cut into row spans,
// each shaded and blended by the row loop of the chosen pixel path.
#include <algorithm>
#include <cmath>
#include <vector>

#include "render/raster_state.h"
#include "render/row_edges.h"
#include "render/texel_sampling.h"

namespace sp::render::detail {

namespace {

// floor() and ceil() as whole numbers, for values limited to ±2^30, far beyond
// every target, without a library call (they are taken many times an outline).
constexpr double kFar = 1 << 30;
int floorWithin(double v) {
    return static_cast<int>(floorToInt64(std::clamp(v, -kFar, kFar)));
}
int ceilWithin(double v) {
    return -floorWithin(-v);
}

// The rows whose centres y + 0.5 lie within lo … hi (limited to ±2^30, far
// beyond any target).
void rowsOfCentres(double lo, double hi, int& first, int& last) {
    first = ceilWithin(lo - 0.5);
    last = floorWithin(hi - 0.5);
}

// The row whose centre is exactly y, or kNoRow.
int rowCentredAt(double y) {
    const double row = y - 0.5;
    if (!(std::fabs(row) < kFar) || row != static_cast<double>(floorWithin(row))) return kNoRow;
    return static_cast<int>(row);
}

// Prepares `r` in place (it is filled field by field where it lies, which is
// quicker than copying a prepared one there).
void prepareRowEdge(RowEdge& r, const EdgeFunction& e, const ParticleVertex& p,
                    const ParticleVertex& q) {
    r.edge = &e;
    r.yMin = std::min<double>(p.y, q.y);
    r.yMax = std::max<double>(p.y, q.y);
    rowsOfCentres(r.yMin, r.yMax, r.rowFirst, r.rowLast);
    if (e.a == 0.0) r.rowLast = r.rowFirst - 1;
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
    r.fixedStart = r.fixedSlope = 0;
    r.fixedTolerance = 0;
    if (r.fixed) {
        r.fixedStart = floorToInt64(atFirstRow * kOne + 0.5);
        r.fixedSlope = floorToInt64(r.slope * kOne + 0.5);
        // Rounding the slope errs by at most 2^-33 a row, under 1e-6 over any target.
        r.fixedTolerance = static_cast<uint64_t>((r.tolerance + 1e-6) * kOne) + 1;
    }
}

bool finite(const ParticleVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

RowLoops pickRasteriser(const RasterState& state) {
    switch (state.path) {
        case PixelPath::Avx512:
            return pickAvx512Rows(state);
        case PixelPath::Avx2:
            return pickAvx2Rows(state);
        case PixelPath::Sse2:
            return pickSse2Rows(state);
        case PixelPath::Scalar:
            break;
    }
    return pickScalarRows(state);
}

// A convex outline prepared for its row loop; the rows refer to the edges, so it stays in place.
struct Outline {
    EdgeFunction edges[4];
    RowEdge rowEdges[4];
    RowSetup rows;
};

enum class Prepared {
    Ready,     // rows to draw
    Nothing,   // nothing to draw within the rows
    NotConvex  // a quad that is not convex, or has no area: draw it as triangles
};

// Prepares a convex outline of 3 or 4 vertices for drawing rows yLo … yHi.
Prepared prepareConvex(const RasterState& state, const Texture& target,
                       const ParticleVertex* const* input, int count, int yLo, int yHi,
                       Outline& outline) {
    for (int i = 0; i < count; ++i)
        if (!finite(*input[i])) return Prepared::Nothing;
    double minX = input[0]->x, maxX = input[0]->x, minY = input[0]->y, maxY = input[0]->y;
    for (int i = 1; i < count; ++i) {
        minX = std::min<double>(minX, input[i]->x);
        maxX = std::max<double>(maxX, input[i]->x);
        minY = std::min<double>(minY, input[i]->y);
        maxY = std::max<double>(maxY, input[i]->y);
    }
    const int yStart = std::max(0, floorWithin(minY - 0.5));
    const int yEnd = std::min(target.height() - 1, ceilWithin(maxY - 0.5));
    // Outlines wholly above or below the band are passed over before any more
    // is made of them: each band sees every primitive.
    if (std::max(yStart, yLo) > std::min(yEnd, yHi)) return Prepared::Nothing;
    const ParticleVertex* p[4] = {input[0], input[1], input[2], count == 4 ? input[3] : nullptr};
    double area = EdgeFunction::through(*p[0], *p[1]).at(p[2]->x, p[2]->y);
    if (area == 0.0 || !std::isfinite(area))
        return count == 3 ? Prepared::Nothing : Prepared::NotConvex;
    if (area < 0.0) {
        std::reverse(p, p + count);
        area = -area;
    }
    EdgeFunction* edges = outline.edges;
    RowEdge* rowEdges = outline.rowEdges;
    for (int i = 0; i < count; ++i) {
        const ParticleVertex& next = *p[i + 1 < count ? i + 1 : 0];
        edges[i] = EdgeFunction::through(*p[i], next);
        prepareRowEdge(rowEdges[i], edges[i], *p[i], next);
    }
    if (count == 4) {
        // Every corner must turn the same way, or the outline is not convex.
        for (int i = 0; i < 4; ++i)
            if (edges[i].at(p[(i + 2) % 4]->x, p[(i + 2) % 4]->y) <= 0.0)
                return Prepared::NotConvex;
    }

    const int xLimitLo = std::max(0, floorWithin(minX - 0.5));
    const int xLimitHi = std::min(target.width() - 1, ceilWithin(maxX - 0.5));
    if (yStart > yEnd || xLimitLo > xLimitHi) return Prepared::Nothing;

    // Attribute planes from the first three vertices: value(x, y) = dx·x + dy·y + c.
    // The first two are the outline's own first edges.
    const EdgeFunction& e01 = edges[0];
    const EdgeFunction& e12 = edges[1];
    const EdgeFunction e20 = count == 3 ? edges[2] : EdgeFunction::through(*p[2], *p[0]);
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
    const double texW = state.texture ? state.texture->width() : 1,
                 texH = state.texture ? state.texture->height() : 1;
    const double centre = state.filter == TextureFilter::Linear ? 0.5 : 0.0;
    RowSetup& rows = outline.rows;
    rows.edges = rowEdges;
    rows.count = count;
    rows.yStart = yStart;
    rows.yEnd = yEnd;
    rows.xLimitLo = xLimitLo;
    rows.xLimitHi = xLimitHi;
    rowsOfCentres(minY, maxY, rows.rowFirst, rows.rowLast);
    rows.topRow = rowCentredAt(minY);
    rows.bottomRow = rowCentredAt(maxY);
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
    // The band's rows only; texture positions still count from the outline's first row.
    rows.yFirst = std::max(yStart, yLo);
    rows.yLast = std::min(yEnd, yHi);
    return rows.yFirst <= rows.yLast ? Prepared::Ready : Prepared::Nothing;
}

// Draws a convex outline of 3 or 4 vertices; false when it is a quad to be
// drawn as triangles instead.
bool drawConvex(const RasterState& state, Texture& target, const ParticleVertex* const* input,
                int count, int yLo, int yHi) {
    Outline outline;
    const Prepared prepared = prepareConvex(state, target, input, count, yLo, yHi, outline);
    if (prepared == Prepared::Ready) pickRasteriser(state).outline(state, target, outline.rows);
    return prepared != Prepared::NotConvex;
}

}  // namespace

void drawStripRows(const RasterState& state, Texture& target, const ParticleVertex* v,
                   std::size_t count, int yLo, int yHi) {
    // A strip of one quad whose sides are parallel in pairs is drawn as one
    // outline: the same pixels as its two triangles, with half the setup.
    if (count == 4 && v[0].diffuse == v[1].diffuse && v[0].diffuse == v[2].diffuse &&
        v[0].diffuse == v[3].diffuse && v[0].x + v[3].x == v[1].x + v[2].x &&
        v[0].y + v[3].y == v[1].y + v[2].y && v[0].u + v[3].u == v[1].u + v[2].u &&
        v[0].v + v[3].v == v[1].v + v[2].v) {
        const ParticleVertex* outline[4] = {&v[0], &v[1], &v[3], &v[2]};
        if (drawConvex(state, target, outline, 4, yLo, yHi)) return;
    }
    if (count < 3) return;
    if (count == 3) {
        const ParticleVertex* triangle[3] = {&v[0], &v[1], &v[2]};
        drawConvex(state, target, triangle, 3, yLo, yHi);
        return;
    }
    // The triangles are drawn as one shape, a row across all of them at a time,
    // so that a row of a long thin strip is one run of pixels rather than many
    // tiny ones; a few hundred at once, which keeps the memory bounded and
    // changes nothing, as each group is drawn after the ones before it.
    constexpr std::size_t kGroup = 256;
    const RowLoops loops = pickRasteriser(state);
    std::vector<Outline> outlines(std::min(kGroup, count - 2));
    std::vector<RowSetup> ready;
    ready.reserve(outlines.size());
    for (std::size_t first = 2; first < count; first += kGroup) {
        const std::size_t last = std::min(count, first + kGroup);
        ready.clear();
        for (std::size_t i = first; i < last; ++i) {
            const ParticleVertex* triangle[3] = {&v[i - 2], &v[i - 1], &v[i]};
            Outline& outline = outlines[i - first];
            if (prepareConvex(state, target, triangle, 3, yLo, yHi, outline) == Prepared::Ready)
                ready.push_back(outline.rows);
        }
        if (!ready.empty())
            loops.strip(state, target, ready.data(), static_cast<int>(ready.size()));
    }
}

}  // namespace sp::render::detail
