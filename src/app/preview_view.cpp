#include "app/preview_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/main_layout.h"
#include "document/document.h"
#include "document/playback.h"
#include "document/ui_language.h"

namespace sp {

PreviewView::PreviewView(Document& document, Playback& playback, QWidget* parent)
    : QWidget(parent), m_document(document), m_playback(playback) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::CrossCursor);
}

QSize PreviewView::outerSize() const {
    const ProjectState& s = m_document.state();
    const QSize picture = layout::previewClient(s.projectWidth, s.projectHeight, s.zoom);
    return {picture.width() + 2 * kBorder, picture.height() + kCaptionHeight + 2 * kBorder};
}

QRect PreviewView::pictureRect() const {
    const ProjectState& s = m_document.state();
    const QSize picture = layout::previewClient(s.projectWidth, s.projectHeight, s.zoom);
    return {kBorder, kBorder + kCaptionHeight, picture.width(), picture.height()};
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, QColor(24, 24, 26));

    // The caption strip, as a window caption.
    const QRect caption(kBorder, kBorder, width() - 2 * kBorder, kCaptionHeight);
    QLinearGradient shade(caption.topLeft(), caption.bottomLeft());
    shade.setColorAt(0.0, QColor(70, 74, 82));
    shade.setColorAt(1.0, QColor(46, 49, 55));
    painter.fillRect(caption, shade);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const std::string& text = m_playback.caption();
    painter.drawText(caption.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     text.empty() ? trText(QT_TRANSLATE_NOOP("Sparkplume", "プレビュー"))
                                  : trMessage(text, {kPreviewCaptionText}));

    // The back buffer, nearest neighbour: a zoomed preview shows the canvas's own pixels.
    const QRect picture = pictureRect();
    if (render::Device* device = m_document.graphics().device()) {
        const render::Texture& buffer = device->backBuffer();
        const QImage frame(reinterpret_cast<const uchar*>(buffer.pixels().data()), buffer.width(),
                           buffer.height(), buffer.width() * 4, QImage::Format_RGB32);
        const ProjectState& s = m_document.state();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(picture, frame, QRect(0, 0, s.projectWidth, s.projectHeight));
    } else {
        painter.fillRect(picture, Qt::black);
    }
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    const QRect picture = pictureRect();
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !picture.contains(at)) return;
    const QPoint emission = layout::emissionForClick(at.x() - picture.x(), at.y() - picture.y(),
                                                     m_document.state().zoom);
    m_document.setEmissionPosition(emission.x(), emission.y());
}

}  // namespace sp
