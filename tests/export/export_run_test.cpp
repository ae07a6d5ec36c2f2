#include "export/export_run.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "document/app_context.h"
#include "export/ini_file.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class RecordingPrompts : public Prompts {
  public:
    std::vector<std::string> messages;
    void showMessage(std::string_view text, std::string_view) override {
        messages.emplace_back(text);
    }
};

// Answers like a user who picks `result`, and aborts after `abortAfter` frames when set.
class ScriptedExport : public ExportInteraction {
  public:
    std::optional<std::string> result;
    int abortAfter = -1;
    int steps = 0;
    int progressTotal = -1;
    int sheetCells = -1;
    bool sheetOk = true;
    int dialogs = 0;

    std::optional<std::string> chooseResult(const FileDialogRequest&,
                                            const ResultFilter&) override {
        ++dialogs;
        return result;
    }
    void progressStart(int total) override { progressTotal = total; }
    void progressStep() override { ++steps; }
    bool abortRequested() override { return abortAfter >= 0 && steps >= abortAfter; }
    bool chooseSheetLayout(int cells, int& columns, int& rows, int& division) override {
        sheetCells = cells;
        columns = 4;
        rows = 3;
        division = 2;
        return sheetOk;
    }
};

// Stand-ins for the RENDER programs: each records what it found.
void writeTool(const fs::path& file, const std::string& body) {
    std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
}

class ExportRunTest : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    fs::path root = temp.path().toStdString();
    Workspace workspace{root / "ws"};
    fs::path render = root / "ws" / "RENDER";
    fs::path results = root / "results";
    RecordingPrompts prompts;
    ScriptedExport interaction;
    std::unique_ptr<AppContext> context;
    Project* project = nullptr;
    SetupIni* setup = nullptr;
    int cycleCount = 0;
    int cycles() const { return cycleCount; }
    std::vector<fs::path> made;

    void SetUp() override {
        fs::create_directories(render);
        fs::create_directories(results);
        writeTool(render / "framecrop",
                  "ls RENDER > crop_frames.txt; cp RENDER/render.ini crop_ini.txt");
        // The sheet stand-in writes one sheet too many, which the run must not claim.
        writeTool(
            render / "tilesheet",
            "cp RENDER/render.ini sheet_ini.txt; name=$(sed -n 's/^name=//p' RENDER/render.ini);"
            " for k in 0 1 2 3; do : > \"${name}_$k.png\"; : > \"${name}_$k.json\"; done");
        writeTool(render / "clipweave", "ls RENDER > movie_frames.txt");
        context = std::make_unique<AppContext>(
            prompts, AppContext::Options{workspace.root(), root, false, {}});
        ASSERT_TRUE(context->start());
        project = &context->document().project();
        setup = &context->setup();
        context->document().setCanvasSize(16, 16, false);
        // Every device cycle ends with the materials reloaded.
        QObject::connect(&context->document(), &Document::materialsChanged,
                         [this] { ++cycleCount; });
        interaction.result = (results / "fire.png").string();
    }

    ExportOutcome run(ExportSettings s) {
        ExportResult result = context->runExport(interaction, s);
        made = result.files;
        return result.outcome;
    }
    ExportSettings settings(int start, int end, int step, int32_t layout = kLayoutSheet) {
        ExportSettings s;
        s.exportStart = start;
        s.exportEnd = end;
        s.exportStep = step;
        s.exportLayout = layout;
        return s;
    }
    // The numbered frames a stand-in program found.
    std::vector<std::string> lines(const fs::path& file) {
        std::vector<std::string> result;
        std::istringstream in(readFile(file));
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0])))
                result.push_back(line);
        return result;
    }
    bool numberedFramesLeft() {
        for (const auto& e : fs::directory_iterator(render))
            if (std::isdigit(static_cast<unsigned char>(e.path().filename().string()[0])))
                return true;
        return false;
    }
};

