#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>

class QLineEdit;

namespace sp {

// A number field: an edit box with arrows on its right. The text is kept as
// typed and read like atoi, so a value outside the range is stored as typed;
// the arrows, the up and down keys and the mouse wheel step from the text's
// value and stop within the range. Text set by the program is no edit.
class NumberField : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kArrowWidth = 15;

    explicit NumberField(QWidget* parent = nullptr);

    void setRange(int32_t minimum, int32_t maximum);
    int32_t minimum() const { return m_minimum; }
    int32_t maximum() const { return m_maximum; }
    // Only digits can be typed, and a leading minus where the range goes below 0.
    void setNumberOnly(bool numberOnly);

    QString text() const;
    // From the program: emits no edited().
    void setText(const QString& text);
    int32_t value() const;

    // As the arrows do: from the text's value, `steps` up (or down), within the range.
    void stepBy(int steps);

    // The edit box alone: a field whose edit box is off still steps with its arrows.
    void setEditEnabled(bool enabled);
    bool isEditEnabled() const;

    QLineEdit* lineEdit() const { return m_edit; }
    QWidget* arrows() const;

  signals:
    // The user changed the text: typed, stepped or turned the wheel.
    void edited(const QString& text);
    // The user came to the field: one visit's edits make one undo step.
    void visitStarted();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Arrows;

    void beginInteraction();

    QLineEdit* m_edit = nullptr;
    Arrows* m_arrows = nullptr;
    int32_t m_minimum = 0;
    int32_t m_maximum = 100;
    bool m_numberOnly = false;
    int m_wheelRemainder = 0;
};

}  // namespace sp
