#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace sp::tools {

// The bounds of the pixels of `frame` within `canvas` that are not fully
// transparent; empty when there are none. Opaque formats are visible everywhere.
QRect visibleBounds(const QImage& frame, QSize canvas);

// Copies `source` of `frame` to `at` on `sheet` (both 32-bit, the sheet ARGB32 or
// RGB32) and repeats its outermost pixels `extrude` times around it, corners
// included. With `premultiply` the colours are multiplied by their alpha on the
// way.
void drawCell(QImage& sheet, QPoint at, const QImage& frame, QRect source, int extrude,
              bool premultiply);

// A straight-alpha ARGB32 pixel with its colour channels multiplied by its
// alpha, each rounded to nearest: exact, so edges do not darken twice.
inline QRgb premultiplied(QRgb p) {
    const unsigned a = qAlpha(p);
    if (a == 255) return p;
    auto mul = [a](unsigned c) { return (c * a + 127) / 255; };
    return qRgba(static_cast<int>(mul(qRed(p))), static_cast<int>(mul(qGreen(p))),
                 static_cast<int>(mul(qBlue(p))), static_cast<int>(a));
}

}  // namespace sp::tools
