#include "project/format/effect_data.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/text/cp932.h"
#include "project/format/container.h"
#include "project/format/tokens.h"
#include "support/decimal_comma_locale.h"

namespace sp::format {
namespace {

EmitterNode& addChild(EmitterNode& parent, const std::string& name) {
    parent.children.push_back(std::make_unique<EmitterNode>(30));
    parent.children.back()->parent = &parent;
    parent.children.back()->name = name;
    return *parent.children.back();
}

// A tree that sets every stored field to a value of its own.
std::unique_ptr<EmitterNode> busyTree() {
    auto root = std::make_unique<EmitterNode>(30);
    EmitterNode& a = addChild(*root, "爆発");
    EmitterNode& a1 = addChild(a, "火花のｺﾋﾟｰ");
    addChild(a1, "ノード7");
    EmitterNode& b = addChild(*root, "glow");
    int v = 3;
    for (EmitterNode* n : {&a, &a1, &b}) {
        for (int32_t& s : n->spreadShape) s = v++ % 97;
        n->emitType = v % 3;
        n->direction = v++;
        n->inheritTilt = 1;
        n->interval = v++;
        n->intervalVar = v++;
        n->amount = v++;
        n->amountVar = v++;
        n->positionVar = v++;
        n->emitStart = v++;
        n->emitEnd = v++;
        n->life = v++;
        n->lifeVar = v++;
        n->evenlySpaced = 1;
        n->directionSpread = v++;
        n->inheritAlpha = 1;
        n->brightnessVar = v++;
        n->maxSize = v++;
        n->sizeVar = v++;
        n->inheritSize = 1;
        n->maxSpeed = v++;
        n->speedVar = v++;
        n->gravity = static_cast<float>(-v++);
        n->maxAngle = v++;
        n->rotationVar = v++;
        n->spinDirection = 2;
        n->imageName = "fire.png";
        n->imageIndex = 2;
        n->blendMode = 1;
        n->orientation = 2;
        n->trailImageName = "煙.jpg";
        n->trailImageIndex = 1;
        n->trailLength = v++;
        n->keepAspect = 0;
        n->maxHeight = v++;
        n->hidden = v % 2;
        n->curves[kCurveSpeed].points = {{0, 25.5f}, {33.25f, 80}, {100, 0}};
        n->curves[kCurveAlpha].points = {{0, 0}, {12.125f, 100}, {60, 40}, {100, 0}};
    }
    return root;
}

const ProjectHeader kHeader{640, 360, 45, 320, 200, 24, 10, 20, 30, 1234};

std::string write(const EmitterNode& root, const ProjectHeader& header = kHeader) {
    auto data = writeEffectData(header, root);
    EXPECT_TRUE(data.has_value());
    return data.value_or("");
}

TEST(EffectData, RoundTripsEveryFieldByteForByte) {
    const auto root = busyTree();
    const std::string first = write(*root);
    auto read = readEffectData(first, kWrittenVersion);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->nodeCount, 4);
    EXPECT_EQ(write(*read->root, read->header), first);

