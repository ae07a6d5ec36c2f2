#pragma once

#include <string>
#include <vector>

#include "core/sim/simulation.h"
#include "materials/material_list.h"

namespace sp::cli {

// The bounds a headless command works within.
struct CommandLimits {
    CommandLimits() = default;
    CommandLimits(SimulationLimits s) : simulation(s) {}  // NOLINT: the simulation's alone
    SimulationLimits simulation;
    std::size_t textureBudget = MaterialList::kDefaultTextureBudget;  // bytes
    std::size_t drawThreads = 0;  // threads drawing a frame; 0 is one per core
};

// Takes "--max-particles N", "--max-trail-points N", "--max-texture-memory N"
// (mebibytes) and "--threads N" (the threads that draw each frame) out of `args` into `limits`.
// Returns an error text for a missing or malformed number, or "" on success.
std::string takeLimitOptions(std::vector<std::string>& args, CommandLimits& limits);
std::string takeLimitOptions(std::vector<std::string>& args, SimulationLimits& limits);

}  // namespace sp::cli
