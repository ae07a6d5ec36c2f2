#include "project/project.h"

#include "materials/material_import.h"
#include "project/window_title.h"

namespace sp {

Project::Project(const Workspace& workspace, Prompts& prompts)
    : tree(state, prompts), currentFileName(kUntitledFileName), m_workspace(workspace), m_prompts(prompts) {
    tree.addListener([this](const TreeEvent& event) {
        if (event.kind == TreeEvent::Kind::Modified) notifyTitleChanged();
    });
}

std::string Project::title() const { return windowTitle(currentFileName, state.isDirty != 0); }

void Project::reloadMaterials() { sp::reloadMaterials(materials, m_workspace.textureDir(), &tree.root()); }

bool Project::importMaterial(const std::filesystem::path& picture, render::Device& device) {
    const ImportOutcome outcome = sp::importMaterial(picture, m_workspace.textureDir(), device, m_prompts);
    if (outcome.written) reloadMaterials();
    if (outcome.modified) {
        state.isDirty = 1;
        notifyTitleChanged();
    }
    return outcome.written;
}

}  // namespace sp
