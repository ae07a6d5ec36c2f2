#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/model/node_tree.h"

namespace sp {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingPrompts : public Prompts {
  public:
    struct Message {
        std::string text;
        std::string caption;
    };
    void showMessage(std::string_view text, std::string_view caption) override {
        messages.push_back({std::string(text), std::string(caption)});
    }
    std::vector<Message> messages;
};

// The tree as text: names in display order, children in parentheses.
std::string outline(const EmitterNode& node) {
    std::string out;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const EmitterNode& child = *node.children[i];
        if (i > 0) out += ' ';
        out += child.name;
        if (!child.children.empty()) out += '(' + outline(child) + ')';
    }
    return out;
}

void expectParentsConsistent(const EmitterNode& node) {
    for (const auto& child : node.children) {
        EXPECT_EQ(child->parent, &node) << child->name;
        expectParentsConsistent(*child);
    }
}

void addParticle(EmitterNode& node) {
    Particle p;
    p.node = &node;
    node.particles.push_back(p);
}

std::string repeat(std::string_view s, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += s;
    return out;
}

// A tree as a new project leaves it: one top-level node, ノード1, selected.
class NodeTreeTest : public ::testing::Test {
  protected:
    static constexpr int32_t kIdleFrame = 7;

    NodeTreeTest() : tree(state, prompts) {
        tree.insertNewNode(tree.root(), 0);
        settle();
        tree.addListener([this](const TreeEvent& e) {
            events.push_back(e);
            if (e.kind == TreeEvent::Kind::Removing && e.node) removedNames.push_back(e.node->name);
        });
    }

    // Forgets what happened so far: not modified, loop running, no events.
    void settle() {
        state.isDirty = 0;
        state.currentFrame = kIdleFrame;
        events.clear();
        removedNames.clear();
    }

    EmitterNode& root() { return tree.root(); }
    EmitterNode& top(std::size_t i) { return *tree.root().children.at(i); }
    std::string selectedName() const {
        return tree.selectedNode() ? tree.selectedNode()->name : std::string("<none>");
    }
    bool restarted() const { return state.currentFrame == state.frameCount; }

    std::vector<TreeEvent::Kind> kinds() const {
        std::vector<TreeEvent::Kind> out;
        for (const TreeEvent& e : events) out.push_back(e.kind);
        return out;
    }
    int count(TreeEvent::Kind kind) const {
        int n = 0;
        for (const TreeEvent& e : events) n += e.kind == kind;
        return n;
    }

    // Top-level ノード3 ノード2 ノード1, ノード3 selected.
    void threeTopLevel() {
        tree.addNode();
        tree.addNode();
        ASSERT_EQ(outline(root()), "ノード3 ノード2 ノード1");
        settle();
    }

    void expectNothingHappened(const std::string& before) {
        EXPECT_EQ(outline(root()), before);
        EXPECT_EQ(state.isDirty, 0);
        EXPECT_EQ(state.currentFrame, kIdleFrame);
        EXPECT_THAT(events, IsEmpty());
    }

    ProjectState state;
    RecordingPrompts prompts;
    NodeTree tree;
    std::vector<TreeEvent> events;
    std::vector<std::string> removedNames;
};

// --- Adding nodes ---

using NodeTreeAdd = NodeTreeTest;

TEST_F(NodeTreeAdd, AddTwiceStacksNewNodesAboveTheSelection) {
    EXPECT_EQ(selectedName(), "ノード1");
    tree.addNode();
    tree.addNode();

    EXPECT_EQ(outline(root()), "ノード3 ノード2 ノード1");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(tree.selectedNode(), &top(0));
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    expectParentsConsistent(root());
}

TEST_F(NodeTreeAdd, AddedNodeHasNewNodeDefaultsWhateverItsNeighbour) {
    top(0).maxSpeed = 40;
    top(0).amount = 9;
    top(0).hidden = 1;
    state.frameCount = 60;
    tree.addNode();

    const EmitterNode& added = top(0);
    EXPECT_EQ(added.maxSpeed, 0);
    EXPECT_EQ(added.amount, 1);
    EXPECT_EQ(added.hidden, 0);
    EXPECT_EQ(added.life, 60);
    EXPECT_TRUE(added.children.empty());
}

