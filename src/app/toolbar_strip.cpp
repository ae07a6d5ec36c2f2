#include "app/toolbar_strip.h"

#include <QAction>
#include <QPainter>

#include "app/main_layout.h"
#include "resources/artwork.h"

namespace sp {
namespace {

// The pictures, drawn once per device pixel ratio.
const QImage& buttonsPicture(qreal ratio) {
    static qreal drawnFor = 0;
    static QImage picture;
    if (picture.isNull() || drawnFor != ratio) {
        picture = artwork::toolbarButtons(ratio);
        drawnFor = ratio;
    }
    return picture;
}

const QImage& stripPicture(qreal ratio) {
    static qreal drawnFor = 0;
    static QImage picture;
    if (picture.isNull() || drawnFor != ratio) {
        picture = artwork::toolbarStrip(ratio);
        drawnFor = ratio;
    }
    return picture;
}

}  // namespace

ToolbarButton::ToolbarButton(int index, QAction* action, QWidget* parent)
    : QAbstractButton(parent), m_index(index), m_action(action) {
    setFixedSize(48, 32);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(action->toolTip());
    connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, this, [this] { setEnabled(m_action->isEnabled()); });
}

void ToolbarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QImage& picture = buttonsPicture(ratio);
    const int row = isDown() ? 32 : 0;
    const QRectF source(m_index * 48 * ratio, row * ratio, 48 * ratio, 32 * ratio);
    painter.drawImage(QRectF(0, 0, 48, 32), picture, source);
    if (!isEnabled()) painter.fillRect(rect(), QColor(0, 0, 0, 110));
}

ToolbarStrip::ToolbarStrip(const std::vector<QAction*>& actions, QWidget* parent)
    : QWidget(parent) {
    setFixedHeight(layout::kToolbarHeight);
    for (std::size_t i = 0; i < actions.size() && i < layout::kToolbarButtonCount; ++i) {
        auto* button = new ToolbarButton(static_cast<int>(i), actions[i], this);
        button->move(layout::toolbarButtonX(static_cast<int>(i)), 0);
        m_buttons.push_back(button);
    }
}

QAbstractButton* ToolbarStrip::button(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_buttons.size()
               ? m_buttons[static_cast<std::size_t>(index)]
               : nullptr;
}

void ToolbarStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QImage& strip = stripPicture(ratio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect(), strip);
}

}  // namespace sp
