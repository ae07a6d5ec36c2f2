#pragma once

#include <utility>

#include "exchange/render_exchange.h"
#include "tools/common/render_job.h"

namespace sp::tools {

// Writes the frames of an export as "<result>.avi": Motion JPEG at a fixed high quality
// (quantiser 2, full-range 4:2:0), one video frame per frame file, at the job's frame
// rate, with the canvas size. Frames may still be power-of-two sized: only their top-left
// canvas is used. Any alpha is composited over black. JPEG handles any width and height,
// so odd canvas sizes are written as they are. Every frame is checked before the file is
// opened; a movie that fails half way is removed rather than left truncated.
class MovieWriter {
  public:
    explicit MovieWriter(RenderJob job) : m_job(std::move(job)) {}

    QString moviePath() const {
        return m_job.resultName + QString::fromUtf8(exchange::kMovieExtension);
    }

    // Throws Failure.
    void run();

  private:
    QString partialPath() const;

    RenderJob m_job;
};

}  // namespace sp::tools
