#include <gtest/gtest.h>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include <random>

#include "tools/tilesheet/atlas_json.h"
#include "tools/tilesheet/frame_packer.h"
#include "tools/tilesheet/sheet_pixels.h"
#include "tools/tilesheet/sheet_plan.h"

namespace sp::tools {
namespace {

using exchange::SheetOptions;
using exchange::Trim;

bool overlap(const PackPlace& a, const PackSize& as, const PackPlace& b, const PackSize& bs) {
    return a.bin == b.bin && a.x < b.x + bs.w && b.x < a.x + as.w && a.y < b.y + bs.h &&
           b.y < a.y + as.h;
}

TEST(FramePacker, KeepsEveryRectangleWithoutOverlapWithinTheLimit) {
    std::mt19937 random(12345);
    for (int round = 0; round < 60; ++round) {
        const int maxSide = round % 3 == 0 ? 256 : 1024;
        const bool powerOfTwo = round % 2 == 1;
        std::uniform_int_distribution<int> side(1, round % 4 == 0 ? 200 : 90);
        std::vector<PackSize> sizes(static_cast<std::size_t>(1 + round * 3));
        for (PackSize& s : sizes) s = {side(random), side(random)};
        const PackResult packed = packRectangles(sizes, maxSide, powerOfTwo, 3);
        ASSERT_EQ(packed.places.size(), sizes.size());
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const PackPlace& p = packed.places[i];
            ASSERT_GE(p.bin, 0) << "rectangle " << i << " was dropped";
            ASSERT_LT(p.bin, static_cast<int>(packed.bins.size()));
            EXPECT_GE(p.x, 0);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.x + sizes[i].w, packed.bins[p.bin].w);
            EXPECT_LE(p.y + sizes[i].h, packed.bins[p.bin].h);
            EXPECT_LE(3 + packed.bins[p.bin].w, maxSide);
            EXPECT_LE(3 + packed.bins[p.bin].h, maxSide);
            for (std::size_t j = 0; j < i; ++j)
                ASSERT_FALSE(overlap(p, sizes[i], packed.places[j], sizes[j]))
                    << "round " << round << ": " << i << " overlaps " << j;
        }
    }
}

TEST(FramePacker, IsDenseForEqualSquaresAndLeavesOutWhatCannotFit) {
    const PackResult packed = packRectangles(std::vector<PackSize>(16, {10, 10}), 4096, false);
    ASSERT_EQ(packed.bins.size(), 1u);
    EXPECT_EQ(packed.bins[0].w * packed.bins[0].h, 1600);
    // Sixteen squares of 10 in bins of 25: four to a bin.
    EXPECT_EQ(packRectangles(std::vector<PackSize>(16, {10, 10}), 25, false).bins.size(), 4u);
    const PackResult tooLarge = packRectangles({{5, 5}, {30, 5}}, 20, false);
    EXPECT_EQ(tooLarge.places[1].bin, -1);
    EXPECT_EQ(tooLarge.places[0].bin, 0);
}

// A frame of `canvas` with a blob of colour at a place of its own.
QImage blobFrame(QSize canvas, int index) {
    QImage frame(canvas, QImage::Format_ARGB32);
    // Transparent pixels keep a colour of their own, as the renderer's do.
    frame.fill(qRgba(9, 200, 30, 0));
    const int x0 = (index * 7) % (canvas.width() - 12);
    const int y0 = (index * 5) % (canvas.height() - 9);
    for (int y = 0; y < 4 + index % 6; ++y)
        for (int x = 0; x < 3 + index % 9; ++x)
            frame.setPixel(x0 + x, y0 + y, qRgba(10 * x + index, 20 * y, 200 - index, 40 + 20 * x));
    return frame;
}

