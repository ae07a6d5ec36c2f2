#include "editors/help_bar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <QWindow>

#include "resources/artwork.h"

namespace sp {
namespace {

constexpr const char* kHelpProperty = "sparkplumeHelpText";

}  // namespace

void setHelpText(QWidget& widget, const QString& text) {
    widget.setProperty(kHelpProperty, text);
}

QString helpTextFor(const QWidget* widget, const QPoint& global) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (const auto* source = dynamic_cast<const HelpTextSource*>(w))
            return source->helpTextAt(w->mapFromGlobal(global));
        const QVariant text = w->property(kHelpProperty);
        if (text.isValid()) return text.toString();
    }
    return {};
}

HelpBar::HelpBar(QWidget* parent) : QWidget(parent), m_strip(artwork::helpBarStrip) {
    // Every mouse movement over a window of the application passes through here.
    qApp->installEventFilter(this);
}

HelpBar::~HelpBar() {
    qApp->removeEventFilter(this);
}

void HelpBar::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

void HelpBar::showHelpFor(const QWidget* widget, const QPoint& global) {
    setText(helpTextFor(widget, global));
}

bool HelpBar::eventFilter(QObject* watched, QEvent* event) {
    // The movements reach the window before any widget sees them, whether or
    // not the widget under the mouse tracks it.
    if (watched->isWindowType() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        const QPoint global = static_cast<QSinglePointEvent*>(event)->globalPosition().toPoint();
        QWidget* under = QApplication::widgetAt(global);
        if (under && under->window() == window()) showHelpFor(under, global);
    }
    return QWidget::eventFilter(watched, event);
}

void HelpBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(rect()), m_strip.at(ratio), QRectF(5 * ratio, 0, 10 * ratio, 26 * ratio));
    if (m_text.isEmpty()) return;
    p.setFont(panelFont(QStringLiteral("Tahoma"), kTextPixelSize, false));
    // One line, cut at the right edge: a shadow, then the text.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    const int w = width();
    p.setClipRect(rect());
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRect(11, 1, w - 10, 32), flags, m_text);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 0, w - 10, 32), flags, m_text);
}

}  // namespace sp
