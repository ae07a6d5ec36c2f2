#include "cli/trace_command.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <clocale>
#include <fstream>
#include <sstream>

#include "prompts/prompts.h"
#include "saved_project.h"
#include "support/decimal_comma_locale.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

// A small project: one still node and a moving one with a child.
fs::path makeProject(const fs::path& folder) {
    return testing::saveProject(folder, "trace me.spd", [](Document& document) {
        document.setAnimation(4, document.state().previewFps);
        document.addNode();
        document.setNodeFields(
            *document.selectedNode(),
            {{NodeFieldId::maxSpeed, 10}, {NodeFieldId::direction, 90}, {NodeFieldId::life, 4}});
        document.addChildNode();
    });
}

struct TraceRun {
    int status;
    std::string out;
    std::string err;
};

TraceRun trace(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runTrace(args, SimulationLimits{}, out, err);
    return {status, out.str(), err.str()};
}

TEST(TraceCommand, PrintsLiveCountsAndParticlesFrameByFrame) {
    QTemporaryDir temp;
    const fs::path file = makeProject(temp.path().toStdString());

    const TraceRun counts = trace({file.string()});
    ASSERT_EQ(counts.status, 0) << counts.err;
    EXPECT_EQ(counts.out, "frame 1 live 3\nframe 2 live 3\nframe 3 live 3\nframe 4 live 3\n");

    const TraceRun detailed = trace({"--particles", file.string(), "--frames", "6"});
    ASSERT_EQ(detailed.status, 0);
    std::istringstream lines(detailed.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 4u * 4 + 1 + 4);  // frames 1–4, the wrap, frame 1 again
    EXPECT_EQ(rows[0], "frame 1 live 3");
    // Pre-order: the moving node (top), its child, then the still node.
    EXPECT_EQ(rows[1], "p 1 128.000 133.000 1 4");
    EXPECT_EQ(rows[2], "p 2 128.000 133.000 1 4");
    EXPECT_EQ(rows[3], "p 3 128.000 128.000 1 30");  // made while the loop was 30 frames long
    EXPECT_EQ(rows[4], "frame 2 live 3");
    EXPECT_EQ(rows[5], "p 1 128.000 138.000 2 4");
    EXPECT_EQ(rows[16], "frame 0 live 0");  // the loop wraps after frame 4
    EXPECT_EQ(rows[17], "frame 1 live 3");
}

TEST(TraceCommand, NumbersIgnoreTheProcessLocale) {
    QTemporaryDir temp;
    const fs::path file = makeProject(temp.path().toStdString());
    const std::string expected = trace({file.string(), "--particles"}).out;
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!sp::testing::useDecimalCommaLocale())
        GTEST_SKIP() << "no decimal-comma locale could be made";
    const std::string german = trace({file.string(), "--particles"}).out;
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(german, expected);
}

TEST(TraceCommand, UnreadableFilesAndUsageErrorsHaveTheirOwnStatus) {
    QTemporaryDir temp;
    const fs::path folder = temp.path().toStdString();
    std::ofstream(folder / "junk.spd") << "hello";
    const TraceRun junk = trace({(folder / "junk.spd").string()});
    EXPECT_EQ(junk.status, 2);
    EXPECT_NE(junk.err.find("対応していないファイルか、ファイルが壊れている可能性があります。"),
              std::string::npos);
    const TraceRun missing = trace({(folder / "none.spd").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("none.spd"), std::string::npos);

    for (std::vector<std::string> args : {std::vector<std::string>{},
                                          {"a.spd", "b.spd"},
                                          {"a.spd", "--frames"},
                                          {"a.spd", "--frames", "-1"},
                                          {"a.spd", "--bogus"}}) {
        const TraceRun usage = trace(args);
        EXPECT_EQ(usage.status, 1);
        EXPECT_NE(usage.err.find("sparkplume trace"), std::string::npos);
    }
}

TEST(TraceCommand, NeverTouchesTheEditorsWorkspace) {
    QTemporaryDir temp;
    const fs::path folder = temp.path().toStdString();
    const fs::path file = makeProject(folder);
    const fs::path editor = folder / "editor";
    fs::create_directories(editor / "TEXTURE");
    std::ofstream(editor / "TEXTURE" / "mine.png.png") << "picture";
    setenv("SPARKPLUME_WORKSPACE", editor.c_str(), 1);
    EXPECT_EQ(trace({file.string()}).status, 0);
    unsetenv("SPARKPLUME_WORKSPACE");
    EXPECT_TRUE(fs::exists(editor / "TEXTURE" / "mine.png.png"));
    EXPECT_EQ(fs::directory_iterator(editor / "TEXTURE")->path().filename(), "mine.png.png");
}

}  // namespace
}  // namespace sp::cli
