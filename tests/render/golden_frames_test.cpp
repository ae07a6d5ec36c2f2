// Whole export frames of small effects, compared with reference pictures.
//
// Each effect is built here, simulated from the export's restart and rendered
// opaque and transparent. The references live in tests/render/golden/. To make
// them again after an intended change of the drawing, run the tests with
// SPARKPLUME_UPDATE_GOLDEN=1, then look at every picture before keeping it.
// A frame that does not match is written, with the reference and a picture of
// the differing pixels, to golden-actual/ in the build directory.

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/sim/simulation.h"
#include "render/export_frame.h"
#include "render/graphics.h"
#include "render/particle_renderer.h"
#include "render/software_device.h"
#include "render/texture.h"

#ifndef SPARKPLUME_GOLDEN_DIR
#error "SPARKPLUME_GOLDEN_DIR must name the folder of the reference pictures"
#endif
#ifndef SPARKPLUME_GOLDEN_OUTPUT_DIR
#error "SPARKPLUME_GOLDEN_OUTPUT_DIR must name a folder for the pictures of failed comparisons"
#endif

namespace sp::render {
namespace {

namespace fs = std::filesystem;

// The largest difference of any channel that still counts as equal.
constexpr int kTolerance = 2;

void ramp(SampleTable& table, int from, int to) {
    for (int k = 0; k <= 100; ++k)
        table[static_cast<std::size_t>(k)] = from + (to - from) * k / 100;
}

// White, opaque in the middle and fading to transparent at the rim.
Texture radialGradient(int side) {
    Texture t(side, side);
    const double centre = side / 2.0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre) / centre;
            const auto a =
                static_cast<uint32_t>(std::lround(255.0 * std::clamp(1.0 - r, 0.0, 1.0)));
            t.setPixel(x, y, a << 24 | 0xFFFFFFu);
        }
    return t;
}

// Warm white along u, opaque at u = 1 (the newest end of a trail) and fading
// towards u = 0 (the oldest).
Texture trailFade(int length) {
    Texture t(length, 2);
    for (int x = 0; x < length; ++x) {
        const auto a = static_cast<uint32_t>(255 * (x + 1) / length);
        for (int y = 0; y < 2; ++y) t.setPixel(x, y, a << 24 | 0xFFF0C8u);
    }
    return t;
}

// A project: the header, the tree and the material textures (entry k − 1 is
// material number k).
struct Effect {
    ProjectState state;
    std::unique_ptr<EmitterNode> root;
    std::vector<std::unique_ptr<Texture>> textures;

    Effect(int width, int height, int32_t seed) {
        state.projectWidth = width;
        state.projectHeight = height;
        state.emitX = width / 2;
        state.emitY = height / 2;
        state.randomSeed = seed;
        root = std::make_unique<EmitterNode>(state.frameCount);
    }
    EmitterNode& addChild(EmitterNode& parent, const char* name) {
        parent.children.push_back(std::make_unique<EmitterNode>(state.frameCount));
        EmitterNode& child = *parent.children.back();
        child.parent = &parent;
        child.name = name;
        child.emitEnd = state.frameCount;
        return child;
    }
    int32_t addTexture(Texture t) {
        textures.push_back(std::make_unique<Texture>(std::move(t)));
        return static_cast<int32_t>(textures.size());
    }
};

// Radial additive sparks turned along their flight with plain trails, over a
// textured glow that spins at a random angle with varied brightness.
std::unique_ptr<Effect> sparks() {
    auto e = std::make_unique<Effect>(64, 64, 7);
    const int32_t glow = e->addTexture(radialGradient(8));

    EmitterNode& spark = e->addChild(*e->root, "spark");
    spark.emitType = kEmitRadial;
    spark.amount = 3;
    spark.interval = 2;
    spark.life = 16;
    spark.lifeVar = 30;
    spark.maxSpeed = 3;
    spark.speedVar = 30;
    spark.gravity = 30.0f;
    spark.keepAspect = 0;
    spark.maxSize = 9;
    spark.maxHeight = 2;
    spark.blendMode = kBlendAdditive;
    spark.orientation = kOrientTravel;
    spark.trailLength = 5;
    spark.redSamples.fill(100);
    ramp(spark.greenSamples, 100, 30);
    ramp(spark.blueSamples, 60, 0);
    ramp(spark.alphaSamples, 100, 0);

    EmitterNode& core = e->addChild(*e->root, "core");
    core.imageIndex = glow;
    core.interval = 4;
    core.life = 12;
    core.positionVar = 15;
    core.maxSize = 24;
    ramp(core.sizeSamples, 40, 100);
    core.orientation = kOrientRandom;
    core.maxAngle = 90;
    core.brightnessVar = 30;
    core.redSamples.fill(100);
    core.greenSamples.fill(70);
    core.blueSamples.fill(30);
    ramp(core.alphaSamples, 90, 0);
    return e;
}

