#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "document/app_context.h"

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

// What the document told its views, one entry per signal.
struct TreeEvent {
    enum class Kind { Inserted, Removing, Rebuilt, Renamed, SelectionChanged, Modified };
    Kind kind;
    EmitterNode* node = nullptr;
    EmitterNode* parent = nullptr;
    int index = -1;
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

// A new project: one top-level node, ノード1, selected.
class NodeTreeTest : public ::testing::Test {
  protected:
    static constexpr int32_t kIdleFrame = 7;

    NodeTreeTest()
        : context(prompts, {temp.path().toStdString(), temp.path().toStdString(), false, {}}),
          document(context.document()),
          state(document.project().state) {
        context.start();
        settle();
        listen();
    }

    // Records every signal of the document as an event.
    QMetaObject::Connection listen() {
        QObject::connect(&document, &Document::treeChanged, [this](const TreeChange& c) {
            using K = TreeEvent::Kind;
            const K kind = c.kind == TreeChange::Kind::Inserted  ? K::Inserted
                           : c.kind == TreeChange::Kind::Removed ? K::Removing
                                                                 : K::Rebuilt;
            events.push_back({kind, c.node, c.parent, c.index});
            if (kind == K::Removing && c.node) removedNames.push_back(c.node->name);
        });
        QObject::connect(&document, &Document::nodeChanged, [this](EmitterNode* node) {
            events.push_back({TreeEvent::Kind::Renamed, node});
        });
        QObject::connect(&document, &Document::selectionChanged, [this](EmitterNode* node) {
            events.push_back({TreeEvent::Kind::SelectionChanged, node});
        });
        return QObject::connect(&document, &Document::modifiedChanged, [this](bool modified) {
            if (modified) events.push_back({TreeEvent::Kind::Modified});
        });
    }

    // Forgets what happened so far: not modified, loop running, no events.
    void settle() {
        document.undoStack().setClean();
        state.currentFrame = kIdleFrame;
        events.clear();
        removedNames.clear();
    }

    bool modified() const { return document.isModified(); }
    NodeTree& tree() { return document.project().tree; }
    EmitterNode& root() { return tree().root(); }
    EmitterNode& top(std::size_t i) { return *root().children.at(i); }
    std::string selectedName() const {
        return document.selectedNode() ? document.selectedNode()->name : std::string("<none>");
    }
    bool rename(std::string_view text) { return document.rename(*document.selectedNode(), text); }
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
        document.addNode();
        document.addNode();
        ASSERT_EQ(outline(root()), "ノード3 ノード2 ノード1");
        settle();
    }

    void expectNothingHappened(const std::string& before) {
        EXPECT_EQ(outline(root()), before);
        EXPECT_FALSE(modified());
        EXPECT_EQ(state.currentFrame, kIdleFrame);
        EXPECT_THAT(events, IsEmpty());
    }

    QTemporaryDir temp;
    RecordingPrompts prompts;
    AppContext context;
    Document& document;
    ProjectState& state;
    std::vector<TreeEvent> events;
    std::vector<std::string> removedNames;
};

// --- Adding nodes ---

using NodeTreeAdd = NodeTreeTest;

TEST_F(NodeTreeAdd, AddTwiceStacksNewNodesAboveTheSelection) {
    EXPECT_EQ(selectedName(), "ノード1");
    document.addNode();
    document.addNode();

    EXPECT_EQ(outline(root()), "ノード3 ノード2 ノード1");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(document.selectedNode(), &top(0));
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    expectParentsConsistent(root());
}

TEST_F(NodeTreeAdd, AddedNodeHasNewNodeDefaultsWhateverItsNeighbour) {
    top(0).maxSpeed = 40;
    top(0).amount = 9;
    top(0).hidden = 1;
    state.frameCount = 60;
    document.addNode();

    const EmitterNode& added = top(0);
    EXPECT_EQ(added.maxSpeed, 0);
    EXPECT_EQ(added.amount, 1);
    EXPECT_EQ(added.hidden, 0);
    EXPECT_EQ(added.life, 60);
    EXPECT_TRUE(added.children.empty());
}

TEST_F(NodeTreeAdd, AddInsertsDirectlyAboveTheSelectedSibling) {
    threeTopLevel();
    document.select(&top(2));  // ノード1, the last
    document.addNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード2 ノード4 ノード1");
    EXPECT_EQ(selectedName(), "ノード4");
}

