#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QString kClipWeave = QStringLiteral(SPARKPLUME_CLIPWEAVE);

TEST(ClipWeave, TheMovieHasTheCanvasSizeTheFrameRateAndOneVideoFramePerFile) {
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (ffprobe.isEmpty())
        GTEST_SKIP() << "ffprobe is not installed; the movie cannot be inspected.";

    // An odd canvas inside power-of-two frames, as the export leaves them before cutting.
    const QSize canvas(31, 17);
    ToolWorkspace ws;
    for (int i = 0; i < 6; ++i)
        ws.writeFrame(i, exportedFrame(QSize(32, 32), canvas, frameColour(i, false)), ".png");
    const QString result = ws.filePath(QStringLiteral("glow"));
    ws.writeIni(ToolWorkspace::iniText(5, 12, ".png", canvas, result));

    const ToolRun run = ws.run(kClipWeave);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files), QStringList({"glow.avi"}));
    EXPECT_EQ(ws.renderFiles().size(), 7);

    QProcess probe;
    probe.start(ffprobe, {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=codec_name,width,height,r_frame_rate,nb_read_frames", "-of",
                          "json", result + ".avi"});
    ASSERT_TRUE(probe.waitForFinished(30000));
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    const QJsonArray streams =
        QJsonDocument::fromJson(probe.readAllStandardOutput())["streams"].toArray();
    ASSERT_EQ(streams.size(), 1);
    const QJsonObject stream = streams[0].toObject();
    EXPECT_EQ(stream["codec_name"].toString(), "mjpeg");
    EXPECT_EQ(stream["width"].toInt(), 31);
    EXPECT_EQ(stream["height"].toInt(), 17);
    EXPECT_EQ(stream["r_frame_rate"].toString(), "12/1");
    EXPECT_EQ(stream["nb_read_frames"].toString(), "6");

    // The colours survive: full-range conversion, the top-left canvas, frames in order.
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty()) return;
    for (int index : {0, 5}) {
        const QString still = ws.filePath(QStringLiteral("still%1.png").arg(index));
        QProcess decode;
        decode.start(ffmpeg,
                     {"-v", "error", "-i", result + ".avi", "-vf",
                      QStringLiteral("select=eq(n\\,%1)").arg(index), "-frames:v", "1", still});
        ASSERT_TRUE(decode.waitForFinished(30000));
        const QImage picture(still);
        ASSERT_EQ(picture.size(), canvas);
        EXPECT_TRUE(coloursNear(picture.pixelColor(8, 8), frameColour(index, false), 6)) << index;
        EXPECT_TRUE(coloursNear(picture.pixelColor(22, 4), frameColour(index, false), 6)) << index;
    }
}

TEST(ClipWeave, FailuresAreReportedAndLeaveNoMovieBehind) {
    const QSize canvas(16, 16);
    ToolWorkspace ws;
    for (int i = 0; i < 2; ++i)
        ws.writeFrame(i, exportedFrame(canvas, canvas, frameColour(i, false)), ".png");
    const QString result = ws.filePath(QStringLiteral("movie"));

    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", canvas, result));
    ToolRun run = ws.run(kClipWeave);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0002.png"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(result + ".avi"));

    ws.writeIni(ToolWorkspace::iniText(1, 30, ".png", canvas, ws.filePath("missing/movie")));
    run = ws.run(kClipWeave);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("書き込めません"))) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"RENDER"}));
}

TEST(ClipWeave, ConcurrentMoviesToOneNameLeaveOneWholeMovie) {
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (ffprobe.isEmpty())
        GTEST_SKIP() << "ffprobe is not installed; the movie cannot be inspected.";
    const QSize canvas(64, 48);
    QTemporaryDir results;
    const QString result = results.filePath(QStringLiteral("shared"));
    {
        QFile old(result + ".avi");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older movie");
    }
    // Two exports of different lengths write the same movie at the same time, five times.
    ToolWorkspace a, b;
    for (int i = 0; i < 12; ++i)
        a.writeFrame(i, exportedFrame(canvas, canvas, frameColour(i, false)), ".png");
    for (int i = 0; i < 20; ++i)
        b.writeFrame(i, exportedFrame(canvas, canvas, frameColour(i, true)), ".png");
    a.writeIni(ToolWorkspace::iniText(11, 30, ".png", canvas, result));
    b.writeIni(ToolWorkspace::iniText(19, 30, ".png", canvas, result));
    for (int round = 0; round < 5; ++round) {
        QProcess first, second;
        first.setWorkingDirectory(a.path());
        second.setWorkingDirectory(b.path());
        first.start(kClipWeave, {});
        second.start(kClipWeave, {});
        ASSERT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
        EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

        QProcess probe;
        probe.start(ffprobe,
                    {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                     "stream=nb_read_frames", "-of", "csv=p=0", result + ".avi"});
        ASSERT_TRUE(probe.waitForFinished(30000));
        const QString frames = QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
        EXPECT_TRUE(frames == "12" || frames == "20") << frames.toStdString();
    }
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(results.path()).entryList(QDir::Files), QStringList({"shared.avi"}));
}

TEST(ClipWeave, ARateAMovieCannotKeepIsRefusedAndTheOldMovieStays) {
    const QSize canvas(16, 16);
    ToolWorkspace ws;
    ws.writeFrame(0, exportedFrame(canvas, canvas, frameColour(0, false)), ".png");
    const QString result = ws.filePath(QStringLiteral("fast"));
    {
        QFile old(result + ".avi");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept");
    }
    ws.writeIni(ToolWorkspace::iniText(0, 5000, ".png", canvas, result));
    const ToolRun run = ws.run(kClipWeave);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("1000"))) << run.err.toStdString();
    QFile kept(result + ".avi");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
}

}  // namespace
}  // namespace sp
