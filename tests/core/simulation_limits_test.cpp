#include <gtest/gtest.h>

#include "core/sim/simulation.h"
#include "sim_test_support.h"

namespace sp {
namespace {

using testing::SimScene;

std::size_t liveParticles(const EmitterNode& node) {
    std::size_t n = node.particles.size();
    for (const auto& child : node.children) n += liveParticles(*child);
    return n;
}

// Three nested levels each emitting 9999 per parent particle: without a bound this
// asks for billions of particles within a few frames.
void buildRunaway(SimScene& scene) {
    EmitterNode* parent = scene.root.get();
    for (int level = 0; level < 3; ++level) {
        EmitterNode& node = scene.addChild(*parent);
        node.amount = 9999;
        node.emitEnd = 9999;
        node.maxSpeed = 2;
        parent = &node;
    }
}

TEST(SimulationLimits, ARunawayEffectStopsAtTheParticleLimitAndSaysSo) {
    SimScene scene;
    buildRunaway(scene);
    scene.restartAndRun(1);
    scene.state.exportInProgress = 0;
    scene.run(2);
    EXPECT_LE(liveParticles(*scene.root), SimulationLimits{}.maxLiveParticles);
    EXPECT_GT(liveParticles(*scene.root), SimulationLimits{}.maxLiveParticles - 10000);
    EXPECT_TRUE(scene.simulation.particleLimitReached());
}

TEST(SimulationLimits, LimitsAreSettingsAndAWrapClearsTheirFlags) {
    SimScene scene(SimulationLimits{500, 1000});
    scene.state.frameCount = 4;
    buildRunaway(scene);
    scene.restartAndRun(3);
    EXPECT_LE(liveParticles(*scene.root), 500u);
    EXPECT_TRUE(scene.simulation.particleLimitReached());

    // Particles freed by deaths can be emitted again within the same pass.
    scene.root->children[0]->children[0]->children[0]->life = 1;
    scene.run(1);
    EXPECT_LE(liveParticles(*scene.root), 500u);

    scene.run(2);  // wrap, then frame 1 of the next pass
    scene.root->children[0]->amount = 0;
    scene.state.requestRestart();
    scene.run(2);
    EXPECT_FALSE(scene.simulation.particleLimitReached());
}

TEST(SimulationLimits, TrailGrowthStopsAtTheTrailPointLimit) {
    SimScene scene(SimulationLimits{1'000'000, 300});
    EmitterNode& node = scene.addTopLevel();
    node.amount = 50;
    node.emitEnd = 5;
    node.maxSpeed = 1;
    node.trailLength = 20;
    scene.restartAndRun(12);
    EXPECT_LE(scene.simulation.trailPoints(), 300u);
    std::size_t held = 0;
    for (const Particle& p : node.particles) held += p.trail.size();
    EXPECT_EQ(held, node.trailPointCount);
    EXPECT_LE(held, 300u);
    EXPECT_TRUE(scene.simulation.trailLimitReached());
    EXPECT_FALSE(scene.simulation.particleLimitReached());
}

TEST(SimulationLimits, BelowTheLimitsNothingChanges) {
    auto run = [](SimulationLimits limits) {
        SimScene scene(limits);
        EmitterNode& node = scene.addTopLevel();
        node.emitType = kEmitRadial;
        node.amount = 40;
        node.amountVar = 50;
        node.emitEnd = 10;
        node.life = 8;
        node.lifeVar = 50;
        node.trailLength = 6;
        node.maxSpeed = 3;
        scene.restartAndRun(20);
        EXPECT_FALSE(scene.simulation.particleLimitReached());
        EXPECT_FALSE(scene.simulation.trailLimitReached());
        std::vector<Particle> particles = node.particles;
        for (Particle& p : particles) p.node = nullptr;  // the scenes' nodes differ
        return std::make_pair(particles, scene.simulation.random().state());
    };
    // Exactly enough room for the busiest frame gives the same frames as no bound at all.
    const auto unbounded = run({SIZE_MAX, SIZE_MAX});
    const auto tight = run({1 + 8 * 60, 8 * 60 * 7});
    EXPECT_EQ(unbounded, tight);
}

TEST(SimulationLimits, ExtremeStoredValuesStayDefined) {
    // Values a damaged file can hold: the arithmetic must be defined for them all.
    SimScene scene;
    EmitterNode& node = scene.addTopLevel();
    node.brightnessVar = INT32_MAX;
    node.emitType = kEmitRadial;
    node.amount = 3;
    node.emitEnd = 5;
    node.interval = 0;
    node.intervalVar = 1;
    scene.restartAndRun(6);
    ASSERT_FALSE(node.particles.empty());
    for (const Particle& p : node.particles) {
        EXPECT_GE(p.brightness, -INT32_MAX);
        EXPECT_LE(p.brightness, INT32_MAX);
    }
}

}  // namespace
}  // namespace sp