TEST_F(ExportRunTest, EveryFrameOfTheLoopBecomesASheet) {
    ASSERT_EQ(run(settings(1, 30, 1)), ExportOutcome::Completed)
        << (prompts.messages.empty() ? "" : prompts.messages[0]);
    const auto frames = lines(workspace.root() / "crop_frames.txt");
    ASSERT_EQ(frames.size(), 30u);
    EXPECT_EQ(frames.front(), "0000.png");
    EXPECT_EQ(frames[29], "0029.png");
    EXPECT_EQ(readFile(workspace.root() / "crop_ini.txt"),
              "[info]\nend=29\nfps=60\next=.png\n[size]\nwidth=16\nheight=16\n[result]\nname=" +
                  (results / "fire").string() + "\n");
    EXPECT_EQ(interaction.sheetCells, 30);
    IniFile sheet(workspace.root() / "sheet_ini.txt");
    ASSERT_TRUE(sheet.load());
    EXPECT_EQ(sheet.get("info", "x"), "4");
    EXPECT_EQ(sheet.get("info", "y"), "3");
    EXPECT_EQ(sheet.get("info", "sep"), "2");
    // Thirty frames in sheets of 4 × 3: three sheets, each with its frame data.
    const fs::path fire = results / "fire";
    EXPECT_EQ(made, (std::vector<fs::path>{fire.string() + "_0.png", fire.string() + "_0.json",
                                           fire.string() + "_1.png", fire.string() + "_1.json",
                                           fire.string() + "_2.png", fire.string() + "_2.json"}));
    EXPECT_EQ(interaction.progressTotal, 30);
    EXPECT_EQ(interaction.steps, 30);
    EXPECT_FALSE(numberedFramesLeft());
    EXPECT_EQ(cycles(), 1);
    EXPECT_EQ(project->state.exportInProgress, 0);
    EXPECT_EQ(setup->readString("Directory", "Write"), results.string());
}

TEST_F(ExportRunTest, FramesAreNumberedByWrittenFrameAndTheStepCountsFromFrameOne) {
    ASSERT_EQ(run(settings(1, 30, 3)), ExportOutcome::Completed);
    EXPECT_EQ(lines(workspace.root() / "crop_frames.txt").size(), 10u);
    IniFile ini(render / "render.ini");
    ini.load();
    EXPECT_EQ(ini.get("info", "end"), "9");

    // From frame 2 in steps of 2: frames 3, 5, … 29 are written, fourteen files.
    ASSERT_EQ(run(settings(2, 30, 2, kLayoutFiles)), ExportOutcome::Completed);
    ini.load();
    EXPECT_EQ(ini.get("info", "end"), "13");
    for (int k = 0; k < 14; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "fire%04d.png", k);
        EXPECT_TRUE(fs::exists(results / name)) << name;
    }
    EXPECT_FALSE(fs::exists(results / "fire0014.png"));
    ASSERT_EQ(made.size(), 14u);
    EXPECT_EQ(made.front(), results / "fire0000.png");
    EXPECT_EQ(made.back(), results / "fire0013.png");
    EXPECT_FALSE(numberedFramesLeft());
    // Keys of earlier runs stay in the exchange file; the ones written are replaced.
    EXPECT_EQ(ini.get("info", "sep"), "2");
}

TEST_F(ExportRunTest, TheMovieGetsTheFramesInThePicturesFormat) {
    ExportSettings s = settings(1, 5, 1, kLayoutMovie);
    s.exportFileType = kFileBmp;
    ASSERT_EQ(run(s), ExportOutcome::Completed);
    const auto frames = lines(workspace.root() / "movie_frames.txt");
    EXPECT_EQ(frames.front(), "0000.bmp");
    EXPECT_EQ(frames[4], "0004.bmp");
    EXPECT_EQ(interaction.sheetCells, -1);
    EXPECT_FALSE(numberedFramesLeft());
}

TEST_F(ExportRunTest, AnAbortedRunLeavesNothingAndHandsNothingOver) {
    interaction.abortAfter = 3;
    EXPECT_EQ(run(settings(1, 30, 1)), ExportOutcome::Aborted);
    EXPECT_FALSE(fs::exists(workspace.root() / "crop_frames.txt"));
    EXPECT_FALSE(numberedFramesLeft());
    EXPECT_EQ(cycles(), 1);
    EXPECT_EQ(project->state.exportInProgress, 0);

    // The next run starts normally.
    interaction.abortAfter = -1;
    interaction.steps = 0;
    EXPECT_EQ(run(settings(1, 30, 1)), ExportOutcome::Completed);
}

TEST_F(ExportRunTest, ACancelledSaveDialogOnlyCleansUp) {
    interaction.result.reset();
    EXPECT_EQ(run(settings(1, 30, 1)), ExportOutcome::Cancelled);
    EXPECT_EQ(interaction.progressTotal, -1);
    EXPECT_EQ(cycles(), 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ExportRunTest, SettingsThatCannotWorkAreRefusedBeforeAnything) {
    for (ExportSettings s :
         {settings(1, 30, 0), settings(10, 5, 1), settings(0, 30, 1), settings(1, 31, 1)}) {
        prompts.messages.clear();
        EXPECT_EQ(run(s), ExportOutcome::Failed);
        EXPECT_EQ(prompts.messages.size(), 1u);
    }
    EXPECT_EQ(interaction.dialogs, 0);
    EXPECT_EQ(interaction.progressTotal, -1);
}

TEST_F(ExportRunTest, AMissingRenderFolderIsReported) {
    fs::remove_all(render);
    EXPECT_EQ(run(settings(1, 30, 1)), ExportOutcome::Failed);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], kRenderFolderMissingText);
    EXPECT_EQ(interaction.progressTotal, -1);
}

