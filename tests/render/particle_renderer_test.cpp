#include "render/particle_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <numbers>
#include <sstream>

#include "render/export_frame.h"
#include "render/graphics.h"
#include "render/software_device.h"

namespace sp::render {
namespace {

constexpr int kSide = 64;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}
constexpr int alphaOf(uint32_t p) {
    return static_cast<int>(p >> 24);
}
constexpr int redOf(uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFFu);
}
constexpr int greenOf(uint32_t p) {
    return static_cast<int>((p >> 8) & 0xFFu);
}
constexpr int blueOf(uint32_t p) {
    return static_cast<int>(p & 0xFFu);
}

// Every channel within `tolerance`, printed as hex on failure.
::testing::AssertionResult near(uint32_t actual, uint32_t expected, int tolerance = 1) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFFu);
        const int e = static_cast<int>((expected >> shift) & 0xFFu);
        if (std::abs(a - e) > tolerance) {
            std::ostringstream message;
            message << std::hex << "0x" << actual << " is not within " << std::dec << tolerance
                    << " of 0x" << std::hex << expected;
            return ::testing::AssertionFailure() << message.str();
        }
    }
    return ::testing::AssertionSuccess();
}

// A node drawing solid quads of one colour and opacity (per cent of the maximum)
// at full size for every age.
void paint(EmitterNode& node, int red, int green, int blue, int alpha = 100) {
    node.redSamples.fill(red);
    node.greenSamples.fill(green);
    node.blueSamples.fill(blue);
    node.alphaSamples.fill(alpha);
    node.sizeSamples.fill(100);
}

// A particle at rest at (x, y), young, with every factor neutral.
Particle particleAt(float x, float y) {
    Particle p;
    p.position = {x, y, 0.0f};
    p.previousPosition = p.position;
    p.heading = {1.0f, 0.0f, 0.0f};
    p.age = 0;
    p.lifetime = 10;
    p.sizeFactor = 1.0f;
    p.rotationFactor = 1.0f;
    p.parentAlpha = 1.0f;
    p.parentSize = 1.0f;
    p.spin = 1;
    p.baseAngle = 0;
    p.brightness = 0;
    return p;
}

// Newest point first, as the simulation keeps it.
void setTrail(Particle& p, std::initializer_list<Vec3> newestFirst) {
    p.trail.clear();
    for (auto it = std::rbegin(newestFirst); it != std::rend(newestFirst); ++it)
        p.trail.pushNewest(*it);
}

struct Box {
    int left = kSide, top = kSide, right = -1, bottom = -1;  // inclusive
    int width() const { return right < left ? 0 : right - left + 1; }
    int height() const { return bottom < top ? 0 : bottom - top + 1; }
};

// The pixels that differ from `background`.
int coveredCount(const Texture& t, uint32_t background) {
    return static_cast<int>(std::count_if(t.pixels().begin(), t.pixels().end(),
                                          [&](uint32_t p) { return p != background; }));
}

Box coveredBox(const Texture& t, uint32_t background) {
    Box box;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x)
            if (t.pixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

int coveredInRow(const Texture& t, int y, uint32_t background) {
    int n = 0;
    for (int x = 0; x < t.width(); ++x) n += t.pixel(x, y) != background;
    return n;
}

int differingPixels(const Texture& a, const Texture& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.pixels().size(); ++i) n += a.pixels()[i] != b.pixels()[i];
    return n;
}

// A 2 × 1 texture: red where u < 0.5, green from 0.5 on, so that a picture shows
// which way the u axis runs.
Texture redGreenArrow() {
    Texture t(2, 1);
    t.setPixel(0, 0, argb(255, 255, 0, 0));
    t.setPixel(1, 0, argb(255, 0, 255, 0));
    return t;
}

// A preview device with its fixed states, cleared to opaque black, a renderer and
// a childless root whose tables draw nothing until a test fills them.
struct Canvas {
    ProjectState state;
    SoftwareDevice device{kSide, kSide};
    ParticleRenderer renderer{device, state};
    EmitterNode root{30};

    Canvas() {
        setFixedStates(device);
        device.clear(kOpaqueBlack);
        paint(root, 100, 100, 100);
    }
    Texture& picture() { return device.backBuffer(); }

