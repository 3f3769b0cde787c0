// The rules of the general options and advanced settings pages that need no window: the anchor
// grid an anchor picking reads the pointer on, the opacity the floating clock's bar can show, and
// the bounds of the clock's size boxes that follow the screen.
#include <gtest/gtest.h>

#include "settings/anchor_grid.h"
#include "settings/frm_seti_av.h"
#include "settings/frm_seti_go.h"
#include "settings/number_box.h"

namespace {

using platform::POINT;
using settings::AnchorOfCell;

constexpr int kTwips = 15;

TEST(AnchorGrid, CellBoundsOfA1024By768ScreenRoundTheThirdsOfTheWidthAtEachBound) {
    struct Case {
        POINT point;
        int anchor;  // 0: no change
    };
    const Case cases[] = {
        {{0, 0}, 1},       {{340, 255}, 1},   {{341, 255}, 2},     {{682, 255}, 2},  {{683, 255}, 3},
        {{1024, 0}, 3},    {{340, 256}, 8},   {{512, 384}, 0},     {{683, 511}, 4},  {{683, 512}, 5},
        {{1024, 768}, 5},  {{682, 768}, 6},   {{340, 768}, 7},     {{0, 511}, 8},    {{341, 512}, 6},
        // Off the screen (another monitor, or past the last pixel the grid counts).
        {{-1, 100}, 0},    {{100, -1}, 0},    {{1025, 100}, 0},    {{100, 769}, 0},
    };
    for (const Case& c : cases) {
        auto anchor = AnchorOfCell(c.point, 1024 * kTwips, 768 * kTwips);
        EXPECT_EQ(anchor.value_or(0), c.anchor) << c.point.x << "," << c.point.y;
    }
}

TEST(AnchorGrid, ThirdsOfOtherScreensFollowTheSameRounding) {
    // 1280 x 1024: a third of the width is 426.67 (columns 0..426, 427..852, 853..1280); a third of
    // the height 341.33 rounds to 341 first (rows 0..340, 341..681, 682..1023).
    const std::int32_t w = 1280 * kTwips, h = 1024 * kTwips;
    EXPECT_EQ(AnchorOfCell({426, 340}, w, h).value_or(0), 1);
    EXPECT_EQ(AnchorOfCell({427, 340}, w, h).value_or(0), 2);
    EXPECT_EQ(AnchorOfCell({852, 341}, w, h).value_or(0), 0);
    EXPECT_EQ(AnchorOfCell({853, 681}, w, h).value_or(0), 4);
    EXPECT_EQ(AnchorOfCell({853, 682}, w, h).value_or(0), 5);
    EXPECT_EQ(AnchorOfCell({1280, 1023}, w, h).value_or(0), 5);
}

TEST(FloatingClockOpacity, AValueTheBarCannotShowBecomesAVisibleOneInsideIt) {
    EXPECT_EQ(settings::FloatAlphaForBar(0), 200);  // the file's default: never a nearly invisible clock
    EXPECT_EQ(settings::FloatAlphaForBar(14), 200);
    EXPECT_EQ(settings::FloatAlphaForBar(15), 15);
    EXPECT_EQ(settings::FloatAlphaForBar(128), 128);
    EXPECT_EQ(settings::FloatAlphaForBar(240), 240);
    EXPECT_EQ(settings::FloatAlphaForBar(241), 240);
    EXPECT_EQ(settings::FloatAlphaForBar(255), 240);
}

TEST(ClockSizeBoxes, RunFromTenPixelsToNineTenthsOfTheScreen) {
    const std::string dot = ".";
    const settings::NumberBoxRule wide = settings::ClockSizeRule(1280 * kTwips);
    EXPECT_EQ(settings::CleanNumberBoxText("5000", wide, dot), "1152");
    EXPECT_EQ(settings::CleanNumberBoxText("3", wide, dot), "10");
    EXPECT_EQ(settings::CleanNumberBoxText("640", wide, dot), "640");
    EXPECT_EQ(settings::StepNumberBoxText("1152", wide, 1, dot), "1152");  // plus at the bound
    EXPECT_EQ(settings::StepNumberBoxText("10", wide, -1, dot), "10");     // minus at the bound
    // Nine tenths of 1024 pixels is 921.6: the box keeps whole pixels inside the bound.
    const settings::NumberBoxRule narrow = settings::ClockSizeRule(1024 * kTwips);
    EXPECT_EQ(settings::CleanNumberBoxText("5000", narrow, dot), "921");
    EXPECT_EQ(settings::StepNumberBoxText("921", narrow, -1, dot), "920");
    EXPECT_EQ(settings::StepNumberBoxText("921", narrow, 1, dot), "921");
}

}  // namespace
