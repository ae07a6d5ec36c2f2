#include "project/format/effect_data.h"

#include <algorithm>
#include <vector>

#include "core/model/node_tree.h"
#include "core/text/cp932.h"
#include "project/format/tokens.h"

namespace sp::format {
namespace {

// The emission type is stored as 1 − emitType: 1 radial, 0 one direction, −1 converging.
int32_t emissionTypeCode(int32_t emitType) { return 1 - emitType; }
int32_t emitTypeFromCode(int32_t code) {
    if (code == -1) return kEmitConverging;
    if (code == 0) return kEmitOneDirection;
    return kEmitRadial;
}

int32_t truncatedGravity(float gravity) {
    if (!(gravity > -2147483648.0f)) return gravity != gravity ? 0 : INT32_MIN;
    if (gravity >= 2147483647.0f) return INT32_MAX;
    return static_cast<int32_t>(gravity);
}

// The smallest node record (version 0, curves without points) takes 70 tokens of
// at least one byte (an empty token is its comma alone); no file can hold more
// nodes than that allows.
constexpr std::size_t kMinNodeRecordBytes = 70;

bool writeOwnFields(TokenWriter& w, const EmitterNode& n) {
    auto name = text::toCp932(n.name);
    auto image = text::toCp932(n.imageName);
    auto trail = text::toCp932(n.trailImageName);
    if (!name || !image || !trail) return false;
    w.text(*name);
    for (int32_t v : n.spreadShape) w.integer(v);
    w.integer(emissionTypeCode(n.emitType));
    for (int32_t v : {n.direction, n.inheritTilt, n.interval, n.intervalVar, n.amount, n.amountVar,
                      n.positionVar, n.emitStart, n.emitEnd, n.life, n.lifeVar, n.evenlySpaced,
                      n.directionSpread, n.inheritAlpha, n.brightnessVar, n.maxSize, n.sizeVar,
                      n.inheritSize, n.maxSpeed, n.speedVar})
        w.integer(v);
    w.integer(truncatedGravity(n.gravity));
    w.integer(n.maxAngle);
    w.integer(n.rotationVar);
    w.integer(n.spinDirection);
    w.text(*image);
    w.integer(n.imageIndex);
    w.integer(n.blendMode);
    w.integer(n.orientation);
    for (const Curve& curve : n.curves) {
        w.integer(static_cast<int64_t>(curve.points.size()));
        for (const CurvePoint& p : curve.points) {
            w.real(p.x);
            w.real(p.y);
        }
    }
    w.text(*trail);
    w.integer(n.trailLength);
    w.integer(n.trailImageIndex);
    w.integer(n.keepAspect);
    w.integer(n.maxHeight);
    w.integer(n.hidden);
    return true;
}

// Reads a node's own fields, the part of its record after its children.
bool readOwnFields(TokenReader& r, EmitterNode& n, int32_t version) {
    auto name = r.token();
    if (!name) return false;
    n.name = NodeTree::storableName(text::fromCp932(*name));
    for (int32_t& v : n.spreadShape) {
        auto x = r.integer();
        if (!x) return false;
        v = *x;
    }
    auto code = r.integer();
    if (!code) return false;
    n.emitType = emitTypeFromCode(*code);
    for (int32_t* field : {&n.direction, &n.inheritTilt, &n.interval, &n.intervalVar, &n.amount, &n.amountVar,
                           &n.positionVar, &n.emitStart, &n.emitEnd, &n.life, &n.lifeVar, &n.evenlySpaced,
                           &n.directionSpread, &n.inheritAlpha, &n.brightnessVar, &n.maxSize, &n.sizeVar,
                           &n.inheritSize, &n.maxSpeed, &n.speedVar}) {
        auto x = r.integer();
        if (!x) return false;
        *field = *x;
    }
    auto gravity = r.integer();
    if (!gravity) return false;
    n.gravity = static_cast<float>(*gravity);
    for (int32_t* field : {&n.maxAngle, &n.rotationVar, &n.spinDirection}) {
        auto x = r.integer();
        if (!x) return false;
        *field = *x;
    }
    auto image = r.token();
    if (!image) return false;
    n.imageName = text::fromCp932(*image);
    for (int32_t* field : {&n.imageIndex, &n.blendMode, &n.orientation}) {
        auto x = r.integer();
        if (!x) return false;
        *field = *x;
    }
    for (std::size_t slot = 0; slot < kCurveCount; ++slot) {
        Curve& curve = n.curves[slot];
        curve.points.clear();
        auto count = r.integer();
        if (!count) return false;
        for (int32_t i = 0; i < *count; ++i) {
            auto x = r.real();
            auto y = r.real();
            if (!x || !y) return false;
            float value = *y;
            // Before version 4 the speed curve was stored on the scale −100..100.
            if (version < 4 && slot == kCurveSpeed) value = (value + 100.0f) * 0.5f;
            curve.points.push_back({*x, value});
        }
        curve.sortPoints();
        curve.resample();
    }
    n.copyAllSamplesFromCurves();
    if (version >= 1) {
        auto trail = r.token();
        auto length = r.integer();
        auto index = r.integer();
        if (!trail || !length || !index) return false;
        n.trailImageName = text::fromCp932(*trail);
        n.trailLength = *length;
        n.trailImageIndex = *index;
    }
    if (version >= 2) {
        auto keep = r.integer();
        auto height = r.integer();
        if (!keep || !height) return false;
        n.keepAspect = *keep;
        n.maxHeight = *height;
    } else {
        n.keepAspect = 1;
        n.maxHeight = n.maxSize;
    }
    if (version >= 4) {
        auto hidden = r.integer();
        if (!hidden) return false;
        n.hidden = *hidden != 0 ? 1 : 0;
    } else {
        n.hidden = 0;
    }
    return true;
}

}  // namespace

std::optional<std::string> writeEffectData(const ProjectHeader& h, const EmitterNode& root) {
    TokenWriter w;
    for (int32_t v : {h.projectWidth, h.projectHeight, h.frameCount, h.emitX, h.emitY, h.previewFps,
                      h.backgroundRed, h.backgroundGreen, h.backgroundBlue, h.randomSeed})
        w.integer(v);
    w.integer(static_cast<int64_t>(root.children.size()));

    // Each record is its child count, its children's records, then its own fields;
    // walked with an explicit stack so that no depth of tree exhausts the call stack.
    struct Frame {
        const EmitterNode* node;
        std::size_t nextChild;
    };
    for (const auto& top : root.children) {
        std::vector<Frame> stack{{top.get(), 0}};
        w.integer(static_cast<int64_t>(top->children.size()));
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.nextChild < f.node->children.size()) {
                const EmitterNode* child = f.node->children[f.nextChild++].get();
                w.integer(static_cast<int64_t>(child->children.size()));
                stack.push_back({child, 0});
                continue;
            }
            if (!writeOwnFields(w, *f.node)) return std::nullopt;
            stack.pop_back();
        }
    }
    return w.take();
}

