#include "app/main_layout.h"

#include <array>

#include "core/model/project_state.h"

namespace sp::layout {
namespace {

// Truncation toward zero of a single-precision value, kept within int.
int truncated(float v) {
    if (!(v > -2147483648.0f)) return v != v ? 0 : INT32_MIN;
    if (v >= 2147483647.0f) return INT32_MAX;
    return static_cast<int>(v);
}

// Steps 2 and 3 of a zoom change: the preview must fit the window. A picture
// is limited as soon as it is taller than the limit itself, not only once it is
// taller than the whole window: one in between would cover the toolbar and the
// help bar.
float keptInWindow(float zoom, int W, int H, int projectWidth, int projectHeight, int captionHeight,
                   int scrollBarWidth) {
    const int tallest = H - 2 * captionHeight - 64;
    if (static_cast<float>(projectHeight) * zoom > static_cast<float>(tallest))
        zoom = static_cast<float>(tallest) / static_cast<float>(projectHeight);
    const int room = W - scrollBarWidth - 470;
    if (static_cast<float>(projectWidth) * zoom > static_cast<float>(room))
        zoom = static_cast<float>(room) / static_cast<float>(projectWidth);
    return zoom;
}

}  // namespace

QRect materialPanel(int, int H) {
    return {0, kToolbarHeight, kLeftWidth, H / 2 - 34};
}

QRect nodePanel(int, int H) {
    return {0, H / 2 + 2, kLeftWidth, H / 2 - 34};
}

QRect parameterPanel(int W, int H, int scrollBarWidth) {
    if (!parameterPanelScrolls(H))
        return {W - kParameterWidth, kToolbarHeight, kParameterWidth, H - 64};
    return {W - scrollBarWidth - 253, kToolbarHeight, scrollBarWidth + 253, H - 64};
}

bool parameterPanelScrolls(int H) {
    return H < kFitsWithoutScrolling;
}

int parameterPanelPage(int H) {
    return H - 64;
}

QRect helpBar(int W, int H) {
    return {0, H - kHelpBarHeight, W, kHelpBarHeight};
}

int toolbarButtonX(int index) {
    // New, open, save, gap, export, gap, gap, animation, position, size, colour,
    // gap, picture, zoom in, zoom out, gap, reseed, gap, help.
    static constexpr std::array<int, kToolbarButtonCount> x = {0,   48,  96,  168, 264, 312, 360,
                                                               408, 480, 528, 576, 648, 720};
    return index >= 0 && index < kToolbarButtonCount ? x[static_cast<std::size_t>(index)] : 0;
}

QSize previewClient(int projectWidth, int projectHeight, float zoom) {
    return {truncated(static_cast<float>(projectWidth) * zoom),
            truncated(static_cast<float>(projectHeight) * zoom)};
}

QPoint previewPosition(int W, int H, int projectWidth, int projectHeight, float zoom,
                       int captionHeight) {
    const float x =
        static_cast<float>((W - 470) / 2 + 220) - static_cast<float>(projectWidth) * zoom * 0.5f;
    const float y = static_cast<float>(H / 2) - static_cast<float>(projectHeight) * zoom * 0.5f -
                    static_cast<float>(captionHeight / 2);
    return {truncated(x), truncated(y)};
}

float zoomIn(float zoom, int W, int H, int projectWidth, int projectHeight, int captionHeight,
             int scrollBarWidth) {
    float next = zoom;
    for (float step : ProjectState::zoomSteps) {
        if (step > zoom) {
            next = step;
            break;
        }
    }
    return keptInWindow(next, W, H, projectWidth, projectHeight, captionHeight, scrollBarWidth);
}

float zoomOut(float zoom, int W, int H, int projectWidth, int projectHeight, int captionHeight,
              int scrollBarWidth) {
    const auto& steps = ProjectState::zoomSteps;
    float next = steps.front();
    for (std::size_t i = steps.size(); i-- > 1;) {
        if (steps[i] < zoom) {
            next = steps[i];
            break;
        }
    }
    return keptInWindow(next, W, H, projectWidth, projectHeight, captionHeight, scrollBarWidth);
}

QPoint emissionForClick(int x, int y, float zoom) {
    return {truncated(static_cast<float>(x) / zoom), truncated(static_cast<float>(y) / zoom)};
}

}  // namespace sp::layout
