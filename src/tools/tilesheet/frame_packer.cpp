#include "tools/tilesheet/frame_packer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace sp::tools {
namespace {

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool contains(const Rect& o) const {
        return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
    }
    bool overlaps(const Rect& o) const {
        return o.x < right() && x < o.right() && o.y < bottom() && y < o.bottom();
    }
};

// One bin of the maximal-rectangles method: the free space is kept as the list
// of every largest empty rectangle, which may overlap one another.
class MaxRectsBin {
  public:
    MaxRectsBin(int w, int h) { m_free.push_back({0, 0, w, h}); }

    bool insert(int w, int h, Rect& placed) {
        int bestShort = INT_MAX;
        int bestLong = INT_MAX;
        const Rect* best = nullptr;
        for (const Rect& f : m_free) {
            if (w > f.w || h > f.h) continue;
            const int dw = f.w - w;
            const int dh = f.h - h;
            const int shortSide = std::min(dw, dh);
            const int longSide = std::max(dw, dh);
            if (shortSide < bestShort || (shortSide == bestShort && longSide < bestLong)) {
                bestShort = shortSide;
                bestLong = longSide;
                best = &f;
            }
        }
        if (best == nullptr) return false;
        placed = {best->x, best->y, w, h};
        split(placed);
        return true;
    }

  private:
    // Every free rectangle the new one overlaps gives up to four smaller ones
    // around it; those inside another free rectangle are dropped.
    void split(const Rect& used) {
        std::vector<Rect> next;
        next.reserve(m_free.size() + 4);
        for (const Rect& f : m_free) {
            if (!f.overlaps(used)) {
                next.push_back(f);
                continue;
            }
            if (used.x > f.x) next.push_back({f.x, f.y, used.x - f.x, f.h});
            if (used.right() < f.right())
                next.push_back({used.right(), f.y, f.right() - used.right(), f.h});
            if (used.y > f.y) next.push_back({f.x, f.y, f.w, used.y - f.y});
            if (used.bottom() < f.bottom())
                next.push_back({f.x, used.bottom(), f.w, f.bottom() - used.bottom()});
        }
        m_free.clear();
        for (std::size_t i = 0; i < next.size(); ++i) {
            bool inside = false;
            for (std::size_t j = 0; j < next.size() && !inside; ++j) {
                if (i == j) continue;
                // Of two equal rectangles the later one is kept.
                inside = next[j].contains(next[i]) && (!next[i].contains(next[j]) || i < j);
            }
            if (!inside) m_free.push_back(next[i]);
        }
    }

    std::vector<Rect> m_free;
};

int nextPowerOfTwo(long long v) {
    long long p = 1;
    while (p < v) p *= 2;
    return static_cast<int>(std::min<long long>(p, INT_MAX));
}

// Packs `order` (indices into sizes) into one bin of side × side; returns how
// many of them, from the front, were placed.
std::size_t packInto(const std::vector<PackSize>& sizes, const std::vector<std::size_t>& order,
                     int side, std::vector<Rect>& placed, bool stopAtFirstMiss) {
    MaxRectsBin bin(std::max(side, 0), std::max(side, 0));
    placed.assign(order.size(), Rect{});
    std::size_t count = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const PackSize& s = sizes[order[k]];
        Rect r;
        if (!bin.insert(s.w, s.h, r)) {
            if (stopAtFirstMiss) return count;
            placed[k] = {-1, -1, 0, 0};
            continue;
        }
        placed[k] = r;
        ++count;
    }
    return count;
}

}  // namespace

PackResult packRectangles(const std::vector<PackSize>& sizes, int maxSide, bool powerOfTwo,
                          int margin) {
    PackResult result;
    result.places.assign(sizes.size(), PackPlace{});
    // Taller first, then wider, then in input order: deterministic and dense.
    std::vector<std::size_t> left(sizes.size());
    std::iota(left.begin(), left.end(), std::size_t{0});
    std::stable_sort(left.begin(), left.end(), [&](std::size_t a, std::size_t b) {
        if (sizes[a].h != sizes[b].h) return sizes[a].h > sizes[b].h;
        return sizes[a].w > sizes[b].w;
    });

    std::vector<Rect> placed;
    while (!left.empty()) {
        long long area = 0;
        int widest = 1;
        int tallest = 1;
        for (std::size_t i : left) {
            area += static_cast<long long>(sizes[i].w) * sizes[i].h;
            widest = std::max(widest, sizes[i].w);
            tallest = std::max(tallest, sizes[i].h);
        }
        const long long start =
            margin + std::max<long long>(
                         {static_cast<long long>(std::ceil(std::sqrt(static_cast<double>(area)))),
                          widest, tallest});
        int side = powerOfTwo ? nextPowerOfTwo(start)
                              : static_cast<int>(std::min<long long>(start, maxSide));
        side = std::min(side, maxSide);
        // Grow the trial bin until what is left fits, or the limit is reached.
        for (;;) {
            if (packInto(sizes, left, side - margin, placed, true) == left.size() ||
                side >= maxSide)
                break;
            const long long grown =
                powerOfTwo ? static_cast<long long>(side) * 2 : side + std::max(1, side / 16);
            side = static_cast<int>(std::min<long long>(grown, maxSide));
        }
        // At the limit, as many as fit go onto this bin and the rest onto the next.
        packInto(sizes, left, side - margin, placed, false);
        const int bin = static_cast<int>(result.bins.size());
        PackSize extent;
        std::vector<std::size_t> rest;
        for (std::size_t k = 0; k < left.size(); ++k) {
            const Rect& r = placed[k];
            if (r.x < 0) {
                rest.push_back(left[k]);
                continue;
            }
            result.places[left[k]] = {bin, r.x, r.y};
            extent.w = std::max(extent.w, r.right());
            extent.h = std::max(extent.h, r.bottom());
        }
        // A rectangle larger than an empty bin can never be placed: stop rather than loop.
        if (rest.size() == left.size()) {
            for (std::size_t i : rest) result.places[i] = {-1, 0, 0};
            break;
        }
        result.bins.push_back(extent);
        left = std::move(rest);
    }
    return result;
}

}  // namespace sp::tools
