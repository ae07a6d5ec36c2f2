#include "editors/parameter_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "document/document.h"
#include "document/ui_language.h"
#include "editors/dial_rules.h"
#include "editors/direction_dial.h"
#include "editors/field_rules.h"
#include "editors/graph.h"
#include "editors/help_bar.h"
#include "editors/number_field.h"
#include "resources/artwork.h"
#include "resources/look.h"

namespace sp {
namespace {

using pages::ControlKind;
using pages::ControlPlan;
using pages::SectionPlan;

const QColor kSectionBody(64, 64, 64);
const QColor kShadowInk(30, 30, 30);

QColor penOf(CurveSlot slot) {
    switch (slot) {
        case kCurveRed:
            return {255, 0, 0};
        case kCurveGreen:
            return {0, 255, 0};
        case kCurveBlue:
            return {0, 0, 255};
        case kCurveAlpha:
            return {100, 100, 100};
        case kCurveSpeed:
            return {0, 200, 200};
        case kCurveRotation:
            return {200, 0, 200};
        default:
            return {200, 200, 0};
    }
}

int32_t integerOf(const EmitterNode& node, NodeFieldId field) {
    const NodeFieldValue value = nodeFieldValue(node, field);
    if (const auto* i = std::get_if<int32_t>(&value)) return *i;
    return 0;
}

// What a number field shows for the node.
QString numberText(const EmitterNode& node, NodeFieldId field) {
    if (field == NodeFieldId::gravity)
        return QString::fromStdString(field_rules::gravityText(node.gravity));
    return QString::fromStdString(field_rules::integerText(integerOf(node, field)));
}

// Whether a field's text already stands for the node's value, so that showing
// the node again leaves what the user is typing as it is.
bool textShows(const QString& text, const EmitterNode& node, NodeFieldId field) {
    const std::string bytes = text.toStdString();
    if (field == NodeFieldId::gravity) return field_rules::readReal(bytes) == node.gravity;
    if (field == NodeFieldId::directionSpread)
        return field_rules::storedDirectionSpread(field_rules::readInteger(bytes)) ==
               node.directionSpread;
    return field_rules::readInteger(bytes) == integerOf(node, field);
}

// Labels, tab captions: a panel face where one is installed.
QFont labelFont() {
    return panelFont(QStringLiteral("Verdana"), 15, true);
}

QFont controlFont() {
    return panelFont(QStringLiteral("Tahoma"), 13, false);
}

// Vertical writing: upright characters one below the other, blanks as gaps of
// their width, the long vowel mark turned along the line.
// A label in Latin letters runs down the tab turned on its side instead.
void drawVerticalLabel(QPainter& p, const QString& label, int right, int top, int size) {
    if (std::all_of(label.begin(), label.end(), [](QChar c) { return c.unicode() < 0x300; })) {
        p.save();
        p.translate(right, top);
        p.rotate(90);
        p.drawText(QRect(0, 0, pages::kTabHeight - 8, size + 4), Qt::AlignLeft | Qt::AlignVCenter,
                   label.trimmed());
        p.restore();
        return;
    }
    int y = top;
    for (const QChar c : label) {
        if (c == u' ') {
            y += size / 2;
            continue;
        }
        if (c == u'　') {
            y += size;
            continue;
        }
        const QRect cell(right - size, y, size, size);
        if (c == u'ー' || c == u'～' || c == u'－') {
            p.save();
            p.translate(cell.center() + QPointF(0.5, 0.5));
            p.rotate(90);
            p.drawText(QRect(-size / 2, -size / 2, size, size), Qt::AlignCenter, QString(c));
            p.restore();
        } else {
            p.drawText(cell, Qt::AlignCenter, QString(c));
        }
        y += size;
    }
}

}  // namespace

// The sheet under the pages: the tabs on its right edge. A press on the tab
// strip chooses a page.
class ParameterPanel::Sheet : public QWidget {
  public:
    explicit Sheet(ParameterPanel& panel)
        : QWidget(panel.viewport()), m_panel(panel), m_tabs(artwork::parameterTabs) {
        setFixedSize(pages::kSheetWidth, pages::kSheetHeight);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::TextAntialiasing);
        const qreal ratio = devicePixelRatioF();
        const QImage& tabs = m_tabs.at(ratio);
        p.setFont(panelFont(QStringLiteral("ＭＳ ゴシック"), 18, true));
        p.setPen(kShadowInk);
        const auto& all = pages::parameterPages();
        for (int i = 0; i < pages::kPageCount; ++i) {
            const bool current = i == m_panel.currentPage();
            const int top = pages::kTabHeight * i;
            p.drawImage(QRectF(pages::kTabX, top, pages::kTabWidth, pages::kTabHeight), tabs,
                        QRectF(0, (current ? pages::kTabHeight : 0) * ratio,
                               pages::kTabWidth * ratio, pages::kTabHeight * ratio));
            // The tab of the page shown sits two pixels further in, as pressed.
            drawVerticalLabel(p, uiText(all[static_cast<std::size_t>(i)].tab), current ? 248 : 246,
                              top + (current ? 6 : 4), 18);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (event->button() != Qt::LeftButton || at.x() < pages::kTabX) return;
        const int page = pages::tabAt(at.y());
        if (page >= 0) m_panel.setCurrentPage(page);
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }

  private:
    ParameterPanel& m_panel;
    CachedArtwork m_tabs;
};

// One page: its sections, the texts beside its controls, and the controls.
class ParameterPanel::Page : public QWidget {
  public:
    Page(const pages::PagePlan& plan, QWidget* parent)
        : QWidget(parent), m_plan(plan), m_title(artwork::panelTitleStrip) {
        setGeometry(0, 0, pages::kTabX, pages::kSheetHeight);
        setFont(controlFont());
        // Captions of check boxes and radio buttons: white on the dark sections.
        QPalette pal = palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            pal.setColor(group, QPalette::WindowText, Qt::white);
        pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
        setPalette(pal);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::TextAntialiasing);
        const qreal ratio = devicePixelRatioF();
        for (const SectionPlan& section : m_plan.sections) {
            const QRect strip(section.x, section.y, pages::kSectionWidth,
                              pages::kSectionTitleHeight);
            p.drawImage(QRectF(strip), m_title.at(ratio),
                        QRectF(0, 0, 220 * ratio, pages::kSectionTitleHeight * ratio));
            p.setFont(panelFont(QStringLiteral("Tahoma"), 14, true));
            p.setPen(kShadowInk);
            p.drawText(strip.translated(1, 1), Qt::AlignCenter, uiText(section.title));
            p.setPen(Qt::white);
            p.drawText(strip, Qt::AlignCenter, uiText(section.title));
            const QRect body(section.x, section.y + pages::kSectionTitleHeight,
                             pages::kSectionWidth, section.height - pages::kSectionTitleHeight);
            p.fillRect(body, kSectionBody);

            p.setFont(labelFont());
            for (const ControlPlan& c : section.controls) {
                QString text;
                QPoint at;
                if (c.kind == ControlKind::Text) {
                    text = uiText(c.text);
                    at = QPoint(section.x + c.dx, section.y + c.dy);
                } else if (c.kind == ControlKind::Number && !c.after.empty()) {
                    text = uiText(c.after);
                    at = QPoint(section.x + c.dx + pages::numberFieldWidth(c),
                                section.y + c.dy + pages::kLabelDy);
                } else {
                    continue;
                }
                p.drawText(QRect(at, QSize(pages::kSheetWidth, 20)),
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
            }
        }
    }

  private:
    const pages::PagePlan& m_plan;
    CachedArtwork m_title;
};

ParameterPanel::ParameterPanel(Document& document, QWidget* parent)
    : QScrollArea(parent), m_document(document) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);
    m_sheet = new Sheet(*this);
    build();
    setWidget(m_sheet);
    keepScrollSteps();

    // A scroll shows the node again, as a page switch does.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { refresh(); });
    connect(&m_document, &Document::selectionChanged, this, [this] { refresh(); });
    connect(&m_document, &Document::nodeChanged, this, [this](EmitterNode* node) {
        if (node == m_document.selectedNode()) showNode(m_editing);
    });
    connect(&m_document, &Document::materialsChanged, this, [this] { refresh(); });
    connect(&m_document, &Document::projectReplaced, this, [this] { refresh(); });
    setCurrentPage(pages::kEmissionPage);
}

