#include "app/dialogs/settings_rules.h"

#include <algorithm>
#include <cmath>

#include "project/format/effect_data.h"
#include "project/format/tokens.h"

namespace sp {
namespace {

// Truncation toward zero that saturates instead of overflowing, so that any
// typed value gives a number (NaN, from a canvas without width, gives 0).
int64_t truncateToInt64(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18f) return INT64_MAX;
    if (value <= -9.2e18f) return INT64_MIN;
    return static_cast<int64_t>(value);
}

int32_t truncateToInt32(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t readSettingsNumber(std::string_view text) {
    return format::parseInteger(text.substr(0, std::min(text.size(), kSettingsNumberLength)));
}

AnimationSettings::AnimationSettings(int32_t frames, int32_t rate)
    : m_frames(frames), m_rate(rate == 0 ? 1 : rate) {}

void AnimationSettings::edit(std::string_view framesText, std::string_view rateText) {
    m_frames = readSettingsNumber(framesText);
    m_rate = readSettingsNumber(rateText);
    if (m_rate == 0) m_rate = 1;
}

std::string AnimationSettings::durationText(int32_t frames, int32_t rate) {
    // 64 bits, so that the least frame count over a rate of -1 cannot overflow.
    const int64_t divisor = rate == 0 ? 1 : rate;
    const int64_t seconds = static_cast<int64_t>(frames) / divisor;
    const float tenthsDown =
        static_cast<float>(frames) / static_cast<float>(divisor) * -10.0f;  // negated tenths
    const int64_t tenth = -10 * seconds - truncateToInt64(tenthsDown);
    return std::to_string(seconds) + "." + std::to_string(tenth);
}

EmissionSettings::EmissionSettings(int32_t x, int32_t y, int32_t canvasWidth, int32_t canvasHeight)
    : m_x{x, canvasWidth}, m_y{y, canvasHeight} {}

int32_t EmissionSettings::percentToPixels(int32_t percent, int32_t side) {
    return truncateToInt32(static_cast<float>(side) * static_cast<float>(percent) / 100.0f);
}

int32_t EmissionSettings::pixelsToPercent(int32_t pixels, int32_t side) {
    return truncateToInt32(static_cast<float>(pixels) / static_cast<float>(side) * 100.0f);
}

void EmissionSettings::Axis::edit(std::string_view text) {
    const int32_t value = readSettingsNumber(text);
    pixels = unit == PositionUnit::Percent ? percentToPixels(value, side) : value;
}

std::optional<std::string> EmissionSettings::Axis::choose(PositionUnit newUnit) {
    if (newUnit == unit) return std::nullopt;
    unit = newUnit;
    const int32_t shown = unit == PositionUnit::Percent ? pixelsToPercent(pixels, side) : pixels;
    std::string text = std::to_string(shown);
    // The field's new text is read back as if typed.
    edit(text);
    return text;
}

int32_t enteredCanvasSide(int32_t entered) {
    if (entered < kSizeArrowMinimum) return kSizeArrowMinimum;
    if (entered > kSizeArrowMaximum) return format::kMaxCanvasSide;
    return entered;
}

int32_t linkedEmissionPosition(int32_t position, int32_t oldSide, int32_t newSide) {
    return truncateToInt32(static_cast<float>(position) / static_cast<float>(oldSide) *
                           static_cast<float>(newSide));
}

}  // namespace sp
