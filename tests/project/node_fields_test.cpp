#include "core/model/node_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "project/format/container.h"
#include "project/format/effect_data.h"

namespace sp {
namespace {

// A value of the field's type, inside its editing range and unlike both of its
// defaults; the wide ranges give each field a number of its own.
NodeFieldValue distinctValue(const NodeField& f) {
    const auto index = static_cast<int32_t>(f.id);
    switch (f.kind) {
        case NodeFieldKind::Integer:
            if (f.maximum - f.minimum >= 64) return f.minimum + 1 + index;
            return f.newDefault == NodeFieldValue(f.maximum) ? f.minimum : f.maximum;
        case NodeFieldKind::Real:
            return -100.0f - static_cast<float>(index);  // whole: the file keeps no fraction
        case NodeFieldKind::Text:
            return "値" + std::string(f.name);
        case NodeFieldKind::SpreadShape: {
            SpreadShape shape{};
            for (std::size_t j = 0; j < shape.size(); ++j) shape[j] = static_cast<int32_t>(j * 3);
            return shape;
        }
        case NodeFieldKind::Curves:
            break;
    }
    return {};
}

EmitterNode& addDistinctChild(EmitterNode& parent) {
    parent.children.push_back(std::make_unique<EmitterNode>(30));
    EmitterNode& n = *parent.children.back();
    n.parent = &parent;
    for (const NodeField& f : nodeFields())
        if (f.kind != NodeFieldKind::Curves) setNodeFieldValue(n, f.id, distinctValue(f));
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        const float k = static_cast<float>(c);
        n.setCurvePoints(static_cast<CurveSlot>(c), {{0, 10 * k}, {37.5f, 80 - k}, {100, 5 + k}});
    }
    return n;
}

TEST(NodeFields, TableIsInIdOrderWithDefaultsInsideTheEditingRanges) {
    ASSERT_EQ(nodeFields().size(), kNodeFieldCount);
    for (std::size_t i = 0; i < kNodeFieldCount; ++i) {
        const NodeField& f = nodeFields()[i];
        SCOPED_TRACE(std::string(f.name));
        EXPECT_EQ(f.id, static_cast<NodeFieldId>(i));
        EXPECT_EQ(&nodeField(f.id), &f);
        EXPECT_EQ(findNodeField(f.name), &f) << "names are unique";
        if (f.kind == NodeFieldKind::Curves) continue;
        EXPECT_EQ(f.newDefault.index(), static_cast<std::size_t>(f.kind));
        EXPECT_EQ(f.rootDefault.value_or(f.newDefault).index(), f.newDefault.index());
        if (const int32_t* v = std::get_if<int32_t>(&f.newDefault)) {
            EXPECT_GE(*v, f.minimum);
            EXPECT_LE(*v, f.maximum);
        }
    }
    EXPECT_EQ(findNodeField("speedSamples"), nullptr) << "the tables follow the curves";
}

TEST(NodeFields, RootDefaultsAndCopyFlagsDescribeTheNode) {
    EmitterNode parent(30);
    const EmitterNode& source = addDistinctChild(parent);
    EmitterNode& root = addDistinctChild(parent);
    root.resetAsRoot();
    EmitterNode copy(45);
    copy.copySettingsFrom(source, 45);
    const EmitterNode fresh(45);
    for (const NodeField& f : nodeFields()) {
        SCOPED_TRACE(std::string(f.name));
        if (f.kind == NodeFieldKind::Curves) {
            EXPECT_EQ(root.curves[kCurveSize].points, source.curves[kCurveSize].points);
            EXPECT_EQ(copy.curves[kCurveSize].points, source.curves[kCurveSize].points);
            continue;
        }
        ASSERT_NE(distinctValue(f), f.rootDefault.value_or(f.newDefault));
        EXPECT_EQ(nodeFieldValue(root, f.id), f.rootDefault.value_or(distinctValue(f)));
        EXPECT_EQ(nodeFieldValue(copy, f.id),
                  f.copiedWithSettings ? distinctValue(f) : nodeFieldValue(fresh, f.id));
    }
}

TEST(NodeFields, ValuesOfAnotherTypeAreRefused) {
    EmitterNode n(30);
    // Asserts in a debug build; leaves the node alone in a release build.
    EXPECT_DEBUG_DEATH(setNodeFieldValue(n, NodeFieldId::gravity, int32_t{3}), "");
    EXPECT_DEBUG_DEATH(setNodeFieldValue(n, NodeFieldId::maxSize, std::string("9")), "");
    EXPECT_DEBUG_DEATH(setNodeFieldValue(n, NodeFieldId::curves, int32_t{0}), "");
    EXPECT_DEBUG_DEATH(nodeFieldValue(n, NodeFieldId::curves), "");
    EXPECT_EQ(n.gravity, 0.0f);
    EXPECT_EQ(n.maxSize, 50);
    EXPECT_EQ(n.curves[kCurveRed].points, EmitterNode(30).curves[kCurveRed].points);
}

// A record read with an older version holds the fields that version had; the
// rest of it is left unread.
TEST(NodeRecord, EveryFieldRoundTripsAndOlderVersionsGetTheirDefaults) {
    EmitterNode root(30);
    const EmitterNode& n = addDistinctChild(root);
    const auto data = format::writeEffectData(ProjectHeader{}, root);
    ASSERT_TRUE(data.has_value());
    for (int32_t version : {format::kWrittenVersion, 2, 1, 0, -3}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const auto read = format::readEffectData(*data, version);
        ASSERT_TRUE(read.has_value());
        const EmitterNode& r = *read->root->children.at(0);
        for (const NodeField& f : nodeFields()) {
            SCOPED_TRACE(std::string(f.name));
            if (f.kind == NodeFieldKind::Curves) {
                for (std::size_t c = 0; c < kCurveCount; ++c) {
                    std::vector<CurvePoint> expected = n.curves[c].points;
                    if (c == kCurveSpeed && version < 4)
                        for (CurvePoint& p : expected) p.y = (p.y + 100.0f) * 0.5f;
                    EXPECT_EQ(r.curves[c].points, expected) << "slot " << c;
                }
            } else if (f.sinceVersion <= std::max(version, 0)) {
                EXPECT_EQ(nodeFieldValue(r, f.id), distinctValue(f));
            } else {
                EXPECT_EQ(nodeFieldValue(r, f.id), f.id == NodeFieldId::maxHeight
                                                       ? NodeFieldValue(n.maxSize)
                                                       : f.newDefault);
            }
        }
    }
}

// Every field a number of its own, set member by member: a field out of its place,
// missing or written twice changes the record.
TEST(NodeRecord, FieldsAreWrittenInTheRecordOrder) {
    EmitterNode root(30);
    root.children.push_back(std::make_unique<EmitterNode>(30));
    EmitterNode& n = *root.children.back();
    n.name = "record";
    n.imageName = "image.png";
    n.trailImageName = "trail.png";
    for (std::size_t j = 0; j < n.spreadShape.size(); ++j)
        n.spreadShape[j] = 60 + static_cast<int32_t>(j);
    n.emitType = kEmitConverging;
    n.gravity = -99.75f;
    int32_t v = 101;
    for (int32_t* f :
         {&n.direction,  &n.inheritTilt,  &n.interval,        &n.intervalVar,     &n.amount,
          &n.amountVar,  &n.positionVar,  &n.emitStart,       &n.emitEnd,         &n.life,
          &n.lifeVar,    &n.evenlySpaced, &n.directionSpread, &n.inheritAlpha,    &n.brightnessVar,
          &n.maxSize,    &n.sizeVar,      &n.inheritSize,     &n.maxHeight,       &n.keepAspect,
          &n.maxSpeed,   &n.speedVar,     &n.maxAngle,        &n.rotationVar,     &n.spinDirection,
          &n.imageIndex, &n.blendMode,    &n.orientation,     &n.trailImageIndex, &n.trailLength,
          &n.hidden})
        *f = v++;
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        const float k = static_cast<float>(c);
        n.curves[c].points = {{0, k}, {50.5f, 10.25f * (k + 1)}};
    }

    EXPECT_EQ(format::writeEffectData(ProjectHeader{}, root),
              "256,256,30,128,128,60,0,0,0,0,1,0,record,"
              "60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75,"
              "76,77,78,79,80,81,82,83,84,85,86,87,88,89,90,91,"
              "-1,101,102,103,104,105,106,107,108,109,110,111,112,113,114,115,116,117,118,121,122,"
              "-99,123,124,125,image.png,126,127,128,"
              "2,0.000000,0.000000,50.500000,10.250000,2,0.000000,1.000000,50.500000,20.500000,"
              "2,0.000000,2.000000,50.500000,30.750000,2,0.000000,3.000000,50.500000,41.000000,"
              "2,0.000000,4.000000,50.500000,51.250000,2,0.000000,5.000000,50.500000,61.500000,"
              "2,0.000000,6.000000,50.500000,71.750000,"
              "trail.png,130,129,120,119,131,");
}

}  // namespace
}  // namespace sp
