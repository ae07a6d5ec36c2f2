#pragma once

#include <QScrollArea>

#include <array>
#include <cstdint>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/node_fields.h"
#include "editors/page_layout.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace sp {

class DirectionDial;
class Document;
class Graph;
class NumberField;

// The parameter panel: six pages of the selected node's settings, chosen with
// the tabs on the right edge, on a sheet 250 wide and 684 high that scrolls when
// the window is lower than that. Every control hands its change to the
// document at once, so that it is undoable and the preview shows it; the
// controls show the node again whenever the selection, the page, the scroll or
// the node itself changes, and showing it is never an edit.
class ParameterPanel : public QScrollArea {
    Q_OBJECT

  public:
    static constexpr int kLineStep = 1;
    static constexpr int kPageStep = 100;
    static constexpr int kWheelStep = 30;  // pixels per notch of the mouse wheel

    explicit ParameterPanel(Document& document, QWidget* parent = nullptr);
    ~ParameterPanel() override;

    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page);

    // The sheet that scrolls, and each page on it (only the current one shows).
    QWidget* sheet() const;
    QWidget* page(int index) const;

    // The controls of the pages, by the field they edit.
    NumberField* numberField(NodeFieldId field) const;
    QCheckBox* checkBox(NodeFieldId field) const;
    QRadioButton* radioButton(NodeFieldId field, int32_t value) const;
    QComboBox* pictureList(bool trail) const;
    Graph* curveEditor(CurveSlot slot) const;
    DirectionDial* dial() const { return m_dial; }

    // Shows the selected node in every control.
    void refresh();

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Sheet;
    class Page;

    struct NumberBinding {
        const pages::ControlPlan* plan;
        NumberField* field;
        uint64_t visitKey = 0;  // the undo step this visit's edits merge into
    };
    struct CheckBinding {
        const pages::ControlPlan* plan;
        QCheckBox* box;
    };
    struct RadioGroup {
        NodeFieldId field;
        QButtonGroup* group;
        std::vector<std::pair<int32_t, QRadioButton*>> buttons;
    };
    struct PictureList {
        QComboBox* box;
        bool trail;
    };

    void build();
    void buildPage(int index, Page& page);
    void keepScrollSteps();

    void showNode(const NumberBinding* editedNow);
    void showPictureLists(const EmitterNode* node);

    void numberEdited(NumberBinding& binding, const QString& text);
    void checkClicked(const CheckBinding& binding, bool checked);
    void radioClicked(const RadioGroup& group, int32_t value);
    void pictureChosen(const PictureList& list, int choice);

    Document& m_document;
    Sheet* m_sheet = nullptr;
    std::array<Page*, pages::kPageCount> m_pages{};
    int m_currentPage = 0;

    std::vector<NumberBinding> m_numbers;
    std::vector<CheckBinding> m_checks;
    std::vector<RadioGroup> m_radios;
    std::vector<PictureList> m_pictureLists;
    std::array<Graph*, kCurveCount> m_curves{};
    DirectionDial* m_dial = nullptr;

    // The field whose edit is being handed to the document: its own text stays
    // as the user typed it while the rest of the panel shows the result.
    const NumberBinding* m_editing = nullptr;
};

}  // namespace sp
