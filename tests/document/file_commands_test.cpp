#include "project/file_commands.h"

#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "document/app_context.h"
#include "project/format/container.h"
#include "project/window_title.h"
#include "services/services_test_support.h"

namespace sp {
namespace {

namespace fs = std::filesystem;
using namespace sp::testing;
using Answer = Prompts::Answer;

const std::string kUntitledTitle = "【無題.spd】 - Sparkplume 1.5.0　βテスト版";

class FileCommandsTest : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    fs::path root = pathOf(temp);
    Workspace workspace{root / "workspace"};
    fs::path programDir = root / "program";
    fs::path documents = root / "documents";
    ScriptedPrompts prompts;
    std::unique_ptr<AppContext> context;
    Document* document = nullptr;
    Project* project = nullptr;
    SetupIni* setup = nullptr;
    FileCommands* files = nullptr;
    int titleChanges = 0;

    void SetUp() override {
        fs::create_directories(programDir);
        fs::create_directories(documents);
        context = std::make_unique<AppContext>(
            prompts, AppContext::Options{workspace.root(), programDir, false, {}});
        document = &context->document();
        project = &document->project();
        setup = &context->setup();
        files = &context->files();
        QObject::connect(document, &Document::titleChanged, [this] { ++titleChanges; });
        context->start();
    }

    std::string title() const { return document->title().toStdString(); }
    NodeTree& tree() { return project->tree; }
    EmitterNode& top(std::size_t i) { return *tree().root().children.at(i); }

