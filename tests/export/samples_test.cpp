// The generated sample effects open like any project and show what they promise.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/app_context.h"
#include "services/services_test_support.h"

#ifndef SPARKPLUME_SAMPLES_DIR
#error "SPARKPLUME_SAMPLES_DIR must name the folder of the generated samples"
#endif

namespace sp {
namespace {

namespace fs = std::filesystem;
using sp::testing::pathOf;
using sp::testing::ScriptedPrompts;

void forEachNode(const EmitterNode& node, const std::function<void(const EmitterNode&)>& visit) {
    for (const auto& child : node.children) {
        visit(*child);
        forEachNode(*child, visit);
    }
}

class SampleFixture : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    ScriptedPrompts prompts;
    AppContext context{prompts, {pathOf(temp) / "workspace", pathOf(temp), false, {}}};
    Project* project = &context.document().project();
    FileCommands* files = &context.files();

    void SetUp() override { ASSERT_TRUE(context.start()); }

    // Opens a sample; fails the test with the messages shown when it does not open.
    bool open(const std::string& name) {
        const fs::path file = fs::path(SPARKPLUME_SAMPLES_DIR) / name;
        const bool opened = files->openByPath(file);
        for (const auto& m : prompts.messages) ADD_FAILURE() << m.caption << ": " << m.text;
        return opened && prompts.messages.empty();
    }

    std::vector<const EmitterNode*> nodes() const {
        std::vector<const EmitterNode*> all;
        forEachNode(project->tree.root(), [&all](const EmitterNode& n) { all.push_back(&n); });
        return all;
    }

    const EmitterNode* named(const std::string& name) const {
        for (const EmitterNode* n : nodes())
            if (n->name == name) return n;
        return nullptr;
    }
};

class SamplesTest : public SampleFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(SamplesTest, OpensWithItsNodesAndEveryPictureResolved) {
    ASSERT_TRUE(open(GetParam()));
    const ProjectState& state = project->state;
    EXPECT_EQ(state.frameCount, 30);
    EXPECT_EQ(state.projectWidth, 256);
    EXPECT_EQ(state.projectHeight, 256);

    const std::vector<const EmitterNode*> all = nodes();
    ASSERT_FALSE(all.empty());
    for (const EmitterNode* n : all) {
        EXPECT_FALSE(n->name.empty());
        ASSERT_FALSE(n->imageName.empty()) << n->name;
        EXPECT_GT(n->imageIndex, 0) << n->name << " → " << n->imageName;
        if (!n->trailImageName.empty()) {
            EXPECT_GT(n->trailImageIndex, 0) << n->name << " → " << n->trailImageName;
        }
        // Every node is seen: something is emitted, lives and has a size.
        EXPECT_GT(n->amount, 0) << n->name;
        EXPECT_GT(n->life, 0) << n->name;
        EXPECT_GT(n->maxSize, 0) << n->name;
    }

    // The pictures travel with the file as square power-of-two materials.
    ASSERT_FALSE(project->materials.materials().empty());
    for (const Material& m : project->materials.materials()) {
        ASSERT_TRUE(m.texture) << m.name;
        EXPECT_EQ(m.width, m.height) << m.name;
        EXPECT_EQ(m.width & (m.width - 1), 0u) << m.name;
        EXPECT_GE(m.width, 16u) << m.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, SamplesTest,
                         ::testing::Values("burst.spd", "sparks.spd", "converge.spd", "smoke.spd"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return fs::path(info.param).stem().string();
                         });

using SampleFeaturesTest = SampleFixture;

TEST_F(SampleFeaturesTest, BurstThrowsEmbersThatSpawnSparks) {
    ASSERT_TRUE(open("burst.spd"));
    const EmitterNode* embers = named("火の玉");
    ASSERT_NE(embers, nullptr);
    EXPECT_EQ(embers->emitType, kEmitRadial);
    EXPECT_EQ(embers->blendMode, kBlendAdditive);
    ASSERT_EQ(embers->children.size(), 1u);
    const EmitterNode& sparks = *embers->children.front();
    EXPECT_EQ(sparks.name, "火花");
    EXPECT_GT(sparks.gravity, 0.0f);
    // The embers cool and fade over their life.
    EXPECT_GT(embers->greenSamples[0], embers->greenSamples[100]);
    EXPECT_EQ(embers->alphaSamples[100], 0);
}

TEST_F(SampleFeaturesTest, SparksFaceTheirTravelAndLeaveTrails) {
    ASSERT_TRUE(open("sparks.spd"));
    const EmitterNode* sparks = named("火花");
    ASSERT_NE(sparks, nullptr);
    EXPECT_EQ(sparks->orientation, kOrientTravel);
    EXPECT_GT(sparks->trailLength, 0);
    EXPECT_GT(sparks->trailImageIndex, 0);
    EXPECT_GT(sparks->gravity, 0.0f);
    EXPECT_EQ(sparks->keepAspect, 0);
    EXPECT_GT(sparks->maxSize, sparks->maxHeight);
}

TEST_F(SampleFeaturesTest, ConvergeGathersLightIntoTheCentre) {
    ASSERT_TRUE(open("converge.spd"));
    const EmitterNode* motes = named("集まる光");
    ASSERT_NE(motes, nullptr);
    EXPECT_EQ(motes->emitType, kEmitConverging);
    EXPECT_EQ(motes->blendMode, kBlendAdditive);
    // Fade in, fade out, and shrink on arrival: the curves were shaped and saved.
    EXPECT_EQ(motes->alphaSamples[0], 0);
    EXPECT_GT(motes->alphaSamples[50], 50);
    EXPECT_EQ(motes->alphaSamples[100], 0);
    EXPECT_GT(motes->sizeSamples[0], motes->sizeSamples[100]);
}

TEST_F(SampleFeaturesTest, SmokeTurnsGrowsAndFadesOverABackground) {
    ASSERT_TRUE(open("smoke.spd"));
    const ProjectState& state = project->state;
    EXPECT_NE(state.backgroundRed + state.backgroundGreen + state.backgroundBlue, 0);
    const EmitterNode* smoke = named("煙");
    ASSERT_NE(smoke, nullptr);
    EXPECT_EQ(smoke->blendMode, kBlendNormal);
    EXPECT_GT(smoke->maxAngle, 0);
    EXPECT_LT(smoke->sizeSamples[0], smoke->sizeSamples[100]);
    EXPECT_EQ(smoke->alphaSamples[100], 0);
}

}  // namespace
}  // namespace sp
