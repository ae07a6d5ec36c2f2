#include "tools/framecrop/frame_cropper.h"

#include <QImage>
#include <vector>

#include "tools/common/png_header.h"
#include "tools/common/tool_main.h"

namespace sp::tools {

int FrameCropper::run() {
    checkFrames(m_job);
    // A PNG frame that already has the canvas size is left alone without being
    // decoded, once its header and its end show that it was written completely;
    // whatever else is wrong with it, the program that reads it next reports.
    std::vector<bool> keep(static_cast<std::size_t>(m_job.frameCount()), false);
    if (m_job.imageFormat() == "png") {
        for (int i = 0; i < m_job.frameCount(); ++i) {
            const std::optional<PngHeader> header = readPngHeader(m_job.framePath(i));
            if (!header || header->size != m_job.canvas) continue;
            if (!header->complete)
                throw Failure(QStringLiteral("フレーム「RENDER/%1」を読み込めません。")
                                  .arg(m_job.frameFileName(i)));
            keep[static_cast<std::size_t>(i)] = true;
        }
    }
    int rewritten = 0;
    for (int i = 0; i < m_job.frameCount(); ++i) {
        if (keep[static_cast<std::size_t>(i)]) continue;
        stopIfInterrupted();
        const QImage frame = loadFrame(m_job, i);
        if (frame.size() == m_job.canvas) continue;
        saveImage(frame.copy(QRect(QPoint(0, 0), m_job.canvas)), m_job.framePath(i),
                  m_job.imageFormat());
        ++rewritten;
    }
    return rewritten;
}

}  // namespace sp::tools