// Each frame drawn onto a sheet and put back on an empty canvas at its
// spriteSourceSize gives the frame again, pixel for pixel where it shows anything.
void expectFramesComeBack(Trim trim, const SheetOptions& base) {
    const QSize canvas(40, 30);
    SheetOptions o = base;
    o.trim = trim;
    std::vector<QImage> frames;
    std::vector<QRect> visible;
    for (int i = 0; i < 23; ++i) {
        frames.push_back(blobFrame(canvas, i));
        visible.push_back(visibleBounds(frames.back(), canvas));
    }
    frames.push_back(QImage(canvas, QImage::Format_ARGB32));  // a frame that shows nothing
    frames.back().fill(Qt::transparent);
    visible.push_back(visibleBounds(frames.back(), canvas));
    EXPECT_TRUE(visible.back().isEmpty());
    const std::vector<QRect> sources = trimmedSources(trim, canvas, visible);
    const SheetPlan plan =
        trim == Trim::Each ? packedPlan(sources, canvas, o) : gridPlan(sources, canvas, 5, 5, o);
    std::vector<QImage> sheets;
    for (const QSize& size : plan.sheets) {
        sheets.emplace_back(size, QImage::Format_ARGB32);
        sheets.back().fill(Qt::transparent);
        EXPECT_LE(size.width(), o.maxSize);
        EXPECT_LE(size.height(), o.maxSize);
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const FramePlace& p = plan.frames[i];
        ASSERT_GE(p.sheet, 0);
        drawCell(sheets[p.sheet], p.at, frames[i], p.source, o.extrude, false);
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const FramePlace& p = plan.frames[i];
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const QRgb original = frames[i].pixel(x, y);
                if (!p.source.contains(x, y)) {
                    ASSERT_EQ(qAlpha(original), 0) << "frame " << i << " lost " << x << "," << y;
                    continue;
                }
                const QRgb placed =
                    sheets[p.sheet].pixel(p.at.x() + x - p.source.x(), p.at.y() + y - p.source.y());
                if (qAlpha(original) == 0) {
                    ASSERT_EQ(qAlpha(placed), 0);
                } else {
                    ASSERT_EQ(placed, original) << "frame " << i << " at " << x << "," << y;
                }
            }
    }
}

TEST(SheetPlan, TrimmedFramesPlacedAtTheirSourceGiveTheUntrimmedFrames) {
    SheetOptions spaced;
    spaced.padding = 2;
    spaced.extrude = 1;
    spaced.maxSize = 128;  // several sheets
    for (Trim trim : {Trim::None, Trim::Shared, Trim::Each}) {
        SCOPED_TRACE(std::string(exchange::trimName(trim)));
        expectFramesComeBack(trim, SheetOptions{});
        expectFramesComeBack(trim, spaced);
        SheetOptions pot = spaced;
        pot.powerOfTwo = true;
        pot.maxSize = 200;  // 128 usable
        expectFramesComeBack(trim, pot);
    }
}

TEST(SheetPlan, SharedTrimKeepsAUniformGridAndTheLimitStartsFurtherSheets) {
    const QSize canvas(100, 80);
    const std::vector<QRect> visible = {QRect(10, 20, 5, 5), QRect(40, 10, 30, 8), QRect(), {}};
    const std::vector<QRect> sources = trimmedSources(Trim::Shared, canvas, visible);
    for (const QRect& s : sources) EXPECT_EQ(s, QRect(QPoint(10, 10), QPoint(69, 24)));
    SheetOptions o;
    o.padding = 1;
    o.maxSize = 130;  // two cells of 60 + padding across, eight rows of 15
    std::vector<QRect> many(20, sources.front());
    const SheetPlan plan = gridPlan(many, canvas, 5, 4, o);
    ASSERT_EQ(plan.sheets.size(), 3u);  // 2 × 4 cells a sheet
    EXPECT_EQ(plan.sheets[0], QSize(1 + 2 * 61, 1 + 4 * 16));
    EXPECT_EQ(plan.frames[1].at - plan.frames[0].at, QPoint(61, 0));
    EXPECT_EQ(plan.frames[2].at - plan.frames[0].at, QPoint(0, 16));
    EXPECT_EQ(plan.frames[8].sheet, 1);
    EXPECT_EQ(plan.frames[8].at, plan.frames[0].at);
    EXPECT_TRUE(plan.frames[0].trimmed);
    // Without trimming and limits the grid is the user's, cell for cell.
    const SheetPlan plain = gridPlan(std::vector<QRect>(7, QRect(0, 0, 100, 80)), canvas, 3, 2, {});
    ASSERT_EQ(plain.sheets.size(), 2u);
    EXPECT_EQ(plain.sheets[0], QSize(300, 160));
    EXPECT_EQ(plain.frames[4].at, QPoint(100, 80));
    EXPECT_FALSE(plain.frames[4].trimmed);
}

