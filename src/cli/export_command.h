#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/limit_options.h"
#include "core/sim/simulation.h"

namespace sp::cli {

// sparkplume export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp]
//   [--type png|bmp|jpeg] [--quality N]
//   [--start N] [--end N] [--step N] [--transparent | --opaque] [--columns N] [--division N]
//   [--trim none|shared|each] [--padding N] [--extrude N] [--power-of-two] [--max-size N]
//   [--json hash|array] [--alpha straight|premultiplied]
// exports in a private workspace filled from the WorkSpace folder, through the
// same export run the editor uses. Exit status 0 only when every file of the
// result was written; 1 for a usage error; 2 when the file cannot be opened or
// the export fails.
int runExportCommand(const std::vector<std::string>& args, const CommandLimits& limits,
                     const std::filesystem::path& programDir, std::ostream& out, std::ostream& err);

}  // namespace sp::cli
