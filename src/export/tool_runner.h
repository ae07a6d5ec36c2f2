#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sp {

// How one of the RENDER programs ended.
struct ToolRun {
    bool started = false;
    bool stopped = false;  // asked to stop before it ended
    int exitCode = -1;
    std::string errorOutput;  // what it wrote on its error stream
    bool succeeded() const { return started && exitCode == 0; }
};

// Starts a program without arguments in `workingDir` and waits for it to end.
// While it runs, `shouldStop` is asked a few times a second; when it says so the
// program is asked to stop (and killed if it does not within a few seconds).
ToolRun runTool(const std::filesystem::path& program, const std::filesystem::path& workingDir,
                const std::function<bool()>& shouldStop = {});

// The file name of a RENDER program on this platform.
std::string toolFileName(const std::string& name);

}  // namespace sp
