#pragma once

#include <QDir>
#include <functional>

namespace sp::tools {

// The shared start of the three programs: "--help" (or "-h") prints `help` and exits 0;
// any other argument is refused; otherwise `work` runs with the current directory as the
// workspace. A Failure it throws is printed on the error output and gives exit status 1;
// a usage error gives 2.
int runProgram(int argc, char** argv, const char* help,
               const std::function<void(const QDir&)>& work);

}  // namespace sp::tools
