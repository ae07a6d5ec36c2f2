// The headless commands under input meant to break them: huge ranges, signals,
// pictures beyond the memory budget, unusable paths, limits reached.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <signal.h>

#include "cli/export_command.h"
#include "cli/interrupts.h"
#include "cli/render_command.h"
#include "cli/trace_command.h"
#include "saved_project.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status;
    std::string out, err;
};

template <typename Command>
CommandRun run(Command command, const std::vector<std::string>& args,
               const CommandLimits& limits = {}) {
    std::ostringstream out, err;
    const int status = command(args, limits, out, err);
    return {status, out.str(), err.str()};
}

CommandRun exportWith(const std::vector<std::string>& args, const fs::path& programDir,
                      const CommandLimits& limits = {}) {
    std::ostringstream out, err;
    const int status = runExportCommand(args, limits, programDir, out, err);
    return {status, out.str(), err.str()};
}

class HostileInput : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    fs::path folder = temp.path().toStdString();
};

TEST_F(HostileInput, AnEndlessLoopExportsOnlyWhatIsAskedAndRefusesTheRest) {
    const fs::path project = testing::saveProject(folder, "endless.spd", [](Document& d) {
        d.setCanvasSize(8, 8, false);
        d.setAnimation(INT32_MAX, 60);
    });
    const fs::path program = SPARKPLUME_PROGRAM_DIR;
    // Every frame of 2147483647: refused before anything is rendered.
    const auto start = std::chrono::steady_clock::now();
    const CommandRun all = exportWith(
        {project.string(), "--out", (folder / "all.png").string(), "--layout", "files"}, program);
    EXPECT_EQ(all.status, 2);
    EXPECT_NE(all.err.find("10000"), std::string::npos) << all.err;
    // Three frames of it: three files, at once.
    const CommandRun three = exportWith(
        {project.string(), "--out", (folder / "f.png").string(), "--layout", "files", "--end", "3"},
        program);
    EXPECT_EQ(three.status, 0) << three.err;
    EXPECT_TRUE(fs::exists(folder / "f0002.png"));
    EXPECT_FALSE(fs::exists(folder / "f0003.png"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    // A frame beyond the loop's last one is no frame of the effect.
    const fs::path small =
        testing::saveProject(folder, "small.spd", [](Document& d) { d.setAnimation(5, 60); });
    EXPECT_EQ(run(runRender, {small.string(), "--frame", "7", "--out", (folder / "x.png").string()})
                  .status,
              1);
    EXPECT_EQ(run(runRender, {small.string(), "--frame", "6", "--out", (folder / "x.png").string()})
                  .status,
              0);
}

TEST_F(HostileInput, ASignalStopsTheRunningProgramAndLeavesNothingBehind) {
    // A program folder whose cropping program only waits, so that the signal comes
    // while it runs.
    const fs::path program = folder / "program";
    fs::create_directories(program / "WorkSpace" / "RENDER");
    {
        std::ofstream tool(program / "WorkSpace" / "RENDER" / "framecrop");
        tool << "#!/bin/sh\necho $$ > waiting.pid\nexec sleep 30\n";
    }
    fs::permissions(program / "WorkSpace" / "RENDER" / "framecrop", fs::perms::owner_all,
                    fs::perm_options::add);
    const fs::path project = testing::saveProject(folder, "p.spd", [](Document& d) {
        d.setCanvasSize(8, 8, false);
        d.setAnimation(4, 60);
    });
    const fs::path scratch = folder / "tmp";
    fs::create_directories(scratch);
    const QByteArray previousTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(scratch.string()));

    watchForInterrupts();
    std::atomic<int> toolPid{0};
    std::thread signaller([&] {
        for (int i = 0; i < 400 && toolPid == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            for (const auto& e : fs::recursive_directory_iterator(scratch))
                if (e.path().filename() == "waiting.pid") {
                    std::ifstream in(e.path());
                    int pid = 0;
                    if (in >> pid) toolPid = pid;
                }
        }
        std::raise(SIGINT);
    });
    const CommandRun stopped =
        exportWith({project.string(), "--out", (folder / "r.png").string()}, program);
    signaller.join();
    forgetInterrupt();
    std::signal(SIGINT, SIG_DFL);
    qputenv("TMPDIR", previousTmp);

    EXPECT_EQ(stopped.status, 130);
    ASSERT_NE(toolPid.load(), 0);
    EXPECT_NE(::kill(toolPid.load(), 0), 0) << "the program must not outlive the run";
    EXPECT_TRUE(fs::is_empty(scratch)) << "the temporary work folder goes with the run";
    EXPECT_FALSE(fs::exists(folder / "r.png"));
}

TEST_F(HostileInput, APictureBeyondTheMemoryBudgetIsNamedAndTheRenderFails) {
    const fs::path picture = folder / "big.png";
    QImage image(600, 600, QImage::Format_ARGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString(picture.string())));
    const fs::path project = testing::saveProject(folder, "big.spd", [&](Document& d) {
        d.setCanvasSize(16, 16, false);
        ASSERT_TRUE(d.importMaterial(picture));
        d.setNodeFields(*d.selectedNode(), {{NodeFieldId::imageIndex, 1},
                                            {NodeFieldId::imageName, std::string("big.png")}});
    });
    const std::vector<std::string> args = {project.string(), "--frame", "2", "--out",
                                           (folder / "out.png").string()};
    CommandLimits tight;
    tight.textureBudget = 1 << 20;  // the picture becomes a 1024 × 1024 texture: 4 MiB
    const CommandRun refused = run(runRender, args, tight);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("big.png"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(folder / "out.png"));
    EXPECT_EQ(run(runRender, args).status, 0);

    std::vector<std::string> options = {"render", "--max-texture-memory", "1"};
    CommandLimits parsed;
    EXPECT_EQ(takeLimitOptions(options, parsed), "");
    EXPECT_EQ(parsed.textureBudget, std::size_t{1} << 20);
}

TEST_F(HostileInput, UnusablePathsAndReachedLimitsAreSaid) {
    const fs::path project = testing::saveProject(folder, "busy.spd", [](Document& d) {
        d.setNodeFields(*d.selectedNode(), {{NodeFieldId::emitType, kEmitRadial},
                                            {NodeFieldId::amount, 500},
                                            {NodeFieldId::emitEnd, 30}});
    });
    const CommandRun newline =
        run(runRender, {project.string(), "--frame", "1", "--out", (folder / "a\nb.png").string()});
    EXPECT_EQ(newline.status, 1);
    EXPECT_NE(newline.err.find("制御文字"), std::string::npos);

    const CommandRun limited = run(runTrace, {project.string(), "--frames", "5"},
                                   CommandLimits(SimulationLimits{100, 1000}));
    EXPECT_EQ(limited.status, 0);
    EXPECT_NE(limited.err.find("上限"), std::string::npos) << limited.err;
    EXPECT_EQ(run(runTrace, {project.string(), "--frames", "5"}).err.find("上限"),
              std::string::npos);
}

}  // namespace
}  // namespace sp::cli
