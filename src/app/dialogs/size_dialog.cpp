#include "app/dialogs/size_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dialogs/dialog_parts.h"
#include "app/dialogs/integer_field.h"
#include "app/dialogs/settings_rules.h"
#include "document/document.h"

namespace sp {
namespace {

constexpr const char* kPixelText = "pixel";

// Two rows of a group: the side's label, what it shows or edits, and "pixel".
QGroupBox* sideGroup(const char* title, QWidget* width, QWidget* height, QWidget* parent) {
    auto* group = new QGroupBox(uiText(title), parent);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "幅：")), group), 0, 0);
    grid->addWidget(width, 0, 1);
    grid->addWidget(new QLabel(uiText(kPixelText), group), 0, 2);
    grid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "高さ：")), group), 1, 0);
    grid->addWidget(height, 1, 1);
    grid->addWidget(new QLabel(uiText(kPixelText), group), 1, 2);
    grid->setColumnStretch(3, 1);
    return group;
}

IntegerField* sideField(int32_t value, QWidget* parent) {
    auto* field = new IntegerField(parent);
    field->setRange(kSizeArrowMinimum, kSizeArrowMaximum);
    field->setValue(value);
    field->setFixedWidth(numberFieldWidth(*field) + 24);  // and the arrows
    return field;
}

}  // namespace

SizeDialog::SizeDialog(Document& document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "サイズの設定")));
    const ProjectState& state = document.state();

    m_currentWidth = numberLabel(state.projectWidth, this);
    m_currentHeight = numberLabel(state.projectHeight, this);
    m_width = sideField(state.projectWidth, this);
    m_width->setObjectName(QStringLiteral("width"));
    m_height = sideField(state.projectHeight, this);
    m_height->setObjectName(QStringLiteral("height"));
    m_link = new QCheckBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "発生位置を連動させる")), this);
    m_link->setObjectName(QStringLiteral("link"));
    m_link->setChecked(true);

    auto* groups = new QHBoxLayout;
    groups->addWidget(sideGroup(QT_TRANSLATE_NOOP("Sparkplume", "現在のサイズ"), m_currentWidth,
                                m_currentHeight, this));
    groups->addWidget(
        sideGroup(QT_TRANSLATE_NOOP("Sparkplume", "変更後のサイズ"), m_width, m_height, this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(m_link);
    fitTitle(*this, *layout);
    layout->addWidget(okCancelButtons(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SizeDialog::accept() {
    // The document moves the emission position by the same rule as
    // linkedEmissionPosition, from the sides it had before.
    m_document.setCanvasSize(enteredCanvasSide(m_width->value()),
                             enteredCanvasSide(m_height->value()), m_link->isChecked());
    QDialog::accept();
}

}  // namespace sp
