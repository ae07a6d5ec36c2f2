#pragma once

#include <QHash>
#include <QWidget>

#include <array>

#include "panels/panel_chrome.h"

class QAbstractButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sp {

class Document;
struct EmitterNode;
struct TreeChange;

// The node panel: the title strip "ノードパネル", the eight buttons of the tree
// operations and the tree of nodes, which mirrors the document through its
// signals. Selecting, ticking and renaming go to the document.
class NodePanel : public QWidget {
    Q_OBJECT

  public:
    // The buttons in their order: add, add child, duplicate, delete, down, up,
    // level down, level up.
    static constexpr int kButtonCount = 8;

    explicit NodePanel(Document& document, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QAbstractButton* operationButton(int k) const { return m_buttons.at(k); }

    // The mapping between the tree's items and the nodes; null when there is none.
    EmitterNode* nodeOf(const QTreeWidgetItem* item) const { return m_nodeOf.value(item); }
    QTreeWidgetItem* itemOf(const EmitterNode* node) const { return m_itemOf.value(node); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    class Syncing;

    void runOperation(int k);

    // The document told us; these change the tree widget only.
    void showTreeChange(const TreeChange& change);
    void rebuild();
    void forgetAll();
    void forget(QTreeWidgetItem* item);
    QTreeWidgetItem* makeItems(EmitterNode& node);
    void showSelection(EmitterNode* node);
    void showNode(EmitterNode* node);

    // The user did something in the tree widget.
    void itemEdited(QTreeWidgetItem* item);
    void currentItemChosen(QTreeWidgetItem* item);
    void selectionEmptied();
    void finishRename(EmitterNode* node, const QString& text, unsigned generation);
    bool startEditing();

    Document& m_document;
    PanelChrome m_chrome;
    std::array<QAbstractButton*, kButtonCount> m_buttons{};
    QTreeWidget* m_tree = nullptr;
    QHash<const EmitterNode*, QTreeWidgetItem*> m_itemOf;
    QHash<const QTreeWidgetItem*, EmitterNode*> m_nodeOf;
    // Above 0 while the panel itself changes the tree widget, so that what the
    // widget reports then is not taken for the user's doing.
    int m_syncing = 0;
    // Counts the tree widget's rebuilds: a rename that waits for the editor to
    // close is dropped when the items it was made on have gone meanwhile.
    unsigned m_generation = 0;
};

}  // namespace sp