TEST_F(NodeTreeAdd, AddInsertsDirectlyAboveTheSelectedSibling) {
    threeTopLevel();
    tree.select(&top(2));  // ノード1, the last
    tree.addNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード2 ノード4 ノード1");
    EXPECT_EQ(selectedName(), "ノード4");
}

TEST_F(NodeTreeAdd, AddChildPutsTheNewestChildFirstAndSelectsIt) {
    EmitterNode* node1 = &top(0);
    tree.addChildNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード2)");
    EXPECT_EQ(selectedName(), "ノード2");
    EXPECT_EQ(tree.selectedNode()->parent, node1);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());

    tree.select(node1);
    settle();
    tree.addChildNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2)");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    expectParentsConsistent(root());
}

TEST_F(NodeTreeAdd, AddOnAChildAddsASiblingUnderTheSameParent) {
    tree.addChildNode();  // ノード2 under ノード1
    tree.addNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2)");
    EXPECT_EQ(tree.selectedNode()->parent, &top(0));
}

TEST_F(NodeTreeAdd, NothingHappensWithoutASelection) {
    tree.select(nullptr);
    settle();
    tree.addNode();
    tree.addChildNode();
    tree.duplicate();
    tree.deleteNode();
    tree.moveUp();
    tree.moveDown();
    tree.levelDown();
    tree.levelUp();
    expectNothingHappened("ノード1");
    EXPECT_THAT(prompts.messages, IsEmpty());
    EXPECT_EQ(tree.nameCounter(), 1);
}

// --- Duplicate ---

using NodeTreeDuplicate = NodeTreeTest;

TEST_F(NodeTreeDuplicate, CopyGoesAboveWithSuffixChildrenAndUsesUpANumber) {
    EmitterNode* node1 = &top(0);
    tree.addChildNode();  // ノード2
    tree.select(node1);
    tree.addChildNode();  // ノード3
    node1->maxSpeed = 12;
    node1->curves[kCurveSize].points = {{0.0f, 20.0f}, {100.0f, 80.0f}};
    node1->children[1]->amount = 33;
    addParticle(*node1);
    node1->hidden = 1;
    EmitterNode* child0 = node1->children[0].get();
    EmitterNode* child1 = node1->children[1].get();
    tree.select(node1);
    settle();

    tree.duplicate();

    EXPECT_EQ(outline(root()), "ノード1のｺﾋﾟｰ(ノード3 ノード2) ノード1(ノード3 ノード2)");
    EmitterNode& copy = top(0);
    EXPECT_EQ(tree.selectedNode(), &copy);
    EXPECT_EQ(&top(1), node1);
    EXPECT_EQ(node1->children[0].get(), child0);
    EXPECT_EQ(node1->children[1].get(), child1);
    EXPECT_NE(copy.children[0].get(), child0);
    EXPECT_EQ(copy.maxSpeed, 12);
    EXPECT_EQ(copy.curves[kCurveSize].points, node1->curves[kCurveSize].points);
    EXPECT_EQ(copy.children[1]->amount, 33);
    EXPECT_EQ(copy.hidden, 0);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    EXPECT_GE(count(TreeEvent::Kind::Rebuilt), 1);
    expectParentsConsistent(root());

    // The copy's own curves: editing them leaves the original alone.
    copy.curves[kCurveSize].points[0].y = 0.0f;
    EXPECT_EQ(node1->curves[kCurveSize].points[0].y, 20.0f);

    // ノード4 went to the copy although its name does not show it.
    tree.addNode();
    EXPECT_EQ(selectedName(), "ノード5");
}

