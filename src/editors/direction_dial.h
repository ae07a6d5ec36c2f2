#pragma once

#include <QWidget>

#include <cstdint>

#include "core/model/emitter_node.h"
#include "editors/help_bar.h"

namespace sp {

class Document;

// The dial of the emission page: for one direction an arrow that a drag turns
// (SHIFT: in steps of 45°), otherwise 32 spokes that a drag paints (SHIFT: all
// of them, a circle); a double-click makes the spread a circle of 50 again.
// The widget spans the dial's repaint square, 137 × 137 around its centre; only
// the inner 125 × 125 listens to the mouse. One drag is one undo step.
class DirectionDial : public QWidget, public HelpTextSource {
    Q_OBJECT

  public:
    static constexpr int kSide = 137;
    static constexpr int kCentre = 68;  // the centre within the widget

    DirectionDial(Document& document, QWidget* parent = nullptr);

    void showNode(EmitterNode* node);
    QString helpTextAt(const QPoint& local) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void editAt(const QPoint& local, bool shift);

    Document& m_document;
    EmitterNode* m_node = nullptr;
    uint64_t m_dragKey = 0;
};

}  // namespace sp