// Rising soot that darkens a light background, turning with a fixed orientation,
// and falling orange streaks with a textured trail on a frame that is not square.
std::unique_ptr<Effect> smoke() {
    auto e = std::make_unique<Effect>(64, 48, 42);
    e->state.backgroundRed = 200;
    e->state.backgroundGreen = 210;
    e->state.backgroundBlue = 230;
    const int32_t puff = e->addTexture(radialGradient(8));
    const int32_t fade = e->addTexture(trailFade(8));

    EmitterNode& soot = e->addChild(*e->root, "soot");
    soot.imageIndex = puff;
    soot.blendMode = kBlendDarken;
    soot.orientation = kOrientFixed;
    soot.direction = 270;  // up
    soot.directionSpread = 30;
    soot.interval = 2;
    soot.life = 20;
    soot.maxSpeed = 3;
    soot.maxSize = 20;
    ramp(soot.sizeSamples, 50, 100);
    soot.maxAngle = 180;
    soot.spinDirection = kSpinRandom;
    soot.redSamples.fill(25);
    soot.greenSamples.fill(25);
    soot.blueSamples.fill(30);
    ramp(soot.alphaSamples, 70, 0);

    EmitterNode& streak = e->addChild(*e->root, "streak");
    streak.trailImageIndex = fade;
    streak.emitType = kEmitRadial;
    streak.amount = 2;
    streak.interval = 3;
    streak.life = 14;
    streak.maxSpeed = 3;
    streak.gravity = 80.0f;
    streak.keepAspect = 0;
    streak.maxSize = 6;
    streak.maxHeight = 3;
    streak.orientation = kOrientTravel;
    streak.trailLength = 6;
    streak.brightnessVar = 50;
    streak.redSamples.fill(100);
    ramp(streak.greenSamples, 70, 30);
    streak.blueSamples.fill(10);
    ramp(streak.alphaSamples, 100, 40);
    return e;
}

// Textured particles flowing into the centre, turned along their way and
// changing from blue to white, each shedding additive sparkles that inherit its
// opacity and size and vary in brightness.
std::unique_ptr<Effect> inflow() {
    auto e = std::make_unique<Effect>(64, 64, 3);
    e->state.backgroundRed = 10;
    e->state.backgroundGreen = 20;
    e->state.backgroundBlue = 40;
    const int32_t dot = e->addTexture(radialGradient(4));

    EmitterNode& flow = e->addChild(*e->root, "flow");
    flow.imageIndex = dot;
    flow.emitType = kEmitConverging;
    flow.amount = 4;
    flow.interval = 3;
    flow.life = 16;
    flow.maxSpeed = 2;
    flow.keepAspect = 0;
    flow.maxSize = 12;
    flow.maxHeight = 5;
    flow.orientation = kOrientTravel;
    ramp(flow.redSamples, 20, 100);
    ramp(flow.greenSamples, 40, 100);
    flow.blueSamples.fill(100);
    ramp(flow.alphaSamples, 40, 100);

    EmitterNode& sparkle = e->addChild(flow, "sparkle");
    sparkle.emitType = kEmitRadial;
    sparkle.interval = 3;
    sparkle.life = 6;
    sparkle.maxSpeed = 1;
    sparkle.maxSize = 4;
    sparkle.blendMode = kBlendAdditive;
    sparkle.orientation = kOrientFixed;
    sparkle.maxAngle = 45;
    sparkle.inheritAlpha = 1;
    sparkle.inheritSize = 1;
    sparkle.brightnessVar = 60;
    sparkle.redSamples.fill(60);
    sparkle.greenSamples.fill(80);
    sparkle.blueSamples.fill(100);
    ramp(sparkle.alphaSamples, 100, 20);
    return e;
}

struct GoldenCase {
    const char* effectName;
    std::function<std::unique_ptr<Effect>()> make;
    int frame;
    bool transparent;

    std::string name() const {
        return std::string(effectName) + "_f" + std::to_string(frame) +
               (transparent ? "_transparent" : "_opaque");
    }
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.name();
}

// The frame as the export renders it: restart, the updates up to `frame`, then
// one picture of the canvas size.
Texture renderFrame(const GoldenCase& c) {
    const std::unique_ptr<Effect> e = c.make();
    Simulation simulation(e->state);
    simulation.restart(*e->root);
    e->state.exportInProgress = 1;
    for (int f = 0; f < c.frame; ++f) simulation.update(e->root.get());

    const int width = e->state.projectWidth, height = e->state.projectHeight;
    SoftwareDevice device(width, height);
    setFixedStates(device);
    ParticleRenderer renderer(device, e->state);
    MaterialTextures textures;
    for (const auto& t : e->textures) textures.push_back(t.get());
    renderer.setMaterialTextures(textures);
    Texture target(exportTargetSide(width), exportTargetSide(height));
    renderExportFrame(device, renderer, target, e->state, *e->root, c.transparent);

    Texture frame(width, height);
    for (int y = 0; y < height; ++y) std::copy_n(target.row(y), width, frame.row(y));
    return frame;
}

