#include "app/frame_loop.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>

#include "document/document.h"
#include "document/playback.h"

namespace sp {
namespace {

// How soon to look again while a dialog holds the loop.
constexpr int kStandingStillRetry = 20;

}  // namespace

FrameLoop::FrameLoop(Document& document, Playback& playback, QObject* parent)
    : QObject(parent), m_document(document), m_playback(playback) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FrameLoop::pass);
    // Every device cycle ends with the materials reloaded: draw with the new device.
    connect(&m_document, &Document::materialsChanged, this, [this] {
        rebindRenderer();
        redraw();
    });
}

FrameLoop::~FrameLoop() = default;

void FrameLoop::start() {
    m_clock.start();
    rebindRenderer();
    m_timer.start(0);
}

void FrameLoop::setPlaying(bool playing) {
    if (playing == m_playing) return;
    m_playing = playing;
    emit playingChanged(playing);
}

void FrameLoop::step() {
    m_playback.advance();
    redraw();
}

void FrameLoop::scrubTo(int frame) {
    m_playback.replayTo(frame);
    redraw();
}

bool FrameLoop::standsStill() const {
    return QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void FrameLoop::pass() {
    const auto now = static_cast<uint32_t>(m_clock.elapsed());
    if (standsStill()) {
        m_timer.start(kStandingStillRetry);
        return;
    }
    if (m_playing && m_playback.tick(now)) redraw();
    if (m_reportTiming) report(now);
    schedule(now);
}

void FrameLoop::report(uint32_t now) {
    if (!m_firstFrameReported && m_document.state().currentFrame > 0) {
        m_firstFrameReported = true;
        std::fprintf(stderr, "first-frame\n");
    }
    // Once a second: the frames the loop ran in the last whole second.
    if (now / 1000u != m_reportedSecond) {
        m_reportedSecond = now / 1000u;
        std::fprintf(stderr, "fps %d\n", m_document.state().measuredFps);
    }
}

void FrameLoop::schedule(uint32_t now) {
    // A millisecond early: a timer that wakes late delays every later frame, one
    // that wakes early only looks once more.
    const uint32_t wait =
        m_playback.clock().millisecondsUntilDue(now, m_document.state().effectiveFps());
    m_timer.start(static_cast<int>(std::clamp<uint32_t>(wait, 2u, 1001u) - 1u));
}

void FrameLoop::rebindRenderer() {
    render::Device* device = m_document.graphics().device();
    if (device != m_rendererDevice) {
        m_renderer = device
                         ? std::make_unique<render::ParticleRenderer>(*device, m_document.state())
                         : nullptr;
        m_rendererDevice = device;
    }
    if (m_renderer) m_renderer->setMaterialTextures(m_document.project().materials.textures());
}

void FrameLoop::redraw() {
    if (!m_renderer || m_document.state().frameLoopSuspended) return;
    const render::SpriteImage& background = m_document.graphics().backgroundImage();
    if (m_renderer->drawFrame(&m_document.root(), &background)) emit frameDrawn();
}

}  // namespace sp
