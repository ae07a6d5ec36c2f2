#include "app/dialogs/emission_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/dialog_parts.h"
#include "document/document.h"

namespace sp {
namespace {

constexpr const char* kHorizontalText = QT_TRANSLATE_NOOP("Sparkplume", "横：");
constexpr const char* kVerticalText = QT_TRANSLATE_NOOP("Sparkplume", "縦：");
constexpr const char* kPixelText = "pixel";

QComboBox* unitBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItem(QStringLiteral("%"));  // PositionUnit::Percent
    box->addItem(uiText(kPixelText));   // PositionUnit::Pixel
    box->setCurrentIndex(static_cast<int>(PositionUnit::Pixel));
    return box;
}

// Two rows of a group: the axis label, what it shows or edits, and the unit.
QGroupBox* axisGroup(const char* title, QWidget* x, QWidget* xUnit, QWidget* y, QWidget* yUnit,
                     QWidget* parent) {
    auto* group = new QGroupBox(uiText(title), parent);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(uiText(kHorizontalText), group), 0, 0);
    grid->addWidget(x, 0, 1);
    grid->addWidget(xUnit, 0, 2);
    grid->addWidget(new QLabel(uiText(kVerticalText), group), 1, 0);
    grid->addWidget(y, 1, 1);
    grid->addWidget(yUnit, 1, 2);
    grid->setColumnStretch(3, 1);
    return group;
}

}  // namespace

EmissionDialog::EmissionDialog(Document& document, QWidget* parent)
    : QDialog(parent),
      m_document(document),
      m_settings(document.state().emitX, document.state().emitY, document.state().projectWidth,
                 document.state().projectHeight) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "発生位置の設定")));
    const ProjectState& state = document.state();

    m_currentX = numberLabel(state.emitX, this);
    m_currentY = numberLabel(state.emitY, this);
    m_x = numberEdit(state.emitX, this);
    m_x->setObjectName(QStringLiteral("x"));
    m_y = numberEdit(state.emitY, this);
    m_y->setObjectName(QStringLiteral("y"));
    m_xUnit = unitBox(this);
    m_xUnit->setObjectName(QStringLiteral("xUnit"));
    m_yUnit = unitBox(this);
    m_yUnit->setObjectName(QStringLiteral("yUnit"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(axisGroup(QT_TRANSLATE_NOOP("Sparkplume", "現在の位置"), m_currentX,
                                new QLabel(uiText(kPixelText), this), m_currentY,
                                new QLabel(uiText(kPixelText), this), this));
    groups->addWidget(axisGroup(QT_TRANSLATE_NOOP("Sparkplume", "変更後の位置"), m_x, m_xUnit, m_y,
                                m_yUnit, this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    fitTitle(*this, *layout);
    layout->addWidget(okCancelButtons(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Connected only now: filling the fields is not an edit.
    connect(m_x, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.editX(text.toStdString()); });
    connect(m_y, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.editY(text.toStdString()); });
    connect(m_xUnit, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (auto text = m_settings.chooseXUnit(static_cast<PositionUnit>(index)))
            m_x->setText(QString::fromStdString(*text));
    });
    connect(m_yUnit, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (auto text = m_settings.chooseYUnit(static_cast<PositionUnit>(index)))
            m_y->setText(QString::fromStdString(*text));
    });
}

void EmissionDialog::accept() {
    m_document.confirmEmissionPosition(m_settings.x(), m_settings.y());
    QDialog::accept();
}

}  // namespace sp