    EmitterNode& addChild(EmitterNode& parent) {
        parent.children.push_back(std::make_unique<EmitterNode>(30));
        parent.children.back()->parent = &parent;
        return *parent.children.back();
    }
    // Draws one particle of `node`, after pointing it at the node.
    void draw(Particle p, EmitterNode& node) {
        p.node = &node;
        renderer.drawParticle(p, node);
    }
};

// ---------------------------------------------------------------------------
// Which particles are drawn, and which lie on top.

TEST(ParticleTreeOrder, HiddenNodeDrawsNoneOfItsOwnParticlesButItsChildrenStillDraw) {
    Canvas c;
    EmitterNode& child = c.addChild(c.root);
    c.root.maxSize = child.maxSize = 10;
    paint(c.root, 100, 0, 0);
    paint(child, 0, 100, 0);
    c.root.particles.push_back(particleAt(16, 16));
    child.particles.push_back(particleAt(48, 48));
    c.root.hidden = 1;

    c.renderer.drawNodeTree(&c.root);
    EXPECT_EQ(c.picture().pixel(16, 16), kOpaqueBlack);
    EXPECT_EQ(c.picture().pixel(48, 48), argb(255, 0, 255, 0));
    EXPECT_EQ(c.renderer.drawParticle(c.root.particles[0], c.root), 1);
    EXPECT_EQ(c.picture().pixel(16, 16), kOpaqueBlack);

    // Hiding the child instead leaves only the parent's particle.
    c.device.clear(kOpaqueBlack);
    c.root.hidden = 0;
    child.hidden = 1;
    c.renderer.drawNodeTree(&c.root);
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 0, 0));
    EXPECT_EQ(c.picture().pixel(48, 48), kOpaqueBlack);
}

TEST(ParticleTreeOrder, FirstSiblingAndItsSubtreeLieOnTopOfLaterSiblings) {
    Canvas c;
    EmitterNode& a = c.addChild(c.root);
    EmitterNode& b = c.addChild(c.root);
    EmitterNode& aChild = c.addChild(a);
    paint(a, 100, 0, 0);
    paint(b, 0, 0, 100);
    paint(aChild, 0, 100, 0);
    a.maxSize = b.maxSize = aChild.maxSize = 20;
    a.particles.push_back(particleAt(16, 32));
    b.particles.push_back(particleAt(16, 32));
    b.particles.push_back(particleAt(48, 32));
    aChild.particles.push_back(particleAt(48, 32));

    c.renderer.drawNodeTree(&c.root);
    EXPECT_EQ(c.picture().pixel(16, 32), argb(255, 255, 0, 0));  // A over B
    EXPECT_EQ(c.picture().pixel(48, 32), argb(255, 0, 255, 0));  // A's child over B
}

TEST(ParticleTreeOrder, ParentsParticlesLieOnTopOfTheirSubtreeAndNewerOnTopOfOlder) {
    Canvas c;
    EmitterNode& child = c.addChild(c.root);
    EmitterNode& grandchild = c.addChild(child);
    c.root.maxSize = child.maxSize = grandchild.maxSize = 20;
    paint(c.root, 100, 0, 0);
    paint(child, 0, 100, 0);
    paint(grandchild, 0, 0, 100);
    c.root.particles.push_back(particleAt(16, 16));
    child.particles.push_back(particleAt(16, 16));
    child.particles.push_back(particleAt(48, 48));
    grandchild.particles.push_back(particleAt(48, 48));

    // Two particles of one node: the later one in the list is the newer.
    Particle older = particleAt(48, 16);
    Particle newer = particleAt(48, 16);
    newer.brightness = -255;  // black
    grandchild.particles.push_back(older);
    grandchild.particles.push_back(newer);

    c.renderer.drawNodeTree(&c.root);
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 0, 0));
    EXPECT_EQ(c.picture().pixel(48, 48), argb(255, 0, 255, 0));
    EXPECT_EQ(c.picture().pixel(48, 16), argb(255, 0, 0, 0));
}

// ---------------------------------------------------------------------------
// Size of the quad.

