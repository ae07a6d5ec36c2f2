#include "resources/look.h"

#include <QFontDatabase>

namespace sp {

QFont panelFont(const QString& family, int pixelSize, bool bold) {
    const QString chosen = QFontDatabase::hasFamily(family)
                               ? family
                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont font(chosen);
    font.setFamilies({chosen, QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

const QImage& CachedArtwork::at(qreal ratio) {
    if (m_image.isNull() || m_ratio != ratio) {
        m_image = m_make(ratio);
        m_ratio = ratio;
    }
    return m_image;
}

}  // namespace sp
