#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/node_tree.h"

namespace sp {
namespace {

SampleTable filled(int32_t value) {
    SampleTable t{};
    t.fill(value);
    return t;
}

SampleTable ramp() {
    SampleTable t{};
    for (std::size_t k = 0; k < t.size(); ++k) t[k] = static_cast<int32_t>(k);
    return t;
}

std::vector<CurvePoint> pointsOf(std::initializer_list<CurvePoint> list) {
    return list;
}

// Gives every copied field a value unlike the defaults and unlike other seeds.
void customise(EmitterNode& n, int32_t seed) {
    n.name = "設定" + std::to_string(seed);
    for (std::size_t j = 0; j < n.spreadShape.size(); ++j)
        n.spreadShape[j] = seed + static_cast<int32_t>(j);
    n.emitType = kEmitConverging;
    n.direction = 10 + seed;
    n.inheritTilt = 1;
    n.interval = 2 + seed;
    n.intervalVar = 3 + seed;
    n.amount = 4 + seed;
    n.amountVar = 5 + seed;
    n.positionVar = 6 + seed;
    n.emitStart = 7 + seed;
    n.emitEnd = 8 + seed;
    n.life = 9 + seed;
    n.lifeVar = 10 + seed;
    n.evenlySpaced = 1;
    n.directionSpread = 11 + seed;
    n.redSamples = filled(12 + seed);
    n.greenSamples = filled(13 + seed);
    n.blueSamples = filled(14 + seed);
    n.alphaSamples = filled(15 + seed);
    n.inheritAlpha = 1;
    n.brightnessVar = 16 + seed;
    n.sizeSamples = filled(17 + seed);
    n.maxSize = 18 + seed;
    n.sizeVar = 19 + seed;
    n.inheritSize = 1;
    n.maxHeight = 20 + seed;
    n.keepAspect = 0;
    n.maxSpeed = 21 + seed;
    n.speedVar = 22 + seed;
    n.speedSamples = filled(-23 - seed);
    n.gravity = -0.5f - static_cast<float>(seed);
    n.maxAngle = 24 + seed;
    n.rotationVar = 25 + seed;
    n.rotationSamples = filled(26 + seed);
    n.spinDirection = kSpinRandom;
    n.imageName = "spark" + std::to_string(seed) + ".png";
    n.imageIndex = 27 + seed;
    n.blendMode = kBlendAdditive;
    n.orientation = kOrientTravel;
    n.trailImageName = "trail" + std::to_string(seed) + ".png";
    n.trailImageIndex = 28 + seed;
    n.trailLength = 29 + seed;
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        Curve& curve = n.curves[c];
        curve.points = {{0.0f, 10.0f + static_cast<float>(c)},
                        {40.0f + static_cast<float>(seed), 60.0f},
                        {100.0f, 90.0f - static_cast<float>(seed)}};
        curve.resample();
    }
}

void expectSameSettings(const EmitterNode& a, const EmitterNode& b) {
    SCOPED_TRACE("node " + b.name);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.spreadShape, b.spreadShape);
    EXPECT_EQ(a.emitType, b.emitType);
    EXPECT_EQ(a.direction, b.direction);
    EXPECT_EQ(a.inheritTilt, b.inheritTilt);
    EXPECT_EQ(a.interval, b.interval);
    EXPECT_EQ(a.intervalVar, b.intervalVar);
    EXPECT_EQ(a.amount, b.amount);
    EXPECT_EQ(a.amountVar, b.amountVar);
    EXPECT_EQ(a.positionVar, b.positionVar);
    EXPECT_EQ(a.emitStart, b.emitStart);
    EXPECT_EQ(a.emitEnd, b.emitEnd);
    EXPECT_EQ(a.life, b.life);
    EXPECT_EQ(a.lifeVar, b.lifeVar);
    EXPECT_EQ(a.evenlySpaced, b.evenlySpaced);
    EXPECT_EQ(a.directionSpread, b.directionSpread);
    EXPECT_EQ(a.redSamples, b.redSamples);
    EXPECT_EQ(a.greenSamples, b.greenSamples);
    EXPECT_EQ(a.blueSamples, b.blueSamples);
    EXPECT_EQ(a.alphaSamples, b.alphaSamples);
    EXPECT_EQ(a.inheritAlpha, b.inheritAlpha);
    EXPECT_EQ(a.brightnessVar, b.brightnessVar);
    EXPECT_EQ(a.sizeSamples, b.sizeSamples);
    EXPECT_EQ(a.maxSize, b.maxSize);
    EXPECT_EQ(a.sizeVar, b.sizeVar);
    EXPECT_EQ(a.inheritSize, b.inheritSize);
    EXPECT_EQ(a.maxHeight, b.maxHeight);
    EXPECT_EQ(a.keepAspect, b.keepAspect);
    EXPECT_EQ(a.maxSpeed, b.maxSpeed);
    EXPECT_EQ(a.speedVar, b.speedVar);
    EXPECT_EQ(a.speedSamples, b.speedSamples);
    EXPECT_EQ(a.gravity, b.gravity);
    EXPECT_EQ(a.maxAngle, b.maxAngle);
    EXPECT_EQ(a.rotationVar, b.rotationVar);
    EXPECT_EQ(a.rotationSamples, b.rotationSamples);
    EXPECT_EQ(a.spinDirection, b.spinDirection);
    EXPECT_EQ(a.imageName, b.imageName);
    EXPECT_EQ(a.imageIndex, b.imageIndex);
    EXPECT_EQ(a.blendMode, b.blendMode);
    EXPECT_EQ(a.orientation, b.orientation);
    EXPECT_EQ(a.trailImageName, b.trailImageName);
    EXPECT_EQ(a.trailImageIndex, b.trailImageIndex);
    EXPECT_EQ(a.trailLength, b.trailLength);
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        SCOPED_TRACE("curve slot " + std::to_string(c));
        EXPECT_EQ(a.curves[c].kind(), b.curves[c].kind());
        EXPECT_EQ(a.curves[c].points, b.curves[c].points);
        EXPECT_EQ(a.curves[c].samples, b.curves[c].samples);
    }
}

