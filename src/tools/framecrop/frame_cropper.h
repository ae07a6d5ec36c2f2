#pragma once

#include <utility>

#include "tools/common/render_job.h"

namespace sp::tools {

// Cuts every frame of an export down to the canvas (its top-left corner) in place: the
// same file names and format, PNG and BMP with their alpha. A frame that already has the
// canvas size is left as it is, so running twice changes nothing. Every frame is checked
// before the first one is rewritten.
class FrameCropper {
  public:
    explicit FrameCropper(RenderJob job) : m_job(std::move(job)) {}

    // Returns how many frames were rewritten; throws Failure.
    int run();

  private:
    RenderJob m_job;
};

}  // namespace sp::tools
