#pragma once

#include <QByteArray>
#include <QImage>

namespace sp {

// A picture as a 32-bit BMP that keeps its alpha channel: Qt's own BMP writer
// drops alpha, so pictures with alpha are written as 32-bit BMPs with a version 5
// header whose bit fields include the alpha mask, the form common viewers and
// Qt's reader take alpha from.
QByteArray encodeBmpWithAlpha(const QImage& picture);

}  // namespace sp
