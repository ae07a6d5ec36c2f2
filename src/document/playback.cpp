#include "document/playback.h"

#include <cstdio>

namespace sp {
namespace {

constexpr const char* kLimitNote = "　（上限に達したため一部のパーティクルを省略しています）";

}  // namespace

std::string formatPreviewCaption(const ProjectState& state, bool limitReached) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%03d／%03dフレーム  FPS：%d　%d％", state.currentFrame,
                  state.frameCount, state.measuredFps, static_cast<int32_t>(state.zoom * 100.0f));
    std::string caption = buffer;
    if (limitReached) caption += kLimitNote;
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
