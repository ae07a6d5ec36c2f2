#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "document/app_context.h"
#include "prompts/prompts.h"

namespace sp::testing {

// Builds a new project, lets `shape` edit it as a user would, and saves it as
// `folder/name` through the editor's own Save, in a workspace of its own inside `folder`.
inline std::filesystem::path saveProject(const std::filesystem::path& folder,
                                         const std::string& name,
                                         const std::function<void(Document&)>& shape) {
    class SavingPrompts : public Prompts {
      public:
        std::string target;
        void showMessage(std::string_view, std::string_view) override {}
        std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) override {
            return target;
        }
    };
    SavingPrompts prompts;
    prompts.target = (folder / name).string();
    AppContext context(prompts, {folder / ("ws-" + name), folder, false, {}});
    EXPECT_TRUE(context.start());
    shape(context.document());
    EXPECT_EQ(context.files().commandSave(), FileCommands::SaveResult::Saved);
    return prompts.target;
}

}  // namespace sp::testing