    const EmitterNode& a = *read->root->children[0];
    EXPECT_EQ(a.name, "爆発");
    EXPECT_EQ(a.children[0]->name, "火花のｺﾋﾟｰ");
    EXPECT_EQ(a.children[0]->parent, &a);
    EXPECT_EQ(a.trailImageName, "煙.jpg");
    EXPECT_EQ(read->header.randomSeed, 1234);
    // Tables come from the curves: the speed curve is the two-sided one.
    Curve speed(CurveKind::Speed);
    speed.points = a.curves[kCurveSpeed].points;
    speed.resample();
    SampleTable expected{};
    speed.copySamples(expected);
    EXPECT_EQ(a.speedSamples, expected);
}

TEST(EffectData, NewProjectLayoutAndFieldEncodings) {
    auto root = std::make_unique<EmitterNode>(30);
    EmitterNode& n = addChild(*root, "ノード1");
    const std::string fresh = write(*root, ProjectHeader{});
    const std::string cp932Name = *text::toCp932("ノード1");
    EXPECT_EQ(fresh.rfind("256,256,30,128,128,60,0,0,0,0,1,0," + cp932Name + ",50,", 0), 0u);
    EXPECT_NE(fresh.find(",2,0.000000,100.000000,100.000000,100.000000,"), std::string::npos);
    EXPECT_EQ(fresh.back(), ',');

    // Emission types are stored as 1 − type; gravity loses its fraction toward zero.
    for (auto [type, code] : {std::pair{0, "1"}, {1, "0"}, {2, "-1"}}) {
        n.emitType = type;
        n.gravity = 2.7f;
        const std::string data = write(*root, ProjectHeader{});
        TokenReader r(data);
        for (int i = 0; i < 12 + 1 + 32; ++i) r.token();
        EXPECT_EQ(*r.token(), code);
        auto read = readEffectData(data, 4);
        EXPECT_EQ(read->root->children[0]->emitType, type);
        EXPECT_EQ(read->root->children[0]->gravity, 2.0f);
    }
    n.gravity = -2.7f;
    EXPECT_EQ(readEffectData(write(*root, ProjectHeader{}), 4)->root->children[0]->gravity, -2.0f);
}

// Cuts the fields a version does not have from a node record written today,
// for a tree of top-level nodes without children.
std::string asVersion(const std::string& current, int version, int topLevelNodes) {
    TokenReader r(current);
    TokenWriter w;
    auto copy = [&](int n) {
        for (int i = 0; i < n; ++i) w.text(*r.token());
    };
    copy(10 + 1);
    for (int k = 0; k < topLevelNodes; ++k) {
        copy(1 + 1 + 32 + 29);  // child count, name, spread shape, fields 5–33
        for (int c = 0; c < 7; ++c) {
            const int32_t points = *r.integer();
            w.integer(points);
            for (int p = 0; p < points; ++p) {
                w.text(*r.token());
                float y = *r.real();
                if (c == kCurveSpeed && version < 4)
                    y = y * 2.0f - 100.0f;  // the old −100..100 scale
                w.real(y);
            }
        }
        auto keep = [&](int n, bool on) {
            for (int i = 0; i < n; ++i) {
                auto t = r.token();
                if (on) w.text(*t);
            }
        };
        keep(3, version >= 1);
        keep(2, version >= 2);
        keep(1, version >= 4);
    }
    return w.take();
}

TEST(EffectData, OlderVersionsGetDefaultsAndTheOldSpeedScale) {
    auto root = std::make_unique<EmitterNode>(30);
    EmitterNode& n = addChild(*root, "a");
    n.maxSize = 77;
    n.maxHeight = 12;
    n.keepAspect = 0;
    n.hidden = 1;
    n.trailLength = 9;
    n.trailImageName = "t";
    n.curves[kCurveSpeed].points = {{0, 0}, {50, 50}, {100, 100}};
    const std::string current = write(*root, ProjectHeader{});

    for (int version : {0, 1, 2, 3}) {
        auto read = readEffectData(asVersion(current, version, 1), version);
        ASSERT_TRUE(read.has_value()) << version;
        const EmitterNode& r = *read->root->children[0];
        EXPECT_EQ(r.hidden, 0) << version;
        EXPECT_EQ(r.keepAspect, version >= 2 ? 0 : 1) << version;
        EXPECT_EQ(r.maxHeight, version >= 2 ? 12 : 77) << version;
        EXPECT_EQ(r.trailLength, version >= 1 ? 9 : 0) << version;
        EXPECT_EQ(r.trailImageName, version >= 1 ? "t" : "") << version;
        ASSERT_EQ(r.curves[kCurveSpeed].points.size(), 3u);
        EXPECT_EQ(r.curves[kCurveSpeed].points[0].y, 0.0f) << version;
        EXPECT_EQ(r.curves[kCurveSpeed].points[1].y, 50.0f) << version;
        EXPECT_EQ(r.curves[kCurveSpeed].points[2].y, 100.0f) << version;
        EXPECT_EQ(r.speedSamples[0], -100);
        EXPECT_EQ(r.speedSamples[100], 100);
    }
    // Versions below 0 read like version 0.
    EXPECT_TRUE(readEffectData(asVersion(current, 0, 1), -3).has_value());
}

TEST(EffectData, OutOfRangeHeadersAreBroughtIntoRange) {
    auto root = std::make_unique<EmitterNode>(30);
    addChild(*root, "a");
    ProjectHeader h;
    h.previewFps = 0;
    h.projectWidth = 1;
    h.projectHeight = 100000;
    auto read = readEffectData(write(*root, h), 4);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->header.previewFps, 1);
    EXPECT_EQ(read->header.projectWidth, 4);
    EXPECT_EQ(read->header.projectHeight, 2048);
    h.previewFps = -40;
    EXPECT_EQ(readEffectData(write(*root, h), 4)->header.previewFps, 1);
}

TEST(EffectData, TruncatedDataIsRefusedWhereverItIsCut) {
    const std::string data = write(*busyTree());
    for (std::size_t cut = 0; cut < data.size(); ++cut)
        ASSERT_FALSE(readEffectData(std::string_view(data).substr(0, cut), 4).has_value()) << cut;
}

TEST(EffectData, NamesThatCannotBeStoredAreRefusedOnWriting) {
    auto root = std::make_unique<EmitterNode>(30);
    addChild(*root, "火🔥");
    EXPECT_FALSE(writeEffectData(ProjectHeader{}, *root).has_value());
}

TEST(EffectData, NumbersIgnoreTheProcessLocale) {
    const auto root = busyTree();
    const std::string expected = write(*root);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!testing::useDecimalCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    const std::string written = write(*root);
    auto read = readEffectData(expected, 4);
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(written, expected);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->root->children[0]->curves[kCurveAlpha].points[1].x, 12.125f);
    EXPECT_EQ(write(*read->root, read->header), expected);
}

TEST(Tokens, ReadNumbersAsTheCLibraryDoes) {
    EXPECT_EQ(parseInteger("  -12xyz"), -12);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("abc"), 0);
    EXPECT_EQ(parseInteger(""), 0);
    EXPECT_EQ(parseInteger("99999999999"), 2147483647);
    EXPECT_EQ(parseInteger("-99999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(parseReal("12.500000"), 12.5);
    EXPECT_DOUBLE_EQ(parseReal(" -0.25e1junk"), -2.5);
    EXPECT_DOUBLE_EQ(parseReal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(parseReal("x1"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("1e-999"), 0.0);
    EXPECT_TRUE(std::isinf(parseReal("1e999")));

    TokenReader r(std::string_view("a\nb\0c,3,xyz", 11));
    EXPECT_EQ(*r.token(), "a");
    EXPECT_EQ(*r.token(), "b");
    EXPECT_EQ(*r.token(), "c");
    EXPECT_EQ(*r.rawBlock(), "xyz");
    EXPECT_FALSE(r.token().has_value());  // nothing left: no separator
}

}  // namespace
}  // namespace sp::format
