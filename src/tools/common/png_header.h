#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace sp::tools {

// What a PNG file shows without decoding it: its size from the header, and
// whether it ends with the image's end chunk as every completely written PNG does.
struct PngHeader {
    QSize size;
    bool complete = false;
};

// Reads the first and the last bytes of a file; nullopt when it does not start as a PNG.
std::optional<PngHeader> readPngHeader(const QString& path);

}  // namespace sp::tools
