#include "panels/panel_chrome.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include "resources/artwork.h"

namespace sp {

void darkenScrollBars(QAbstractScrollArea& area) {
    QPalette palette = area.verticalScrollBar()->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, QColor(42, 44, 48));
        palette.setColor(group, QPalette::Base, QColor(42, 44, 48));
        palette.setColor(group, QPalette::Button, QColor(82, 85, 92));
        palette.setColor(group, QPalette::Light, QColor(110, 114, 122));
        palette.setColor(group, QPalette::Midlight, QColor(96, 99, 106));
        palette.setColor(group, QPalette::Mid, QColor(60, 62, 67));
        palette.setColor(group, QPalette::Dark, QColor(30, 31, 34));
        palette.setColor(group, QPalette::Shadow, QColor(16, 17, 19));
        palette.setColor(group, QPalette::WindowText, QColor(214, 216, 220));
        palette.setColor(group, QPalette::ButtonText, QColor(214, 216, 220));
    }
    area.verticalScrollBar()->setPalette(palette);
    area.horizontalScrollBar()->setPalette(palette);
}

PanelChrome::PanelChrome(QString caption)
    : m_caption(std::move(caption)),
      m_title(artwork::panelTitleStrip),
      m_background(artwork::panelBackground) {}

void PanelChrome::paint(QPainter& painter, const QWidget& panel) {
    const qreal ratio = panel.devicePixelRatioF();
    const int width = panel.width();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    // Source rectangles are in the picture's own pixels.
    const QImage& title = m_title.at(ratio);
    const QRectF strip(0, 0, width, kTitleHeight);
    painter.drawImage(strip, title, QRectF(0, 0, 220 * ratio, kTitleHeight * ratio));
    const QImage& background = m_background.at(ratio);
    painter.drawImage(QRectF(0, kTitleHeight, width, panel.height() - kTitleHeight), background,
                      QRectF(2 * ratio, 0, 120 * ratio, 250 * ratio));

    painter.setFont(panelFont(QStringLiteral("Tahoma"), 14, true));
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(strip.translated(1, 1), Qt::AlignCenter, m_caption);
    painter.setPen(Qt::white);
    painter.drawText(strip, Qt::AlignCenter, m_caption);
}

FaceButton::FaceButton(CachedArtwork::Maker faces, int cell, QSize size, QWidget* parent)
    : QAbstractButton(parent), m_faces(faces), m_cell(cell), m_size(size) {
    setFocusPolicy(Qt::NoFocus);
    resize(size);
}

void FaceButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QImage& faces = m_faces.at(ratio);
    const QRectF source(m_cell * m_size.width() * ratio, (isDown() ? m_size.height() : 0) * ratio,
                        m_size.width() * ratio, m_size.height() * ratio);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(m_size)), faces, source);
}

}  // namespace sp
