#include "core/model/emitter_node.h"

#include <algorithm>
#include <variant>

#include "core/model/node_fields.h"

namespace sp {
namespace {

void fillRamp(SampleTable& table) {
    for (std::size_t k = 0; k < table.size(); ++k) table[k] = static_cast<int32_t>(k);
}

}  // namespace

EmitterNode::EmitterNode(int32_t frameCount) {
    for (const NodeField& f : nodeFields())
        if (f.kind != NodeFieldKind::Curves)
            setNodeFieldValue(*this, f.id, newNodeDefault(f, frameCount));
    redSamples.fill(100);
    greenSamples.fill(100);
    blueSamples.fill(100);
    alphaSamples.fill(100);
    sizeSamples.fill(100);
    speedSamples.fill(100);
    fillRamp(rotationSamples);
    curves[kCurveSpeed].setKind(CurveKind::Speed);
    curves[kCurveRotation].points.front() = {0.0f, 0.0f};
    curves[kCurveRotation].resample();
}

EmitterNode::~EmitterNode() {
    // Tear deep trees down without deep recursion: take the grandchildren over
    // first, so that each child dies childless.
    std::vector<std::unique_ptr<EmitterNode>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<EmitterNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children) pending.push_back(std::move(child));
        node->children.clear();
    }
}

void EmitterNode::resetAsRoot() {
    parent = nullptr;
    for (const NodeField& f : nodeFields())
        if (f.rootDefault) setNodeFieldValue(*this, f.id, *f.rootDefault);
    for (SampleTable* t : {&redSamples, &greenSamples, &blueSamples, &alphaSamples, &sizeSamples,
                           &speedSamples, &rotationSamples})
        t->fill(0);
}

void EmitterNode::copyParametersFrom(const EmitterNode& s) {
    for (const NodeField& f : nodeFields())
        if (f.copiedWithSettings)
            std::visit([&](auto member) { this->*member = s.*member; }, f.member);
    // Curves are values: the copy's points are its own, and nothing is selected in them.
    for (Curve& c : curves) c.selectedPoint = -1;
    // The tables belong with the curves they were sampled from.
    redSamples = s.redSamples;
    greenSamples = s.greenSamples;
    blueSamples = s.blueSamples;
    alphaSamples = s.alphaSamples;
    sizeSamples = s.sizeSamples;
    speedSamples = s.speedSamples;
    rotationSamples = s.rotationSamples;
}

void EmitterNode::copySettingsFrom(const EmitterNode& source, int32_t frameCount) {
    // Iterative, so that a deep subtree cannot exhaust the stack.
    std::vector<std::pair<EmitterNode*, const EmitterNode*>> work{{this, &source}};
    while (!work.empty()) {
        auto [target, from] = work.back();
        work.pop_back();
        target->copyParametersFrom(*from);
        for (const auto& child : from->children) {
            auto copy = std::make_unique<EmitterNode>(frameCount);
            copy->parent = target;
            work.emplace_back(copy.get(), child.get());
            target->children.push_back(std::move(copy));
        }
    }
}

void EmitterNode::clearParticles() {
    std::vector<EmitterNode*> work{this};
    while (!work.empty()) {
        EmitterNode* node = work.back();
        work.pop_back();
        node->particles.clear();
        node->trailPointCount = 0;
        for (auto& child : node->children) work.push_back(child.get());
    }
}

void EmitterNode::relinkParents() {
    std::vector<EmitterNode*> work{this};
    while (!work.empty()) {
        EmitterNode* node = work.back();
        work.pop_back();
        for (auto& child : node->children) {
            child->parent = node;
            work.push_back(child.get());
        }
    }
}

void EmitterNode::resolveMaterials(const std::vector<std::string>& materialNames) {
    auto indexOf = [&](const std::string& n) -> int32_t {
        if (n.empty()) return 0;
        // When several materials carry the same name, the last one wins.
        auto it = std::find(materialNames.rbegin(), materialNames.rend(), n);
        return it == materialNames.rend() ? 0 : static_cast<int32_t>(materialNames.rend() - it);
    };
    std::vector<EmitterNode*> work{this};
    while (!work.empty()) {
        EmitterNode* node = work.back();
        work.pop_back();
        node->imageIndex = indexOf(node->imageName);
        node->trailImageIndex = indexOf(node->trailImageName);
        for (auto& child : node->children) work.push_back(child.get());
    }
}

int EmitterNode::indexOfChild(const EmitterNode* child) const {
    for (std::size_t i = 0; i < children.size(); ++i)
        if (children[i].get() == child) return static_cast<int>(i);
    return -1;
}

void EmitterNode::copyAllSamplesFromCurves() {
    curves[kCurveRed].copySamples(redSamples);
    curves[kCurveGreen].copySamples(greenSamples);
    curves[kCurveBlue].copySamples(blueSamples);
    curves[kCurveAlpha].copySamples(alphaSamples);
    curves[kCurveSize].copySamples(sizeSamples);
    curves[kCurveSpeed].copySamples(speedSamples);
    curves[kCurveRotation].copySamples(rotationSamples);
}

void EmitterNode::setCurvePoints(CurveSlot slot, std::vector<CurvePoint> points) {
    Curve& curve = curves[slot];
    curve.points = std::move(points);
    curve.sortPoints();
    curve.resample();
    copyAllSamplesFromCurves();
}

float EmitterNode::spreadShapeFactor(int32_t c) const {
    const float f = static_cast<float>(c) / 360.0f * 32.0f;
    const int32_t j = static_cast<int32_t>(f);
    const float t = f - static_cast<float>(j);
    const auto at = [this](int32_t i) {
        return static_cast<float>(spreadShape[static_cast<std::size_t>(((i % 32) + 32) % 32)]);
    };
    return (at(j) * (1.0f - t) * 2.0f + at(j + 1) * t * 2.0f) / 100.0f;
}

}  // namespace sp
