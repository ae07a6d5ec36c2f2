#include "app/dialogs/integer_field.h"

#include <QLineEdit>

#include <algorithm>

#include "app/dialogs/settings_rules.h"

namespace sp {

IntegerField::IntegerField(QWidget* parent) : QAbstractSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textChanged, this, &IntegerField::textChanged);
    // The arrows' state follows the text.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { update(); });
}

void IntegerField::setRange(int32_t minimum, int32_t maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    update();
}

int32_t IntegerField::value() const {
    return readSettingsNumber(lineEdit()->text().toStdString());
}

void IntegerField::setValue(int32_t value) {
    setText(QString::number(value));
}

void IntegerField::setText(const QString& text) {
    lineEdit()->setText(text);
}

void IntegerField::stepBy(int steps) {
    const int64_t next = static_cast<int64_t>(value()) + steps;
    setValue(static_cast<int32_t>(std::clamp<int64_t>(next, m_minimum, m_maximum)));
    selectAll();
}

QValidator::State IntegerField::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void IntegerField::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled IntegerField::stepEnabled() const {
    const int32_t current = value();
    StepEnabled enabled = StepNone;
    if (current < m_maximum) enabled |= StepUpEnabled;
    if (current > m_minimum) enabled |= StepDownEnabled;
    return enabled;
}

}  // namespace sp
