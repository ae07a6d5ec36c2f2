// Every edit of the document can be taken back and done again, exactly.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "document/app_context.h"
#include "project/format/effect_data.h"
#include "render/software_device.h"

namespace sp {
namespace {

class QuietPrompts : public Prompts {
  public:
    int messages = 0;
    std::string saveAs;
    void showMessage(std::string_view, std::string_view) override { ++messages; }
    std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) override {
        return saveAs;
    }
};

// A new project with a small tree: ノード3 ノード2(ノード4) ノード1, ノード2 selected.
class UndoTest : public ::testing::Test {
  protected:
    UndoTest()
        : context(prompts, {temp.path().toStdString(), {}, false, {}}), doc(context.document()) {
        context.start();
        doc.addNode();
        doc.addNode();
        doc.select(top(1));
        doc.addChildNode();
        doc.select(top(1));
        doc.undoStack().clear();
    }

    EmitterNode* top(std::size_t i) { return doc.project().tree.root().children.at(i).get(); }

    // What a save would write, plus what the history must also bring back.
    std::string snapshot(bool withSelection = true) {
        const Project& p = doc.project();
        std::string s =
            format::writeEffectData(p.state.header(), p.tree.root()).value_or("<unstorable>");
        s += "|counter " + std::to_string(p.tree.nameCounter());
        if (withSelection)
            s += "|selected " + (doc.selectedNode() ? doc.selectedNode()->name : std::string("-"));
        return s;
    }

