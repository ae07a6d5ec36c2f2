#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/model/node_tree.h"
#include "core/model/project_state.h"
#include "core/model/prompts.h"
#include "materials/material_list.h"
#include "render/device.h"
#include "project/workspace.h"

namespace sp {

// The open project: its header and runtime state, the node tree, the material
// list of the workspace's TEXTURE folder, and the file it belongs to.
class Project {
public:
    Project(const Workspace& workspace, Prompts& prompts);
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    ProjectState state;
    NodeTree tree;
    MaterialList materials;

    std::string currentFilePath;  // empty until the project is first saved or opened
    std::string currentFileName;  // shown in the title
    int32_t fileFormatVersion = 4;

    const Workspace& workspace() const { return m_workspace; }

    // The main window's title for the current file and modified flag.
    std::string title() const;

    // Rebuilds the material list from TEXTURE and re-resolves the tree's pictures.
    void reloadMaterials();

    // Imports a picture as a material (see importMaterial), rebuilds the list and
    // marks the project modified when the import asks for it.
    bool importMaterial(const std::filesystem::path& picture, render::Device& device);

    // Called whenever the title may have changed (a modification, a save, an open).
    std::function<void()> onTitleChanged;
    // The device cycle after New, Open and size changes: release and create the
    // graphics before the materials are reloaded.
    std::function<void()> onGraphicsCycle;

    void notifyTitleChanged() const {
        if (onTitleChanged) onTitleChanged();
    }
    void runGraphicsCycle() const {
        if (onGraphicsCycle) onGraphicsCycle();
    }

private:
    const Workspace& m_workspace;
    Prompts& m_prompts;
};

}  // namespace sp
