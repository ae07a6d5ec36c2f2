#include "editors/graph.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "document/document.h"
#include "document/ui_language.h"
#include "resources/look.h"

namespace sp {
namespace {

constexpr const char* kResetText = QT_TRANSLATE_NOOP("Sparkplume", "リセット");

const QColor kGridColour(150, 150, 150);
const QColor kLabelColour(128, 128, 128);

}  // namespace

Graph::Graph(Document& document, CurveSlot slot, QColor pen, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_slot(slot),
      m_pen(pen),
      m_editing(CurveGeometry{kWidth, kHeight}),
      m_menu(new QMenu(this)) {
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_menu->addAction(trText(kResetText), this, &Graph::resetCurve);
    // Undo and redo change the curve under the editor: it shows what the node holds.
    connect(&m_document, &Document::nodeChanged, this, [this](EmitterNode* node) {
        if (node && node == m_node) showNode(node);
    });
}

void Graph::showNode(EmitterNode* node) {
    const bool dragGoesOn = node && node == m_node && m_dragKey != 0 &&
                            node->curves[m_slot].points == m_editing.curve().points;
    if (!dragGoesOn) {
        m_dragKey = 0;
        m_editing.show(node ? node->curves[m_slot] : Curve(labelKind()));
    }
    m_node = node;
    update();
}

void Graph::handOver(uint64_t key) {
    if (!m_node) return;
    m_document.setCurvePoints(*m_node, m_slot, m_editing.curve().points, key);
}

void Graph::resetCurve() {
    if (!m_node) return;
    m_dragKey = 0;
    // A new node's curve, made the way a new node makes it.
    const EmitterNode fresh(m_document.state().frameCount);
    m_document.setCurvePoints(*m_node, m_slot, fresh.curves[m_slot].points,
                              m_document.newEditKey());
}

void Graph::mousePressEvent(QMouseEvent* event) {
    if (!m_node) return;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_dragKey = m_document.newEditKey();
        const uint64_t key = m_dragKey;
        if (m_editing.press(at.x(), at.y())) handOver(key);
        update();
    } else if (event->button() == Qt::RightButton) {
        if (m_dragKey != 0) return;
        if (m_editing.remove(at.x(), at.y())) {
            handOver(m_document.newEditKey());
            update();
        } else {
            m_menu->popup(event->globalPosition().toPoint());
        }
    }
}

void Graph::mouseMoveEvent(QMouseEvent* event) {
    if (!m_node) return;
    const QPoint at = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (m_dragKey != 0 && m_editing.drag(at.x(), at.y())) handOver(m_dragKey);
    } else if (m_editing.release()) {
        // The button came up where this control did not see it.
        handOver(m_dragKey != 0 ? m_dragKey : m_document.newEditKey());
        m_dragKey = 0;
    }
    update();
}

void Graph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_node) return;
    if (m_editing.release()) handOver(m_dragKey);
    m_dragKey = 0;
    update();
}

void Graph::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The border, then everything else in the client area inside it.
    p.fillRect(rect(), QColor(0, 0, 0));
    p.translate(1, 1);
    const int clientWidth = width() - 2;
    const int clientHeight = height() - 2;
    p.setClipRect(0, 0, clientWidth, clientHeight);
    p.fillRect(0, 0, clientWidth, clientHeight, Qt::white);

    const CurveGeometry& g = m_editing.geometry();
    const Curve& curve = m_editing.curve();
    const int selected = m_editing.selected();
    const bool hasSelection =
        selected >= 0 && static_cast<std::size_t>(selected) < curve.points.size();

    p.setPen(QPen(kGridColour, 1));
    if (hasSelection) {
        const CurvePoint& s = curve.points[static_cast<std::size_t>(selected)];
        const int sx = truncatedPixel(g.screenX(s.x));
        const int sy = truncatedPixel(g.screenY(s.y));
        p.drawLine(0, sy, g.width, sy);
        p.drawLine(sx, 0, sx, g.height);
    }
    paintUnderCurve(p);
    if (!m_node) return;

    // The curve as the sampling sees it: a polyline through each segment's samples.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_pen, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const std::vector<CurvePoint> line = curve.segmentSamples();
    for (std::size_t first = 0; first < line.size(); first += Curve::kSamplesPerSegment) {
        QPolygon segment;
        for (std::size_t j = first; j < first + Curve::kSamplesPerSegment && j < line.size(); ++j)
            segment << QPoint(nearestPixel(g.screenX(line[j].x)),
                              nearestPixel(g.screenY(line[j].y)));
        p.drawPolyline(segment);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    p.setPen(QPen(m_pen, 3));
    p.setBrush(Qt::white);
    for (const CurvePoint& point : curve.points) {
        const int sx = nearestPixel(g.screenX(point.x));
        const int sy = nearestPixel(g.screenY(point.y));
        p.drawRect(QRect(sx - 4, sy - 4, 8, 8));
    }

    if (hasSelection) {
        const CurvePoint& s = curve.points[static_cast<std::size_t>(selected)];
        p.setFont(panelFont(QStringLiteral("Tahoma"), 16, false));
        p.setPen(kLabelColour);
        for (const CurveGeometry::Label& label : {g.valueLabel(s, labelKind()), g.timeLabel(s)})
            p.drawText(QRect(label.x, label.y, g.width, g.height), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromStdString(label.text));
    }
}

void Graph::paintUnderCurve(QPainter&) const {}

Graph2::Graph2(Document& document, QColor pen, QWidget* parent)
    : Graph(document, kCurveSpeed, pen, parent) {}

// The middle of the graph, drawn whether or not a point is selected.
void Graph2::paintUnderCurve(QPainter& p) const {
    const CurveGeometry& g = editing().geometry();
    const int zero = nearestPixel(g.screenY(50.0f));
    p.setPen(QPen(kGridColour, 1));
    p.drawLine(0, zero, g.width, zero);
}

}  // namespace sp
