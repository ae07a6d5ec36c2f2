#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/console_prompts.h"
#include "project/file_commands.h"
#include "project/project.h"
#include "project/setup_ini.h"
#include "project/workspace.h"

namespace sp::cli {

// A project opened for a headless command, in a private temporary workspace
// that is removed afterwards: the editor's work folder is never touched.
class HeadlessSession {
public:
    explicit HeadlessSession(std::ostream& err);

    // Opens FILE as the editor's Open does; false (with the message on the error
    // stream) when the workspace cannot be made or the file cannot be opened.
    // With a program folder, the workspace is first filled from the WorkSpace
    // folder found for it, as the editor's start-up does.
    bool open(const std::filesystem::path& file, const std::filesystem::path& programDir = {});

    Project& project() { return *m_project; }
    const Workspace& workspace() const { return *m_workspace; }
    Prompts& prompts() { return m_prompts; }
    SetupIni& setup() { return *m_setup; }

private:
    QTemporaryDir m_folder;
    ConsolePrompts m_prompts;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<Project> m_project;
    std::unique_ptr<SetupIni> m_setup;
    std::unique_ptr<FileCommands> m_files;
};

}  // namespace sp::cli
