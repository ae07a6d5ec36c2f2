#pragma once

#include <string>

namespace sp {

// Runs the editor until its window is closed, opening `file` after the new
// project when it is not empty. Returns the process exit status.
int runEditor(int argc, char** argv, const std::string& file);

}  // namespace sp
