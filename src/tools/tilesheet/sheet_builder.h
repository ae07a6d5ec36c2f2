#pragma once

#include <QString>
#include <QStringList>
#include <utility>

#include "tools/common/render_job.h"
#include "tools/tilesheet/sheet_plan.h"

namespace sp::tools {

// Lays the frames of an export into sheets. Without the sheet options: row by row into
// sheets of "x" columns × "y" rows of canvas-sized cells, one sheet per group of x × y
// frames, so no frame is ever dropped (with the editor's layout that is "sep" sheets).
// With them, the frames are first trimmed (to the shared visible bounds, keeping the grid,
// or each to its own, packed), spaced by the padding and extruded, and a sheet that would
// exceed the size limit holds fewer frames, the rest going to further sheets. Cells without
// a frame stay transparent (black for JPEG). A single sheet is "<result><ext>"; several are
// "<result>_0<ext>", "<result>_1<ext>", … Beside each sheet goes "<sheet without
// extension>.json", the JSON atlas that Phaser and PixiJS load, listing that sheet's
// frames under names numbered across all sheets.
class SheetBuilder {
  public:
    explicit SheetBuilder(RenderJob job) : m_job(std::move(job)) {}

    // The sheet's path without its extension; the picture adds the frames' extension,
    // the atlas ".json".
    QString sheetStem(int sheet, int sheets) const;

    // Writes every sheet and its atlas; returns the written files. Throws Failure, and
    // then leaves none of the sheets behind.
    QStringList run();

  private:
    SheetPlan plan() const;
    // Adds each file to `written` as soon as it is in place.
    void writeSheets(const SheetPlan& sheets, QStringList& written) const;

    RenderJob m_job;
};

}  // namespace sp::tools
