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
#include "document/ui_language.h"

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

IntegerField* optionField(int low, int high, const char* name, QWidget* parent) {
    auto* field = new IntegerField(parent);
    field->setObjectName(QString::fromUtf8(name));
    field->setRange(low, high);
    field->setValue(low);
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
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "書き出しオプション")));

    m_start = frameField(1, frameCount, "start", this);
    m_end = frameField(frameCount, frameCount, "end", this);
    m_step = frameField(1, frameCount, "step", this);
    m_layout = list({QT_TRANSLATE_NOOP("Sparkplume", "並べて保存"),
                     QT_TRANSLATE_NOOP("Sparkplume", "複数ファイル"),
                     QT_TRANSLATE_NOOP("Sparkplume", "動画(.avi)"),
                     QT_TRANSLATE_NOOP("Sparkplume", "GIFアニメ(.gif)"),
                     QT_TRANSLATE_NOOP("Sparkplume", "APNGアニメ(.png)"),
                     QT_TRANSLATE_NOOP("Sparkplume", "WebPアニメ(.webp)")},
                    "layout", this);
    m_type = list({"PNG", "BMP", "JPEG"}, "type", this);
    m_transparent =
        new QCheckBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "背景を透明にする")), this);
    m_transparent->setObjectName(QStringLiteral("transparent"));
    m_transparent->setChecked(true);

    auto* range = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "範囲")), this);
    auto* grid = new QGridLayout(range);
    grid->addWidget(m_start, 0, 0);
    grid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "フレーム目から")), range), 0,
                    1);
    grid->addWidget(m_end, 1, 0);
    grid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "フレーム目まで")), range), 1,
                    1);
    grid->addWidget(m_step, 2, 0);
    grid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "フレーム毎")), range), 2, 1);
    grid->setColumnStretch(2, 1);

    // The sheet's finishing, for engines that read the atlas.
    m_trim = list({QT_TRANSLATE_NOOP("Sparkplume", "切り取らない"),
                   QT_TRANSLATE_NOOP("Sparkplume", "全フレーム共通の範囲で切り取る"),
                   QT_TRANSLATE_NOOP("Sparkplume", "フレームごとに切り取って詰める")},
                  "trim", this);
    m_padding = optionField(0, exchange::kMaxPadding, "padding", this);
    m_extrude = optionField(0, exchange::kMaxPadding, "extrude", this);
    m_maxSize = optionField(1, static_cast<int>(exchange::kMaxSheetSide), "maxSize", this);
    m_maxSize->setValue(exchange::kDefaultMaxSheetSize);
    m_powerOfTwo =
        new QCheckBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "幅と高さを2のべき乗にする")), this);
    m_powerOfTwo->setObjectName(QStringLiteral("powerOfTwo"));
    m_json = list({QT_TRANSLATE_NOOP("Sparkplume", "ハッシュ (hash)"),
                   QT_TRANSLATE_NOOP("Sparkplume", "配列 (array)")},
                  "json", this);
    m_alpha = list({QT_TRANSLATE_NOOP("Sparkplume", "ストレート"),
                    QT_TRANSLATE_NOOP("Sparkplume", "乗算済み (premultiplied)")},
                   "alpha", this);
    auto* sheet = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "シートの詳細")), this);
    auto* sheetGrid = new QGridLayout(sheet);
    sheetGrid->addWidget(
        new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "余白の切り取り")), sheet), 0, 0);
    sheetGrid->addWidget(m_trim, 0, 1, 1, 2);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "セルの隙間")), sheet),
                         1, 0);
    sheetGrid->addWidget(m_padding, 1, 1);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "ピクセル")), sheet), 1,
                         2);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "縁の複製")), sheet), 2,
                         0);
    sheetGrid->addWidget(m_extrude, 2, 1);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "ピクセル")), sheet), 2,
                         2);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "最大サイズ")), sheet),
                         3, 0);
    sheetGrid->addWidget(m_maxSize, 3, 1);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "ピクセル")), sheet), 3,
                         2);
    sheetGrid->addWidget(m_powerOfTwo, 4, 0, 1, 3);
    sheetGrid->addWidget(new QLabel(uiText("JSON"), sheet), 5, 0);
    sheetGrid->addWidget(m_json, 5, 1, 1, 2);
    sheetGrid->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "アルファ")), sheet), 6,
                         0);
    sheetGrid->addWidget(m_alpha, 6, 1, 1, 2);
    m_sheetGroup = sheet;

    m_lossless = new QCheckBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "劣化なし")), this);
    m_lossless->setObjectName(QStringLiteral("lossless"));
    m_lossless->setChecked(true);
    m_quality = optionField(0, 100, "quality", this);
    m_quality->setValue(80);
    auto* quality = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "WebPの画質")), this);
    auto* qualityRow = new QHBoxLayout(quality);
    qualityRow->addWidget(m_lossless);
    qualityRow->addWidget(m_quality);
    qualityRow->addStretch(1);
    m_qualityGroup = quality;

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, QColor(255, 110, 90));
    m_problem->setPalette(warning);
    m_problem->hide();

    QDialogButtonBox* buttons = okCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(uiText(QT_TRANSLATE_NOOP("Sparkplume", "書き出し")));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(listGroup(QT_TRANSLATE_NOOP("Sparkplume", "配置"), m_layout, this));
    layout->addWidget(listGroup(QT_TRANSLATE_NOOP("Sparkplume", "ファイル形式"), m_type, this));
    layout->addWidget(m_transparent);
    layout->addWidget(sheet);
    layout->addWidget(quality);
    layout->addWidget(m_problem);
    fitTitle(*this, *layout);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_layout, &QComboBox::currentIndexChanged, this, &ExportOptionsDialog::listsChanged);
    connect(m_type, &QComboBox::currentIndexChanged, this, &ExportOptionsDialog::listsChanged);
    connect(m_lossless, &QCheckBox::toggled, this, &ExportOptionsDialog::listsChanged);
    listsChanged();
}

