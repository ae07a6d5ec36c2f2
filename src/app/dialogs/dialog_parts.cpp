#include "app/dialogs/dialog_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>

namespace sp {

QDialogButtonBox* okCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiText(kCancelText));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QLabel* numberLabel(int32_t value, QWidget* parent) {
    auto* label = new QLabel(QString::number(value), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(numberFieldWidth(*label));
    return label;
}

QLineEdit* numberEdit(int32_t value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setFixedWidth(numberFieldWidth(*edit));
    return edit;
}

void fitTitle(QDialog& dialog, QBoxLayout& layout) {
    constexpr int kFrameButtons = 120;
    const int width = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + kFrameButtons;
    layout.addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed));
}

int numberFieldWidth(const QWidget& widget) {
    return widget.fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12;
}

}  // namespace sp
