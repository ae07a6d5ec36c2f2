#include <QFile>
#include <QTemporaryFile>
#include <cstring>
#include <memory>
#include <string>

#include "tools/clipweave/animation_writer.h"
#include "tools/common/tool_main.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace sp::tools {
namespace {

struct FormatDeleter {
    void operator()(AVFormatContext* c) const {
        if (c->pb != nullptr) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct CodecDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

Failure notMade() {
    return Failure(QStringLiteral("APNG を作れません。"));
}

}  // namespace

// The muxer goes back to the start to count the frames, so it writes to a
// scratch file, which is read back for the caller to write in one piece.
QByteArray encodeApng(const FrameSource& frame, int frames, QSize size, int fps, bool alpha) {
    QTemporaryFile scratch;
    if (!scratch.open()) throw notMade();
    scratch.close();
    const QByteArray scratchPath = scratch.fileName().toUtf8();
    av_log_set_level(AV_LOG_ERROR);
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, "apng", nullptr) < 0 || raw == nullptr)
        throw notMade();
    std::unique_ptr<AVFormatContext, FormatDeleter> format(raw);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_APNG);
    if (codec == nullptr) throw notMade();
    AVStream* stream = avformat_new_stream(format.get(), nullptr);
    std::unique_ptr<AVCodecContext, CodecDeleter> context(avcodec_alloc_context3(codec));
    if (stream == nullptr || !context) throw notMade();
    // Frames are timed in whole milliseconds that add up to the loop, as in the WebP:
    // browsers cut a delay such as 1/60 s down to 16 ms and would play the loop fast.
    const AVRational frameTime{1, 1000};
    auto timestamp = [fps](long long i) { return (i * 2000 / fps + 1) / 2; };
    context->width = size.width();
    context->height = size.height();
    context->time_base = frameTime;
    context->framerate = AVRational{fps, 1};
    context->pix_fmt = alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24;
    if (avcodec_open2(context.get(), codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, context.get()) < 0)
        throw notMade();
    stream->time_base = frameTime;
    if (avio_open(&format->pb, scratchPath.constData(), AVIO_FLAG_WRITE) < 0) throw notMade();
    AVDictionary* muxOptions = nullptr;
    av_dict_set(&muxOptions, "plays", "0", 0);  // loop forever
    // The last frame lasts until the loop's end; without this it would repeat the
    // delay before it.
    const std::string lastDelay =
        std::to_string(timestamp(frames) - timestamp(frames - 1)) + "/1000";
    av_dict_set(&muxOptions, "final_delay", lastDelay.c_str(), 0);
    const int header = avformat_write_header(format.get(), &muxOptions);
    av_dict_free(&muxOptions);
    if (header < 0) throw notMade();

    std::unique_ptr<AVFrame, FrameDeleter> picture(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    if (!picture || !packet) throw std::bad_alloc();
    picture->format = context->pix_fmt;
    picture->width = size.width();
    picture->height = size.height();
    if (av_frame_get_buffer(picture.get(), 0) < 0) throw std::bad_alloc();
    auto drain = [&] {
        for (;;) {
            const int received = avcodec_receive_packet(context.get(), packet.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
            if (received < 0) throw notMade();
            av_packet_rescale_ts(packet.get(), context->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format.get(), packet.get()) < 0) throw notMade();
        }
    };
    for (int i = 0; i < frames; ++i) {
        const QImage image =
            frame(i).convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        if (av_frame_make_writable(picture.get()) < 0) throw std::bad_alloc();
        const int rowBytes = size.width() * (alpha ? 4 : 3);
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(picture->data[0] + static_cast<std::ptrdiff_t>(y) * picture->linesize[0],
                        image.constScanLine(y), static_cast<std::size_t>(rowBytes));
        picture->pts = timestamp(i);
        if (avcodec_send_frame(context.get(), picture.get()) < 0) throw notMade();
        drain();
    }
    if (avcodec_send_frame(context.get(), nullptr) < 0) throw notMade();
    drain();
    if (av_write_trailer(format.get()) < 0) throw notMade();
    if (avio_closep(&format->pb) < 0) throw notMade();
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly)) throw notMade();
    return written.readAll();
}

}  // namespace sp::tools
