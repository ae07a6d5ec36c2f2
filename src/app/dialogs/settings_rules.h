#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sp {

// The arithmetic of the project settings dialogs, with no widgets: the dialogs
// feed these the texts of their fields and show what they report.

// A number field of the settings dialogs is read from at most this many
// characters, like atoi: leading blanks, a sign, digits; 0 when there is none.
inline constexpr std::size_t kSettingsNumberLength = 15;
int32_t readSettingsNumber(std::string_view text);

// The animation dialog's working copy of the loop length and the preview rate.
class AnimationSettings {
  public:
    AnimationSettings(int32_t frames, int32_t rate);

    // Either field changed: both are read again; a rate of 0 counts as 1, any
    // other value as entered.
    void edit(std::string_view framesText, std::string_view rateText);

    int32_t frames() const { return m_frames; }
    int32_t rate() const { return m_rate; }
    std::string durationText() const { return durationText(m_frames, m_rate); }

    // The time the loop takes, "%d.%d": whole seconds and the first decimal,
    // both truncated (30 frames at 60 give "0.5"). A rate of 0 counts as 1.
    static std::string durationText(int32_t frames, int32_t rate);

  private:
    int32_t m_frames;
    int32_t m_rate;
};

// The units the emission dialog offers, in the order of its lists.
enum class PositionUnit { Percent = 0, Pixel = 1 };

// The emission dialog's working copy of the position. Each axis is typed in its
// own unit; the position is kept in pixels.
class EmissionSettings {
  public:
    EmissionSettings(int32_t x, int32_t y, int32_t canvasWidth, int32_t canvasHeight);

    int32_t x() const { return m_x.pixels; }
    int32_t y() const { return m_y.pixels; }
    PositionUnit xUnit() const { return m_x.unit; }
    PositionUnit yUnit() const { return m_y.unit; }

    // A field changed: its text is read in the axis's unit.
    void editX(std::string_view text) { m_x.edit(text); }
    void editY(std::string_view text) { m_y.edit(text); }

    // A unit list changed: the text the field must show in the new unit, which
    // has already been read back (so a percentage rounds the position down to
    // what it can say). nullopt when the unit stays.
    std::optional<std::string> chooseXUnit(PositionUnit unit) { return m_x.choose(unit); }
    std::optional<std::string> chooseYUnit(PositionUnit unit) { return m_y.choose(unit); }

    // Single-precision conversions, truncated toward zero.
    static int32_t percentToPixels(int32_t percent, int32_t side);
    static int32_t pixelsToPercent(int32_t pixels, int32_t side);

  private:
    struct Axis {
        int32_t pixels;
        int32_t side;
        PositionUnit unit = PositionUnit::Pixel;

        void edit(std::string_view text);
        std::optional<std::string> choose(PositionUnit newUnit);
    };

    Axis m_x;
    Axis m_y;
};

// The size dialog's side as entered: below 4 it becomes 4, above 1024 it
// becomes 2048 (the arrows stop at 1024, typing past it asks for the largest
// canvas), otherwise it stays.
inline constexpr int32_t kSizeArrowMinimum = 4;
inline constexpr int32_t kSizeArrowMaximum = 1024;
int32_t enteredCanvasSide(int32_t entered);

// Where the emission position goes when the canvas is resized with the link box
// ticked: the same place relative to the canvas, in single precision, truncated.
int32_t linkedEmissionPosition(int32_t position, int32_t oldSide, int32_t newSide);

}  // namespace sp