TEST_F(NodeTreeDuplicate, DuplicateOfAChildStaysUnderItsParent) {
    tree.addChildNode();  // ノード2
    tree.addNode();       // ノード3 above it
    tree.select(top(0).children[1].get());
    tree.duplicate();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2のｺﾋﾟｰ ノード2)");
    EXPECT_EQ(selectedName(), "ノード2のｺﾋﾟｰ");
}

TEST_F(NodeTreeDuplicate, SuffixIsCutToTheNameLimitAtACharacterBoundary) {
    // "のｺﾋﾟｰ" takes 6 bytes in the project file: の 2, the half-width kana 1 each.
    const auto duplicateNamed = [this](const std::string& name) {
        tree.selectedNode()->name = name;
        tree.duplicate();
        return tree.selectedNode()->name;
    };
    EXPECT_EQ(duplicateNamed(std::string(253, 'x')), std::string(253, 'x') + "のｺﾋﾟｰ");
    EXPECT_EQ(duplicateNamed(std::string(254, 'x')), std::string(254, 'x') + "のｺﾋﾟ");
    // Only one byte left: the two-byte の cannot be split.
    EXPECT_EQ(duplicateNamed(std::string(258, 'x')), std::string(258, 'x'));
    EXPECT_EQ(duplicateNamed(std::string(259, 'x')), std::string(259, 'x'));
    const std::string kana = repeat("ｺ", 250);
    EXPECT_EQ(duplicateNamed(kana), kana + "のｺﾋﾟｰ");
}

// --- Delete ---

using NodeTreeDelete = NodeTreeTest;

TEST_F(NodeTreeDelete, OnlyTopLevelNodeIsRefusedAndNothingChanges) {
    EmitterNode* node1 = &top(0);
    addParticle(*node1);
    tree.deleteNode();

    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "このノードは削除できません");
    EXPECT_EQ(prompts.messages[0].caption, "確認");
    expectNothingHappened("ノード1");
    EXPECT_EQ(tree.selectedNode(), node1);
    EXPECT_EQ(node1->particles.size(), 1u);
}

TEST_F(NodeTreeDelete, OnlyTopLevelNodeWithChildrenIsRefusedToo) {
    tree.addChildNode();
    tree.select(&top(0));
    settle();
    tree.deleteNode();
    EXPECT_EQ(prompts.messages.size(), 1u);
    expectNothingHappened("ノード1(ノード2)");
}

TEST_F(NodeTreeDelete, OnlyChildCanBeDeletedAndSelectsItsParent) {
    tree.addChildNode();  // ノード2 under ノード1
    tree.addChildNode();  // ノード3 under ノード2
    EmitterNode* node2 = tree.selectedNode()->parent;
    addParticle(top(0));
    addParticle(*node2);
    settle();

    tree.deleteNode();

    EXPECT_THAT(prompts.messages, IsEmpty());
    EXPECT_EQ(outline(root()), "ノード1(ノード2)");
    EXPECT_EQ(tree.selectedNode(), node2);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    // The particles of the whole tree go, not only those of the deleted node.
    EXPECT_TRUE(top(0).particles.empty());
    EXPECT_TRUE(node2->particles.empty());
}

TEST_F(NodeTreeDelete, FirstOfThreeSelectsTheNewFirst) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    tree.select(&top(0));
    tree.deleteNode();
    EXPECT_EQ(outline(root()), "ノード2 ノード1");
    EXPECT_EQ(tree.selectedNode(), node2);
}

TEST_F(NodeTreeDelete, LastOfThreeSelectsTheOneAbove) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    tree.select(&top(2));
    tree.deleteNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード2");
    EXPECT_EQ(tree.selectedNode(), node2);
}

TEST_F(NodeTreeDelete, MiddleOfThreeSelectsTheOneAbove) {
    threeTopLevel();
    EmitterNode* node3 = &top(0);
    tree.select(&top(1));
    tree.deleteNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード1");
    EXPECT_EQ(tree.selectedNode(), node3);
}