EmitterNode& addChild(EmitterNode& parent, int32_t frameCount = 30) {
    parent.children.push_back(std::make_unique<EmitterNode>(frameCount));
    EmitterNode& child = *parent.children.back();
    child.parent = &parent;
    return child;
}

void addParticle(EmitterNode& node) {
    Particle p;
    p.node = &node;
    p.age = 3;
    node.particles.push_back(p);
}

// --- Defaults ---

TEST(EmitterNodeDefaults, NewNodeEmitsOneStillParticleForTheWholeLoop) {
    const EmitterNode n(45);

    EXPECT_TRUE(n.children.empty());
    EXPECT_TRUE(n.particles.empty());
    EXPECT_EQ(n.parent, nullptr);
    EXPECT_EQ(n.name, "");
    for (int32_t r : n.spreadShape) EXPECT_EQ(r, 50);
    EXPECT_EQ(n.emitType, kEmitOneDirection);
    EXPECT_EQ(n.direction, 0);
    EXPECT_EQ(n.inheritTilt, 0);
    EXPECT_EQ(n.interval, 1);
    EXPECT_EQ(n.amount, 1);
    EXPECT_EQ(n.intervalVar, 0);
    EXPECT_EQ(n.amountVar, 0);
    EXPECT_EQ(n.positionVar, 0);
    EXPECT_EQ(n.emitStart, 1);
    EXPECT_EQ(n.emitEnd, 1);
    EXPECT_EQ(n.life, 45);  // the project's loop length
    EXPECT_EQ(n.lifeVar, 0);
    EXPECT_EQ(n.evenlySpaced, 0);
    EXPECT_EQ(n.directionSpread, 0);
    EXPECT_EQ(n.redSamples, filled(100));
    EXPECT_EQ(n.greenSamples, filled(100));
    EXPECT_EQ(n.blueSamples, filled(100));
    EXPECT_EQ(n.alphaSamples, filled(100));
    EXPECT_EQ(n.sizeSamples, filled(100));
    EXPECT_EQ(n.speedSamples, filled(100));
    EXPECT_EQ(n.rotationSamples, ramp());
    EXPECT_EQ(n.inheritAlpha, 0);
    EXPECT_EQ(n.brightnessVar, 0);
    EXPECT_EQ(n.maxSize, 50);
    EXPECT_EQ(n.sizeVar, 0);
    EXPECT_EQ(n.inheritSize, 0);
    EXPECT_EQ(n.maxHeight, 50);
    EXPECT_EQ(n.keepAspect, 1);
    EXPECT_EQ(n.maxSpeed, 0);
    EXPECT_EQ(n.speedVar, 0);
    EXPECT_EQ(n.gravity, 0.0f);
    EXPECT_EQ(n.maxAngle, 0);
    EXPECT_EQ(n.rotationVar, 0);
    EXPECT_EQ(n.spinDirection, kSpinClockwise);
    EXPECT_EQ(n.imageName, "");
    EXPECT_EQ(n.imageIndex, 0);
    EXPECT_EQ(n.blendMode, kBlendNormal);
    EXPECT_EQ(n.orientation, kOrientFixed);
    EXPECT_EQ(n.trailImageName, "");
    EXPECT_EQ(n.trailImageIndex, 0);
    EXPECT_EQ(n.trailLength, 0);
    EXPECT_EQ(n.hidden, 0);
}

