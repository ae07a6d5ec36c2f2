#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/model/node_tree.h"
#include "core/model/project_state.h"
#include "materials/material_list.h"
#include "project/window_title.h"
#include "project/workspace.h"

namespace sp {

// The open project's data: its header and runtime state, the node tree, the
// material list of the workspace's TEXTURE folder, and the file it belongs to.
// It is edited through the document, which owns it.
class Project {
  public:
    explicit Project(const Workspace& workspace)
        : tree(state), currentFileName(kUntitledFileName), m_workspace(workspace) {}
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    ProjectState state;
    NodeTree tree;
    MaterialList materials;

    std::string currentFilePath;  // empty until the project is first saved or opened
    std::string currentFileName;  // shown in the title
    int32_t fileFormatVersion = 4;

    const Workspace& workspace() const { return m_workspace; }

    // Rebuilds the material list from TEXTURE and re-resolves the tree's pictures.
    void reloadMaterials() {
        sp::reloadMaterials(materials, m_workspace.textureDir(), &tree.root());
    }

  private:
    const Workspace& m_workspace;
};

}  // namespace sp
