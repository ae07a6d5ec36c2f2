#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"

namespace sp {

// One change of the tree's shape: a subtree went into a parent at an index, or
// came out of it. Every structural operation is a sequence of these, so that it
// can be taken back and done again by moving the very same nodes.
struct TreeStep {
    enum class Kind { Inserted, Removed };
    Kind kind;
    EmitterNode* parent;
    std::size_t index;
    EmitterNode* node;
};

// What a tree operation did.
struct TreeEdit {
    enum class Refusal { None, CannotDelete };

    Refusal refusal = Refusal::None;
    std::vector<TreeStep> steps;  // in the order they happened; empty when nothing changed
    // The subtrees the operation took out, still alive: whoever keeps the edit
    // (the undo history) owns them.
    std::vector<std::unique_ptr<EmitterNode>> removed;
    EmitterNode* select = nullptr;  // the node to select afterwards
    bool rebuilt = false;           // the views must be built again from the tree
    int nameCounterBefore = 0;
    int nameCounterAfter = 0;

    bool changed() const { return !steps.empty(); }
};

// The effect tree as the user edits it: the hidden root, the name counter and
// the eight tree operations. Each operation acts on the node it is given, restarts
// the loop when the structure changed and reports what it did; it never destroys
// a node, so that the edit can be taken back. Messages, the selection and the
// modified flag belong to the document above.
class NodeTree {
  public:
    // Names are stored in 260 bytes of CP932, the last one a terminating zero.
    static constexpr std::size_t kMaxNameBytes = 259;

    explicit NodeTree(ProjectState& state);

    EmitterNode& root() { return *m_root; }
    const EmitterNode& root() const { return *m_root; }
    int nameCounter() const { return m_nameCounter; }
    void setNameCounter(int counter) { m_nameCounter = counter; }

    // Starts over with an empty root (the counter at 0).
    void clear();
    // Replaces the whole tree, e.g. with one read from a file.
    void replaceRoot(std::unique_ptr<EmitterNode> root, int nameCounter);

    // The node panel's operations on `node`, which must be in this tree.
    TreeEdit addNode(EmitterNode& node);
    TreeEdit addChildNode(EmitterNode& node);
    TreeEdit duplicate(EmitterNode& node);
    TreeEdit deleteNode(EmitterNode& node);
    TreeEdit moveDown(EmitterNode& node);
    TreeEdit moveUp(EmitterNode& node);
    TreeEdit levelDown(EmitterNode& node);
    TreeEdit levelUp(EmitterNode& node);

    // Inserts a new default node named "ノード%d" with the next number into parent
    // at index and restarts the loop.
    EmitterNode& insertNewNode(EmitterNode& parent, std::size_t index);

    // The two primitives every structural change is made of. takeOut removes a
    // node with its subtree from its parent and clears their particles; putBack
    // inserts a subtree taken out before. Both restart the loop.
    std::unique_ptr<EmitterNode> takeOut(EmitterNode& node);
    void putBack(EmitterNode& parent, std::size_t index, std::unique_ptr<EmitterNode> node);

    // Whether `node` is the root or one of its descendants.
    bool contains(const EmitterNode* node) const;

    // A name the project file can store: no separators, at most 259 CP932 bytes.
    static std::string storableName(std::string_view text);

  private:
    class Recorder;

    TreeEdit moveBy(EmitterNode& node, int step);

    ProjectState& m_state;
    std::unique_ptr<EmitterNode> m_root;
    int m_nameCounter = 0;
};

}  // namespace sp
