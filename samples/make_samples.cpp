// Builds the sample effects that ship with the program. Each sample is made the
// way an artist would make it in the editor: pictures imported as materials, a
// tree of nodes with shaped curves, then Save As. Nothing here is hand-made:
// the pictures are drawn in code, so the samples can be rebuilt at any time.
//
//   make_samples OUTPUT_FOLDER

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/model/emitter_node.h"
#include "document/app_context.h"
#include "materials/material_import.h"
#include "prompts/prompts.h"
#include "render/software_device.h"
#include "render/texture.h"

namespace {

namespace fs = std::filesystem;
using namespace sp;

// Answers the save dialog with the sample's path and reports every message.
class SamplePrompts : public Prompts {
  public:
    std::string saveTarget;
    bool failed = false;

    void showMessage(std::string_view text, std::string_view caption) override {
        std::cerr << caption << ": " << text << '\n';
        failed = true;
    }
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> chooseProjectToSave(const FileDialogRequest&) override {
        return saveTarget;
    }
};

// ---------------------------------------------------------------------------
// Pictures. All are white (the nodes colour them) with the shape in the alpha.

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

uint32_t argb(float alpha, float grey) {
    const auto a = static_cast<uint32_t>(std::lround(clamp01(alpha) * 255.0f));
    const auto g = static_cast<uint32_t>(std::lround(clamp01(grey) * 255.0f));
    return a << 24 | g << 16 | g << 8 | g;
}

// Fills a square picture from a function of the pixel centre in -1 … 1.
render::Texture drawPicture(int side, const std::function<uint32_t(float x, float y)>& shade) {
    render::Texture picture(side, side, 0);
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            const float x = (static_cast<float>(i) + 0.5f) / static_cast<float>(side) * 2.0f - 1.0f;
            const float y = (static_cast<float>(j) + 0.5f) / static_cast<float>(side) * 2.0f - 1.0f;
            picture.setPixel(i, j, shade(x, y));
        }
    }
    return picture;
}

// A wide, soft glow that fades to nothing at the edge.
render::Texture softGlow() {
    return drawPicture(64, [](float x, float y) {
        const float d = std::sqrt(x * x + y * y);
        return argb(std::exp(-d * d * 4.0f) * (1.0f - smoothstep(0.7f, 1.0f, d)), 1.0f);
    });
}

// A small hot point: a hard bright core with a short halo.
render::Texture sparkPoint() {
    return drawPicture(32, [](float x, float y) {
        const float d = std::sqrt(x * x + y * y);
        const float core = 1.0f - smoothstep(0.15f, 0.45f, d);
        const float halo = std::pow(clamp01(1.0f - d), 2.0f) * 0.6f;
        return argb(std::max(core, halo), 1.0f);
    });
}

// The band a trail is drawn with: opaque at its head (the right, where the
// particle is) and fading out towards the tail, bright along its middle.
render::Texture trailBand() {
    return drawPicture(64, [](float x, float y) {
        const float along = (x + 1.0f) * 0.5f;
        const float across = 1.0f - std::abs(y);
        return argb(std::pow(along, 1.6f) * std::pow(clamp01(across), 1.5f), 1.0f);
    });
}

// A four-pointed flare with a round glow in its middle.
render::Texture flare() {
    return drawPicture(128, [](float x, float y) {
        const float d = std::sqrt(x * x + y * y);
        const float glow = std::exp(-d * d * 14.0f);
        const float fade = 1.0f - smoothstep(0.6f, 1.0f, d);
        const float rayX = std::exp(-y * y * 900.0f) * std::pow(clamp01(1.0f - std::abs(x)), 2.0f);
        const float rayY = std::exp(-x * x * 900.0f) * std::pow(clamp01(1.0f - std::abs(y)), 2.0f);
        return argb(std::max({glow, rayX * fade, rayY * fade}), 1.0f);
    });
}

// Smooth value noise from a fixed hash: the same puff on every build.
float latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFu) / 65535.0f;
}

