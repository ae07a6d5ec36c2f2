#pragma once

#include <QJsonObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "exchange/sheet_options.h"
#include "tools/tilesheet/sheet_plan.h"

namespace sp::tools {

// What the atlas beside one sheet says.
struct AtlasSheet {
    QString baseName;   // the result's file name, which the frame names start with
    QString imageName;  // the sheet picture's file name
    QSize size;
    QSize canvas;
    int duration = 0;                                 // of every frame, in milliseconds
    bool alpha = true;                                // the picture keeps alpha (not JPEG)
    std::vector<int> frames;                          // the frame numbers on this sheet, ascending
    const std::vector<FramePlace>* places = nullptr;  // every frame's place, by frame number
    // The sheet options, when the export asked for them: then the atlas also names
    // the sequence, says how alpha is stored and lists the other sheets' atlases.
    const exchange::SheetOptions* options = nullptr;
    QStringList otherAtlases;
};

// The JSON atlas Phaser and PixiJS load: frames as a hash keyed by name (or, on
// request, an array with each frame's "filename"), each with its place on the
// sheet, whether and how it was trimmed, and the canvas it came from.
QJsonObject atlasJson(const AtlasSheet& sheet);

// "<base>_0007": the name of frame 7.
QString atlasFrameName(const QString& baseName, int frame);

}  // namespace sp::tools
