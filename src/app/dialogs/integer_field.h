#pragma once

#include <QAbstractSpinBox>

#include <cstdint>

namespace sp {

// A number field with up-down arrows. The text is kept as typed and read like
// atoi (see readSettingsNumber), so a value outside the range reaches the
// dialog's own rule; the arrows and keys step from the text's value and stop
// within the range.
class IntegerField : public QAbstractSpinBox {
    Q_OBJECT

  public:
    explicit IntegerField(QWidget* parent = nullptr);

    void setRange(int32_t minimum, int32_t maximum);
    int32_t minimum() const { return m_minimum; }
    int32_t maximum() const { return m_maximum; }

    // The text's value, and a value shown as "%d".
    int32_t value() const;
    void setValue(int32_t value);
    void setText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

  signals:
    void textChanged(const QString& text);

  protected:
    StepEnabled stepEnabled() const override;

  private:
    int32_t m_minimum = 0;
    int32_t m_maximum = 99;
};

}  // namespace sp
