#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>
#include <stdexcept>
#include <string>

#include "exchange/sheet_options.h"

namespace sp::tools {

// A failure a program reports to the user: a short Japanese sentence (UTF-8).
class Failure : public std::runtime_error {
  public:
    explicit Failure(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// What an export hands to the programs in RENDER/render.ini, and where its frames lie.
struct RenderJob {
    QDir renderDir;      // <workspace>/RENDER
    int lastFrame = 0;   // [info] end: the number of the last frame file
    int fps = 0;         // [info] fps
    QString extension;   // [info] ext, with its dot: ".png", ".bmp" or ".jpg"
    QSize canvas;        // [size] width, height
    QString resultName;  // [result] name: the result's path without an extension
    // [info] x, y, sep: read only for the sprite sheet, else 0.
    int columns = 0;
    int rows = 0;
    int division = 0;
    // [sheet]: present only when the export asked for the sheet's options.
    std::optional<exchange::SheetOptions> sheet;
    // [animation]: the animated picture the movie program makes instead of the movie.
    std::optional<exchange::AnimationFormat> animation;
    int quality = exchange::kLosslessQuality;

    int frameCount() const { return lastFrame + 1; }
    QString frameFileName(int index) const;  // "0003.png"
    QString framePath(int index) const;
    // The writer name Qt knows the frames' format by: "png", "bmp" or "jpeg".
    QByteArray imageFormat() const;
    // PNG and BMP frames keep their alpha; JPEG has none.
    bool formatHasAlpha() const;
};

enum class JobKeys { Frames, FramesAndSheetGrid };

// Reads RENDER/render.ini inside `workspace`. Throws Failure when the file or a key is
// missing or a value is out of range.
RenderJob readRenderJob(const QDir& workspace, JobKeys keys);

// Checks that every frame file exists, can be read, and holds at least the canvas, before
// anything is written. Throws Failure naming the first frame that does not.
void checkFrames(const RenderJob& job);

// Reads one frame; throws Failure when it cannot be read or is smaller than the canvas.
QImage loadFrame(const RenderJob& job, int index);

// Writes a picture or a text through a temporary file beside `path` that replaces the
// target only once it is complete. PNGs get the compression of files the user keeps.
// Throws Failure when that is not possible. The file is unbuffered: a write the disk
// refuses fails at once, where a buffered one would fail only while committing and
// still let the short file replace the target.
void saveImage(const QImage& image, const QString& path, const QByteArray& format);
void saveBytes(const QByteArray& bytes, const QString& path);

// The quality every JPEG the programs write is saved with.
inline constexpr int kJpegQuality = 95;

}  // namespace sp::tools
