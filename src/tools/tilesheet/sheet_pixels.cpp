#include "tools/tilesheet/sheet_pixels.h"

#include <algorithm>

namespace sp::tools {

QRect visibleBounds(const QImage& frame, QSize canvas) {
    const int w = std::min(frame.width(), canvas.width());
    const int h = std::min(frame.height(), canvas.height());
    if (!frame.hasAlphaChannel()) return QRect(0, 0, w, h);
    const QImage argb = frame.format() == QImage::Format_ARGB32
                            ? frame
                            : frame.convertToFormat(QImage::Format_ARGB32);
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void drawCell(QImage& sheet, QPoint at, const QImage& frame, QRect source, int extrude,
              bool premultiply) {
    for (int dy = -extrude; dy < source.height() + extrude; ++dy) {
        const int sy = source.top() + std::clamp(dy, 0, source.height() - 1);
        const QRgb* from = reinterpret_cast<const QRgb*>(frame.constScanLine(sy));
        QRgb* to = reinterpret_cast<QRgb*>(sheet.scanLine(at.y() + dy));
        for (int dx = -extrude; dx < source.width() + extrude; ++dx) {
            const QRgb p = from[source.left() + std::clamp(dx, 0, source.width() - 1)];
            to[at.x() + dx] = premultiply ? premultiplied(p) : p;
        }
    }
}

}  // namespace sp::tools
