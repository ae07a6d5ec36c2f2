#include "panels/material_list_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "document/document.h"
#include "resources/artwork.h"

namespace sp {
namespace {

// A view of the texture's pixels without a copy: the thumbnail is the whole
// picture, scaled while it is painted.
QImage pictureOf(const Material& material) {
    const render::Texture* texture = material.texture.get();
    if (!texture || texture->width() <= 0 || texture->height() <= 0) return {};
    const QImage whole(reinterpret_cast<const uchar*>(texture->pixels().data()), texture->width(),
                       texture->height(), texture->width() * 4, QImage::Format_ARGB32);
    return whole;
}

}  // namespace

MaterialListView::MaterialListView(Document& document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document), m_rows(artwork::materialRowBackground) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette frame = palette();
    frame.setColor(QPalette::WindowText, QColor(20, 21, 23));
    setPalette(frame);
    darkenScrollBars(*this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(kScrollLine);
    // Painted whole on every update; Qt's backing store already makes that one
    // off-screen picture copied at once, so nothing flickers.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    updateScrollRange();
}

void MaterialListView::setSelectedRow(int row) {
    if (row == m_selectedRow) return;
    m_selectedRow = row;
    viewport()->update();
}

int MaterialListView::contentHeight() const {
    return static_cast<int>(m_document.project().materials.size()) * kRowHeight;
}

void MaterialListView::refresh() {
    updateScrollRange();
    viewport()->update();
}

void MaterialListView::updateScrollRange() {
    const int page = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(1, page));
    // The last row may come up to the bottom edge, no further.
    bar->setRange(0, std::max(0, contentHeight() - page));
}

void MaterialListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void MaterialListView::scrollContentsBy(int, int) {
    viewport()->update();
}

void MaterialListView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, QColor(64, 64, 64));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal ratio = devicePixelRatioF();
    const QImage& rows = m_rows.at(ratio);
    const QFont font = panelFont(QStringLiteral("Verdana"), 16, true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int textLeft = 60;
    const int textWidth = std::max(0, area.width() - textLeft - 4);

    const auto& materials = m_document.project().materials.materials();
    const int scroll = verticalScrollBar()->value();
    const int first = std::max(0, scroll / kRowHeight);
    for (int i = first; i < static_cast<int>(materials.size()); ++i) {
        const int y = i * kRowHeight - scroll;
        if (y >= area.height()) break;
        const Material& material = materials[static_cast<std::size_t>(i)];
        const qreal sourceTop = (i == m_selectedRow ? kRowHeight : 0) * ratio;
        painter.drawImage(QRectF(0, y, std::max(220, area.width()), kRowHeight), rows,
                          QRectF(0, sourceTop, 220 * ratio, kRowHeight * ratio));

        const QImage picture = pictureOf(material);
        if (!picture.isNull()) {
            const int w = material.width ? static_cast<int>(material.width) : picture.width();
            const int h = material.height ? static_cast<int>(material.height) : picture.height();
            painter.drawImage(
                QRectF(5, y + 5, 38, 38), picture,
                QRectF(0, 0, std::min(w, picture.width()), std::min(h, picture.height())));
        }

        // Long names end in an ellipsis rather than under the edge.
        const QString name =
            metrics.elidedText(QString::fromStdString(material.name), Qt::ElideRight, textWidth);
        const QRect text(textLeft, y, textWidth, kRowHeight);
        painter.setPen(QColor(30, 30, 30));
        painter.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.setPen(Qt::white);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
    }
}

void MaterialListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const int y = static_cast<int>(event->position().y());
    if (y >= 0) setSelectedRow((y + verticalScrollBar()->value()) / kRowHeight);
    event->accept();
}

// One notch of the wheel moves one row; the scroll bar's arrows keep their
// 4-pixel lines.
void MaterialListView::wheelEvent(QWheelEvent* event) {
    int pixels = event->pixelDelta().y();
    if (pixels == 0) {
        m_wheelRemainder += event->angleDelta().y() * kRowHeight;
        pixels = m_wheelRemainder / 120;
        m_wheelRemainder -= pixels * 120;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - pixels);
    event->accept();
}

}  // namespace sp