TEST_F(NodeTreeAdd, AddChildPutsTheNewestChildFirstAndSelectsIt) {
    EmitterNode* node1 = &top(0);
    document.addChildNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード2)");
    EXPECT_EQ(selectedName(), "ノード2");
    EXPECT_EQ(document.selectedNode()->parent, node1);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());

    document.select(node1);
    settle();
    document.addChildNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2)");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    expectParentsConsistent(root());
}

TEST_F(NodeTreeAdd, AddOnAChildAddsASiblingUnderTheSameParent) {
    document.addChildNode();  // ノード2 under ノード1
    document.addNode();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2)");
    EXPECT_EQ(document.selectedNode()->parent, &top(0));
}

TEST_F(NodeTreeAdd, NothingHappensWithoutASelection) {
    document.select(nullptr);
    settle();
    document.addNode();
    document.addChildNode();
    document.duplicate();
    document.deleteNode();
    document.moveUp();
    document.moveDown();
    document.levelDown();
    document.levelUp();
    expectNothingHappened("ノード1");
    EXPECT_THAT(prompts.messages, IsEmpty());
    EXPECT_EQ(tree().nameCounter(), 1);
}

// --- Duplicate ---

using NodeTreeDuplicate = NodeTreeTest;

TEST_F(NodeTreeDuplicate, CopyGoesAboveWithSuffixChildrenAndUsesUpANumber) {
    EmitterNode* node1 = &top(0);
    document.addChildNode();  // ノード2
    document.select(node1);
    document.addChildNode();  // ノード3
    node1->maxSpeed = 12;
    node1->curves[kCurveSize].points = {{0.0f, 20.0f}, {100.0f, 80.0f}};
    node1->children[1]->amount = 33;
    addParticle(*node1);
    node1->hidden = 1;
    EmitterNode* child0 = node1->children[0].get();
    EmitterNode* child1 = node1->children[1].get();
    document.select(node1);
    settle();

    document.duplicate();

    EXPECT_EQ(outline(root()), "ノード1のｺﾋﾟｰ(ノード3 ノード2) ノード1(ノード3 ノード2)");
    EmitterNode& copy = top(0);
    EXPECT_EQ(document.selectedNode(), &copy);
    EXPECT_EQ(&top(1), node1);
    EXPECT_EQ(node1->children[0].get(), child0);
    EXPECT_EQ(node1->children[1].get(), child1);
    EXPECT_NE(copy.children[0].get(), child0);
    EXPECT_EQ(copy.maxSpeed, 12);
    EXPECT_EQ(copy.curves[kCurveSize].points, node1->curves[kCurveSize].points);
    EXPECT_EQ(copy.children[1]->amount, 33);
    EXPECT_EQ(copy.hidden, 0);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    EXPECT_GE(count(TreeEvent::Kind::Rebuilt), 1);
    expectParentsConsistent(root());

    // The copy's own curves: editing them leaves the original alone.
    copy.curves[kCurveSize].points[0].y = 0.0f;
    EXPECT_EQ(node1->curves[kCurveSize].points[0].y, 20.0f);

    // ノード4 went to the copy although its name does not show it.
    document.addNode();
    EXPECT_EQ(selectedName(), "ノード5");
}

TEST_F(NodeTreeDuplicate, DuplicateOfAChildStaysUnderItsParent) {
    document.addChildNode();  // ノード2
    document.addNode();       // ノード3 above it
    document.select(top(0).children[1].get());
    document.duplicate();
    EXPECT_EQ(outline(root()), "ノード1(ノード3 ノード2のｺﾋﾟｰ ノード2)");
    EXPECT_EQ(selectedName(), "ノード2のｺﾋﾟｰ");
}

TEST_F(NodeTreeDuplicate, SuffixIsCutToTheNameLimitAtACharacterBoundary) {
    // "のｺﾋﾟｰ" takes 6 bytes in the project file: の 2, the half-width kana 1 each.
    const auto duplicateNamed = [this](const std::string& name) {
        document.selectedNode()->name = name;
        document.duplicate();
        return document.selectedNode()->name;
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
    document.deleteNode();

    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "このノードは削除できません");
    EXPECT_EQ(prompts.messages[0].caption, "確認");
    expectNothingHappened("ノード1");
    EXPECT_EQ(document.selectedNode(), node1);
    EXPECT_EQ(node1->particles.size(), 1u);
}

