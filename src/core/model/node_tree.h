#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/model/prompts.h"

namespace sp {

// What a view of the tree needs to stay in step with the model.
struct TreeEvent {
    enum class Kind {
        Inserted,          // `node` was inserted into `parent` at `index`
        Removing,          // `node` and its subtree are about to be destroyed
        Rebuilt,           // the whole tree may have changed: rebuild the view
        Renamed,           // `node`'s name changed
        SelectionChanged,  // `node` is the new selection
        Modified,          // the project was marked modified
    };
    Kind kind;
    EmitterNode* node = nullptr;
    EmitterNode* parent = nullptr;
    int index = -1;
};

// The effect tree as the user edits it: the hidden root, the selected node, the
// name counter and the eight tree operations. Every operation leaves the
// selection set, restarts the loop when the structure changed, and marks the
// project modified unless it did nothing.
class NodeTree {
public:
    // Names are stored in 260 bytes of CP932, the last one a terminating zero.
    static constexpr std::size_t kMaxNameBytes = 259;

    NodeTree(ProjectState& state, Prompts& prompts);

    EmitterNode& root() { return *m_root; }
    const EmitterNode& root() const { return *m_root; }
    EmitterNode* selectedNode() const { return m_selected; }
    int nameCounter() const { return m_nameCounter; }
    void setNameCounter(int counter) { m_nameCounter = counter; }

    // Starts over with an empty root (the counter at 0) and no selection.
    void clear();
    // Replaces the whole tree, e.g. with one read from a file; selects the first top-level node.
    void replaceRoot(std::unique_ptr<EmitterNode> root, int nameCounter);

    // Selects a node (the view's selection or an operation's result).
    void select(EmitterNode* node);

    // The node panel's operations; each acts on the selected node.
    void addNode();
    void addChildNode();
    void duplicate();
    void deleteNode();
    void moveDown();
    void moveUp();
    void levelDown();
    void levelUp();

    // Renames the selected node. Commas and line breaks become spaces or full-width
    // commas, and the name is cut to 259 CP932 bytes. Returns false, with a message,
    // when the text holds characters a project file cannot store.
    bool rename(std::string_view text);

    // Inserts a new default node named "ノード%d" with the next number into parent at index,
    // selects it and restarts the loop.
    EmitterNode& insertNewNode(EmitterNode& parent, std::size_t index);

    // Observers see every change; the returned id removes them again.
    using Listener = std::function<void(const TreeEvent&)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // A name the project file can store: no separators, at most 259 CP932 bytes.
    static std::string storableName(std::string_view text);

private:
    EmitterNode& insertSiblingBefore(EmitterNode& reference);
    bool deleteNodeWithRefusal(EmitterNode& node);
    bool moveBy(int step);
    void rebuildTreeView();
    void markModified();
    void notify(const TreeEvent& event);
    std::unique_ptr<EmitterNode> copyOf(const EmitterNode& source) const;

    ProjectState& m_state;
    Prompts& m_prompts;
    std::unique_ptr<EmitterNode> m_root;
    EmitterNode* m_selected = nullptr;
    int m_nameCounter = 0;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListenerId = 1;
};

}  // namespace sp