    // A project with three nodes, two materials and a seed, saved as `name`.
    fs::path saveBusyProject(const std::string& name) {
        writePicture(workspace.textureDir() / "火花.png.png", 8, 8);
        writePicture(workspace.textureDir() / "smoke.png.png", 16, 8);
        document->reloadMaterials();
        document->addChildNode();
        document->select(&top(0));
        document->addNode();
        top(0).imageName = "smoke.png";
        top(1).children[0]->trailImageName = "火花.png";
        document->reloadMaterials();
        project->state.randomSeed = 99;
        project->state.frameCount = 12;
        const fs::path target = documents / name;
        prompts.saveChoices.push_back(target.string());
        EXPECT_EQ(files->commandSave(), FileCommands::SaveResult::Saved);
        return target;
    }
};

TEST_F(FileCommandsTest, NewProjectStartsUntitledWithOneNode) {
    project->state.randomSeed = 5;
    project->state.projectWidth = 999;
    writePicture(workspace.textureDir() / "a.png.png", 4, 4);
    document->addNode();
    files->newProject();
    EXPECT_EQ(title(), kUntitledTitle);
    ASSERT_EQ(tree().root().children.size(), 1u);
    EXPECT_EQ(top(0).name, "ノード1");
    EXPECT_EQ(document->selectedNode(), &top(0));
    EXPECT_EQ(tree().nameCounter(), 1);
    EXPECT_EQ(project->state.projectWidth, 256);
    EXPECT_EQ(project->state.randomSeed, 5);
    EXPECT_EQ(project->state.currentFrame, project->state.frameCount);
    EXPECT_FALSE(document->isModified());
    EXPECT_TRUE(filesIn(workspace.textureDir()).empty());
    EXPECT_EQ(project->materials.size(), 0u);
}

TEST_F(FileCommandsTest, TheTitleShowsTheFileAndTheModifiedMark) {
    EXPECT_EQ(windowTitle("fire.spd", false), "【fire.spd】 - Sparkplume 1.5.0　βテスト版");
    EXPECT_EQ(windowTitle("fire.spd", true), "【fire.spd】* - Sparkplume 1.5.0　βテスト版");
    const int before = titleChanges;
    document->addNode();
    EXPECT_EQ(title(), "【無題.spd】* - Sparkplume 1.5.0　βテスト版");
    EXPECT_GT(titleChanges, before);
}

TEST_F(FileCommandsTest, SaveAsksForANameOnceThenWritesInPlace) {
    document->addNode();
    prompts.saveChoices.push_back((documents / "fire").string());  // no extension typed
    ASSERT_EQ(files->commandSave(), FileCommands::SaveResult::Saved);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(prompts.saveRequests[0].initialName, "無題.spd");
    EXPECT_EQ(prompts.saveRequests[0].defaultExtension, "spd");
    EXPECT_EQ(prompts.saveRequests[0].initialFolder, programDir.string());
    EXPECT_EQ(title(), "【fire.spd】 - Sparkplume 1.5.0　βテスト版");
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(setup->readString("Directory", "Save"), documents.string());

    document->addNode();
    ASSERT_EQ(files->commandSave(), FileCommands::SaveResult::Saved);
    EXPECT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(filesIn(documents),
              (std::vector<std::string>{"fire.spd"}));  // no temporary left behind

    // Save As always asks, starting in the remembered folder; Save then follows the new path.
    prompts.saveChoices.push_back((documents / "copy.spd").string());
    ASSERT_EQ(files->commandSaveAs(), FileCommands::SaveResult::Saved);
    EXPECT_EQ(prompts.saveRequests.back().initialFolder, documents.string());
    EXPECT_EQ(prompts.saveRequests.back().initialName, "fire.spd");
    document->addNode();
    files->commandSave();
    EXPECT_EQ(prompts.saveRequests.size(), 2u);
    EXPECT_EQ(project->currentFileName, "copy.spd");
}

TEST_F(FileCommandsTest, CancellingTheSaveDialogWritesNothingAndKeepsTheMark) {
    document->addNode();
    EXPECT_EQ(files->commandSave(), FileCommands::SaveResult::Cancelled);
    EXPECT_TRUE(document->isModified());
    EXPECT_TRUE(filesIn(workspace.textureDir()).empty());
    EXPECT_TRUE(filesIn(documents).empty());
}

TEST_F(FileCommandsTest, SaveAndOpenBringBackTreeMaterialsAndSeed) {
    const fs::path file = saveBusyProject("busy.spd");
    const auto parsed = format::parseContainer(readFile(file));
    ASSERT_EQ(parsed.status, format::ContainerStatus::Ok);
    ASSERT_EQ(parsed.entries.size(), 3u);
    EXPECT_EQ(parsed.entries[2].name, "save.png");

    files->newProject();
    project->state.zoom = 3.0f;
    prompts.openChoices.push_back(file.string());
    files->commandOpen();
    EXPECT_EQ(title(), "【busy.spd】 - Sparkplume 1.5.0　βテスト版");
    EXPECT_EQ(setup->readString("Directory", "Open"), documents.string());
    ASSERT_EQ(tree().root().children.size(), 2u);
    EXPECT_EQ(top(0).name, "ノード3");
    EXPECT_EQ(top(1).children.at(0)->name, "ノード2");
    EXPECT_EQ(document->selectedNode(), &top(0));
    EXPECT_EQ(project->state.randomSeed, 99);
    EXPECT_EQ(project->state.frameCount, 12);
    EXPECT_EQ(project->state.zoom, 1.0f);
    EXPECT_EQ(project->state.currentFrame, 9999);
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(project->materials.names(), (std::vector<std::string>{"smoke.png", "火花.png"}));
    EXPECT_EQ(top(0).imageIndex, 1);
    EXPECT_EQ(top(1).children[0]->trailImageIndex, 2);
    EXPECT_EQ(filesIn(workspace.textureDir()),
              (std::vector<std::string>{"smoke.png.png", "火花.png.png"}));

    // Saving the opened project again gives the same bytes.
    const std::string before = readFile(file);
    document->undoStack().resetClean();
    ASSERT_EQ(files->commandSave(), FileCommands::SaveResult::Saved);
    EXPECT_EQ(readFile(file), before);
}

TEST_F(FileCommandsTest, NodeNumbersAfterOpeningFromTheMenuOrByPath) {
    const fs::path file = saveBusyProject("three.spd");
    prompts.openChoices.push_back(file.string());
    files->commandOpen();
    document->addNode();
    EXPECT_EQ(document->selectedNode()->name, "ノード4");

    // Opening by path (a dropped file) goes on from the counter it had, plus the file's nodes.
    files->openByPath(file);
    document->addNode();
    EXPECT_EQ(document->selectedNode()->name, "ノード8");

    // A cancelled Open dialog still starts the numbering again.
    document->undoStack().setClean();
    files->commandOpen();
    document->addNode();
    EXPECT_EQ(document->selectedNode()->name, "ノード1");
}

TEST_F(FileCommandsTest, AFailedOpenKeepsTheProjectThatWasOpen) {
    writePicture(workspace.textureDir() / "keep.png.png", 4, 4);
    document->reloadMaterials();
    document->addNode();

    const fs::path damaged = documents / "damaged.spd";
    std::string good = readFile(saveBusyProject("good.spd"));
    document->undoStack().resetClean();
    writeFile(damaged, good.substr(0, good.size() - 10));
    const fs::path newer = documents / "newer.spd";
    writeFile(newer, "SparkplumeData,5,1,save.png,0,");
    const fs::path foreign = documents / "photo.spd";
    writeFile(foreign, "\x89PNG\r\n");
    const auto textureBefore = filesIn(workspace.textureDir());
    const std::size_t nodesBefore = tree().root().children.size();

    struct Case {
        fs::path file;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {damaged, {kNotSupportedText}},
        {foreign, {kNotSupportedText}},
        {newer, {kNewerVersionText}},
        {documents / "missing.spd",
         {formatMessage(kFileReadErrorText, (documents / "missing.spd").string()),
          kNotSupportedText}},
    };
    for (const Case& c : cases) {
        prompts.messages.clear();
        EXPECT_FALSE(files->openByPath(c.file));
        ASSERT_EQ(prompts.messages.size(), c.texts.size()) << c.file;
        for (std::size_t i = 0; i < c.texts.size(); ++i)
            EXPECT_EQ(prompts.messages[i].text, c.texts[i]);
        EXPECT_EQ(prompts.messages.back().caption, kCannotOpenCaption);
        EXPECT_EQ(filesIn(workspace.textureDir()), textureBefore) << c.file;
        EXPECT_EQ(project->currentFileName, "good.spd");
        EXPECT_TRUE(document->isModified());
        EXPECT_EQ(tree().root().children.size(), nodesBefore);
    }
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].caption, kFileReadErrorCaption);
}