TEST_F(NodeTreeDelete, OnlyTopLevelNodeWithChildrenIsRefusedToo) {
    document.addChildNode();
    document.select(&top(0));
    settle();
    document.deleteNode();
    EXPECT_EQ(prompts.messages.size(), 1u);
    expectNothingHappened("ノード1(ノード2)");
}

TEST_F(NodeTreeDelete, OnlyChildCanBeDeletedAndSelectsItsParent) {
    document.addChildNode();  // ノード2 under ノード1
    document.addChildNode();  // ノード3 under ノード2
    EmitterNode* node2 = document.selectedNode()->parent;
    addParticle(top(0));
    addParticle(*node2);
    settle();

    document.deleteNode();

    EXPECT_THAT(prompts.messages, IsEmpty());
    EXPECT_EQ(outline(root()), "ノード1(ノード2)");
    EXPECT_EQ(document.selectedNode(), node2);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    // The particles of the whole tree go, not only those of the deleted node.
    EXPECT_TRUE(top(0).particles.empty());
    EXPECT_TRUE(node2->particles.empty());
}

TEST_F(NodeTreeDelete, FirstOfThreeSelectsTheNewFirst) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    document.select(&top(0));
    document.deleteNode();
    EXPECT_EQ(outline(root()), "ノード2 ノード1");
    EXPECT_EQ(document.selectedNode(), node2);
}

TEST_F(NodeTreeDelete, LastOfThreeSelectsTheOneAbove) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    document.select(&top(2));
    document.deleteNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード2");
    EXPECT_EQ(document.selectedNode(), node2);
}

TEST_F(NodeTreeDelete, MiddleOfThreeSelectsTheOneAbove) {
    threeTopLevel();
    EmitterNode* node3 = &top(0);
    document.select(&top(1));
    document.deleteNode();
    EXPECT_EQ(outline(root()), "ノード3 ノード1");
    EXPECT_EQ(document.selectedNode(), node3);
}

TEST_F(NodeTreeDelete, SubtreeGoesWithTheNodeAndTheCounterDoesNotGoBack) {
    document.addChildNode();  // ノード2
    document.addChildNode();  // ノード3 under ノード2
    document.select(&top(0));
    document.addNode();  // ノード4 on top
    document.select(&top(1));
    settle();

    document.deleteNode();
    EXPECT_EQ(outline(root()), "ノード4");
    EXPECT_THAT(removedNames, ElementsAre("ノード1"));
    document.addNode();
    EXPECT_EQ(selectedName(), "ノード5");
}

// --- Move up and down ---

using NodeTreeMove = NodeTreeTest;

TEST_F(NodeTreeMove, MoveUpTwiceBringsTheLastToTheTopThenDoesNothing) {
    threeTopLevel();
    EmitterNode* node1 = &top(2);
    document.select(node1);

    document.moveUp();
    EXPECT_EQ(outline(root()), "ノード3 ノード1 ノード2");
    document.moveUp();
    EXPECT_EQ(outline(root()), "ノード1 ノード3 ノード2");
    EXPECT_EQ(document.selectedNode(), node1);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());

    settle();
    document.moveUp();
    expectNothingHappened("ノード1 ノード3 ノード2");
    EXPECT_EQ(document.selectedNode(), node1);
}

TEST_F(NodeTreeMove, MoveDownOnTheLastDoesNothing) {
    threeTopLevel();
    document.select(&top(2));
    settle();
    document.moveDown();
    expectNothingHappened("ノード3 ノード2 ノード1");
}

TEST_F(NodeTreeMove, OnlyTheTwoNeighboursExchangePlaces) {
    threeTopLevel();
    document.select(&top(2));
    document.addNode();  // ノード4 between ノード2 and ノード1
    ASSERT_EQ(outline(root()), "ノード3 ノード2 ノード4 ノード1");
    document.select(&top(1));
    settle();

    document.moveDown();
    EXPECT_EQ(outline(root()), "ノード3 ノード4 ノード2 ノード1");
    EXPECT_EQ(selectedName(), "ノード2");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
}

