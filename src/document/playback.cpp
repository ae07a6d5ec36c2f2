#include "document/playback.h"

#include <cstdio>

#include "project/file_commands.h"

namespace sp {
namespace {

std::string threeDigits(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03d", value);
    return buffer;
}

}  // namespace

std::string formatPreviewCaption(const ProjectState& state, bool limitReached) {
    std::string caption = formatMessage(
        kPreviewCaptionText, {threeDigits(state.currentFrame), threeDigits(state.frameCount),
                              std::to_string(state.measuredFps),
                              std::to_string(static_cast<int32_t>(state.zoom * 100.0f))});
    if (limitReached) caption += kPreviewLimitNote;
    return caption;
}

Playback::Playback(ProjectState& state, NodeTree& tree, SimulationLimits limits)
    : m_state(state), m_tree(tree), m_simulation(state, limits) {}

bool Playback::tick(uint32_t now) {
    if (!m_clock.tick(now, m_state.effectiveFps(), m_state.measuredFps)) return false;
    if (!m_state.frameLoopSuspended) advance();
    return true;
}

void Playback::advance() {
    m_simulation.update(&m_tree.root());
    writeCaption();
}

void Playback::replayTo(int32_t frame) {
    m_simulation.replay(m_tree.root(), frame);
    writeCaption();  // a scrub shows the frame it reached
}

void Playback::writeCaption() {
    // A wrap leaves the frame at 0 and writes no caption.
    if (m_state.exportInProgress || m_state.currentFrame == 0) return;
    m_caption = formatPreviewCaption(
        m_state, m_simulation.particleLimitReached() || m_simulation.trailLimitReached());
}

void Playback::replay(int32_t frames, const Simulation::FrameVisitor& afterFrame,
                      Simulation::LoopEnd end) {
    m_simulation.replay(m_tree.root(), frames, afterFrame, end);
}

}  // namespace sp
