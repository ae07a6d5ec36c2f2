#include "render/software_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace sp::render {
namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

ParticleVertex vertex(float x, float y, uint32_t colour, float u = 0, float v = 0) {
    ParticleVertex p;
    p.x = x;
    p.y = y;
    p.diffuse = colour;
    p.u = u;
    p.v = v;
    return p;
}

// A quad as two triangles of a strip, in the particle drawing's vertex order.
void drawQuad(Device& d, float x0, float y0, float x1, float y1, uint32_t colour) {
    const ParticleVertex quad[4] = {vertex(x0, y1, colour, 0, 1), vertex(x0, y0, colour, 0, 0),
                                    vertex(x1, y1, colour, 1, 1), vertex(x1, y0, colour, 1, 0)};
    d.drawTriangleStrip(quad, 4);
}

std::vector<std::string> coverage(const Texture& t, uint32_t background) {
    std::vector<std::string> rows;
    for (int y = 0; y < t.height(); ++y) {
        std::string row;
        for (int x = 0; x < t.width(); ++x) row += t.pixel(x, y) == background ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

class SoftwareDeviceTest : public ::testing::Test {
  protected:
    SoftwareDevice device{6, 6};
    void SetUp() override {
        device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
        device.setAlphaBlend(BlendFactor::One, BlendFactor::InvSrcAlpha);
        device.clear(kOpaqueBlack);
    }
};

TEST_F(SoftwareDeviceTest, AnAxisAlignedQuadCoversThePixelsWhoseCentresItHolds) {
    drawQuad(device, 1, 1, 4, 3, 0xFFFFFFFFu);
    EXPECT_EQ(
        coverage(device.backBuffer(), kOpaqueBlack),
        (std::vector<std::string>{"......", ".###..", ".###..", "......", "......", "......"}));

    // Edges through pixel centres: the left and top ones are in, the right and bottom ones out.
    device.clear(kOpaqueBlack);
    drawQuad(device, 0.5f, 0.5f, 2.5f, 3.5f, 0xFFFFFFFFu);
    EXPECT_EQ(
        coverage(device.backBuffer(), kOpaqueBlack),
        (std::vector<std::string>{"##....", "##....", "##....", "......", "......", "......"}));
}

TEST_F(SoftwareDeviceTest, SharedEdgesAreDrawnExactlyOnce) {
    // Half-transparent white: a pixel drawn twice would come out brighter, a missed one stays
    // black.
    const uint32_t half = 0x80FFFFFFu;
    const uint32_t once = 0xFF808080u;
    // A turned quad whose diagonal and outer edges pass exactly through pixel centres.
    const ParticleVertex turned[4] = {vertex(0.5f, 3.5f, half), vertex(2.5f, 0.5f, half),
                                      vertex(2.5f, 5.5f, half), vertex(4.5f, 3.5f, half)};
    device.drawTriangleStrip(turned, 4);
    // Neighbouring quads sharing an edge through pixel centres.
    SoftwareDevice strip(8, 2);
    strip.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
    strip.clear(kOpaqueBlack);
    for (int i = 0; i < 4; ++i) drawQuad(strip, 0.5f + 1.5f * i, 0, 2.0f + 1.5f * i, 2, half);
    for (const Texture* t : {&device.backBuffer(), &strip.backBuffer()}) {
        for (uint32_t p : t->pixels()) EXPECT_TRUE(p == kOpaqueBlack || p == once) << std::hex << p;
    }
    for (int x = 1; x < 6; ++x) EXPECT_EQ(strip.backBuffer().pixel(x, 0), once) << x;
}

TEST_F(SoftwareDeviceTest, BlendFactorsForColourAndAlphaApplySeparately) {
    struct Case {
        BlendFactor source, destination;
        uint32_t target, drawn, expectedColour;
    };
    const Case cases[] = {
        // normal: 25 % red over blue
        {BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, 0xFF0000FFu, 0x40FF0000u, 0x004000BFu},
        // additive: clamps at 255
        {BlendFactor::SrcAlpha, BlendFactor::One, 0xFFC0C0C0u, 0x80FFFFFFu, 0x00FFFFFFu},
        // darkening: the target loses the source's alpha share, the source colour does not count
        {BlendFactor::Zero, BlendFactor::InvSrcAlpha, 0xFFC8C8C8u, 0x80FFFFFFu, 0x00646464u},
        // copy
        {BlendFactor::One, BlendFactor::Zero, 0xFF123456u, 0x00ABCDEFu, 0x00ABCDEFu},
    };
    for (const Case& c : cases) {
        SoftwareDevice d(2, 2);
        d.setColourBlend(c.source, c.destination);
        d.setAlphaBlend(BlendFactor::One, BlendFactor::InvSrcAlpha);
        d.clear(c.target);
        drawQuad(d, 0, 0, 2, 2, c.drawn);
        EXPECT_EQ(d.backBuffer().pixel(1, 1) & 0xFFFFFFu, c.expectedColour) << std::hex << c.drawn;
    }
}

TEST_F(SoftwareDeviceTest, AlphaAccumulatesAsSourcePlusTargetTimesTheRest) {
    SoftwareDevice d(1, 1);
    d.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::One);  // whatever the colour blend
    d.setAlphaBlend(BlendFactor::One, BlendFactor::InvSrcAlpha);
    d.clear(0);
    drawQuad(d, 0, 0, 1, 1, 0x80FFFFFFu);
    EXPECT_EQ(d.backBuffer().pixel(0, 0) >> 24, 128u);
    drawQuad(d, 0, 0, 1, 1, 0x80FFFFFFu);
    EXPECT_EQ(d.backBuffer().pixel(0, 0) >> 24, 192u);  // 128 + 128 × 127 / 255
    d.setAlphaBlend(BlendFactor::One, BlendFactor::One);
    drawQuad(d, 0, 0, 1, 1, 0x80FFFFFFu);
    EXPECT_EQ(d.backBuffer().pixel(0, 0) >> 24, 255u);  // clamped
}

TEST_F(SoftwareDeviceTest, TexturesAreModulatedSampledAndWrapped) {
    Texture checker(2, 2);
    checker.setPixel(0, 0, 0xFFFF0000u);
    checker.setPixel(1, 0, 0xFF00FF00u);
    checker.setPixel(0, 1, 0xFF0000FFu);
    checker.setPixel(1, 1, 0x00FFFFFFu);
    SoftwareDevice d(4, 4);
    d.setColourBlend(BlendFactor::One, BlendFactor::Zero);
    d.setAlphaBlend(BlendFactor::One, BlendFactor::Zero);
    d.setTexture(&checker);

    // Point sampling: each 2×2 block shows one texel; u, v from 1 to 2 wrap to the same texels.
    d.setFilter(TextureFilter::Point);
    const ParticleVertex wrapped[4] = {
        vertex(0, 4, 0xFFFFFFFFu, 1, 2), vertex(0, 0, 0xFFFFFFFFu, 1, 1),
        vertex(4, 4, 0xFFFFFFFFu, 2, 2), vertex(4, 0, 0xFFFFFFFFu, 2, 1)};
    d.drawTriangleStrip(wrapped, 4);
    const Texture& out = d.backBuffer();
    EXPECT_EQ(out.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(out.pixel(3, 0), 0xFF00FF00u);
    EXPECT_EQ(out.pixel(1, 3), 0xFF0000FFu);
    EXPECT_EQ(out.pixel(2, 2), 0x00FFFFFFu);

    // Modulation by the vertex colour, for colour and alpha alike.
    drawQuad(d, 0, 0, 4, 4, 0x80808080u);
    EXPECT_EQ(out.pixel(0, 0), 0x80800000u);

    // Linear sampling blends neighbouring texels where pixels fall between them.
    d.setFilter(TextureFilter::Linear);
    const ParticleVertex shifted[4] = {
        vertex(0, 4, 0xFFFFFFFFu, 0.5f, 0.5f), vertex(0, 0, 0xFFFFFFFFu, 0.5f, 0.5f),
        vertex(4, 4, 0xFFFFFFFFu, 0.5f, 0.5f), vertex(4, 0, 0xFFFFFFFFu, 0.5f, 0.5f)};
    // Every pixel samples the middle of the texture, where all four texels meet.
    d.drawTriangleStrip(shifted, 4);
    const uint32_t blended = out.pixel(2, 2);
    EXPECT_NEAR(static_cast<int>((blended >> 24) & 0xFF), 191, 1);  // (255 + 255 + 255 + 0) / 4
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 1);  // (255 + 0 + 0 + 255) / 4
}

TEST_F(SoftwareDeviceTest, WithoutATextureTheVertexColourShows) {
    device.setTexture(nullptr);
    device.setFilter(TextureFilter::Linear);
    device.setColourBlend(BlendFactor::One, BlendFactor::Zero);
    device.setAlphaBlend(BlendFactor::One, BlendFactor::Zero);
    drawQuad(device, 0, 0, 6, 6, 0x7F123456u);
    for (uint32_t p : device.backBuffer().pixels()) EXPECT_EQ(p, 0x7F123456u);
}

TEST_F(SoftwareDeviceTest, AbsurdVerticesNeitherCrashNorDraw) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    drawQuad(device, nan, 0, 3, 3, 0xFFFFFFFFu);
    drawQuad(device, 0, 0, inf, 3, 0xFFFFFFFFu);
    drawQuad(device, 2, 2, 2, 2, 0xFFFFFFFFu);  // no area
    for (uint32_t p : device.backBuffer().pixels()) EXPECT_EQ(p, kOpaqueBlack);
    // Far outside the target, and enormous: clipped, not crashed.
    drawQuad(device, -1e9f, -1e9f, -1e8f, -1e8f, 0xFFFFFFFFu);
    drawQuad(device, -1e7f, -1e7f, 1e7f, 1e7f, 0xFFFFFFFFu);
    for (uint32_t p : device.backBuffer().pixels()) EXPECT_EQ(p, 0xFFFFFFFFu);
}

