#include "document/node_commands.h"

#include <algorithm>
#include <cassert>

namespace sp {

std::unique_ptr<EmitterNode> DetachedNodes::release(EmitterNode* node) {
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(),
                           [node](const auto& held) { return held.get() == node; });
    // The history puts back only what it took out, in the reverse order.
    assert(it != m_nodes.end());
    std::unique_ptr<EmitterNode> released = std::move(*it);
    m_nodes.erase(it);
    return released;
}

namespace {

// What the views hear of an operation the first time: a single insertion or
// removal as it is, everything else as a rebuild.
TreeChange firstChangeOf(const TreeEdit& edit) {
    if (edit.rebuilt || edit.steps.size() != 1) return {};
    const TreeStep& step = edit.steps.front();
    const auto kind = step.kind == TreeStep::Kind::Inserted ? TreeChange::Kind::Inserted
                                                            : TreeChange::Kind::Removed;
    return {kind, step.node, step.parent, static_cast<int>(step.index)};
}

}  // namespace

TreeOperationCommand::TreeOperationCommand(Document& document, const QString& text, TreeEdit edit,
                                           EmitterNode* selectedBefore)
    : QUndoCommand(text),
      m_document(document),
      m_counterBefore(edit.nameCounterBefore),
      m_counterAfter(edit.nameCounterAfter),
      m_selectedBefore(selectedBefore),
      m_selectedAfter(edit.select),
      m_firstChange(firstChangeOf(edit)) {
    NodeTree& tree = document.m_project.tree;
    for (auto& node : edit.removed) m_detached.keep(std::move(node));
    for (const TreeStep& step : edit.steps) {
        if (step.kind == TreeStep::Kind::Inserted)
            new InsertSubtreeCommand(tree, m_detached, step, this);
        else
            new RemoveSubtreeCommand(tree, m_detached, step, this);
    }
}

void TreeOperationCommand::redo() {
    if (m_applied) {
        // The operation itself ran already, restart and all.
        m_applied = false;
        m_document.announceTreeChange(m_firstChange);
        m_document.setSelection(m_selectedAfter);
        return;
    }
    QUndoCommand::redo();
    settle(m_counterAfter, m_selectedAfter, {});
}

void TreeOperationCommand::undo() {
    QUndoCommand::undo();
    settle(m_counterBefore, m_selectedBefore, {});
}

// The tree is as the operation left it (or found it): the rest of the project
// follows. Particles of the old structure go, and the loop starts again.
void TreeOperationCommand::settle(int nameCounter, EmitterNode* selection,
                                  const TreeChange& change) {
    Project& project = m_document.m_project;
    project.tree.setNameCounter(nameCounter);
    project.tree.root().relinkParents();
    project.tree.root().clearParticles();
    project.state.requestRestart();
    m_document.announceTreeChange(change);
    m_document.setSelection(selection);
}

}  // namespace sp
