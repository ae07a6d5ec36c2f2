// The command line speaks the locale's language (LANG=C or en_*: English; ja_*:
// Japanese) unless --lang says otherwise: its argument errors, its usage lines,
// its --help and the export's refusals. Runs the built program, as a shell would.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

#include "saved_project.h"

namespace sp::cli {
namespace {

namespace fs = std::filesystem;

const QString kProgram = QStringLiteral(SPARKPLUME_PROGRAM_DIR "/sparkplume");

struct ProgramRun {
    int status = -1;
    QString out, err;
};

// The program under `lang` as the only locale setting of its environment.
ProgramRun runUnder(const QString& lang, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(kProgram, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << args.join(u' ').toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

bool hasJapanese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3000) return true;
    return false;
}

TEST(CommandLanguage, ArgumentErrorsFollowTheLocale) {
    for (const QString& lang : {QStringLiteral("C"), QStringLiteral("en_US.UTF-8")}) {
        const ProgramRun trace = runUnder(lang, {"trace"});
        EXPECT_EQ(trace.status, 1);
        EXPECT_EQ(trace.err,
                  QStringLiteral("Give a project file.\n"
                                 "Usage: sparkplume trace FILE [--frames N] [--particles]\n"))
            << lang.toStdString();
    }
    const ProgramRun trace = runUnder(QStringLiteral("ja_JP.UTF-8"), {"trace"});
    EXPECT_EQ(trace.status, 1);
    EXPECT_EQ(trace.err.toStdString(),
              "ファイルを指定してください。\n"
              "使い方: sparkplume trace FILE [--frames N] [--particles]\n");

    // The option's name and the number are put into the sentence, in either language.
    const QStringList render = {"render", "fx.spd", "--frame", "0", "--out", "a.png"};
    EXPECT_TRUE(runUnder(QStringLiteral("C"), render)
                    .err.startsWith(QStringLiteral("--frame needs a whole number of 1 or more.\n"
                                                   "Usage: sparkplume render FILE")));
    EXPECT_TRUE(runUnder(QStringLiteral("ja_JP.UTF-8"), render)
                    .err.startsWith(QStringLiteral("--frame には1以上の整数を指定してください。\n"
                                                   "使い方: sparkplume render FILE")));
    const ProgramRun limit = runUnder(QStringLiteral("C"), {"export", "--threads", "x"});
    EXPECT_EQ(limit.err, QStringLiteral("--threads needs a whole number of 1 or more.\n"));
    const ProgramRun unknown =
        runUnder(QStringLiteral("C"), {"export", "fx.spd", "--out", "a.png", "--what"});
    EXPECT_TRUE(
        unknown.err.startsWith(QStringLiteral("Unknown option: --what\nUsage: sparkplume export")))
        << unknown.err.toStdString();
}

TEST(CommandLanguage, LangOverridesTheLocale) {
    EXPECT_TRUE(runUnder(QStringLiteral("ja_JP.UTF-8"), {"--lang", "en", "trace"})
                    .err.startsWith(QStringLiteral("Give a project file.")));
    EXPECT_TRUE(runUnder(QStringLiteral("C"), {"trace", "--lang", "ja"})
                    .err.startsWith(QStringLiteral("ファイルを指定してください。")));
}

TEST(CommandLanguage, TheExportHelpIsInTheLocalesLanguage) {
    const ProgramRun english = runUnder(QStringLiteral("C"), {"export", "--help"});
    EXPECT_EQ(english.status, 0);
    EXPECT_TRUE(
        english.out.startsWith(QStringLiteral("Usage: sparkplume export FILE --out RESULT")));
    EXPECT_TRUE(english.out.contains(QStringLiteral("Sheet finishing (--layout sheet):")));
    EXPECT_TRUE(
        english.out.contains(QStringLiteral("Animated pictures (--layout gif|apng|webp):")));
    EXPECT_FALSE(hasJapanese(english.out)) << english.out.toStdString();

    const ProgramRun japanese = runUnder(QStringLiteral("ja_JP.UTF-8"), {"export", "--help"});
    EXPECT_EQ(japanese.status, 0);
    EXPECT_TRUE(
        japanese.out.startsWith(QStringLiteral("使い方: sparkplume export FILE --out RESULT")));
    EXPECT_TRUE(japanese.out.contains(QStringLiteral("\nシートの仕上げ (--layout sheet):\n")));

    // The other commands answer --help with their usage line.
    for (const char* command : {"trace", "render"}) {
        const ProgramRun help = runUnder(QStringLiteral("C"), {command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: sparkplume ") + command)) << command;
    }
    const ProgramRun all = runUnder(QStringLiteral("C"), {"--help"});
    EXPECT_FALSE(hasJapanese(all.out)) << all.out.toStdString();
}

// The export's refusals of the sheet's options are put together from numbers:
// whole sentences in English, the same bytes as ever in Japanese.
TEST(CommandLanguage, TheSheetsRefusalsAreTranslatedWhole) {
    QTemporaryDir temp;
    const fs::path folder = temp.path().toStdString();
    const fs::path project = testing::saveProject(
        folder, "tiny.spd", [](Document& document) { document.setCanvasSize(32, 16, false); });
    const QString file = QString::fromStdString(project.string());
    const QString out = QString::fromStdString((folder / "fx.png").string());
    const QStringList tooSmall = {"export", file, "--out", out, "--max-size", "8"};
    const ProgramRun english = runUnder(QStringLiteral("C"), tooSmall);
    EXPECT_EQ(english.status, 2);
    EXPECT_EQ(english.err,
              QStringLiteral("Error: A frame (32×16 with padding and extrude) does not fit the "
                             "maximum size 8.\n"));
    const ProgramRun japanese = runUnder(QStringLiteral("ja_JP.UTF-8"), tooSmall);
    EXPECT_EQ(japanese.err.toStdString(),
              "エラー: 最大サイズ8にはフレーム（32×16、余白と縁を含む）が収まりません。\n");

    const QStringList padding = {"export", file, "--out", out, "--padding", "65"};
    EXPECT_EQ(runUnder(QStringLiteral("C"), padding).err,
              QStringLiteral("Error: Padding must be from 0 to 64.\n"));
    EXPECT_EQ(runUnder(QStringLiteral("ja_JP.UTF-8"), padding).err.toStdString(),
              "エラー: 余白は0から64の範囲で指定してください。\n");
}

}  // namespace
}  // namespace sp::cli
