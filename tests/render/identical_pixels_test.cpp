// Every way the software device can draw (scalar, 4-wide and 8-wide pixel
// paths, any number of bands on threads) must leave the very same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "render/software_device.h"

namespace sp::render {
namespace {

struct BlendMode {
    BlendFactor cs, cd, as, ad;
};

// The blends the drawing uses, and one only the general rule handles.
const BlendMode kBlends[] = {
    {BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha, BlendFactor::One, BlendFactor::InvSrcAlpha},
    {BlendFactor::SrcAlpha, BlendFactor::One, BlendFactor::One, BlendFactor::InvSrcAlpha},
    {BlendFactor::Zero, BlendFactor::InvSrcAlpha, BlendFactor::One, BlendFactor::InvSrcAlpha},
    {BlendFactor::One, BlendFactor::Zero, BlendFactor::One, BlendFactor::Zero},
    {BlendFactor::InvSrcAlpha, BlendFactor::SrcAlpha, BlendFactor::One, BlendFactor::One},
};

struct Sampling {
    bool textured;
    TextureFilter filter;
    TextureAddress address;
};

const Sampling kSamplings[] = {
    {false, TextureFilter::Point, TextureAddress::Wrap},
    {true, TextureFilter::Point, TextureAddress::Wrap},
    {true, TextureFilter::Point, TextureAddress::Clamp},
    {true, TextureFilter::Linear, TextureAddress::Wrap},
    {true, TextureFilter::Linear, TextureAddress::Clamp},
};

// A canvas of odd size, so that bands and pixel runs never divide it evenly.
constexpr int kWidth = 131, kHeight = 97;
constexpr int kPrimitivesPerMode = 200;

ParticleVertex vertex(float x, float y, uint32_t colour, float u, float v) {
    ParticleVertex p;
    p.x = x;
    p.y = y;
    p.diffuse = colour;
    p.u = u;
    p.v = v;
    return p;
}

class RandomScene {
  public:
    explicit RandomScene(uint32_t seed) : m_random(seed) {
        for (auto [w, h] : {std::pair{16, 16}, std::pair{64, 32}, std::pair{12, 5}, std::pair{1, 1},
                            std::pair{128, 128}}) {
            m_textures.emplace_back(w, h);
            for (uint32_t& p : m_textures.back().pixels()) p = colour();
        }
        m_background.resize(static_cast<std::size_t>(kWidth) * kHeight);
        for (uint32_t& p : m_background) p = colour();
    }

