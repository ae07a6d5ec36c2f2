#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/model/emitter_node.h"

namespace sp {

// The saved fields of a node, in the order of a node record in the file. Each
// enumerator is named as the EmitterNode member it stands for.
enum class NodeFieldId : int {
    name,
    spreadShape,
    emitType,
    direction,
    inheritTilt,
    interval,
    intervalVar,
    amount,
    amountVar,
    positionVar,
    emitStart,
    emitEnd,
    life,
    lifeVar,
    evenlySpaced,
    directionSpread,
    inheritAlpha,
    brightnessVar,
    maxSize,
    sizeVar,
    inheritSize,
    maxSpeed,
    speedVar,
    gravity,
    maxAngle,
    rotationVar,
    spinDirection,
    imageName,
    imageIndex,
    blendMode,
    orientation,
    curves,
    trailImageName,
    trailLength,
    trailImageIndex,
    keepAspect,
    maxHeight,
    hidden,
};

inline constexpr std::size_t kNodeFieldCount = static_cast<std::size_t>(NodeFieldId::hidden) + 1;

using SpreadShape = std::array<int32_t, kSpreadShapeSize>;
using NodeCurves = std::array<Curve, kCurveCount>;

// The value of any field but the curves, which are edited through
// EmitterNode::setCurvePoints so that the node tables follow them.
using NodeFieldValue = std::variant<int32_t, float, std::string, SpreadShape>;

// What a field holds; the first four match the NodeFieldValue alternatives.
enum class NodeFieldKind { Integer, Real, Text, SpreadShape, Curves };

using NodeFieldMember =
    std::variant<int32_t EmitterNode::*, float EmitterNode::*, std::string EmitterNode::*,
                 SpreadShape EmitterNode::*, NodeCurves EmitterNode::*>;

struct NodeField {
    NodeFieldId id;
    std::string_view name;  // the EmitterNode member's name, e.g. "maxSpeed"
    NodeFieldKind kind;
    NodeFieldMember member;
    // The range the parameter pages edit: per entry for the spread shape; the
    // real gravity is edited as a whole number. The file reader does not clamp.
    int32_t minimum = 0;
    int32_t maximum = 0;
    // A new node's value (not for the curves, whose defaults are the curves' own).
    NodeFieldValue newDefault{};
    bool newDefaultIsLoopLength = false;  // life: the project's frame count instead
    // What resetAsRoot gives the field; nullopt when it leaves the field as it is.
    std::optional<NodeFieldValue> rootDefault{};
    int32_t sinceVersion = 0;        // the first file version that stores the field
    bool copiedWithSettings = true;  // copySettingsFrom copies it
};

// Every saved field once, in file order: nodeFields()[i].id == NodeFieldId(i).
std::span<const NodeField> nodeFields();
const NodeField& nodeField(NodeFieldId id);
const NodeField* findNodeField(std::string_view name);  // nullptr for an unknown name

// A new node's value of a field; `frameCount` is the project's loop length.
NodeFieldValue newNodeDefault(const NodeField& field, int32_t frameCount);

// Reading or writing the curves here, or a value of another alternative than the
// field's, is a programming error: it asserts, and does nothing in a release build
// (reading gives a default NodeFieldValue).
NodeFieldValue nodeFieldValue(const EmitterNode& node, NodeFieldId id);
void setNodeFieldValue(EmitterNode& node, NodeFieldId id, const NodeFieldValue& value);

}  // namespace sp
