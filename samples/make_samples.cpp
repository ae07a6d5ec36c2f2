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
#include <stdexcept>
#include <string>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/node_fields.h"
#include "document/app_context.h"
#include "document/document.h"
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
// Building the effects. Every change goes through the document's edit
// functions, as the editor's user would make it, so the samples go through
// whatever those edits check and follow up (the rules for names, for one).

using F = NodeFieldId;
using namespace std::string_literals;

// A builder step the document turned down; makeSample reports it.
struct BuildRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The node a new project starts with, selected.
EmitterNode& startingNode(Document& d) {
    if (d.selectedNode() == nullptr) throw BuildRefused("新しいプロジェクトにノードがありません");
    return *d.selectedNode();
}

// Add inserts the new node directly above the selected one, so siblings are
// made from the bottom up.
EmitterNode& addAbove(Document& d) {
    if (!d.addNode()) throw BuildRefused("ノードを追加できませんでした");
    return *d.selectedNode();
}

// Add Child inserts the new node as the first child, so children are made from
// the last one up.
EmitterNode& addFirstChild(Document& d) {
    if (!d.addChildNode()) throw BuildRefused("子ノードを追加できませんでした");
    return *d.selectedNode();
}

EmitterNode& named(Document& d, EmitterNode& node, const char* name) {
    if (!d.rename(node, name)) throw BuildRefused("ノードの名前を変更できませんでした");
    return node;
}

void shape(Document& d, EmitterNode& node, CurveSlot slot, std::vector<CurvePoint> points) {
    d.setCurvePoints(node, slot, std::move(points));
}

// The colour over a particle's life, as three curves of per cent.
void colour(Document& d, EmitterNode& node, std::vector<CurvePoint> red,
            std::vector<CurvePoint> green, std::vector<CurvePoint> blue) {
    shape(d, node, kCurveRed, std::move(red));
    shape(d, node, kCurveGreen, std::move(green));
    shape(d, node, kCurveBlue, std::move(blue));
}

// The only edit of the seed is Reseed, one up at a time, and each sample starts
// from a fresh context's seed of 0: reseed up to the seed the sample was tuned
// with.
void reseedTo(Document& d, int32_t seed) {
    while (d.state().randomSeed < seed) d.reseed();
    if (d.state().randomSeed != seed) throw BuildRefused("乱数を設定できませんでした");
}

struct Sample {
    const char* fileName;
    std::vector<std::pair<const char*, render::Texture (*)()>> pictures;
    std::function<void(Document&)> build;
};

// A fireball burst: a flash, glowing embers thrown outwards that slow down and
// cool from white to deep orange, and sparks that fall off every ember.
void buildBurst(Document& d) {
    EmitterNode& flash = named(d, startingNode(d), "閃光");
    EmitterNode& embers = named(d, addAbove(d), "火の玉");
    EmitterNode& sparks = named(d, addFirstChild(d), "火花");

    d.setNodeFields(embers, {{F::emitType, kEmitRadial},
                             {F::amount, 20},
                             {F::amountVar, 20},
                             {F::emitStart, 1},
                             {F::emitEnd, 1},
                             {F::life, 20},
                             {F::lifeVar, 25},
                             {F::maxSpeed, 10},
                             {F::speedVar, 55},
                             {F::maxSize, 32},
                             {F::sizeVar, 40},
                             {F::blendMode, kBlendAdditive},
                             {F::imageName, "soft_glow.png"s}});
    shape(d, embers, kCurveSpeed, {{0, 100}, {40, 70}, {100, 52}});
    shape(d, embers, kCurveSize, {{0, 70}, {25, 100}, {100, 35}});
    shape(d, embers, kCurveAlpha, {{0, 100}, {55, 85}, {100, 0}});
    colour(d, embers, {{0, 100}, {100, 100}}, {{0, 95}, {40, 60}, {100, 25}},
           {{0, 80}, {30, 15}, {100, 0}});

    d.setNodeFields(sparks, {{F::emitType, kEmitRadial},
                             {F::amount, 1},
                             {F::emitStart, 2},
                             {F::emitEnd, 24},
                             {F::life, 10},
                             {F::lifeVar, 40},
                             {F::maxSpeed, 3},
                             {F::speedVar, 50},
                             {F::gravity, 70.0f},
                             {F::maxSize, 9},
                             {F::sizeVar, 30},
                             {F::blendMode, kBlendAdditive},
                             {F::imageName, "spark.png"s}});
    shape(d, sparks, kCurveSize, {{0, 100}, {100, 40}});
    shape(d, sparks, kCurveAlpha, {{0, 100}, {60, 80}, {100, 0}});
    colour(d, sparks, {{0, 100}, {100, 100}}, {{0, 90}, {100, 60}}, {{0, 55}, {100, 10}});

    d.setNodeFields(flash, {{F::emitType, kEmitOneDirection},
                            {F::emitStart, 1},
                            {F::emitEnd, 1},
                            {F::life, 9},
                            {F::maxSize, 150},
                            {F::blendMode, kBlendAdditive},
                            {F::imageName, "soft_glow.png"s}});
    shape(d, flash, kCurveSize, {{0, 45}, {30, 100}, {100, 80}});
    shape(d, flash, kCurveAlpha, {{0, 100}, {25, 80}, {100, 0}});
    colour(d, flash, {{0, 100}, {100, 100}}, {{0, 90}, {100, 55}}, {{0, 70}, {100, 10}});

    reseedTo(d, 7);
}