ParameterPanel::~ParameterPanel() = default;

void ParameterPanel::build() {
    const auto& all = pages::parameterPages();
    for (int i = 0; i < pages::kPageCount; ++i) {
        auto* page = new Page(all[static_cast<std::size_t>(i)], m_sheet);
        m_pages[static_cast<std::size_t>(i)] = page;
        buildPage(i, *page);
    }
}

void ParameterPanel::buildPage(int index, Page& page) {
    const pages::PagePlan& plan = pages::parameterPages()[static_cast<std::size_t>(index)];
    if (index == pages::kEmissionPage) {
        // Made first, so that the check box below it lies on top where they meet.
        m_dial = new DirectionDial(m_document, &page);
        m_dial->move(dial::kCentreX - DirectionDial::kCentre,
                     dial::kCentreY - DirectionDial::kCentre);
    }
    for (const SectionPlan& section : plan.sections) {
        for (const ControlPlan& c : section.controls) {
            const QPoint at(section.x + c.dx, section.y + c.dy);
            QWidget* control = nullptr;
            switch (c.kind) {
                case ControlKind::Number: {
                    auto* field = new NumberField(&page);
                    field->setGeometry(QRect(at, QSize(pages::numberFieldWidth(c), c.height)));
                    field->setRange(c.minimum, c.maximum);
                    field->setNumberOnly(c.numberOnly);
                    const std::size_t n = m_numbers.size();
                    m_numbers.push_back({&c, field});
                    connect(field, &NumberField::visitStarted, this,
                            [this, n] { m_numbers[n].visitKey = 0; });
                    connect(field, &NumberField::edited, this,
                            [this, n](const QString& text) { numberEdited(m_numbers[n], text); });
                    control = field;
                    break;
                }
                case ControlKind::Check: {
                    auto* box = new QCheckBox(uiText(c.text), &page);
                    box->setGeometry(QRect(at, QSize(c.width, c.height)));
                    const std::size_t n = m_checks.size();
                    m_checks.push_back({&c, box});
                    connect(box, &QCheckBox::clicked, this,
                            [this, n](bool checked) { checkClicked(m_checks[n], checked); });
                    control = box;
                    break;
                }
                case ControlKind::Radio: {
                    auto* button = new QRadioButton(uiText(c.text), &page);
                    button->setGeometry(QRect(at, QSize(c.width, c.height)));
                    button->setAutoExclusive(false);
                    auto group =
                        std::find_if(m_radios.begin(), m_radios.end(),
                                     [&](const RadioGroup& g) { return g.field == c.field; });
                    if (group == m_radios.end()) {
                        m_radios.push_back({c.field, new QButtonGroup(this), {}});
                        group = m_radios.end() - 1;
                    }
                    group->group->addButton(button);
                    group->buttons.emplace_back(c.value, button);
                    const std::size_t g = static_cast<std::size_t>(group - m_radios.begin());
                    const int32_t value = c.value;
                    connect(button, &QRadioButton::clicked, this,
                            [this, g, value] { radioClicked(m_radios[g], value); });
                    control = button;
                    break;
                }
                case ControlKind::ImageCombo:
                case ControlKind::TrailCombo: {
                    auto* box = new QComboBox(&page);
                    box->setGeometry(at.x(), at.y(), c.width, box->sizeHint().height());
                    // The drop-down list is 400 pixels at most.
                    box->setMaxVisibleItems(16);
                    box->installEventFilter(this);
                    const std::size_t n = m_pictureLists.size();
                    m_pictureLists.push_back({box, c.kind == ControlKind::TrailCombo});
                    connect(box, &QComboBox::activated, this,
                            [this, n](int choice) { pictureChosen(m_pictureLists[n], choice); });
                    control = box;
                    break;
                }
                case ControlKind::Curve: {
                    Graph* editor = c.slot == kCurveSpeed
                                        ? new Graph2(m_document, penOf(c.slot), &page)
                                        : new Graph(m_document, c.slot, penOf(c.slot), &page);
                    editor->move(c.dx, c.dy);
                    m_curves[c.slot] = editor;
                    control = editor;
                    break;
                }
                case ControlKind::Text:
                    break;
            }
            if (control && !c.help.empty()) setHelpText(*control, uiText(c.help));
        }
    }
}

