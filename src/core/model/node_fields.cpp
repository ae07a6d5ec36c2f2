#include "core/model/node_fields.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <type_traits>

namespace sp {
namespace {

constexpr NodeFieldKind kindOf(int32_t EmitterNode::*) {
    return NodeFieldKind::Integer;
}
constexpr NodeFieldKind kindOf(float EmitterNode::*) {
    return NodeFieldKind::Real;
}
constexpr NodeFieldKind kindOf(std::string EmitterNode::*) {
    return NodeFieldKind::Text;
}
constexpr NodeFieldKind kindOf(SpreadShape EmitterNode::*) {
    return NodeFieldKind::SpreadShape;
}
constexpr NodeFieldKind kindOf(NodeCurves EmitterNode::*) {
    return NodeFieldKind::Curves;
}

SpreadShape filledShape(int32_t radius) {
    SpreadShape shape{};
    shape.fill(radius);
    return shape;
}

constexpr int32_t kMaxMaterial = INT32_MAX;          // material numbers: any position in the list
constexpr std::nullopt_t kUnchanged = std::nullopt;  // resetAsRoot leaves the field alone

}  // namespace

// Id, name, kind and member come from the member's name alone, so that they cannot disagree.
#define SP_NODE_FIELD(m) \
    .id = NodeFieldId::m, .name = #m, .kind = kindOf(&EmitterNode::m), .member = &EmitterNode::m

std::span<const NodeField> nodeFields() {
    // Built on first use, so that nodes made during static initialisation find it.
    static const NodeField fields[] = {
        {SP_NODE_FIELD(name), .newDefault = std::string(), .rootDefault = std::string("ルート")},
        {SP_NODE_FIELD(spreadShape), .minimum = 0, .maximum = 100, .newDefault = filledShape(50),
         .rootDefault = filledShape(50)},
        {SP_NODE_FIELD(emitType), .minimum = 0, .maximum = 2,
         .newDefault = int32_t{kEmitOneDirection}, .rootDefault = int32_t{kEmitOneDirection}},
        {SP_NODE_FIELD(direction), .minimum = 0, .maximum = 359, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(inheritTilt), .minimum = 0, .maximum = 1, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(interval), .minimum = 1, .maximum = 9999, .newDefault = 1, .rootDefault = 1},
        {SP_NODE_FIELD(intervalVar), .minimum = 0, .maximum = 100, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(amount), .minimum = 0, .maximum = 9999, .newDefault = 1, .rootDefault = 1},
        {SP_NODE_FIELD(amountVar), .minimum = 0, .maximum = 100, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(positionVar), .minimum = 0, .maximum = 100, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(emitStart), .minimum = 1, .maximum = 9999, .newDefault = 1,
         .rootDefault = 1},
        {SP_NODE_FIELD(emitEnd), .minimum = 1, .maximum = 9999, .newDefault = 1, .rootDefault = 1},
        // The root particle never dies within a loop.
        {SP_NODE_FIELD(life), .minimum = 0, .maximum = 9999, .newDefault = 0,
         .newDefaultIsLoopLength = true, .rootDefault = kRootLife},
        {SP_NODE_FIELD(lifeVar), .minimum = 0, .maximum = 100, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(evenlySpaced), .minimum = 0, .maximum = 1, .newDefault = 0,
         .rootDefault = kUnchanged},
        {SP_NODE_FIELD(directionSpread), .minimum = 0, .maximum = 360, .newDefault = 0,
         .rootDefault = kUnchanged},
        {SP_NODE_FIELD(inheritAlpha), .minimum = 0, .maximum = 1, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(brightnessVar), .minimum = 0, .maximum = 100, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(maxSize), .minimum = 0, .maximum = 9999, .newDefault = 50,
         .rootDefault = 10},
        {SP_NODE_FIELD(sizeVar), .minimum = 0, .maximum = 100, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(inheritSize), .minimum = 0, .maximum = 1, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(maxSpeed), .minimum = 0, .maximum = 9999, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(speedVar), .minimum = 0, .maximum = 100, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(gravity), .minimum = -999, .maximum = 999, .newDefault = 0.0f,
         .rootDefault = 0.0f},
        {SP_NODE_FIELD(maxAngle), .minimum = 0, .maximum = 9999, .newDefault = 0, .rootDefault = 0},
        {SP_NODE_FIELD(rotationVar), .minimum = 0, .maximum = 100, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(spinDirection), .minimum = 0, .maximum = 2,
         .newDefault = int32_t{kSpinClockwise}, .rootDefault = int32_t{kSpinClockwise}},
        {SP_NODE_FIELD(imageName), .newDefault = std::string(), .rootDefault = kUnchanged},
        {SP_NODE_FIELD(imageIndex), .minimum = 0, .maximum = kMaxMaterial, .newDefault = 0,
         .rootDefault = 0},
        {SP_NODE_FIELD(blendMode), .minimum = 0, .maximum = 2, .newDefault = int32_t{kBlendNormal},
         .rootDefault = int32_t{kBlendNormal}},
        {SP_NODE_FIELD(orientation), .minimum = 0, .maximum = 2,
         .newDefault = int32_t{kOrientFixed}, .rootDefault = int32_t{kOrientFixed}},
        {SP_NODE_FIELD(curves), .rootDefault = kUnchanged},
        {SP_NODE_FIELD(trailImageName), .newDefault = std::string(), .rootDefault = kUnchanged,
         .sinceVersion = 1},
        {SP_NODE_FIELD(trailLength), .minimum = 0, .maximum = 9999, .newDefault = 0,
         .rootDefault = kUnchanged, .sinceVersion = 1},
        {SP_NODE_FIELD(trailImageIndex), .minimum = 0, .maximum = kMaxMaterial, .newDefault = 0,
         .rootDefault = kUnchanged, .sinceVersion = 1},
        {SP_NODE_FIELD(keepAspect), .minimum = 0, .maximum = 1, .newDefault = 1,
         .rootDefault = kUnchanged, .sinceVersion = 2},
        {SP_NODE_FIELD(maxHeight), .minimum = 0, .maximum = 9999, .newDefault = 50,
         .rootDefault = kUnchanged, .sinceVersion = 2},
        // Visibility is a view of the tree, not a setting: copies start visible.
        {SP_NODE_FIELD(hidden), .minimum = 0, .maximum = 1, .newDefault = 0,
         .rootDefault = kUnchanged, .sinceVersion = 4, .copiedWithSettings = false},
    };
    static_assert(std::size(fields) == kNodeFieldCount, "one entry per NodeFieldId");
    return fields;
}

#undef SP_NODE_FIELD

const NodeField& nodeField(NodeFieldId id) {
    const auto index = static_cast<std::size_t>(id);
    assert(index < kNodeFieldCount);
    return nodeFields()[index];
}

const NodeField* findNodeField(std::string_view name) {
    const auto fields = nodeFields();
    const auto it = std::find_if(fields.begin(), fields.end(),
                                 [&](const NodeField& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

NodeFieldValue newNodeDefault(const NodeField& field, int32_t frameCount) {
    return field.newDefaultIsLoopLength ? NodeFieldValue(frameCount) : field.newDefault;
}

NodeFieldValue nodeFieldValue(const EmitterNode& node, NodeFieldId id) {
    return std::visit(
        [&](auto member) -> NodeFieldValue {
            if constexpr (std::is_same_v<decltype(member), NodeCurves EmitterNode::*>) {
                assert(!"the curves are not a field value");
                return {};
            } else {
                return node.*member;
            }
        },
        nodeField(id).member);
}

void setNodeFieldValue(EmitterNode& node, NodeFieldId id, const NodeFieldValue& value) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(node.*member)>;
            if constexpr (std::is_same_v<T, NodeCurves>) {
                assert(!"the curves are not a field value");
            } else {
                const T* v = std::get_if<T>(&value);
                assert(v != nullptr && "a value of another type than the field's");
                if (v != nullptr) node.*member = *v;
            }
        },
        nodeField(id).member);
}

}  // namespace sp
