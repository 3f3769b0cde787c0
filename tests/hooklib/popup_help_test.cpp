// Popup help and the clock's hover tooltip: the help shows only once the cursor has rested on the
// control for the delay and lives while its master window is active; the tooltip fades in over
// the taskbar clock after its delay and shows the long date.
#include "smart_window_support.h"

#include "hooklib/clock_tooltip.h"
#include "tests/support/locale_scope.h"

namespace smarttest {
namespace {

class PopupHelp : public SmartWindows {
protected:
    void SetUp() override {
        SmartWindows::SetUp();
        dialog = wintest::MakeWindow("Form", "Settings", WS_POPUP | WS_VISIBLE, HWND{}, RECT{100, 100, 700, 500});
        control = wintest::MakeWindow("Form", "button", WS_CHILD | WS_VISIBLE, dialog, RECT{100, 100, 200, 130});
        SetActiveWindow(dialog);
        OZRSpecifyTooltipMasterWindow(dialog);
    }
    void TearDown() override {
        OZRRemovePopupHelp();
        RunFor(1000);
        DestroyWindow(dialog);
        Share().TooltipMasterWindow = 0;
        SmartWindows::TearDown();
    }
    // A mouse move over the control, as the program's handler reports it.
    void MoveOver(POINT p, std::uint8_t inflate = 0) {
        InjectMouseMove(p);
        OZRShowPopupHelp(control, "Repeat", "Repeats the alarm.", 700, 1207, inflate);
    }
    SmartWindow* Help() {
        SmartWindowManager* m = ExistingSmartWindowManager();
        return m ? m->PopupHelp : nullptr;
    }
    HWND dialog, control;
};

TEST_F(PopupHelp, ShowsAfterTheDelayWithTheCursorAtRestAndNotBefore) {
    MoveOver(POINT{250, 215});
    RunFor(690);
    EXPECT_EQ(Help(), nullptr);
    MoveOver(POINT{252, 217});  // within 5 px: still at rest
    RunFor(30);
    ASSERT_NE(Help(), nullptr);
    EXPECT_TRUE(Help()->IsPopupHelp);
    EXPECT_EQ(Help()->Child("Title")->text, "Repeat");
    EXPECT_EQ(Help()->Child("Text")->text, "Repeats the alarm.");
    EXPECT_TRUE(Help()->TimerRuns(kRightButtonTimer));
    EXPECT_EQ(ExistingSmartWindowManager()->HelpId, 1207);
    EXPECT_EQ(Share().HelpWindowShown, Help()->Handle.id());
    RECT r = RectOf(Help());
    EXPECT_GE(r.width(), 2 * r.height()) << "at least twice as wide as high";
    // The target is the control: the help follows the cursor inside it and leaves with it.
    MoveOver(POINT{280, 220});
    RunFor(30);
    EXPECT_NE(Help(), nullptr);
    InjectMouseMove(POINT{500, 400});
    RunFor(700);
    EXPECT_EQ(Help(), nullptr);
    EXPECT_EQ(Share().HelpTarget, 0u) << "the cycle ended with the cursor's leaving";
    EXPECT_EQ(Share().HelpWindowShown, 0u);
}

TEST_F(PopupHelp, ACursorDriftingSixPixelsEachPeriodNeverShowsIt) {
    POINT p{205, 205};
    MoveOver(p);
    for (int i = 0; i < 12; ++i) {
        p.x += 6;
        MoveOver(p);
        RunFor(700);
        EXPECT_EQ(Help(), nullptr) << i;
    }
}

TEST_F(PopupHelp, InflatedItShowsWhateverTheCursorDoesAndStaysWithinFiftyPixels) {
    POINT p{205, 205};
    MoveOver(p, 1);
    p.x += 20;
    InjectMouseMove(p);
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    // 40 px right of the control: outside it, but within the 50 px around it.
    InjectMouseMove(POINT{340, 215});
    RunFor(300);
    EXPECT_NE(Help(), nullptr);
    // A click on the balloon (frozen by now) leaves the dialog active, so the help stays.
    RECT balloon;
    GetWindowRect(Help()->Handle, &balloon);
    const POINT on{balloon.right - 10, balloon.bottom - 10};
    InjectMouseMove(on);
    InjectMouseButton(on, MouseButton::Left, true);
    InjectMouseButton(on, MouseButton::Left, false);
    RunFor(300);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_NE(Help(), nullptr);
    InjectMouseMove(POINT{400, 215});
    RunFor(700);
    EXPECT_EQ(Help(), nullptr);
}

TEST_F(PopupHelp, GoesWhenTheMasterWindowIsNoLongerActiveAndOnRemoval) {
    MoveOver(POINT{250, 215});
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    HWND other = wintest::MakeWindow("Form", "other", WS_POPUP | WS_VISIBLE, HWND{}, RECT{800, 600, 900, 700});
    SetActiveWindow(other);
    RunFor(700);
    EXPECT_EQ(Help(), nullptr);
    DestroyWindow(other);
    SetActiveWindow(dialog);

    // A fresh cycle, then the program removes it.
    InjectMouseMove(POINT{600, 450});
    RunFor(30);
    MoveOver(POINT{250, 215});
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    OZRRemovePopupHelp();
    RunFor(700);
    EXPECT_EQ(Help(), nullptr);

    // Without a master window no help lives.
    Share().TooltipMasterWindow = 0;
    InjectMouseMove(POINT{600, 450});
    RunFor(30);
    MoveOver(POINT{250, 215});
    RunFor(1500);
    EXPECT_EQ(Help(), nullptr);
}

TEST_F(PopupHelp, WaitsWhileAnotherWindowIsActiveAndForgetsAControlThatIsHidden) {
    // A question box takes the activation before the delay is over: nothing shows over it, and
    // the help shows once the master window is active again with the cursor still at rest.
    MoveOver(POINT{250, 215});
    RunFor(300);
    HWND box = wintest::MakeWindow("Form", "question", WS_POPUP | WS_VISIBLE, HWND{}, RECT{800, 600, 900, 700});
    SetActiveWindow(box);
    RunFor(1500);
    EXPECT_EQ(Help(), nullptr);
    DestroyWindow(box);
    SetActiveWindow(dialog);
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    OZRRemovePopupHelp();
    RunFor(700);

    // The control is hidden under the resting cursor: its cycle ends without a help window.
    InjectMouseMove(POINT{600, 450});
    RunFor(30);
    MoveOver(POINT{250, 215});
    RunFor(300);
    ShowWindow(control, SW_HIDE);
    RunFor(1500);
    EXPECT_EQ(Help(), nullptr);
    EXPECT_EQ(Share().HelpTarget, 0u);
}

TEST_F(PopupHelp, AnotherControlsRequestClosesTheShownHelpAndItsNextRequestStartsItsCycle) {
    HWND second = wintest::MakeWindow("Form", "second", WS_CHILD | WS_VISIBLE, dialog, RECT{300, 100, 400, 130});
    MoveOver(POINT{250, 215});
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    InjectMouseMove(POINT{450, 215});
    OZRShowPopupHelp(second, "Other", "Another control.", 700, 1208, 0);
    RunFor(700);
    EXPECT_EQ(Help(), nullptr);
    EXPECT_EQ(Share().HelpId, 1208);
    OZRShowPopupHelp(second, "Other", "Another control.", 700, 1208, 0);
    RunFor(720);
    ASSERT_NE(Help(), nullptr);
    EXPECT_EQ(Help()->Child("Title")->text, "Other");
    EXPECT_EQ(ExistingSmartWindowManager()->HelpId, 1208);
    // A control that takes the focus away from the cursor (a page's first one as the page comes
    // up) leaves the shown help and its cycle alone, inflated or not.
    HWND away = wintest::MakeWindow("Form", "away", WS_CHILD | WS_VISIBLE, dialog, RECT{100, 300, 200, 330});
    OZRShowPopupHelp(away, "Far", "Far away.", 700, 1209, 1);
    OZRShowPopupHelp(away, "Far", "Far away.", 700, 1209, 0);
    RunFor(700);
    ASSERT_NE(Help(), nullptr);
    EXPECT_EQ(Help()->Child("Title")->text, "Other");
    EXPECT_EQ(Share().HelpId, 1208);
}

TEST(ClockTooltipText, IsTheLongDateOfTheUsersLocale) {
    testsupport::LocaleScope english("C");
    SYSTEMTIME date{};
    date.wYear = 2026;
    date.wMonth = 12;
    date.wDay = 8;
    EXPECT_EQ(ClockTooltipText(date), "Tuesday, 08 December, 2026");
}

class ClockTooltip : public SmartWindows {
protected:
    void SetUp() override {
        SmartWindows::SetUp();
        clock = wintest::MakeWindow("Form", "clock", WS_POPUP | WS_VISIBLE, HWND{}, RECT{1200, 994, 1270, 1020});
        Share().TrayClockWindow = clock.id();
        OZRSetClockTooltip(1, 400, 150, 150, 220);
    }
    void TearDown() override {
        StopClockTooltipTimers();
        Share().TrayClockWindow = 0;
        DestroyWindow(clock);
        SmartWindows::TearDown();
    }
    void MoveOverClock(POINT p) {
        InjectMouseMove(p);
        ClockMouseMove(0);
    }
    SmartWindow* Tooltip() {
        SmartWindowManager* m = ExistingSmartWindowManager();
        return m ? m->ClockTooltip : nullptr;
    }
    HWND clock;
};

TEST_F(ClockTooltip, FadesInOverTheClockAfterTheDelayAndGoesWithTheCursor) {
    MoveOverClock(POINT{1230, 1000});
    RunFor(390);
    EXPECT_EQ(Tooltip(), nullptr);
    RunFor(30);
    ASSERT_NE(Tooltip(), nullptr);
    EXPECT_EQ(Share().TooltipShown, 1);
    SmartWindow* w = Tooltip();
    EXPECT_TRUE(w->TimerRuns(kFadeInTimer));
    EXPECT_EQ(w->Alpha, 220);
    EXPECT_LE(TicksUntil([&] { return !w->TimerRuns(kFadeInTimer); }), 150 / 15);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w->Handle, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 220);
    EXPECT_NE(w->Child("Title")->text.find(", 20"), std::string::npos);
    // Further moves make no second tooltip.
    MoveOverClock(POINT{1240, 1005});
    RunFor(500);
    EXPECT_EQ(Tooltip(), w);
    InjectMouseMove(POINT{600, 600});
    RunFor(400);
    EXPECT_EQ(Tooltip(), nullptr);
    EXPECT_EQ(Share().TooltipShown, 0);
}

TEST_F(ClockTooltip, LeavingBeforeTheDelayOrDisabledShowsNothing) {
    MoveOverClock(POINT{1230, 1000});
    RunFor(200);
    InjectMouseMove(POINT{600, 600});
    RunFor(500);
    EXPECT_EQ(Tooltip(), nullptr);
    OZRSetClockTooltip(0, 400, 150, 150, 220);
    MoveOverClock(POINT{1230, 1000});
    RunFor(1000);
    EXPECT_EQ(Tooltip(), nullptr);
}

TEST_F(ClockTooltip, FadeTimesOfZeroTakeOneStep) {
    OZRSetClockTooltip(1, 100, 0, 0, 255);
    MoveOverClock(POINT{1230, 1000});
    RunFor(120);
    ASSERT_NE(Tooltip(), nullptr);
    SmartWindow* w = Tooltip();
    EXPECT_LE(TicksUntil([&] { return !w->TimerRuns(kFadeInTimer); }), 1);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w->Handle, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);
    InjectMouseMove(POINT{600, 600});
    EXPECT_LE(TicksUntil([&] { return Tooltip() == nullptr; }), 3);
}

}  // namespace
}  // namespace smarttest