TEST_F(NodeTreeMove, MovedNodeKeepsItsSubtreeAndParticles) {
    document.addChildNode();  // ノード2
    document.select(&top(0));
    document.addNode();  // ノード3 on top
    EmitterNode* node1 = &top(1);
    EmitterNode* node2 = node1->children[0].get();
    addParticle(*node2);
    document.select(node1);

    document.moveUp();
    EXPECT_EQ(outline(root()), "ノード1(ノード2) ノード3");
    EXPECT_EQ(&top(0), node1);
    EXPECT_EQ(node1->children[0].get(), node2);
    EXPECT_EQ(node2->parent, node1);
    expectParentsConsistent(root());
}

TEST_F(NodeTreeMove, ChildrenMoveAmongTheirOwnSiblingsOnly) {
    document.addChildNode();  // ノード2
    document.addNode();       // ノード3 above it
    document.select(&top(0));
    document.addNode();  // ノード4 on top
    ASSERT_EQ(outline(root()), "ノード4 ノード1(ノード3 ノード2)");
    document.select(top(1).children[0].get());
    settle();

    document.moveUp();  // already the first child
    expectNothingHappened("ノード4 ノード1(ノード3 ノード2)");
    document.moveDown();
    EXPECT_EQ(outline(root()), "ノード4 ノード1(ノード2 ノード3)");
    settle();
    document.moveDown();  // now the last child
    expectNothingHappened("ノード4 ノード1(ノード2 ノード3)");
}

// --- Level down and level up ---

using NodeTreeLevel = NodeTreeTest;

TEST_F(NodeTreeLevel, LevelDownMakesTheSecondTheLastChildOfTheFirst) {
    threeTopLevel();
    document.select(&top(0));
    document.addChildNode();  // ノード4 under ノード3
    EmitterNode* node2 = &top(1);
    document.select(node2);
    document.addChildNode();  // ノード5 under ノード2
    node2->maxSpeed = 17;
    node2->hidden = 1;
    node2->curves[kCurveAlpha].points = {{0.0f, 100.0f}, {100.0f, 0.0f}};
    node2->children[0]->direction = 90;
    addParticle(*node2);
    document.select(node2);
    settle();

    document.levelDown();

    EXPECT_EQ(outline(root()), "ノード3(ノード4 ノード2(ノード5)) ノード1");
    EmitterNode& moved = *top(0).children[1];
    EXPECT_EQ(document.selectedNode(), &moved);
    EXPECT_EQ(moved.maxSpeed, 17);
    EXPECT_EQ(moved.hidden, 0);
    EXPECT_TRUE(moved.particles.empty());
    EXPECT_EQ(moved.curves[kCurveAlpha].points,
              (std::vector<CurvePoint>{{0.0f, 100.0f}, {100.0f, 0.0f}}));
    EXPECT_EQ(moved.children[0]->direction, 90);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    EXPECT_THAT(prompts.messages, IsEmpty());
    expectParentsConsistent(root());

    // The move used up one name number.
    document.addNode();
    EXPECT_EQ(selectedName(), "ノード7");
}

TEST_F(NodeTreeLevel, LevelDownOnTheFirstSiblingDoesNothing) {
    threeTopLevel();
    document.select(&top(0));
    settle();
    document.levelDown();
    expectNothingHappened("ノード3 ノード2 ノード1");
    EXPECT_EQ(tree().nameCounter(), 3);
}

TEST_F(NodeTreeLevel, LevelUpPlacesTheNodeDirectlyBelowItsFormerParent) {
    // ノード1 with the children ノード4 ノード3 ノード2, and ノード5 below it.
    EmitterNode* node1 = &top(0);
    document.addChildNode();
    document.addNode();
    document.addNode();
    document.select(node1);
    document.addNode();
    document.moveDown();
    ASSERT_EQ(outline(root()), "ノード1(ノード4 ノード3 ノード2) ノード5");

    document.select(node1->children[1].get());  // ノード3, not the first child
    document.addChildNode();                    // ノード6 under ノード3
    document.select(node1->children[1].get());
    node1->children[1]->amount = 8;
    settle();

    document.levelUp();

    EXPECT_EQ(outline(root()), "ノード1(ノード4 ノード2) ノード3(ノード6) ノード5");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(document.selectedNode(), &top(1));
    EXPECT_EQ(top(1).amount, 8);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(restarted());
    EXPECT_THAT(prompts.messages, IsEmpty());
    expectParentsConsistent(root());
    EXPECT_EQ(tree().nameCounter(), 7);
}