std::optional<EffectData> readEffectData(std::string_view data, int32_t version) {
    TokenReader r(data);
    EffectData result;
    ProjectHeader& h = result.header;
    for (int32_t* field : {&h.projectWidth, &h.projectHeight, &h.frameCount, &h.emitX, &h.emitY, &h.previewFps,
                           &h.backgroundRed, &h.backgroundGreen, &h.backgroundBlue, &h.randomSeed}) {
        auto x = r.integer();
        if (!x) return std::nullopt;
        *field = *x;
    }
    // A rate below 1 would never let a frame fall due; sides outside the size
    // dialog's range cannot make a canvas.
    h.previewFps = std::max(h.previewFps, 1);
    h.projectWidth = std::clamp(h.projectWidth, kMinCanvasSide, kMaxCanvasSide);
    h.projectHeight = std::clamp(h.projectHeight, kMinCanvasSide, kMaxCanvasSide);

    result.root = std::make_unique<EmitterNode>(h.frameCount);
    const std::size_t maxNodes = data.size() / kMinNodeRecordBytes;

    auto topCount = r.integer();
    if (!topCount) return std::nullopt;

    struct Frame {
        EmitterNode* node;
        int32_t childrenLeft;
    };
    auto newChild = [&](EmitterNode& parent) -> EmitterNode* {
        if (static_cast<std::size_t>(result.nodeCount) >= maxNodes) return nullptr;
        parent.children.push_back(std::make_unique<EmitterNode>(h.frameCount));
        parent.children.back()->parent = &parent;
        ++result.nodeCount;
        return parent.children.back().get();
    };
    for (int32_t k = 0; k < *topCount; ++k) {
        EmitterNode* top = newChild(*result.root);
        auto count = r.integer();
        if (!top || !count) return std::nullopt;
        std::vector<Frame> stack{{top, *count}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.childrenLeft > 0) {
                --f.childrenLeft;
                EmitterNode* child = newChild(*f.node);
                auto childCount = r.integer();
                if (!child || !childCount) return std::nullopt;
                stack.push_back({child, *childCount});
                continue;
            }
            if (!readOwnFields(r, *f.node, version)) return std::nullopt;
            stack.pop_back();
        }
    }
    return result;
}

}  // namespace sp::format
