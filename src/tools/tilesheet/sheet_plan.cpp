#include "tools/tilesheet/sheet_plan.h"

#include <algorithm>

#include "tools/tilesheet/frame_packer.h"

namespace sp::tools {
namespace {

int roundSide(long long side, const exchange::SheetOptions& o) {
    if (!o.powerOfTwo) return static_cast<int>(side);
    long long p = 1;
    while (p < side) p *= 2;
    return static_cast<int>(p);
}

bool isWhole(const QRect& source, QSize canvas) {
    return source == QRect(QPoint(0, 0), canvas);
}

}  // namespace

std::vector<QRect> trimmedSources(exchange::Trim trim, QSize canvas,
                                  const std::vector<QRect>& visible) {
    const QRect whole(QPoint(0, 0), canvas);
    const QRect nothing(0, 0, 1, 1);
    std::vector<QRect> sources(visible.size(), whole);
    if (trim == exchange::Trim::Each) {
        for (std::size_t i = 0; i < visible.size(); ++i)
            sources[i] = visible[i].isEmpty() ? nothing : (visible[i] & whole);
    } else if (trim == exchange::Trim::Shared) {
        QRect all;
        for (const QRect& r : visible) all |= r;
        all &= whole;
        std::fill(sources.begin(), sources.end(), all.isEmpty() ? nothing : all);
    }
    return sources;
}

SheetPlan gridPlan(const std::vector<QRect>& sources, QSize canvas, int columns, int rows,
                   const exchange::SheetOptions& o) {
    SheetPlan plan;
    if (sources.empty()) return plan;
    const QSize cell = sources.front().size();
    if (!exchange::frameFitsSheet(cell.width(), cell.height(), o)) {
        plan.frames.assign(sources.size(), FramePlace{-1, {}, {}, false});
        return plan;
    }
    const long long strideX = exchange::cellStride(cell.width(), o);
    const long long strideY = exchange::cellStride(cell.height(), o);
    const long long usable = exchange::usableSheetSide(o);
    const int fitX = static_cast<int>(std::max<long long>(1, (usable - o.padding) / strideX));
    const int fitY = static_cast<int>(std::max<long long>(1, (usable - o.padding) / strideY));
    const int cols = std::max(1, std::min(columns, fitX));
    const int rowsPerSheet = std::max(1, std::min(rows, fitY));
    const int perSheet = cols * rowsPerSheet;
    const int sheetCount = (static_cast<int>(sources.size()) + perSheet - 1) / perSheet;
    const QSize sheet(roundSide(o.padding + cols * strideX, o),
                      roundSide(o.padding + rowsPerSheet * strideY, o));
    plan.sheets.assign(static_cast<std::size_t>(sheetCount), sheet);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const int index = static_cast<int>(i);
        const int c = index % perSheet;
        FramePlace place;
        place.sheet = index / perSheet;
        place.at = QPoint(static_cast<int>(o.padding + (c % cols) * strideX + o.extrude),
                          static_cast<int>(o.padding + (c / cols) * strideY + o.extrude));
        place.source = sources[i];
        place.trimmed = !isWhole(sources[i], canvas);
        plan.frames.push_back(place);
    }
    return plan;
}

SheetPlan packedPlan(const std::vector<QRect>& sources, QSize canvas,
                     const exchange::SheetOptions& o) {
    std::vector<PackSize> sizes;
    sizes.reserve(sources.size());
    for (const QRect& r : sources)
        sizes.push_back({static_cast<int>(exchange::cellStride(r.width(), o)),
                         static_cast<int>(exchange::cellStride(r.height(), o))});
    const PackResult packed = packRectangles(sizes, static_cast<int>(exchange::usableSheetSide(o)),
                                             o.powerOfTwo, o.padding);
    SheetPlan plan;
    for (const PackSize& bin : packed.bins)
        plan.sheets.emplace_back(roundSide(o.padding + bin.w, o), roundSide(o.padding + bin.h, o));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const PackPlace& p = packed.places[i];
        FramePlace place;
        place.sheet = p.bin;
        place.at = QPoint(o.padding + p.x + o.extrude, o.padding + p.y + o.extrude);
        place.source = sources[i];
        place.trimmed = !isWhole(sources[i], canvas);
        plan.frames.push_back(place);
    }
    return plan;
}

}  // namespace sp::tools