TEST(ParticleSize, KeepAspectTakesTheWidthForBothSides) {
    Canvas c;
    c.root.maxSize = 50;
    c.root.maxHeight = 10;
    c.root.keepAspect = 1;
    c.draw(particleAt(32, 32), c.root);
    EXPECT_EQ(coveredCount(c.picture(), kOpaqueBlack), 50 * 50);
    const Box box = coveredBox(c.picture(), kOpaqueBlack);
    EXPECT_EQ(box.width(), 50);
    EXPECT_EQ(box.height(), 50);

    c.device.clear(kOpaqueBlack);
    c.root.keepAspect = 0;
    c.draw(particleAt(32, 32), c.root);
    EXPECT_EQ(coveredCount(c.picture(), kOpaqueBlack), 50 * 10);
    EXPECT_EQ(coveredBox(c.picture(), kOpaqueBlack).height(), 10);
}

TEST(ParticleSize, SizeCurveAndBothFactorsScaleEachSide) {
    Canvas c;
    c.root.maxSize = 50;
    c.root.maxHeight = 40;
    c.root.keepAspect = 0;
    c.root.sizeSamples.fill(0);
    c.root.sizeSamples[50] = 50;  // read at age 5 of 10
    Particle p = particleAt(32, 32);
    p.age = 5;
    p.sizeFactor = 0.8f;
    p.parentSize = 0.5f;
    c.draw(p, c.root);
    const Box box = coveredBox(c.picture(), kOpaqueBlack);
    EXPECT_EQ(box.width(), 10);  // 50 × 50 % × 0.8 × 0.5
    EXPECT_EQ(box.height(), 8);  // 40 × 50 % × 0.8 × 0.5
}

TEST(ParticleSize, ZeroLifetimeDrawsNothingVisible) {
    Canvas c;
    c.root.maxSize = 50;
    Particle p = particleAt(32, 32);
    p.lifetime = 0;
    p.brightness = 255;
    c.draw(p, c.root);
    EXPECT_EQ(coveredCount(c.picture(), kOpaqueBlack), 0);
}

// ---------------------------------------------------------------------------
// Turning the quad.

// A 60 × 3 quad centred on the canvas, turned by `degrees` (clockwise on the
// screen, y pointing down), drawn directly through the device.
Texture thinQuadAt(double degrees) {
    SoftwareDevice device(kSide, kSide);
    setFixedStates(device);
    device.clear(kOpaqueBlack);
    const double a = degrees * std::numbers::pi / 180.0;
    const double corners[4][2] = {{-30, 1.5}, {-30, -1.5}, {30, 1.5}, {30, -1.5}};
    ParticleVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const double x = corners[i][0], y = corners[i][1];
        quad[i].x = static_cast<float>(x * std::cos(a) - y * std::sin(a) + 32.0);
        quad[i].y = static_cast<float>(x * std::sin(a) + y * std::cos(a) + 32.0);
        quad[i].diffuse = 0xFFFFFFFFu;
    }
    device.drawTriangleStrip(quad, 4);
    return device.backBuffer();
}

