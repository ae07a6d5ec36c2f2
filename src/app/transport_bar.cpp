#include "app/transport_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

#include "app/frame_loop.h"
#include "document/document.h"
#include "document/playback.h"
#include "document/ui_language.h"

namespace sp {

TransportBar::TransportBar(Document& document, Playback& playback, FrameLoop& loop, QWidget* parent)
    : QWidget(parent), m_document(document), m_playback(playback), m_loop(loop) {
    setFixedHeight(kHeight);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(4);

    m_play = new QToolButton(this);
    m_play->setAutoRaise(true);
    m_play->setToolTip(trText(QT_TRANSLATE_NOOP("Sparkplume", "再生／一時停止（Space）")));
    m_step = new QToolButton(this);
    m_step->setAutoRaise(true);
    m_step->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    m_step->setToolTip(
        trText(QT_TRANSLATE_NOOP("Sparkplume", "一時停止中に1フレーム進めます（.）")));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setToolTip(
        trText(QT_TRANSLATE_NOOP("Sparkplume", "ドラッグしてフレームを選びます。")));
    m_label = new QLabel(this);
    m_label->setMinimumWidth(150);
    m_label->setStyleSheet(QStringLiteral("color: #e8e8e8;"));
    row->addWidget(m_play);
    row->addWidget(m_step);
    row->addWidget(m_slider, 1);
    row->addWidget(m_label);

    auto showPlaying = [this](bool playing) {
        m_play->setIcon(
            style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
        m_step->setEnabled(!playing);
    };
    showPlaying(m_loop.playing());
    connect(&m_loop, &FrameLoop::playingChanged, this, showPlaying);
    connect(m_play, &QToolButton::clicked, this, [this] { m_loop.setPlaying(!m_loop.playing()); });
    connect(m_step, &QToolButton::clicked, this, [this] { m_loop.step(); });

    // The user moved the slider (its own updates are made with signals blocked):
    // show that frame; a playing loop plays on from there.
    connect(m_slider, &QSlider::valueChanged, this, [this](int frame) { m_loop.scrubTo(frame); });
    connect(&m_loop, &FrameLoop::frameDrawn, this, &TransportBar::refresh);
    connect(&m_document, &Document::headerChanged, this, &TransportBar::refresh);
    refresh();
}

void TransportBar::refresh() {
    const ProjectState& s = m_document.state();
    const int frames = std::max(1, s.frameCount);
    const int frame = std::clamp(s.currentFrame, 0, frames);
    {
        const QSignalBlocker quiet(m_slider);
        m_slider->setRange(1, frames);
        if (!m_slider->isSliderDown()) m_slider->setValue(std::max(frame, 1));
    }
    m_label->setText(trText(QT_TRANSLATE_NOOP("Sparkplume", "%1 / %2  パーティクル %3"))
                         .arg(frame, 3, 10, QLatin1Char('0'))
                         .arg(frames, 3, 10, QLatin1Char('0'))
                         .arg(m_playback.simulation().liveParticles()));
}

}  // namespace sp
