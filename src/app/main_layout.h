#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace sp {

// Where the main window puts its panels and the preview, and how the zoom
// steps: the arithmetic of the layout with no widgets, so that it is tested
// as it is and the window only applies it. W and H are the client area's
// width and height below the menu; divisions are whole-number divisions.
namespace layout {

inline constexpr int kToolbarHeight = 32;
inline constexpr int kLeftWidth = 220;       // the material and node panels
inline constexpr int kParameterWidth = 250;  // the parameter panel
inline constexpr int kHelpBarHeight = 32;
inline constexpr int kParameterRange = 684;  // the parameter panel scrolls over 0 … 684
inline constexpr int kFitsWithoutScrolling = 748;

QRect materialPanel(int W, int H);
QRect nodePanel(int W, int H);
// `scrollBarWidth` is the width of a vertical scroll bar, which the panel gets
// beside its 253 pixels when it must scroll.
QRect parameterPanel(int W, int H, int scrollBarWidth);
bool parameterPanelScrolls(int H);
int parameterPanelPage(int H);
QRect helpBar(int W, int H);

// The toolbar's 13 buttons, 48 × 32 each, at these x positions: a button
// advances by 48, a gap by 24.
inline constexpr int kToolbarButtonCount = 13;
int toolbarButtonX(int index);

// The preview's picture: the canvas scaled by the zoom, in whole pixels.
QSize previewClient(int projectWidth, int projectHeight, float zoom);
// The preview window's top-left corner: centred between the left panels and
// the parameter panel, and vertically around the middle with its caption.
QPoint previewPosition(int W, int H, int projectWidth, int projectHeight, float zoom,
                       int captionHeight);

// The zoom steps; the last one stands for the largest zoom that fits.
// Zoom in takes the first step above the zoom, zoom out the first below it
// (0.25 at the bottom); then the zoom is kept within the window: its height
// with two captions and 64 pixels, and its width beside the panels.
float zoomIn(float zoom, int W, int H, int projectWidth, int projectHeight, int captionHeight,
             int scrollBarWidth);
float zoomOut(float zoom, int W, int H, int projectWidth, int projectHeight, int captionHeight,
              int scrollBarWidth);

// The emission position for a click at (x, y) in the preview's picture.
QPoint emissionForClick(int x, int y, float zoom);

}  // namespace layout
}  // namespace sp
