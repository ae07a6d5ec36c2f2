#pragma once

// Finding an outline's pixels on a row: from its full setup, and from a packed
// copy of what the strip's row walk reads of it every row.

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "render/always_inline.h"
#include "render/raster_state.h"
#include "render/row_edges.h"

namespace sp::render::detail {
// Internal linkage for the reason given in always_inline.h.
namespace {

// The outline's pixels on row y, x0 … x1; false when it covers none there.
SP_ALWAYS_INLINE bool rowOf(const RowSetup& rows, int y, int& x0, int& x1) {
    if (y < rows.rowFirst || y > rows.rowLast) return false;
    x0 = rows.xLimitLo;
    x1 = rows.xLimitHi;
    return (y == rows.topRow || y == rows.bottomRow)
               ? rowSpan<true>(rows.edges, rows.count, y, x0, x1)
               : rowSpan<false>(rows.edges, rows.count, y, x0, x1);
}

// An edge's crossings in fixed point, as the row walk reads them.
struct WalkEdge {
    int64_t start, slope;
    uint64_t tolerance;
    int rowFirst, rowLast;
    bool lower;
};

// What the row walk of a strip reads of an outline on every row, side by side,
// so that a strip of a few hundred triangles stays in the nearest cache while
// its rows are walked (their full setups would not).
struct WalkOutline {
    int yLast, rowFirst, rowLast, topRow, bottomRow, xLimitLo, xLimitHi, yStart;
    bool lean;  // a triangle whose edges all cross rows in fixed point
    bool bulk;  // its texture positions are made for bulk sampling
    uint32_t diffuse;
    WalkEdge edges[3];
    int64_t rowU, rowV, rowStepU, rowStepV, dtu, dtv;
};

// The rows and columns an outline is limited to, as both packed copies hold them.
template <class Walk>
void copyLimits(const RowSetup& rows, Walk& w) {
    w.rowFirst = rows.rowFirst;
    w.rowLast = rows.rowLast;
    w.topRow = rows.topRow;
    w.bottomRow = rows.bottomRow;
    w.xLimitLo = rows.xLimitLo;
    w.xLimitHi = rows.xLimitHi;
}

// Packs the outline's first `count` edges for the row walk, an edge that does
// not cross rows in fixed point as one that bounds none; true when every edge
// that bounds rows crosses them in fixed point.
inline bool packEdges(const RowSetup& rows, WalkEdge* edges, int count) {
    bool lean = true;
    for (int k = 0; k < count; ++k) {
        const RowEdge& e = rows.edges[k];
        lean = lean && (e.fixed || e.rowFirst > e.rowLast);
        edges[k] = {e.fixedStart,
                    e.fixedSlope,
                    e.fixedTolerance,
                    e.fixed ? e.rowFirst : 1,
                    e.fixed ? e.rowLast : 0,
                    e.lower};
    }
    return lean;
}

inline WalkOutline walkOutlineOf(const RowSetup& rows, bool bulk) {
    WalkOutline w;
    w.yLast = rows.yLast;
    copyLimits(rows, w);
    w.yStart = rows.yStart;
    w.lean = rows.count == 3 && packEdges(rows, w.edges, 3);
    w.bulk = bulk;
    w.diffuse = rows.diffuse;
    w.rowU = rows.rowU;
    w.rowV = rows.rowV;
    w.rowStepU = rows.rowStepU;
    w.rowStepV = rows.rowStepV;
    w.dtu = rows.dtu;
    w.dtv = rows.dtv;
    return w;
}

// rowOf() from the packed copy: the same pixels, the full setup consulted only
// on the outline's top and bottom rows and where a crossing falls so close to
// a pixel centre that the edge itself must decide.
SP_ALWAYS_INLINE bool walkRowOf(const WalkOutline& w, const RowSetup& rows, int y, int& x0,
                                int& x1) {
    if (y < w.rowFirst || y > w.rowLast) return false;
    if (!w.lean || y == w.topRow || y == w.bottomRow) return rowOf(rows, y, x0, x1);
    int lo = w.xLimitLo, hi = w.xLimitHi;
    for (const WalkEdge& e : w.edges) {
        if (y < e.rowFirst || y > e.rowLast) continue;
        const int64_t t = e.start + static_cast<int64_t>(y) * e.slope;
        const uint64_t fraction = static_cast<uint64_t>(t) & 0xFFFFFFFFull;
        if (fraction <= e.tolerance || fraction >= 0x100000000ull - e.tolerance)
            return rowOf(rows, y, x0, x1);
        const int64_t below = t >> 32;
        if (e.lower) {
            lo = static_cast<int>(std::max<int64_t>(lo, below + 1));
        } else {
            hi = static_cast<int>(std::min<int64_t>(hi, below));
        }
    }
    x0 = lo;
    x1 = hi;
    return lo <= hi;
}

// walkRowOf()'s packed copy for an outline drawn alone, of three or four edges:
// the same fields, so that the eight-row walk reads either.
struct OutlineWalk {
    int rowFirst, rowLast, topRow, bottomRow, xLimitLo, xLimitHi;
    bool lean;  // every edge that bounds a row between the top and bottom crosses it in fixed point
    WalkEdge edges[4];
};

inline OutlineWalk outlineWalkOf(const RowSetup& rows) {
    OutlineWalk w;
    copyLimits(rows, w);
    w.lean = packEdges(rows, w.edges, rows.count);
    // A triangle's fourth edge bounds no row.
    for (int k = rows.count; k < 4; ++k) w.edges[k] = {0, 0, 0, 1, 0, false};
    return w;
}

// The ends of a row's run in a strip's grid that mark a row with no run yet,
// or none: a row broken by an outline that neither begins at the run's end nor
// ends at its start.
constexpr int kRunEmpty = -1, kRunBroken = -2;

// The number of edges of a walk's outline.
template <class Walk>
constexpr int kEdgesOf = static_cast<int>(std::extent_v<decltype(Walk::edges)>);

// The steps of an outline's edge crossings from row to row, over eight rows,
// for walkEightRows().
template <int Edges>
struct WalkSteps {
    int64_t lane[Edges][8];  // k rows down, k = 0 … 7
};

template <class Walk>
WalkSteps<kEdgesOf<Walk>> walkStepsOf(const Walk& w) {
    WalkSteps<kEdgesOf<Walk>> s;
    for (int e = 0; e < kEdgesOf<Walk>; ++e)
        for (int k = 0; k < 8; ++k)
            s.lane[e][k] = static_cast<int64_t>(static_cast<uint64_t>(w.edges[e].slope) *
                                                static_cast<uint64_t>(k));
    return s;
}

// The texture position of pixel x of row y (texels × 2^32), from an outline's
// full setup or the row walk's packed copy of it.
template <class Outline>
SP_ALWAYS_INLINE void positionAt(const Outline& w, int y, int x, uint64_t& tu, uint64_t& tv) {
    // Unsigned, so that absurd slivers wrap instead of overflowing.
    const uint64_t r = static_cast<uint64_t>(y - w.yStart),
                   column = static_cast<uint64_t>(static_cast<int64_t>(x));
    tu = static_cast<uint64_t>(w.rowU) + r * static_cast<uint64_t>(w.rowStepU) +
         column * static_cast<uint64_t>(w.dtu);
    tv = static_cast<uint64_t>(w.rowV) + r * static_cast<uint64_t>(w.rowStepV) +
         column * static_cast<uint64_t>(w.dtv);
}

// The texture positions of pixels x0 … x1 of row y for bulk sampling (texels
// × 2^8), as startSpan() and makePositions() make them. With Ahead, positions
// are made for four pixels at least, so that the short spans of a strip's
// triangles take no branch on their length; the buffers must have room for them.
template <bool Ahead>
SP_ALWAYS_INLINE void walkPositions(const WalkOutline& w, int y, int x0, int x1, uint32_t* pu,
                                    uint32_t* pv) {
    const uint64_t du = static_cast<uint64_t>(w.dtu), dv = static_cast<uint64_t>(w.dtv);
    uint64_t tu, tv;
    positionAt(w, y, x0, tu, tv);
    int x = x0;
    if constexpr (Ahead) {
        for (int k = 0; k < 4; ++k) {
            pu[x + k] = static_cast<uint32_t>(tu >> 24);
            pv[x + k] = static_cast<uint32_t>(tv >> 24);
            tu += du;
            tv += dv;
        }
        x += 4;
    }
    for (; x <= x1; ++x) {
        pu[x] = static_cast<uint32_t>(tu >> 24);
        pv[x] = static_cast<uint32_t>(tv >> 24);
        tu += du;
        tv += dv;
    }
}

}  // namespace
}  // namespace sp::render::detail
