#pragma once

#include <string>
#include <vector>

#include "core/sim/simulation.h"

namespace sp::cli {

// Takes "--max-particles N" and "--max-trail-points N" out of `args` into `limits`.
// Returns an error text for a missing or malformed number, or "" on success.
std::string takeLimitOptions(std::vector<std::string>& args, SimulationLimits& limits);

}  // namespace sp::cli