TEST_F(ExportRunTest, ProgramsThatCannotStartOrFailAreReported) {
    fs::remove(render / "tilesheet");
    EXPECT_EQ(run(settings(1, 10, 1)), ExportOutcome::Failed);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("tilesheet"), std::string::npos);
    EXPECT_FALSE(numberedFramesLeft());

    writeTool(render / "framecrop", "echo 'フレームを読めません' >&2; exit 3");
    prompts.messages.clear();
    EXPECT_EQ(run(settings(1, 10, 1)), ExportOutcome::Failed);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("フレームを読めません"), std::string::npos);
    EXPECT_FALSE(numberedFramesLeft());
}

TEST_F(ExportRunTest, CopiesThatCannotBeWrittenAreReported) {
    interaction.result = (results / "missing-folder" / "fire.png").string();
    EXPECT_EQ(run(settings(1, 3, 1, kLayoutFiles)), ExportOutcome::Failed);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_FALSE(numberedFramesLeft());
}

TEST_F(ExportRunTest, DeclinedSheetLayoutStillCompletesWithoutASheet) {
    interaction.sheetOk = false;
    EXPECT_EQ(run(settings(1, 4, 1)), ExportOutcome::Completed);
    EXPECT_FALSE(fs::exists(workspace.root() / "sheet_ini.txt"));
}

TEST_F(ExportRunTest, TheRunStopsAfterItsLastFrameAndAFailedRunRemovesItsCopies) {
    context->document().setAnimation(100000, 60);
    ASSERT_EQ(run(settings(1, 3, 1, kLayoutFiles)), ExportOutcome::Completed);
    EXPECT_EQ(project->state.currentFrame, 3);  // not frame 100001
    EXPECT_EQ(made.size(), 3u);

    // The second copy cannot be written: the first goes too, the result is not half there.
    fs::remove_all(results);
    fs::create_directories(results / "fire0001.png");
    EXPECT_EQ(run(settings(1, 3, 1, kLayoutFiles)), ExportOutcome::Failed);
    EXPECT_FALSE(fs::exists(results / "fire0000.png"));
    EXPECT_TRUE(made.empty());
    EXPECT_FALSE(numberedFramesLeft());
}

TEST(ExportSettings, AnyRangeIsCountedAtOnceAndTooManyFramesAreRefused) {
    ExportSettings s;
    s.exportStart = 1;
    s.exportEnd = INT32_MAX;
    s.exportStep = 1;
    EXPECT_EQ(writtenFrameCount(s), INT32_MAX);
    EXPECT_EQ(lastWrittenFrame(s), INT32_MAX);
    EXPECT_NE(checkExportSettings(s, INT32_MAX).find("10000"), std::string::npos);
    s.exportEnd = 10000;
    EXPECT_EQ(checkExportSettings(s, 10000), "");
    s.exportStart = 2;
    s.exportEnd = 30;
    s.exportStep = 2;  // 3, 5, … 29
    EXPECT_EQ(writtenFrameCount(s), 14);
    EXPECT_EQ(lastWrittenFrame(s), 29);
    s.exportStep = 3;  // 4, 7, … 28
    EXPECT_EQ(lastWrittenFrame(s), 28);
    s.exportStart = 30;
    s.exportEnd = 30;  // 30 is not on a step of 3 from 1
    EXPECT_EQ(writtenFrameCount(s), 0);
    EXPECT_EQ(lastWrittenFrame(s), 0);
    EXPECT_FALSE(isFrameWritten(s, INT32_MIN));
    // A movie must keep the project's rate.
    ExportSettings movie;
    movie.exportEnd = 30;
    movie.exportLayout = kLayoutMovie;
    EXPECT_EQ(checkExportSettings(movie, 30, 1000), "");
    EXPECT_NE(checkExportSettings(movie, 30, 1001), "");
    movie.exportLayout = kLayoutSheet;
    EXPECT_EQ(checkExportSettings(movie, 30, 5000), "");
}

TEST(ExportSettings, FileTypesAndNames) {
    EXPECT_EQ(frameFileName(2, kFilePng), "0002.png");
    EXPECT_EQ(frameFileName(12345, kFileJpeg), "12345.jpg");
    EXPECT_EQ(resultFilter(kLayoutMovie, kFilePng).description, "AVI(*.avi)");
    EXPECT_EQ(resultFilter(kLayoutSheet, kFileBmp).pattern, "*.bmp");
    ExportSettings s;
    s.exportStart = 1;
    s.exportEnd = 10;
    s.exportStep = 3;
    EXPECT_EQ(writtenFrameCount(s), 4);  // 1, 4, 7, 10
}

}  // namespace
}  // namespace sp
