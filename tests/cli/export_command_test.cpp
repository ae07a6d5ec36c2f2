#include "cli/export_command.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "prompts/prompts.h"
#include "saved_project.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

// The folder of the built program, whose WorkSpace holds the real RENDER programs.
const fs::path kProgramDir = SPARKPLUME_PROGRAM_DIR;

// A 32 × 16 canvas, 6 frames, one visible node: small enough to export quickly.
fs::path makeProject(const fs::path& folder) {
    return testing::saveProject(folder, "tiny.spd", [](Document& document) {
        document.setCanvasSize(32, 16, false);
        document.setAnimation(6, document.state().previewFps);
        document.setNodeFields(*document.selectedNode(), {{NodeFieldId::maxSize, 8},
                                                          {NodeFieldId::emitEnd, 6},
                                                          {NodeFieldId::life, 6},
                                                          {NodeFieldId::maxSpeed, 2},
                                                          {NodeFieldId::emitType, kEmitRadial}});
    });
}

struct ExportRun {
    int status;
    std::string out, err;
};

ExportRun exportWith(std::vector<std::string> args, CommandLimits limits = {}) {
    std::ostringstream out, err;
    const int status = runExportCommand(args, limits, kProgramDir, out, err);
    return {status, out.str(), err.str()};
}

class ExportCommandTest : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    fs::path folder = temp.path().toStdString();
    fs::path project = makeProject(folder);
};

TEST_F(ExportCommandTest, ASheetWithItsFrameDataIsMadeThroughTheRealPrograms) {
    const ExportRun run =
        exportWith({project.string(), "--out", (folder / "out" / "fx.png").string()});
    // The result folder does not exist yet: the sheet cannot be written, and the run says so.
    EXPECT_EQ(run.status, 2);

    fs::create_directories(folder / "out");
    std::ofstream(folder / "out" / "fx-notes.txt") << "not made by the export";
    const ExportRun ok = exportWith(
        {project.string(), "--out", (folder / "out" / "fx.png").string(), "--columns", "3"});
    ASSERT_EQ(ok.status, 0) << ok.err;
    // Exactly the files the run wrote, not whatever else shares the name.
    EXPECT_EQ(ok.out, (folder / "out" / "fx.png").string() + "\n" +
                          (folder / "out" / "fx.json").string() + "\n");
    const QImage sheet(QString::fromStdString((folder / "out" / "fx.png").string()));
    EXPECT_EQ(sheet.size(), QSize(3 * 32, 2 * 16));
    EXPECT_TRUE(sheet.hasAlphaChannel());
    std::ifstream json(folder / "out" / "fx.json");
    std::stringstream text;
    text << json.rdbuf();
    const QJsonObject frames = QJsonDocument::fromJson(QByteArray::fromStdString(text.str()))
                                   .object()
                                   .value("frames")
                                   .toObject();
    EXPECT_EQ(frames.size(), 6);
    EXPECT_EQ(frames.value("fx_0004").toObject().value("frame").toObject().value("x").toInt(), 32);
}

// The frames are drawn in bands on threads: any count gives the very same sheet.
TEST_F(ExportCommandTest, TheThreadCountLeavesTheSheetAsItIs) {
    fs::create_directories(folder / "out");
    std::vector<QImage> sheets;
    for (std::size_t threads : {1u, 2u, 5u}) {
        CommandLimits limits;
        limits.drawThreads = threads;
        const fs::path out = folder / "out" / ("fx" + std::to_string(threads) + ".png");
        const ExportRun run = exportWith({project.string(), "--out", out.string()}, limits);
        ASSERT_EQ(run.status, 0) << run.err;
        sheets.emplace_back(QString::fromStdString(out.string()));
        ASSERT_FALSE(sheets.back().isNull());
    }
    EXPECT_EQ(sheets[0], sheets[1]);
    EXPECT_EQ(sheets[0], sheets[2]);
}

// The sheet is made from scratch frames written fast and encoded by our own
// writer; the numbered files are the frames the user keeps, written as before.
// Both must hold the same pixels, and the kept frames the same bytes the
// platform's writer makes of them.
TEST_F(ExportCommandTest, SheetCellsEqualTheKeptFramesWhichKeepTheirCompression) {
    fs::create_directories(folder / "out");
    const ExportRun sheet = exportWith(
        {project.string(), "--out", (folder / "out" / "fx.png").string(), "--columns", "3"});
    ASSERT_EQ(sheet.status, 0) << sheet.err;
    const ExportRun files = exportWith(
        {project.string(), "--out", (folder / "out" / "f.png").string(), "--layout", "files"});
    ASSERT_EQ(files.status, 0) << files.err;

    const QImage image = QImage(QString::fromStdString((folder / "out" / "fx.png").string()))
                             .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(3 * 32, 2 * 16));
    for (int k = 0; k < 6; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "f%04d.png", k);
        const QString path = QString::fromStdString((folder / "out" / name).string());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray kept = file.readAll();
        const QImage frame = QImage::fromData(kept).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(frame.size(), QSize(32, 16)) << name;
        EXPECT_EQ(image.copy(k % 3 * 32, k / 3 * 16, 32, 16), frame) << name;

        QByteArray again;
        QBuffer buffer(&again);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(frame.save(&buffer, "PNG"));
        EXPECT_EQ(kept, again) << name;
    }
}

