#include "export/tool_runner.h"

#include <QProcess>
#include <QString>

namespace sp {

std::string toolFileName(const std::string& name) {
#if defined(_WIN32)
    return name + ".exe";
#else
    return name;
#endif
}

ToolRun runTool(const std::filesystem::path& program, const std::filesystem::path& workingDir,
                const std::function<bool()>& shouldStop) {
    ToolRun run;
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(workingDir.string()));
    process.setProgram(QString::fromStdString(program.string()));
    process.start();
    if (!process.waitForStarted(-1)) return run;
    run.started = true;
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning) break;
        if (shouldStop && shouldStop()) {
            // The programs clean up after themselves when asked; a stuck one is killed.
            run.stopped = true;
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished(-1);
            }
            break;
        }
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errorOutput = QString::fromUtf8(process.readAllStandardError()).trimmed().toStdString();
    return run;
}

}  // namespace sp