TEST(ParticleAngle, AngleIsTruncatedToWholeDegreesAndKeepsTheSignOfTheSum) {
    // The comparisons below can tell a tenth of a degree apart on this quad.
    ASSERT_GE(differingPixels(thinQuadAt(10.0), thinQuadAt(10.7)), 5);

    struct Case {
        int32_t baseAngle, maxAngle, spin;
        double expectedDegrees;
        std::initializer_list<double> wrong;
    };
    const Case cases[] = {
        // 350 + 20.7 = 370.7 → 370 → 10°, not 10.7° (no truncation) or 11° (rounded).
        {350, 207, 1, 10.0, {10.7, 11.0}},
        // 10 − 380.4 = −370.4 → −370 → −10°, not +10° or −11° (floored).
        {10, 3804, -1, -10.0, {10.0, -10.4, -11.0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.expectedDegrees);
        Canvas c;
        c.root.maxSize = 60;
        c.root.maxHeight = 3;
        c.root.keepAspect = 0;
        c.root.maxAngle = k.maxAngle;
        c.root.rotationSamples.fill(10);  // a tenth of the maximum turn
        Particle p = particleAt(32, 32);
        p.baseAngle = k.baseAngle;
        p.spin = k.spin;
        c.draw(p, c.root);
        const int offRight = differingPixels(c.picture(), thinQuadAt(k.expectedDegrees));
        EXPECT_LE(offRight, 1);
        for (double w : k.wrong)
            EXPECT_GT(differingPixels(c.picture(), thinQuadAt(w)), offRight + 3) << w;
    }
}

// ---------------------------------------------------------------------------
// Orientation along the direction of travel.

struct TravelCase {
    Vec3 from, to, heading;
    bool tall;
};

Box travelBox(int32_t orientation, const TravelCase& k) {
    Canvas c;
    c.root.maxSize = 40;
    c.root.maxHeight = 4;
    c.root.keepAspect = 0;
    c.root.orientation = orientation;
    Particle p = particleAt(k.to.x, k.to.y);
    p.previousPosition = k.from;
    p.heading = k.heading;
    c.draw(p, c.root);
    return coveredBox(c.picture(), kOpaqueBlack);
}

TEST(TravelOrientation, StillParticleFacesItsHeadingAndMovingOneFacesItsMovement) {
    const TravelCase cases[] = {
        {{32, 32, 0}, {32, 32, 0}, {0, 1, 0}, true},     // at rest: the heading points down
        {{32, 32, 0}, {32, 32, 0}, {1, 0, 0}, false},    // at rest, heading right
        {{32, 20, 0}, {32, 32, 0}, {1, 0, 0}, true},     // moving straight down, heading ignored
        {{20, 32, 0}, {32, 32, 0}, {0, 1, 0}, false},    // moving right
        {{32, 32.5f, 0}, {32, 32, 0}, {1, 0, 0}, true},  // a small step up still counts
    };
    for (const TravelCase& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "to " << k.to.x << "," << k.to.y << " from " << k.from.x << "," << k.from.y
                     << " heading " << k.heading.x << "," << k.heading.y);
        const Box box = travelBox(kOrientTravel, k);
        EXPECT_EQ(box.width(), k.tall ? 4 : 40);
        EXPECT_EQ(box.height(), k.tall ? 40 : 4);
        // Fixed and random orientations ignore the travel.
        for (int32_t other : {kOrientFixed, kOrientRandom}) {
            const Box still = travelBox(other, k);
            EXPECT_EQ(still.width(), 40);
            EXPECT_EQ(still.height(), 4);
        }
    }
}

TEST(TravelOrientation, TextureRunsForwardAlongTheTravel) {
    // The u = 1 end of the quad leads: green where the particle is going.
    struct Case {
        Vec3 step;
        int leadX, leadY, tailX, tailY;
    };
    const Case cases[] = {
        {{1, 0, 0}, 42, 32, 22, 32},    // right
        {{-1, 0, 0}, 22, 32, 42, 32},   // left
        {{0, 1, 0}, 32, 42, 32, 22},    // down
        {{0, -1, 0}, 32, 22, 32, 42},   // up
        {{1, 1, 0}, 39, 39, 25, 25},    // down and right
        {{-1, -1, 0}, 25, 25, 39, 39},  // up and left
    };
    const Texture arrow = redGreenArrow();
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "step " << k.step.x << "," << k.step.y);
        Canvas c;
        c.renderer.setMaterialTextures({&arrow});
        c.root.imageIndex = 1;
        c.root.maxSize = 30;
        c.root.maxHeight = 6;
        c.root.keepAspect = 0;
        c.root.orientation = kOrientTravel;
        Particle p = particleAt(32, 32);
        p.previousPosition = {32 - 2 * k.step.x, 32 - 2 * k.step.y, 0};
        c.draw(p, c.root);
        EXPECT_EQ(c.picture().pixel(k.leadX, k.leadY), argb(255, 0, 255, 0));
        EXPECT_EQ(c.picture().pixel(k.tailX, k.tailY), argb(255, 255, 0, 0));
    }
}

// ---------------------------------------------------------------------------
// Colour and opacity.

TEST(ParticleColour, BrightnessIsAddedToEveryChannelAndClamped) {
    Canvas c;
    c.root.maxSize = 10;
    paint(c.root, 100, 20, 0);
    Particle bright = particleAt(16, 16);
    bright.brightness = 200;
    c.draw(bright, c.root);
    // 255 + 200 → 255 (not 455 wrapped into a byte), 51 + 200 = 251, 0 + 200 = 200.
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 251, 200));

    c.device.clear(argb(255, 90, 90, 90));
    Particle dark = particleAt(16, 16);
    dark.brightness = -300;
    c.draw(dark, c.root);
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 0, 0, 0));
}

