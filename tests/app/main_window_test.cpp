// The editor's window driven as a user drives it: commands, keys, clicks, drops.

#include <gtest/gtest.h>

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <deque>
#include <filesystem>

#include "app/commands.h"
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/preview_view.h"
#include "app/toolbar_strip.h"
#include "document/app_context.h"
#include "editors/help_bar.h"
#include "editors/number_field.h"
#include "editors/parameter_panel.h"
#include "panels/material_list_view.h"
#include "panels/material_panel.h"
#include "panels/node_panel.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

const QString kUntitled = QStringLiteral("【無題.spd】 - Sparkplume 1.5.0　βテスト版");

class ScriptedPrompts : public Prompts {
  public:
    int messages = 0;
    int questions = 0;
    std::deque<Answer> answers;
    std::string saveAs;
    void showMessage(std::string_view, std::string_view) override { ++messages; }
    Answer askYesNoCancel(std::string_view, std::string_view) override {
        ++questions;
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) override {
        return saveAs;
    }
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : context(prompts, {root / "ws", root, false, {}}), window(context, prompts) {
        context.document().enableGraphics();
        context.start();
        window.resize(1600, 900);
        window.show();
        window.layoutPanels();
    }

    Document& document() { return context.document(); }
    int clientHeight() const { return window.centralWidget()->height(); }

    QTemporaryDir temp;
    fs::path root = temp.path().toStdString();
    ScriptedPrompts prompts;
    AppContext context;
    MainWindow window;
};

TEST_F(MainWindowTest, TheTitleFollowsNewEditsSavesAndUndo) {
    EXPECT_EQ(window.windowTitle(), kUntitled);
    window.runCommand(kCommandReseed);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("【無題.spd】* - Sparkplume 1.5.0　βテスト版"));

    prompts.saveAs = (root / "fire.spd").string();
    window.runCommand(kCommandSave);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("【fire.spd】 - Sparkplume 1.5.0　βテスト版"));

    window.runCommand(kCommandUndo);  // before the save: modified
    EXPECT_EQ(window.windowTitle(), QStringLiteral("【fire.spd】* - Sparkplume 1.5.0　βテスト版"));
    window.runCommand(kCommandRedo);  // back at the saved state
    EXPECT_EQ(window.windowTitle(), QStringLiteral("【fire.spd】 - Sparkplume 1.5.0　βテスト版"));

    // New on a modified project asks; Cancel keeps everything.
    document().reseed();
    window.runCommand(kCommandNew);
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_TRUE(document().isModified());
    prompts.answers = {Prompts::Answer::No};
    window.runCommand(kCommandNew);
    EXPECT_EQ(window.windowTitle(), kUntitled);
}

TEST_F(MainWindowTest, TheUndoKeysAndMenuReachTheDocument) {
    QAction* undo = window.action(kCommandUndo);
    QAction* redo = window.action(kCommandRedo);
    EXPECT_FALSE(undo->isEnabled());
    document().addNode();
    EXPECT_TRUE(undo->isEnabled());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document().root().children.size(), 1u);
    EXPECT_TRUE(redo->isEnabled());
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(document().root().children.size(), 2u);
    QTest::keyClick(&window, Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);  // nothing to redo
    undo->trigger();
    EXPECT_EQ(document().root().children.size(), 1u);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(document().root().children.size(), 2u);
    // Reseed by its accelerator.
    const int32_t seed = document().state().randomSeed;
    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(document().state().randomSeed, seed + 1);
}

TEST_F(MainWindowTest, ZoomStepsResizeThePreviewAndAClickMovesTheEmission) {
    ASSERT_GE(clientHeight(), 800);
    window.runCommand(kCommandZoomIn);
    EXPECT_EQ(document().state().zoom, 1.5f);
    window.runCommand(kCommandZoomIn);
    EXPECT_EQ(document().state().zoom, 2.0f);
    PreviewView* preview = window.preview();
    EXPECT_EQ(preview->pictureRect().size(), QSize(512, 512));
    EXPECT_TRUE(window.centralWidget()->rect().contains(preview->geometry()));

    const QPoint at = preview->pictureRect().topLeft() + QPoint(100, 60);
    QTest::mouseClick(preview, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(document().state().emitX, 50);
    EXPECT_EQ(document().state().emitY, 30);
    EXPECT_EQ(document().state().currentFrame, document().state().frameCount);  // restarted
    EXPECT_TRUE(document().isModified());

    for (int i = 0; i < 5; ++i) window.runCommand(kCommandZoomOut);
    EXPECT_EQ(document().state().zoom, 0.25f);
}

TEST_F(MainWindowTest, TheParameterPanelScrollsOnlyBelow748Pixels) {
    const int menu = window.height() - clientHeight();
    window.resize(1600, 747 + menu);
    QCoreApplication::processEvents();
    ASSERT_EQ(clientHeight(), 747);
    EXPECT_EQ(window.parameterPanel()->verticalScrollBar()->maximum(), 1);
    window.resize(1600, 748 + menu);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.parameterPanel()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window.parameterPanel()->geometry(), QRect(1600 - 250, 32, 250, 684));
}

