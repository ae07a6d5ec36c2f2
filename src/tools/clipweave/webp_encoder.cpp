#include <webp/encode.h>
#include <webp/mux.h>

#include "tools/clipweave/animation_writer.h"
#include "tools/common/tool_main.h"

namespace sp::tools {

QByteArray encodeWebp(const FrameSource& frame, int frames, QSize size, int fps, int quality) {
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config))
        throw Failure(QStringLiteral("WebP を作る準備ができません。"));
    options.anim_params.loop_count = 0;  // forever
    options.anim_params.bgcolor = 0x00000000;
    if (quality == exchange::kLosslessQuality) {
        config.lossless = 1;
        config.quality = 75;  // for lossless, the effort
    } else {
        config.lossless = 0;
        config.quality = static_cast<float>(quality);
    }
    config.method = 4;
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(size.width(), size.height(), &options);
    if (encoder == nullptr) throw Failure(QStringLiteral("WebP を作る準備ができません。"));
    struct Cleanup {
        WebPAnimEncoder* encoder;
        WebPData data;
        ~Cleanup() {
            WebPDataClear(&data);
            WebPAnimEncoderDelete(encoder);
        }
    } cleanup{encoder, {}};
    WebPDataInit(&cleanup.data);
    auto timestamp = [fps](long long i) { return static_cast<int>((i * 2000 / fps + 1) / 2); };
    for (int i = 0; i < frames; ++i) {
        const QImage image = frame(i).convertToFormat(QImage::Format_RGBA8888);
        WebPPicture picture;
        if (!WebPPictureInit(&picture)) throw Failure(QStringLiteral("WebP を作れません。"));
        picture.use_argb = 1;
        picture.width = size.width();
        picture.height = size.height();
        const bool imported = WebPPictureImportRGBA(&picture, image.constBits(),
                                                    static_cast<int>(image.bytesPerLine())) != 0;
        const bool added =
            imported && WebPAnimEncoderAdd(encoder, &picture, timestamp(i), &config) != 0;
        WebPPictureFree(&picture);
        if (!added) throw Failure(QStringLiteral("WebP のフレームを圧縮できません。"));
    }
    if (!WebPAnimEncoderAdd(encoder, nullptr, timestamp(frames), nullptr) ||
        !WebPAnimEncoderAssemble(encoder, &cleanup.data))
        throw Failure(QStringLiteral("WebP を作れません。"));
    return QByteArray(reinterpret_cast<const char*>(cleanup.data.bytes),
                      static_cast<qsizetype>(cleanup.data.size));
}

}  // namespace sp::tools
