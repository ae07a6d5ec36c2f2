// The pictures have the sizes the layout relies on, at every pixel ratio, and
// every button has a face of its own that changes when pressed.

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include <functional>
#include <set>
#include <string>

#include "resources/artwork.h"

namespace sp {
namespace {

struct Picture {
    const char* name;
    QImage (*make)(qreal);
    QSize size;
};

const Picture kPictures[] = {
    {"toolbarButtons", artwork::toolbarButtons, {624, 64}},
    {"toolbarStrip", artwork::toolbarStrip, {10, 26}},
    {"panelTitleStrip", artwork::panelTitleStrip, {256, 16}},
    {"panelBackground", artwork::panelBackground, {256, 256}},
    {"nodeButtonFaces", artwork::nodeButtonFaces, {234, 40}},
    {"materialButtonFaces", artwork::materialButtonFaces, {52, 40}},
    {"materialRowBackground", artwork::materialRowBackground, {220, 96}},
    {"parameterTabs", artwork::parameterTabs, {30, 200}},
    {"helpBarStrip", artwork::helpBarStrip, {16, 26}},
};

std::string cellKey(const QImage& image, const QRect& logical) {
    const qreal r = image.devicePixelRatio();
    const QImage cell = image.copy(QRect(logical.topLeft() * r, logical.size() * r));
    return std::string(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes());
}

int opaquePixels(const QImage& image, const QRect& logical) {
    const qreal r = image.devicePixelRatio();
    const QImage cell = image.copy(QRect(logical.topLeft() * r, logical.size() * r));
    int n = 0;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x) n += qAlpha(cell.pixel(x, y)) > 200;
    return n;
}

TEST(Artwork, EveryPictureHasItsSizeTimesTheRatioAndCarriesTheRatio) {
    for (const Picture& picture : kPictures) {
        for (qreal ratio : {1.0, 2.0, 1.5}) {
            const QImage image = picture.make(ratio);
            SCOPED_TRACE(std::string(picture.name) + " at " + std::to_string(ratio));
            EXPECT_EQ(image.size(), QSize(qRound(picture.size.width() * ratio),
                                          qRound(picture.size.height() * ratio)));
            EXPECT_EQ(image.devicePixelRatio(), ratio);
        }
    }
}

// Cells of one strip, each distinct from every other, its pressed face
// different from its released one and nowhere left blank.
void expectDistinctCells(const QImage& strip, int cells, QSize cell) {
    std::set<std::string> faces;
    for (int i = 0; i < cells; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        const QRect released(i * cell.width(), 0, cell.width(), cell.height());
        const QRect pressed = released.translated(0, cell.height());
        EXPECT_GT(opaquePixels(strip, released), cell.width() * cell.height() / 2);
        EXPECT_NE(cellKey(strip, released), cellKey(strip, pressed));
        faces.insert(cellKey(strip, released));
    }
    EXPECT_EQ(faces.size(), static_cast<std::size_t>(cells));
}

TEST(Artwork, ButtonCellsAreDistinctAndChangeWhenPressed) {
    for (qreal ratio : {1.0, 2.0}) {
        expectDistinctCells(artwork::toolbarButtons(ratio), 13, {48, 32});
        expectDistinctCells(artwork::nodeButtonFaces(ratio), 8, {26, 20});
        expectDistinctCells(artwork::materialButtonFaces(ratio), 2, {26, 20});
    }
    const QImage rows = artwork::materialRowBackground(1.0);
    EXPECT_NE(cellKey(rows, {0, 0, 220, 48}), cellKey(rows, {0, 48, 220, 48}));
    // The tab of the page shown stands out from the others.
    const QImage tabs = artwork::parameterTabs(1.0);
    EXPECT_GT(opaquePixels(tabs, {0, 0, 30, 100}), 30 * 100 / 2);
    EXPECT_NE(cellKey(tabs, {0, 0, 30, 100}), cellKey(tabs, {0, 100, 30, 100}));
}

TEST(Artwork, TheWindowIconComesInTheUsualSizes) {
    const QIcon icon = artwork::windowIcon();
    for (int side : {16, 32, 48, 256})
        EXPECT_EQ(icon.pixmap(QSize(side, side)).size(), QSize(side, side)) << side;
}

}  // namespace
}  // namespace sp
