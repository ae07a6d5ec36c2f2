#include "tools/clipweave/movie_writer.h"

#include <QFile>
#include <QImage>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <system_error>

#include "tools/common/tool_main.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace sp::tools {
namespace {

constexpr int kQuantiser = 2;

struct FormatDeleter {
    void operator()(AVFormatContext* context) const {
        if (context->pb != nullptr) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
struct CodecDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScaleDeleter {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

class Encoder {
  public:
    // Writes to `path`; messages name `shownPath`, the result the user chose.
    Encoder(const RenderJob& job, const QString& path, const QString& shownPath)
        : m_path(path), m_shownPath(shownPath) {
        const QByteArray name = path.toUtf8();
        AVFormatContext* format = nullptr;
        if (avformat_alloc_output_context2(&format, nullptr, "avi", name.constData()) < 0 ||
            format == nullptr)
            throw Failure(QStringLiteral("動画を作る準備ができません。"));
        m_format.reset(format);

        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
        if (codec == nullptr)
            throw Failure(QStringLiteral("動画の圧縮方式 (Motion JPEG) が使えません。"));
        m_stream = avformat_new_stream(m_format.get(), nullptr);
        m_codec.reset(avcodec_alloc_context3(codec));
        if (m_stream == nullptr || !m_codec)
            throw Failure(QStringLiteral("動画を作る準備ができません。"));

        const AVRational frameTime{1, job.fps};
        m_codec->width = job.canvas.width();
        m_codec->height = job.canvas.height();
        m_codec->time_base = frameTime;
        m_codec->framerate = AVRational{job.fps, 1};
        m_codec->pix_fmt = AV_PIX_FMT_YUVJ420P;
        m_codec->color_range = AVCOL_RANGE_JPEG;
        m_codec->flags |= AV_CODEC_FLAG_QSCALE;
        m_codec->global_quality = FF_QP2LAMBDA * kQuantiser;
        if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
            m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(m_codec.get(), codec, nullptr) < 0 ||
            avcodec_parameters_from_context(m_stream->codecpar, m_codec.get()) < 0)
            throw Failure(QStringLiteral("動画の圧縮を始められません。"));
        m_stream->time_base = frameTime;
        m_stream->avg_frame_rate = m_codec->framerate;
        m_stream->r_frame_rate = m_codec->framerate;

        m_frame.reset(av_frame_alloc());
        m_packet.reset(av_packet_alloc());
        if (!m_frame || !m_packet) throw std::bad_alloc();
        m_frame->format = m_codec->pix_fmt;
        m_frame->width = m_codec->width;
        m_frame->height = m_codec->height;
        m_frame->color_range = AVCOL_RANGE_JPEG;
        if (av_frame_get_buffer(m_frame.get(), 0) < 0) throw std::bad_alloc();

        // RGB to full-range BT.601 YUV, the colours JPEG decoders assume. The planes are
        // laid out as the encoder's "J" format; only the range differs in name.
        m_scale.reset(sws_getContext(m_codec->width, m_codec->height, AV_PIX_FMT_RGB0,
                                     m_codec->width, m_codec->height, AV_PIX_FMT_YUV420P,
                                     SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr,
                                     nullptr, nullptr));
        if (!m_scale) throw Failure(QStringLiteral("動画の色変換を準備できません。"));
        const int* bt601 = sws_getCoefficients(SWS_CS_ITU601);
        sws_setColorspaceDetails(m_scale.get(), bt601, 1, bt601, 1, 0, 1 << 16, 1 << 16);
    }

    // Creates the file and writes its header; `created()` tells whether the file exists.
    void open() {
        if (avio_open(&m_format->pb, m_path.toUtf8().constData(), AVIO_FLAG_WRITE) < 0)
            throw notWritten();
        m_created = true;
        if (avformat_write_header(m_format.get(), nullptr) < 0) throw notWritten();
    }

    bool created() const { return m_created; }

    // Closes the file without finishing it.
    void abandon() {
        if (m_format->pb != nullptr) avio_closep(&m_format->pb);
    }

    // `picture` is RGBA8888 premultiplied, at least the canvas size.
    void add(const QImage& picture, int64_t index) {
        if (av_frame_make_writable(m_frame.get()) < 0) throw std::bad_alloc();
        const uint8_t* source[1] = {picture.constBits()};
        const int stride[1] = {static_cast<int>(picture.bytesPerLine())};
        sws_scale(m_scale.get(), source, stride, 0, m_codec->height, m_frame->data,
                  m_frame->linesize);
        m_frame->pts = index;
        m_frame->quality = m_codec->global_quality;
        m_frame->pict_type = AV_PICTURE_TYPE_NONE;
        if (avcodec_send_frame(m_codec.get(), m_frame.get()) < 0)
            throw Failure(QStringLiteral("動画のフレームを圧縮できません。"));
        drain();
    }

    void finish() {
        if (avcodec_send_frame(m_codec.get(), nullptr) < 0)
            throw Failure(QStringLiteral("動画のフレームを圧縮できません。"));
        drain();
        if (av_write_trailer(m_format.get()) < 0) throw notWritten();
        if (avio_closep(&m_format->pb) < 0) throw notWritten();
    }

  private:
    void drain() {
        for (;;) {
            const int received = avcodec_receive_packet(m_codec.get(), m_packet.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
            if (received < 0) throw Failure(QStringLiteral("動画のフレームを圧縮できません。"));
            av_packet_rescale_ts(m_packet.get(), m_codec->time_base, m_stream->time_base);
            m_packet->stream_index = m_stream->index;
            if (av_interleaved_write_frame(m_format.get(), m_packet.get()) < 0) throw notWritten();
        }
    }

    Failure notWritten() const {
        return Failure(QStringLiteral("動画「%1」を書き込めません。")
                           .arg(QDir::toNativeSeparators(m_shownPath)));
    }

    QString m_path;
    QString m_shownPath;
    std::unique_ptr<AVFormatContext, FormatDeleter> m_format;
    std::unique_ptr<AVCodecContext, CodecDeleter> m_codec;
    std::unique_ptr<AVFrame, FrameDeleter> m_frame;
    std::unique_ptr<AVPacket, PacketDeleter> m_packet;
    std::unique_ptr<SwsContext, ScaleDeleter> m_scale;
    AVStream* m_stream = nullptr;
    bool m_created = false;
};

}  // namespace

// The movie is written beside its place under a name of its own and moved there
// only when complete: a player, or another export to the same name, never sees
// half a movie, and the last complete export wins.
QString MovieWriter::partialPath() const {
    QTemporaryFile reserve(moviePath() + QStringLiteral(".XXXXXX.part"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw Failure(QStringLiteral("動画「%1」を書き込めません。")
                          .arg(QDir::toNativeSeparators(moviePath())));
    return reserve.fileName();
}

void MovieWriter::run() {
    if (m_job.fps > exchange::kMaxMovieFps)
        throw Failure(QStringLiteral("動画は %1 FPS までしか作れません（指定は %2 FPS）。")
                          .arg(exchange::kMaxMovieFps)
                          .arg(m_job.fps));
    checkFrames(m_job);
    av_log_set_level(AV_LOG_ERROR);
    const QString partial = partialPath();
    Encoder encoder(m_job, partial, moviePath());
    try {
        encoder.open();
        for (int i = 0; i < m_job.frameCount(); ++i) {
            stopIfInterrupted();
            // Premultiplying composites any transparency over black; the encoder reads RGB only.
            const QImage frame =
                loadFrame(m_job, i).convertToFormat(QImage::Format_RGBA8888_Premultiplied);
            encoder.add(frame, i);
        }
        encoder.finish();
        std::error_code ec;
        std::filesystem::rename(partial.toStdString(), moviePath().toStdString(), ec);
        if (ec)
            throw Failure(QStringLiteral("動画「%1」を書き込めません。")
                              .arg(QDir::toNativeSeparators(moviePath())));
    } catch (...) {
        // A movie that stopped half way would only confuse a player.
        encoder.abandon();
        QFile::remove(partial);
        throw;
    }
}

}  // namespace sp::tools
