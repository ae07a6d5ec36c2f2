#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <utility>

#include "tools/common/render_job.h"

namespace sp::tools {

// Lays the frames of an export row by row into sheets of "x" columns × "y" rows of
// canvas-sized cells, one sheet per group of x × y frames, so no frame is ever dropped
// (with the editor's layout that is "sep" sheets). Cells without a frame stay transparent
// (black for JPEG). A single sheet is "<result><ext>"; several are "<result>_0<ext>",
// "<result>_1<ext>", … Beside each sheet goes "<sheet without extension>.json", the
// JSON-hash atlas that Phaser and PixiJS load, listing that sheet's frames under names
// numbered across all sheets.
class SheetBuilder {
  public:
    explicit SheetBuilder(RenderJob job) : m_job(std::move(job)) {}

    int cellsPerSheet() const { return m_job.columns * m_job.rows; }
    int sheetCount() const;
    // The sheet's path without its extension; the picture adds the frames' extension,
    // the atlas ".json".
    QString sheetStem(int sheet) const;

    // Writes every sheet and its atlas; returns the written files. Throws Failure.
    QStringList run();

  private:
    QJsonObject atlas(int sheet, const QString& imageName) const;

    RenderJob m_job;
};

}  // namespace sp::tools
