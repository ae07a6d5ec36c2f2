#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QString kTileSheet = QStringLiteral(SPARKPLUME_TILESHEET);
const QSize kFrame(32, 16);
const QSize kCanvas(20, 10);

QString sheetIni(int columns, int rows, int division) {
    return QStringLiteral("x=%1\ny=%2\nsep=%3\n").arg(columns).arg(rows).arg(division);
}

QJsonObject readJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << path.toStdString();
    return document.object();
}

QJsonObject rect(int x, int y, int w, int h) {
    return {{"x", x}, {"y", y}, {"w", w}, {"h", h}};
}

// Checks the cell `cell` of `sheet` against frame `index` (its fill and its corner mark).
void expectCell(const QImage& sheet, int columns, int cell, int index) {
    const int left = (cell % columns) * kCanvas.width();
    const int top = (cell / columns) * kCanvas.height();
    EXPECT_EQ(sheet.pixelColor(left, top), frameColour(index)) << "cell " << cell;
    EXPECT_EQ(sheet.pixelColor(left + 5, top + 5), frameColour(index)) << "cell " << cell;
    EXPECT_EQ(sheet.pixelColor(left + kCanvas.width() - 1, top + kCanvas.height() - 1), kMarkColour)
        << "cell " << cell;
}

void expectEmptyCell(const QImage& sheet, int columns, int cell) {
    const int left = (cell % columns) * kCanvas.width();
    const int top = (cell / columns) * kCanvas.height();
    for (int y = top; y < top + kCanvas.height(); ++y)
        for (int x = left; x < left + kCanvas.width(); ++x)
            ASSERT_EQ(sheet.pixelColor(x, y).alpha(), 0)
                << "cell " << cell << " at " << x << "," << y;
}

TEST(TileSheet, OneSheetTakesTheResultNameAndHoldsTheFramesRowByRow) {
    ToolWorkspace ws;
    for (int i = 0; i < 5; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("burst"));
    ws.writeIni(ToolWorkspace::iniText(4, 24, ".png", kCanvas, result, sheetIni(3, 2, 1)));

    const ToolRun run = ws.run(kTileSheet);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files), QStringList({"burst.json", "burst.png"}));
    EXPECT_EQ(ws.renderFiles().size(), 6);  // the five frames and render.ini, untouched

    QImageReader reader(result + ".png");
    EXPECT_EQ(reader.format(), "png");
    const QImage sheet = reader.read();
    ASSERT_EQ(sheet.size(), QSize(60, 20));
    for (int i = 0; i < 5; ++i) expectCell(sheet, 3, i, i);
    expectEmptyCell(sheet, 3, 5);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            ASSERT_NE(sheet.pixelColor(x, y), kOutsideColour) << x << "," << y;

    const QJsonObject atlas = readJson(result + ".json");
    const QJsonObject frames = atlas["frames"].toObject();
    EXPECT_EQ(frames.keys(),
              QStringList({"burst_0000", "burst_0001", "burst_0002", "burst_0003", "burst_0004"}));
    const QJsonObject fourth = frames["burst_0004"].toObject();
    EXPECT_EQ(fourth["frame"].toObject(), rect(20, 10, 20, 10));
    EXPECT_EQ(fourth["rotated"], QJsonValue(false));
    EXPECT_EQ(fourth["trimmed"], QJsonValue(false));
    EXPECT_EQ(fourth["spriteSourceSize"].toObject(), rect(0, 0, 20, 10));
    EXPECT_EQ(fourth["sourceSize"].toObject(), QJsonObject({{"w", 20}, {"h", 10}}));
    EXPECT_EQ(fourth["duration"].toInt(), 42);  // 1000 / 24 fps, in whole milliseconds
    EXPECT_EQ(frames["burst_0002"].toObject()["frame"].toObject(), rect(40, 0, 20, 10));

    const QJsonObject meta = atlas["meta"].toObject();
    EXPECT_EQ(meta["app"].toString(), "Sparkplume");
    EXPECT_EQ(meta["image"].toString(), "burst.png");
    EXPECT_EQ(meta["size"].toObject(), QJsonObject({{"w", 60}, {"h", 20}}));
    EXPECT_EQ(meta["format"].toString(), "RGBA8888");
    EXPECT_EQ(meta["scale"].toString(), "1");
}

