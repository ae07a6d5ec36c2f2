#pragma once

#include <QDir>
#include <functional>

namespace sp::tools {

// The shared start of the three programs: "--help" (or "-h") prints `help` and exits 0;
// any other argument is refused; otherwise `work` runs with the current directory as the
// workspace. A Failure it throws is printed on the error output and gives exit status 1;
// a usage error gives 2.
// SIGINT, SIGTERM and SIGHUP ask the work to stop: it checks this between frames
// and gives up with a Failure, so that no half-written result is left behind. A write
// beyond the file size limit fails like any other instead of ending the program.
int runProgram(int argc, char** argv, const char* help,
               const std::function<void(const QDir&)>& work);

// Whether the program was asked to stop; throws Failure when it was.
bool interruptRequested();
void stopIfInterrupted();

}  // namespace sp::tools