TEST(ParticleColour, OpacityFollowsTheAlphaCurveAndTheInheritedOpacity) {
    Canvas c;
    c.root.maxSize = 10;
    paint(c.root, 100, 100, 100, 100);
    c.root.alphaSamples[50] = 60;  // age 5 of 10
    Particle p = particleAt(16, 16);
    p.age = 5;
    p.parentAlpha = 0.5f;
    c.draw(p, c.root);
    // 60 % of 255 is 153; half of it is 76 after truncation.
    EXPECT_TRUE(near(c.picture().pixel(16, 16), argb(255, 76, 76, 76), 0));
}

TEST(ParticleColour, TexturedParticleShowsTheTextureModulatedByItsColour) {
    Texture texture(2, 2);
    texture.setPixel(0, 0, argb(255, 200, 100, 50));
    texture.setPixel(1, 0, argb(255, 255, 255, 255));
    texture.setPixel(0, 1, argb(128, 255, 255, 255));
    texture.setPixel(1, 1, argb(0, 255, 255, 255));

    Canvas c;
    c.device.clear(argb(255, 0, 0, 100));
    c.renderer.setMaterialTextures({nullptr, &texture});
    c.root.imageIndex = 2;
    c.root.maxSize = 32;
    paint(c.root, 50, 100, 100);  // colour (127, 255, 255)
    c.draw(particleAt(32, 32), c.root);

    const Texture& pic = c.picture();
    EXPECT_TRUE(
        near(pic.pixel(20, 20), argb(255, 100, 100, 50)));  // (200, 100, 50) × (127, 255, 255)
    EXPECT_TRUE(
        near(pic.pixel(44, 20), argb(255, 127, 255, 255)));  // white texel: the colour itself
    EXPECT_TRUE(near(pic.pixel(20, 44), argb(255, 64, 128, 178)));  // half-transparent over blue
    EXPECT_EQ(pic.pixel(44, 44), argb(255, 0, 0, 100));  // transparent texel leaves the target
    EXPECT_EQ(pic.pixel(8, 8), argb(255, 0, 0, 100));    // outside the quad

    // Material 1 has no texture: the quad is the plain colour.
    c.root.imageIndex = 1;
    c.draw(particleAt(32, 32), c.root);
    EXPECT_EQ(pic.pixel(20, 20), argb(255, 127, 255, 255));
    EXPECT_EQ(pic.pixel(44, 44), argb(255, 127, 255, 255));
}

TEST(ParticleColour, MaterialNumbersBeyondTheListDrawUntextured) {
    Texture blue(1, 1, argb(255, 0, 0, 255));
    for (int32_t index : {2, 1000, -1, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(index);
        Canvas c;
        c.renderer.setMaterialTextures({&blue});
        c.root.imageIndex = index;
        c.root.trailImageIndex = index;
        c.root.maxSize = 10;
        paint(c.root, 100, 100, 0);
        Particle p = particleAt(16, 16);
        setTrail(p, {{16, 16, 0}, {48, 48, 0}});
        c.draw(p, c.root);
        EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 255, 0));
        EXPECT_EQ(c.picture().pixel(32, 32), argb(255, 255, 255, 0));  // on the trail
    }
    // No material list at all.
    Canvas c;
    c.root.imageIndex = 1;
    c.root.maxSize = 10;
    c.draw(particleAt(16, 16), c.root);
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 255, 255));
}

// ---------------------------------------------------------------------------
// Trails.

TEST(ParticleTrail, OnePointDrawsNothingOfItsOwn) {
    Canvas plain, trailed;
    for (Canvas* c : {&plain, &trailed}) {
        c->root.maxSize = 10;
        c->root.keepAspect = 0;
        c->root.maxHeight = 20;
    }
    Particle p = particleAt(32, 32);
    plain.draw(p, plain.root);
    setTrail(p, {{10, 10, 0}});
    trailed.draw(p, trailed.root);
    EXPECT_EQ(differingPixels(plain.picture(), trailed.picture()), 0);
}