TEST(EmitterNodeDefaults, NewNodeCurvesAreFlatExceptTheRotationRamp) {
    const EmitterNode n(30);
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        SCOPED_TRACE("curve slot " + std::to_string(c));
        if (c == kCurveRotation) {
            EXPECT_EQ(n.curves[c].points, pointsOf({{0.0f, 0.0f}, {100.0f, 100.0f}}));
        } else {
            EXPECT_EQ(n.curves[c].points, pointsOf({{0.0f, 100.0f}, {100.0f, 100.0f}}));
        }
        EXPECT_EQ(n.curves[c].kind(), c == kCurveSpeed ? CurveKind::Speed : CurveKind::Plain);
    }
    // The signed speed curve at its top hands full speed to the table.
    SampleTable speed{};
    n.curves[kCurveSpeed].copySamples(speed);
    EXPECT_EQ(speed, n.speedSamples);
}

TEST(EmitterNodeDefaults, ResetAsRootSetsRootValuesAndKeepsTheRest) {
    EmitterNode root(30);
    customise(root, 1);
    root.hidden = 1;
    EmitterNode dummyParent(30);
    root.parent = &dummyParent;
    EmitterNode& child = addChild(root);
    addParticle(root);
    const std::vector<CurvePoint> curvePoints = root.curves[kCurveAlpha].points;

    root.resetAsRoot();

    EXPECT_EQ(root.parent, nullptr);
    EXPECT_EQ(root.name, "ルート");
    for (int32_t r : root.spreadShape) EXPECT_EQ(r, 50);
    EXPECT_EQ(root.emitType, kEmitOneDirection);
    EXPECT_EQ(root.direction, 0);
    EXPECT_EQ(root.inheritTilt, 0);
    EXPECT_EQ(root.interval, 1);
    EXPECT_EQ(root.amount, 1);
    EXPECT_EQ(root.intervalVar, 0);
    EXPECT_EQ(root.amountVar, 0);
    EXPECT_EQ(root.positionVar, 0);
    EXPECT_EQ(root.emitStart, 1);
    EXPECT_EQ(root.emitEnd, 1);
    EXPECT_EQ(root.life, 2147483647);  // the root particle never dies within a loop
    EXPECT_EQ(root.lifeVar, 0);
    for (const SampleTable* t :
         {&root.redSamples, &root.greenSamples, &root.blueSamples, &root.alphaSamples,
          &root.sizeSamples, &root.speedSamples, &root.rotationSamples})
        EXPECT_EQ(*t, filled(0));
    EXPECT_EQ(root.inheritAlpha, 0);
    EXPECT_EQ(root.brightnessVar, 0);
    EXPECT_EQ(root.maxSize, 10);
    EXPECT_EQ(root.sizeVar, 0);
    EXPECT_EQ(root.inheritSize, 0);
    EXPECT_EQ(root.maxSpeed, 0);
    EXPECT_EQ(root.speedVar, 0);
    EXPECT_EQ(root.gravity, 0.0f);
    EXPECT_EQ(root.maxAngle, 0);
    EXPECT_EQ(root.rotationVar, 0);
    EXPECT_EQ(root.spinDirection, kSpinClockwise);
    EXPECT_EQ(root.imageIndex, 0);
    EXPECT_EQ(root.blendMode, kBlendNormal);
    EXPECT_EQ(root.orientation, kOrientFixed);

    // Left as they were.
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].get(), &child);
    EXPECT_EQ(root.particles.size(), 1u);
    EXPECT_EQ(root.evenlySpaced, 1);
    EXPECT_EQ(root.directionSpread, 12);
    EXPECT_EQ(root.maxHeight, 21);
    EXPECT_EQ(root.keepAspect, 0);
    EXPECT_EQ(root.imageName, "spark1.png");
    EXPECT_EQ(root.trailImageName, "trail1.png");
    EXPECT_EQ(root.trailImageIndex, 29);
    EXPECT_EQ(root.trailLength, 30);
    EXPECT_EQ(root.curves[kCurveAlpha].points, curvePoints);
    EXPECT_EQ(root.hidden, 1);
}

