#pragma once

#include <ostream>

#include "core/model/node_tree.h"
#include "core/model/project_state.h"
#include "core/sim/simulation.h"

namespace sp::cli {

// Builds the demonstration effect in `tree`: a radial burst whose particles
// throw sparks with trails, and a glow that converges on the emission point.
void buildDemoEffect(NodeTree& tree, ProjectState& state);

// Simulates one loop of the demonstration effect and prints, per frame, the live
// particles of every node. Returns the process exit status.
int runDemo(std::ostream& out, SimulationLimits limits = {});

}  // namespace sp::cli
