#include "tools/clipweave/animation_writer.h"

#include <QFile>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "exchange/render_exchange.h"
#include "tools/common/tool_main.h"

namespace sp::tools {

QString AnimationWriter::picturePath() const {
    const exchange::AnimationFormat format =
        m_job.animation.value_or(exchange::AnimationFormat::Gif);
    return m_job.resultName + QString::fromUtf8(exchange::animationExtension(format));
}

void AnimationWriter::run() {
    if (m_job.fps > exchange::kMaxMovieFps)
        throw Failure(
            QStringLiteral("アニメーションは %1 FPS までしか作れません（指定は %2 FPS）。")
                .arg(exchange::kMaxMovieFps)
                .arg(m_job.fps));
    checkFrames(m_job);
    const bool alpha = m_job.formatHasAlpha();
    const QRect canvas(QPoint(0, 0), m_job.canvas);
    const FrameSource frame = [&](int index) {
        stopIfInterrupted();
        QImage image = loadFrame(m_job, index).copy(canvas).convertToFormat(QImage::Format_ARGB32);
        if (!alpha)
            image =
                image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
        return image;
    };
    QByteArray bytes;
    switch (m_job.animation.value_or(exchange::AnimationFormat::Gif)) {
        case exchange::AnimationFormat::Gif:
            bytes = encodeGif(frame, m_job.frameCount(), m_job.canvas, m_job.fps, alpha);
            break;
        case exchange::AnimationFormat::Apng:
            bytes = encodeApng(frame, m_job.frameCount(), m_job.canvas, m_job.fps, alpha);
            break;
        case exchange::AnimationFormat::Webp:
            bytes = encodeWebp(frame, m_job.frameCount(), m_job.canvas, m_job.fps, m_job.quality);
            break;
    }
    saveBytes(bytes, picturePath());
}

GifTiming gifTiming(int frames, int fps) {
    GifTiming timing;
    auto at = [fps](long long i) { return static_cast<int>((i * 200 / fps + 1) / 2); };
    for (int i = 0; i < frames; ++i) {
        if (!timing.frames.empty() && at(i) - at(timing.frames.back()) < 2) continue;
        timing.frames.push_back(i);
    }
    // The last frame shown must also last two hundredths before the loop starts again.
    while (timing.frames.size() > 1 && at(frames) - at(timing.frames.back()) < 2)
        timing.frames.pop_back();
    for (std::size_t k = 0; k < timing.frames.size(); ++k) {
        const int end = k + 1 < timing.frames.size() ? at(timing.frames[k + 1]) : at(frames);
        timing.delays.push_back(std::max(2, end - at(timing.frames[k])));
    }
    return timing;
}

}  // namespace sp::tools
