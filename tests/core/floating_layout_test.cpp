// The floating clock's layout: stacking, alignment, clipping, the window's size and the label
// slots, with real fonts on the headless screen.
#include <cstdlib>

#include "floating_clock_support.h"

using namespace clocktest;
using core::Settings;

namespace {

const std::vector<std::string> kDefaultTexts = {"13:04:05", "2026-03-01"};

int Right(const Box& b) { return b.left + b.width; }
int Bottom(const Box& b) { return b.top + b.height; }
int Centre(const Box& b) { return b.left + b.width / 2; }

TEST_F(FloatingClockTest, TheDefaultLabelsStackCentredAndTheWindowFitsThem) {
    ShowTexts(kDefaultTexts);
    Box time = BoxOf(0), date = BoxOf(1);
    EXPECT_EQ(clock.Label(0).Caption, "13:04:05");
    EXPECT_EQ(clock.Label(1).Caption, "2026-03-01");
    EXPECT_TRUE(time.visible && date.visible);
    EXPECT_EQ(clock.Label(0).FontName, "Arial");
    EXPECT_TRUE(clock.Label(0).FontBold);
    EXPECT_FALSE(clock.Label(1).FontBold);
    EXPECT_EQ(clock.Label(0).BackColor, 0x000000u);
    EXPECT_EQ(clock.Label(1).BackColor, 0xFFFFFFu);

    EXPECT_EQ(time.top, 15) << "the first label starts below the top border";
    EXPECT_EQ(date.top, Bottom(time)) << "the second label follows directly";
    EXPECT_LE(std::abs(Centre(time) - Centre(date)), 15) << "both centred on the block";
    int widest = std::max(time.width, date.width);
    EXPECT_EQ(clock.Width, widest + 2 * 15) << "the block and a border on each side";
    EXPECT_EQ(clock.Height, Bottom(date) + 15);
    EXPECT_EQ(std::min(time.left, date.left), 15);
}

TEST_F(FloatingClockTest, TheGlobalOffsetCountsOnceInTheStack) {
    struct Case {
        std::int16_t positionY;  // pixels
        std::int16_t ownY;       // the second label's own offset, twips
    } cases[] = {{0, 0}, {2, 0}, {2, 45}, {-1, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "PositionY " << c.positionY << ", own Y " << c.ownY);
        Settings.PositionY = c.positionY;
        Record(0).Y = static_cast<std::int16_t>(c.positionY * 15);
        Record(1).Y = static_cast<std::int16_t>(c.positionY * 15 + c.ownY);
        ShowTexts(kDefaultTexts, true);
        Box time = BoxOf(0), date = BoxOf(1);
        EXPECT_EQ(time.top, std::max(15, c.positionY * 15 + 15));
        EXPECT_EQ(date.top, time.top + time.height + c.ownY);
    }
}

TEST_F(FloatingClockTest, EachAlignmentPlacesTheLabelInTheBlock) {
    struct Case {
        std::int32_t flags;
        std::int16_t x;  // the record's X, twips
        const char* name;
    } cases[] = {
        {core::kLabelAlignLeft, 0, "left"},    {core::kLabelAlignLeft, 150, "left, moved"},
        {core::kLabelAlignCentre, 0, "centre"}, {core::kLabelAlignCentre, 150, "centre, moved"},
        {core::kLabelAlignRight, 0, "right"},  {core::kLabelAlignRight, -150, "right, moved"},
        {0, 90, "none"},
        // Left wins over the others, centre over right.
        {core::kLabelAlignLeft | core::kLabelAlignRight, 0, "left and right"},
        {core::kLabelAlignCentre | core::kLabelAlignRight, 0, "centre and right"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Record(0).LabelFlags = core::kLabelAlignLeft;
        Record(1).LabelFlags = c.flags;
        Record(1).X = c.x;
        ShowTexts({"2026-03-01 13:04:05 Sunday", "ab"}, true);
        Box wide = BoxOf(0), small = BoxOf(1);
        ASSERT_TRUE(small.visible);
        int blockLeft = 15, blockRight = Right(wide);
        if (c.flags & core::kLabelAlignLeft || c.flags == 0) {
            EXPECT_EQ(small.left, c.x + 15);
        } else if (c.flags & core::kLabelAlignCentre) {
            EXPECT_LE(std::abs(Centre(small) - ((blockLeft + blockRight) / 2 + c.x)), 15);
        } else {
            EXPECT_LE(std::abs(Right(small) - (blockRight + c.x)), 15);
        }
    }
}

TEST_F(FloatingClockTest, AFixedSizeClockCutsLabelsAtItsEdges) {
    Settings.AutoSize = false;
    Settings.ClockWidth = 100;  // CW 1500 twips, borders 15
    Settings.ClockHeight = 40;  // CH 600 twips
    Record(0).LabelFlags = Record(1).LabelFlags = 0;
    Record(1).Face = Record(0).Face;
    ShowTexts({"1", "13:04"}, true);
    const int h = BoxOf(0).height;  // both labels use the same font
    ASSERT_EQ(BoxOf(1).height, h);
    ASSERT_LT(2 * h, 600);
    struct Case {
        int x, y;  // the second label's offsets, twips; it starts at y + 15 + h
        const char* name;
        bool shown;
        bool cutRight;
        bool cutBottom;
    } cases[] = {
        {0, 0, "inside", true, false, false},
        {1200, 0, "crossing the right edge", true, true, false},
        {1485, 0, "starting at the right edge", true, true, false},
        {1530, 0, "starting right of the clock", false, false, false},
        {0, 600 - h - h / 2, "crossing the bottom edge", true, false, true},
        {0, 600 - h, "starting at the bottom edge", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Record(1).X = static_cast<std::int16_t>(c.x);
        Record(1).Y = static_cast<std::int16_t>(c.y);
        ShowTexts({"1", "13:04"}, true);
        Settle();
        Box b = BoxOf(1);
        EXPECT_EQ(b.visible, c.shown);
        EXPECT_EQ(core::LabelDisplays[1].LabelShownHeight > 0, c.shown);
        if (c.shown) {
            EXPECT_EQ(Right(b) == 1500 + 15, c.cutRight) << "right edge " << Right(b);
            EXPECT_EQ(Bottom(b) == 15 + 600, c.cutBottom) << "bottom edge " << Bottom(b);
            EXPECT_LE(Right(b), 1500 + 15);
            EXPECT_LE(Bottom(b), 15 + 600);
        }
        EXPECT_EQ(clock.Width, 1500 + 30);
        EXPECT_EQ(clock.Height, 600 + 30);
    }
}

TEST_F(FloatingClockTest, AFixedSizeCentredClockSettlesOnePassAfterAChange) {
    Settings.AutoSize = false;
    Settings.ClockCenter = true;
    Settings.ClockHeight = 60;  // CH 900 twips
    ShowTexts(kDefaultTexts, true);
    EXPECT_EQ(BoxOf(0).top, 15) << "the first pass uses the offset of the pass before it";
    clock.UpdateDisplay(false);
    int above = BoxOf(0).top - 15;
    int below = 15 + 900 - Bottom(BoxOf(1));
    EXPECT_GT(above, 0);
    EXPECT_LE(std::abs(above - below), 15);
    clock.UpdateDisplay(false);
    EXPECT_EQ(BoxOf(0).top - 15, above) << "and then stays";
}

TEST_F(FloatingClockTest, OnlyAWidthChangeOfMoreThanThreePixelsAlignsALabelAgain) {
    ShowTexts(kDefaultTexts);
    Settle();
    ASSERT_GT(BoxOf(0).left, 15) << "the time is narrower than the date, so it sits right of the border";
    int aligned = BoxOf(0).left;
    for (int change : {45, 46}) {
        SCOPED_TRACE(change);
        clock.Label(0).Left = 15;  // out of place until the label is aligned again
        core::LabelDisplays[0].LabelLayoutWidth = clock.Label(0).Width - change;
        clock.UpdateDisplay(false);
        EXPECT_EQ(BoxOf(0).left, change > 45 ? aligned : 15);
    }
}

TEST_F(FloatingClockTest, AutoSizeAsksForThreeFastTicksWhenTheWindowChangesSize) {
    ShowTexts(kDefaultTexts);
    EXPECT_EQ(core::FastStartTicks, 3) << "the first layout resizes the window";
    core::FastStartTicks = 0;
    clock.UpdateDisplay(false);
    EXPECT_EQ(core::FastStartTicks, 0) << "a settled clock asks for nothing";
    ShowTexts({"13:04:05", "Sunday, 1 March 2026"});
    EXPECT_EQ(core::FastStartTicks, 3) << "a wider block resizes it again";

    core::FastStartTicks = 0;
    Settings.AutoSize = false;
    clock.UpdateDisplay(true);
    EXPECT_EQ(core::FastStartTicks, 0) << "a fixed size never asks";
}

TEST_F(FloatingClockTest, TheEngineRunsTheThreeExtraTicksAtTheShortestInterval) {
    ShowTexts(kDefaultTexts);
    Settle();
    core::FastStartTicks = 0;
    clock.OZRClockEngine.Interval = 1000;
    clock.OZRClockEngine.Enabled = true;
    auto now = [] { return platform::CurrentClock().MonotonicMs(); };
    auto runUntil = [](auto done) {
        for (int ms = 0; ms < 2000 && !done(); ++ms) platform::RunFor(1);
        return done();
    };
    clock.SetLabelData(1, "Sunday, 1 March 2026");
    ASSERT_TRUE(runUntil([] { return core::FastStartTicks == 3; })) << "a tick lays the wider text out";
    std::int64_t laidOut = now();
    ASSERT_TRUE(runUntil([] { return core::FastStartTicks == 2; }));
    EXPECT_EQ(now() - laidOut, 1000) << "the next tick still comes at the interval already set";
    EXPECT_EQ(clock.OZRClockEngine.Interval, 1);
    std::int64_t first = now();
    ASSERT_TRUE(runUntil([&] { return clock.OZRClockEngine.Interval == 1000; }));
    EXPECT_EQ(core::FastStartTicks, 0);
    EXPECT_EQ(now() - first, 3 * 15) << "three more ticks at the platform's shortest interval";
}

TEST_F(FloatingClockTest, WithTheSettingsWindowOpenTheWindowGrowsToTheLeft) {
    ShowTexts(kDefaultTexts);
    int width = clock.Width, height = clock.Height;
    int right = clock.Left + width, bottom = clock.Top + height;
    core::SettingsWindowOpen = true;
    Record(1).Size = 16;
    ShowTexts({"13:04:05", "Sunday, 1 March 2026"});
    EXPECT_GT(clock.Width, width);
    EXPECT_GT(clock.Height, height);
    EXPECT_EQ(clock.Left + clock.Width, right);
    EXPECT_EQ(clock.Top + clock.Height, bottom);

    // A resize never leaves it less than whole on its monitor: not grown past the top-left corner,
    // nor, from a tall fixed size reaching past the bottom back to its own size, left below it.
    clock.Move(0, 0);
    Record(1).Size = 24;
    ShowTexts({"13:04:05", "Sunday, 1 March 2026"});
    EXPECT_EQ(clock.Left, 0);
    EXPECT_EQ(clock.Top, 0);
    Settings.AutoSize = false;
    Settings.ClockHeight = 921;
    clock.Move(3000, 200 * 15);
    ShowTexts({"13:04:05", "Sunday, 1 March 2026"});
    clock.Move(3000, 200 * 15);  // where a drag would leave it, past the bottom
    Settings.AutoSize = true;
    ShowTexts({"13:04:05", "Sunday, 1 March 2026"});
    EXPECT_LE(clock.Top + clock.Height, 1024 * 15);
    EXPECT_GE(clock.Top, 0);
}

TEST_F(FloatingClockTest, TheAnchorHoldsWhileTheClockSettlesInItsFirstSeconds) {
    Settings.Anchor = 5;  // lower right
    for (int secondsSinceStart : {0, 4, 5}) {
        SCOPED_TRACE(secondsSinceStart);
        core::StartTime = core::AddSeconds(core::Now(), -secondsSinceStart);
        clock.Move(3000, 3000);
        ShowTexts(kDefaultTexts, true);
        bool anchored = clock.Left + clock.Width == 1280 * 15 && clock.Top + clock.Height == 1024 * 15;
        EXPECT_EQ(anchored, secondsSinceStart < 5);
    }
}

TEST_F(FloatingClockTest, WithoutALabelToShowThePlaceholderTakesTheWindow) {
    struct Case {
        const char* name;
        void (*spoil)(core::ClockLabel&);
    } cases[] = {
        {"hidden", [](core::ClockLabel& l) { l.Visible = false; }},
        {"tooltip only", [](core::ClockLabel& l) { l.LabelFlags |= core::kLabelTooltipOnly; }},
        {"listed apart", [](core::ClockLabel& l) { l.LabelFlags |= core::kLabelListedApart; }},
        {"negative size", [](core::ClockLabel& l) { l.Size = -1; }},
    };
    const std::vector<core::ClockLabel> labels = core::Labels;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::Labels = labels;
        ShowTexts(kDefaultTexts);
        c.spoil(Record(0));
        c.spoil(Record(1));
        clock.UpdateDisplay(false);
        auto& placeholder = clock.Label(0);
        EXPECT_EQ(placeholder.Caption, "No labels to display");
        EXPECT_EQ(placeholder.FontName, "Arial");
        EXPECT_EQ(placeholder.FontSize, 8.0);
        EXPECT_TRUE(placeholder.FontBold);
        EXPECT_TRUE(placeholder.Visible);
        EXPECT_FALSE(clock.Label(1).Visible);
        EXPECT_EQ(placeholder.Left, 0);
        EXPECT_EQ(clock.Width, placeholder.Width);
        EXPECT_EQ(clock.Height, placeholder.Height);
    }
}

TEST_F(FloatingClockTest, ANewLabelIndexMakesItsControlsAndLaysEveryLabelOutAgain) {
    UseLabelCount(6);
    ShowTexts(kDefaultTexts);
    ASSERT_GT(core::LabelDisplays[0].LabelLayoutWidth, 0);
    ASSERT_GT(core::LabelDisplays[1].LabelShownHeight, 0);
    core::LabelDisplays[1].HookLabelX = 20;

    clock.SetLabelData(5, "13");
    EXPECT_EQ(core::DisplayLabelCount, 6);
    EXPECT_EQ(core::LabelDisplays.size(), 7u);
    EXPECT_EQ(clock.Label.Count(), 6);
    for (int i = 2; i <= 5; ++i) EXPECT_TRUE(clock.Label(i).Visible) << i;
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(core::LabelDisplays[i].LabelLayoutWidth, 0);
        EXPECT_EQ(core::LabelDisplays[i].LabelShownHeight, 0);
        EXPECT_EQ(core::LabelDisplays[i].HookLabelX, 0);
    }
    EXPECT_EQ(core::LabelDisplays[0].LabelText, "13:04:05") << "the texts stay";
    EXPECT_EQ(core::LabelDisplays[5].LabelText, "13");
}

TEST_F(FloatingClockTest, ALabelIndexOutsideTheLabelListIsIgnored) {
    ShowTexts(kDefaultTexts);
    for (std::int16_t index : {std::int16_t{-1}, std::int16_t{2}, std::int16_t{300}}) {
        clock.SetLabelData(index, "stray");
        EXPECT_EQ(core::DisplayLabelCount, 2) << index;
        EXPECT_EQ(clock.Label.Count(), 2) << index;
    }
    // The list shrinks under the layout (a label deleted): the control without a record is hidden.
    core::LabelCount = 1;
    clock.UpdateDisplay(true);
    EXPECT_TRUE(clock.Label(0).Visible);
    EXPECT_FALSE(clock.Label(1).Visible);
}

TEST_F(FloatingClockTest, NothingIsLaidOutWhileTheLabelsAreRebuilt) {
    ShowTexts(kDefaultTexts);
    core::LabelsRebuilding = true;
    clock.SetLabelData(0, "99:99:99");
    clock.UpdateDisplay(true);
    EXPECT_EQ(clock.Label(0).Caption, "13:04:05");
}

}  // namespace