    // Draws 200 random primitives in every blend and sampling mode: large and
    // tiny quads, thin triangles and long curving strips like trails.
    void draw(SoftwareDevice& device) {
        device.backBuffer().pixels() = m_background;
        std::mt19937 random = m_random;
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto colourOf = [&]() {
            const uint32_t a =
                pick(4) == 0 ? 0u : (pick(3) == 0 ? 255u : static_cast<uint32_t>(pick(256)));
            return a << 24 | static_cast<uint32_t>(random() & 0xFFFFFF);
        };
        std::vector<ParticleVertex> v;
        for (const BlendMode& blend : kBlends) {
            for (const Sampling& sampling : kSamplings) {
                device.setColourBlend(blend.cs, blend.cd);
                device.setAlphaBlend(blend.as, blend.ad);
                device.setFilter(sampling.filter);
                device.setAddressMode(sampling.address);
                for (int n = 0; n < kPrimitivesPerMode; ++n) {
                    device.setTexture(sampling.textured
                                          ? &m_textures[static_cast<std::size_t>(pick(5))]
                                          : nullptr);
                    const uint32_t c = pick(3) == 0 ? 0xFFFFFFFFu : colourOf();
                    const int shape = pick(4);
                    v.clear();
                    if (shape == 3) {
                        // A strip along a curve, a few pixels a segment, as trails are.
                        const int points = 2 + pick(30);
                        float x = static_cast<float>(pick(kWidth)),
                              y = static_cast<float>(pick(kHeight));
                        const float half = 0.5f + static_cast<float>(pick(40)) * 0.5f;
                        float dx = static_cast<float>(pick(9) - 4) * 0.75f,
                              dy = static_cast<float>(pick(9) - 4) * 0.75f;
                        for (int k = 0; k < points; ++k) {
                            const float u = 1.0f - static_cast<float>(k) / points;
                            v.push_back(
                                vertex(x - dy * half * 0.3f, y + dx * half * 0.3f, c, u, 0));
                            v.push_back(
                                vertex(x + dy * half * 0.3f, y - dx * half * 0.3f, c, u, 1));
                            x += dx;
                            y += dy;
                            dx += static_cast<float>(pick(5) - 2) * 0.25f;
                            dy += static_cast<float>(pick(5) - 2) * 0.25f;
                        }
                    } else {
                        const int count = shape == 2 ? 3 : 4;
                        const float size = shape == 0 ? 3.0f + static_cast<float>(pick(120))
                                                      : 1.0f + static_cast<float>(pick(12));
                        const float cx = static_cast<float>(pick(kWidth + 40) - 20),
                                    cy = static_cast<float>(pick(kHeight + 40) - 20);
                        for (int k = 0; k < count; ++k) {
                            const float x = cx + (static_cast<float>(pick(1000)) / 1000.0f) * size;
                            const float y = cy + (static_cast<float>(pick(1000)) / 1000.0f) * size;
                            v.push_back(vertex(x, y, pick(8) == 0 ? colourOf() : c,
                                               static_cast<float>(pick(40)) / 16.0f - 0.5f,
                                               static_cast<float>(pick(40)) / 16.0f - 0.5f));
                        }
                        if (count == 4 && pick(2) == 0) {
                            // An upright or turned rectangle, as particles are drawn.
                            const float w = size, h = size * 0.5f + 1.0f;
                            const float turn = static_cast<float>(pick(360)) * 0.0174533f;
                            const float cosine = std::cos(turn), sine = std::sin(turn);
                            const float corners[4][4] = {{-0.5f, 0.5f, 0, 1},
                                                         {-0.5f, -0.5f, 0, 0},
                                                         {0.5f, 0.5f, 1, 1},
                                                         {0.5f, -0.5f, 1, 0}};
                            for (int k = 0; k < 4; ++k) {
                                const float x = corners[k][0] * w, y = corners[k][1] * h;
                                v[static_cast<std::size_t>(k)] =
                                    vertex(x * cosine - y * sine + cx, x * sine + y * cosine + cy,
                                           c, corners[k][2], corners[k][3]);
                            }
                        }
                    }
                    device.drawTriangleStrip(v.data(), v.size());
                }
            }
        }
    }

  private:
    uint32_t colour() {
        const uint32_t a = m_random() % 4 == 0 ? 0u : static_cast<uint32_t>(m_random() % 256);
        return a << 24 | static_cast<uint32_t>(m_random() & 0xFFFFFF);
    }

