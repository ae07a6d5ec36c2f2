#include "app/dialogs/sheet_layout_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "app/dialogs/dialog_parts.h"
#include "app/dialogs/integer_field.h"
#include "document/ui_language.h"

namespace sp {
namespace {

QRect boxOf(const SheetRect& r) {
    return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
}

// Red that still reads on the dark button face.
const QColor kWarningRed(255, 72, 72);

// Why there is no layout, broken after the comma rather than wherever the
// width runs out, and what would help.
QString refusalText(int cells) {
    QString text =
        uiText(kSheetDivisionTooLargeText).replace(QStringLiteral("、"), QStringLiteral("、\n"));
    if (cells >= 1)
        text +=
            trText(QT_TRANSLATE_NOOP("Sparkplume", "\n分割を%1以下にしてください。")).arg(cells);
    return text;
}

}  // namespace

SheetLayoutDrawing::SheetLayoutDrawing(const SheetLayout& layout, QWidget* parent)
    : QWidget(parent), m_layout(layout) {
    setFixedSize(kWidth, kHeight);
}

QFont SheetLayoutDrawing::captionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

void SheetLayoutDrawing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    const QColor ink = palette().color(QPalette::ButtonText);
    p.fillRect(rect(), face);
    if (!m_layout.valid()) return;

    // Cells in the layout's order: each one's fill covers the border it shares
    // with the one before, so neighbours show a single line.
    p.setBrush(face);
    for (const SheetCell& cell : m_layout.cells()) {
        const SheetRect& r = cell.rect;
        p.setPen(ink);
        p.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
        if (cell.mark != SheetMark::None) p.drawLine(r.left, r.top, r.right - 1, r.bottom - 1);
        if (cell.mark == SheetMark::Cross) p.drawLine(r.right - 1, r.top, r.left, r.bottom - 1);
    }

    const QSize screenSize = screen() ? screen()->size() : QSize(INT_MAX, INT_MAX);
    p.setFont(captionFont());
    auto caption = [&](const SheetCaption& c, int alignment) {
        p.setPen(c.red ? kWarningRed : ink);
        p.drawText(boxOf(c.box), alignment | Qt::TextSingleLine,
                   trMessage(c.text, {kCellCountText}));
    };
    caption(m_layout.heightCaption(screenSize.height()), Qt::AlignLeft | Qt::AlignVCenter);
    caption(m_layout.widthCaption(screenSize.width()), Qt::AlignHCenter | Qt::AlignTop);
    caption(m_layout.rowsCaption(), Qt::AlignRight | Qt::AlignVCenter);
    caption(m_layout.columnsCaption(), Qt::AlignHCenter | Qt::AlignBottom);
}

SheetLayoutDialog::SheetLayoutDialog(int cells, int frameWidth, int frameHeight, int division,
                                     QWidget* parent,
                                     const std::optional<exchange::SheetOptions>& options)
    : QDialog(parent), m_layout(1, cells, 1, frameWidth, frameHeight, division) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "並べて保存")));
    if (options) m_layout.setSheetOptions(*options);

    m_drawing = new SheetLayoutDrawing(m_layout, this);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("columns"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_slider->setMinimum(m_layout.sliderMinimum());
    m_division = new IntegerField(this);
    m_division->setObjectName(QStringLiteral("division"));
    m_division->setRange(1, m_layout.divisionArrowMaximum());
    m_division->setValue(m_layout.sheetDivision());
    // Room for five digits and the arrows, leaving the slider the rest.
    m_division->setFixedWidth(m_division->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                              36);

    // The reason a layout is refused takes the drawing's place, so that nothing
    // moves when it comes and goes.
    m_problem = new QLabel(refusalText(m_layout.sheetCellCount()), this);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setAlignment(Qt::AlignCenter);
    m_problem->setFixedSize(m_drawing->size());
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, kWarningRed);
    m_problem->setPalette(warning);
    m_picture = new QStackedWidget(this);
    m_picture->addWidget(m_drawing);
    m_picture->addWidget(m_problem);
    auto* image = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "イメージ")), this);
    auto* imageColumn = new QVBoxLayout(image);
    imageColumn->addWidget(m_picture);
    m_sizeNote = new QLabel(image);
    m_sizeNote->setObjectName(QStringLiteral("sizeNote"));
    m_sizeNote->setWordWrap(true);
    m_sizeNote->setFixedWidth(m_drawing->width());
    if (const char* note = m_layout.sizeNote()) m_sizeNote->setText(uiText(note));
    m_sizeNote->setVisible(m_layout.sizeNote() != nullptr);
    imageColumn->addWidget(m_sizeNote);
    auto* shape = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "配置")), this);
    auto* shapeRow = new QHBoxLayout(shape);
    shapeRow->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "縦長")), shape));
    shapeRow->addWidget(m_slider, 1);
    shapeRow->addWidget(new QLabel(uiText(QT_TRANSLATE_NOOP("Sparkplume", "横長")), shape));
    auto* split = new QGroupBox(uiText(QT_TRANSLATE_NOOP("Sparkplume", "分割")), this);
    auto* splitRow = new QHBoxLayout(split);
    splitRow->addWidget(m_division);
    auto* controls = new QHBoxLayout;
    controls->addWidget(shape, 1);
    controls->addWidget(split);

    QDialogButtonBox* buttons = okCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(image);
    layout->addLayout(controls);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();
    // Connected only now: filling the field is not an edit.
    connect(m_division, &IntegerField::textChanged, this, &SheetLayoutDialog::divisionEdited);
    connect(m_slider, &QSlider::actionTriggered, this, &SheetLayoutDialog::sliderAction);
}

void SheetLayoutDialog::divisionEdited(const QString& text) {
    m_layout.editDivisionText(text.toStdString());
    refresh();
}

// Called before the slider takes the position its action computed: the layout
// decides the columns and the thumb goes where they are.
void SheetLayoutDialog::sliderAction(int action) {
    switch (action) {
        case QAbstractSlider::SliderPageStepSub:
            m_layout.pageLeft(m_slider->pageStep());
            break;
        case QAbstractSlider::SliderPageStepAdd:
            m_layout.pageRight(m_slider->pageStep());
            break;
        case QAbstractSlider::SliderNoAction:
            return;
        default:  // dragging, the keys' single steps, Home and End
            m_layout.trackThumb(m_slider->sliderPosition());
            break;
    }
    m_slider->setSliderPosition(m_layout.sliderPosition());
    m_drawing->update();
}

void SheetLayoutDialog::refresh() {
    const bool valid = m_layout.valid();
    const int maximum = std::max(m_layout.sliderMinimum(), m_layout.sliderMaximum());
    m_slider->setMaximum(maximum);
    // A page is a fifth of the range, at least one column.
    m_slider->setPageStep(std::max(1, (maximum - m_layout.sliderMinimum()) / 5));
    if (valid) m_slider->setValue(m_layout.sliderPosition());
    m_slider->setEnabled(valid);
    m_ok->setEnabled(valid);
    m_picture->setCurrentWidget(valid ? static_cast<QWidget*>(m_drawing) : m_problem);
    m_drawing->update();
}

}  // namespace sp
