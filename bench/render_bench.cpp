// Drawing cost per frame on a 512 × 512 canvas, on one thread (/threads:1) and on
// every core (/threads:0), with the four-pixel (/path:1), eight-pixel (/path:2) or
// sixteen-pixel (/path:3) steps.
//   (a) 10,000 textured 16 × 16 particles, normal blending, point sampling
//   (b) 100 particles of 128 × 128, additive, linear sampling, each with a 32-point trail
//   (c) a plain copy of one 512 × 512 frame: the memory-bound floor
// Beside its time each case reports its nanoseconds per blended pixel and its
// ratio to the frame copy, measured again in the same run just before it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/sim/msvc_random.h"
#include "render/graphics.h"
#include "render/particle_renderer.h"
#include "render/software_device.h"

namespace {

using namespace sp;
using namespace sp::render;

constexpr int kCanvas = 512;

// A soft round sprite.
Texture roundTexture(int side) {
    Texture t(side, side);
    const float r = side * 0.5f;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const float dx = x + 0.5f - r, dy = y + 0.5f - r;
            const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy) / r);
            const uint32_t a = static_cast<uint32_t>((1.0f - d) * 255.0f);
            t.setPixel(x, y, a << 24 | 0xFFC080u);
        }
    }
    return t;
}

struct Scene {
    ProjectState state;
    EmitterNode root{30};
    EmitterNode* node = nullptr;
    SoftwareDevice device{kCanvas, kCanvas};
    ParticleRenderer renderer{device, state};
    Texture texture;

    Scene(int particles, int size, int32_t blendMode, int trailPoints, int textureSide)
        : texture(roundTexture(textureSide)) {
        state.projectWidth = state.projectHeight = kCanvas;
        root.children.push_back(std::make_unique<EmitterNode>(30));
        node = root.children.back().get();
        node->parent = &root;
        node->maxSize = size;
        node->blendMode = blendMode;
        node->imageIndex = 1;
        node->trailImageIndex = 1;
        node->maxAngle = 90;
        setFixedStates(device);
        renderer.setMaterialTextures({&texture});
        MsvcRandom random;
        random.srand(7);
        for (int i = 0; i < particles; ++i) {
            Particle p;
            p.node = node;
            p.position = {static_cast<float>(random.rand() % kCanvas),
                          static_cast<float>(random.rand() % kCanvas), 0};
            p.previousPosition = p.position;
            p.heading = {1, 0, 0};
            p.lifetime = 30;
            p.age = random.rand() % 30;
            // A trail along a gentle curve, three pixels between positions, as a
            // particle moving at three pixels a frame leaves it.
            for (int k = trailPoints - 1; k >= 0; --k) {
                const float along = static_cast<float>(k) * 3.0f;
                p.trail.pushNewest(
                    {p.position.x - along, p.position.y + along * along * 0.004f, 0});
            }
            node->particles.push_back(std::move(p));
        }
    }
};

void copyFrame(const Texture& from, Texture& to) {
    std::memcpy(to.pixels().data(), from.pixels().data(), from.pixels().size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.pixels().data());
    benchmark::ClobberMemory();
}

// The median time of a 512 × 512 frame copy, in seconds.
double frameCopyFloor() {
    Texture from(kCanvas, kCanvas, 0xFF102030u), to(kCanvas, kCanvas);
    std::vector<double> times;
    for (int i = 0; i < 201; ++i) {
        const auto start = std::chrono::steady_clock::now();
        copyFrame(from, to);
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + 100, times.end());
    return times[100];
}

void reportPixels(benchmark::State& bench, double pixelsPerFrame) {
    bench.counters["pixels_per_second"] =
        benchmark::Counter(pixelsPerFrame, benchmark::Counter::kIsIterationInvariantRate);
}

// Draws frames of the scene and reports them beside the copy floor.
void drawFrames(benchmark::State& bench, Scene& scene, double pixelsPerFrame) {
    scene.device.setThreads(static_cast<int>(bench.range(0)));
    scene.device.setPixelPath(static_cast<PixelPath>(bench.range(1)));
    const double floor = frameCopyFloor();
    double total = 0;
    for (auto _ : bench) {
        const auto start = std::chrono::steady_clock::now();
        scene.renderer.drawFrame(&scene.root, nullptr);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        total += seconds;
        bench.SetIterationTime(seconds);
    }
    const double perFrame = total / static_cast<double>(std::max<int64_t>(bench.iterations(), 1));
    reportPixels(bench, pixelsPerFrame);
    bench.counters["threads"] = scene.device.threads();
    bench.counters["path"] = static_cast<double>(scene.device.pixelPath());
    bench.counters["ns_per_pixel"] = perFrame * 1e9 / pixelsPerFrame;
    bench.counters["x_copy_floor"] = perFrame / floor;
    bench.counters["copy_floor_us"] = floor * 1e6;
}

void BM_SmallTexturedNormalPoint(benchmark::State& bench) {
    Scene scene(10'000, 16, kBlendNormal, 0, 16);
    drawFrames(bench, scene, 10'000.0 * 16 * 16);
}

void BM_LargeAdditiveLinearTrails(benchmark::State& bench) {
    Scene scene(100, 128, kBlendAdditive, 32, 128);
    scene.device.setFilter(TextureFilter::Linear);
    // Quads plus trail strips 128 wide along 31 segments of about 3 pixels.
    drawFrames(bench, scene, 100.0 * (128 * 128 + 31 * 3.0 * 128));
}

void BM_PlainFrameCopy(benchmark::State& bench) {
    Texture from(kCanvas, kCanvas, 0xFF102030u), to(kCanvas, kCanvas);
    for (auto _ : bench) copyFrame(from, to);
    reportPixels(bench, double(kCanvas) * kCanvas);
}

}  // namespace

BENCHMARK(BM_SmallTexturedNormalPoint)
    ->ArgNames({"threads", "path"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({1, 3})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({0, 3})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LargeAdditiveLinearTrails)
    ->ArgNames({"threads", "path"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({1, 3})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({0, 3})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainFrameCopy)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