    std::mt19937 m_random;
    std::vector<Texture> m_textures;
    std::vector<uint32_t> m_background;
};

uint64_t fingerprint(const Texture& t) {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t p : t.pixels()) {
        for (int k = 0; k < 4; ++k) {
            h ^= (p >> (8 * k)) & 0xFFu;
            h *= 1099511628211ull;
        }
    }
    return h;
}

// The fingerprint of the scene as the one-thread, general-rule renderer drew it
// before there were pixel paths and bands.
constexpr uint64_t kRecordedFingerprint = 0x1ae3da6d7e6b826dull;

const char* nameOf(PixelPath path) {
    switch (path) {
        case PixelPath::Scalar:
            return "scalar";
        case PixelPath::Sse2:
            return "SSE2";
        case PixelPath::Avx2:
            return "AVX2";
        case PixelPath::Avx512:
            return "AVX-512";
    }
    return "?";
}

// A strip drawn whole, or as its triangles one at a time.
void drawStrip(SoftwareDevice& device, const std::vector<ParticleVertex>& v, bool asTriangles) {
    if (asTriangles) {
        for (std::size_t k = 2; k < v.size(); ++k) device.drawTriangleStrip(v.data() + k - 2, 3);
    } else {
        device.drawTriangleStrip(v.data(), v.size());
    }
}

// Draws the strips of draw(device, asTriangles) whole on every given path and
// thread count, and asserts the bytes of their triangles drawn one at a time
// by the general rules.
template <class Draw>
void expectStripsDrawAsTheirTriangles(int width, int height, Draw&& draw,
                                      std::initializer_list<PixelPath> paths,
                                      std::initializer_list<int> threadCounts,
                                      const std::string& context = {}) {
    SoftwareDevice reference(width, height);
    reference.setFastPaths(false);
    draw(reference, true);
    for (PixelPath path : paths) {
        for (int threads : threadCounts) {
            SoftwareDevice device(width, height);
            device.setPixelPath(path);
            device.setThreads(threads);
            draw(device, false);
            ASSERT_EQ(device.backBuffer().pixels(), reference.backBuffer().pixels())
                << context << nameOf(device.pixelPath()) << " path, " << threads << " threads";
        }
    }
}

TEST(IdenticalPixels, EveryPathAndThreadCountDrawsTheRecordedScene) {
    RandomScene scene(20261209);
    SoftwareDevice reference(kWidth, kHeight);
    reference.setFastPaths(false);
    reference.setThreads(1);
    scene.draw(reference);
    ASSERT_EQ(fingerprint(reference.backBuffer()), kRecordedFingerprint);

    for (PixelPath path :
         {PixelPath::Scalar, PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}) {
        for (int threads : {1, 2, 3, 8}) {
            SoftwareDevice device(kWidth, kHeight);
            device.setPixelPath(path);
            device.setThreads(threads);
            EXPECT_EQ(device.threads(), threads);
            scene.draw(device);
            ASSERT_EQ(device.backBuffer().pixels(), reference.backBuffer().pixels())
                << nameOf(device.pixelPath()) << " path, " << threads << " threads";
        }
    }
}

// Strips that fold back over themselves, cross, stop dead (repeated points)
// or run straight (collinear points): drawn as one strip they must give the
// bytes of their triangles drawn one at a time, in every mode and on every
// path, so that a pixel two triangles cover is still blended twice, in order.
class FoldedStrips {
  public:
    explicit FoldedStrips(uint32_t seed) : m_random(seed), m_texture(16, 8), m_odd(12, 5) {
        for (uint32_t& p : m_texture.pixels()) p = 0x80000000u | (m_random() & 0x7FFFFFFFu);
        for (uint32_t& p : m_odd.pixels()) p = m_random();
    }

    void draw(SoftwareDevice& device, bool asTriangles) {
        device.clear(0xFF204060u);
        std::mt19937 random = m_random;
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        std::vector<ParticleVertex> v;
        for (const BlendMode& blend : kBlends) {
            for (const Sampling& sampling : kSamplings) {
                device.setColourBlend(blend.cs, blend.cd);
                device.setAlphaBlend(blend.as, blend.ad);
                device.setFilter(sampling.filter);
                device.setAddressMode(sampling.address);
                device.setTexture(sampling.textured ? (pick(3) == 0 ? &m_odd : &m_texture)
                                                    : nullptr);
                for (int n = 0; n < 12; ++n) {
                    v.clear();
                    const uint32_t colour =
                        pick(3) == 0 ? 0xFFFFFFFFu : (0x60000000u | (random() & 0xFFFFFF));
                    const bool shaded = pick(4) == 0;  // a colour of its own at every vertex
                    const int points = 3 + pick(24);
                    float x = static_cast<float>(pick(kWidth)),
                          y = static_cast<float>(pick(kHeight));
                    float dx = static_cast<float>(pick(9) - 4),
                          dy = static_cast<float>(pick(9) - 4);
                    const float half = 1.0f + static_cast<float>(pick(30));
                    for (int k = 0; k < points; ++k) {
                        const int event = pick(6);
                        if (event == 0) {
                            // Turn back: the next segments lie over the last ones.
                            dx = -dx;
                            dy = -dy;
                        } else if (event == 1 && k > 0) {
                            // Stay put: a segment of no length.
                            v.push_back(v[v.size() - 2]);
                            v.push_back(v[v.size() - 2]);
                            continue;
                        }
                        const float length = std::sqrt(dx * dx + dy * dy);
                        const float nx = length > 0 ? -dy / length * half : half,
                                    ny = length > 0 ? dx / length * half : 0;
                        // Sometimes the sides swap, twisting the strip across itself.
                        const float side = pick(7) == 0 ? -1.0f : 1.0f;
                        const float u = static_cast<float>(k) / static_cast<float>(points) * 3.0f;
                        auto c = [&]() { return shaded ? random() : colour; };
                        v.push_back(vertex(x - nx * side, y - ny * side, c(), u, 0));
                        v.push_back(vertex(x + nx * side, y + ny * side, c(), u, 1));
                        x += dx;
                        y += dy;
                        dx += static_cast<float>(pick(3) - 1);
                        dy += static_cast<float>(pick(3) - 1);
                    }
                    drawStrip(device, v, asTriangles);
                }
            }
        }
    }

