#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"

namespace sp::format {

// The ten saved values of the project header, in file order.
struct ProjectHeader {
    int32_t projectWidth = 256;
    int32_t projectHeight = 256;
    int32_t frameCount = 30;
    int32_t emitX = 128;
    int32_t emitY = 128;
    int32_t previewFps = 60;
    int32_t backgroundRed = 0;
    int32_t backgroundGreen = 0;
    int32_t backgroundBlue = 0;
    int32_t randomSeed = 0;

    static ProjectHeader from(const ProjectState& state);
    void applyTo(ProjectState& state) const;
};

// The canvas sizes a project may have, and the lowest rate.
inline constexpr int32_t kMinCanvasSide = 4;
inline constexpr int32_t kMaxCanvasSide = 2048;

// The effect data as comma-separated text: header, top-level count, node records
// (children first). Names become CP932; nullopt when a name cannot be stored.
std::optional<std::string> writeEffectData(const ProjectHeader& header, const EmitterNode& root);

struct EffectData {
    ProjectHeader header;
    std::unique_ptr<EmitterNode> root;  // a new root with the read tree
    int nodeCount = 0;                  // nodes read, each of which took a name number
};

// Reads effect data written by any version up to 4. nullopt when the data is
// truncated or damaged. A rate below 1 and canvas sides outside 4..2048 are
// brought into range.
std::optional<EffectData> readEffectData(std::string_view data, int32_t version);

}  // namespace sp::format
