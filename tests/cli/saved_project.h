#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/model/prompts.h"
#include "project/file_commands.h"

namespace sp::testing {

// Builds a new project, lets `shape` change it, and saves it as `folder/name`
// through the editor's own Save, in a workspace of its own inside `folder`.
inline std::filesystem::path saveProject(const std::filesystem::path& folder, const std::string& name,
                                         const std::function<void(Project&)>& shape) {
    class SavingPrompts : public Prompts {
    public:
        std::string target;
        void showMessage(std::string_view, std::string_view) override {}
        std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) override { return target; }
    };
    Workspace workspace(folder / ("ws-" + name));
    workspace.ensureExists();
    SavingPrompts prompts;
    prompts.target = (folder / name).string();
    Project project(workspace, prompts);
    SetupIni setup(workspace.setupIniPath());
    FileCommands files(project, setup, prompts, folder);
    files.newProject();
    shape(project);
    EXPECT_EQ(files.commandSave(), FileCommands::SaveResult::Saved);
    return prompts.target;
}

}  // namespace sp::testing
