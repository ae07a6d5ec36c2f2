#include "core/model/node_tree.h"

#include <algorithm>
#include <cstdio>

#include "core/text/cp932.h"

namespace sp {
namespace {

constexpr const char* kCopySuffix = "のｺﾋﾟｰ";

}  // namespace

// Carries out the steps of one operation on the tree and writes them down.
class NodeTree::Recorder {
  public:
    explicit Recorder(NodeTree& tree) : m_tree(tree) {
        m_edit.nameCounterBefore = tree.m_nameCounter;
    }

    EmitterNode& insertNewNode(EmitterNode& parent, std::size_t index) {
        index = std::min(index, parent.children.size());
        EmitterNode& node = m_tree.insertNewNode(parent, index);
        m_edit.steps.push_back({TreeStep::Kind::Inserted, &parent, index, &node});
        return node;
    }

    // Insert sibling before: the new node goes directly above `reference`.
    EmitterNode& insertSiblingBefore(EmitterNode& reference) {
        EmitterNode& parent = *reference.parent;
        const int i = parent.indexOfChild(&reference);
        return insertNewNode(parent, static_cast<std::size_t>(std::max(i, 0)));
    }

    void remove(EmitterNode& node) {
        EmitterNode& parent = *node.parent;
        const auto index = static_cast<std::size_t>(parent.indexOfChild(&node));
        m_edit.steps.push_back({TreeStep::Kind::Removed, &parent, index, &node});
        m_edit.removed.push_back(m_tree.takeOut(node));
    }

    // Moves a node already in the tree to another place among its siblings.
    void moveTo(EmitterNode& node, std::size_t index) {
        EmitterNode& parent = *node.parent;
        const auto from = static_cast<std::size_t>(parent.indexOfChild(&node));
        m_edit.steps.push_back({TreeStep::Kind::Removed, &parent, from, &node});
        std::unique_ptr<EmitterNode> taken = m_tree.takeOut(node);
        m_edit.steps.push_back({TreeStep::Kind::Inserted, &parent, index, &node});
        m_tree.putBack(parent, index, std::move(taken));
    }

    // Delete: the refusal, the restart and the choice of the next selection.
    bool deleteNode(EmitterNode& node) {
        EmitterNode* parent = node.parent;
        if (parent == nullptr || (parent == m_tree.m_root.get() && parent->children.size() == 1)) {
            m_edit.refusal = TreeEdit::Refusal::CannotDelete;
            return false;
        }
        m_tree.m_state.requestRestart();
        m_tree.m_root->clearParticles();

        const int i = parent->indexOfChild(&node);
        EmitterNode* next = nullptr;
        if (parent->children.size() == 1) {
            next = parent;
        } else if (i == 0) {
            next = parent->children[1].get();
        } else {
            next = parent->children[static_cast<std::size_t>(i - 1)].get();
        }
        remove(node);
        // The parent of a top-level node is the hidden root, which is never selectable;
        // it is chosen only for an only child, and a top-level node is never one here.
        m_edit.select = next;
        return true;
    }

    void rebuildTreeView() {
        m_tree.m_root->relinkParents();
        m_tree.m_state.requestRestart();
        m_edit.rebuilt = true;
    }

    void select(EmitterNode* node) { m_edit.select = node; }

    std::unique_ptr<EmitterNode> copyOf(const EmitterNode& source) const {
        auto copy = std::make_unique<EmitterNode>(m_tree.m_state.frameCount);
        copy->copySettingsFrom(source, m_tree.m_state.frameCount);
        return copy;
    }
    void copyInto(EmitterNode& target, const EmitterNode& source) const {
        target.copySettingsFrom(source, m_tree.m_state.frameCount);
    }

    TreeEdit finish() {
        m_edit.nameCounterAfter = m_tree.m_nameCounter;
        return std::move(m_edit);
    }

  private:
    NodeTree& m_tree;
    TreeEdit m_edit;
};

NodeTree::NodeTree(ProjectState& state) : m_state(state) {
    clear();
}

void NodeTree::clear() {
    m_root = std::make_unique<EmitterNode>(m_state.frameCount);
    m_nameCounter = 0;
}

void NodeTree::replaceRoot(std::unique_ptr<EmitterNode> root, int nameCounter) {
    m_root = std::move(root);
    m_root->parent = nullptr;
    m_root->relinkParents();
    m_nameCounter = nameCounter;
}

EmitterNode& NodeTree::insertNewNode(EmitterNode& parent, std::size_t index) {
    index = std::min(index, parent.children.size());
    auto created = std::make_unique<EmitterNode>(m_state.frameCount);
    EmitterNode& node = *created;
    node.parent = &parent;
    parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(index),
                           std::move(created));
    m_nameCounter += 1;
    char name[32];
    std::snprintf(name, sizeof name, "ノード%d", m_nameCounter);
    node.name = name;
    m_state.requestRestart();
    return node;
}

