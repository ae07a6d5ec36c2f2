#pragma once

#include <QtGlobal>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/curves/curve.h"
#include "core/model/emitter_node.h"
#include "core/model/node_fields.h"
#include "project/project.h"
#include "project/project_owner.h"
#include "prompts/prompts.h"
#include "render/device.h"
#include "render/graphics.h"

namespace sp {

// How the tree changed, for the views that show it: one node inserted or
// removed (the rest of the tree as it was), or anything, to be built again.
struct TreeChange {
    enum class Kind { Inserted, Removed, Rebuilt };
    Kind kind = Kind::Rebuilt;
    EmitterNode* node = nullptr;    // the inserted or removed node
    EmitterNode* parent = nullptr;  // where it went in or came out
    int index = -1;
};

// The open project as one object. Every edit of saved data goes through one of
// its edit functions, which records it on the undo stack, applies the loop
// restart where the edit calls for it and tells the views. The modified flag is
// the undo stack's: undoing back to the saved state clears it.
class Document : public QObject, public ProjectOwner {
    Q_OBJECT

  public:
    using FieldChange = std::pair<NodeFieldId, NodeFieldValue>;

    Document(const Workspace& workspace, Prompts& prompts, QObject* parent = nullptr);
    ~Document() override;

    // The project itself, for the services and for reading. Views read it; they
    // change it only through the edit functions below.
    Project& project() { return m_project; }
    const Project& project() const { return m_project; }
    const ProjectState& state() const { return m_project.state; }
    const EmitterNode& root() const { return m_project.tree.root(); }
    QUndoStack& undoStack() { return m_undo; }
    Prompts& prompts() { return m_prompts; }

    // The node the parameter pages edit; never the hidden root.
    EmitterNode* selectedNode() const { return m_selected; }
    void select(EmitterNode* node);

    // The node panel's operations, on the selected node. Each returns whether
    // the tree changed; a refusal is shown to the user.
    bool addNode();
    bool addChildNode();
    bool duplicate();
    bool deleteNode();
    bool moveDown();
    bool moveUp();
    bool levelDown();
    bool levelUp();

    // The label of a node, finished with `text`. An emptied label changes nothing;
    // text a project file cannot store is refused with a message.
    bool rename(EmitterNode& node, std::string_view text);
    // The node panel's check box: a hidden node is simulated but not drawn.
    void setHidden(EmitterNode& node, bool hidden);

    // Node parameters. Repeated edits of the same fields of one node with the same
    // edit key merge into one undo step, so that typing a number, or dragging a
    // curve point, is undone at once. A view gives each visit of a field, or each
    // drag, a key of its own (newEditKey), so that the next visit is a step of
    // its own; edits with key 0 merge with any directly before them.
    void setNodeField(EmitterNode& node, NodeFieldId field, NodeFieldValue value,
                      uint64_t editKey = 0);
    void setNodeFields(EmitterNode& node, std::vector<FieldChange> changes, uint64_t editKey = 0);
    // A curve's points; the node's sample table follows.
    void setCurvePoints(EmitterNode& node, CurveSlot slot, std::vector<CurvePoint> points,
                        uint64_t editKey = 0);
    uint64_t newEditKey() { return ++m_lastEditKey; }

    // The project header. The canvas is kept within the sides a device can have;
    // with moveEmission the emission position keeps its place relative to it.
    void setCanvasSize(int32_t width, int32_t height, bool moveEmission);
    void setAnimation(int32_t frameCount, int32_t previewFps);
    void setEmissionPosition(int32_t x, int32_t y);
    // The emission dialog's OK: a step of its own, never merged with moves in the
    // preview, and taken even where the position stays, so that the effect
    // starts again from there and the project counts as modified.
    void confirmEmissionPosition(int32_t x, int32_t y);
    void setBackgroundColour(int32_t red, int32_t green, int32_t blue);
    // A new seed: the effect replays at once with it.
    void reseed();

