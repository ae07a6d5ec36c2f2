#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <utility>
#include <vector>

#include "tools/common/render_job.h"

namespace sp::tools {

// Writes the frames of an export as one animated picture, "<result>.gif", "<result>.png"
// (APNG) or "<result>.webp": the canvas size, the job's frame rate, looping forever, with
// the frames' transparency. The picture is written beside its place and moved there only
// when complete.
class AnimationWriter {
  public:
    explicit AnimationWriter(RenderJob job) : m_job(std::move(job)) {}

    QString picturePath() const;

    // Throws Failure.
    void run();

  private:
    RenderJob m_job;
};

// The frames as the encoders take them: each ARGB32 with straight alpha, the canvas only.
using FrameSource = std::function<QImage(int index)>;

// The encoders, each giving the whole file. `frames` frames at `fps`.
QByteArray encodeGif(const FrameSource& frame, int frames, QSize size, int fps, bool alpha);
QByteArray encodeApng(const FrameSource& frame, int frames, QSize size, int fps, bool alpha);
QByteArray encodeWebp(const FrameSource& frame, int frames, QSize size, int fps, int quality);

// GIF times frames in hundredths of a second, and players show anything under two as
// ten: the frames kept and how long each is shown, so that the whole loop lasts as long
// as at the frame rate. Above 50 frames a second some frames are left out.
struct GifTiming {
    std::vector<int> frames;  // the frame numbers shown
    std::vector<int> delays;  // in hundredths of a second, each at least 2
};
GifTiming gifTiming(int frames, int fps);

}  // namespace sp::tools