// --- Copying settings ---

class EmitterNodeCopySettings : public ::testing::Test {
  protected:
    // source ─┬─ a ─┬─ a1
    //         │     └─ a2
    //         └─ b ──── b1
    EmitterNodeCopySettings() {
        customise(source, 1);
        EmitterNode& a = addChild(source);
        customise(a, 2);
        customise(addChild(a), 3);
        customise(addChild(a), 4);
        EmitterNode& b = addChild(source);
        customise(b, 5);
        customise(addChild(b), 6);
        forEach(source, [](EmitterNode& n) {
            n.hidden = 1;
            addParticle(n);
            addParticle(n);
        });
    }

    template <typename F>
    static void forEach(EmitterNode& n, F f) {
        f(n);
        for (auto& c : n.children) forEach(*c, f);
    }

    EmitterNode source{30};
};

TEST_F(EmitterNodeCopySettings, CopiesTwoLevelsOfChildrenWithoutParticlesAndVisible) {
    EmitterNode target(30);
    target.copySettingsFrom(source, 30);

    std::vector<std::pair<const EmitterNode*, const EmitterNode*>> pairs{{&source, &target}};
    int compared = 0;
    while (!pairs.empty()) {
        auto [from, to] = pairs.back();
        pairs.pop_back();
        ++compared;
        expectSameSettings(*from, *to);
        EXPECT_TRUE(to->particles.empty()) << to->name;
        EXPECT_EQ(to->hidden, 0) << to->name;
        EXPECT_EQ(from->particles.size(), 2u) << "source keeps its particles";
        ASSERT_EQ(to->children.size(), from->children.size()) << to->name;
        for (std::size_t i = 0; i < from->children.size(); ++i) {
            EXPECT_NE(to->children[i].get(), from->children[i].get());
            EXPECT_EQ(to->children[i]->parent, to) << "children belong to the copy";
            pairs.emplace_back(from->children[i].get(), to->children[i].get());
        }
    }
    EXPECT_EQ(compared, 6);
    EXPECT_EQ(target.parent, nullptr);
    EXPECT_EQ(target.children[0]->name, "設定2");
    EXPECT_EQ(target.children[0]->children[1]->name, "設定4");
    EXPECT_EQ(target.children[1]->children[0]->name, "設定6");
}

TEST_F(EmitterNodeCopySettings, CopiedCurvesAreIndependentOfTheSource) {
    EmitterNode target(30);
    target.copySettingsFrom(source, 30);
    EmitterNode& copyChild = *target.children[0]->children[0];
    const EmitterNode& sourceChild = *source.children[0]->children[0];

    const std::vector<CurvePoint> sourcePoints = source.curves[kCurveSpeed].points;
    const SampleTable sourceCurveSamples = source.curves[kCurveSpeed].samples;
    const SampleTable sourceTable = source.speedSamples;
    const std::vector<CurvePoint> childPoints = sourceChild.curves[kCurveSpeed].points;
    const SampleTable childTable = sourceChild.speedSamples;

    for (EmitterNode* n : {&target, &copyChild}) {
        Curve& speed = n->curves[kCurveSpeed];
        speed.dragPoint(1, 50.0f, 0.0f);
        speed.pickOrInsert(80.0f, 5.0f);
        speed.resample();
        speed.copySamples(n->speedSamples);
    }
    ASSERT_NE(target.curves[kCurveSpeed].points, sourcePoints);
    ASSERT_NE(target.speedSamples, sourceTable);

    EXPECT_EQ(source.curves[kCurveSpeed].points, sourcePoints);
    EXPECT_EQ(source.curves[kCurveSpeed].samples, sourceCurveSamples);
    EXPECT_EQ(source.speedSamples, sourceTable);
    EXPECT_EQ(sourceChild.curves[kCurveSpeed].points, childPoints);
    EXPECT_EQ(sourceChild.speedSamples, childTable);

    // And the other way round: editing the source leaves an existing copy alone.
    const std::vector<CurvePoint> copyPoints = target.curves[kCurveRed].points;
    source.curves[kCurveRed].points.clear();
    EXPECT_EQ(target.curves[kCurveRed].points, copyPoints);
}