std::unique_ptr<EmitterNode> NodeTree::takeOut(EmitterNode& node) {
    EmitterNode& parent = *node.parent;
    const int i = parent.indexOfChild(&node);
    std::unique_ptr<EmitterNode> taken = std::move(parent.children[static_cast<std::size_t>(i)]);
    parent.children.erase(parent.children.begin() + i);
    taken->parent = nullptr;
    taken->clearParticles();
    m_state.requestRestart();
    return taken;
}

void NodeTree::putBack(EmitterNode& parent, std::size_t index, std::unique_ptr<EmitterNode> node) {
    index = std::min(index, parent.children.size());
    node->parent = &parent;
    node->clearParticles();
    parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(index),
                           std::move(node));
    m_state.requestRestart();
}

bool NodeTree::contains(const EmitterNode* node) const {
    while (node != nullptr && node->parent != nullptr) node = node->parent;
    return node == m_root.get();
}

TreeEdit NodeTree::addNode(EmitterNode& node) {
    Recorder r(*this);
    if (node.parent) r.select(&r.insertSiblingBefore(node));
    return r.finish();
}

TreeEdit NodeTree::addChildNode(EmitterNode& node) {
    Recorder r(*this);
    r.select(&r.insertNewNode(node, 0));
    return r.finish();
}

TreeEdit NodeTree::duplicate(EmitterNode& node) {
    Recorder r(*this);
    if (!node.parent) return r.finish();
    std::unique_ptr<EmitterNode> temporary = r.copyOf(node);
    EmitterNode& created = r.insertSiblingBefore(node);
    r.copyInto(created, *temporary);
    created.name = storableName(created.name + kCopySuffix);
    r.rebuildTreeView();
    r.select(&created);
    return r.finish();
}

TreeEdit NodeTree::deleteNode(EmitterNode& node) {
    Recorder r(*this);
    r.deleteNode(node);
    return r.finish();
}

TreeEdit NodeTree::moveDown(EmitterNode& node) {
    return moveBy(node, +1);
}

TreeEdit NodeTree::moveUp(EmitterNode& node) {
    return moveBy(node, -1);
}

// Exchanges the node with its neighbour below (+1) or above (−1); nothing at the end.
TreeEdit NodeTree::moveBy(EmitterNode& node, int step) {
    Recorder r(*this);
    if (!node.parent) return r.finish();
    const int j = node.parent->indexOfChild(&node) + step;
    if (j < 0 || j >= static_cast<int>(node.parent->children.size())) return r.finish();
    r.moveTo(node, static_cast<std::size_t>(j));
    r.rebuildTreeView();
    r.select(&node);
    return r.finish();
}

TreeEdit NodeTree::levelDown(EmitterNode& source) {
    Recorder r(*this);
    if (!source.parent) return r.finish();
    EmitterNode& parent = *source.parent;
    const int i = parent.indexOfChild(&source);
    if (i <= 0) return r.finish();
    EmitterNode& above = *parent.children[static_cast<std::size_t>(i - 1)];
    EmitterNode& created = r.insertNewNode(above, above.children.size());
    r.copyInto(created, source);
    r.deleteNode(source);
    r.rebuildTreeView();
    r.select(&created);
    return r.finish();
}

TreeEdit NodeTree::levelUp(EmitterNode& source) {
    Recorder r(*this);
    EmitterNode* formerParent = source.parent;
    if (!formerParent || formerParent == m_root.get()) return r.finish();
    std::unique_ptr<EmitterNode> temporary = r.copyOf(source);
    r.deleteNode(source);
    EmitterNode& created = r.insertSiblingBefore(*formerParent);
    r.copyInto(created, *temporary);
    r.rebuildTreeView();
    // Then a move down, so that the node ends directly below its former parent.
    const auto at = static_cast<std::size_t>(created.parent->indexOfChild(&created));
    r.moveTo(created, at + 1);
    r.rebuildTreeView();
    r.select(&created);
    return r.finish();
}

std::string NodeTree::storableName(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    for (char c : text) {
        if (c == ',') {
            name += "，";
        } else if (c == '\n' || c == '\r' || c == '\0') {
            name += ' ';
        } else {
            name += c;
        }
    }
    return text::truncateToCp932Bytes(name, kMaxNameBytes);
}

}  // namespace sp
