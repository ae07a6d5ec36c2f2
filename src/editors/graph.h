#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>

#include "core/model/emitter_node.h"
#include "editors/curve_view.h"

class QMenu;
class QPainter;

namespace sp {

class Document;

// The curve editor: the graph of one curve of the selected node, 180 × 100. A
// left press adds a point or grabs one, dragging moves it, a right press
// removes one; a right click where nothing is removed offers to reset the
// curve. The editor works on a copy of the node's curve and hands every change
// of its points to the document: one drag, one removal, one reset is one undo
// step.
class Graph : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 100;

    Graph(Document& document, CurveSlot slot, QColor pen, QWidget* parent = nullptr);

    CurveSlot slot() const { return m_slot; }
    QColor penColour() const { return m_pen; }

    // Shows `node`'s curve (none for null). While a drag goes on with the same
    // node and the node still holds the dragged points, the drag goes on.
    void showNode(EmitterNode* node);
    const CurveEditing& editing() const { return m_editing; }

    // The curve a new node has in this slot, as one undoable edit.
    void resetCurve();
    QMenu* menu() const { return m_menu; }

  protected:
    // What the signed speed graph adds: a line under the curve, and labels of
    // its own kind.
    virtual void paintUnderCurve(QPainter& painter) const;
    virtual CurveKind labelKind() const { return CurveKind::Plain; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void handOver(uint64_t key);

    Document& m_document;
    CurveSlot m_slot;
    QColor m_pen;
    EmitterNode* m_node = nullptr;
    CurveEditing m_editing;
    uint64_t m_dragKey = 0;  // non-zero while the left button is down
    QMenu* m_menu = nullptr;
};

// The graph of the speed curve, whose middle means standing still: a grey line
// marks it, and values are labelled from −100 to 100.
class Graph2 final : public Graph {
    Q_OBJECT

  public:
    Graph2(Document& document, QColor pen, QWidget* parent = nullptr);

  protected:
    void paintUnderCurve(QPainter& painter) const override;
    CurveKind labelKind() const override { return CurveKind::Speed; }
};

}  // namespace sp