std::unique_ptr<Texture> readPicture(const fs::path& file) {
    const QImage image =
        QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return nullptr;
    auto t = std::make_unique<Texture>(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) t->setPixel(x, y, image.pixel(x, y));
    return t;
}

int channelDifference(uint32_t a, uint32_t b) {
    // Colour under full transparency is never seen.
    if ((a >> 24) == 0 && (b >> 24) == 0) return 0;
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFFu) -
                                       static_cast<int>((b >> shift) & 0xFFu)));
    return most;
}

// The actual picture darkened to grey, with the differing pixels in magenta.
Texture differencePicture(const Texture& actual, const Texture& expected) {
    Texture d(actual.width(), actual.height());
    for (int y = 0; y < d.height(); ++y)
        for (int x = 0; x < d.width(); ++x) {
            const uint32_t p = actual.pixel(x, y);
            const uint32_t grey = (((p >> 16) & 0xFFu) + ((p >> 8) & 0xFFu) + (p & 0xFFu)) / 6;
            d.setPixel(x, y,
                       channelDifference(p, expected.pixel(x, y)) > kTolerance
                           ? 0xFFFF00FFu
                           : 0xFF000000u | grey << 16 | grey << 8 | grey);
        }
    return d;
}

bool updating() {
    const char* v = std::getenv("SPARKPLUME_UPDATE_GOLDEN");
    return v != nullptr && std::string(v) == "1";
}

class GoldenFrame : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFrame, MatchesItsReferencePicture) {
    const GoldenCase& c = GetParam();
    const Texture actual = renderFrame(c);
    const fs::path reference = fs::path(SPARKPLUME_GOLDEN_DIR) / (c.name() + ".png");
    const fs::path out = fs::path(SPARKPLUME_GOLDEN_OUTPUT_DIR);
    const fs::path actualFile = out / (c.name() + ".actual.png");
    const fs::path expectedFile = out / (c.name() + ".expected.png");
    const fs::path diffFile = out / (c.name() + ".diff.png");
    // Pictures of an earlier failure would only mislead.
    std::error_code ignored;
    for (const fs::path& stale : {actualFile, expectedFile, diffFile}) fs::remove(stale, ignored);

    if (updating()) {
        fs::create_directories(reference.parent_path());
        ASSERT_TRUE(saveTexture(actual, reference, PictureFormat::Png)) << reference;
        GTEST_SKIP() << "reference written: " << reference.string();
    }

    const std::unique_ptr<Texture> expected = readPicture(reference);
    ASSERT_NE(expected, nullptr) << "no reference picture " << reference.string()
                                 << "; run the tests with SPARKPLUME_UPDATE_GOLDEN=1 to write it";
    ASSERT_EQ(expected->width(), actual.width()) << reference.string();
    ASSERT_EQ(expected->height(), actual.height()) << reference.string();

    int differing = 0, largest = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const int d = channelDifference(actual.pixel(x, y), expected->pixel(x, y));
            largest = std::max(largest, d);
            if (d <= kTolerance) continue;
            if (differing++ == 0) firstX = x, firstY = y;
        }
    if (differing == 0) return;

    fs::create_directories(out);
    saveTexture(actual, actualFile, PictureFormat::Png);
    saveTexture(*expected, expectedFile, PictureFormat::Png);
    saveTexture(differencePicture(actual, *expected), diffFile, PictureFormat::Png);
    std::ostringstream where;
    where << std::hex << "first at (" << std::dec << firstX << ", " << firstY << "): actual 0x"
          << std::hex << actual.pixel(firstX, firstY) << ", expected 0x"
          << expected->pixel(firstX, firstY);
    ADD_FAILURE() << differing << " pixels differ by more than " << kTolerance
                  << " (largest difference " << largest << "), " << where.str()
                  << "\n  reference: " << reference.string()
                  << "\n  actual:    " << actualFile.string()
                  << "\n  differing: " << diffFile.string();
}

std::vector<GoldenCase> goldenCases() {
    std::vector<GoldenCase> cases;
    for (bool transparent : {false, true}) {
        cases.push_back({"sparks", sparks, 12, transparent});
        cases.push_back({"smoke", smoke, 10, transparent});
        cases.push_back({"inflow", inflow, 14, transparent});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Effects, GoldenFrame, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return info.param.name();
                         });

}  // namespace
}  // namespace sp::render
