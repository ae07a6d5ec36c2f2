// The node panel shows the document's tree exactly and hands every user action
// to the document.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <random>
#include <sstream>

#include "panels/node_panel.h"
#include "panels_test_support.h"

namespace sp {
namespace {

enum Button { kAdd, kAddChild, kDuplicate, kDelete, kDown, kUp, kLevelDown, kLevelUp };

// One line per node, depth first: indent, name, check box, the node behind the
// item, "+" when expanded, "*" when selected.
void outlineNode(const EmitterNode& node, const EmitterNode* selected, int depth,
                 std::ostringstream& out) {
    out << std::string(depth * 2, ' ') << node.name << (node.hidden ? " [ ]" : " [x]") << " @"
        << &node << (node.children.empty() ? "" : " +") << (&node == selected ? " *" : "") << "\n";
    for (const auto& child : node.children) outlineNode(*child, selected, depth + 1, out);
}

std::string modelOutline(Document& doc) {
    std::ostringstream out;
    for (const auto& child : doc.project().tree.root().children)
        outlineNode(*child, doc.selectedNode(), 0, out);
    return out.str();
}

void outlineItem(const NodePanel& panel, const QTreeWidgetItem* item, int depth,
                 std::ostringstream& out) {
    const QTreeWidget& tree = *panel.tree();
    const bool selected = item == tree.currentItem() && item->isSelected();
    out << std::string(depth * 2, ' ') << item->text(0).toStdString()
        << (item->checkState(0) == Qt::Checked ? " [x]" : " [ ]") << " @" << panel.nodeOf(item)
        << (item->childCount() && item->isExpanded() ? " +" : "") << (selected ? " *" : "") << "\n";
    for (int i = 0; i < item->childCount(); ++i) outlineItem(panel, item->child(i), depth + 1, out);
}

std::string treeOutline(const NodePanel& panel) {
    std::ostringstream out;
    for (int i = 0; i < panel.tree()->topLevelItemCount(); ++i)
        outlineItem(panel, panel.tree()->topLevelItem(i), 0, out);
    return out.str();
}

class NodePanelTest : public testing::PanelTestBase {
  protected:
    NodePanelTest() : panel(doc) { panel.resize(220, 350); }

    void press(Button b) { panel.operationButton(b)->click(); }
    QTreeWidgetItem* item(const EmitterNode& node) { return panel.itemOf(&node); }
    QStringList topTexts() {
        QStringList texts;
        for (int i = 0; i < panel.tree()->topLevelItemCount(); ++i)
            texts << panel.tree()->topLevelItem(i)->text(0);
        return texts;
    }

    NodePanel panel;
};

TEST_F(NodePanelTest, ButtonsAddNodesAboveTheSelectedOneAndSelectTheNewest) {
    press(kAdd);
    press(kAdd);
    EXPECT_EQ(topTexts(), (QStringList{"ノード3", "ノード2", "ノード1"}));
    ASSERT_NE(panel.tree()->currentItem(), nullptr);
    EXPECT_EQ(panel.tree()->currentItem()->text(0), "ノード3");
    EXPECT_EQ(panel.nodeOf(panel.tree()->currentItem()), doc.selectedNode());

    // A child goes first under the selected node, and its parent opens.
    press(kAddChild);
    QTreeWidgetItem* parent = panel.tree()->topLevelItem(0);
    ASSERT_EQ(parent->childCount(), 1);
    EXPECT_EQ(parent->child(0)->text(0), "ノード4");
    EXPECT_TRUE(parent->isExpanded());
    EXPECT_EQ(treeOutline(panel), modelOutline(doc));
}

TEST_F(NodePanelTest, DeletingTheOnlyNodeIsRefusedAndTheTreeStays) {
    const std::string before = treeOutline(panel);
    press(kDelete);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "このノードは削除できません");
    EXPECT_EQ(prompts.messages[0].caption, "確認");
    EXPECT_EQ(treeOutline(panel), before);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(NodePanelTest, ChoosingAnItemSelectsItsNode) {
    press(kAdd);
    panel.tree()->setCurrentItem(item(top(1)));
    EXPECT_EQ(doc.selectedNode(), &top(1));
    // A click beside the items leaves the selection where it was.
    panel.tree()->clearSelection();
    EXPECT_TRUE(item(top(1))->isSelected());
    EXPECT_EQ(doc.selectedNode(), &top(1));
}

TEST_F(NodePanelTest, TheCheckBoxHidesTheNodeWithoutRestartAndUndoTicksItAgain) {
    doc.project().state.currentFrame = 17;
    item(top(0))->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(top(0).hidden, 1);
    EXPECT_EQ(doc.state().currentFrame, 17);

    doc.undoStack().undo();
    EXPECT_EQ(top(0).hidden, 0);
    EXPECT_EQ(item(top(0))->checkState(0), Qt::Checked);
    doc.undoStack().redo();
    EXPECT_EQ(item(top(0))->checkState(0), Qt::Unchecked);
    EXPECT_EQ(doc.state().currentFrame, 17);
}

TEST_F(NodePanelTest, RenamingTheLabelRenamesTheNodeAndUndoBringsTheOldLabelBack) {
    item(top(0))->setText(0, "火花");
    settle();
    EXPECT_EQ(top(0).name, "火花");
    EXPECT_TRUE(doc.isModified());
    doc.undoStack().undo();
    EXPECT_EQ(item(top(0))->text(0), "ノード1");
}

TEST_F(NodePanelTest, ARefusedRenameRestoresTheLabel) {
    item(top(0))->setText(0, "");
    settle();
    EXPECT_EQ(item(top(0))->text(0), "ノード1");

    // A character the project file cannot store.
    item(top(0))->setText(0, "火花😀");
    settle();
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_EQ(item(top(0))->text(0), "ノード1");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, kNodeNameNotStorableText);