TEST_F(ExportCommandTest, NumberedFilesAndAMovie) {
    const ExportRun files = exportWith({project.string(), "--out", (folder / "f.png").string(),
                                        "--layout", "files", "--type", "bmp", "--step", "2"});
    ASSERT_EQ(files.status, 0) << files.err;
    EXPECT_TRUE(fs::exists(folder / "f0000.bmp"));
    EXPECT_TRUE(fs::exists(folder / "f0002.bmp"));
    EXPECT_FALSE(fs::exists(folder / "f0003.bmp"));
    EXPECT_EQ(QImage(QString::fromStdString((folder / "f0001.bmp").string())).size(),
              QSize(32, 16));

    const ExportRun movie =
        exportWith({project.string(), "--out", (folder / "m").string(), "--layout", "movie"});
    ASSERT_EQ(movie.status, 0) << movie.err;
    EXPECT_GT(fs::file_size(folder / "m.avi"), 0u);
}

TEST_F(ExportCommandTest, UsageErrorsAndImpossibleSettings) {
    for (std::vector<std::string> args :
         {std::vector<std::string>{project.string()},
          {project.string(), "--out", "x.png", "--layout", "poster"},
          {project.string(), "--out", "x.png", "--step", "0"},
          {"--out", "x.png"}}) {
        const ExportRun run = exportWith(args);
        EXPECT_EQ(run.status, 1) << args.back();
        EXPECT_NE(run.err.find("sparkplume export"), std::string::npos);
    }
    // More sheets than frames, and a range beyond the loop, are refused before anything is
    // rendered.
    const ExportRun division =
        exportWith({project.string(), "--out", (folder / "d.png").string(), "--division", "7"});
    EXPECT_EQ(division.status, 2);
    const ExportRun range =
        exportWith({project.string(), "--out", (folder / "r.png").string(), "--end", "9"});
    EXPECT_EQ(range.status, 2);
    EXPECT_FALSE(fs::exists(folder / "d.png"));
    EXPECT_FALSE(fs::exists(folder / "r.png"));
    const ExportRun missing =
        exportWith({(folder / "none.spd").string(), "--out", (folder / "n.png").string()});
    EXPECT_EQ(missing.status, 2);
}

TEST_F(ExportCommandTest, SheetOptionsOutOfRangeAreRefusedBeforeAnythingIsRendered) {
    struct Case {
        std::vector<std::string> options;
        const char* says;
    };
    for (const Case& c :
         {Case{{"--padding", "65"}, "余白は0から64"}, Case{{"--padding", "-1"}, "余白は0から64"},
          Case{{"--extrude", "65"}, "縁の複製は0から64"},
          Case{{"--max-size", "31"}, "収まりません"},
          Case{{"--max-size", "39", "--padding", "4"}, "収まりません"},
          Case{{"--max-size", "31", "--power-of-two"}, "最大サイズ16"}}) {
        std::vector<std::string> args = {project.string(), "--out", (folder / "o.png").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ExportRun run = exportWith(args);
        EXPECT_EQ(run.status, 2) << c.options[0];
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(folder / "o.png"));
    }
    for (std::vector<std::string> bad : {std::vector<std::string>{"--trim", "all"},
                                         {"--json", "list"},
                                         {"--alpha", "pre"},
                                         {"--padding", "two"}}) {
        std::vector<std::string> args = {project.string(), "--out", "x.png"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(exportWith(args).status, 1) << bad[0];
    }
    // Animated pictures are made from PNG frames, WebP's quality is 0 … 100.
    for (std::vector<std::string> bad :
         {std::vector<std::string>{"--layout", "gif", "--type", "bmp"},
          {"--layout", "webp", "--type", "jpeg"},
          {"--layout", "webp", "--quality", "101"}}) {
        std::vector<std::string> args = {project.string(), "--out", (folder / "a.gif").string()};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(exportWith(args).status, 2) << bad[1] << " " << bad[3];
    }
    const ExportRun gif =
        exportWith({project.string(), "--out", (folder / "a").string(), "--layout", "gif"});
    ASSERT_EQ(gif.status, 0) << gif.err;
    EXPECT_EQ(gif.out, (folder / "a.gif").string() + "\n");
    const ExportRun help = exportWith({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--trim", "--padding", "--extrude", "--power-of-two", "--max-size",
                               "--json", "--alpha", "例:"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

// Trimmed, padded and packed through the real programs: the listed files are the
// sheets made, and each frame lies where the atlas says.
TEST_F(ExportCommandTest, PackedSheetsUnderASizeLimitKeepEveryFrame) {
    const ExportRun run = exportWith({project.string(), "--out", (folder / "p.png").string(),
                                      "--trim", "each", "--padding", "1", "--extrude", "1",
                                      "--max-size", "36", "--json", "array", "--opaque"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Opaque frames have nothing to trim: each 32 × 16 frame with its edge and padding
    // needs 35 × 19, so one frame goes to a sheet of at most 36.
    int frames = 0;
    int sheets = 0;
    for (int k = 0;; ++k) {
        const fs::path json = folder / ("p_" + std::to_string(k) + ".json");
        if (!fs::exists(json)) break;
        ++sheets;
        std::ifstream in(json);
        std::stringstream text;
        text << in.rdbuf();
        const QJsonObject atlas =
            QJsonDocument::fromJson(QByteArray::fromStdString(text.str())).object();
        const QJsonObject meta = atlas["meta"].toObject();
        EXPECT_LE(meta["size"].toObject()["w"].toInt(), 36);
        EXPECT_LE(meta["size"].toObject()["h"].toInt(), 36);
        frames += atlas["frames"].toArray().size();
        EXPECT_EQ(meta["frameTags"].toArray().size(), 1);
        EXPECT_NE(run.out.find("p_" + std::to_string(k) + ".png"), std::string::npos);
    }
    EXPECT_EQ(frames, 6);
    EXPECT_EQ(sheets, 6);
}

}  // namespace
}  // namespace sp::cli