// --- Whole-subtree helpers ---

TEST(EmitterNodeSubtree, ClearParticlesEmptiesEveryLevel) {
    EmitterNode root(30);
    EmitterNode& a = addChild(root);
    EmitterNode& a1 = addChild(a);
    EmitterNode& b = addChild(root);
    for (EmitterNode* n : {&root, &a, &a1, &b}) {
        addParticle(*n);
        addParticle(*n);
    }
    a1.trailPointCount = 7;

    a.clearParticles();
    EXPECT_TRUE(a.particles.empty());
    EXPECT_TRUE(a1.particles.empty());
    EXPECT_EQ(a1.trailPointCount, 0u);
    EXPECT_EQ(root.particles.size(), 2u) << "only the subtree is cleared";
    EXPECT_EQ(b.particles.size(), 2u);

    root.clearParticles();
    EXPECT_TRUE(root.particles.empty());
    EXPECT_TRUE(b.particles.empty());
}

TEST(EmitterNodeSubtree, RelinkParentsRepairsEveryLevel) {
    EmitterNode root(30);
    EmitterNode& a = addChild(root);
    EmitterNode& a1 = addChild(a);
    EmitterNode& a1x = addChild(a1);
    EmitterNode& b = addChild(root);
    EmitterNode stranger(30);
    a.parent = nullptr;
    a1.parent = &stranger;
    a1x.parent = &b;
    b.parent = &a;

    root.relinkParents();

    EXPECT_EQ(a.parent, &root);
    EXPECT_EQ(a1.parent, &a);
    EXPECT_EQ(a1x.parent, &a1);
    EXPECT_EQ(b.parent, &root);
}

TEST(EmitterNodeSubtree, ResolveMaterialsFindsOneBasedIndicesByName) {
    EmitterNode root(30);
    EmitterNode& a = addChild(root);
    EmitterNode& a1 = addChild(a);
    EmitterNode& b = addChild(root);
    a.imageName = "smoke.png";
    a.trailImageName = "fire.png";
    a1.imageName = "glow.png";
    a1.trailImageName = "missing.png";
    a1.trailImageIndex = 4;  // stale
    b.imageIndex = 2;        // stale, with no name

    root.resolveMaterials({"fire.png", "smoke.png", "glow.png"});
    EXPECT_EQ(a.imageIndex, 2);
    EXPECT_EQ(a.trailImageIndex, 1);
    EXPECT_EQ(a1.imageIndex, 3);
    EXPECT_EQ(a1.trailImageIndex, 0);
    EXPECT_EQ(b.imageIndex, 0);
    EXPECT_EQ(b.trailImageIndex, 0);
    EXPECT_EQ(root.imageIndex, 0);

    // The list reloads in another order: indices follow the names.
    root.resolveMaterials({"glow.png", "smoke.png"});
    EXPECT_EQ(a.imageIndex, 2);
    EXPECT_EQ(a.trailImageIndex, 0);
    EXPECT_EQ(a1.imageIndex, 1);

    root.resolveMaterials({});
    EXPECT_EQ(a.imageIndex, 0);
    EXPECT_EQ(a1.imageIndex, 0);

    // Two materials of one name: the later one is used.
    root.resolveMaterials({"smoke.png", "glow.png", "smoke.png"});
    EXPECT_EQ(a.imageIndex, 3);
}

// --- Reading sample tables ---

TEST(EmitterNodeSampleAt, ReadsByTheIntegerAgeRule) {
    const SampleTable t = ramp();
    EXPECT_EQ(EmitterNode::sampleAt(t, 0, 10), 0);
    EXPECT_EQ(EmitterNode::sampleAt(t, 1, 3), 33);
    EXPECT_EQ(EmitterNode::sampleAt(t, 2, 3), 66);  // truncated, not rounded
    EXPECT_EQ(EmitterNode::sampleAt(t, 7, 9), 77);
    EXPECT_EQ(EmitterNode::sampleAt(t, 29, 30), 96);
}

