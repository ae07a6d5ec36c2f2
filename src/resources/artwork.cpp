#include "resources/artwork.h"

// Placeholder pictures of the right sizes, until the artwork is drawn.
namespace sp::artwork {
namespace {

QImage blank(int width, int height, qreal ratio) {
    QImage image(qRound(width * ratio), qRound(height * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::darkGray);
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

QImage toolbarButtons(qreal ratio) {
    return blank(624, 64, ratio);
}
QImage toolbarStrip(qreal ratio) {
    return blank(10, 26, ratio);
}
QImage panelTitleStrip(qreal ratio) {
    return blank(256, 16, ratio);
}
QImage panelBackground(qreal ratio) {
    return blank(256, 256, ratio);
}
QImage nodeButtonFaces(qreal ratio) {
    return blank(234, 40, ratio);
}
QImage materialButtonFaces(qreal ratio) {
    return blank(52, 40, ratio);
}
QImage materialRowBackground(qreal ratio) {
    return blank(220, 96, ratio);
}
QIcon windowIcon() {
    return QIcon(QPixmap::fromImage(blank(32, 32, 1.0)));
}

}  // namespace sp::artwork
