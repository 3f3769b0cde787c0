// Placement of the floating clock: anchors, topmost state, the fit of a fixed size to the screen,
// the full-screen test and dragging with the mouse.
#include "floating_clock_support.h"
#include "platform/window/input.h"
#include "platform/window/messages.h"
#include "platform/window/monitors.h"

using namespace clocktest;
using core::Settings;
using platform::POINT;

namespace {

TEST_F(FloatingClockTest, EachAnchorPlacesTheWindowOnTheScreen) {
    UseScreen(1024, 768);  // 15360 x 11520 twips
    struct Case {
        std::uint8_t anchor;
        int left, top;  // twips; -1: where it was
    } cases[] = {
        {0, -1, -1},       {1, 0, 0},         {2, 6555, 0},  {3, 13110, 0}, {4, 13110, 5385},
        {5, 13110, 10770}, {6, 6555, 10770}, {7, 0, 10770}, {8, 0, 5385},  {9, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Anchor " << int(c.anchor));
        clock.Move(4500, 3000, 2250, 750);  // a 150 x 50 pixel window
        Settings.Anchor = c.anchor;
        clock.UpdateMainWindowAnchoring();
        EXPECT_EQ(clock.Left, c.left < 0 ? 4500 : c.left);
        EXPECT_EQ(clock.Top, c.top < 0 ? 3000 : c.top);
    }
}

// The place saved by an earlier run: on a monitor it is kept, pulled back only past that monitor's
// right and bottom edges; on none (its monitor gone) it comes back onto the primary monitor.
TEST_F(FloatingClockTest, ASavedPlaceStaysOnItsMonitorAndComesBackFromNone) {
    const std::vector<platform::RECT> one{{0, 0, 1280, 1024}}, two{{1280, 0, 2560, 1024}, {0, 0, 1280, 1024}};
    struct Case {
        const std::vector<platform::RECT>* monitors;
        int left, top, keptLeft, keptTop;  // twips
    } cases[] = {
        {&one, -1500, -450, -1500, -450},                  // partly on the screen: as it was
        {&one, 19200, 15360, 19200 - 2250, 15360 - 750},  // past the right and bottom: pulled back
        {&one, -30000, 3000, 0, 3000},                     // on no monitor: onto the primary one
        {&two, -18000, 3000, -18000, 3000},                // on the monitor left of the primary
        {&two, -30000, -3000, 0, 0},
    };
    for (const Case& c : cases) {
        platform::SetMonitorLayout(*c.monitors, 0);
        clock.Move(0, 0, 2250, 750);  // 150 x 50 pixels
        Settings.FloatWindowLeft = c.left;
        Settings.FloatWindowTop = c.top;
        clock.KeepSavedPlaceOnMonitor();
        EXPECT_EQ(Settings.FloatWindowLeft, c.keptLeft) << c.left;
        EXPECT_EQ(Settings.FloatWindowTop, c.keptTop) << c.top;
    }
}

// A monitor unplugged or a screen made smaller: the clock the monitors no longer cover whole comes
// wholly onto the nearest one left, and the engine's next tick saves that place; one across the seam
// of two monitors stays.
TEST_F(FloatingClockTest, AMonitorThatGoesLeavesTheClockWholeOnTheNearestOneAndThatPlaceIsSaved) {
    const std::vector<platform::RECT> one{{0, 0, 1280, 1024}}, two{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}},
        leftOfPrimary{{0, 0, 1280, 1024}, {-1280, 0, 0, 1024}};
    struct Case {
        const std::vector<platform::RECT>* before;
        int left, top;  // pixels
        platform::POINT kept;
    } cases[] = {
        {&two, 1800, 500, {1130, 500}},   // on the monitor that went
        {&two, 1274, 980, {1130, 974}},   // across the seam, and past the bottom once it went
        {&leftOfPrimary, -600, -20, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        platform::SetMonitorLayout(*c.before, 0);
        clock.Move(c.left * 15, c.top * 15, 2250, 750);
        EXPECT_EQ(clock.Left, c.left * 15) << "where the monitors cover it, as it was";
        platform::SetMonitorLayout(one, 0);
        EXPECT_EQ(clock.Left, c.kept.x * 15);
        EXPECT_EQ(clock.Top, c.kept.y * 15);
        clock.GoTimer();
        EXPECT_EQ(Settings.FloatWindowLeft, c.kept.x * 15);
        EXPECT_NE(folder.Read("Settings.ozrini").find("X=" + std::to_string(c.kept.x * 15) + "\n"), std::string::npos);
    }
}

TEST_F(FloatingClockTest, AnAnchorCentresAnOddSizedWindowToTheNearestPixel) {
    UseScreen(1024, 768);
    clock.Move(0, 0, 151 * 15, 51 * 15);
    Settings.Anchor = 8;  // left centre: (768 - 51) / 2 = 358.5 pixels
    clock.UpdateMainWindowAnchoring();
    int top = clock.Top / 15;
    EXPECT_TRUE(top == 358 || top == 359) << top;
}

TEST_F(FloatingClockTest, AlwaysOnTopSetsAndClearsTheTopmostState) {
    auto topmost = [&] { return (platform::GetWindowLong(clock.hWnd, platform::GWL_EXSTYLE) & platform::WS_EX_TOPMOST) != 0; };
    clock.AlwaysOnTop(true);
    EXPECT_TRUE(topmost());
    clock.AlwaysOnTop(false);
    EXPECT_FALSE(topmost());
}

TEST_F(FloatingClockTest, AClockTooLargeForTheScreenIsFittedSavedAndReportedOnce) {
    UseScreen(1024, 768);  // 90 %: 13824 x 10368 twips
    struct Case {
        std::int16_t width, height;
        bool warned;
    } cases[] = {
        {150, 700, true},   // 10500 twips high
        {150, 691, false},  // 10365
        {922, 50, true},    // 13830 wide
        {921, 691, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        boxes.clear();
        Settings.ClockWidth = c.width;
        Settings.ClockHeight = c.height;
        clock.CheckScreenResolution();
        ASSERT_EQ(boxes.size(), c.warned ? 1u : 0u);
        if (!c.warned) {
            EXPECT_EQ(Settings.ClockWidth, c.width);
            EXPECT_EQ(Settings.ClockHeight, c.height);
            continue;
        }
        EXPECT_EQ(Settings.ClockWidth, 912) << "both are replaced";
        EXPECT_EQ(Settings.ClockHeight, 681);
        EXPECT_EQ(boxes[0].type, 4160u);
        EXPECT_EQ(boxes[0].caption, "OZR Ruriv - Warning");
        EXPECT_EQ(boxes[0].text, core::LanguageFile.ReadText("General", "MSGBOX Warning Resolution"));
        std::string saved = folder.Read("Settings.ozrini");
        EXPECT_NE(saved.find("Width=912"), std::string::npos);
        EXPECT_NE(saved.find("Height=681"), std::string::npos);
        boxes.clear();
        clock.CheckScreenResolution();
        EXPECT_TRUE(boxes.empty()) << "the fitted size is not warned about again";
    }
}

TEST_F(FloatingClockTest, TheResolutionWarningIsShownOnceWhileItIsOpen) {
    UseScreen(1024, 768);
    Settings.ClockWidth = 2000;
    std::vector<std::int16_t> widthsSeenInTheBox;
    onBox = [&] {
        widthsSeenInTheBox.push_back(Settings.ClockWidth);
        // The screen shrinks again while the box is open; the engine's next check comes.
        UseScreen(640, 480);
        clock.CheckScreenResolution();
    };
    clock.CheckScreenResolution();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(widthsSeenInTheBox, std::vector<std::int16_t>{912}) << "the size is fitted before the box shows";
    onBox = nullptr;
    clock.CheckScreenResolution();
    EXPECT_EQ(boxes.size(), 2u) << "once closed, a new misfit is reported";
}

// A foreground window with the given rectangle, in pixels.
platform::HWND ForegroundWindowAt(platform::RECT r) {
    static bool registered = false;
    if (!registered) {
        platform::WNDCLASS wc;
        wc.lpfnWndProc = platform::DefWindowProc;
        wc.lpszClassName = "FullScreenProbe";
        platform::RegisterClass(&wc);
        registered = true;
    }
    platform::HWND w = platform::CreateWindowEx(0, "FullScreenProbe", "probe", platform::WS_POPUP, r.left, r.top,
                                                r.right - r.left, r.bottom - r.top, platform::HWND{});
    platform::ShowWindow(w, platform::SW_SHOW);
    platform::SetForegroundWindow(w);
    return w;
}

TEST_F(FloatingClockTest, AWindowReachingTheRightAndBottomEdgesCountsAsFullScreen) {
    UseScreen(1024, 768);
    struct Case {
        platform::RECT rect;
        bool fullScreen;
        const char* name;
    } cases[] = {
        {{0, 0, 1024, 768}, true, "the whole screen"},
        {{200, 100, 1024, 768}, true, "not from the corner, but to both edges"},
        {{0, 0, 1024, 738}, false, "maximised above a taskbar"},
        {{0, 0, 1000, 768}, false, "short of the right edge"},
        {{0, 0, 1280, 1024}, false, "beyond the screen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::HWND w = ForegroundWindowAt(c.rect);
        EXPECT_EQ(clock.IsForegroundFullScreen(), c.fullScreen);
        platform::DestroyWindow(w);
    }
}

TEST_F(FloatingClockTest, TheFullScreenTestReadsTheScreenSizeAfresh) {
    UseScreen(1024, 768);
    platform::HWND w = ForegroundWindowAt({0, 0, 800, 600});
    EXPECT_FALSE(clock.IsForegroundFullScreen());
    platform::SetScreenSize(platform::SIZE{800, 600});  // no GetScreenSize since
    EXPECT_TRUE(clock.IsForegroundFullScreen());
    EXPECT_EQ(core::ScreenWidthTwips, 800 * 15);
    platform::DestroyWindow(w);
}

// The screen point of a place inside the clock window, given in twips from its corner.
POINT OnClock(const FloatingClock& clock, int x, int y) {
    platform::RECT r;
    platform::GetWindowRect(clock.Window(), &r);
    return POINT{r.left + x / 15, r.top + y / 15};
}

void Press(POINT at, platform::MouseButton button = platform::MouseButton::Left) {
    platform::InjectMouseMove(at);
    platform::InjectMouseButton(at, button, true);
    platform::PumpPendingWork();
}

void MoveTo(POINT at) {
    platform::InjectMouseMove(at);
    platform::RunFor(20);
}

void Release(POINT at, platform::MouseButton button = platform::MouseButton::Left) {
    platform::InjectMouseButton(at, button, false);
    platform::RunFor(20);
}

TEST_F(FloatingClockTest, ADragOnALabelKeepsTheGrabbedPointUnderTheCursor) {
    ShowTexts({"13:04:05", "2026-03-01"});
    Settle();
    clock.Move(3000, 3000);
    Box date = BoxOf(1);
    // Five pixels into the second label.
    POINT grab = OnClock(clock, date.left + 75, date.top + 75);
    Press(grab);
    EXPECT_TRUE(clock.BodyMovin.Enabled);
    EXPECT_EQ(core::GrabOffsetY, date.top + 75) << "measured from the window's corner, not the label's";
    EXPECT_EQ(core::GrabOffsetX, float(date.left + 75));
    for (POINT to : {POINT{grab.x + 40, grab.y + 10}, POINT{grab.x - 120, grab.y + 300}}) {
        MoveTo(to);
        EXPECT_EQ(OnClock(clock, date.left + 75, date.top + 75), to);
        EXPECT_EQ(core::DragCursor, to);
    }
    POINT last{grab.x - 120, grab.y + 300};
    Release(last);
    EXPECT_FALSE(clock.BodyMovin.Enabled);
    MoveTo(POINT{last.x + 50, last.y});
    EXPECT_EQ(OnClock(clock, date.left + 75, date.top + 75), last) << "the release ends the drag";
}

TEST_F(FloatingClockTest, ADragOnTheWindowItselfMovesItToo) {
    ShowTexts({"13:04:05", "2026-03-01"});
    Settle();
    clock.Move(3000, 3000);
    // The border strip left of the labels belongs to the window.
    POINT grab = OnClock(clock, 0, 15 * 3);
    Press(grab);
    EXPECT_EQ(core::GrabOffsetX, 0.0f);
    MoveTo(POINT{grab.x + 10, grab.y + 10});
    EXPECT_EQ(clock.Left, 3000 + 150);
    EXPECT_EQ(clock.Top, 3000 + 150);
    Release(POINT{grab.x + 10, grab.y + 10});
    EXPECT_FALSE(clock.BodyMovin.Enabled);
}

TEST_F(FloatingClockTest, OnlyTheLeftButtonDragsAndNotWhileAnotherWindowIsModal) {
    ShowTexts({"13:04:05", "2026-03-01"});
    Settle();
    struct Case {
        bool modal, settingsOpen;
        platform::MouseButton button;
        bool drags;
        const char* name;
    } cases[] = {
        {false, false, platform::MouseButton::Left, true, "nothing open"},
        {true, false, platform::MouseButton::Left, false, "the About window open"},
        {true, true, platform::MouseButton::Left, true, "the settings window open"},
        {false, false, platform::MouseButton::Middle, false, "the middle button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::ModalWindowOpen = c.modal;
        core::SettingsWindowOpen = c.settingsOpen;
        clock.Move(3000, 3000);
        POINT grab = OnClock(clock, BoxOf(0).left + 30, BoxOf(0).top + 30);
        Press(grab, c.button);
        MoveTo(POINT{grab.x + 20, grab.y});
        EXPECT_EQ(clock.Left, c.drags ? 3000 + 300 : 3000);
        Release(POINT{grab.x + 20, grab.y}, c.button);
        EXPECT_FALSE(clock.BodyMovin.Enabled);
    }
}

TEST_F(FloatingClockTest, TheRightButtonOpensTheClocksMenuInsteadOfDragging) {
    ShowTexts({"13:04:05", "2026-03-01"});
    Settle();
    clock.Move(3000, 3000);
    POINT at = OnClock(clock, BoxOf(0).left + 30, BoxOf(0).top + 30);
    bool menuWasOpen = false;
    // The menu runs its own loop inside the press; a timer of that loop looks at it and closes it.
    static std::function<void()> look;
    look = [&] {
        menuWasOpen = platform::FindWindowEx(platform::HWND{}, platform::HWND{}, "OzrPopup", nullptr) != platform::HWND{};
        platform::InjectKey(platform::VK_ESCAPE, true, 27);
    };
    platform::SetTimer(platform::HWND{}, 0, 50, [](platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD) {
        platform::KillTimer(platform::HWND{}, id);
        look();
    });
    platform::InjectMouseMove(at);
    platform::InjectMouseButton(at, platform::MouseButton::Right, true);
    platform::RunFor(200);
    platform::InjectKey(platform::VK_ESCAPE, false);
    platform::InjectMouseButton(at, platform::MouseButton::Right, false);
    platform::RunFor(20);
    EXPECT_TRUE(menuWasOpen);
    EXPECT_FALSE(clock.BodyMovin.Enabled);
    EXPECT_EQ(clock.Left, 3000);
}

}  // namespace
