#pragma once

#include <QWidget>

class QTreeWidget;

namespace sp {

class Document;

// The node panel: the title strip "ノードパネル", the eight buttons of the tree
// operations and the tree of nodes, which mirrors the document through its
// signals. Selecting, ticking and renaming go to the document.
class NodePanel : public QWidget {
    Q_OBJECT

  public:
    explicit NodePanel(Document& document, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }

  private:
    Document& m_document;
    QTreeWidget* m_tree = nullptr;
};

}  // namespace sp