float valueNoise(float x, float y, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float tx = smoothstep(0.0f, 1.0f, x - static_cast<float>(x0));
    const float ty = smoothstep(0.0f, 1.0f, y - static_cast<float>(y0));
    const float top = latticeValue(x0, y0, seed) * (1 - tx) + latticeValue(x0 + 1, y0, seed) * tx;
    const float bottom =
        latticeValue(x0, y0 + 1, seed) * (1 - tx) + latticeValue(x0 + 1, y0 + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

float cloudNoise(float x, float y) {
    float sum = 0.0f, weight = 0.5f, total = 0.0f, scale = 3.0f;
    for (uint32_t octave = 0; octave < 4; ++octave) {
        sum += valueNoise(x * scale + 11.0f, y * scale + 7.0f, octave + 1) * weight;
        total += weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return sum / total;
}

// A billow of smoke: a lumpy soft disc, lighter on its upper left.
render::Texture smokePuff() {
    return drawPicture(128, [](float x, float y) {
        const float n = cloudNoise(x, y);
        const float d = std::sqrt(x * x + y * y) + (n - 0.5f) * 0.55f;
        const float body = 1.0f - smoothstep(0.35f, 0.95f, d);
        const float density = body * (0.55f + 0.6f * n);
        const float light = 0.78f + 0.22f * clamp01(0.5f - (x + y) * 0.35f) + 0.1f * (n - 0.5f);
        return argb(density * 0.9f, light);
    });
}

// ---------------------------------------------------------------------------
// Building the effects.

void shape(EmitterNode& node, CurveSlot slot, std::vector<CurvePoint> points) {
    node.setCurvePoints(slot, std::move(points));
}

// The colour over a particle's life, as three curves of per cent.
void colour(EmitterNode& node, std::vector<CurvePoint> red, std::vector<CurvePoint> green,
            std::vector<CurvePoint> blue) {
    shape(node, kCurveRed, std::move(red));
    shape(node, kCurveGreen, std::move(green));
    shape(node, kCurveBlue, std::move(blue));
}

struct Sample {
    const char* fileName;
    std::vector<std::pair<const char*, render::Texture (*)()>> pictures;
    std::function<void(Project&)> build;
};

EmitterNode& addNode(Project& project, EmitterNode& parent, const char* name) {
    EmitterNode& node = project.tree.insertNewNode(parent, parent.children.size());
    node.name = name;
    return node;
}

// A fireball burst: a flash, glowing embers thrown outwards that slow down and
// cool from white to deep orange, and sparks that fall off every ember.
void buildBurst(Project& project) {
    EmitterNode& root = project.tree.root();

    EmitterNode& embers = addNode(project, root, "火の玉");
    embers.emitType = kEmitRadial;
    embers.amount = 20;
    embers.amountVar = 20;
    embers.emitStart = 1;
    embers.emitEnd = 1;
    embers.life = 20;
    embers.lifeVar = 25;
    embers.maxSpeed = 10;
    embers.speedVar = 55;
    shape(embers, kCurveSpeed, {{0, 100}, {40, 70}, {100, 52}});
    embers.maxSize = 32;
    embers.sizeVar = 40;
    shape(embers, kCurveSize, {{0, 70}, {25, 100}, {100, 35}});
    shape(embers, kCurveAlpha, {{0, 100}, {55, 85}, {100, 0}});
    colour(embers, {{0, 100}, {100, 100}}, {{0, 95}, {40, 60}, {100, 25}},
           {{0, 80}, {30, 15}, {100, 0}});
    embers.blendMode = kBlendAdditive;
    embers.imageName = "soft_glow.png";

    EmitterNode& sparks = addNode(project, embers, "火花");
    sparks.emitType = kEmitRadial;
    sparks.amount = 1;
    sparks.emitStart = 2;
    sparks.emitEnd = 24;
    sparks.life = 10;
    sparks.lifeVar = 40;
    sparks.maxSpeed = 3;
    sparks.speedVar = 50;
    sparks.gravity = 70.0f;
    sparks.maxSize = 9;
    sparks.sizeVar = 30;
    shape(sparks, kCurveSize, {{0, 100}, {100, 40}});
    shape(sparks, kCurveAlpha, {{0, 100}, {60, 80}, {100, 0}});
    colour(sparks, {{0, 100}, {100, 100}}, {{0, 90}, {100, 60}}, {{0, 55}, {100, 10}});
    sparks.blendMode = kBlendAdditive;
    sparks.imageName = "spark.png";

    EmitterNode& flash = addNode(project, root, "閃光");
    flash.emitType = kEmitOneDirection;
    flash.emitStart = 1;
    flash.emitEnd = 1;
    flash.life = 9;
    flash.maxSize = 150;
    shape(flash, kCurveSize, {{0, 45}, {30, 100}, {100, 80}});
    shape(flash, kCurveAlpha, {{0, 100}, {25, 80}, {100, 0}});
    colour(flash, {{0, 100}, {100, 100}}, {{0, 90}, {100, 55}}, {{0, 70}, {100, 10}});
    flash.blendMode = kBlendAdditive;
    flash.imageName = "soft_glow.png";

    project.state.randomSeed = 7;
}

// A fountain of sparks: fast streaks thrown up and out, turning to face their
// travel, pulled back down and leaving fading trails; a glow where they start.
void buildSparks(Project& project) {
    EmitterNode& root = project.tree.root();
    project.state.emitY = 200;

    EmitterNode& sparks = addNode(project, root, "火花");
    sparks.emitType = kEmitOneDirection;
    sparks.direction = 270;
    sparks.directionSpread = 40;
    sparks.amount = 3;
    sparks.emitStart = 1;
    sparks.emitEnd = 18;
    sparks.life = 20;
    sparks.lifeVar = 30;
    sparks.maxSpeed = 18;
    sparks.speedVar = 35;
    shape(sparks, kCurveSpeed, {{0, 100}, {100, 80}});
    sparks.gravity = 180.0f;
    sparks.keepAspect = 0;
    sparks.maxSize = 14;
    sparks.maxHeight = 4;
    shape(sparks, kCurveSize, {{0, 100}, {70, 90}, {100, 40}});
    shape(sparks, kCurveAlpha, {{0, 100}, {65, 90}, {100, 0}});
    colour(sparks, {{0, 100}, {100, 100}}, {{0, 100}, {50, 75}, {100, 40}},
           {{0, 80}, {30, 30}, {100, 5}});
    sparks.orientation = kOrientTravel;
    sparks.trailLength = 6;
    sparks.trailImageName = "trail.png";
    sparks.blendMode = kBlendAdditive;
    sparks.imageName = "spark.png";

    EmitterNode& glow = addNode(project, root, "根元の光");
    glow.emitType = kEmitOneDirection;
    glow.interval = 2;
    glow.emitStart = 1;
    glow.emitEnd = 18;
    glow.life = 6;
    glow.maxSize = 56;
    glow.sizeVar = 20;
    shape(glow, kCurveSize, {{0, 70}, {100, 100}});
    shape(glow, kCurveAlpha, {{0, 70}, {100, 0}});
    colour(glow, {{0, 100}, {100, 100}}, {{0, 70}, {100, 45}}, {{0, 30}, {100, 10}});
    glow.blendMode = kBlendAdditive;
    glow.imageName = "soft_glow.png";

    project.state.randomSeed = 3;
}

// Light gathering into the centre: motes stream in from every side, shrinking
// as they arrive, while the core swells and finally flares.
void buildConverge(Project& project) {
    EmitterNode& root = project.tree.root();

    EmitterNode& motes = addNode(project, root, "集まる光");
    motes.emitType = kEmitConverging;
    motes.amount = 5;
    motes.amountVar = 40;
    motes.emitStart = 1;
    motes.emitEnd = 16;
    motes.life = 14;
    motes.positionVar = 35;
    motes.maxSpeed = 13;
    shape(motes, kCurveSpeed, {{0, 75}, {100, 100}});
    motes.keepAspect = 0;
    motes.maxSize = 22;
    motes.maxHeight = 9;
    motes.orientation = kOrientTravel;
    shape(motes, kCurveSize, {{0, 100}, {70, 80}, {100, 25}});
    shape(motes, kCurveAlpha, {{0, 0}, {30, 90}, {85, 100}, {100, 0}});
    colour(motes, {{0, 35}, {100, 80}}, {{0, 80}, {100, 95}}, {{0, 100}, {100, 100}});
    motes.blendMode = kBlendAdditive;
    motes.imageName = "soft_glow.png";

    EmitterNode& core = addNode(project, root, "中心の輝き");
    core.emitType = kEmitOneDirection;
    core.emitStart = 1;
    core.emitEnd = 1;
    core.life = 29;
    core.maxSize = 110;
    shape(core, kCurveSize, {{0, 10}, {55, 45}, {72, 100}, {100, 60}});
    shape(core, kCurveAlpha, {{0, 30}, {55, 80}, {72, 100}, {100, 0}});
    colour(core, {{0, 40}, {70, 85}, {100, 100}}, {{0, 85}, {100, 100}}, {{0, 100}, {100, 100}});
    core.blendMode = kBlendAdditive;
    core.imageName = "soft_glow.png";

    EmitterNode& burst = addNode(project, root, "閃光");
    burst.emitType = kEmitOneDirection;
    burst.emitStart = 18;
    burst.emitEnd = 18;
    burst.life = 12;
    burst.maxSize = 200;
    burst.maxAngle = 45;
    shape(burst, kCurveSize, {{0, 30}, {25, 100}, {100, 70}});
    shape(burst, kCurveAlpha, {{0, 100}, {30, 90}, {100, 0}});
    colour(burst, {{0, 80}, {100, 60}}, {{0, 95}, {100, 85}}, {{0, 100}, {100, 100}});
    burst.blendMode = kBlendAdditive;
    burst.imageName = "flare.png";

    project.state.randomSeed = 11;
}

// Soft smoke rising over a dusky background: puffs turn slowly as they grow,
// thin out and drift up, drawn with normal blending so they cover each other.
void buildSmoke(Project& project) {
    EmitterNode& root = project.tree.root();
    ProjectState& state = project.state;
    state.emitY = 215;
    state.backgroundRed = 46;
    state.backgroundGreen = 58;
    state.backgroundBlue = 78;

    EmitterNode& smoke = addNode(project, root, "煙");
    smoke.emitType = kEmitOneDirection;
    smoke.direction = 270;
    smoke.directionSpread = 22;
    smoke.amount = 1;
    smoke.emitStart = 1;
    smoke.emitEnd = 30;
    smoke.life = 28;
    smoke.lifeVar = 20;
    smoke.positionVar = 6;
    smoke.maxSpeed = 11;
    smoke.speedVar = 30;
    shape(smoke, kCurveSpeed, {{0, 100}, {100, 70}});
    smoke.gravity = -15.0f;
    smoke.maxSize = 84;
    smoke.sizeVar = 25;
    shape(smoke, kCurveSize, {{0, 20}, {100, 100}});
    smoke.maxAngle = 120;
    smoke.rotationVar = 50;
    smoke.spinDirection = kSpinRandom;
    smoke.orientation = kOrientRandom;
    shape(smoke, kCurveRotation, {{0, 0}, {100, 100}});
    shape(smoke, kCurveAlpha, {{0, 0}, {12, 75}, {45, 55}, {100, 0}});
    colour(smoke, {{0, 85}, {100, 72}}, {{0, 85}, {100, 74}}, {{0, 85}, {100, 80}});
    smoke.brightnessVar = 8;
    smoke.blendMode = kBlendNormal;
    smoke.imageName = "smoke_puff.png";

    state.randomSeed = 5;
}

bool makeSample(const Sample& sample, const fs::path& scratch, const fs::path& outputDir) {
    SamplePrompts prompts;
    const fs::path base = scratch / fs::path(sample.fileName).stem();
    const fs::path pictures = base / "pictures";
    std::error_code ec;
    fs::create_directories(pictures, ec);
    AppContext context(prompts, {base / "workspace", base, false, {}});
    if (ec || !context.start()) {
        std::cerr << kWorkspaceCopyFailedText << '\n';
        return false;
    }
    Document& document = context.document();
    Project& project = document.project();

    render::SoftwareDevice device(64, 64);
    for (const auto& [name, draw] : sample.pictures) {
        const fs::path file = pictures / name;
        if (!render::saveTexture(draw(), file, render::PictureFormat::Png)) {
            std::cerr << kMaterialNotWrittenText << ' ' << file.string() << '\n';
            return false;
        }
        if (!document.importMaterial(file, device)) return false;
    }

    project.tree.clear();
    sample.build(project);
    document.reloadMaterials();
    document.select(project.tree.root().children.front().get());

    prompts.saveTarget = (outputDir / sample.fileName).string();
    if (context.files().commandSaveAs() != FileCommands::SaveResult::Saved || prompts.failed)
        return false;
    std::cout << prompts.saveTarget << '\n';
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "使い方: make_samples 出力フォルダ\n";
        return 1;
    }
    QCoreApplication app(argc, argv);
    const fs::path outputDir = fs::absolute(argv[1]);
    std::error_code ec;
    fs::create_directories(outputDir, ec);

    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::cerr << kWorkspaceCopyFailedText << '\n';
        return 1;
    }
    const fs::path scratchPath = scratch.path().toStdString();

    const std::vector<Sample> samples = {
        {"burst.spd", {{"soft_glow.png", softGlow}, {"spark.png", sparkPoint}}, buildBurst},
        {"sparks.spd",
         {{"soft_glow.png", softGlow}, {"spark.png", sparkPoint}, {"trail.png", trailBand}},
         buildSparks},
        {"converge.spd", {{"soft_glow.png", softGlow}, {"flare.png", flare}}, buildConverge},
        {"smoke.spd", {{"smoke_puff.png", smokePuff}}, buildSmoke},
    };
    for (const Sample& sample : samples) {
        if (!makeSample(sample, scratchPath, outputDir)) {
            std::cerr << "サンプル「" << sample.fileName << "」を作成できませんでした。\n";
            return 1;
        }
    }
    return 0;
}
