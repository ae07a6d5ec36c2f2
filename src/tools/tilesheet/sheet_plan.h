#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

#include "exchange/sheet_options.h"

namespace sp::tools {

// Where one frame goes: its sheet, the top-left of its picture on that sheet
// (inside the extruded edge), and the part of the canvas it shows.
struct FramePlace {
    int sheet = 0;
    QPoint at;
    QRect source;
    bool trimmed = false;  // the source is less than the whole canvas
};

struct SheetPlan {
    std::vector<QSize> sheets;
    std::vector<FramePlace> frames;
};

// The part of each frame a sheet keeps: the whole canvas; the union of every
// frame's visible part, so that all cells stay one size; or each frame's own
// visible part. `visible` holds each frame's visible bounds (empty when the
// frame shows nothing). A frame that shows nothing keeps one pixel.
std::vector<QRect> trimmedSources(exchange::Trim trim, QSize canvas,
                                  const std::vector<QRect>& visible);

// Grid sheets of at most `columns` × `rows` cells of one size, filled row by
// row and sheet by sheet in frame order, fewer cells a sheet when the sheet
// would exceed the size limit. The sources must all have one size, which must
// fit a sheet.
SheetPlan gridPlan(const std::vector<QRect>& sources, QSize canvas, int columns, int rows,
                   const exchange::SheetOptions& options);

// Sheets onto which the sources are packed as tightly as they go.
SheetPlan packedPlan(const std::vector<QRect>& sources, QSize canvas,
                     const exchange::SheetOptions& options);

}  // namespace sp::tools
