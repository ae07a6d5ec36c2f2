#include <QCryptographicHash>
#include <QFileInfo>
#include <QImageReader>

#include <gtest/gtest.h>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QString kFrameCrop = QStringLiteral(SPARKPLUME_FRAMECROP);
const QSize kFrame(32, 16);
const QSize kCanvas(20, 10);

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class FrameCropFormats : public ::testing::TestWithParam<const char*> {};

TEST_P(FrameCropFormats, CutsEveryFrameInPlaceKeepingItsPixelsAndAlpha) {
    const QString ext = QString::fromLatin1(GetParam());
    ToolWorkspace ws;
    for (int i = 0; i < 3; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i)), ext);
    ws.writeIni(ToolWorkspace::iniText(2, 30, ext, kCanvas, ws.filePath(QStringLiteral("result"))));

    const ToolRun run = ws.run(kFrameCrop);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    for (int i = 0; i < 3; ++i) {
        QImageReader reader(ws.renderPath(ToolWorkspace::frameName(i, ext)));
        EXPECT_EQ(reader.format(), ext.mid(1).toLatin1());
        const QImage frame = reader.read();
        ASSERT_EQ(frame.size(), kCanvas) << i;
        EXPECT_EQ(frame.pixelColor(0, 0), frameColour(i)) << i;
        EXPECT_EQ(frame.pixelColor(kCanvas.width() - 2, kCanvas.height() - 1), frameColour(i)) << i;
        EXPECT_EQ(frame.pixelColor(kCanvas.width() - 1, kCanvas.height() - 1), kMarkColour) << i;
    }
    // Nothing but the frames was touched: no results, no temporary files.
    EXPECT_EQ(ws.renderFiles(),
              QStringList({"0000" + ext, "0001" + ext, "0002" + ext, "render.ini"}));
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"RENDER"}));
}

INSTANTIATE_TEST_SUITE_P(FrameCrop, FrameCropFormats, ::testing::Values(".png", ".bmp"));

TEST(FrameCrop, JpegFramesStayJpegAndAreNotRecompressedOnceCut) {
    ToolWorkspace ws;
    for (int i = 0; i < 2; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i, false)), ".jpg");
    ws.writeIni(
        ToolWorkspace::iniText(1, 30, ".jpg", kCanvas, ws.filePath(QStringLiteral("result"))));

    ASSERT_EQ(ws.run(kFrameCrop).exitCode, 0);
    QImageReader reader(ws.renderPath(QStringLiteral("0001.jpg")));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage frame = reader.read();
    ASSERT_EQ(frame.size(), kCanvas);
    EXPECT_TRUE(coloursNear(frame.pixelColor(4, 4), frameColour(1, false), 8));

    const QByteArray before = digest(ws.renderPath(QStringLiteral("0001.jpg")));
    ASSERT_EQ(ws.run(kFrameCrop).exitCode, 0);
    EXPECT_EQ(digest(ws.renderPath(QStringLiteral("0001.jpg"))), before);
}

TEST(FrameCrop, AMissingOrUnusableFrameIsReportedBeforeAnyFrameIsRewritten) {
    ToolWorkspace ws;
    for (int i = 0; i < 2; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("result"));
    const QByteArray first = digest(ws.renderPath(QStringLiteral("0000.png")));

    // end = 2 asks for a third frame that is not there.
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, result));
    ToolRun run = ws.run(kFrameCrop);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0002.png"))) << run.err.toStdString();
    EXPECT_EQ(digest(ws.renderPath(QStringLiteral("0000.png"))), first);

    // A frame that is not a picture.
    QFile broken(ws.renderPath(QStringLiteral("0002.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    run = ws.run(kFrameCrop);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0002.png"))) << run.err.toStdString();
    EXPECT_EQ(digest(ws.renderPath(QStringLiteral("0000.png"))), first);

    // A canvas larger than the frames.
    ws.writeIni(ToolWorkspace::iniText(1, 30, ".png", QSize(64, 10), result));
    run = ws.run(kFrameCrop);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.err.trimmed().isEmpty());
    EXPECT_EQ(digest(ws.renderPath(QStringLiteral("0000.png"))), first);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Frames that already have the canvas size are judged by their header and their
// end alone: complete ones stay byte for byte as they are, a cut-off one is an
// error, and damage inside is left to the sheet program, which decodes them.
TEST(FrameCrop, FramesOfTheCanvasSizeAreJudgedByTheirHeaderAndEnd) {
    ToolWorkspace ws;
    for (int i = 0; i < 3; ++i)
        ws.writeFrame(i, exportedFrame(kCanvas, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("result"));
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, result));
    const QString second = ws.renderPath(QStringLiteral("0001.png"));
    const QByteArray whole = fileBytes(second);
    const QFileInfo before(second);

    ASSERT_EQ(ws.run(kFrameCrop).exitCode, 0);
    EXPECT_EQ(fileBytes(second), whole);
    EXPECT_EQ(QFileInfo(second).lastModified(), before.lastModified());

    // A frame whose writing stopped short: its header still shows the canvas size.
    writeBytes(second, whole.left(whole.size() - 20));
    ToolRun run = ws.run(kFrameCrop);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0001.png"))) << run.err.toStdString();

    // Damage inside the pixel data passes the cut, but not the sheet.
    QByteArray damaged = whole;
    const qsizetype idat = damaged.indexOf("IDAT");
    ASSERT_GT(idat, 0);
    damaged[idat + 6] = char(damaged[idat + 6] ^ 0x5A);
    writeBytes(second, damaged);
    ASSERT_EQ(ws.run(kFrameCrop).exitCode, 0);
    EXPECT_EQ(fileBytes(second), damaged);
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, result,
                                       QStringLiteral("x=3\ny=1\nsep=1\n")));
    run = ws.run(QStringLiteral(SPARKPLUME_TILESHEET));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0001.png"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(result + QStringLiteral(".png")));
}

}  // namespace
}  // namespace sp
