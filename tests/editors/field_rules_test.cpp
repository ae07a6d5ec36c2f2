// What the parameter pages store for a text, a click or a choice.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editors/field_rules.h"
#include "editors/page_layout.h"

namespace sp {
namespace {

using namespace field_rules;

TEST(FieldRules, TextIsReadAsTheProgramReadsNumbers) {
    EXPECT_EQ(readInteger("12abc"), 12);
    EXPECT_EQ(readInteger("abc"), 0);
    EXPECT_EQ(readInteger("  -5"), -5);
    EXPECT_EQ(readInteger("1e30"), 1);
    EXPECT_EQ(readInteger("99999999999"), 2147483647);
    EXPECT_EQ(readInteger("-99999999999"), -2147483647 - 1);
    EXPECT_FLOAT_EQ(readReal("2.5x"), 2.5f);
    EXPECT_FLOAT_EQ(readReal("-7"), -7.0f);
    EXPECT_FLOAT_EQ(readReal("1e30"), 1e30f);
    EXPECT_TRUE(std::isinf(readReal("1e40")));
}

TEST(FieldRules, GravityShowsItsIntegerPartWhateverItHolds) {
    EXPECT_EQ(gravityText(-3.7f), "-3");
    EXPECT_EQ(gravityText(12.0f), "12");
    EXPECT_EQ(gravityText(1e30f), "2147483647");
    EXPECT_EQ(gravityText(-std::numeric_limits<float>::infinity()), "-2147483648");
    EXPECT_EQ(gravityText(std::numeric_limits<float>::quiet_NaN()), "0");
}

TEST(PageLayout, NumberFieldsAreAsWideAsTheirMaximumNeeds) {
    // Each page's controls stay on its sheet, right of nothing but the tab strip.
    for (const pages::PagePlan& page : pages::parameterPages()) {
        for (const pages::SectionPlan& section : page.sections) {
            EXPECT_LE(section.y + section.height, pages::kSheetHeight) << section.title;
            for (const pages::ControlPlan& c : section.controls) {
                if (c.kind != pages::ControlKind::Number) continue;
                EXPECT_LE(section.x + c.dx + pages::numberFieldWidth(c), pages::kTabX)
                    << section.title;
                EXPECT_FALSE(c.help.empty()) << section.title;
            }
        }
    }
    pages::ControlPlan field{.kind = pages::ControlKind::Number, .maximum = 9999};
    EXPECT_EQ(pages::numberFieldWidth(field), 55);
    field.maximum = 100;
    EXPECT_EQ(pages::numberFieldWidth(field), 45);
    field.width = 67;
    EXPECT_EQ(pages::numberFieldWidth(field), 67);
}

TEST(PageLayout, ThePressOnTheTabStripChoosesByHundreds) {
    EXPECT_EQ(pages::tabAt(0), 0);
    EXPECT_EQ(pages::tabAt(99), 0);
    EXPECT_EQ(pages::tabAt(100), 1);
    EXPECT_EQ(pages::tabAt(599), 5);
    EXPECT_EQ(pages::tabAt(600), -1);
    EXPECT_EQ(pages::tabAt(683), -1);
}

}  // namespace
}  // namespace sp
