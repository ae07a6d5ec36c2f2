#include "core/model/node_tree.h"

#include <algorithm>
#include <cstdio>

#include "core/text/cp932.h"

namespace sp {
namespace {

constexpr const char* kCannotDeleteText = "このノードは削除できません";
constexpr const char* kConfirmCaption = "確認";
constexpr const char* kNameNotStorableText = "この名前には保存できない文字が含まれています。";
constexpr const char* kErrorCaption = "エラー";
constexpr const char* kCopySuffix = "のｺﾋﾟｰ";

}  // namespace

NodeTree::NodeTree(ProjectState& state, Prompts& prompts) : m_state(state), m_prompts(prompts) {
    clear();
}

void NodeTree::clear() {
    m_root = std::make_unique<EmitterNode>(m_state.frameCount);
    m_selected = nullptr;
    m_nameCounter = 0;
    notify({TreeEvent::Kind::Rebuilt});
}

void NodeTree::replaceRoot(std::unique_ptr<EmitterNode> root, int nameCounter) {
    m_root = std::move(root);
    m_root->relinkParents();
    m_nameCounter = nameCounter;
    m_selected = nullptr;
    notify({TreeEvent::Kind::Rebuilt});
    if (!m_root->children.empty()) select(m_root->children.front().get());
}

void NodeTree::select(EmitterNode* node) {
    m_selected = node;
    notify({TreeEvent::Kind::SelectionChanged, node});
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
    notify({TreeEvent::Kind::Inserted, &node, &parent, static_cast<int>(index)});
    select(&node);
    m_state.requestRestart();
    return node;
}

EmitterNode& NodeTree::insertSiblingBefore(EmitterNode& reference) {
    EmitterNode& parent = *reference.parent;
    const int i = parent.indexOfChild(&reference);
    return insertNewNode(parent, static_cast<std::size_t>(std::max(i, 0)));
}

std::unique_ptr<EmitterNode> NodeTree::copyOf(const EmitterNode& source) const {
    auto copy = std::make_unique<EmitterNode>(m_state.frameCount);
    copy->copySettingsFrom(source, m_state.frameCount);
    return copy;
}

void NodeTree::addNode() {
    if (!m_selected || !m_selected->parent) return;
    insertSiblingBefore(*m_selected);
    markModified();
}

void NodeTree::addChildNode() {
    if (!m_selected) return;
    insertNewNode(*m_selected, 0);
    markModified();
}

void NodeTree::duplicate() {
    if (!m_selected || !m_selected->parent) return;
    std::unique_ptr<EmitterNode> temporary = copyOf(*m_selected);
    EmitterNode& created = insertSiblingBefore(*m_selected);
    created.copySettingsFrom(*temporary, m_state.frameCount);
    created.name = storableName(created.name + kCopySuffix);
    rebuildTreeView();
    select(&created);
    markModified();
}

bool NodeTree::deleteNodeWithRefusal(EmitterNode& node) {
    EmitterNode* parent = node.parent;
    if (parent == nullptr || (parent == m_root.get() && parent->children.size() == 1)) {
        m_prompts.showMessage(kCannotDeleteText, kConfirmCaption);
        return false;
    }
    m_state.requestRestart();
    m_root->clearParticles();

    const int i = parent->indexOfChild(&node);
    EmitterNode* next = nullptr;
    if (parent->children.size() == 1) {
        next = parent;
    } else if (i == 0) {
        next = parent->children[1].get();
    } else {
        next = parent->children[static_cast<std::size_t>(i - 1)].get();
    }

    notify({TreeEvent::Kind::Removing, &node, parent, i});
    if (m_selected == &node) m_selected = nullptr;
    parent->children.erase(parent->children.begin() + i);

    // The parent of a top-level node is the hidden root, which is never selectable;
    // it is chosen only for an only child, and a top-level node is never one here.
    select(next);
    return true;
}

void NodeTree::deleteNode() {
    if (!m_selected) return;
    if (deleteNodeWithRefusal(*m_selected)) markModified();
}

bool NodeTree::moveBy(int step) {
    if (!m_selected || !m_selected->parent) return false;
    EmitterNode* node = m_selected;
    auto& siblings = node->parent->children;
    const int i = node->parent->indexOfChild(node);
    const int j = i + step;
    if (j < 0 || j >= static_cast<int>(siblings.size())) return false;
    std::swap(siblings[static_cast<std::size_t>(i)], siblings[static_cast<std::size_t>(j)]);
    rebuildTreeView();
    select(node);
    markModified();
    return true;
}

void NodeTree::moveDown() { moveBy(+1); }

void NodeTree::moveUp() { moveBy(-1); }

void NodeTree::levelDown() {
    if (!m_selected || !m_selected->parent) return;
    EmitterNode* source = m_selected;
    EmitterNode& parent = *source->parent;
    const int i = parent.indexOfChild(source);
    if (i <= 0) return;
    EmitterNode& above = *parent.children[static_cast<std::size_t>(i - 1)];
    EmitterNode& created = insertNewNode(above, above.children.size());
    created.copySettingsFrom(*source, m_state.frameCount);
    deleteNodeWithRefusal(*source);
    rebuildTreeView();
    select(&created);
    markModified();
}

void NodeTree::levelUp() {
    if (!m_selected || !m_selected->parent) return;
    EmitterNode* source = m_selected;
    EmitterNode* formerParent = source->parent;
    if (formerParent == m_root.get()) return;
    std::unique_ptr<EmitterNode> temporary = copyOf(*source);
    deleteNodeWithRefusal(*source);
    EmitterNode& created = insertSiblingBefore(*formerParent);
    created.copySettingsFrom(*temporary, m_state.frameCount);
    rebuildTreeView();
    select(&created);
    moveDown();
}

bool NodeTree::rename(std::string_view text) {
    // An emptied label is taken as a cancelled edit: a node always keeps a name.
    if (!m_selected || !m_selected->parent || text.empty()) return false;
    if (!text::isCp932Encodable(text)) {
        m_prompts.showMessage(kNameNotStorableText, kErrorCaption);
        return false;
    }
    m_selected->name = storableName(text);
    notify({TreeEvent::Kind::Renamed, m_selected});
    markModified();
    return true;
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

void NodeTree::rebuildTreeView() {
    m_root->relinkParents();
    notify({TreeEvent::Kind::Rebuilt});
    m_state.requestRestart();
}

void NodeTree::markModified() {
    m_state.isDirty = 1;
    notify({TreeEvent::Kind::Modified});
}

int NodeTree::addListener(Listener listener) {
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void NodeTree::removeListener(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void NodeTree::notify(const TreeEvent& event) {
    for (const auto& [id, listener] : m_listeners) listener(event);
}

}  // namespace sp
