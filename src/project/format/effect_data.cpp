#include "project/format/effect_data.h"

#include <algorithm>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/model/node_fields.h"
#include "core/model/node_tree.h"
#include "core/text/cp932.h"
#include "project/format/tokens.h"

namespace sp::format {
namespace {

// The emission type is stored as 1 − emitType: 1 radial, 0 one direction, −1 converging.
int32_t emissionTypeCode(int32_t emitType) {
    return 1 - emitType;
}
int32_t emitTypeFromCode(int32_t code) {
    if (code == -1) return kEmitConverging;
    if (code == 0) return kEmitOneDirection;
    return kEmitRadial;
}

// Gravity is edited and stored as a whole number: the fraction goes toward zero,
// and values beyond 32 bits saturate.
int32_t truncatedGravity(float gravity) {
    if (!(gravity > -2147483648.0f)) return gravity != gravity ? 0 : INT32_MIN;
    if (gravity >= 2147483647.0f) return INT32_MAX;
    return static_cast<int32_t>(gravity);
}

// The smallest node record (version 0, curves without points) takes 70 tokens of
// at least one byte (an empty token is its comma alone); no file can hold more
// nodes than that allows.
constexpr std::size_t kMinNodeRecordBytes = 70;

void writeCurves(TokenWriter& w, const EmitterNode& n) {
    for (const Curve& curve : n.curves) {
        w.integer(static_cast<int64_t>(curve.points.size()));
        for (const CurvePoint& p : curve.points) {
            w.real(p.x);
            w.real(p.y);
        }
    }
}

bool writeField(TokenWriter& w, const EmitterNode& n, const NodeField& f) {
    if (f.kind == NodeFieldKind::Curves) {
        writeCurves(w, n);
        return true;
    }
    const NodeFieldValue value = nodeFieldValue(n, f.id);
    switch (f.kind) {
        case NodeFieldKind::Integer: {
            const int32_t v = std::get<int32_t>(value);
            w.integer(f.id == NodeFieldId::emitType ? emissionTypeCode(v) : v);
            return true;
        }
        case NodeFieldKind::Real:  // gravity, the only one, is stored whole
            w.integer(truncatedGravity(std::get<float>(value)));
            return true;
        case NodeFieldKind::Text: {
            auto bytes = text::toCp932(std::get<std::string>(value));
            if (!bytes) return false;
            w.text(*bytes);
            return true;
        }
        case NodeFieldKind::SpreadShape:
            for (int32_t v : std::get<SpreadShape>(value)) w.integer(v);
            return true;
        case NodeFieldKind::Curves:
            break;
    }
    return false;
}

// A node record's own fields, after its children; false when a name cannot be stored.
bool writeOwnFields(TokenWriter& w, const EmitterNode& n) {
    for (const NodeField& f : nodeFields())
        if (!writeField(w, n, f)) return false;
    return true;
}

bool readCurves(TokenReader& r, EmitterNode& n, int32_t version) {
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
    return true;
}

// Values are taken as they are stored: the editing ranges are not applied.
bool readField(TokenReader& r, EmitterNode& n, const NodeField& f, int32_t version) {
    switch (f.kind) {
        case NodeFieldKind::Integer: {
            auto x = r.integer();
            if (!x) return false;
            int32_t v = *x;
            if (f.id == NodeFieldId::emitType) v = emitTypeFromCode(v);
            if (f.id == NodeFieldId::hidden) v = v != 0 ? 1 : 0;
            setNodeFieldValue(n, f.id, v);
            return true;
        }
        case NodeFieldKind::Real: {
            auto x = r.integer();
            if (!x) return false;
            setNodeFieldValue(n, f.id, static_cast<float>(*x));
            return true;
        }
        case NodeFieldKind::Text: {
            auto bytes = r.token();
            if (!bytes) return false;
            std::string value = text::fromCp932(*bytes);
            // A node name is held to what renaming would allow.
            if (f.id == NodeFieldId::name) value = NodeTree::storableName(value);
            setNodeFieldValue(n, f.id, std::move(value));
            return true;
        }
        case NodeFieldKind::SpreadShape: {
            SpreadShape shape{};
            for (int32_t& v : shape) {
                auto x = r.integer();
                if (!x) return false;
                v = *x;
            }
            setNodeFieldValue(n, f.id, shape);
            return true;
        }
        case NodeFieldKind::Curves:
            return readCurves(r, n, version);
    }
    return false;
}

// A field that the file's version does not store yet.
void giveMissingField(EmitterNode& n, const NodeField& f, int32_t frameCount) {
    // Older files had one size for both sides.
    if (f.id == NodeFieldId::maxHeight) {
        n.maxHeight = n.maxSize;
    } else {
        setNodeFieldValue(n, f.id, newNodeDefault(f, frameCount));
    }
}

// Reads a node's own fields, the part of its record after its children.
bool readOwnFields(TokenReader& r, EmitterNode& n, int32_t version, int32_t frameCount) {
    // Versions below 0 read like version 0: every file has the first fields.
    const int32_t stored = std::max(version, 0);
    for (const NodeField& f : nodeFields()) {
        if (stored < f.sinceVersion) {
            giveMissingField(n, f, frameCount);
        } else if (!readField(r, n, f, version)) {
            return false;
        }
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
    for (int32_t* field :
         {&h.projectWidth, &h.projectHeight, &h.frameCount, &h.emitX, &h.emitY, &h.previewFps,
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
            if (!readOwnFields(r, *f.node, version, h.frameCount)) return std::nullopt;
            stack.pop_back();
        }
    }
    return result;
}

}  // namespace sp::format