TEST_F(NodeTreeDelete, SubtreeGoesWithTheNodeAndTheCounterDoesNotGoBack) {
    tree.addChildNode();  // ノード2
    tree.addChildNode();  // ノード3 under ノード2
    tree.select(&top(0));
    tree.addNode();  // ノード4 on top
    tree.select(&top(1));
    settle();

    tree.deleteNode();
    EXPECT_EQ(outline(root()), "ノード4");
    EXPECT_THAT(removedNames, ElementsAre("ノード1"));
    tree.addNode();
    EXPECT_EQ(selectedName(), "ノード5");
}

// --- Move up and down ---

using NodeTreeMove = NodeTreeTest;

TEST_F(NodeTreeMove, MoveUpTwiceBringsTheLastToTheTopThenDoesNothing) {
    threeTopLevel();
    EmitterNode* node1 = &top(2);
    tree.select(node1);

    tree.moveUp();
    EXPECT_EQ(outline(root()), "ノード3 ノード1 ノード2");
    tree.moveUp();
    EXPECT_EQ(outline(root()), "ノード1 ノード3 ノード2");
    EXPECT_EQ(tree.selectedNode(), node1);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());

    settle();
    tree.moveUp();
    expectNothingHappened("ノード1 ノード3 ノード2");
    EXPECT_EQ(tree.selectedNode(), node1);
}

TEST_F(NodeTreeMove, MoveDownOnTheLastDoesNothing) {
    threeTopLevel();
    tree.select(&top(2));
    settle();
    tree.moveDown();
    expectNothingHappened("ノード3 ノード2 ノード1");
}

TEST_F(NodeTreeMove, OnlyTheTwoNeighboursExchangePlaces) {
    threeTopLevel();
    tree.select(&top(2));
    tree.addNode();  // ノード4 between ノード2 and ノード1
    ASSERT_EQ(outline(root()), "ノード3 ノード2 ノード4 ノード1");
    tree.select(&top(1));
    settle();

    tree.moveDown();
    EXPECT_EQ(outline(root()), "ノード3 ノード4 ノード2 ノード1");
    EXPECT_EQ(selectedName(), "ノード2");
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
}

TEST_F(NodeTreeMove, MovedNodeKeepsItsSubtreeAndParticles) {
    tree.addChildNode();  // ノード2
    tree.select(&top(0));
    tree.addNode();  // ノード3 on top
    EmitterNode* node1 = &top(1);
    EmitterNode* node2 = node1->children[0].get();
    addParticle(*node2);
    tree.select(node1);

    tree.moveUp();
    EXPECT_EQ(outline(root()), "ノード1(ノード2) ノード3");
    EXPECT_EQ(&top(0), node1);
    EXPECT_EQ(node1->children[0].get(), node2);
    EXPECT_EQ(node2->parent, node1);
    expectParentsConsistent(root());
}

TEST_F(NodeTreeMove, ChildrenMoveAmongTheirOwnSiblingsOnly) {
    tree.addChildNode();  // ノード2
    tree.addNode();       // ノード3 above it
    tree.select(&top(0));
    tree.addNode();  // ノード4 on top
    ASSERT_EQ(outline(root()), "ノード4 ノード1(ノード3 ノード2)");
    tree.select(top(1).children[0].get());
    settle();

    tree.moveUp();  // already the first child
    expectNothingHappened("ノード4 ノード1(ノード3 ノード2)");
    tree.moveDown();
    EXPECT_EQ(outline(root()), "ノード4 ノード1(ノード2 ノード3)");
    settle();
    tree.moveDown();  // now the last child
    expectNothingHappened("ノード4 ノード1(ノード2 ノード3)");
}

// --- Level down and level up ---

using NodeTreeLevel = NodeTreeTest;