    QTemporaryDir temp;
    QuietPrompts prompts;
    AppContext context;
    Document& doc;
};

struct Edit {
    const char* name;
    std::function<void(Document&)> apply;
    std::function<void(Document&)> prepare = [](Document&) {};
};

TEST_F(UndoTest, EveryKindOfEditIsUndoneAndRedoneExactly) {
    using F = NodeFieldId;
    const std::vector<Edit> edits = {
        {"add", [](Document& d) { d.addNode(); }},
        {"add child", [](Document& d) { d.addChildNode(); }},
        {"duplicate", [](Document& d) { d.duplicate(); }},
        {"delete", [](Document& d) { d.deleteNode(); }},
        {"down", [](Document& d) { d.moveDown(); }},
        {"up", [](Document& d) { d.moveUp(); }},
        {"level down", [](Document& d) { d.levelDown(); }},
        {"level up", [](Document& d) { d.levelUp(); },
         [](Document& d) { d.select(d.selectedNode()->children.at(0).get()); }},
        {"rename", [](Document& d) { d.rename(*d.selectedNode(), "火花"); }},
        {"hide", [](Document& d) { d.setHidden(*d.selectedNode(), true); }},
        {"field", [](Document& d) { d.setNodeField(*d.selectedNode(), F::maxSpeed, 12); }},
        {"gravity", [](Document& d) { d.setNodeField(*d.selectedNode(), F::gravity, -40.0f); }},
        {"picture",
         [](Document& d) {
             d.setNodeFields(*d.selectedNode(), {{F::imageIndex, 2}, {F::imageName, "spark.png"}});
         }},
        {"curve",
         [](Document& d) {
             d.setCurvePoints(*d.selectedNode(), kCurveAlpha, {{0, 100}, {100, 0}});
         }},
        {"canvas", [](Document& d) { d.setCanvasSize(512, 128, true); }},
        {"animation", [](Document& d) { d.setAnimation(45, 24); }},
        {"emission", [](Document& d) { d.setEmissionPosition(10, 20); }},
        {"emission dialog", [](Document& d) { d.confirmEmissionPosition(30, 40); }},
        {"colour", [](Document& d) { d.setBackgroundColour(1, 2, 3); }},
        {"reseed", [](Document& d) { d.reseed(); }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        edit.prepare(doc);
        const std::string before = snapshot();
        const int steps = doc.undoStack().index();
        edit.apply(doc);
        const std::string after = snapshot();
        ASSERT_NE(after, before);
        EXPECT_EQ(doc.undoStack().index(), steps + 1);
        EXPECT_TRUE(doc.isModified());

        doc.undoStack().undo();
        EXPECT_EQ(snapshot(), before);
        doc.undoStack().redo();
        EXPECT_EQ(snapshot(), after);
        doc.undoStack().undo();
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(doc.state().currentFrame >= doc.state().frameCount, true) << "the loop restarts";
    }
    EXPECT_EQ(prompts.messages, 0);
}

TEST_F(UndoTest, UndoingADeleteBringsBackTheSameNodesWithNamesOrderAndCounter) {
    EmitterNode* node2 = top(1);
    EmitterNode* node4 = node2->children.at(0).get();
    node4->particles.emplace_back();
    const std::string before = snapshot();
    ASSERT_TRUE(doc.deleteNode());
    EXPECT_EQ(doc.selectedNode(), top(0));  // the one above
    doc.addNode();                          // ノード5: the counter went on

    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(top(1), node2);  // the very same nodes, not copies
    EXPECT_EQ(node2->children.at(0).get(), node4);
    EXPECT_EQ(node4->parent, node2);
    EXPECT_TRUE(node4->particles.empty());
    EXPECT_EQ(doc.selectedNode(), node2);
}

TEST_F(UndoTest, ARandomSessionUndoneToTheStartAndRedoneToTheEnd) {
    std::mt19937 random(20261209);
    const std::string start = snapshot(false);  // the session's selections are not edits
    for (int i = 0; i < 200; ++i) {
        // Pick any node of the tree, then one of the edits.
        std::vector<EmitterNode*> nodes;
        std::vector<EmitterNode*> work{&doc.project().tree.root()};
        while (!work.empty()) {
            EmitterNode* n = work.back();
            work.pop_back();
            if (n->parent) nodes.push_back(n);
            for (auto& c : n->children) work.push_back(c.get());
        }
        doc.select(nodes[random() % nodes.size()]);
        EmitterNode& n = *doc.selectedNode();
        switch (random() % 12) {
            case 0:
                doc.addNode();
                break;
            case 1:
                doc.addChildNode();
                break;
            case 2:
                doc.duplicate();
                break;
            case 3:
                doc.deleteNode();
                break;
            case 4:
                doc.moveDown();
                break;
            case 5:
                doc.moveUp();
                break;
            case 6:
                doc.levelDown();
                break;
            case 7:
                doc.levelUp();
                break;
            case 8:
                doc.setNodeField(n, NodeFieldId::amount, static_cast<int32_t>(random() % 50));
                break;
            case 9:
                doc.setHidden(n, random() % 2 == 0);
                break;
            case 10:
                doc.setCurvePoints(n, kCurveSize, {{0, float(random() % 100)}, {100, 50}});
                break;
            default:
                doc.rename(n, "n" + std::to_string(random() % 1000));
                break;
        }
    }
    const std::string end = snapshot();
    ASSERT_GT(doc.undoStack().index(), 100);

    while (doc.undoStack().canUndo()) doc.undoStack().undo();
    EXPECT_EQ(snapshot(false), start);
    EXPECT_FALSE(doc.isModified());
    while (doc.undoStack().canRedo()) doc.undoStack().redo();
    EXPECT_EQ(snapshot(), end);
}

TEST_F(UndoTest, RepeatedEditsOfOneFieldAreOneStep) {
    EmitterNode& node = *doc.selectedNode();
    for (int32_t v : {1, 12, 123}) doc.setNodeField(node, NodeFieldId::maxSpeed, v);
    EXPECT_EQ(doc.undoStack().index(), 1);
    EXPECT_EQ(node.maxSpeed, 123);
    doc.setNodeField(node, NodeFieldId::life, 7);  // another field: a step of its own
    EXPECT_EQ(doc.undoStack().index(), 2);
    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_EQ(node.maxSpeed, 0);
    EXPECT_FALSE(doc.isModified());

    // Typed back to where it was: nothing is left to undo.
    doc.setNodeField(node, NodeFieldId::maxSpeed, 5);
    doc.setNodeField(node, NodeFieldId::maxSpeed, 0);
    EXPECT_EQ(doc.undoStack().index(), 0);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(UndoTest, EachVisitOfAFieldAndEachDragIsAStepOfItsOwn) {
    EmitterNode& node = *doc.selectedNode();
    const uint64_t firstVisit = doc.newEditKey();
    for (int32_t v : {1, 12}) doc.setNodeField(node, NodeFieldId::amount, v, firstVisit);
    const uint64_t secondVisit = doc.newEditKey();
    doc.setNodeField(node, NodeFieldId::amount, 7, secondVisit);
    EXPECT_EQ(doc.undoStack().index(), 2);
    doc.undoStack().undo();
    EXPECT_EQ(node.amount, 12);

    const uint64_t drag = doc.newEditKey();
    for (float y : {10.0f, 20.0f, 30.0f})
        doc.setCurvePoints(node, kCurveSize, {{0, y}, {100, 100}}, drag);
    doc.setCurvePoints(node, kCurveSize, {{0, 40}, {100, 100}}, doc.newEditKey());
    EXPECT_EQ(doc.undoStack().index(), 3);
    doc.undoStack().undo();
    EXPECT_EQ(node.curves[kCurveSize].points.front().y, 30.0f);
    doc.undoStack().undo();
    EXPECT_EQ(node.curves[kCurveSize].points.front().y, 100.0f);
    EXPECT_EQ(node.sizeSamples[0], 100);
}

TEST_F(UndoTest, TheModifiedFlagFollowsTheSavedState) {
    int titles = 0;
    QObject::connect(&doc, &Document::titleChanged, [&titles] { ++titles; });
    doc.addNode();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.title(), QStringLiteral("【無題.spd】* - Sparkplume 1.5.0　βテスト版"));
    doc.projectWasSaved();  // as a save does
    EXPECT_FALSE(doc.isModified());
    doc.setNodeField(*doc.selectedNode(), NodeFieldId::amount, 3);
    doc.undoStack().undo();
    EXPECT_FALSE(doc.isModified());
    doc.undoStack().undo();  // before the save: modified again
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.title(), QStringLiteral("【無題.spd】* - Sparkplume 1.5.0　βテスト版"));
    EXPECT_GE(titles, 4);
}

TEST_F(UndoTest, NewAndOpenStartAFreshHistory) {
    int replaced = 0;
    QObject::connect(&doc, &Document::projectReplaced, [&replaced] { ++replaced; });
    doc.addNode();
    doc.setEmissionPosition(1, 1);
    ASSERT_TRUE(doc.undoStack().canUndo());
    context.files().newProject();
    EXPECT_EQ(replaced, 1);
    EXPECT_FALSE(doc.undoStack().canUndo());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.selectedNode(), top(0));