TEST(SheetPixels, ExtrudeRepeatsTheEdgeAndPremultiplyIsExact) {
    QImage frame(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) frame.setPixel(x, y, qRgba(60 * x, 80 * y, 7, 100 + 50 * y));
    QImage sheet(12, 11, QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    drawCell(sheet, QPoint(3, 3), frame, QRect(0, 0, 4, 3), 2, false);
    EXPECT_EQ(sheet.pixel(1, 1), frame.pixel(0, 0));  // corner
    EXPECT_EQ(sheet.pixel(2, 4), frame.pixel(0, 1));  // left edge
    EXPECT_EQ(sheet.pixel(8, 7), frame.pixel(3, 2));  // far corner
    EXPECT_EQ(sheet.pixel(5, 1), frame.pixel(2, 0));  // top edge
    EXPECT_EQ(sheet.pixel(0, 0), 0u);                 // beyond the extrusion
    EXPECT_EQ(sheet.pixel(9, 4), 0u);

    for (int a = 0; a <= 255; ++a)
        for (int c = 0; c <= 255; ++c) {
            const QRgb p = premultiplied(qRgba(c, 255 - c, c / 2, a));
            ASSERT_EQ(qAlpha(p), a);
            ASSERT_EQ(qRed(p), (c * a + 127) / 255);
            if (a == 255) {
                ASSERT_EQ(qRed(p), c);
            }
            // Dividing by alpha again comes back to the colour within the rounding.
            if (a > 0) {
                const int back = (qRed(p) * 255 + a / 2) / a;
                ASSERT_LE(std::abs(back - c), 255 / (2 * a) + 1) << c << " " << a;
            }
        }
}

TEST(AtlasJson, HashOrArrayWithTrimmingTagsAndTheTruthAboutTheFormat) {
    std::vector<FramePlace> places = {{0, QPoint(2, 3), QRect(5, 6, 7, 8), true},
                                      {0, QPoint(20, 3), QRect(0, 0, 40, 30), false}};
    AtlasSheet sheet;
    sheet.baseName = QStringLiteral("fx");
    sheet.imageName = QStringLiteral("fx.png");
    sheet.size = QSize(64, 32);
    sheet.canvas = QSize(40, 30);
    sheet.duration = 17;
    sheet.frames = {0, 1};
    sheet.places = &places;
    // Without the options: today's atlas, with nothing added.
    QJsonObject plain = atlasJson(sheet);
    EXPECT_EQ(plain.keys(), QStringList({"frames", "meta"}));
    EXPECT_EQ(plain["meta"].toObject().keys(),
              QStringList({"app", "format", "image", "scale", "size"}));
    const QJsonObject first = plain["frames"].toObject()["fx_0000"].toObject();
    EXPECT_EQ(first["frame"].toObject(), QJsonObject({{"x", 2}, {"y", 3}, {"w", 7}, {"h", 8}}));
    EXPECT_EQ(first["spriteSourceSize"].toObject(),
              QJsonObject({{"x", 5}, {"y", 6}, {"w", 7}, {"h", 8}}));
    EXPECT_EQ(first["sourceSize"].toObject(), QJsonObject({{"w", 40}, {"h", 30}}));
    EXPECT_TRUE(first["trimmed"].toBool());
    EXPECT_FALSE(plain["frames"].toObject()["fx_0001"].toObject()["trimmed"].toBool());

    exchange::SheetOptions o;
    o.json = exchange::AtlasLayout::Array;
    o.alpha = exchange::AlphaMode::Premultiplied;
    sheet.options = &o;
    sheet.otherAtlases = {QStringLiteral("fx_1.json")};
    const QJsonObject rich = atlasJson(sheet);
    const QJsonArray frames = rich["frames"].toArray();
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[1].toObject()["filename"].toString(), "fx_0001");
    const QJsonObject meta = rich["meta"].toObject();
    EXPECT_TRUE(meta["premultipliedAlpha"].toBool());
    EXPECT_EQ(meta["frameTags"].toArray()[0].toObject(),
              QJsonObject({{"name", "fx"}, {"from", 0}, {"to", 1}, {"direction", "forward"}}));
    EXPECT_EQ(meta["related_multi_packs"].toArray(), QJsonArray({"fx_1.json"}));
    EXPECT_EQ(rich["animations"].toObject()["fx"].toArray(), QJsonArray({"fx_0000", "fx_0001"}));
    EXPECT_EQ(meta["format"].toString(), "RGBA8888");
    // A JPEG sheet has no alpha to premultiply and says so.
    sheet.alpha = false;
    const QJsonObject jpeg = atlasJson(sheet)["meta"].toObject();
    EXPECT_EQ(jpeg["format"].toString(), "RGB888");
    EXPECT_FALSE(jpeg["premultipliedAlpha"].toBool());
}

}  // namespace
}  // namespace sp::tools