TEST_F(FileCommandsTest, AFileWithJapaneseNamesFromAnotherMachineOpens) {
    // Built byte by byte as the Windows program writes it: CP932 names, one material.
    QTemporaryDir pictureDir;
    writePicture(pathOf(pictureDir) / "p.png", 2, 2);
    const std::string png = readFile(pathOf(pictureDir) / "p.png");
    const std::string materialName = *text::toCp932("炎.png.png");
    std::string effect = "300,200,20,150,100,30,1,2,3,7,1,0," + *text::toCp932("炎のノード") + ",";
    for (int i = 0; i < 32; ++i) effect += "50,";
    effect += "1,0,0,1,0,3,0,0,1,20,20,0,0,0,0,0,40,0,0,0,5,0,0,0,0,";
    effect += *text::toCp932("炎.png") + ",1,1,0,";
    for (int c = 0; c < 7; ++c) effect += "2,0.000000,100.000000,100.000000,100.000000,";
    effect += ",0,0,1,40,0,";
    const std::string file = "SparkplumeData,4,2," + materialName + "," +
                             std::to_string(png.size()) + "," + png + "save.png," +
                             std::to_string(effect.size()) + "," + effect;
    writeFile(documents / "炎.spd", file);

    ASSERT_TRUE(files->openByPath(documents / "炎.spd"));
    EXPECT_EQ(title(), "【炎.spd】 - Sparkplume 1.5.0　βテスト版");
    EXPECT_EQ(top(0).name, "炎のノード");
    EXPECT_EQ(top(0).emitType, kEmitRadial);
    EXPECT_EQ(project->state.projectWidth, 300);
    EXPECT_EQ(project->materials.names(), std::vector<std::string>{"炎.png"});
    EXPECT_EQ(top(0).imageIndex, 1);
    EXPECT_TRUE(fs::exists(workspace.textureDir() / "炎.png.png"));

    // And what we write back carries the same CP932 bytes.
    document->undoStack().resetClean();
    ASSERT_EQ(files->commandSave(), FileCommands::SaveResult::Saved);
    EXPECT_EQ(readFile(documents / "炎.spd"), file);
}

