#include "document/frame_clock.h"

namespace sp {

bool FrameClock::tick(uint32_t now, int32_t previewFps, int32_t& measuredFps) {
    if (now - m_secondStart >= 1000u) {
        measuredFps = static_cast<int32_t>(m_framesThisSecond);
        m_secondStart = now;
        m_framesThisSecond = 0;
    }
    if ((now - m_lastFrameTime) * static_cast<uint32_t>(previewFps) < 1000u) return false;
    m_lastFrameTime = now;
    m_framesThisSecond += 1;
    return true;
}

uint32_t FrameClock::millisecondsUntilDue(uint32_t now, int32_t previewFps) const {
    const uint32_t rate = previewFps < 1 ? 1u : static_cast<uint32_t>(previewFps);
    const uint32_t interval = (1000u + rate - 1u) / rate;  // the smallest m with m × rate ≥ 1000
    const uint32_t waited = now - m_lastFrameTime;
    return waited >= interval ? 0u : interval - waited;
}

}  // namespace sp