  private:
    std::mt19937 m_random;
    Texture m_texture, m_odd;
};

TEST(IdenticalPixels, FoldedAndDegenerateStripsDrawAsTheirTrianglesOneByOne) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        FoldedStrips strips(seed);
        expectStripsDrawAsTheirTriangles(
            kWidth, kHeight,
            [&](SoftwareDevice& device, bool asTriangles) { strips.draw(device, asTriangles); },
            {PixelPath::Scalar, PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}, {1, 3},
            "seed " + std::to_string(seed) + ", ");
    }
}

// A strip laid exactly back over itself blends its pixels twice.
TEST(IdenticalPixels, StripFoldedOntoItselfBlendsTheOverlapTwice) {
    const uint32_t c = 0x80FFFFFFu;
    const ParticleVertex v[6] = {{4, 4, 0, 1, c, 0, 0},  {4, 12, 0, 1, c, 0, 1},
                                 {20, 4, 0, 1, c, 0, 0}, {20, 12, 0, 1, c, 0, 1},
                                 {4, 4, 0, 1, c, 0, 0},  {4, 12, 0, 1, c, 0, 1}};
    for (PixelPath path :
         {PixelPath::Scalar, PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}) {
        SoftwareDevice device(24, 16);
        device.setPixelPath(path);
        device.clear(0xFF000000u);
        device.drawTriangleStrip(v, 6);
        // Once: 128/255 of white; twice: the rest of the way half again.
        EXPECT_EQ(device.backBuffer().pixel(12, 8) & 0xFFu, 192u) << nameOf(device.pixelPath());
        EXPECT_EQ(device.backBuffer().pixel(2, 8), 0xFF000000u);
    }
}

// Strips as long as a wide canvas, too large to be walked triangle by triangle,
// and strips whose colour changes along them, which must be walked a row at a
// time: both must still give the bytes of their triangles drawn one by one.
TEST(IdenticalPixels, WideAndManyColouredStripsDrawAsTheirTriangles) {
    constexpr int kWide = 640, kTall = 360;
    Texture texture(16, 8);
    std::mt19937 random(5);
    for (uint32_t& p : texture.pixels()) p = random();
    auto draw = [&](SoftwareDevice& device, bool asTriangles) {
        device.clear(0xFF102030u);
        device.setTexture(&texture);
        std::vector<ParticleVertex> v;
        for (const BlendMode& blend : {kBlends[0], kBlends[1]}) {
            device.setColourBlend(blend.cs, blend.cd);
            device.setAlphaBlend(blend.as, blend.ad);
            for (TextureFilter filter : {TextureFilter::Point, TextureFilter::Linear}) {
                device.setFilter(filter);
                for (int strip = 0; strip < 4; ++strip) {
                    // A wave across the canvas, its colour changing every few
                    // segments in the odd strips.
                    v.clear();
                    const float half = 20.0f + 17.0f * static_cast<float>(strip);
                    for (int k = 0; k <= 80; ++k) {
                        const float x = -10.0f + static_cast<float>(k) * 8.3f;
                        const float y = 180.0f + 120.0f * std::sin(static_cast<float>(k) * 0.11f +
                                                                   static_cast<float>(strip));
                        const uint32_t c =
                            strip % 2 == 1 && (k / 3) % 2 == 1 ? 0xC0FFA040u : 0xFFFFFFFFu;
                        const float u = static_cast<float>(k) * 0.37f;
                        v.push_back(vertex(x, y - half, c, u, 0));
                        v.push_back(vertex(x + 2.5f, y + half, c, u, 1));
                    }
                    drawStrip(device, v, asTriangles);
                }
            }
        }
    };
    expectStripsDrawAsTheirTriangles(
        kWide, kTall, draw,
        {PixelPath::Scalar, PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}, {1, 3});
}

