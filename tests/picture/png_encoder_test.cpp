#include "picture/png_encoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cmath>
#include <cstdint>

namespace sp {
namespace {

QImage decoded(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    return reader.read();
}

QByteArray platformPng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Soft glows on transparent black with a little noise, as particle frames
// are, and colours kept under alpha 0 (straight alpha) in one corner.
QImage glowPicture(int width, int height, QImage::Format format = QImage::Format_ARGB32) {
    QImage image(width, height, format);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 214013u + 2531011u;
            const double d = std::hypot(x % 97 - 48.0, y % 89 - 44.0);
            const int a = std::max(0, 255 - int(d * 5)) ^ int((seed >> 16) & 3);
            const int r = std::min(255, a + 40), g = a * 3 / 4, b = a / 3;
            row[x] = uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
            if (x < 8 && y < 8) row[x] = 0x00FF8040u + uint32_t(x * 8 + y);
        }
    }
    return image;
}

TEST(PngEncoder, EveryCompressionGivesBackTheExactPixels) {
    // 700 rows of 1400 bytes come in several pieces, compressed on threads.
    const QImage sizes[] = {glowPicture(1, 1), glowPicture(37, 5), glowPicture(350, 700)};
    for (const QImage& image : sizes) {
        for (const PngCompression& c : {kScratchPng, kKeptPng, PngCompression{0, false}}) {
            const QByteArray png = encodePng(image, c);
            const QImage back = decoded(png);
            ASSERT_EQ(back.format(), QImage::Format_ARGB32) << image.width() << " " << c.level;
            EXPECT_EQ(back, image) << image.width() << " level " << c.level;
            // Same picture, same bytes, however the threads ran.
            EXPECT_EQ(encodePng(image, c), png);
        }
    }
    // Pictures without alpha are written as RGB; premultiplied ones as straight alpha.
    const QImage opaque = glowPicture(300, 900, QImage::Format_RGB32);
    const QImage back = decoded(encodePng(opaque, kKeptPng));
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_EQ(back, opaque);
    const QImage premultiplied =
        glowPicture(64, 64).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded(encodePng(premultiplied, kKeptPng)),
              premultiplied.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(encodePng(QImage(), kKeptPng).isEmpty());
}

TEST(PngEncoder, KeptPicturesAreNoLargerThanThePlatformWritesThem) {
    const QImage image = glowPicture(640, 768);
    const QByteArray ours = encodePng(image, kKeptPng);
    const QByteArray platform = platformPng(image);
    EXPECT_LE(ours.size(), platform.size());
    // The pieces cost next to nothing against one stream.
    EXPECT_GT(ours.size(), platform.size() * 98 / 100);
    EXPECT_EQ(decoded(ours).dotsPerMeterX(), image.dotsPerMeterX());
    // Scratch frames trade size for speed, but not by much on such pictures.
    EXPECT_LT(encodePng(image, kScratchPng).size(), platform.size() * 2);
}

}  // namespace
}  // namespace sp
