#include "render/texture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

namespace sp::render {
namespace {

std::filesystem::path inDir(const QTemporaryDir& dir, const char* name) {
    return std::filesystem::path(dir.path().toStdString()) / name;
}

TEST(PictureTextures, SidesRoundUpToPowersOfTwoWithThePictureTopLeft) {
    QTemporaryDir dir;
    QImage picture(300, 200, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    picture.setPixel(299, 199, qRgba(1, 2, 3, 4));
    ASSERT_TRUE(picture.save(QString::fromStdString(inDir(dir, "bg.png").string())));

    const LoadedTexture loaded = loadTexture(inDir(dir, "bg.png"));
    ASSERT_TRUE(loaded.texture);
    EXPECT_EQ(loaded.fileWidth, 300);
    EXPECT_EQ(loaded.fileHeight, 200);
    EXPECT_EQ(loaded.texture->width(), 512);
    EXPECT_EQ(loaded.texture->height(), 256);
    EXPECT_EQ(loaded.texture->pixel(0, 0), 0xFF0A141Eu);
    EXPECT_EQ(loaded.texture->pixel(299, 199), 0x04010203u);  // straight alpha kept
    EXPECT_EQ(loaded.texture->pixel(300, 0), 0u);
    EXPECT_EQ(loaded.texture->pixel(0, 200), 0u);
    EXPECT_EQ(powerOfTwoAtLeast(1), 1);
    EXPECT_EQ(powerOfTwoAtLeast(1, 2), 2);
    EXPECT_EQ(powerOfTwoAtLeast(257, 2), 512);
}

TEST(PictureTextures, UnreadableAndHugePicturesAreRefused) {
    QTemporaryDir dir;
    LoadError error = LoadError::None;
    EXPECT_FALSE(loadTexture(inDir(dir, "missing.png"), &error).texture);
    EXPECT_EQ(error, LoadError::Unreadable);
    QImage wide(8193, 1, QImage::Format_ARGB32);
    wide.fill(0);
    ASSERT_TRUE(wide.save(QString::fromStdString(inDir(dir, "wide.png").string())));
    EXPECT_FALSE(loadTexture(inDir(dir, "wide.png"), &error).texture);
    EXPECT_EQ(error, LoadError::TooLarge);
}

TEST(PictureTextures, SavedPicturesKeepTheirPixelsAndCanBeCut) {
    QTemporaryDir dir;
    Texture t(8, 4, 0x80FF8000u);
    t.setPixel(0, 0, 0xFF0000FFu);
    ASSERT_TRUE(saveTexture(t, inDir(dir, "a.png"), PictureFormat::Png, 5, 3));
    QImage png(QString::fromStdString(inDir(dir, "a.png").string()));
    EXPECT_EQ(png.size(), QSize(5, 3));
    EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32).pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32).pixel(4, 2), 0x80FF8000u);

    ASSERT_TRUE(saveTexture(t, inDir(dir, "a.bmp"), PictureFormat::Bmp));
    const QImage bmp = QImage(QString::fromStdString(inDir(dir, "a.bmp").string()))
                           .convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(bmp.size(), QSize(8, 4));
    EXPECT_EQ(bmp.pixel(4, 2), 0x80FF8000u);  // alpha kept: transparent exports stay transparent
    ASSERT_TRUE(saveTexture(t, inDir(dir, "a.jpg"), PictureFormat::Jpeg));
    EXPECT_EQ(QImage(QString::fromStdString(inDir(dir, "a.jpg").string())).size(), QSize(8, 4));
    EXPECT_FALSE(saveTexture(t, inDir(dir, "no/such/folder.png"), PictureFormat::Png));
}

// Scratch frames are the texture's top-left as a PNG with exactly its pixels,
// and a write that fails, even only when the data is flushed, is reported.
TEST(PictureTextures, ScratchFramesKeepTheirPixelsAndReportFailedWrites) {
    QTemporaryDir dir;
    Texture t(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            t.setPixel(x, y, uint32_t(x * 4) << 24 | uint32_t(y * 999 + x));
    ASSERT_TRUE(saveTexture(t, inDir(dir, "s.png"), PictureFormat::Png, 40, 20, PngUse::Scratch));
    ASSERT_TRUE(saveTexture(t, inDir(dir, "k.png"), PictureFormat::Png, 40, 20, PngUse::Kept));
    const QImage scratch(QString::fromStdString(inDir(dir, "s.png").string()));
    ASSERT_EQ(scratch.size(), QSize(40, 20));
    EXPECT_EQ(scratch, QImage(QString::fromStdString(inDir(dir, "k.png").string())));
    EXPECT_EQ(scratch.convertToFormat(QImage::Format_ARGB32).pixel(39, 19), t.pixel(39, 19));

    EXPECT_FALSE(saveTexture(t, inDir(dir, "no/such/folder.png"), PictureFormat::Png, 0, 0,
                             PngUse::Scratch));
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(saveTexture(t, "/dev/full", PictureFormat::Png, 0, 0, PngUse::Scratch));
    }
}

}  // namespace
}  // namespace sp::render
