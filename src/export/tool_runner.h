#pragma once

#include <filesystem>
#include <string>

namespace sp {

// How one of the RENDER programs ended.
struct ToolRun {
    bool started = false;
    int exitCode = -1;
    std::string errorOutput;  // what it wrote on its error stream
    bool succeeded() const { return started && exitCode == 0; }
};

// Starts a program without arguments in `workingDir` and waits for it to end.
ToolRun runTool(const std::filesystem::path& program, const std::filesystem::path& workingDir);

// The file name of a RENDER program on this platform.
std::string toolFileName(const std::string& name);

}  // namespace sp
