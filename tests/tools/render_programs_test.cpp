#include <QFileInfo>

#include <gtest/gtest.h>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QStringList kPrograms = {QStringLiteral(SPARKPLUME_FRAMECROP),
                               QStringLiteral(SPARKPLUME_TILESHEET),
                               QStringLiteral(SPARKPLUME_CLIPWEAVE)};

TEST(RenderPrograms, HelpIsPrintedAndUnknownArgumentsAreRefused) {
    ToolWorkspace ws;
    for (const QString& program : kPrograms) {
        const ToolRun help = ws.run(program, {QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << program.toStdString();
        EXPECT_TRUE(help.out.contains(QFileInfo(program).baseName())) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("render.ini")));

        const ToolRun unknown = ws.run(program, {QStringLiteral("--frames")});
        EXPECT_NE(unknown.exitCode, 0);
        EXPECT_TRUE(unknown.err.contains(QStringLiteral("--frames"))) << unknown.err.toStdString();
    }
}

TEST(RenderPrograms, AMissingOrIncompleteSettingsFileIsReported) {
    ToolWorkspace ws;
    ws.writeFrame(0, exportedFrame(QSize(8, 8), QSize(8, 8), frameColour(0)), ".png");
    for (const QString& program : kPrograms) {
        const ToolRun run = ws.run(program);
        EXPECT_NE(run.exitCode, 0) << program.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("render.ini"))) << run.err.toStdString();
    }

    const QString result = ws.filePath(QStringLiteral("result"));
    struct Broken {
        QByteArray ini;
        QString named;  // what the message must point at
    };
    const Broken cases[] = {
        {ToolWorkspace::iniText(0, 30, ".png", QSize(8, 8), result).replace("width=8\n", ""),
         "width"},
        {ToolWorkspace::iniText(0, 30, ".png", QSize(8, 8), result).replace("end=0", "end=abc"),
         "abc"},
        {ToolWorkspace::iniText(0, 0, ".png", QSize(8, 8), result), "fps"},
        {ToolWorkspace::iniText(-1, 30, ".png", QSize(8, 8), result), "end"},
        {ToolWorkspace::iniText(0, 30, ".gif", QSize(8, 8), result), ".gif"},
        {ToolWorkspace::iniText(0, 30, ".png", QSize(8, 8), ""), "name"},
    };
    for (const Broken& broken : cases) {
        ws.writeIni(broken.ini);
        for (const QString& program : kPrograms) {
            const ToolRun run = ws.run(program);
            EXPECT_NE(run.exitCode, 0) << broken.ini.toStdString();
            EXPECT_TRUE(run.err.contains(broken.named)) << run.err.toStdString();
        }
    }
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"RENDER"}));
}

TEST(RenderPrograms, ResultPathsWithSpacesJapaneseAndBackslashesArriveUnchanged) {
    ToolWorkspace ws;
    const QSize canvas(6, 4);
    for (int i = 0; i < 2; ++i)
        ws.writeFrame(i, exportedFrame(QSize(8, 4), canvas, frameColour(i)), ".png");
    const QString result = ws.filePath(QStringLiteral("my effects\\炎の 渦 #1"));
    // Windows line ends, a byte-order mark, a comment, and the sheet keys in their own section
    // header as the editor appends them.
    QByteArray ini = "\xEF\xBB\xBF; written by the editor\r\n" +
                     ToolWorkspace::iniText(1, 30, ".png", canvas, result, "x=2\ny=1\nsep=1\n")
                         .replace("\n", "\r\n");
    ws.writeIni(ini);

    ASSERT_EQ(ws.run(QStringLiteral(SPARKPLUME_TILESHEET)).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(result + ".png"));
    EXPECT_TRUE(QFileInfo::exists(result + ".json"));
    const ToolRun movie = ws.run(QStringLiteral(SPARKPLUME_CLIPWEAVE));
    ASSERT_EQ(movie.exitCode, 0) << movie.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(result + ".avi"));
}

}  // namespace
}  // namespace sp