TEST_F(MainWindowTest, TheHelpBarExplainsTheItemUnderTheMouseAndEmptiesElsewhere) {
    // The offscreen screen finds windows within its 800 × 600 only.
    window.resize(800, 600);
    QCoreApplication::processEvents();
    HelpBar* bar = window.helpBar();
    auto hover = [&](QWidget* widget, QPoint at = QPoint(5, 5)) {
        QTest::mouseMove(widget, at);
        QCoreApplication::processEvents();
        return bar->text();
    };
    auto* toolbar = window.findChild<ToolbarStrip*>();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(hover(toolbar->button(0)), QStringLiteral("新規作成。"));
    EXPECT_EQ(hover(toolbar->button(3)), QStringLiteral("書き出し。"));
    EXPECT_EQ(
        hover(toolbar->button(11)),
        QStringLiteral("設定をそのままに再構築。（ランダムな要素が無い場合は変化ありません）"));
    // The background picture and the zoom buttons explain nothing.
    for (int zoomOrPicture : {8, 9, 10})
        EXPECT_EQ(hover(toolbar->button(zoomOrPicture)), QString());

    EXPECT_EQ(
        hover(window.nodePanel()->tree()->viewport()),
        QStringLiteral("【ノードパネル】各ノード（パーティクルの設定）の親子関係を表示します。"));
    EXPECT_EQ(hover(window.nodePanel()->operationButton(5)),
              QStringLiteral("選択中のノード（パーティクルの設定）を一つ上に上げます。"
                             "下にあるものが奥に、上にあるものが手前に表示されます。　"));
    EXPECT_EQ(hover(window.materialPanel()->list()),
              QStringLiteral("【マテリアルパネル】取り込んだ画像ファイルの一覧を表示します。"
                             "ドラッグ＆ドロップで追加可能です。"));
    EXPECT_EQ(hover(window.materialPanel()->addButton()),
              QStringLiteral("使用する画像ファイルを追加します。　"));
    EXPECT_EQ(hover(window.preview(), window.preview()->rect().center()),
              QStringLiteral("【プレビューウィンドウ】作成中のエフェクトが表示されます。"));
    EXPECT_EQ(hover(bar), QStringLiteral("【ヘルプバー】マウスカーソルの位置にある項目の説明を表示"
                                         "します。"));

    // From the life field to the page around it: the bar empties.
    QScrollBar* scroll = window.parameterPanel()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    NumberField* life = window.parameterPanel()->numberField(NodeFieldId::life);
    EXPECT_EQ(hover(life), QStringLiteral("パーティクルが消滅するまでのフレーム数を指定します。"));
    EXPECT_EQ(hover(window.parameterPanel()->page(0), life->geometry().topLeft() - QPoint(4, 4)),
              QString());
}

TEST_F(MainWindowTest, ScrubbingToAFrameShowsWhatPlayingToItShows) {
    FrameLoop& loop = window.frameLoop();
    ASSERT_TRUE(context.files().openByPath(fs::path(SPARKPLUME_SAMPLES_DIR) / "burst.spd"));
    // Play: the wrap, then twelve frames.
    Playback& playback = context.playback();
    playback.advance();
    for (int i = 0; i < 12; ++i) playback.advance();
    ASSERT_EQ(document().state().currentFrame, 12);
    loop.redraw();
    const std::vector<uint32_t> played = document().graphics().device()->backBuffer().pixels();

    loop.scrubTo(25);
    loop.scrubTo(12);
    EXPECT_EQ(document().graphics().device()->backBuffer().pixels(), played);
    EXPECT_FALSE(document().isModified());
}

TEST_F(MainWindowTest, ADroppedProjectOpensAfterTheQuestion) {
    const fs::path sample = fs::path(SPARKPLUME_SAMPLES_DIR) / "sparks.spd";
    const QList<QUrl> urls = {QUrl::fromLocalFile(QString::fromStdString(sample.string()))};
    document().reseed();  // unsaved changes
    window.openDropped(urls);
    EXPECT_EQ(prompts.questions, 1);
    EXPECT_EQ(document().project().currentFileName, "無題.spd");

    prompts.answers = {Prompts::Answer::No};
    window.openDropped(urls);
    EXPECT_EQ(document().project().currentFileName, "sparks.spd");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("【sparks.spd】 - Sparkplume 1.5.0　βテスト版"));
}

TEST_F(MainWindowTest, ClosingAsksAboutUnsavedChangesAndKeepsThePlacement) {
    document().reseed();
    EXPECT_FALSE(window.close());  // Cancel
    EXPECT_TRUE(window.isVisible());
    prompts.answers = {Prompts::Answer::No};
    window.move(30, 40);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(context.setup().readInt("WindowSize", "x", 0), window.width());
    EXPECT_EQ(context.setup().readInt("WindowSize", "full", 9), 0);
}

}  // namespace
}  // namespace sp
