// Fuzzes the project-file reader: the container, every effect-data entry it
// accepts, and the raw input read directly as effect data of the oldest and the
// current layout. Besides crashes and sanitizer reports, a broken promise of
// the reader aborts: an accepted entry name that leaves the TEXTURE folder, a
// refused file that still hands out entries, a tree with dangling parents or
// sample tables out of range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "project/format/container.h"
#include "project/format/effect_data.h"

namespace {

using namespace sp;
using namespace sp::format;

void require(bool condition) {
    if (!condition) std::abort();
}

bool inRange(const SampleTable& table, int32_t low, int32_t high) {
    for (int32_t v : table)
        if (v < low || v > high) return false;
    return true;
}

void checkTree(const EffectData& effect) {
    const ProjectHeader& h = effect.header;
    require(h.previewFps >= 1);
    require(h.projectWidth >= kMinCanvasSide && h.projectWidth <= kMaxCanvasSide);
    require(h.projectHeight >= kMinCanvasSide && h.projectHeight <= kMaxCanvasSide);
    require(effect.root != nullptr);
    int nodes = 0;
    std::vector<const EmitterNode*> pending{effect.root.get()};
    while (!pending.empty()) {
        const EmitterNode* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->children) {
            require(child != nullptr && child->parent == node);
            pending.push_back(child.get());
            ++nodes;
        }
        if (node == effect.root.get()) continue;
        require(node->emitType >= kEmitRadial && node->emitType <= kEmitConverging);
        require(node->hidden == 0 || node->hidden == 1);
        for (const Curve& curve : node->curves) require(inRange(curve.samples, 0, 100));
        for (const SampleTable* t :
             {&node->redSamples, &node->greenSamples, &node->blueSamples, &node->alphaSamples,
              &node->sizeSamples, &node->rotationSamples})
            require(inRange(*t, 0, 100));
        require(inRange(node->speedSamples, -100, 100));
    }
    require(nodes == effect.nodeCount);
}

void readAndCheck(std::string_view data, int32_t version) {
    if (auto effect = readEffectData(data, version)) checkTree(*effect);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);

    const ParsedContainer parsed = parseContainer(input);
    if (parsed.status == ContainerStatus::Ok) {
        require(parsed.version < kFirstRefusedVersion);
        require(findEffectData(parsed) != nullptr);
        for (const ContainerEntry& entry : parsed.entries) {
            const std::string_view name = entry.name;
            require(!name.empty() && name != "." && name != "..");
            require(name.find_first_of("/\\:") == std::string_view::npos);
            if (name == kEffectDataEntry) readAndCheck(entry.bytes, parsed.version);
        }
    } else {
        require(parsed.entries.empty());
    }

    readAndCheck(input, 0);
    readAndCheck(input, kWrittenVersion);
    return 0;
}
