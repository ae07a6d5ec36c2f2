#include "document/document.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "core/text/cp932.h"
#include "document/node_commands.h"
#include "document/value_commands.h"
#include "materials/material_import.h"
#include "project/file_commands.h"
#include "project/format/effect_data.h"
#include "project/window_title.h"
#include "render/software_device.h"

namespace sp {
namespace {

// Where the emission position lies on a canvas of another size: the same place
// relative to it, in whole pixels toward zero.
int32_t keptRelative(int32_t position, int32_t oldSide, int32_t newSide) {
    const float moved =
        static_cast<float>(position) / static_cast<float>(oldSide) * static_cast<float>(newSide);
    if (!(moved > -2147483648.0f)) return moved != moved ? 0 : INT32_MIN;
    if (moved >= 2147483647.0f) return INT32_MAX;
    return static_cast<int32_t>(moved);
}

QString fieldEditText(NodeFieldId field) {
    switch (field) {
        case NodeFieldId::name:
            return QStringLiteral("名前の変更");
        case NodeFieldId::hidden:
            return QStringLiteral("表示の切り替え");
        default:
            return QStringLiteral("パラメーターの変更");
    }
}

}  // namespace

Document::Document(const Workspace& workspace, Prompts& prompts, QObject* parent)
    : QObject(parent), m_project(workspace), m_prompts(prompts) {
    qRegisterMetaType<sp::TreeChange>();
    connect(&m_undo, &QUndoStack::cleanChanged, this, &Document::cleanStateChanged);
}

// The history goes first: its commands hold nodes taken out of the tree.
Document::~Document() {
    m_undo.clear();
}

void Document::select(EmitterNode* node) {
    if (node == &m_project.tree.root()) node = nullptr;
    setSelection(node);
}

void Document::setSelection(EmitterNode* node) {
    m_selected = node;
    emit selectionChanged(node);
}

bool Document::runTreeOperation(const char* text, TreeEdit (NodeTree::*operation)(EmitterNode&)) {
    if (!m_selected) return false;
    EmitterNode* before = m_selected;
    TreeEdit edit = (m_project.tree.*operation)(*m_selected);
    if (edit.refusal == TreeEdit::Refusal::CannotDelete)
        m_prompts.showMessage(kCannotDeleteText, kConfirmCaption);
    if (!edit.changed()) return false;
    m_undo.push(new TreeOperationCommand(*this, QString::fromUtf8(text), std::move(edit), before));
    return true;
}

bool Document::addNode() {
    return runTreeOperation("ノードの追加", &NodeTree::addNode);
}
bool Document::addChildNode() {
    return runTreeOperation("子ノードの追加", &NodeTree::addChildNode);
}
bool Document::duplicate() {
    return runTreeOperation("ノードの複製", &NodeTree::duplicate);
}
bool Document::deleteNode() {
    return runTreeOperation("ノードの削除", &NodeTree::deleteNode);
}
bool Document::moveDown() {
    return runTreeOperation("ノードを下へ移動", &NodeTree::moveDown);
}
bool Document::moveUp() {
    return runTreeOperation("ノードを上へ移動", &NodeTree::moveUp);
}
bool Document::levelDown() {
    return runTreeOperation("階層を下げる", &NodeTree::levelDown);
}
bool Document::levelUp() {
    return runTreeOperation("階層を上げる", &NodeTree::levelUp);
}

bool Document::rename(EmitterNode& node, std::string_view text) {
    // An emptied label is taken as a cancelled edit: a node always keeps a name.
    if (!node.parent || text.empty()) return false;
    if (!text::isCp932Encodable(text)) {
        m_prompts.showMessage(kNodeNameNotStorableText, kErrorCaption);
        return false;
    }
    const std::string name = NodeTree::storableName(text);
    if (name == node.name) return true;
    m_undo.push(new NodeFieldsCommand(*this, node, {{NodeFieldId::name, name}}, false,
                                      fieldEditText(NodeFieldId::name)));
    return true;
}

void Document::setHidden(EmitterNode& node, bool hidden) {
    const int32_t value = hidden ? 1 : 0;
    if (node.hidden == value) return;
    m_undo.push(new NodeFieldsCommand(*this, node, {{NodeFieldId::hidden, value}}, false,
                                      fieldEditText(NodeFieldId::hidden)));
}

void Document::setNodeField(EmitterNode& node, NodeFieldId field, NodeFieldValue value,
                            uint64_t editKey) {
    setNodeFields(node, {{field, std::move(value)}}, editKey);
}

void Document::setNodeFields(EmitterNode& node, std::vector<FieldChange> changes,
                             uint64_t editKey) {
    // A value of another type than its field's is a slip of the caller: refused
    // whole, so that no half edit reaches the project or the history.
    const bool wellTyped = std::all_of(changes.begin(), changes.end(), [](const FieldChange& c) {
        const NodeFieldKind kind = nodeField(c.first).kind;
        return kind != NodeFieldKind::Curves && c.second.index() == static_cast<std::size_t>(kind);
    });
    assert(wellTyped);
    if (!wellTyped || changes.empty()) return;
    const bool changing = std::any_of(changes.begin(), changes.end(), [&](const FieldChange& c) {
        return nodeFieldValue(node, c.first) != c.second;
    });
    if (!changing) return;
    const QString text = fieldEditText(changes.front().first);
    m_undo.push(new NodeFieldsCommand(*this, node, std::move(changes), true, text, editKey));
}

void Document::setCurvePoints(EmitterNode& node, CurveSlot slot, std::vector<CurvePoint> points,
                              uint64_t editKey) {
    if (node.curves[slot].points == points) return;
    m_undo.push(new CurvePointsCommand(*this, node, slot, std::move(points), editKey));
}

void Document::pushHeaderEdit(const char* text, const ProjectHeader& after, int mergeId,
                              bool restart, bool forcedWrap, bool graphicsCycle) {
    const ProjectHeader before = m_project.state.header();
    if (after == before && !forcedWrap) return;
    m_undo.push(new HeaderCommand(*this, QString::fromUtf8(text), before, after,
                                  {restart, forcedWrap, graphicsCycle}, mergeId));
}

void Document::setCanvasSize(int32_t width, int32_t height, bool moveEmission) {
    ProjectHeader h = m_project.state.header();
    const int32_t oldWidth = h.projectWidth;
    const int32_t oldHeight = h.projectHeight;
    h.projectWidth = std::clamp(width, format::kMinCanvasSide, format::kMaxCanvasSide);
    h.projectHeight = std::clamp(height, format::kMinCanvasSide, format::kMaxCanvasSide);
    if (moveEmission) {
        h.emitX = keptRelative(h.emitX, oldWidth, h.projectWidth);
        h.emitY = keptRelative(h.emitY, oldHeight, h.projectHeight);
    }
    pushHeaderEdit("サイズの変更", h, -1, true, false, true);
}

void Document::setAnimation(int32_t frameCount, int32_t previewFps) {
    ProjectHeader h = m_project.state.header();
    h.frameCount = frameCount;
    h.previewFps = std::max(previewFps, 1);
    pushHeaderEdit("アニメーションの設定", h, -1, false, false, false);
}

void Document::setEmissionPosition(int32_t x, int32_t y) {
    ProjectHeader h = m_project.state.header();
    h.emitX = x;
    h.emitY = y;
    pushHeaderEdit("発生位置の変更", h, kMergeEmissionPosition, true, false, false);
}

void Document::confirmEmissionPosition(int32_t x, int32_t y) {
    const ProjectHeader before = m_project.state.header();
    ProjectHeader after = before;
    after.emitX = x;
    after.emitY = y;
    m_undo.push(new HeaderCommand(*this, QStringLiteral("発生位置の変更"), before, after,
                                  {.restart = true}, -1));
}

void Document::setBackgroundColour(int32_t red, int32_t green, int32_t blue) {
    ProjectHeader h = m_project.state.header();
    h.backgroundRed = red;
    h.backgroundGreen = green;
    h.backgroundBlue = blue;
    pushHeaderEdit("背景色の変更", h, kMergeBackgroundColour, false, false, false);
}

void Document::reseed() {
    ProjectHeader h = m_project.state.header();
    h.randomSeed = static_cast<int32_t>(static_cast<uint32_t>(h.randomSeed) + 1u);
    pushHeaderEdit("乱数の変更", h, -1, false, true, false);
}

bool Document::setBackgroundPicture(const std::string& path, bool originalSize) {
    ProjectState& state = m_project.state;
    if (!m_graphics.loadBackground(path)) {
        m_prompts.showMessage(kBackgroundUnreadableText, kErrorCaption);
        // The picture shown before stays.
        if (!state.backgroundImagePath.empty())
            m_graphics.loadBackground(state.backgroundImagePath);
        return false;
    }
    state.backgroundImagePath = path;
    state.backgroundOriginalSize = originalSize ? 1 : 0;
    emit headerChanged();
    return true;
}

void Document::clearBackgroundPicture() {
    m_project.state.backgroundImagePath.clear();
    m_graphics.releaseBackground();
    emit headerChanged();
}

bool Document::importMaterial(const std::filesystem::path& picture, render::Device& device) {
    const ImportOutcome outcome =
        sp::importMaterial(picture, m_project.workspace().textureDir(), device, m_prompts);
    if (outcome.written) reloadMaterials();
    if (outcome.modified) m_undo.resetClean();
    return outcome.written;
}

bool Document::importMaterial(const std::filesystem::path& picture) {
    if (render::Device* device = m_graphics.device()) return importMaterial(picture, *device);
    render::SoftwareDevice scratch(2, 2);
    return importMaterial(picture, scratch);
}

bool Document::removeMaterial(std::size_t index) {
    const auto& materials = m_project.materials.materials();
    if (index >= materials.size()) return false;
    std::error_code ec;
    if (!std::filesystem::remove(materials[index].file, ec) || ec) {
        m_prompts.showMessage(kMaterialNotRemovedText, kErrorCaption);
        return false;
    }
    reloadMaterials();
    m_undo.resetClean();
    return true;
}

void Document::setZoom(float zoom) {
    ProjectState& state = m_project.state;
    state.zoom = zoom;
    state.requestRestart();
    cycleGraphics();
    emit headerChanged();
}

QString Document::title() const {
    return QString::fromStdString(windowTitle(m_project.currentFileName, isModified()));
}

void Document::cleanStateChanged(bool clean) {
    emit modifiedChanged(!clean);
    emit titleChanged(title());
}

void Document::projectAboutToBeReplaced() {
    m_selected = nullptr;
    m_reportedLeftOut.clear();
    m_undo.clear();
}

void Document::cycleGraphics() {
    if (m_graphicsEnabled) {
        m_graphics.releaseGraphics();
        const ProjectState& s = m_project.state;
        if (!m_graphics.createGraphics(s.projectWidth, s.projectHeight, s.backgroundImagePath))
            m_prompts.showMessage(render::kDeviceFailedText, "");
    }
    reloadMaterials();
}

void Document::reloadMaterials() {
    m_project.reloadMaterials();
    // Each picture left out is said once, not at every device cycle.
    for (const std::string& name : m_project.materials.leftOutForMemory()) {
        if (std::find(m_reportedLeftOut.begin(), m_reportedLeftOut.end(), name) !=
            m_reportedLeftOut.end())
            continue;
        m_reportedLeftOut.push_back(name);
        m_prompts.showMessage(formatMessage(kPictureLeftOutText, name), kErrorCaption);
    }
    emit materialsChanged();
}

std::vector<std::string> Document::usedPicturesLeftOut() const {
    const auto& materials = m_project.materials.materials();
    std::vector<std::string> used;
    auto check = [&](int32_t index) {
        if (index < 1 || static_cast<std::size_t>(index) > materials.size()) return;
        const Material& m = materials[static_cast<std::size_t>(index - 1)];
        if (m.leftOutForMemory && std::find(used.begin(), used.end(), m.name) == used.end())
            used.push_back(m.name);
    };
    std::vector<const EmitterNode*> work{&m_project.tree.root()};
    while (!work.empty()) {
        const EmitterNode* node = work.back();
        work.pop_back();
        if (node->parent) {
            check(node->imageIndex);
            if (node->trailLength > 0) check(node->trailImageIndex);
        }
        for (const auto& child : node->children) work.push_back(child.get());
    }
    return used;
}

void Document::projectWasReplaced() {
    m_undo.clear();
    m_undo.setClean();
    EmitterNode& root = m_project.tree.root();
    emit projectReplaced();
    emit treeChanged(TreeChange{});
    emit headerChanged();
    setSelection(root.children.empty() ? nullptr : root.children.front().get());
    emit modifiedChanged(false);
    emit titleChanged(title());
}

void Document::projectWasSaved() {
    m_undo.setClean();
    emit titleChanged(title());
}

}  // namespace sp
