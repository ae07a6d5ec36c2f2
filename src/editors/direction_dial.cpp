#include "editors/direction_dial.h"

#include <QMouseEvent>
#include <QPainter>

#include "document/document.h"
#include "editors/dial_rules.h"
#include "editors/page_layout.h"
#include "resources/look.h"

namespace sp {

DirectionDial::DirectionDial(Document& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setFixedSize(kSide, kSide);
    setMouseTracking(true);
    connect(&m_document, &Document::nodeChanged, this, [this](EmitterNode* node) {
        if (node && node == m_node) update();
    });
}

void DirectionDial::showNode(EmitterNode* node) {
    if (node != m_node) m_dragKey = 0;
    m_node = node;
    update();
}

QString DirectionDial::helpTextAt(const QPoint& local) const {
    if (!dial::inside(local.x() - kCentre, local.y() - kCentre)) return {};
    const bool oneDirection = m_node && m_node->emitType == kEmitOneDirection;
    return uiText(oneDirection ? pages::kDialDirectionHelp : pages::kDialSpreadHelp);
}

void DirectionDial::editAt(const QPoint& local, bool shift) {
    if (!m_node) return;
    const int dx = local.x() - kCentre;
    const int dy = local.y() - kCentre;
    if (m_dragKey == 0) m_dragKey = m_document.newEditKey();
    if (m_node->emitType == kEmitOneDirection) {
        if (auto direction = dial::directionFor(dx, dy, shift))
            m_document.setNodeField(*m_node, NodeFieldId::direction, *direction, m_dragKey);
    } else if (auto shape = dial::spreadFor(m_node->spreadShape, dx, dy, shift)) {
        m_document.setNodeField(*m_node, NodeFieldId::spreadShape, *shape, m_dragKey);
    }
}

void DirectionDial::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragKey = 0;
    editAt(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void DirectionDial::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        editAt(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void DirectionDial::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_dragKey = 0;
}

void DirectionDial::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_node) return;
    const QPoint at = event->position().toPoint();
    if (m_node->emitType == kEmitOneDirection || !dial::inside(at.x() - kCentre, at.y() - kCentre))
        return;
    m_document.setNodeField(*m_node, NodeFieldId::spreadShape, dial::neutralSpread(),
                            m_document.newEditKey());
}

void DirectionDial::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int c = kCentre;
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(110, 110, 120));
    p.drawRect(QRect(c - dial::kFace, c - dial::kFace, 2 * dial::kFace, 2 * dial::kFace));
    if (!m_node) return;

    p.setPen(QPen(Qt::white, 1));
    if (m_node->emitType != kEmitOneDirection) {
        for (int i = 0; i < static_cast<int>(kSpreadShapeSize); ++i) {
            const dial::Offset end =
                dial::spokeEnd(i, m_node->spreadShape[static_cast<std::size_t>(i)]);
            p.drawLine(c, c, c + end.x, c + end.y);
        }
        return;
    }
    const dial::Arrow arrow = dial::arrowFor(m_node->direction);
    const QPoint foot(c + arrow.side.x, c + arrow.side.y);
    const QPoint tip(c + arrow.tip.x, c + arrow.tip.y);
    const QPoint otherFoot(c - arrow.side.x, c - arrow.side.y);
    p.drawPolyline(QPolygon({foot, tip, otherFoot, foot}));
    p.setFont(panelFont(QStringLiteral("Verdana"), 15, true));
    p.drawText(QRect(c + arrow.labelAt.x, c + arrow.labelAt.y, 80, 20),
               Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(arrow.label));
}

}  // namespace sp
