#pragma once

// Finding the row spans of convex outlines: edge functions, the crossing of
// each edge with a row, and the exact decision for centres close to an edge.
// Used by the row loop, once a row, so it lives here to be inlined into it.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/always_inline.h"
#include "render/device.h"
#include "render/texel_sampling.h"

namespace sp::render::detail {

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

// One edge prepared for finding row spans.
struct RowEdge {
    const EdgeFunction* edge;
    double yMin, yMax;      // rows outside this range are bounded by other edges
    int rowFirst, rowLast;  // the rows whose centres lie in that range; none for a horizontal edge
    double start, slope;    // crossing at row centre y, in pixel indices: start + y · slope
    double tolerance;       // below this distance to a pixel centre, rounding could matter
    bool lower;             // the edge bounds the span from the left
    // The crossing at row y in 32.32 fixed point, fixedStart + y · fixedSlope, for
    // edges steep enough that it stays in range.
    bool fixed;
    int64_t fixedStart, fixedSlope;
    uint64_t fixedTolerance;
};

// Stands for an outline's top or bottom row where no row's centre lies on it.
constexpr int kNoRow = -(1 << 30) - 1;

// Internal linkage for the reason given in always_inline.h.
namespace {

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
            if (y < e.rowFirst || y > e.rowLast) continue;
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
}  // namespace sp::render::detail
