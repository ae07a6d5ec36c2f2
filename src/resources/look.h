#pragma once

#include <QFont>
#include <QImage>
#include <QString>

namespace sp {

// The named font where it is installed, else the system's sans; Japanese text
// falls back to a Japanese face either way.
QFont panelFont(const QString& family, int pixelSize, bool bold);

// A picture from the artwork, drawn again when the screen's pixel ratio changes.
class CachedArtwork {
  public:
    using Maker = QImage (*)(qreal);
    explicit CachedArtwork(Maker make) : m_make(make) {}
    const QImage& at(qreal ratio);

  private:
    Maker m_make;
    QImage m_image;
    qreal m_ratio = 0;
};

}  // namespace sp