    prompts.saveAs = temp.path().toStdString() + "/saved.spd";
    doc.addNode();
    ASSERT_EQ(context.files().commandSaveAs(), FileCommands::SaveResult::Saved);
    EXPECT_FALSE(doc.isModified());
    doc.moveDown();
    ASSERT_TRUE(context.files().openByPath(prompts.saveAs));
    EXPECT_EQ(replaced, 2);
    EXPECT_FALSE(doc.undoStack().canUndo());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.title(), QStringLiteral("【saved.spd】 - Sparkplume 1.5.0　βテスト版"));
}

TEST_F(UndoTest, RefusalsAndNonEditsLeaveNoStep) {
    doc.select(top(0));
    doc.moveUp();  // already the first
    doc.rename(*top(0), "");
    doc.rename(*top(0), "火花🔥");
    doc.setNodeField(*top(0), NodeFieldId::amount, top(0)->amount);
    doc.setCurvePoints(*top(0), kCurveRed, top(0)->curves[kCurveRed].points);
#ifdef NDEBUG  // a debug build stops at the assertion instead
    doc.setNodeField(*top(0), NodeFieldId::gravity, 70);  // an int for the real gravity
    EXPECT_EQ(top(0)->gravity, 0.0f);
#endif
    context.files().newProject();
    doc.deleteNode();  // the only node
    EXPECT_EQ(doc.undoStack().index(), 0);
    EXPECT_EQ(prompts.messages, 2);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(UndoTest, TheCanvasKeepsItsLimitsAndTheEmissionItsPlace) {
    doc.setCanvasSize(512, 128, true);  // 256 × 256 with the emission at (128, 128)
    EXPECT_EQ(doc.state().emitX, 256);
    EXPECT_EQ(doc.state().emitY, 64);
    doc.setCanvasSize(1, 99999, false);
    EXPECT_EQ(doc.state().projectWidth, 4);
    EXPECT_EQ(doc.state().projectHeight, 2048);
    EXPECT_EQ(doc.state().emitX, 256);
    doc.setAnimation(30, 0);
    EXPECT_EQ(doc.state().previewFps, 1);
}

TEST_F(UndoTest, AnImportCannotBeUndoneSoTheProjectStaysModified) {
    const std::filesystem::path picture = temp.path().toStdString() + "/spark.png";
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString(picture.string())));
    render::SoftwareDevice device(64, 64);
    ASSERT_TRUE(doc.importMaterial(picture, device));
    EXPECT_EQ(doc.project().materials.size(), 1u);
    EXPECT_TRUE(doc.isModified());
    doc.addNode();
    doc.undoStack().undo();
    EXPECT_TRUE(doc.isModified());
}

}  // namespace
}  // namespace sp
