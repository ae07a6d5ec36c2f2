#include "picture/bmp_writer.h"

namespace sp {

namespace {

void appendLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

QByteArray encodeBmpWithAlpha(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    constexpr quint32 kFileHeaderSize = 14;
    constexpr quint32 kInfoHeaderSize = 124;
    const quint32 pixelBytes = quint32(image.width()) * quint32(image.height()) * 4;
    QByteArray out;
    out.reserve(int(kFileHeaderSize + kInfoHeaderSize + pixelBytes));
    out.append("BM", 2);
    appendLittleEndian(out, kFileHeaderSize + kInfoHeaderSize + pixelBytes, 4);
    appendLittleEndian(out, 0, 4);  // reserved
    appendLittleEndian(out, kFileHeaderSize + kInfoHeaderSize, 4);

    appendLittleEndian(out, kInfoHeaderSize, 4);
    appendLittleEndian(out, quint32(image.width()), 4);
    appendLittleEndian(out, quint32(image.height()), 4);  // positive: rows bottom-up
    appendLittleEndian(out, 1, 2);                        // planes
    appendLittleEndian(out, 32, 2);                       // bits per pixel
    appendLittleEndian(out, 3, 4);                        // BI_BITFIELDS
    appendLittleEndian(out, pixelBytes, 4);
    appendLittleEndian(out, 2835, 4);  // 72 dpi
    appendLittleEndian(out, 2835, 4);
    appendLittleEndian(out, 0, 4);  // palette size
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0x00FF0000, 4);  // red, green, blue and alpha masks
    appendLittleEndian(out, 0x0000FF00, 4);
    appendLittleEndian(out, 0x000000FF, 4);
    appendLittleEndian(out, 0xFF000000, 4);
    appendLittleEndian(out, 0x73524742, 4);  // 'sRGB'
    out.append(QByteArray(36 + 12, '\0'));   // end points and gamma, unused with sRGB
    appendLittleEndian(out, 4, 4);           // rendering intent: pictures
    appendLittleEndian(out, 0, 4);           // no profile
    appendLittleEndian(out, 0, 4);
    appendLittleEndian(out, 0, 4);  // reserved

    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) appendLittleEndian(out, row[x], 4);
    }
    return out;
}

}  // namespace sp
