#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

#include "render/particle_renderer.h"

namespace sp {

class Document;
class Playback;

// The editor's frame loop: a precise timer set to the millisecond the next frame
// falls due, so that the program sleeps between frames. Each due frame runs the
// update and then draws the frame into the preview's device. While a modal
// dialog or a menu is open the effect stands still, and it resumes where it
// stood. Playing can be paused; a paused preview steps and scrubs on request.
class FrameLoop : public QObject {
    Q_OBJECT

  public:
    FrameLoop(Document& document, Playback& playback, QObject* parent = nullptr);
    ~FrameLoop() override;

    void start();
    bool playing() const { return m_playing; }
    void setPlaying(bool playing);
    // One frame forward, as the loop would play it.
    void step();
    // Shows frame `frame` of the loop as the export renders it, whatever played before.
    void scrubTo(int frame);

    // Draws the current particles into the device again (after a zoom, a new
    // device or a change that shows without a new frame).
    void redraw();

    // With SPARKPLUME_TIMING set, the loop reports on standard error when the
    // first frame was drawn and, every second, the frames the preview held.
    void reportTiming(bool on) { m_reportTiming = on; }

  signals:
    // A frame was drawn into the device's back buffer: the preview shows it.
    void frameDrawn();
    void playingChanged(bool playing);

  private:
    void pass();
    void schedule(uint32_t now);
    bool standsStill() const;
    void rebindRenderer();
    void report(uint32_t now);

    Document& m_document;
    Playback& m_playback;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::unique_ptr<render::ParticleRenderer> m_renderer;
    render::Device* m_rendererDevice = nullptr;
    bool m_playing = true;
    bool m_reportTiming = false;
    bool m_firstFrameReported = false;
    uint32_t m_reportedSecond = 0;
};

}  // namespace sp
