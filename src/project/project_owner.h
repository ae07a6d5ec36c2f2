#pragma once

namespace sp {

// What the file commands and the export need of whoever owns the open project
// (the document): they change the project's files and contents, the owner keeps
// its history, its selection, its modified flag and its views in step.
class ProjectOwner {
  public:
    virtual ~ProjectOwner() = default;

    // Whether the project differs from its file.
    virtual bool isModified() const = 0;

    // New or Open is about to replace the tree: nothing may refer to it any more.
    virtual void projectAboutToBeReplaced() = 0;

    // The device cycle after New, Open and every export: the graphics are released
    // and made again for the canvas, then the materials are reloaded.
    virtual void cycleGraphics() = 0;

    // Rebuilds the material list from TEXTURE and re-resolves the tree's pictures.
    virtual void reloadMaterials() = 0;

    // New or Open replaced the whole project: nothing to undo, nothing modified.
    virtual void projectWasReplaced() = 0;

    // The project was written to its file.
    virtual void projectWasSaved() = 0;
};

}  // namespace sp
