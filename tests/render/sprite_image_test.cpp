#include "render/sprite_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "core/model/project_state.h"
#include "render/graphics.h"
#include "render/particle_renderer.h"

namespace sp::render {
namespace {

// A picture whose every pixel is distinct: x in red, y in green.
std::string writeGradient(const QTemporaryDir& dir, int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgba(x * 8, y * 8, 77, 255));
    const std::string path = dir.path().toStdString() + "/bg.png";
    image.save(QString::fromStdString(path));
    return path;
}

TEST(SpriteImages, AtItsOwnSizeThePictureIsCopiedExactly) {
    QTemporaryDir dir;
    SpriteImage image;
    ASSERT_TRUE(image.load(writeGradient(dir, 30, 20)));
    EXPECT_EQ(image.width(), 30);
    EXPECT_EQ(image.height(), 20);
    SoftwareDevice device(40, 30);
    setFixedStates(device);
    device.clear(0xFF000000u);
    ASSERT_TRUE(image.draw(device, 5, 3, 30, 20, 1.0f, 1.0f, 0.0f));
    const Texture& out = device.backBuffer();
    EXPECT_EQ(out.pixel(5, 3), 0xFF00004Du);
    EXPECT_EQ(out.pixel(5 + 29, 3 + 19), 0xFFE8984Du);  // (29 × 8, 19 × 8, 77)
    EXPECT_EQ(out.pixel(4, 3), 0xFF000000u);
    EXPECT_EQ(out.pixel(35, 3), 0xFF000000u);
    // The device's states are as they were.
    EXPECT_EQ(device.states().filter, TextureFilter::Point);
    EXPECT_EQ(device.states().address, TextureAddress::Wrap);
    EXPECT_EQ(device.states().texture, nullptr);
}

TEST(SpriteImages, TurnedAboutTheCentreAndEmptyImagesDrawNothing) {
    QTemporaryDir dir;
    SpriteImage image;
    ASSERT_TRUE(image.load(writeGradient(dir, 10, 2)));
    SoftwareDevice device(20, 20);
    device.clear(0);
    // 10 × 2 at (5, 9), turned a quarter: it stands 2 wide and 10 high about (10, 10).
    image.draw(device, 5, 9, 10, 2, 1.0f, 1.0f, 90.0f);
    int covered = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (device.backBuffer().pixel(x, y) != 0) {
                ++covered;
                EXPECT_TRUE(x >= 9 && x <= 10 && y >= 5 && y <= 14) << x << "," << y;
            }
    EXPECT_EQ(covered, 20);

    SpriteImage empty;
    EXPECT_FALSE(empty.draw(device, 0, 0, 4, 4, 1, 1, 0));
    EXPECT_FALSE(empty.load(dir.path().toStdString() + "/missing.png"));
    EXPECT_TRUE(empty.empty());
}

TEST(PreviewBackground, StretchedToTheCanvasOrAtItsOwnSize) {
    QTemporaryDir dir;
    const std::string picture = writeGradient(dir, 30, 20);
    Graphics graphics;
    ASSERT_TRUE(graphics.createGraphics(60, 40, ""));
    EXPECT_TRUE(graphics.backgroundImage().empty());
    ASSERT_TRUE(graphics.createGraphics(60, 40, picture));
    ASSERT_FALSE(graphics.backgroundImage().empty());

    ProjectState state;
    state.projectWidth = 60;
    state.projectHeight = 40;
    EmitterNode root(30);
    ParticleRenderer renderer(*graphics.device(), state);
    ASSERT_TRUE(renderer.drawFrame(&root, &graphics.backgroundImage()));
    const Texture& frame = graphics.device()->backBuffer();
    EXPECT_EQ(frame.pixel(0, 0), 0xFF00004Du);
    EXPECT_EQ(frame.pixel(59, 39), 0xFFE8984Du);  // the last picture pixel reaches the corner

    state.backgroundOriginalSize = 1;
    renderer.drawFrame(&root, &graphics.backgroundImage());
    EXPECT_EQ(frame.pixel(29, 19), 0xFFE8984Du);
    EXPECT_EQ(frame.pixel(30, 19), 0xFF000000u);  // the background colour beyond the picture

    graphics.releaseGraphics();
    graphics.releaseGraphics();  // twice is harmless
    EXPECT_FALSE(graphics.exists());
}

}  // namespace
}  // namespace sp::render