    // The preview's background picture is not part of the project file: it is
    // neither undone nor does it mark the project modified. False, with a
    // message, when the picture cannot be read; the old picture then stays.
    bool setBackgroundPicture(const std::string& path, bool originalSize);
    void clearBackgroundPicture();

    // Imports a picture into TEXTURE as a material (see importMaterial). An
    // import cannot be undone, so the project stays modified from then on.
    bool importMaterial(const std::filesystem::path& picture, render::Device& device);
    // The same on the preview's device, or on a device of its own while there is none.
    bool importMaterial(const std::filesystem::path& picture);
    // Deletes material `index` (from 0) from TEXTURE; nodes that used it then show
    // no picture. False, changing nothing, for a row beyond the list or a file
    // that cannot be deleted. Like an import it cannot be undone.
    bool removeMaterial(std::size_t index);

    // The preview's scale: not saved, not undone; the loop restarts and the device
    // is made again for the new size of the preview.
    void setZoom(float zoom);

    // Materials the effect uses whose pictures were left out for lack of memory.
    std::vector<std::string> usedPicturesLeftOut() const;

    // The preview's device. Headless uses never make one; the editor turns it on
    // before the first project is created.
    void enableGraphics() { m_graphicsEnabled = true; }
    render::Graphics& graphics() { return m_graphics; }

    QString title() const;

    // ProjectOwner: the file commands and the export report through these.
    bool isModified() const override { return !m_undo.isClean(); }
    void projectAboutToBeReplaced() override;
    void cycleGraphics() override;
    void reloadMaterials() override;
    void projectWasReplaced() override;
    void projectWasSaved() override;

  signals:
    void treeChanged(const sp::TreeChange& change);
    void selectionChanged(sp::EmitterNode* node);
    void nodeChanged(sp::EmitterNode* node);
    void headerChanged();
    void materialsChanged();
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    void projectReplaced();

  private:
    friend class TreeOperationCommand;
    friend class NodeFieldsCommand;
    friend class CurvePointsCommand;
    friend class HeaderCommand;

    bool runTreeOperation(const char* text, TreeEdit (NodeTree::*operation)(EmitterNode&));
    void pushHeaderEdit(const char* text, const ProjectHeader& after, int mergeId, bool restart,
                        bool forcedWrap, bool graphicsCycle);

    // What the undo commands call after they changed the project.
    void setSelection(EmitterNode* node);
    void announceTreeChange(const TreeChange& change) { emit treeChanged(change); }
    void announceNodeChange(EmitterNode* node) { emit nodeChanged(node); }
    void announceHeaderChange() { emit headerChanged(); }
    void cleanStateChanged(bool clean);

    Project m_project;
    Prompts& m_prompts;
    QUndoStack m_undo;
    EmitterNode* m_selected = nullptr;
    render::Graphics m_graphics;
    bool m_graphicsEnabled = false;
    std::vector<std::string> m_reportedLeftOut;
    uint64_t m_lastEditKey = 0;
};

// The texts of the document's refusals.
inline constexpr const char* kCannotDeleteText =
    QT_TRANSLATE_NOOP("Sparkplume", "このノードは削除できません");
inline constexpr const char* kNodeNameNotStorableText =
    QT_TRANSLATE_NOOP("Sparkplume", "この名前には保存できない文字が含まれています。");
inline constexpr const char* kBackgroundUnreadableText =
    QT_TRANSLATE_NOOP("Sparkplume", "指定したファイルは読み込みません");
inline constexpr const char* kMaterialNotRemovedText =
    QT_TRANSLATE_NOOP("Sparkplume", "素材ファイルを削除できませんでした。");
inline constexpr const char* kPictureLeftOutText = QT_TRANSLATE_NOOP(
    "Sparkplume", "素材「%s」は、画像に使えるメモリの上限を超えるため読み込めませんでした。");

}  // namespace sp

Q_DECLARE_METATYPE(sp::TreeChange)
