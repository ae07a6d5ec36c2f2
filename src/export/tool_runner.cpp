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

ToolRun runTool(const std::filesystem::path& program, const std::filesystem::path& workingDir) {
    ToolRun run;
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(workingDir.string()));
    process.setProgram(QString::fromStdString(program.string()));
    process.start();
    if (!process.waitForStarted(-1)) return run;
    run.started = true;
    process.waitForFinished(-1);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errorOutput = QString::fromUtf8(process.readAllStandardError()).trimmed().toStdString();
    return run;
}

}  // namespace sp
