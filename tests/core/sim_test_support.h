#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/sim/msvc_random.h"
#include "core/sim/simulation.h"

namespace sp::testing {

// A project with a bare root; nodes are added directly, without the editing operations.
struct SimScene {
    ProjectState state;
    std::unique_ptr<EmitterNode> root = std::make_unique<EmitterNode>(state.frameCount);
    Simulation simulation{state};

    explicit SimScene(SimulationLimits limits = {}) : simulation(state, limits) {}

    EmitterNode& addChild(EmitterNode& parent) {
        parent.children.push_back(std::make_unique<EmitterNode>(state.frameCount));
        parent.children.back()->parent = &parent;
        return *parent.children.back();
    }
    EmitterNode& addTopLevel() { return addChild(*root); }

    // Restarts as an export does, then runs `frames` updates.
    void restartAndRun(int frames) {
        simulation.restart(*root);
        run(frames);
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) simulation.update(root.get());
    }
};

// How many rand() calls lead from one generator state to another.
inline std::optional<int> drawsBetween(uint32_t from, uint32_t to, int limit = 100000) {
    MsvcRandom walker;
    walker.srand(from);
    for (int n = 0; n <= limit; ++n) {
        if (walker.state() == to) return n;
        walker.rand();
    }
    return std::nullopt;
}

}  // namespace sp::testing