TEST(ParticleTrail, TwoPointsMakeOneStripAsWideAsTheParticleIsHighUnderTheParticle) {
    Texture blue(1, 1, argb(255, 0, 0, 255));
    Canvas c;
    c.renderer.setMaterialTextures({&blue});
    c.root.trailImageIndex = 1;
    c.root.maxSize = 20;
    c.root.maxHeight = 6;
    c.root.keepAspect = 0;
    Particle p = particleAt(32, 12);
    p.baseAngle = 45;  // turns the quad, not the strip
    setTrail(p, {{32, 12, 0}, {32, 52, 0}});
    c.draw(p, c.root);

    const Texture& pic = c.picture();
    EXPECT_EQ(pic.pixel(32, 12), argb(255, 255, 255, 255));  // the particle covers its strip
    for (int y : {24, 30, 40, 51}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(coveredInRow(pic, y, kOpaqueBlack), 6);
        EXPECT_EQ(pic.pixel(29, y), argb(255, 0, 0, 255));
        EXPECT_EQ(pic.pixel(34, y), argb(255, 0, 0, 255));
    }
    EXPECT_EQ(coveredInRow(pic, 52, kOpaqueBlack), 0);  // ends at the oldest point
}

TEST(ParticleTrail, TrailTextureRunsFromTheNewestPointToTheOldest) {
    const Texture arrow = redGreenArrow();
    Canvas c;
    c.renderer.setMaterialTextures({&arrow});
    c.root.trailImageIndex = 1;
    c.root.maxSize = 0;  // no quad, only the strip
    c.root.maxHeight = 8;
    c.root.keepAspect = 0;
    Particle p = particleAt(56, 32);
    // u = 1, 0.75, 0.5, 0.25 from the newest point to the oldest.
    setTrail(p, {{56, 32, 0}, {40, 32, 0}, {24, 32, 0}, {8, 32, 0}});
    c.draw(p, c.root);

    const Texture& pic = c.picture();
    EXPECT_EQ(coveredCount(pic, kOpaqueBlack), 48 * 8);
    EXPECT_EQ(pic.pixel(12, 32), argb(255, 255, 0, 0));
    EXPECT_EQ(pic.pixel(20, 32), argb(255, 255, 0, 0));
    EXPECT_EQ(pic.pixel(28, 32), argb(255, 0, 255, 0));
    EXPECT_EQ(pic.pixel(52, 32), argb(255, 0, 255, 0));
}

// ---------------------------------------------------------------------------
// Blend modes.

constexpr uint32_t kGrey = argb(255, 100, 100, 100);

// One half-transparent particle of the given mode drawn over `background`.
uint32_t blendedOver(uint32_t background, int32_t mode, int red, int green, int blue) {
    Canvas c;
    c.device.clear(background);
    c.root.maxSize = 10;
    c.root.blendMode = mode;
    paint(c.root, red, green, blue, 50);  // alpha 127
    c.draw(particleAt(16, 16), c.root);
    return c.picture().pixel(16, 16);
}

TEST(BlendModes, AdditiveAddsLightAndDarkenScalesTheTargetByOpacity) {
    // Normal: the colour over the target at 127/255.
    EXPECT_TRUE(near(blendedOver(kGrey, kBlendNormal, 100, 20, 0), argb(255, 177, 76, 50)));
    // Additive: target + colour × 127/255.
    EXPECT_TRUE(near(blendedOver(kGrey, kBlendAdditive, 100, 20, 0), argb(255, 227, 125, 100)));
    EXPECT_TRUE(
        near(blendedOver(argb(255, 200, 200, 200), kBlendAdditive, 100, 100, 100), 0xFFFFFFFFu, 0));
    // Darken: target × (1 − 127/255), whatever the particle's colour.
    EXPECT_TRUE(near(blendedOver(argb(255, 200, 100, 50), kBlendDarken, 100, 100, 100),
                     argb(255, 100, 50, 25)));
    EXPECT_TRUE(
        near(blendedOver(argb(255, 200, 100, 50), kBlendDarken, 0, 0, 0), argb(255, 100, 50, 25)));
}