void ParameterPanel::setCurrentPage(int page) {
    if (page < 0 || page >= pages::kPageCount) return;
    m_currentPage = page;
    for (int i = 0; i < pages::kPageCount; ++i)
        m_pages[static_cast<std::size_t>(i)]->setVisible(i == page);
    m_sheet->update();
    refresh();
}

QWidget* ParameterPanel::sheet() const {
    return m_sheet;
}

QWidget* ParameterPanel::page(int index) const {
    return m_pages.at(static_cast<std::size_t>(index));
}

NumberField* ParameterPanel::numberField(NodeFieldId field) const {
    for (const NumberBinding& b : m_numbers)
        if (b.plan->field == field) return b.field;
    return nullptr;
}

QCheckBox* ParameterPanel::checkBox(NodeFieldId field) const {
    for (const CheckBinding& b : m_checks)
        if (b.plan->field == field) return b.box;
    return nullptr;
}

QRadioButton* ParameterPanel::radioButton(NodeFieldId field, int32_t value) const {
    for (const RadioGroup& g : m_radios)
        if (g.field == field)
            for (const auto& [v, button] : g.buttons)
                if (v == value) return button;
    return nullptr;
}

QComboBox* ParameterPanel::pictureList(bool trail) const {
    for (const PictureList& list : m_pictureLists)
        if (list.trail == trail) return list.box;
    return nullptr;
}

Graph* ParameterPanel::curveEditor(CurveSlot slot) const {
    return slot < kCurveCount ? m_curves[slot] : nullptr;
}

void ParameterPanel::refresh() {
    showNode(nullptr);
}

void ParameterPanel::showNode(const NumberBinding* editedNow) {
    EmitterNode* node = m_document.selectedNode();
    for (Page* page : m_pages) page->setEnabled(node != nullptr);
    for (Graph* editor : m_curves)
        if (editor) editor->showNode(node);
    m_dial->showNode(node);
    showPictureLists(node);
    if (!node) return;

    const bool oneDirection = node->emitType == kEmitOneDirection;
    for (NumberBinding& b : m_numbers) {
        const NodeFieldId field = b.plan->field;
        const bool typing =
            b.field->lineEdit()->hasFocus() && textShows(b.field->text(), *node, field);
        if (&b != editedNow && !typing) b.field->setText(numberText(*node, field));
        if (field == NodeFieldId::directionSpread) b.field->setEditEnabled(oneDirection);
        if (field == NodeFieldId::maxHeight) b.field->setEditEnabled(!node->keepAspect);
    }
    const bool belowAnotherNode = field_rules::hasParentNode(*node);
    for (CheckBinding& b : m_checks) {
        const NodeFieldId field = b.plan->field;
        b.box->setChecked(integerOf(*node, field) != 0);
        if (field == NodeFieldId::evenlySpaced) b.box->setEnabled(!oneDirection);
        if (field == NodeFieldId::inheritTilt || field == NodeFieldId::inheritAlpha ||
            field == NodeFieldId::inheritSize)
            b.box->setEnabled(belowAnotherNode);
    }
    for (RadioGroup& g : m_radios) {
        std::vector<int32_t> values;
        for (const auto& entry : g.buttons) values.push_back(entry.first);
        const std::optional<int32_t> shown =
            field_rules::shownRadio(integerOf(*node, g.field), values);
        // A value no button stands for shows none of them on.
        g.group->setExclusive(false);
        for (const auto& [value, button] : g.buttons) button->setChecked(shown == value);
        g.group->setExclusive(true);
    }
}

void ParameterPanel::showPictureLists(const EmitterNode* node) {
    QStringList items{trText(QT_TRANSLATE_NOOP("Sparkplume", "なし"))};
    for (const std::string& name : m_document.project().materials.names())
        items << QString::fromStdString(name);
    for (const PictureList& list : m_pictureLists) {
        QComboBox* box = list.box;
        QStringList current;
        for (int i = 0; i < box->count(); ++i) current << box->itemText(i);
        if (current != items) {
            const QSignalBlocker quiet(box);
            box->clear();
            box->addItems(items);
        }
        if (!node) continue;
        const int32_t index = list.trail ? node->trailImageIndex : node->imageIndex;
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    }
}

