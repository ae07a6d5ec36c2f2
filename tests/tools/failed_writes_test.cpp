#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QString kTileSheet = QStringLiteral(SPARKPLUME_TILESHEET);
const QString kClipWeave = QStringLiteral(SPARKPLUME_CLIPWEAVE);
const QSize kCanvas(20, 10);

void writeFrames(const ToolWorkspace& ws, int count) {
    for (int i = 0; i < count; ++i)
        ws.writeFrame(i, exportedFrame(QSize(32, 16), kCanvas, frameColour(i)), ".png");
}

// Runs a program in the workspace with files limited to `maxBytes` (ulimit -f), as on
// a disk that fills up while the result is written.
ToolRun runLimited(const ToolWorkspace& ws, const QString& program, rlim_t maxBytes) {
    QProcess process;
    process.setWorkingDirectory(ws.path());
    process.setChildProcessModifier([maxBytes] {
        const rlimit limit{maxBytes, maxBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(program);
    ToolRun run;
    if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(FailedWrites, ASheetThatCannotBeWrittenTakesTheWholeSetWithIt) {
    ToolWorkspace ws;
    writeFrames(ws, 10);
    const QString result = ws.filePath(QStringLiteral("spark"));
    // Three sheets of four frames; the second cannot take its place.
    ASSERT_TRUE(QDir(ws.path()).mkdir(QStringLiteral("spark_1.png")));
    for (const QString& options : {QString(), QStringLiteral("[sheet]\ntrim=each\nmaxsize=40\n")}) {
        ws.writeIni(ToolWorkspace::iniText(9, 30, ".png", kCanvas, result,
                                           QStringLiteral("x=2\ny=2\nsep=2\n")) +
                    options.toUtf8());
        const ToolRun run = ws.run(kTileSheet);
        EXPECT_EQ(run.exitCode, 1) << options.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("spark_1.png"))) << run.err.toStdString();
        // Neither the first sheet nor its atlas stays to pass for a result, and the
        // export is not told of any made file.
        EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files | QDir::Hidden), QStringList())
            << options.toStdString();
        EXPECT_FALSE(QFile::exists(ws.renderPath(QStringLiteral("made.txt"))));
    }
}

TEST(FailedWrites, AFullDiskFailsTheAnimationCleanlyAndLeavesNoPartOfIt) {
    for (const char* format : {"gif", "apng", "webp"}) {
        ToolWorkspace ws;
        writeFrames(ws, 6);
        const QString result = ws.filePath(QStringLiteral("loop"));
        ws.writeIni(ToolWorkspace::iniText(5, 12, ".png", kCanvas, result) +
                    QStringLiteral("[animation]\nformat=%1\nquality=-1\n")
                        .arg(QString::fromLatin1(format))
                        .toUtf8());
        const ToolRun run = runLimited(ws, kClipWeave, 64);
        // A failed write with a message (APNG's scratch file fails first), not a
        // program killed mid-file nor a short file in place of the picture.
        EXPECT_EQ(run.exitCode, 1) << format;
        EXPECT_TRUE(run.err.contains(QStringLiteral("書き込めません")) ||
                    run.err.contains(QStringLiteral("APNG を作れません")))
            << run.err.toStdString();
        EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << format;
    }
}

TEST(FailedWrites, AWriteBeyondTheFileSizeLimitFailsTheSheetsWithoutLeavingTheFirstOnes) {
    ToolWorkspace ws;
    writeFrames(ws, 10);
    ws.writeIni(ToolWorkspace::iniText(9, 30, ".png", kCanvas, ws.filePath(QStringLiteral("fx")),
                                       QStringLiteral("x=2\ny=2\nsep=3\n")));
    ASSERT_EQ(ws.run(kTileSheet).exitCode, 0);
    const qint64 sheet = QFileInfo(ws.filePath(QStringLiteral("fx_0.png"))).size();
    const qint64 atlas = QFileInfo(ws.filePath(QStringLiteral("fx_0.json"))).size();
    ASSERT_LT(sheet, atlas);
    for (const QString& name : QDir(ws.path()).entryList(QDir::Files))
        QFile::remove(ws.filePath(name));
    // The first sheet fits under the limit, its atlas does not.
    const ToolRun run = runLimited(ws, kTileSheet, static_cast<rlim_t>((sheet + atlas) / 2));
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("fx_0.json"))) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

    // Not even the first sheet's picture fits: it is named, and nothing short is left.
    const ToolRun first = runLimited(ws, kTileSheet, static_cast<rlim_t>(sheet / 2));
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_TRUE(first.err.contains(
        QStringLiteral("「%1」を書き込めません。").arg(ws.filePath(QStringLiteral("fx_0.png")))))
        << first.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
}  // namespace sp