TEST_F(NodeTreeLevel, LevelUpOfTheLastChildWhenTheParentIsNotFirst) {
    threeTopLevel();
    document.select(&top(1));  // ノード2
    document.addChildNode();   // ノード4
    document.addNode();        // ノード5 above it
    document.select(top(1).children[1].get());
    document.levelUp();
    EXPECT_EQ(outline(root()), "ノード3 ノード2(ノード5) ノード4 ノード1");
    EXPECT_EQ(selectedName(), "ノード4");
}

TEST_F(NodeTreeLevel, LevelUpFromTheDeepestLevelGoesOneLevelOnly) {
    document.addChildNode();  // ノード2
    document.addChildNode();  // ノード3 under ノード2
    document.levelUp();
    EXPECT_EQ(outline(root()), "ノード1(ノード2 ノード3)");
    EXPECT_EQ(selectedName(), "ノード3");
    EXPECT_EQ(document.selectedNode()->parent, &top(0));
}

TEST_F(NodeTreeLevel, LevelUpOnATopLevelNodeDoesNothing) {
    threeTopLevel();
    document.select(&top(1));
    settle();
    document.levelUp();
    expectNothingHappened("ノード3 ノード2 ノード1");
    EXPECT_EQ(tree().nameCounter(), 3);
}

// --- Rename ---

using NodeTreeRename = NodeTreeTest;

TEST_F(NodeTreeRename, RenameSetsTheNameAndMarksModified) {
    EXPECT_TRUE(rename("火花"));
    EXPECT_EQ(top(0).name, "火花");
    EXPECT_TRUE(modified());
    EXPECT_EQ(count(TreeEvent::Kind::Renamed), 1);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 1);
}

TEST_F(NodeTreeRename, CommasAndLineBreaksAreReplaced) {
    EXPECT_TRUE(rename("a,b\nc\r\nd"));
    const std::string& name = top(0).name;
    EXPECT_EQ(name.find(','), std::string::npos);
    EXPECT_EQ(name.find('\n'), std::string::npos);
    EXPECT_EQ(name.find('\r'), std::string::npos);
    EXPECT_EQ(name, "a，b c  d");
}

TEST_F(NodeTreeRename, LongNamesAreCutToTheProjectFileLimit) {
    EXPECT_TRUE(rename(std::string(300, 'a')));
    EXPECT_EQ(top(0).name, std::string(259, 'a'));

    // 259 bytes exactly fit.
    const std::string fits = "a" + repeat("あ", 129);
    EXPECT_TRUE(rename(fits));
    EXPECT_EQ(top(0).name, fits);

    // A two-byte character that would end at byte 260 is dropped whole.
    EXPECT_TRUE(rename(repeat("あ", 130)));
    EXPECT_EQ(top(0).name, repeat("あ", 129));

    // Half-width kana take one byte each in the file, however long they are in memory.
    EXPECT_TRUE(rename(repeat("ｺ", 259)));
    EXPECT_EQ(top(0).name, repeat("ｺ", 259));
    EXPECT_TRUE(rename(repeat("ｺ", 260)));
    EXPECT_EQ(top(0).name, repeat("ｺ", 259));
}