void ExportOptionsDialog::setOptions(const ExportSettings& remembered) {
    const exchange::SheetOptions& o = remembered.sheet;
    m_trim->setCurrentIndex(static_cast<int>(o.trim));
    m_padding->setValue(o.padding);
    m_extrude->setValue(o.extrude);
    m_maxSize->setValue(o.maxSize);
    m_powerOfTwo->setChecked(o.powerOfTwo);
    m_json->setCurrentIndex(static_cast<int>(o.json));
    m_alpha->setCurrentIndex(static_cast<int>(o.alpha));
    const bool lossless = remembered.exportQuality == exchange::kLosslessQuality;
    m_lossless->setChecked(lossless);
    if (!lossless) m_quality->setValue(remembered.exportQuality);
    listsChanged();
}

void ExportOptionsDialog::setCanvas(int32_t width, int32_t height) {
    m_canvasWidth = width;
    m_canvasHeight = height;
}

void ExportOptionsDialog::listsChanged() {
    const int32_t layout = m_layout->currentIndex();
    const int32_t type = m_type->currentIndex();
    m_type->setEnabled(exportTypeListEnabled(layout));
    m_transparent->setEnabled(exportTransparencyEnabled(layout, type));
    m_sheetGroup->setEnabled(exportSheetOptionsEnabled(layout));
    m_qualityGroup->setEnabled(exportQualityEnabled(layout));
    m_quality->setEnabled(!m_lossless->isChecked());
}

ExportSettings ExportOptionsDialog::settings() const {
    ExportSettings s = exportSettingsFromDialog(m_start->value(), m_end->value(), m_step->value(),
                                                m_layout->currentIndex(), m_type->currentIndex(),
                                                m_transparent->isChecked());
    exchange::SheetOptions& o = s.sheet;
    o.trim = static_cast<exchange::Trim>(m_trim->currentIndex());
    o.padding = m_padding->value();
    o.extrude = m_extrude->value();
    o.maxSize = m_maxSize->value();
    o.powerOfTwo = m_powerOfTwo->isChecked();
    o.json = static_cast<exchange::AtlasLayout>(m_json->currentIndex());
    o.alpha = static_cast<exchange::AlphaMode>(m_alpha->currentIndex());
    s.exportQuality = m_lossless->isChecked() ? exchange::kLosslessQuality : m_quality->value();
    return s;
}

// The refusal stays until the next press of OK: hiding it as the user types
// would move the buttons from under the mouse.
void ExportOptionsDialog::showProblem(const QString& text) {
    m_problem->setText(text);
    m_problem->show();
}

void ExportOptionsDialog::accept() {
    const ExportSettings s = settings();
    std::string problem = checkExportSettings(s, m_frameCount);
    if (problem.empty() && s.exportLayout == kLayoutSheet && m_canvasWidth > 0)
        problem = checkSheetOptions(s.sheet, m_canvasWidth, m_canvasHeight);
    if (!problem.empty()) {
        showProblem(trMessage(problem));
        return;
    }
    QDialog::accept();
}

}  // namespace sp
