#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/limit_options.h"
#include "core/sim/simulation.h"

namespace sp::cli {

// sparkplume trace FILE [--frames N] [--particles]: opens FILE in a private
// workspace, restarts the effect as an export does and prints every frame's
// live particle count (and with --particles every particle). Exit status 0,
// 1 for a usage error, 2 when the file cannot be opened.
int runTrace(const std::vector<std::string>& args, const CommandLimits& limits, std::ostream& out,
             std::ostream& err);

}  // namespace sp::cli