TEST_F(NodeTreeLevel, LevelDownMakesTheSecondTheLastChildOfTheFirst) {
    threeTopLevel();
    tree.select(&top(0));
    tree.addChildNode();  // ノード4 under ノード3
    EmitterNode* node2 = &top(1);
    tree.select(node2);
    tree.addChildNode();  // ノード5 under ノード2
    node2->maxSpeed = 17;
    node2->hidden = 1;
    node2->curves[kCurveAlpha].points = {{0.0f, 100.0f}, {100.0f, 0.0f}};
    node2->children[0]->direction = 90;
    addParticle(*node2);
    tree.select(node2);
    settle();

    tree.levelDown();

    EXPECT_EQ(outline(root()), "ノード3(ノード4 ノード2(ノード5)) ノード1");
    EmitterNode& moved = *top(0).children[1];
    EXPECT_EQ(tree.selectedNode(), &moved);
    EXPECT_EQ(moved.maxSpeed, 17);
    EXPECT_EQ(moved.hidden, 0);
    EXPECT_TRUE(moved.particles.empty());
    EXPECT_EQ(moved.curves[kCurveAlpha].points,
              (std::vector<CurvePoint>{{0.0f, 100.0f}, {100.0f, 0.0f}}));
    EXPECT_EQ(moved.children[0]->direction, 90);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    EXPECT_THAT(prompts.messages, IsEmpty());
    expectParentsConsistent(root());

    // The move used up one name number.
    tree.addNode();
    EXPECT_EQ(selectedName(), "ノード7");
}

TEST_F(NodeTreeLevel, LevelDownOnTheFirstSiblingDoesNothing) {
    threeTopLevel();
    tree.select(&top(0));
    settle();
    tree.levelDown();
    expectNothingHappened("ノード3 ノード2 ノード1");
    EXPECT_EQ(tree.nameCounter(), 3);
}

TEST_F(NodeTreeLevel, LevelUpPlacesTheNodeDirectlyBelowItsFormerParent) {
    // ノード1 with the children ノード4 ノード3 ノード2, and ノード5 below it.
    EmitterNode* node1 = &top(0);
    tree.addChildNode();
    tree.addNode();
    tree.addNode();
    tree.select(node1);
    tree.addNode();
    tree.moveDown();
    ASSERT_EQ(outline(root()), "ノード1(ノード4 ノード3 ノード2) ノード5");

    tree.select(node1->children[1].get());  // ノード3, not the first child
    tree.addChildNode();                    // ノード6 under ノード3
    tree.select(node1->children[1].get());
    node1->children[1]->amount = 8;
    settle();

    tree.levelUp();

    EXPECT_EQ(outline(root()), "ノード1(ノード4 ノード2) ノード3(ノード6) ノード5");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(tree.selectedNode(), &top(1));
    EXPECT_EQ(top(1).amount, 8);
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_TRUE(restarted());
    EXPECT_THAT(prompts.messages, IsEmpty());
    expectParentsConsistent(root());
    EXPECT_EQ(tree.nameCounter(), 7);
}

TEST_F(NodeTreeLevel, LevelUpOfTheLastChildWhenTheParentIsNotFirst) {
    threeTopLevel();
    tree.select(&top(1));  // ノード2
    tree.addChildNode();   // ノード4
    tree.addNode();        // ノード5 above it
    tree.select(top(1).children[1].get());
    tree.levelUp();
    EXPECT_EQ(outline(root()), "ノード3 ノード2(ノード5) ノード4 ノード1");
    EXPECT_EQ(selectedName(), "ノード4");
}

TEST_F(NodeTreeLevel, LevelUpFromTheDeepestLevelGoesOneLevelOnly) {
    tree.addChildNode();  // ノード2
    tree.addChildNode();  // ノード3 under ノード2
    tree.levelUp();
    EXPECT_EQ(outline(root()), "ノード1(ノード2 ノード3)");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(tree.selectedNode()->parent, &top(0));
}

TEST_F(NodeTreeLevel, LevelUpOnATopLevelNodeDoesNothing) {
    threeTopLevel();
    tree.select(&top(1));
    settle();
    tree.levelUp();
    expectNothingHappened("ノード3 ノード2 ノード1");
    EXPECT_EQ(tree.nameCounter(), 3);
}