// A fountain of sparks: fast streaks thrown up and out, turning to face their
// travel, pulled back down and leaving fading trails; a glow where they start.
void buildSparks(Document& d) {
    d.setEmissionPosition(d.state().emitX, 200);

    EmitterNode& glow = named(d, startingNode(d), "根元の光");
    EmitterNode& sparks = named(d, addAbove(d), "火花");

    d.setNodeFields(sparks, {{F::emitType, kEmitOneDirection},
                             {F::direction, 270},
                             {F::directionSpread, 40},
                             {F::amount, 3},
                             {F::emitStart, 1},
                             {F::emitEnd, 18},
                             {F::life, 20},
                             {F::lifeVar, 30},
                             {F::maxSpeed, 18},
                             {F::speedVar, 35},
                             {F::gravity, 180.0f},
                             {F::keepAspect, 0},
                             {F::maxSize, 14},
                             {F::maxHeight, 4},
                             {F::orientation, kOrientTravel},
                             {F::trailLength, 6},
                             {F::trailImageName, "trail.png"s},
                             {F::blendMode, kBlendAdditive},
                             {F::imageName, "spark.png"s}});
    shape(d, sparks, kCurveSpeed, {{0, 100}, {100, 80}});
    shape(d, sparks, kCurveSize, {{0, 100}, {70, 90}, {100, 40}});
    shape(d, sparks, kCurveAlpha, {{0, 100}, {65, 90}, {100, 0}});
    colour(d, sparks, {{0, 100}, {100, 100}}, {{0, 100}, {50, 75}, {100, 40}},
           {{0, 80}, {30, 30}, {100, 5}});

    d.setNodeFields(glow, {{F::emitType, kEmitOneDirection},
                           {F::interval, 2},
                           {F::emitStart, 1},
                           {F::emitEnd, 18},
                           {F::life, 6},
                           {F::maxSize, 56},
                           {F::sizeVar, 20},
                           {F::blendMode, kBlendAdditive},
                           {F::imageName, "soft_glow.png"s}});
    shape(d, glow, kCurveSize, {{0, 70}, {100, 100}});
    shape(d, glow, kCurveAlpha, {{0, 70}, {100, 0}});
    colour(d, glow, {{0, 100}, {100, 100}}, {{0, 70}, {100, 45}}, {{0, 30}, {100, 10}});

    reseedTo(d, 3);
}

