#pragma once

#include "tools/common/ini_reader.h"
#include "tools/common/render_job.h"

namespace sp::tools {

// Reads render.ini's [sheet] and [animation] sections into the job. A section
// that is not there leaves the job as an export without it; a key of a present
// section that is missing takes its default, one with a value out of its range
// throws Failure.
void readJobOptions(const IniReader& ini, RenderJob& job);

}  // namespace sp::tools
