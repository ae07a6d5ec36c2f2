#pragma once

#include <cstdint>

namespace sp {

// The frame loop's timing in whole milliseconds: a frame is due once
// (now − last frame) × rate reaches 1000, so 60 frames a second become one every
// 17 ms; the rate shown is the number of frames in the last whole second. All
// arithmetic is unsigned 32-bit, so the millisecond counter may wrap around.
class FrameClock {
  public:
    // One idle pass at `now`: closes the measuring second when it is over
    // (writing the frames it counted into `measuredFps`), then says whether a
    // frame is due, counting it when it is.
    bool tick(uint32_t now, int32_t previewFps, int32_t& measuredFps);

    // How long from `now` until the next frame falls due (0 when it is due), so
    // that the loop can sleep instead of spinning.
    uint32_t millisecondsUntilDue(uint32_t now, int32_t previewFps) const;

  private:
    uint32_t m_lastFrameTime = 0;
    uint32_t m_secondStart = 0;
    uint32_t m_framesThisSecond = 0;
};

}  // namespace sp
