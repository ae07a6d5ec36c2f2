#pragma once

#include <QByteArray>
#include <QImage>

namespace sp {

// How a PNG is compressed.
struct PngCompression {
    int level = 6;  // zlib level, 0 (stored) to 9
    // Per row the filter whose output has the smallest sum of magnitudes (the
    // usual choice of PNG writers); without it every row is stored unfiltered.
    bool adaptiveFilter = true;
};

// Frames that a RENDER program reads back once before they are deleted: a fast
// level without filtering writes them about five times faster than the
// platform's writer, at roughly the same size, and they also decode faster.
inline constexpr PngCompression kScratchPng{1, false};

// Pictures the user keeps (the sheet). Level 6 with the adaptive filters is
// what the platform's writer used, and measured on the four samples' sheets it
// is the knee of the curve: level 5 makes the files about 1 % larger for a
// third less time, levels 7 to 9 save 0.1 to 0.9 % for 1.2 to 4 times the
// deflate time. The file comes out a little smaller than the platform's all
// the same, since the data is not cut into 8 KiB chunks.
inline constexpr PngCompression kKeptPng{6, true};

// Encodes an 8-bit RGBA PNG (RGB for pictures without an alpha channel). Large
// pictures are compressed in pieces of a fixed number of rows on several
// threads; each piece starts from the previous piece's last 32 KiB, so the
// file is as small as one stream would make it, and its bytes do not depend on
// the number of threads. Returns an empty array when memory runs out.
QByteArray encodePng(const QImage& picture, const PngCompression& compression);

}  // namespace sp
