#pragma once

#include <QUndoCommand>

#include <memory>
#include <vector>

#include "core/model/node_tree.h"
#include "document/document.h"

namespace sp {

// The nodes an operation has taken out of the tree, alive while the history
// may put them back.
class DetachedNodes {
  public:
    void keep(std::unique_ptr<EmitterNode> node) { m_nodes.push_back(std::move(node)); }
    std::unique_ptr<EmitterNode> release(EmitterNode* node);

  private:
    std::vector<std::unique_ptr<EmitterNode>> m_nodes;
};

// A subtree going into the tree or coming out of it, at a parent and an index:
// the two steps every structural edit is made of. The very same nodes move, so
// that everything that refers to them stays valid across undo and redo.
class SubtreeCommand : public QUndoCommand {
  protected:
    SubtreeCommand(NodeTree& tree, DetachedNodes& detached, const TreeStep& step,
                   QUndoCommand* parent)
        : QUndoCommand(parent), m_tree(tree), m_detached(detached), m_step(step) {}

    void putIn() { m_tree.putBack(*m_step.parent, m_step.index, m_detached.release(m_step.node)); }
    void takeOut() { m_detached.keep(m_tree.takeOut(*m_step.node)); }

  private:
    NodeTree& m_tree;
    DetachedNodes& m_detached;
    TreeStep m_step;
};

class InsertSubtreeCommand final : public SubtreeCommand {
  public:
    InsertSubtreeCommand(NodeTree& tree, DetachedNodes& detached, const TreeStep& step,
                         QUndoCommand* parent)
        : SubtreeCommand(tree, detached, step, parent) {}
    void redo() override { putIn(); }
    void undo() override { takeOut(); }
};

class RemoveSubtreeCommand final : public SubtreeCommand {
  public:
    RemoveSubtreeCommand(NodeTree& tree, DetachedNodes& detached, const TreeStep& step,
                         QUndoCommand* parent)
        : SubtreeCommand(tree, detached, step, parent) {}
    void redo() override { takeOut(); }
    void undo() override { putIn(); }
};

// One operation of the node panel: its steps as child commands, and the name
// counter and the selection before and after it. It is pushed after the
// operation ran, so its first redo only tells the views.
class TreeOperationCommand final : public QUndoCommand {
  public:
    TreeOperationCommand(Document& document, const QString& text, TreeEdit edit,
                         EmitterNode* selectedBefore);

    void redo() override;
    void undo() override;

  private:
    void settle(int nameCounter, EmitterNode* selection, const TreeChange& change);

    Document& m_document;
    DetachedNodes m_detached;
    int m_counterBefore;
    int m_counterAfter;
    EmitterNode* m_selectedBefore;
    EmitterNode* m_selectedAfter;
    TreeChange m_firstChange;
    bool m_applied = true;
};

}  // namespace sp