// Trails drawn from their head back, so that each segment lies before the last
// along the rows, with segments narrower and wider than eight pixels, heights
// of no whole number of eight rows, and parts off the canvas.
TEST(IdenticalPixels, TrailsDrawnHeadFirstDrawAsTheirTriangles) {
    constexpr int kWide = 200, kTall = 120;
    Texture texture(8, 8);
    std::mt19937 random(11);
    for (uint32_t& p : texture.pixels()) p = random();
    auto draw = [&](SoftwareDevice& device, bool asTriangles) {
        device.clear(0xFF102030u);
        device.setTexture(&texture);
        device.setColourBlend(BlendFactor::SrcAlpha, BlendFactor::One);
        device.setAlphaBlend(BlendFactor::One, BlendFactor::InvSrcAlpha);
        std::vector<ParticleVertex> v;
        for (TextureFilter filter : {TextureFilter::Point, TextureFilter::Linear}) {
            device.setFilter(filter);
            for (int trail = 0; trail < 6; ++trail) {
                v.clear();
                const float step = 1.3f + 3.1f * static_cast<float>(trail);  // 1.3 … 16.8 pixels
                const float half = 3.3f + 9.7f * static_cast<float>(trail % 3);
                const float headX = 150.0f + 17.0f * static_cast<float>(trail % 2);
                for (int k = 0; k <= 24; ++k) {
                    const float x = headX - static_cast<float>(k) * step;
                    const float y = -8.0f + 25.0f * static_cast<float>(trail) +
                                    0.02f * static_cast<float>(k * k);
                    const float u = static_cast<float>(k) * 0.29f;
                    v.push_back(vertex(x, y - half, 0xFFFFFFFFu, u, 0));
                    v.push_back(vertex(x + 0.7f, y + half, 0xFFFFFFFFu, u, 1));
                }
                drawStrip(device, v, asTriangles);
            }
        }
    };
    expectStripsDrawAsTheirTriangles(
        kWide, kTall, draw, {PixelPath::Scalar, PixelPath::Avx2, PixelPath::Avx512}, {1, 2});
}

// Draws kept for the bands are drawn before the target changes, is cleared or
// is read, in the order they were made.
// Rows of every length from 1 to 40 pixels: each path splits a row into steps
// of its own widths, and each step fetches as many lanes as its length needs,
// so every length must give the bytes of the general rules, sampled at a slant
// across the texture, modulated or not.
TEST(IdenticalPixels, RowsOfEveryLengthDrawAsTheGeneralRulesDo) {
    std::mt19937 random(41);
    Texture texture(16, 16);
    for (uint32_t& p : texture.pixels()) p = random() & (random() % 4 == 0 ? 0x00FFFFFFu : ~0u);
    auto draw = [&](SoftwareDevice& device) {
        device.clear(0xFF336699u);
        device.setTexture(&texture);
        int y = 0;
        for (TextureFilter filter : {TextureFilter::Point, TextureFilter::Linear}) {
            device.setFilter(filter);
            for (const BlendMode& blend : {kBlends[0], kBlends[1]}) {
                device.setColourBlend(blend.cs, blend.cd);
                device.setAlphaBlend(blend.as, blend.ad);
                for (uint32_t colour : {0xFFFFFFFFu, 0xC080FF40u}) {
                    for (int n = 1; n <= 40; ++n, y += 2) {
                        const float x0 = 3.25f, x1 = x0 + static_cast<float>(n), top = y + 0.25f;
                        auto at = [&](float x, float yy) {
                            return vertex(x, yy, colour, 0.07f * x + 0.03f * yy,
                                          0.05f * x - 0.08f * yy);
                        };
                        const ParticleVertex quad[4] = {at(x0, top), at(x0, top + 2), at(x1, top),
                                                        at(x1, top + 2)};
                        device.drawTriangleStrip(quad, 4);
                    }
                }
            }
        }
    };
    SoftwareDevice reference(48, 640);
    reference.setFastPaths(false);
    draw(reference);
    for (PixelPath path : {PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}) {
        SoftwareDevice device(48, 640);
        device.setPixelPath(path);
        device.setThreads(1);
        draw(device);
        ASSERT_EQ(device.backBuffer().pixels(), reference.backBuffer().pixels()) << nameOf(path);
    }
}

