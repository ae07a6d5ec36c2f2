#include "app/dialogs/settings_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace sp {
namespace {

TEST(SettingsNumber, ReadLikeAtoiFromAtMostFifteenCharacters) {
    EXPECT_EQ(readSettingsNumber("  42abc"), 42);
    EXPECT_EQ(readSettingsNumber("-7"), -7);
    EXPECT_EQ(readSettingsNumber(""), 0);
    EXPECT_EQ(readSettingsNumber("１２"), 0);  // full-width digits are not digits
    EXPECT_EQ(readSettingsNumber("99999999999"), INT_MAX);
    // Fourteen blanks leave room for one digit only.
    EXPECT_EQ(readSettingsNumber("              12"), 1);
    EXPECT_EQ(readSettingsNumber("123456789012345678"), INT_MAX);
}

TEST(AnimationDuration, WholeSecondsAndTheFirstDecimalBothTruncated) {
    EXPECT_EQ(AnimationSettings::durationText(30, 60), "0.5");
    EXPECT_EQ(AnimationSettings::durationText(100, 60), "1.6");
    EXPECT_EQ(AnimationSettings::durationText(60, 60), "1.0");
    EXPECT_EQ(AnimationSettings::durationText(59, 60), "0.9");
    EXPECT_EQ(AnimationSettings::durationText(0, 60), "0.0");
    EXPECT_EQ(AnimationSettings::durationText(30, 0), "30.0");  // as at rate 1
    // The least count over -1 is past int: no overflow, and still a number.
    EXPECT_EQ(AnimationSettings::durationText(INT_MIN, -1), "2147483648.0");
}

TEST(AnimationDuration, EditsReadBothFieldsAndTakeRateZeroAsOne) {
    AnimationSettings settings(30, 60);
    EXPECT_EQ(settings.durationText(), "0.5");
    settings.edit("100", "0");
    EXPECT_EQ(settings.frames(), 100);
    EXPECT_EQ(settings.rate(), 1);
    EXPECT_EQ(settings.durationText(), "100.0");
    settings.edit("abc", "-3");  // other values as entered
    EXPECT_EQ(settings.frames(), 0);
    EXPECT_EQ(settings.rate(), -3);
    EXPECT_EQ(AnimationSettings(30, 0).rate(), 1);
}

TEST(EmissionUnits, SwitchingToPercentAndBackLosesWhatPercentCannotSay) {
    EmissionSettings settings(100, 128, 256, 256);
    EXPECT_EQ(settings.chooseXUnit(PositionUnit::Percent), "39");
    EXPECT_EQ(settings.x(), 99);  // trunc(256 × 39 ÷ 100)
    EXPECT_EQ(settings.xUnit(), PositionUnit::Percent);
    EXPECT_EQ(settings.chooseXUnit(PositionUnit::Percent), std::nullopt);
    EXPECT_EQ(settings.chooseXUnit(PositionUnit::Pixel), "99");
    EXPECT_EQ(settings.x(), 99);
    EXPECT_EQ(settings.y(), 128);  // the other axis is untouched
}

TEST(EmissionUnits, EachAxisUsesItsOwnSideAndUnit) {
    EmissionSettings settings(0, 0, 200, 50);
    settings.chooseYUnit(PositionUnit::Percent);
    settings.editX("50");  // still pixels
    settings.editY("50");
    EXPECT_EQ(settings.x(), 50);
    EXPECT_EQ(settings.y(), 25);
    settings.editY("-10");  // outside the canvas is accepted
    EXPECT_EQ(settings.y(), -5);
    EXPECT_EQ(settings.chooseXUnit(PositionUnit::Percent), "25");
    settings.editX("300");
    EXPECT_EQ(settings.x(), 600);
}

TEST(EmissionUnits, ConversionsAreSinglePrecisionAndNeverOverflow) {
    // 21 ÷ 10 × 100 is 209.99998 in single precision.
    EXPECT_EQ(EmissionSettings::pixelsToPercent(21, 10), 209);
    EXPECT_EQ(EmissionSettings::percentToPixels(39, 256), 99);
    EXPECT_EQ(EmissionSettings::percentToPixels(INT_MAX, 2048), INT_MAX);
    EXPECT_EQ(EmissionSettings::percentToPixels(INT_MIN, 2048), INT_MIN);
    EXPECT_EQ(EmissionSettings::pixelsToPercent(5, 0), INT_MAX);
    EXPECT_EQ(EmissionSettings::pixelsToPercent(0, 0), 0);
}

TEST(CanvasSide, BelowFourIsFourAndPastTheArrowsIsTheLargestCanvas) {
    EXPECT_EQ(enteredCanvasSide(3), 4);
    EXPECT_EQ(enteredCanvasSide(-100), 4);
    EXPECT_EQ(enteredCanvasSide(4), 4);
    EXPECT_EQ(enteredCanvasSide(1024), 1024);
    EXPECT_EQ(enteredCanvasSide(1025), 2048);
    EXPECT_EQ(enteredCanvasSide(INT_MAX), 2048);
}

TEST(CanvasSide, TheLinkedPositionKeepsItsPlaceInSinglePrecision) {
    EXPECT_EQ(linkedEmissionPosition(128, 256, 512), 256);
    EXPECT_EQ(linkedEmissionPosition(128, 256, 128), 64);
    EXPECT_EQ(linkedEmissionPosition(-10, 100, 50), -5);
    // 1 ÷ 41 × 82 falls just short of 2 in single precision.
    EXPECT_EQ(linkedEmissionPosition(1, 41, 82), 1);
    EXPECT_EQ(linkedEmissionPosition(INT_MAX, 4, 2048), INT_MAX);
    EXPECT_EQ(linkedEmissionPosition(5, 0, 256), INT_MAX);
}

}  // namespace
}  // namespace sp