TEST(EmitterNodeSampleAt, EndOfLifeReadsTheLastEntry) {
    SampleTable t = filled(5);
    t[100] = 42;
    EXPECT_EQ(EmitterNode::sampleAt(t, 30, 30), 42);
    EXPECT_EQ(EmitterNode::sampleAt(t, 1, 1), 42);
    EXPECT_EQ(EmitterNode::sampleAt(t, kRootLife, kRootLife), 42);
}

TEST(EmitterNodeSampleAt, LifetimeZeroReadsZero) {
    const SampleTable t = filled(77);
    EXPECT_EQ(EmitterNode::sampleAt(t, 0, 0), 0);
    EXPECT_EQ(EmitterNode::sampleAt(t, 5, 0), 0);
}

TEST(EmitterNodeSampleAt, LongLivedParticlesDoNotOverflow) {
    // The root particle lives 2147483647 frames; age × 100 exceeds 32 bits long before that.
    const SampleTable t = ramp();
    EXPECT_EQ(EmitterNode::sampleAt(t, 30, kRootLife), 0);
    EXPECT_EQ(EmitterNode::sampleAt(t, 50'000'000, 100'000'000), 50);
    EXPECT_EQ(EmitterNode::sampleAt(t, kRootLife - 1, kRootLife), 99);
}

// --- Spread shape ---

TEST(EmitterNodeSpreadShape, RadiusFiftyEverywhereGivesFactorOne) {
    const EmitterNode n(30);
    for (int32_t c : {0, 1, 11, 45, 90, 179, 200, 300, 359}) {
        EXPECT_NEAR(n.spreadShapeFactor(c), 1.0f, 1e-6f) << "direction " << c;
    }
}

TEST(EmitterNodeSpreadShape, OnARadiusDirectionReadsThatRadius) {
    EmitterNode n(30);
    n.spreadShape[8] = 75;   // 90 degrees
    n.spreadShape[16] = 0;   // 180 degrees
    n.spreadShape[24] = 20;  // 270 degrees
    EXPECT_NEAR(n.spreadShapeFactor(90), 1.5f, 1e-6f);
    EXPECT_NEAR(n.spreadShapeFactor(180), 0.0f, 1e-6f);
    EXPECT_NEAR(n.spreadShapeFactor(270), 0.4f, 1e-6f);
}

TEST(EmitterNodeSpreadShape, InterpolatesBetweenNeighbouringRadii) {
    EmitterNode n(30);
    n.spreadShape[0] = 50;
    n.spreadShape[1] = 100;
    // 9 degrees lies 0.8 of the way from radius 0 (0°) to radius 1 (11.25°).
    EXPECT_NEAR(n.spreadShapeFactor(9), (50.0f * 0.2f + 100.0f * 0.8f) * 2.0f / 100.0f, 1e-4f);
    n.spreadShape[4] = 0;
    n.spreadShape[5] = 100;
    // 50 degrees: f = 4.444…, a weight of 0.444 on radius 5.
    EXPECT_NEAR(n.spreadShapeFactor(50), (100.0 * (50.0 / 11.25 - 4.0)) * 2.0 / 100.0, 1e-4);
}

TEST(EmitterNodeSpreadShape, LastRadiusWrapsToTheFirst) {
    EmitterNode n(30);
    n.spreadShape[31] = 0;
    n.spreadShape[0] = 100;
    for (int32_t c : {350, 354, 359}) {
        const double t = c / 11.25 - 31.0;
        EXPECT_NEAR(n.spreadShapeFactor(c), 100.0 * t * 2.0 / 100.0, 1e-4) << "direction " << c;
    }
    EXPECT_NEAR(n.spreadShapeFactor(360), 2.0f, 1e-6f);
}

}  // namespace
}  // namespace sp

namespace sp {
namespace {

TEST(EmitterNodeCurves, NewPointsReachTheNodeTables) {
    EmitterNode node(30);
    node.setCurvePoints(kCurveSpeed, {{100, 50}, {0, 100}});  // out of order: sorted first
    EXPECT_EQ(node.curves[kCurveSpeed].points.front().x, 0.0f);
    EXPECT_EQ(node.speedSamples[0], 100);
    EXPECT_EQ(node.speedSamples[100], 0);  // 50 on the two-sided scale is standing still
    node.setCurvePoints(kCurveAlpha, {{0, 0}, {100, 100}});
    EXPECT_EQ(node.alphaSamples[40], 40);
}

}  // namespace
}  // namespace sp