TEST_F(FileCommandsTest, AMaterialNameTooLongForTheFileSystemIsShortenedAndFollowed) {
    // 120 kanji: 240 bytes in the file's CP932, 360 in a UTF-8 file name.
    std::string longName;
    for (int i = 0; i < 120; ++i) longName += "炎";
    longName += ".png";
    QTemporaryDir pictureDir;
    writePicture(pathOf(pictureDir) / "p.png", 2, 2);
    const std::string png = readFile(pathOf(pictureDir) / "p.png");
    std::string effect = "64,64,20,32,32,30,0,0,0,7,1,0,node,";
    for (int i = 0; i < 32; ++i) effect += "50,";
    effect += "1,0,0,1,0,3,0,0,1,20,20,0,0,0,0,0,40,0,0,0,5,0,0,0,0,";
    effect += *text::toCp932(longName) + ",1,1,0,";
    for (int c = 0; c < 7; ++c) effect += "2,0.000000,100.000000,100.000000,100.000000,";
    effect += *text::toCp932(longName) + ",3,1,1,40,0,";
    const std::string entry = *text::toCp932(longName + ".png");
    const std::string file = "SparkplumeData,4,2," + entry + "," + std::to_string(png.size()) +
                             "," + png + "save.png," + std::to_string(effect.size()) + "," + effect;
    writeFile(documents / "long.spd", file);

    ASSERT_TRUE(files->openByPath(documents / "long.spd"));
    ASSERT_EQ(project->materials.size(), 1u);
    const std::string shortened = project->materials.materials()[0].name;
    EXPECT_LT(shortened.size() + 4, 256u);
    EXPECT_EQ(shortened.rfind("炎", 0), 0u);  // cut at a character, from the front
    EXPECT_EQ(top(0).imageName, shortened);
    EXPECT_EQ(top(0).trailImageName, shortened);
    EXPECT_EQ(top(0).imageIndex, 1);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages.back().text, kNamesShortenedText);
}

TEST_F(FileCommandsTest, SaveFailuresAreReportedAndKeepTheModifiedMark) {
    document->addNode();
    prompts.saveChoices.push_back((documents / "no-such-folder" / "x.spd").string());
    EXPECT_EQ(files->commandSave(), FileCommands::SaveResult::Failed);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, kErrorCaption);
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(title(), "【無題.spd】* - Sparkplume 1.5.0　βテスト版");

    // A material that vanished from the folder cannot be packed.
    writePicture(workspace.textureDir() / "gone.png.png", 4, 4);
    document->reloadMaterials();
    fs::remove(workspace.textureDir() / "gone.png.png");
    prompts.saveChoices.push_back((documents / "x.spd").string());
    EXPECT_EQ(files->commandSave(), FileCommands::SaveResult::Failed);
    EXPECT_EQ(prompts.messages.back().text, formatMessage(kMaterialUnreadableText, "gone.png"));
    EXPECT_FALSE(fs::exists(documents / "x.spd"));
    EXPECT_TRUE(document->isModified());
}

TEST_F(FileCommandsTest, AFailedSaveLeavesTheOldFileWhole) {
    const fs::path file = saveBusyProject("keep.spd");
    const std::string before = readFile(file);
    document->addNode();
    fs::remove(workspace.textureDir() / "smoke.png.png");
    EXPECT_EQ(files->commandSave(), FileCommands::SaveResult::Failed);
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(filesIn(documents), (std::vector<std::string>{"keep.spd"}));
}

TEST_F(FileCommandsTest, UnsavedChangesAreNeverLostToACommand) {
    // Not modified: no question.
    files->commandNew();
    EXPECT_TRUE(prompts.questions.empty());

    document->addNode();
    prompts.answers = {Answer::Cancel};
    files->commandNew();
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, "変更内容を保存しますか？");
    EXPECT_EQ(prompts.questions[0].caption, "確認");
    EXPECT_EQ(tree().root().children.size(), 2u);
    EXPECT_TRUE(document->isModified());

    // Yes, then cancelling the save dialog: the command does not run.
    prompts.answers = {Answer::Yes};
    files->commandNew();
    EXPECT_EQ(tree().root().children.size(), 2u);
    prompts.answers = {Answer::Yes};
    EXPECT_FALSE(files->confirmClose());

    // Yes with a save: saved, then the command runs.
    prompts.answers = {Answer::Yes};
    prompts.saveChoices.push_back((documents / "kept.spd").string());
    files->commandNew();
    EXPECT_TRUE(fs::exists(documents / "kept.spd"));
    EXPECT_EQ(tree().root().children.size(), 1u);

    // No: the changes are given up.
    document->addNode();
    prompts.answers = {Answer::No};
    EXPECT_TRUE(files->confirmClose());
}