void ParameterPanel::numberEdited(NumberBinding& binding, const QString& text) {
    EmitterNode* node = m_document.selectedNode();
    if (!node) return;
    if (binding.visitKey == 0) binding.visitKey = m_document.newEditKey();
    const std::string bytes = text.toStdString();
    const NodeFieldId field = binding.plan->field;
    m_editing = &binding;
    if (field == NodeFieldId::gravity) {
        m_document.setNodeField(*node, field, field_rules::readReal(bytes), binding.visitKey);
    } else if (field == NodeFieldId::directionSpread) {
        m_document.setNodeField(*node, field,
                                field_rules::storedDirectionSpread(field_rules::readInteger(bytes)),
                                binding.visitKey);
    } else if (field == NodeFieldId::maxSize) {
        m_document.setNodeFields(
            *node, field_rules::maxSizeChanges(*node, field_rules::readInteger(bytes)),
            binding.visitKey);
        // The height shows what was typed for the size.
        if (node->keepAspect)
            if (NumberField* height = numberField(NodeFieldId::maxHeight)) height->setText(text);
    } else {
        m_document.setNodeField(*node, field, field_rules::readInteger(bytes), binding.visitKey);
    }
    m_editing = nullptr;
}

void ParameterPanel::checkClicked(const CheckBinding& binding, bool checked) {
    EmitterNode* node = m_document.selectedNode();
    if (!node) return;
    const uint64_t key = m_document.newEditKey();
    if (binding.plan->field == NodeFieldId::keepAspect)
        m_document.setNodeFields(*node, field_rules::keepAspectChanges(*node, checked), key);
    else
        m_document.setNodeField(*node, binding.plan->field, int32_t{checked ? 1 : 0}, key);
    // A click that changed nothing still shows the node as it is.
    showNode(nullptr);
}

void ParameterPanel::radioClicked(const RadioGroup& group, int32_t value) {
    EmitterNode* node = m_document.selectedNode();
    if (!node) return;
    m_document.setNodeField(*node, group.field, value, m_document.newEditKey());
}

void ParameterPanel::pictureChosen(const PictureList& list, int choice) {
    EmitterNode* node = m_document.selectedNode();
    if (!node) return;
    const auto [index, name] =
        field_rules::pictureChoice(choice, m_document.project().materials.names());
    if (list.trail)
        m_document.setNodeFields(
            *node, {{NodeFieldId::trailImageIndex, index}, {NodeFieldId::trailImageName, name}},
            m_document.newEditKey());
    else
        m_document.setNodeFields(*node,
                                 {{NodeFieldId::imageIndex, index}, {NodeFieldId::imageName, name}},
                                 m_document.newEditKey());
    showNode(nullptr);
}

void ParameterPanel::keepScrollSteps() {
    verticalScrollBar()->setSingleStep(kLineStep);
    verticalScrollBar()->setPageStep(kPageStep);
}

// The scroll area sets its steps from the view's height whenever it lays out.
bool ParameterPanel::event(QEvent* event) {
    const bool handled = QScrollArea::event(event);
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::StyleChange)
        keepScrollSteps();
    return handled;
}

void ParameterPanel::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    keepScrollSteps();
}

// The background stays where it is while the sheet scrolls over it.
void ParameterPanel::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal ratio = devicePixelRatioF();
    static CachedArtwork background(artwork::panelBackground);
    p.drawImage(QRectF(0, 0, viewport()->width(), viewport()->height()), background.at(ratio),
                QRectF(2 * ratio, 0, 120 * ratio, 250 * ratio));
}

void ParameterPanel::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - event->angleDelta().y() * kWheelStep / 120);
    event->accept();
}

// A picture list under a wheel that scrolls the panel is passed over, so that
// scrolling never changes a picture by the way.
bool ParameterPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && !box->hasFocus()) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace sp
