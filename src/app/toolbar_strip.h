#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

#include <vector>

class QAction;

namespace sp {

// One of the toolbar's 48 × 32 buttons: its cell of the toolbar picture, the
// pressed cell while it is held down. It triggers its command's action.
class ToolbarButton : public QAbstractButton {
    Q_OBJECT

  public:
    ToolbarButton(int index, QAction* action, QWidget* parent);
    QSize sizeHint() const override { return {48, 32}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_index;
    QAction* m_action;
};

// The strip along the top of the window with the 13 toolbar buttons at their
// places; the strip's picture is stretched over the whole width.
class ToolbarStrip : public QWidget {
    Q_OBJECT

  public:
    // `actions` in toolbar order.
    ToolbarStrip(const std::vector<QAction*>& actions, QWidget* parent);

    // The button at toolbar position `index`; null beyond the buttons.
    QAbstractButton* button(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<QAbstractButton*> m_buttons;
};

}  // namespace sp