// --- Rename ---

using NodeTreeRename = NodeTreeTest;

TEST_F(NodeTreeRename, RenameSetsTheNameAndMarksModified) {
    EXPECT_TRUE(tree.rename("火花"));
    EXPECT_EQ(top(0).name, "火花");
    EXPECT_EQ(state.isDirty, 1);
    EXPECT_EQ(count(TreeEvent::Kind::Renamed), 1);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 1);
}

TEST_F(NodeTreeRename, CommasAndLineBreaksAreReplaced) {
    EXPECT_TRUE(tree.rename("a,b\nc\r\nd"));
    const std::string& name = top(0).name;
    EXPECT_EQ(name.find(','), std::string::npos);
    EXPECT_EQ(name.find('\n'), std::string::npos);
    EXPECT_EQ(name.find('\r'), std::string::npos);
    EXPECT_EQ(name, "a，b c  d");
}

TEST_F(NodeTreeRename, LongNamesAreCutToTheProjectFileLimit) {
    EXPECT_TRUE(tree.rename(std::string(300, 'a')));
    EXPECT_EQ(top(0).name, std::string(259, 'a'));

    // 259 bytes exactly fit.
    const std::string fits = "a" + repeat("あ", 129);
    EXPECT_TRUE(tree.rename(fits));
    EXPECT_EQ(top(0).name, fits);

    // A two-byte character that would end at byte 260 is dropped whole.
    EXPECT_TRUE(tree.rename(repeat("あ", 130)));
    EXPECT_EQ(top(0).name, repeat("あ", 129));

    // Half-width kana take one byte each in the file, however long they are in memory.
    EXPECT_TRUE(tree.rename(repeat("ｺ", 259)));
    EXPECT_EQ(top(0).name, repeat("ｺ", 259));
    EXPECT_TRUE(tree.rename(repeat("ｺ", 260)));
    EXPECT_EQ(top(0).name, repeat("ｺ", 259));
}

TEST_F(NodeTreeRename, TextThatCannotBeStoredIsRefusedWithAMessage) {
    EXPECT_FALSE(tree.rename("火花🔥"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(prompts.messages[0].text.empty());
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_EQ(state.isDirty, 0);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 0);
    EXPECT_EQ(count(TreeEvent::Kind::Renamed), 0);
}

TEST_F(NodeTreeRename, AnEmptiedLabelKeepsTheOldName) {
    EXPECT_FALSE(tree.rename(""));
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_EQ(state.isDirty, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

// --- Notifications ---

using NodeTreeEvents = NodeTreeTest;

TEST_F(NodeTreeEvents, InsertionReportsParentAndIndex) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    tree.select(node2);
    tree.addChildNode();
    tree.addChildNode();

    std::vector<const TreeEvent*> inserted;
    for (const TreeEvent& e : events)
        if (e.kind == TreeEvent::Kind::Inserted) inserted.push_back(&e);
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[0]->parent, node2);
    EXPECT_EQ(inserted[0]->index, 0);
    EXPECT_EQ(inserted[0]->node, node2->children[0].get());
    EXPECT_EQ(inserted[1]->parent, node2->children[0].get());
    EXPECT_EQ(inserted[1]->index, 0);
    EXPECT_EQ(events.back().kind, TreeEvent::Kind::Modified);

    settle();
    tree.select(&top(2));
    tree.addNode();
    ASSERT_GE(count(TreeEvent::Kind::Inserted), 1);
    for (const TreeEvent& e : events) {
        if (e.kind != TreeEvent::Kind::Inserted) continue;
        EXPECT_EQ(e.parent, &root());
        EXPECT_EQ(e.index, 2);
        EXPECT_EQ(e.node, &top(2));
    }
}

TEST_F(NodeTreeEvents, RemovingIsReportedWhileTheNodeStillExists) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    tree.select(node2);
    tree.deleteNode();

    ASSERT_EQ(count(TreeEvent::Kind::Removing), 1);
    EXPECT_THAT(removedNames, ElementsAre("ノード2"));
    for (const TreeEvent& e : events) {
        if (e.kind != TreeEvent::Kind::Removing) continue;
        EXPECT_EQ(e.node, node2);
        EXPECT_EQ(e.parent, &root());
        EXPECT_EQ(e.index, 1);
    }
    EXPECT_EQ(events.back().kind, TreeEvent::Kind::Modified);
}

