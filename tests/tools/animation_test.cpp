#include <QFile>
#include <QImage>

#include <gtest/gtest.h>
#include <webp/demux.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "tools/tool_workspace.h"

namespace sp {
namespace {

using namespace sp::testing;

const QString kClipWeave = QStringLiteral(SPARKPLUME_CLIPWEAVE);

// Six frames of an odd canvas inside power-of-two frames, half of each transparent.
QString writeAnimationJob(ToolWorkspace& ws, const char* format, int fps, int quality = -1) {
    const QSize canvas(31, 17);
    for (int i = 0; i < 6; ++i) {
        QImage frame = exportedFrame(QSize(32, 32), canvas, frameColour(i, false));
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < 10; ++x) frame.setPixelColor(x, y, Qt::transparent);
        ws.writeFrame(i, frame, ".png");
    }
    const QString result = ws.filePath(QStringLiteral("loop"));
    ws.writeIni(ToolWorkspace::iniText(5, fps, ".png", canvas, result) +
                QStringLiteral("[animation]\nformat=%1\nquality=%2\n")
                    .arg(QString::fromLatin1(format))
                    .arg(quality)
                    .toUtf8());
    return result;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int le16(const QByteArray& b, qsizetype at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
quint32 be32(const QByteArray& b, qsizetype at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// The GIF's size, loop, and for each frame its delay and transparency flag, read
// from its blocks.
struct GifFacts {
    int width = 0, height = 0, loops = -1;
    std::vector<int> delays;
    std::vector<bool> transparent;
    int images = 0;
};
GifFacts readGif(const QByteArray& b) {
    GifFacts g;
    if (!b.startsWith("GIF89a")) return g;
    g.width = le16(b, 6);
    g.height = le16(b, 8);
    const int flags = static_cast<unsigned char>(b[10]);
    qsizetype at = 13 + ((flags & 0x80) ? 3 * (2 << (flags & 7)) : 0);
    auto skipBlocks = [&] {
        while (at < b.size() && b[at] != 0) at += 1 + static_cast<unsigned char>(b[at]);
        ++at;
    };
    while (at < b.size()) {
        const char kind = b[at];
        if (kind == ';') break;
        if (kind == '!') {
            const int label = static_cast<unsigned char>(b[at + 1]);
            if (label == 0xF9) {
                g.transparent.push_back(b[at + 3] & 1);
                g.delays.push_back(le16(b, at + 4));
            } else if (label == 0xFF && b.mid(at + 3, 11) == "NETSCAPE2.0") {
                g.loops = le16(b, at + 16);
            }
            at += 2;
            skipBlocks();
        } else if (kind == ',') {
            ++g.images;
            at += 10;
            ++at;  // the code size
            skipBlocks();
        } else {
            break;
        }
    }
    return g;
}

TEST(Animation, GifLoopsForeverWithOnePaletteAndDelaysThatAddUpToTheLoop) {
    ToolWorkspace ws;
    const QString result = writeAnimationJob(ws, "gif", 30);
    const ToolRun run = ws.run(kClipWeave);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const GifFacts gif = readGif(readAll(result + ".gif"));
    EXPECT_EQ(gif.width, 31);
    EXPECT_EQ(gif.height, 17);
    EXPECT_EQ(gif.loops, 0);
    EXPECT_EQ(gif.images, 6);
    EXPECT_EQ(gif.delays, (std::vector<int>{3, 4, 3, 3, 4, 3}));  // 20 hundredths at 30 FPS
    EXPECT_EQ(gif.transparent, std::vector<bool>(6, true));
    // Decoded, the transparent part stays transparent and the rest shows its colour.
    const QImage first(result + ".gif");
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.pixelColor(3, 3).alpha(), 0);
    EXPECT_TRUE(coloursNear(first.pixelColor(20, 5), frameColour(0, false), 12));

    // Faster than GIF can time: some frames are left out, the loop keeps its length.
    ToolWorkspace fast;
    const QString fastResult = writeAnimationJob(fast, "gif", 120);
    ASSERT_EQ(fast.run(kClipWeave).exitCode, 0);
    const GifFacts quick = readGif(readAll(fastResult + ".gif"));
    EXPECT_EQ(std::accumulate(quick.delays.begin(), quick.delays.end(), 0), 5);
    for (int d : quick.delays) EXPECT_GE(d, 2);
}

TEST(Animation, ApngCountsItsFramesLoopsForeverAndTimesEachAtTheFrameRate) {
    ToolWorkspace ws;
    const QString result = writeAnimationJob(ws, "apng", 12);
    const ToolRun run = ws.run(kClipWeave);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray png = readAll(result + ".png");
    const qsizetype actl = png.indexOf("acTL");
    ASSERT_GT(actl, 0);
    EXPECT_EQ(be32(png, actl + 4), 6u);  // frames
    EXPECT_EQ(be32(png, actl + 8), 0u);  // plays: forever
    // Whole milliseconds, each within one of 1/12 s, that add up to the loop exactly:
    // players that round a delay to milliseconds then still keep the loop's length.
    int frames = 0;
    double loop = 0;
    for (qsizetype at = png.indexOf("fcTL"); at > 0; at = png.indexOf("fcTL", at + 4)) {
        ++frames;
        const int num = (static_cast<unsigned char>(png[at + 24]) << 8) |
                        static_cast<unsigned char>(png[at + 25]);
        const int den = (static_cast<unsigned char>(png[at + 26]) << 8) |
                        static_cast<unsigned char>(png[at + 27]);
        ASSERT_GT(den, 0);
        const double ms = 1000.0 * num / den;
        EXPECT_DOUBLE_EQ(ms, std::round(ms)) << "frame " << frames;
        EXPECT_NEAR(ms, 1000.0 / 12, 1.0) << "frame " << frames;
        loop += ms;
    }
    EXPECT_EQ(frames, 6);
    EXPECT_DOUBLE_EQ(loop, 500.0);
    const QImage first(result + ".png");
    EXPECT_EQ(first.size(), QSize(31, 17));
    EXPECT_EQ(first.pixelColor(3, 3).alpha(), 0);
    EXPECT_EQ(first.pixelColor(20, 5), frameColour(0, false));
}

// Through libwebp's own demuxer: frames, timestamps, loop and the exact pixels.
TEST(Animation, WebpIsLosslessByDefaultAndLossyOnRequest) {
    for (int quality : {-1, 60}) {
        ToolWorkspace ws;
        const QString result = writeAnimationJob(ws, "webp", 20, quality);
        const ToolRun run = ws.run(kClipWeave);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QByteArray bytes = readAll(result + ".webp");
        WebPData data{reinterpret_cast<const uint8_t*>(bytes.constData()),
                      static_cast<size_t>(bytes.size())};
        WebPAnimDecoderOptions options;
        ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
        options.color_mode = MODE_RGBA;
        WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
        ASSERT_NE(decoder, nullptr);
        WebPAnimInfo info;
        ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &info));
        EXPECT_EQ(info.canvas_width, 31u);
        EXPECT_EQ(info.canvas_height, 17u);
        EXPECT_EQ(info.frame_count, 6u);
        EXPECT_EQ(info.loop_count, 0u);
        std::vector<int> ends;
        int index = 0;
        while (WebPAnimDecoderHasMoreFrames(decoder)) {
            uint8_t* pixels = nullptr;
            int timestamp = 0;
            ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &pixels, &timestamp));
            ends.push_back(timestamp);
            const QImage frame(pixels, 31, 17, QImage::Format_RGBA8888);
            EXPECT_EQ(frame.pixelColor(3, 3).alpha(), 0);
            const QColor expected = frameColour(index, false);
            EXPECT_TRUE(coloursNear(frame.pixelColor(20, 5), expected, quality < 0 ? 0 : 16));
            ++index;
        }
        WebPAnimDecoderDelete(decoder);
        EXPECT_EQ(ends, (std::vector<int>{50, 100, 150, 200, 250, 300}));
    }
}

TEST(Animation, BadAnimationKeysAreRefusedAndNothingIsLeft) {
    ToolWorkspace ws;
    const QString result = writeAnimationJob(ws, "tiff", 12);
    const ToolRun run = ws.run(kClipWeave);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("[animation] format")));
    ToolWorkspace quality;
    writeAnimationJob(quality, "webp", 12, 101);
    EXPECT_EQ(quality.run(kClipWeave).exitCode, 1);
    EXPECT_EQ(QDir(ws.path()).entryList(QDir::Files), QStringList());
}

}  // namespace
}  // namespace sp