TEST(TileSheet, FramesBeyondTheDivisionGoOnFurtherSheetsEachWithItsOwnAtlas) {
    ToolWorkspace ws;
    for (int i = 0; i < 10; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("spark"));
    ws.writeIni(ToolWorkspace::iniText(9, 30, ".png", kCanvas, result, sheetIni(2, 2, 2)));

    const ToolRun run = ws.run(kTileSheet);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files),
              QStringList({"spark_0.json", "spark_0.png", "spark_1.json", "spark_1.png",
                           "spark_2.json", "spark_2.png"}));
    for (int s = 0; s < 3; ++s) {
        const QImage sheet(QStringLiteral("%1_%2.png").arg(result).arg(s));
        ASSERT_EQ(sheet.size(), QSize(40, 20)) << s;
        for (int cell = 0; cell < 4 && s * 4 + cell < 10; ++cell)
            expectCell(sheet, 2, cell, s * 4 + cell);
    }
    const QImage last(result + "_2.png");
    expectEmptyCell(last, 2, 2);
    expectEmptyCell(last, 2, 3);

    const QJsonObject middle = readJson(result + "_1.json");
    EXPECT_EQ(middle["frames"].toObject().keys(),
              QStringList({"spark_0004", "spark_0005", "spark_0006", "spark_0007"}));
    EXPECT_EQ(middle["frames"].toObject()["spark_0007"].toObject()["frame"].toObject(),
              rect(20, 10, 20, 10));
    const QJsonObject atlas = readJson(result + "_2.json");
    const QJsonObject frames = atlas["frames"].toObject();
    EXPECT_EQ(frames.keys(), QStringList({"spark_0008", "spark_0009"}));
    EXPECT_EQ(frames["spark_0008"].toObject()["frame"].toObject(), rect(0, 0, 20, 10));
    EXPECT_EQ(frames["spark_0009"].toObject()["frame"].toObject(), rect(20, 0, 20, 10));
    EXPECT_EQ(frames["spark_0009"].toObject()["duration"].toInt(), 33);
    EXPECT_EQ(atlas["meta"].toObject()["image"].toString(), "spark_2.png");
    EXPECT_EQ(atlas["meta"].toObject()["size"].toObject(), QJsonObject({{"w", 40}, {"h", 20}}));
}

TEST(TileSheet, JpegSheetsAreJpegWithBlackEmptyCells) {
    ToolWorkspace ws;
    for (int i = 0; i < 3; ++i)
        ws.writeFrame(i, exportedFrame(kCanvas, kCanvas, frameColour(i, false)), ".jpg");
    const QString result = ws.filePath(QStringLiteral("smoke"));
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".jpg", kCanvas, result, sheetIni(2, 2, 1)));

    ASSERT_EQ(ws.run(kTileSheet).exitCode, 0);
    QImageReader reader(result + ".jpg");
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage sheet = reader.read();
    ASSERT_EQ(sheet.size(), QSize(40, 20));
    EXPECT_TRUE(coloursNear(sheet.pixelColor(5, 14), frameColour(2, false), 12));
    EXPECT_TRUE(coloursNear(sheet.pixelColor(30, 15), QColor(Qt::black), 8));
    EXPECT_EQ(readJson(result + ".json")["meta"].toObject()["image"].toString(), "smoke.jpg");
}

TEST(TileSheet, FailuresAreReportedAndLeaveNoSheetBehind) {
    ToolWorkspace ws;
    for (int i = 0; i < 3; ++i)
        ws.writeFrame(i, exportedFrame(kFrame, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("out"));

    // The grid keys are needed.
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, result, "x=2\nsep=1\n"));
    ToolRun run = ws.run(kTileSheet);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral(" y "))) << run.err.toStdString();

    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, result, sheetIni(0, 2, 1)));
    run = ws.run(kTileSheet);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("x"))) << run.err.toStdString();

    // A missing frame stops the run before any sheet is written.
    ws.writeIni(ToolWorkspace::iniText(3, 30, ".png", kCanvas, result, sheetIni(2, 1, 2)));
    run = ws.run(kTileSheet);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("0003.png"))) << run.err.toStdString();
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files), QStringList());

    // A result folder that does not exist.
    ws.writeIni(ToolWorkspace::iniText(2, 30, ".png", kCanvas, ws.filePath("missing/out"),
                                       sheetIni(2, 2, 1)));
    run = ws.run(kTileSheet);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("書き込めません"))) << run.err.toStdString();
}

// A sheet that cannot be written leaves neither a piece of it nor a list that
// claims it was made.
TEST(TileSheet, ASheetThatCannotBeWrittenLeavesNothingClaimedAsMade) {
    ToolWorkspace ws;
    for (int i = 0; i < 2; ++i)
        ws.writeFrame(i, exportedFrame(kCanvas, kCanvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("fx"));
    ws.writeIni(ToolWorkspace::iniText(1, 30, ".png", kCanvas, result, sheetIni(2, 1, 1)) +
                "[sheet]\ntrim=none\n");
    // The sheet's place is taken by a folder.
    ASSERT_TRUE(QDir(ws.path()).mkdir(QStringLiteral("fx.png")));
    const ToolRun run = ws.run(kTileSheet);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.err.trimmed().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(result + QStringLiteral(".json")));
    EXPECT_EQ(ws.renderFiles(), QStringList({"0000.png", "0001.png", "render.ini"}));
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"fx.png", "RENDER"}));
}

}  // namespace
}  // namespace sp