// Light gathering into the centre: motes stream in from every side, shrinking
// as they arrive, while the core swells and finally flares.
void buildConverge(Document& d) {
    EmitterNode& burst = named(d, startingNode(d), "閃光");
    EmitterNode& core = named(d, addAbove(d), "中心の輝き");
    EmitterNode& motes = named(d, addAbove(d), "集まる光");

    d.setNodeFields(motes, {{F::emitType, kEmitConverging},
                            {F::amount, 5},
                            {F::amountVar, 40},
                            {F::emitStart, 1},
                            {F::emitEnd, 16},
                            {F::life, 14},
                            {F::positionVar, 35},
                            {F::maxSpeed, 13},
                            {F::keepAspect, 0},
                            {F::maxSize, 22},
                            {F::maxHeight, 9},
                            {F::orientation, kOrientTravel},
                            {F::blendMode, kBlendAdditive},
                            {F::imageName, "soft_glow.png"s}});
    shape(d, motes, kCurveSpeed, {{0, 75}, {100, 100}});
    shape(d, motes, kCurveSize, {{0, 100}, {70, 80}, {100, 25}});
    shape(d, motes, kCurveAlpha, {{0, 0}, {30, 90}, {85, 100}, {100, 0}});
    colour(d, motes, {{0, 35}, {100, 80}}, {{0, 80}, {100, 95}}, {{0, 100}, {100, 100}});

    d.setNodeFields(core, {{F::emitType, kEmitOneDirection},
                           {F::emitStart, 1},
                           {F::emitEnd, 1},
                           {F::life, 29},
                           {F::maxSize, 110},
                           {F::blendMode, kBlendAdditive},
                           {F::imageName, "soft_glow.png"s}});
    shape(d, core, kCurveSize, {{0, 10}, {55, 45}, {72, 100}, {100, 60}});
    shape(d, core, kCurveAlpha, {{0, 30}, {55, 80}, {72, 100}, {100, 0}});
    colour(d, core, {{0, 40}, {70, 85}, {100, 100}}, {{0, 85}, {100, 100}}, {{0, 100}, {100, 100}});

    d.setNodeFields(burst, {{F::emitType, kEmitOneDirection},
                            {F::emitStart, 18},
                            {F::emitEnd, 18},
                            {F::life, 12},
                            {F::maxSize, 200},
                            {F::maxAngle, 45},
                            {F::blendMode, kBlendAdditive},
                            {F::imageName, "flare.png"s}});
    shape(d, burst, kCurveSize, {{0, 30}, {25, 100}, {100, 70}});
    shape(d, burst, kCurveAlpha, {{0, 100}, {30, 90}, {100, 0}});
    colour(d, burst, {{0, 80}, {100, 60}}, {{0, 95}, {100, 85}}, {{0, 100}, {100, 100}});

    reseedTo(d, 11);
}

// Soft smoke rising over a dusky background: puffs turn slowly as they grow,
// thin out and drift up, drawn with normal blending so they cover each other.
void buildSmoke(Document& d) {
    d.setEmissionPosition(d.state().emitX, 215);
    d.setBackgroundColour(46, 58, 78);

    EmitterNode& smoke = named(d, startingNode(d), "煙");
    d.setNodeFields(smoke, {{F::emitType, kEmitOneDirection},
                            {F::direction, 270},
                            {F::directionSpread, 22},
                            {F::amount, 1},
                            {F::emitStart, 1},
                            {F::emitEnd, 30},
                            {F::life, 28},
                            {F::lifeVar, 20},
                            {F::positionVar, 6},
                            {F::maxSpeed, 11},
                            {F::speedVar, 30},
                            {F::gravity, -15.0f},
                            {F::maxSize, 84},
                            {F::sizeVar, 25},
                            {F::maxAngle, 120},
                            {F::rotationVar, 50},
                            {F::spinDirection, kSpinRandom},
                            {F::orientation, kOrientRandom},
                            {F::brightnessVar, 8},
                            {F::blendMode, kBlendNormal},
                            {F::imageName, "smoke_puff.png"s}});
    shape(d, smoke, kCurveSpeed, {{0, 100}, {100, 70}});
    shape(d, smoke, kCurveSize, {{0, 20}, {100, 100}});
    shape(d, smoke, kCurveRotation, {{0, 0}, {100, 100}});
    shape(d, smoke, kCurveAlpha, {{0, 0}, {12, 75}, {45, 55}, {100, 0}});
    colour(d, smoke, {{0, 85}, {100, 72}}, {{0, 85}, {100, 74}}, {{0, 85}, {100, 80}});

    reseedTo(d, 5);
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

    render::SoftwareDevice device(64, 64);
    for (const auto& [name, draw] : sample.pictures) {
        const fs::path file = pictures / name;
        if (!render::saveTexture(draw(), file, render::PictureFormat::Png)) {
            std::cerr << kMaterialNotWrittenText << ' ' << file.string() << '\n';
            return false;
        }
        if (!document.importMaterial(file, device)) return false;
    }

    try {
        sample.build(document);
    } catch (const BuildRefused& refused) {
        std::cerr << refused.what() << '\n';
        return false;
    }
    // The image names were set as text: their material numbers follow them
    // here, before the save writes them.
    document.reloadMaterials();
    document.select(document.project().tree.root().children.front().get());

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
