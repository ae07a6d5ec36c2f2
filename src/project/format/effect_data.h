#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"

namespace sp::format {

using sp::ProjectHeader;

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
