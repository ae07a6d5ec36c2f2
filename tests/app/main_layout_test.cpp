// The main window's arithmetic: panels, the preview's place, the zoom steps.

#include <gtest/gtest.h>

#include <vector>

#include "app/main_layout.h"

namespace sp::layout {
namespace {

constexpr int kCaption = 20;
constexpr int kScrollBar = 16;

TEST(MainLayout, PanelsSitWhereTheWindowSizeSaysAndTheParameterPanelScrollsBelow748) {
    EXPECT_EQ(materialPanel(1600, 900), QRect(0, 32, 220, 416));
    EXPECT_EQ(nodePanel(1600, 900), QRect(0, 452, 220, 416));
    EXPECT_EQ(helpBar(1600, 900), QRect(0, 868, 1600, 32));
    EXPECT_EQ(parameterPanel(1600, 748, kScrollBar), QRect(1350, 32, 250, 684));
    EXPECT_FALSE(parameterPanelScrolls(748));
    EXPECT_TRUE(parameterPanelScrolls(747));
    EXPECT_EQ(parameterPanel(1600, 747, kScrollBar), QRect(1600 - 16 - 253, 32, 269, 683));
    EXPECT_EQ(parameterPanelPage(747), 683);
    // An odd height: the halves are whole numbers.
    EXPECT_EQ(nodePanel(800, 601), QRect(0, 302, 220, 266));
}

TEST(MainLayout, ToolbarButtonsLeaveTheirGaps) {
    const std::vector<int> expected = {0, 48, 96, 168, 264, 312, 360, 408, 480, 528, 576, 648, 720};
    for (int i = 0; i < kToolbarButtonCount; ++i) EXPECT_EQ(toolbarButtonX(i), expected[i]) << i;
}

TEST(MainLayout, ThePreviewIsCentredBetweenThePanelsAndScaledByTheZoom) {
    EXPECT_EQ(previewClient(256, 256, 1.5f), QSize(384, 384));
    EXPECT_EQ(previewClient(255, 101, 0.25f), QSize(63, 25));
    // ((1600 − 470) / 2 + 220) − 128 = 657; 450 − 128 − 10 = 312.
    EXPECT_EQ(previewPosition(1600, 900, 256, 256, 1.0f, kCaption), QPoint(657, 312));
}

TEST(MainLayout, ZoomInStepsUpUntilTheHeightLimitTakesOver) {
    float zoom = 1.0f;
    std::vector<float> seen;
    for (int i = 0; i < 4; ++i) {
        zoom = zoomIn(zoom, 1600, 900, 256, 256, kCaption, kScrollBar);
        seen.push_back(zoom);
    }
    EXPECT_EQ(seen[0], 1.5f);
    EXPECT_EQ(seen[1], 2.0f);
    EXPECT_EQ(seen[2], 3.0f);
    // At 4 the preview would be 1024 high in a 900 window.
    EXPECT_FLOAT_EQ(seen[3], (900.0f - 2 * kCaption - 64) / 256.0f);
    // From a limited zoom the next step in is limited again; out goes to the step below.
    EXPECT_FLOAT_EQ(zoomIn(seen[3], 1600, 900, 256, 256, kCaption, kScrollBar), seen[3]);
    EXPECT_EQ(zoomOut(seen[3], 1600, 900, 256, 256, kCaption, kScrollBar), 3.0f);
    // 4 × 200 fits a window 850 high but not between its toolbar and help bar
    // with the caption: the limit applies, and the preview keeps clear of both.
    const float limited = zoomIn(3.0f, 1600, 850, 200, 200, kCaption, kScrollBar);
    EXPECT_FLOAT_EQ(limited, (850.0f - 2 * kCaption - 64) / 200.0f);
    const int top = previewPosition(1600, 850, 200, 200, limited, kCaption).y();
    EXPECT_GE(top, kToolbarHeight);
    EXPECT_LE(top + kCaption + previewClient(200, 200, limited).height(), 850 - kHelpBarHeight);
    // A wide canvas meets the width beside the panels first.
    EXPECT_FLOAT_EQ(zoomIn(1.0f, 1600, 900, 1024, 64, kCaption, kScrollBar),
                    (1600.0f - 16 - 470) / 1024.0f);
}

TEST(MainLayout, ZoomOutStopsAtAQuarter) {
    float zoom = 1.0f;
    std::vector<float> seen;
    for (int i = 0; i < 4; ++i)
        seen.push_back(zoom = zoomOut(zoom, 1600, 900, 256, 256, kCaption, kScrollBar));
    EXPECT_EQ(seen, (std::vector<float>{0.75f, 0.5f, 0.25f, 0.25f}));
}

TEST(MainLayout, AClickMovesTheEmissionToTheCanvasPixelUnderIt) {
    EXPECT_EQ(emissionForClick(100, 60, 2.0f), QPoint(50, 30));
    EXPECT_EQ(emissionForClick(101, 61, 2.0f), QPoint(50, 30));
    EXPECT_EQ(emissionForClick(10, 10, 0.25f), QPoint(40, 40));
}

}  // namespace
}  // namespace sp::layout
