#include "app/dialogs/export_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_parts.h"
#include "app/dialogs/export_rules.h"
#include "app/dialogs/integer_field.h"

namespace sp {
namespace {

IntegerField* frameField(int32_t value, int32_t frameCount, const char* name, QWidget* parent) {
    auto* field = new IntegerField(parent);
    field->setObjectName(QString::fromUtf8(name));
    field->setRange(1, frameCount);
    field->setValue(value);
    field->setFixedWidth(numberFieldWidth(*field) + 24);  // and the arrows
    return field;
}

QComboBox* list(std::initializer_list<const char*> items, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    for (const char* item : items) box->addItem(uiText(item));
    box->setCurrentIndex(0);
    return box;
}

QGroupBox* listGroup(const char* title, QComboBox* box, QWidget* parent) {
    auto* group = new QGroupBox(uiText(title), parent);
    auto* row = new QHBoxLayout(group);
    row->addWidget(box, 1);
    return group;
}

}  // namespace

ExportOptionsDialog::ExportOptionsDialog(int32_t frameCount, QWidget* parent)
    : QDialog(parent), m_frameCount(frameCount) {
    setWindowTitle(uiText("書き出しオプション"));

    m_start = frameField(1, frameCount, "start", this);
    m_end = frameField(frameCount, frameCount, "end", this);
    m_step = frameField(1, frameCount, "step", this);
    m_layout = list({"並べて保存", "複数ファイル", "動画(.avi)"}, "layout", this);
    m_type = list({"PNG", "BMP", "JPEG"}, "type", this);
    m_transparent = new QCheckBox(uiText("背景を透明にする"), this);
    m_transparent->setObjectName(QStringLiteral("transparent"));
    m_transparent->setChecked(true);

    auto* range = new QGroupBox(uiText("範囲"), this);
    auto* grid = new QGridLayout(range);
    grid->addWidget(m_start, 0, 0);
    grid->addWidget(new QLabel(uiText("フレーム目から"), range), 0, 1);
    grid->addWidget(m_end, 1, 0);
    grid->addWidget(new QLabel(uiText("フレーム目まで"), range), 1, 1);
    grid->addWidget(m_step, 2, 0);
    grid->addWidget(new QLabel(uiText("フレーム毎"), range), 2, 1);
    grid->setColumnStretch(2, 1);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, QColor(255, 110, 90));
    m_problem->setPalette(warning);
    m_problem->hide();

    QDialogButtonBox* buttons = okCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(uiText("書き出し"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(listGroup("配置", m_layout, this));
    layout->addWidget(listGroup("ファイル形式", m_type, this));
    layout->addWidget(m_transparent);
    layout->addWidget(m_problem);
    fitTitle(*this, *layout);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_layout, &QComboBox::currentIndexChanged, this, &ExportOptionsDialog::listsChanged);
    connect(m_type, &QComboBox::currentIndexChanged, this, &ExportOptionsDialog::listsChanged);
}

void ExportOptionsDialog::listsChanged() {
    const int32_t layout = m_layout->currentIndex();
    const int32_t type = m_type->currentIndex();
    m_type->setEnabled(exportTypeListEnabled(layout));
    m_transparent->setEnabled(exportTransparencyEnabled(layout, type));
}

ExportSettings ExportOptionsDialog::settings() const {
    return exportSettingsFromDialog(m_start->value(), m_end->value(), m_step->value(),
                                    m_layout->currentIndex(), m_type->currentIndex(),
                                    m_transparent->isChecked());
}

// The refusal stays until the next press of OK: hiding it as the user types
// would move the buttons from under the mouse.
void ExportOptionsDialog::showProblem(const QString& text) {
    m_problem->setText(text);
    m_problem->show();
}

void ExportOptionsDialog::accept() {
    if (const std::string problem = checkExportSettings(settings(), m_frameCount);
        !problem.empty()) {
        showProblem(QString::fromStdString(problem));
        return;
    }
    QDialog::accept();
}

}  // namespace sp