TEST(RenderTargets, DrawingGoesToTheChosenTargetAndBack) {
    SoftwareDevice device(4, 4);
    device.setColourBlend(BlendFactor::One, BlendFactor::Zero);
    Texture target(8, 8);
    device.setRenderTarget(&target);
    device.clear(0xFF00FF00u);
    drawQuad(device, 0, 0, 8, 8, 0xFFFF0000u);
    device.setRenderTarget(nullptr);
    EXPECT_EQ(target.pixel(7, 7), 0xFFFF0000u);
    EXPECT_EQ(device.backBuffer().pixel(0, 0), 0u);
    EXPECT_EQ(&device.renderTarget(), &device.backBuffer());
}

}  // namespace
}  // namespace sp::render

namespace sp::render {
namespace {

// Random outlines, textures and blends drawn twice, with the shortcuts and with
// the general per-channel rules: every pixel must be the same.
TEST(SoftwareDeviceShortcuts, GiveTheSamePixelsAsTheGeneralRules) {
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto colour = [&]() {
        const uint32_t a =
            pick(4) == 0 ? 0u : (pick(3) == 0 ? 255u : static_cast<uint32_t>(pick(256)));
        return a << 24 | static_cast<uint32_t>(random() & 0xFFFFFF);
    };
    std::vector<Texture> textures;
    for (auto [w, h] : {std::pair{16, 16}, std::pair{8, 32}, std::pair{12, 5}, std::pair{1, 1}}) {
        textures.emplace_back(w, h);
        for (uint32_t& p : textures.back().pixels()) p = colour();
    }
    const std::pair<BlendFactor, BlendFactor> colourBlends[] = {
        {BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha},
        {BlendFactor::SrcAlpha, BlendFactor::One},
        {BlendFactor::Zero, BlendFactor::InvSrcAlpha},
        {BlendFactor::One, BlendFactor::Zero},
        {BlendFactor::InvSrcAlpha, BlendFactor::SrcAlpha}};
    const std::pair<BlendFactor, BlendFactor> alphaBlends[] = {
        {BlendFactor::One, BlendFactor::InvSrcAlpha},
        {BlendFactor::One, BlendFactor::One},
        {BlendFactor::One, BlendFactor::Zero}};

    SoftwareDevice fast(48, 40), reference(48, 40);
    reference.setFastPaths(false);
    for (uint32_t& p : fast.backBuffer().pixels()) p = colour();
    reference.backBuffer().pixels() = fast.backBuffer().pixels();

    for (int draw = 0; draw < 600; ++draw) {
        const auto [cs, cd] = colourBlends[pick(5)];
        const auto [as, ad] = alphaBlends[pick(3)];
        const Texture* texture =
            pick(5) == 0 ? nullptr : &textures[static_cast<std::size_t>(pick(4))];
        const TextureFilter filter = pick(2) ? TextureFilter::Linear : TextureFilter::Point;
        const TextureAddress address = pick(4) == 0 ? TextureAddress::Clamp : TextureAddress::Wrap;
        const uint32_t c = pick(3) == 0 ? 0xFFFFFFFFu : colour();
        ParticleVertex v[6];
        const int count = pick(3) == 0 ? 6 : 4;
        for (int k = 0; k < count; ++k) {
            const float x = static_cast<float>(pick(60) - 6) + static_cast<float>(pick(8)) * 0.125f;
            const float y = static_cast<float>(pick(52) - 6) + static_cast<float>(pick(8)) * 0.125f;
            v[k] = vertex(x, y, pick(8) == 0 ? colour() : c,
                          static_cast<float>(pick(40)) / 16.0f - 0.5f,
                          static_cast<float>(pick(40)) / 16.0f - 0.5f);
        }
        for (SoftwareDevice* d : {&fast, &reference}) {
            d->setColourBlend(cs, cd);
            d->setAlphaBlend(as, ad);
            d->setTexture(texture);
            d->setFilter(filter);
            d->setAddressMode(address);
            d->drawTriangleStrip(v, static_cast<std::size_t>(count));
        }
        ASSERT_EQ(fast.backBuffer().pixels(), reference.backBuffer().pixels())
            << "after draw " << draw;
    }
}

}  // namespace
}  // namespace sp::render
