#include "panels/node_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTreeWidget>

#include "document/document.h"
#include "document/ui_language.h"
#include "resources/artwork.h"

namespace sp {
namespace {

struct Operation {
    bool (Document::*run)();
    const char* help;
};

// In the order of the button faces.
const Operation kOperations[NodePanel::kButtonCount] = {
    {&Document::addNode,
     QT_TRANSLATE_NOOP("Sparkplume", "新しいノード（パーティクルの設定）を追加します。")},
    {&Document::addChildNode,
     QT_TRANSLATE_NOOP("Sparkplume", "新しい子ノード（パーティクルの設定）を追加します。")},
    {&Document::duplicate, QT_TRANSLATE_NOOP("Sparkplume", "選択中のノードを複製します。")},
    {&Document::deleteNode,
     QT_TRANSLATE_NOOP(
         "Sparkplume",
         "選択中のノード（パーティクルの設定）を削除します。最後の一つは削除できません。")},
    {&Document::moveDown,
     QT_TRANSLATE_NOOP("Sparkplume",
                       "選択中のノード（パーティクルの設定）を一つ下に下げます。下にあるものが奥に"
                       "、上にあるものが手前に表示されます。")},
    {&Document::moveUp,
     QT_TRANSLATE_NOOP("Sparkplume",
                       "選択中のノード（パーティクルの設定）を一つ上に上げます。下にあるものが奥に"
                       "、上にあるものが手前に表示されます。　")},
    {&Document::levelDown,
     QT_TRANSLATE_NOOP("Sparkplume",
                       "選択中のノード（パーティクルの設定）の階層を下げ、一つ上のノードの子にしま"
                       "す。上にノードが無ければ変更できません。")},
    {&Document::levelUp, QT_TRANSLATE_NOOP("Sparkplume",
                                           "選択中のノード（パーティクルの設定）の階層を一つ上げま"
                                           "す。最上位のノードは変更できません。")},
};

constexpr int kButtonWidth = 26;
constexpr int kButtonHeight = 20;

Qt::CheckState checkStateOf(const EmitterNode& node) {
    return node.hidden ? Qt::Unchecked : Qt::Checked;
}

// Items can be expanded only once they are in the tree.
void expandSubtree(QTreeWidgetItem* item) {
    item->setExpanded(true);
    for (int i = 0; i < item->childCount(); ++i) expandSubtree(item->child(i));
}

// A key that starts editing a label: the edit key, or one that types something.
bool startsEditing(const QKeyEvent& event) {
    if (event.key() == Qt::Key_F2) return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

class NodePanel::Syncing {
  public:
    explicit Syncing(NodePanel& panel) : m_panel(panel) { ++m_panel.m_syncing; }
    ~Syncing() { --m_panel.m_syncing; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

  private:
    NodePanel& m_panel;
};

NodePanel::NodePanel(Document& document, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_chrome(trText(QT_TRANSLATE_NOOP("Sparkplume", "ノードパネル"))),
      m_tree(new QTreeWidget(this)) {
    for (int k = 0; k < kButtonCount; ++k) {
        auto* button =
            new FaceButton(artwork::nodeButtonFaces, k, QSize(kButtonWidth, kButtonHeight), this);
        button->setToolTip(trText(kOperations[k].help));
        button->move(5 + kButtonWidth * k, PanelChrome::kTitleHeight);
        connect(button, &QAbstractButton::clicked, this, [this, k] { runOperation(k); });
        m_buttons[k] = button;
    }

    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::AnyKeyPressed);
    QPalette palette = m_tree->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, QColor(64, 64, 64));
        palette.setColor(group, QPalette::Text, Qt::white);
        // The style draws the branch arrows in this colour.
        palette.setColor(group, QPalette::WindowText, QColor(200, 202, 206));
        // The selection stays visible while the focus is elsewhere.
        palette.setColor(group, QPalette::Highlight, QColor(150, 96, 36));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    m_tree->setPalette(palette);
    darkenScrollBars(*m_tree);
    QFont font = m_tree->font();
    font.setFamilies({font.family(), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(18);
    m_tree->setFont(font);

    connect(m_tree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item, int) { itemEdited(item); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { currentItemChosen(current); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &NodePanel::selectionEmptied);

    connect(&m_document, &Document::treeChanged, this, &NodePanel::showTreeChange);
    connect(&m_document, &Document::selectionChanged, this, &NodePanel::showSelection);
    connect(&m_document, &Document::nodeChanged, this, &NodePanel::showNode);
    connect(&m_document, &Document::projectReplaced, this, [this] {
        // The old nodes are gone: no item may point at them any more.
        Syncing syncing(*this);
        ++m_generation;
        forgetAll();
        m_tree->clear();
    });

    rebuild();
    showSelection(m_document.selectedNode());
}

void NodePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_chrome.paint(painter, *this);
}

void NodePanel::resizeEvent(QResizeEvent*) {
    m_tree->setGeometry(4, 36, std::max(0, width() - 8), std::max(0, height() - 40));
}

void NodePanel::keyPressEvent(QKeyEvent* event) {
    if (startsEditing(*event) && startEditing()) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NodePanel::startEditing() {
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item) return false;
    m_tree->setFocus();
    m_tree->editItem(item, 0);
    return true;
}

void NodePanel::runOperation(int k) {
    (m_document.*kOperations[k].run)();
}

void NodePanel::showTreeChange(const TreeChange& change) {
    Syncing syncing(*this);
    EmitterNode* root = &m_document.project().tree.root();
    switch (change.kind) {
        case TreeChange::Kind::Inserted: {
            QTreeWidgetItem* parentItem = change.parent == root ? nullptr : itemOf(change.parent);
            const int count = parentItem ? parentItem->childCount() : m_tree->topLevelItemCount();
            // A change that does not fit what is shown: show everything anew.
            if (!change.node || (change.parent != root && !parentItem) || change.index < 0 ||
                change.index > count) {
                rebuild();
                return;
            }
            QTreeWidgetItem* item = makeItems(*change.node);
            if (parentItem) {
                parentItem->insertChild(change.index, item);
                parentItem->setExpanded(true);
            } else {
                m_tree->insertTopLevelItem(change.index, item);
            }
            expandSubtree(item);
            break;
        }
        case TreeChange::Kind::Removed: {
            QTreeWidgetItem* item = itemOf(change.node);
            if (!item) {
                rebuild();
                return;
            }
            forget(item);
            delete item;
            break;
        }
        case TreeChange::Kind::Rebuilt:
            rebuild();
            break;
    }
}

void NodePanel::rebuild() {
    Syncing syncing(*this);
    ++m_generation;
    forgetAll();
    m_tree->clear();
    for (const auto& child : m_document.project().tree.root().children)
        m_tree->addTopLevelItem(makeItems(*child));
    m_tree->expandAll();
}

void NodePanel::forgetAll() {
    m_itemOf.clear();
    m_nodeOf.clear();
}

void NodePanel::forget(QTreeWidgetItem* item) {
    m_itemOf.remove(m_nodeOf.take(item));
    for (int i = 0; i < item->childCount(); ++i) forget(item->child(i));
}

QTreeWidgetItem* NodePanel::makeItems(EmitterNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(node.name)});
    // No dragging: the tree changes only through the document's operations.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                   Qt::ItemIsUserCheckable);
    item->setCheckState(0, checkStateOf(node));
    m_itemOf.insert(&node, item);
    m_nodeOf.insert(item, &node);
    for (const auto& child : node.children) item->addChild(makeItems(*child));
    return item;
}

void NodePanel::showSelection(EmitterNode* node) {
    Syncing syncing(*this);
    if (QTreeWidgetItem* item = itemOf(node)) {
        m_tree->setCurrentItem(item);
        m_tree->scrollToItem(item);
    } else {
        m_tree->clearSelection();
        m_tree->setCurrentItem(nullptr);
    }
}

void NodePanel::showNode(EmitterNode* node) {
    QTreeWidgetItem* item = itemOf(node);
    if (!item) return;
    Syncing syncing(*this);
    item->setText(0, QString::fromStdString(node->name));
    item->setCheckState(0, checkStateOf(*node));
}

void NodePanel::itemEdited(QTreeWidgetItem* item) {
    if (m_syncing) return;
    EmitterNode* node = nodeOf(item);
    if (!node) return;
    const bool shown = item->checkState(0) == Qt::Checked;
    if (shown == (node->hidden != 0)) m_document.setHidden(*node, !shown);
    const QString text = item->text(0);
    if (text != QString::fromStdString(node->name)) {
        // Handled once the editor has closed: a refusal shows a message, and a
        // message box opened while the editor is still committing would make
        // it commit a second time.
        const unsigned generation = m_generation;
        QMetaObject::invokeMethod(
            this, [this, node, text, generation] { finishRename(node, text, generation); },
            Qt::QueuedConnection);
    }
}

void NodePanel::finishRename(EmitterNode* node, const QString& text, unsigned generation) {
    if (generation != m_generation || !m_itemOf.contains(node)) return;
    m_document.rename(*node, text.toStdString());
    // The label shows what the node is called now: the new name as stored, or
    // the old one when the document refused.
    showNode(node);
}

void NodePanel::currentItemChosen(QTreeWidgetItem* item) {
    if (m_syncing) return;
    EmitterNode* node = nodeOf(item);
    if (node && node != m_document.selectedNode()) m_document.select(node);
}

// A click beside the items would leave no item selected while the document
// still has its node: the selection goes back to it.
void NodePanel::selectionEmptied() {
    if (m_syncing || !m_tree->selectedItems().isEmpty()) return;
    if (EmitterNode* node = m_document.selectedNode()) showSelection(node);
}

}  // namespace sp
