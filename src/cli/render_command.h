#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/limit_options.h"
#include "core/sim/simulation.h"

namespace sp::cli {

// sparkplume render FILE --frame N --out OUT.png [--transparent]: simulates the
// project from the export's restart up to frame N and writes that frame, as the
// export renders it, cut to the canvas size. Exit status 0, 1 for a usage error,
// 2 when the file cannot be opened or the picture cannot be written.
int runRender(const std::vector<std::string>& args, const CommandLimits& limits, std::ostream& out,
              std::ostream& err);

}  // namespace sp::cli
