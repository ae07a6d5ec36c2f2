#include "tools/framecrop/frame_cropper.h"

#include <QImage>

#include "tools/common/tool_main.h"

namespace sp::tools {

int FrameCropper::run() {
    checkFrames(m_job);
    int rewritten = 0;
    for (int i = 0; i < m_job.frameCount(); ++i) {
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
