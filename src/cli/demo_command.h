#pragma once

#include <ostream>

#include "core/sim/simulation.h"
#include "document/document.h"

namespace sp::cli {

// Builds the demonstration effect in a new project, as a user would in the
// editor: a radial burst whose particles throw sparks with trails, and a glow
// that converges on the emission point.
void buildDemoEffect(Document& document);

// Simulates one loop of the demonstration effect and prints, per frame, the live
// particles of every node. Returns the process exit status.
int runDemo(std::ostream& out, SimulationLimits limits = {});

}  // namespace sp::cli