TEST(BlendModes, ModeOutsideTheKnownOnesKeepsThePreviousParticlesBlend) {
    for (int32_t previous : {kBlendNormal, kBlendAdditive, kBlendDarken}) {
        SCOPED_TRACE(previous);
        Canvas c;
        c.device.clear(kGrey);
        EmitterNode& first = c.addChild(c.root);
        EmitterNode& odd = c.addChild(c.root);
        first.blendMode = previous;
        odd.blendMode = 7;
        first.maxSize = odd.maxSize = 10;
        paint(first, 100, 20, 0, 50);
        paint(odd, 100, 20, 0, 50);
        c.draw(particleAt(16, 16), first);
        c.draw(particleAt(48, 48), odd);
        EXPECT_EQ(c.picture().pixel(48, 48), c.picture().pixel(16, 16));
    }
    // Within the tree: the later sibling is drawn first and hands its blend on.
    Canvas c;
    c.device.clear(kGrey);
    EmitterNode& odd = c.addChild(c.root);
    EmitterNode& additive = c.addChild(c.root);
    odd.blendMode = -1;
    additive.blendMode = kBlendAdditive;
    odd.maxSize = additive.maxSize = 10;
    paint(odd, 100, 20, 0, 50);
    paint(additive, 0, 0, 0, 0);
    additive.particles.push_back(particleAt(48, 48));
    odd.particles.push_back(particleAt(16, 16));
    c.renderer.drawNodeTree(&c.root);
    EXPECT_TRUE(near(c.picture().pixel(16, 16), argb(255, 227, 125, 100)));
}

TEST(BlendModes, TargetAlphaAccumulatesAsCoverageWhateverTheColourBlend) {
    for (int32_t mode : {kBlendNormal, kBlendAdditive, kBlendDarken}) {
        SCOPED_TRACE(mode);
        Canvas c;
        c.device.clear(0);
        c.root.maxSize = 10;
        c.root.blendMode = mode;
        paint(c.root, 100, 100, 100, 50);
        c.draw(particleAt(16, 16), c.root);
        EXPECT_EQ(alphaOf(c.picture().pixel(16, 16)), 127);
        c.draw(particleAt(16, 16), c.root);
        // 127 + 127 × (1 − 127/255), not 254 as plain addition would give.
        EXPECT_NEAR(alphaOf(c.picture().pixel(16, 16)), 191, 1);
    }
}

TEST(BlendModes, SolidColourPassDrawsEveryParticleOpaqueWithNormalBlending) {
    for (int32_t mode : {0, 1, 2, 9}) {
        SCOPED_TRACE(mode);
        Canvas c;
        c.renderer.solidColourPass = true;
        c.device.clear(argb(255, 0, 0, 200));
        c.root.maxSize = 10;
        c.root.blendMode = mode;
        paint(c.root, 100, 0, 0, 10);
        Particle p = particleAt(16, 16);
        p.parentAlpha = 0.0f;
        c.draw(p, c.root);
        EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 0, 0));
    }
}

// ---------------------------------------------------------------------------
// The preview frame.

TEST(PreviewFrame, ClearsToTheOpaqueBackgroundColourThenDrawsTheTree) {
    Canvas c;
    c.state.backgroundRed = 10;
    c.state.backgroundGreen = 0x114;  // only the low byte counts
    c.state.backgroundBlue = 30;
    c.device.clear(argb(0, 1, 2, 3));
    c.root.maxSize = 10;
    c.root.particles.push_back(particleAt(16, 16));
    EXPECT_TRUE(c.renderer.drawFrame(&c.root, nullptr));
    EXPECT_EQ(c.picture().pixel(40, 40), argb(255, 10, 0x14, 30));
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 255, 255, 255));

    // Without a tree only the background remains.
    EXPECT_TRUE(c.renderer.drawFrame(nullptr, nullptr));
    EXPECT_EQ(c.picture().pixel(16, 16), argb(255, 10, 0x14, 30));
}

TEST(PreviewFrame, DrawsNothingWhileAnExportOwnsTheDevice) {
    Canvas c;
    const uint32_t before = argb(77, 1, 2, 3);
    c.device.clear(before);
    c.state.backgroundRed = 200;
    c.state.exportInProgress = 1;
    c.root.maxSize = 10;
    c.root.particles.push_back(particleAt(16, 16));
    EXPECT_FALSE(c.renderer.drawFrame(&c.root, nullptr));
    EXPECT_EQ(coveredCount(c.picture(), before), 0);
}

// ---------------------------------------------------------------------------
// Export frames.