    // A name stored otherwise than typed shows as stored.
    item(top(0))->setText(0, "a,b");
    settle();
    EXPECT_EQ(item(top(0))->text(0).toStdString(), top(0).name);
}

TEST_F(NodePanelTest, KeysStartEditingTheSelectedLabel) {
    panel.show();
    QTest::keyClick(panel.tree(), Qt::Key_F2);
    auto* editor = panel.tree()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "ノード1");
    editor->selectAll();
    QTest::keyClicks(editor, "Smoke");
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(top(0).name, "Smoke");

    // A key that types something, received by the panel itself.
    QTest::keyClick(&panel, Qt::Key_A);
    auto* second = panel.tree()->findChild<QLineEdit*>();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
}

// Undo and redo rebuild the view; single inserts and removals patch it. Either
// way it must show the model exactly, item for node.
TEST_F(NodePanelTest, TheTreeFollowsTheModelThroughARandomSequenceWithUndoAndRedo) {
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto anyItem = [&]() -> QTreeWidgetItem* {
        std::vector<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(panel.tree()); *it; ++it) items.push_back(*it);
        return items.at(pick(static_cast<int>(items.size())));
    };
    press(kAdd);
    press(kAddChild);
    for (int step = 0; step < 150; ++step) {
        const int action = pick(14);
        std::string what;
        if (action < 8) {
            what = "button " + std::to_string(action);
            press(static_cast<Button>(action));
        } else if (action == 8 || action == 9) {
            what = "undo";
            doc.undoStack().undo();
        } else if (action == 10) {
            what = "redo";
            doc.undoStack().redo();
        } else if (action == 11) {
            what = "choose";
            panel.tree()->setCurrentItem(anyItem());
        } else if (action == 12) {
            what = "tick";
            QTreeWidgetItem* i = anyItem();
            i->setCheckState(0, i->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        } else {
            what = "rename";
            anyItem()->setText(0, QString("名前%1").arg(step));
            settle();
        }
        ASSERT_EQ(treeOutline(panel), modelOutline(doc)) << "after step " << step << ", " << what;
    }
}

TEST_F(NodePanelTest, NewAndOpenReplaceEveryItem) {
    press(kAdd);
    press(kAddChild);
    context.files().newProject();
    EXPECT_EQ(topTexts(), QStringList{"ノード1"});
    EXPECT_EQ(treeOutline(panel), modelOutline(doc));

    ASSERT_TRUE(
        context.files().openByPath(std::filesystem::path(SPARKPLUME_SAMPLES_DIR) / "burst.spd"));
    EXPECT_EQ(treeOutline(panel), modelOutline(doc));
    EXPECT_EQ(panel.nodeOf(panel.tree()->currentItem()), &top(0));
}

}  // namespace
}  // namespace sp
