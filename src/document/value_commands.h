#pragma once

#include <QUndoCommand>

#include <vector>

#include "core/curves/curve.h"
#include "core/model/node_fields.h"
#include "core/model/project_state.h"
#include "document/document.h"

namespace sp {

// Ids by which QUndoStack finds edits that may merge into the one before.
enum MergeId : int {
    kMergeNodeFields = 1,
    kMergeCurvePoints = 2,
    kMergeEmissionPosition = 3,
    kMergeBackgroundColour = 4,
};

// New values for some fields of one node, with the values they replace.
// Mergeable edits of the same fields of the same node become one step.
class NodeFieldsCommand final : public QUndoCommand {
  public:
    NodeFieldsCommand(Document& document, EmitterNode& node,
                      std::vector<Document::FieldChange> after, bool mergeable, const QString& text,
                      uint64_t editKey = 0);

    void redo() override;
    void undo() override;
    int id() const override { return m_mergeable ? kMergeNodeFields : -1; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    void apply(const std::vector<Document::FieldChange>& values, bool select);

    Document& m_document;
    EmitterNode* m_node;
    std::vector<Document::FieldChange> m_before;
    std::vector<Document::FieldChange> m_after;
    bool m_mergeable;
    uint64_t m_editKey;
    bool m_first = true;
};

// New points for one curve of one node; a drag of a point merges into one step.
class CurvePointsCommand final : public QUndoCommand {
  public:
    CurvePointsCommand(Document& document, EmitterNode& node, CurveSlot slot,
                       std::vector<CurvePoint> after, uint64_t editKey = 0);

    void redo() override;
    void undo() override;
    int id() const override { return kMergeCurvePoints; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    void apply(const std::vector<CurvePoint>& points, bool select);

    Document& m_document;
    EmitterNode* m_node;
    CurveSlot m_slot;
    std::vector<CurvePoint> m_before;
    std::vector<CurvePoint> m_after;
    uint64_t m_editKey;
    bool m_first = true;
};

// What an edit of the project header does to the preview besides the values.
struct HeaderEffects {
    bool restart = false;        // the loop starts again
    bool forcedWrap = false;     // as restart, with the frame number Open and reseed use
    bool graphicsCycle = false;  // the canvas changed: the device is made again
};

// New values for the project header, with the values they replace.
class HeaderCommand final : public QUndoCommand {
  public:
    HeaderCommand(Document& document, const QString& text, const ProjectHeader& before,
                  const ProjectHeader& after, HeaderEffects effects, int mergeId);

    void redo() override { apply(m_after); }
    void undo() override { apply(m_before); }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;

  private:
    void apply(const ProjectHeader& header);

    Document& m_document;
    ProjectHeader m_before;
    ProjectHeader m_after;
    HeaderEffects m_effects;
    int m_mergeId;
};

}  // namespace sp