struct ExportCase {
    Canvas c;
    Texture target{exportTargetSide(kSide), exportTargetSide(kSide), argb(9, 9, 9, 9)};

    void render(bool transparent) {
        renderExportFrame(c.device, c.renderer, target, c.state, c.root, transparent);
    }
};

TEST(ExportFrame, OpaqueFrameIsClearedToTheBackgroundAndLeavesThePreviewAlone) {
    ExportCase e;
    e.c.device.clear(argb(255, 1, 2, 3));
    e.c.state.backgroundBlue = 80;
    e.c.root.maxSize = 10;
    e.c.root.blendMode = kBlendAdditive;
    paint(e.c.root, 100, 0, 0, 50);
    e.c.root.particles.push_back(particleAt(16, 16));
    e.render(false);
    EXPECT_EQ(e.target.pixel(40, 40), argb(255, 0, 0, 80));
    EXPECT_TRUE(near(e.target.pixel(16, 16), argb(255, 127, 0, 80)));
    EXPECT_EQ(coveredCount(e.c.picture(), argb(255, 1, 2, 3)), 0);
    EXPECT_EQ(&e.c.device.renderTarget(), &e.c.device.backBuffer());
}

TEST(ExportFrame, TransparentFrameHoldsStraightColoursAndAccumulatedCoverage) {
    ExportCase e;
    e.c.state.backgroundRed = 255;  // not used for transparent frames
    EmitterNode& normal = e.c.addChild(e.c.root);
    EmitterNode& additive = e.c.addChild(e.c.root);
    normal.maxSize = additive.maxSize = 10;
    paint(normal, 40, 80, 100, 50);
    paint(additive, 100, 60, 20, 50);
    additive.blendMode = kBlendAdditive;
    normal.particles.push_back(particleAt(16, 16));
    normal.particles.push_back(particleAt(48, 16));
    normal.particles.push_back(particleAt(48, 16));
    additive.particles.push_back(particleAt(16, 48));
    e.render(true);

    // One half-transparent particle: its own colour, not darkened towards black.
    EXPECT_TRUE(near(e.target.pixel(16, 16), argb(127, 102, 204, 255)));
    // Two of them: the same colour, more coverage.
    EXPECT_TRUE(near(e.target.pixel(48, 16), argb(191, 102, 204, 255)));
    // Additive light on nothing: its colour doubled where it does not clip.
    EXPECT_TRUE(near(e.target.pixel(16, 48), argb(127, 255, 229, 76)));
    // Nothing drawn: fully transparent.
    EXPECT_EQ(alphaOf(e.target.pixel(40, 40)), 0);
    EXPECT_EQ(alphaOf(e.target.pixel(63, 63)), 0);
}

TEST(ExportFrame, UnknownBlendModeFirstInTheSecondPassCopiesOverTheColourLayer) {
    ExportCase e;
    // The later sibling is drawn first: the odd one, then a clear one on top of it.
    EmitterNode& clear = e.c.addChild(e.c.root);
    EmitterNode& odd = e.c.addChild(e.c.root);
    clear.maxSize = odd.maxSize = 10;
    odd.blendMode = 7;
    paint(odd, 100, 0, 0, 50);
    paint(clear, 0, 0, 100, 0);  // opaque blue in the colour layer, invisible afterwards
    odd.particles.push_back(particleAt(16, 16));
    clear.particles.push_back(particleAt(16, 16));
    e.render(true);
    // The odd particle replaces the blue of the colour layer instead of blending
    // over it; its coverage accumulates as always.
    EXPECT_TRUE(near(e.target.pixel(16, 16), argb(127, 255, 0, 0)));
}

TEST(ExportFrame, TexturesAreSampledLinearly) {
    const Texture arrow = redGreenArrow();
    ExportCase e;
    e.c.renderer.setMaterialTextures({&arrow});
    e.c.root.imageIndex = 1;
    e.c.root.maxSize = 32;
    e.c.root.particles.push_back(particleAt(32, 32));
    e.render(false);
    // Across the middle of the quad red fades into green instead of stepping.
    const uint32_t middle = e.target.pixel(31, 32);
    EXPECT_GT(redOf(middle), 60);
    EXPECT_GT(greenOf(middle), 60);
    EXPECT_EQ(blueOf(middle), 0);
}

}  // namespace
}  // namespace sp::render