TEST_F(NodeTreeRename, TextThatCannotBeStoredIsRefusedWithAMessage) {
    EXPECT_FALSE(rename("火花🔥"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(prompts.messages[0].text.empty());
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_FALSE(modified());
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 0);
    EXPECT_EQ(count(TreeEvent::Kind::Renamed), 0);
}

TEST_F(NodeTreeRename, AnEmptiedLabelKeepsTheOldName) {
    EXPECT_FALSE(rename(""));
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_FALSE(modified());
    EXPECT_TRUE(prompts.messages.empty());
}

// --- Notifications ---

using NodeTreeEvents = NodeTreeTest;

TEST_F(NodeTreeEvents, InsertionReportsParentAndIndex) {
    threeTopLevel();
    EmitterNode* node2 = &top(1);
    document.select(node2);
    document.addChildNode();
    document.addChildNode();

    std::vector<const TreeEvent*> inserted;
    for (const TreeEvent& e : events)
        if (e.kind == TreeEvent::Kind::Inserted) inserted.push_back(&e);
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[0]->parent, node2);
    EXPECT_EQ(inserted[0]->index, 0);
    EXPECT_EQ(inserted[0]->node, node2->children[0].get());
    EXPECT_EQ(inserted[1]->parent, node2->children[0].get());
    EXPECT_EQ(inserted[1]->index, 0);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 1);
    EXPECT_TRUE(modified());

    settle();
    document.select(&top(2));
    document.addNode();
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
    document.select(node2);
    document.deleteNode();

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
    document.select(&top(1));

    document.moveDown();
    EXPECT_EQ(count(TreeEvent::Kind::Rebuilt), 1);
    EXPECT_EQ(count(TreeEvent::Kind::Modified), 1);
    Document& d = document;
    const std::function<bool()> operations[] = {[&d] { return d.duplicate(); },
                                                [&d] { return d.levelDown(); },
                                                [&d] { return d.levelUp(); }};
    for (const auto& operation : operations) {
        settle();
        operation();
        EXPECT_GE(count(TreeEvent::Kind::Rebuilt), 1);
        EXPECT_GE(count(TreeEvent::Kind::Modified), 1);
        EXPECT_TRUE(modified());
        EXPECT_TRUE(restarted());
        // The view's last word on the selection is the operation's result.
        const TreeEvent* lastSelection = nullptr;
        for (const TreeEvent& e : events)
            if (e.kind == TreeEvent::Kind::SelectionChanged) lastSelection = &e;
        ASSERT_NE(lastSelection, nullptr);
        EXPECT_EQ(lastSelection->node, document.selectedNode());
    }
}

TEST_F(NodeTreeEvents, RemovedListenerHearsNothing) {
    int heard = 0;
    const QMetaObject::Connection id = QObject::connect(&document, &Document::treeChanged,
                                                        [&heard](const TreeChange&) { ++heard; });
    document.addNode();
    EXPECT_GT(heard, 0);
    const int before = heard;
    QObject::disconnect(id);
    document.addNode();
    EXPECT_EQ(heard, before);
    EXPECT_FALSE(events.empty()) << "other listeners keep listening";
}

// --- Node identity ---

using NodeTreeIdentity = NodeTreeTest;

TEST_F(NodeTreeIdentity, UntouchedNodesKeepTheirAddressAcrossSiblingChanges) {
    EmitterNode* node1 = &top(0);
    document.addChildNode();  // ノード2 under ノード1
    EmitterNode* node2 = document.selectedNode();
    document.select(node1);
    document.addNode();  // ノード3 on top
    EmitterNode* node3 = &top(0);
    addParticle(*node1);
    addParticle(*node2);

    // Insertions in front of a node do not move it, nor its particles' link to it.
    document.select(node3);
    document.addNode();
    document.addNode();
    ASSERT_EQ(outline(root()), "ノード5 ノード4 ノード3 ノード1(ノード2)");
    EXPECT_EQ(&top(3), node1);
    EXPECT_EQ(&top(2), node3);
    EXPECT_EQ(node1->name, "ノード1");
    EXPECT_EQ(node2->parent, node1);
    ASSERT_EQ(node1->particles.size(), 1u);
    EXPECT_EQ(node1->particles[0].node, node1);
    EXPECT_EQ(node2->particles[0].node, node2);

    // Nor do moves and deletions of siblings.
    document.select(&top(0));
    document.moveDown();
    document.select(&top(0));
    document.deleteNode();
    ASSERT_EQ(outline(root()), "ノード5 ノード3 ノード1(ノード2)");
    EXPECT_EQ(&top(1), node3);
    EXPECT_EQ(&top(2), node1);
    EXPECT_EQ(node1->children[0].get(), node2);
    EXPECT_EQ(node2->parent, node1);
    EXPECT_EQ(node3->name, "ノード3");

    // The selection is the node itself, not whatever now sits at its old place.
    document.select(node1);
    document.moveUp();
    EXPECT_EQ(document.selectedNode(), node1);
    EXPECT_EQ(&top(1), node1);
    expectParentsConsistent(root());
}

}  // namespace
}  // namespace sp