// Outlines drawn alone whose edges cross rows too steeply, or too far away, for
// the fixed-point crossings: their rows must still end where the general rules
// end them, however the rows are walked; and corners far above or below the
// target must not keep any band from drawing its rows of them.
TEST(IdenticalPixels, OutlinesReachingFarBeyondTheTargetDrawAsTheGeneralRulesDo) {
    std::mt19937 random(7);
    Texture texture(16, 16);
    for (uint32_t& p : texture.pixels()) p = random() | 0xFF000000u;
    auto draw = [&](SoftwareDevice& device) {
        device.clear(0xFF204060u);
        device.setTexture(&texture);
        device.setColourBlend(kBlends[0].cs, kBlends[0].cd);
        device.setAlphaBlend(kBlends[0].as, kBlends[0].ad);
        for (uint32_t colour : {0xFFFFFFFFu, 0x80FF8040u}) {
            // A corner a billion pixels away.
            const ParticleVertex far[3] = {vertex(1e9f, 20.3f, colour, 0, 0),
                                           vertex(10.2f, 3.7f, colour, 3, 1),
                                           vertex(30.6f, 41.1f, colour, 1, 3)};
            device.drawTriangleStrip(far, 3);
            // A sliver across the target, its long sides a hundred thousand
            // pixels along for each row they fall.
            const ParticleVertex sliver[4] = {
                vertex(-3e5f, 10.25f, colour, 0, 0), vertex(-3e5f, 26.75f, colour, 0, 2),
                vertex(3e5f, 14.25f, colour, 2, 0), vertex(3e5f, 30.75f, colour, 2, 2)};
            device.drawTriangleStrip(sliver, 4);
            const ParticleVertex below[3] = {vertex(5.5f, 2.2f, colour, 0, 0),
                                             vertex(40.7f, 9.9f, colour, 1, 0),
                                             vertex(20.0f, 1e10f, colour, 0, 1)};
            device.drawTriangleStrip(below, 3);
            const ParticleVertex above[3] = {vertex(50.5f, 45.2f, colour, 0, 0),
                                             vertex(60.1f, 30.3f, colour, 1, 0),
                                             vertex(55.0f, -1e10f, colour, 0, 1)};
            device.drawTriangleStrip(above, 3);
        }
    };
    SoftwareDevice reference(64, 48);
    reference.setFastPaths(false);
    draw(reference);
    for (PixelPath path : {PixelPath::Sse2, PixelPath::Avx2, PixelPath::Avx512}) {
        for (int threads : {1, 3}) {
            SoftwareDevice device(64, 48);
            device.setPixelPath(path);
            device.setThreads(threads);
            draw(device);
            ASSERT_EQ(device.backBuffer().pixels(), reference.backBuffer().pixels())
                << nameOf(device.pixelPath()) << " path, " << threads << " threads";
        }
    }
}

TEST(IdenticalPixels, KeptDrawsLandOnTheTargetTheyWereMadeFor) {
    auto drawBoth = [](SoftwareDevice& device, Texture& other) {
        const ParticleVertex quad[4] = {{2, 30, 0, 1, 0x80FF0000u, 0, 1},
                                        {2, 2, 0, 1, 0x80FF0000u, 0, 0},
                                        {30, 30, 0, 1, 0x80FF0000u, 1, 1},
                                        {30, 2, 0, 1, 0x80FF0000u, 1, 0}};
        device.clear(0xFF000000u);
        device.drawTriangleStrip(quad, 4);
        device.setRenderTarget(&other);
        device.clear(0xFF0000FFu);
        device.drawTriangleStrip(quad, 4);
        device.clear(0xFF00FF00u);  // what was drawn before is covered
        device.drawTriangleStrip(quad + 1, 3);
        device.setRenderTarget(nullptr);
        device.drawTriangleStrip(quad + 1, 3);
    };
    SoftwareDevice one(32, 32), many(32, 32);
    many.setThreads(3);
    Texture a(32, 32), b(32, 32);
    drawBoth(one, a);
    drawBoth(many, b);
    EXPECT_EQ(a.pixels(), b.pixels());
    EXPECT_EQ(one.backBuffer().pixels(), many.backBuffer().pixels());
    EXPECT_NE(b.pixel(20, 5), 0xFF00FF00u);  // the last triangle covers it
    // A clear the bands take with nothing drawn after it still covers every row.
    many.clear(0xFF123456u);
    const std::vector<uint32_t> cleared(32 * 32, 0xFF123456u);
    EXPECT_EQ(many.backBuffer().pixels(), cleared);
}

}  // namespace
}  // namespace sp::render
