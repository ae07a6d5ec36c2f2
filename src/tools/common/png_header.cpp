#include "tools/common/png_header.h"

#include <QByteArray>
#include <QFile>

namespace sp::tools {
namespace {

// The signature, then the header chunk's length (13) and type.
const QByteArray kStart("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
// An empty end chunk with its checksum.
const QByteArray kEnd("\0\0\0\0IEND\xae\x42\x60\x82", 12);

quint32 bigEndian(const QByteArray& bytes, int at) {
    const auto byte = [&](int i) { return quint32(quint8(bytes[at + i])); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

}  // namespace

std::optional<PngHeader> readPngHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray start = file.read(24);
    if (start.size() != 24 || !start.startsWith(kStart)) return std::nullopt;
    const quint32 width = bigEndian(start, 16);
    const quint32 height = bigEndian(start, 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return std::nullopt;
    PngHeader header;
    header.size = QSize(int(width), int(height));
    const qint64 size = file.size();
    header.complete =
        size >= 24 + kEnd.size() && file.seek(size - kEnd.size()) && file.read(kEnd.size()) == kEnd;
    return header;
}

}  // namespace sp::tools
