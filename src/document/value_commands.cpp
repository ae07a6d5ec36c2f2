#include "document/value_commands.h"

namespace sp {
namespace {

bool sameFields(const std::vector<Document::FieldChange>& a,
                const std::vector<Document::FieldChange>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].first != b[i].first) return false;
    return true;
}

}  // namespace

NodeFieldsCommand::NodeFieldsCommand(Document& document, EmitterNode& node,
                                     std::vector<Document::FieldChange> after, bool mergeable,
                                     const QString& text, uint64_t editKey)
    : QUndoCommand(text),
      m_document(document),
      m_node(&node),
      m_after(std::move(after)),
      m_mergeable(mergeable),
      m_editKey(editKey) {
    for (const auto& [field, value] : m_after)
        m_before.emplace_back(field, nodeFieldValue(node, field));
}

void NodeFieldsCommand::redo() {
    apply(m_after, !m_first);
    m_first = false;
}

void NodeFieldsCommand::undo() {
    apply(m_before, true);
}

// Undo and redo show the node they change.
void NodeFieldsCommand::apply(const std::vector<Document::FieldChange>& values, bool select) {
    for (const auto& [field, value] : values) setNodeFieldValue(*m_node, field, value);
    if (select) m_document.setSelection(m_node);
    m_document.announceNodeChange(m_node);
}

bool NodeFieldsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NodeFieldsCommand*>(other);
    if (!next || !next->m_mergeable || next->m_node != m_node || next->m_editKey != m_editKey ||
        !sameFields(m_after, next->m_after))
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

CurvePointsCommand::CurvePointsCommand(Document& document, EmitterNode& node, CurveSlot slot,
                                       std::vector<CurvePoint> after, uint64_t editKey)
    : QUndoCommand(QStringLiteral("カーブの変更")),
      m_document(document),
      m_node(&node),
      m_slot(slot),
      m_before(node.curves[slot].points),
      m_after(std::move(after)),
      m_editKey(editKey) {}

void CurvePointsCommand::redo() {
    apply(m_after, !m_first);
    m_first = false;
}

void CurvePointsCommand::undo() {
    apply(m_before, true);
}

void CurvePointsCommand::apply(const std::vector<CurvePoint>& points, bool select) {
    m_node->setCurvePoints(m_slot, points);
    if (select) m_document.setSelection(m_node);
    m_document.announceNodeChange(m_node);
}

bool CurvePointsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const CurvePointsCommand*>(other);
    if (!next || next->m_node != m_node || next->m_slot != m_slot || next->m_editKey != m_editKey)
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

HeaderCommand::HeaderCommand(Document& document, const QString& text, const ProjectHeader& before,
                             const ProjectHeader& after, HeaderEffects effects, int mergeId)
    : QUndoCommand(text),
      m_document(document),
      m_before(before),
      m_after(after),
      m_effects(effects),
      m_mergeId(mergeId) {}

void HeaderCommand::apply(const ProjectHeader& header) {
    ProjectState& state = m_document.m_project.state;
    state.header() = header;
    if (m_effects.restart) state.requestRestart();
    if (m_effects.forcedWrap) state.currentFrame = ProjectState::kForcedWrapFrame;
    if (m_effects.graphicsCycle) m_document.cycleGraphics();
    m_document.announceHeaderChange();
}

bool HeaderCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const HeaderCommand*>(other);
    if (!next || next->m_mergeId != m_mergeId) return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}

}  // namespace sp