TEST_F(FileCommandsTest, RememberedFoldersFallBackToTheProgramFolder) {
    setup->writeString("Directory", "Open", (root / "gone").string());
    files->commandOpen();
    EXPECT_EQ(prompts.openRequests.back().initialFolder, programDir.string());
    EXPECT_TRUE(prompts.openRequests.back().initialName.empty());
    setup->writeString("Directory", "Open", documents.string());
    files->commandOpen();
    EXPECT_EQ(prompts.openRequests.back().initialFolder, documents.string());
}

TEST_F(FileCommandsTest, TheCommandLineMayQuoteThePath) {
    const fs::path file = saveBusyProject("a b.spd");
    files->newProject();
    EXPECT_FALSE(files->openFromCommandLine(""));
    EXPECT_EQ(project->currentFileName, "無題.spd");
    EXPECT_TRUE(files->openFromCommandLine("\"" + file.string() + "\""));
    EXPECT_EQ(project->currentFileName, "a b.spd");
    files->newProject();
    EXPECT_TRUE(
        files->openFromCommandLine("\"" + file.string()));  // no closing quote: up to the end
    EXPECT_EQ(project->currentFileName, "a b.spd");
}

TEST_F(FileCommandsTest, ARelativePathIsTakenFromTheCurrentDirectory) {
    saveBusyProject("rel.spd");
    const fs::path previous = fs::current_path();
    fs::current_path(documents);
    const bool opened = files->openByPath("rel.spd");
    fs::current_path(previous);
    EXPECT_TRUE(opened);
    EXPECT_EQ(project->currentFilePath, (documents / "rel.spd").string());
}

}  // namespace
}  // namespace sp

namespace sp {
namespace {

using namespace sp::testing;
namespace fs = std::filesystem;

TEST(ProjectServices, ImportingAPictureListsItAndMarksTheProject) {
    QTemporaryDir temp;
    Workspace workspace(pathOf(temp) / "ws");
    ScriptedPrompts prompts;
    AppContext context(prompts, {workspace.root(), pathOf(temp), false, {}});
    Document& document = context.document();
    document.enableGraphics();
    ASSERT_TRUE(context.start());
    render::Graphics& graphics = document.graphics();
    ASSERT_TRUE(graphics.exists());
    EXPECT_EQ(graphics.device()->backBuffer().width(), 256);

    int titles = 0;
    QObject::connect(&document, &Document::titleChanged, [&titles] { ++titles; });
    writePicture(pathOf(temp) / "spark.png", 10, 30);
    EXPECT_TRUE(document.importMaterial(pathOf(temp) / "spark.png", *graphics.device()));
    const Project& project = document.project();
    EXPECT_EQ(project.materials.names(), std::vector<std::string>{"spark.png"});
    EXPECT_EQ(project.materials.materials()[0].width, 32u);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(titles, 1);

    // A size change runs the device cycle for the new canvas.
    document.setCanvasSize(300, 256, false);
    EXPECT_EQ(graphics.device()->backBuffer().width(), 300);
}

TEST(ProjectServices, StartUpFillsTheWorkspaceAndEmptiesTexture) {
    QTemporaryDir temp;
    const fs::path program = pathOf(temp) / "program";
    fs::create_directories(program / "WorkSpace" / "RENDER");
    writeFile(program / "WorkSpace" / "RENDER" / "tool", "t");
    Workspace workspace(pathOf(temp) / "ws");
    fs::create_directories(workspace.textureDir());
    writeFile(workspace.textureDir() / "left.png.png", "x");
    ScriptedPrompts prompts;
    MaterialList materials;
    const fs::path previous = fs::current_path();
    fs::current_path(pathOf(temp));  // no WorkSpace here: the one beside the program is used
    prepareWorkspace(workspace, program, prompts, materials);
    fs::current_path(previous);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(fs::exists(workspace.renderDir() / "tool"));
    EXPECT_TRUE(filesIn(workspace.textureDir()).empty());

    // A workspace that cannot be made is reported, and start-up goes on.
    writeFile(pathOf(temp) / "blocked", "x");
    Workspace blocked(pathOf(temp) / "blocked" / "ws");
    prepareWorkspace(blocked, program, prompts, materials);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "作業用フォルダを作成することができません。");
    EXPECT_EQ(prompts.messages[0].caption, "エラー");
}

}  // namespace
}  // namespace sp
