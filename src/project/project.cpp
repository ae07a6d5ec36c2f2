#include "project/project.h"

#include "project/window_title.h"

namespace sp {

Project::Project(const Workspace& workspace, Prompts& prompts)
    : tree(state, prompts), currentFileName(kUntitledFileName), m_workspace(workspace) {
    tree.addListener([this](const TreeEvent& event) {
        if (event.kind == TreeEvent::Kind::Modified) notifyTitleChanged();
    });
}

std::string Project::title() const { return windowTitle(currentFileName, state.isDirty != 0); }

void Project::reloadMaterials() { sp::reloadMaterials(materials, m_workspace.textureDir(), &tree.root()); }

}  // namespace sp
