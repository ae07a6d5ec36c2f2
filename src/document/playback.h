#pragma once

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "core/model/node_tree.h"
#include "core/model/project_state.h"
#include "core/sim/simulation.h"
#include "document/frame_clock.h"

namespace sp {

// The preview's side of the effect: its simulation, the frame clock and the
// caption, and the one replay that the export, the headless commands and the
// preview's scrubbing share.
class Playback {
  public:
    Playback(ProjectState& state, NodeTree& tree, SimulationLimits limits = {});

    Simulation& simulation() { return m_simulation; }
    const Simulation& simulation() const { return m_simulation; }
    FrameClock& clock() { return m_clock; }

    // One pass of the frame loop at `now` (milliseconds): when a frame is due it
    // runs one preview frame, unless the loop is suspended. Returns whether a
    // frame was due, i.e. whether the preview is to be drawn and shown again.
    bool tick(uint32_t now);

    // One frame of the preview: the update and, when the loop did not wrap and no
    // export runs, the caption.
    void advance();

    // "%03d／%03dフレーム  FPS：%d　%d％" as of the last preview frame.
    const std::string& caption() const { return m_caption; }

    // Restarts and runs the updates up to `frame`, as the export does.
    void replayTo(int32_t frame);
    // The same with a look at every frame on the way; with LoopEnd::Wraps the
    // loop plays on as the preview plays it.
    void replay(int32_t frames, const Simulation::FrameVisitor& afterFrame,
                Simulation::LoopEnd end = Simulation::LoopEnd::RunsOn);

  private:
    void writeCaption();

    ProjectState& m_state;
    NodeTree& m_tree;
    Simulation m_simulation;
    FrameClock m_clock;
    std::string m_caption;
};

// The preview caption: frame and frames as "%03d", the measured rate and the
// zoom in percent, then the note when a limit cut the effect short. The screen
// shows it in the interface's language.
inline constexpr const char* kPreviewCaptionText =
    QT_TRANSLATE_NOOP("Sparkplume", "%1／%2フレーム  FPS：%3　%4％");
inline constexpr const char* kPreviewLimitNote =
    QT_TRANSLATE_NOOP("Sparkplume", "　（上限に達したため一部のパーティクルを省略しています）");

// The preview caption for the state's frame, rate and zoom, with a note when a
// limit cut the effect short.
std::string formatPreviewCaption(const ProjectState& state, bool limitReached);

}  // namespace sp