TEST_F(NodeTreeEvents, StructuralRearrangementsAskForARebuild) {
    threeTopLevel();
    tree.select(&top(1));

    tree.moveDown();
    EXPECT_EQ(count(TreeEvent::Kind::Rebuilt), 1);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 1);
    for (auto op : {&NodeTree::duplicate, &NodeTree::levelDown, &NodeTree::levelUp}) {
        settle();
        (tree.*op)();
        EXPECT_GE(count(TreeEvent::Kind::Rebuilt), 1);
        EXPECT_GE(count(TreeEvent::Kind::Modified), 1);
        EXPECT_EQ(state.isDirty, 1);
        EXPECT_TRUE(restarted());
        // The view's last word on the selection is the operation's result.
        const TreeEvent* lastSelection = nullptr;
        for (const TreeEvent& e : events)
            if (e.kind == TreeEvent::Kind::SelectionChanged) lastSelection = &e;
        ASSERT_NE(lastSelection, nullptr);
        EXPECT_EQ(lastSelection->node, tree.selectedNode());
    }
}

TEST_F(NodeTreeEvents, RemovedListenerHearsNothing) {
    int heard = 0;
    const int id = tree.addListener([&heard](const TreeEvent&) { ++heard; });
    tree.addNode();
    EXPECT_GT(heard, 0);
    const int before = heard;
    tree.removeListener(id);
    tree.addNode();
    EXPECT_EQ(heard, before);
    EXPECT_FALSE(events.empty()) << "other listeners keep listening";
}

// --- Node identity ---

using NodeTreeIdentity = NodeTreeTest;

TEST_F(NodeTreeIdentity, UntouchedNodesKeepTheirAddressAcrossSiblingChanges) {
    EmitterNode* node1 = &top(0);
    tree.addChildNode();  // ノード2 under ノード1
    EmitterNode* node2 = tree.selectedNode();
    tree.select(node1);
    tree.addNode();  // ノード3 on top
    EmitterNode* node3 = &top(0);
    addParticle(*node1);
    addParticle(*node2);

    // Insertions in front of a node do not move it, nor its particles' link to it.
    tree.select(node3);
    tree.addNode();
    tree.addNode();
    ASSERT_EQ(outline(root()), "ノード5 ノード4 ノード3 ノード1(ノード2)");
    EXPECT_EQ(&top(3), node1);
    EXPECT_EQ(&top(2), node3);
    EXPECT_EQ(node1->name, "ノード1");
    EXPECT_EQ(node2->parent, node1);
    ASSERT_EQ(node1->particles.size(), 1u);
    EXPECT_EQ(node1->particles[0].node, node1);
    EXPECT_EQ(node2->particles[0].node, node2);

    // Nor do moves and deletions of siblings.
    tree.select(&top(0));
    tree.moveDown();
    tree.select(&top(0));
    tree.deleteNode();
    ASSERT_EQ(outline(root()), "ノード5 ノード3 ノード1(ノード2)");
    EXPECT_EQ(&top(1), node3);
    EXPECT_EQ(&top(2), node1);
    EXPECT_EQ(node1->children[0].get(), node2);
    EXPECT_EQ(node2->parent, node1);
    EXPECT_EQ(node3->name, "ノード3");

    // The selection is the node itself, not whatever now sits at its old place.
    tree.select(node1);
    tree.moveUp();
    EXPECT_EQ(tree.selectedNode(), node1);
    EXPECT_EQ(&top(1), node1);
    expectParentsConsistent(root());
}

}  // namespace
}  // namespace sp
