// Per-particle and per-frame cost of the simulation, single thread.
//   (a) 100,000 one-direction particles with speed and gravity, no trail
//   (b) the same with a 16-position trail
//   (c) a three-level tree at about 50,000 live particles
#include <benchmark/benchmark.h>

#include <memory>

#include "core/model/emitter_node.h"
#include "core/model/project_state.h"
#include "core/sim/simulation.h"

namespace {

using namespace sp;

constexpr int kParticles = 100'000;

struct Scene {
    ProjectState state;
    std::unique_ptr<EmitterNode> root;
    Simulation simulation{state};

    Scene() {
        state.frameCount = 1'000'000;
        state.exportInProgress = 1;  // never wrap: measure steady frames only
        root = std::make_unique<EmitterNode>(state.frameCount);
        simulation.restart(*root);
    }
    EmitterNode& addChild(EmitterNode& parent) {
        parent.children.push_back(std::make_unique<EmitterNode>(state.frameCount));
        parent.children.back()->parent = &parent;
        return *parent.children.back();
    }
    void frame() { simulation.update(root.get()); }
};

// One node whose particles move and fall but never die and emit nothing new.
void movingParticles(benchmark::State& bench, int trailLength) {
    Scene scene;
    EmitterNode& node = scene.addChild(*scene.root);
    node.emitType = kEmitOneDirection;
    node.maxSpeed = 4;
    node.speedVar = 30;
    node.gravity = 5.0f;
    node.life = 1'000'000'000;
    node.emitStart = node.emitEnd = 0;  // no emission from the root particle
    node.trailLength = trailLength;
    scene.frame();  // root particle
    for (int i = 0; i < kParticles; ++i)
        node.particles.push_back(
            scene.simulation.emitParticle(node, {128, 128, 0}, i % 360, 1, 1, 0));
    for (int i = 0; i < trailLength + 2; ++i) scene.frame();  // trails at their full length

    for (auto _ : bench) scene.frame();
    bench.counters["particles"] = static_cast<double>(node.particles.size());
    bench.counters["per_particle"] = benchmark::Counter(
        kParticles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_UpdateNoTrail(benchmark::State& bench) {
    movingParticles(bench, 0);
}
void BM_UpdateTrail16(benchmark::State& bench) {
    movingParticles(bench, 16);
}

// Root particle → radial node (20 per frame) → each of its particles emits 5 per frame.
void BM_ThreeLevelTree(benchmark::State& bench) {
    Scene scene;
    EmitterNode& burst = scene.addChild(*scene.root);
    burst.emitType = kEmitRadial;
    burst.amount = 20;
    burst.emitEnd = 1'000'000;
    burst.life = 20;
    burst.maxSpeed = 3;
    EmitterNode& sparks = scene.addChild(burst);
    sparks.emitType = kEmitOneDirection;
    sparks.amount = 5;
    sparks.emitEnd = 1'000'000;
    sparks.life = 25;
    sparks.maxSpeed = 2;
    sparks.directionSpread = 45;
    sparks.gravity = 3.0f;
    for (int i = 0; i < 80; ++i) scene.frame();

    for (auto _ : bench) scene.frame();
    bench.counters["live"] = static_cast<double>(burst.particles.size() + sparks.particles.size());
}

}  // namespace

BENCHMARK(BM_UpdateNoTrail)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateTrail16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ThreeLevelTree)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
