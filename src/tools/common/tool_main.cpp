#include "tools/common/tool_main.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <new>

#include "tools/common/render_job.h"

namespace sp::tools {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
    g_interrupted = 1;
}

void printLine(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

bool interruptRequested() {
    return g_interrupted != 0;
}

void stopIfInterrupted() {
    if (interruptRequested()) throw Failure(QStringLiteral("中断しました。"));
}

int runProgram(int argc, char** argv, const char* help,
               const std::function<void(const QDir&)>& work) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, onInterrupt);
#ifdef SIGXFSZ
    // Beyond the file size limit a write fails and the result is given up
    // cleanly; the default would kill the program with its temporary file in place.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // An application object lets the picture format plug-ins (JPEG) load; no display is used.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        printLine(stdout, QString::fromUtf8(help));
        return 0;
    }
    if (!args.isEmpty()) {
        printLine(stderr, QStringLiteral("引数「%1」は使えません。--help で使い方を表示します。")
                              .arg(args.first()));
        return 2;
    }
    try {
        work(QDir(QDir::currentPath()));
    } catch (const Failure& failure) {
        printLine(stderr, QString::fromUtf8(failure.what()));
        return 1;
    } catch (const std::bad_alloc&) {
        printLine(stderr, QStringLiteral("メモリが足りないため処理できません。"));
        return 1;
    }
    return 0;
}

}  // namespace sp::tools
