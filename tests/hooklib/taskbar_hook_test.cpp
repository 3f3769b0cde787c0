// The hook on the tray clock's thread: the take-over of the clock, the notification area and the
// taskbar, the size the tray gets for the clock, a second hook while hooked, and the unload that
// gives all of it back, also in the taskbar's context when the library leaves it.
#include "clock_library_support.h"

#include "platform/draw/gdi.h"
#include "platform/present/desktop_screen.h"
#include "platform/shell/notify_icon.h"
#include "platform/window/input.h"
#include "platform/window/detail/timers.h"

using namespace platform;
using namespace cliblib;

namespace {

class TaskbarHook : public LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        StartTaskbar();
        clockProc = GetWindowLong(bar.clock, GWL_WNDPROC);
        trayProc = GetWindowLong(bar.tray, GWL_WNDPROC);
        taskbarProc = GetWindowLong(bar.taskbar, GWL_WNDPROC);
        taskbarExStyle = GetWindowLong(bar.taskbar, GWL_EXSTYLE);
        timersBefore = detail::LiveTimerCount();
        SetUpSystrayClock();
    }
    RECT ClockRect() {
        RECT r;
        GetWindowRect(bar.clock, &r);
        return r;
    }
    int Buttons() { return static_cast<int>(SendMessage(bar.toolbar, TB_BUTTONCOUNT, 0, 0)); }
    LONG clockProc = 0, trayProc = 0, taskbarProc = 0, taskbarExStyle = 0;
    std::size_t timersBefore = 0;
};

TEST_F(TaskbarHook, HookingTakesTheClockOverAndUnhookingGivesItBack) {
    std::uint32_t hook = lib.OZRHookSystem();
    ASSERT_NE(hook, 0u);
    EXPECT_EQ(hook, lib.share->Hook);
    EXPECT_TRUE(IsModuleMappedIn(lib.module, ProcessContext::Shell));
    EXPECT_NE(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_NE(GetWindowLong(bar.tray, GWL_WNDPROC), trayProc);
    EXPECT_NE(GetWindowLong(bar.taskbar, GWL_WNDPROC), taskbarProc);
    EXPECT_EQ(lib.share->PreviousClockProc, clockProc);
    EXPECT_FALSE(GetClassLong(bar.clock, GCL_STYLE) & CS_DBLCLKS);
    // A system classified above 5 gets the layered taskbar.
    EXPECT_EQ(lib.share->OSCode, 6);
    EXPECT_EQ(GetWindowLong(bar.taskbar, GWL_EXSTYLE), static_cast<LONG>(taskbarExStyle | WS_EX_LAYERED));
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(bar.taskbar, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, LWA_ALPHA);
    EXPECT_EQ(lib.share->TaskbarPosition, hooklib::kEdgeBottom);
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore + 2);  // data bridge and refresh
    for (const char* line : {"{DllMain => DLL_PROCESS_ATTACH}: DLL loaded!", "{CALLBACK => MsgProc}: Windows subclassed.",
                             "{WINAPI => OZRHookSystem}: DLL loaded! System hooked."})
        EXPECT_TRUE(main.Logged(line)) << line;

    // While the library has the clock, the clock's own procedure gets nothing: its time stays.
    CurrentClock().Advance(60'000);
    RunFor(1500);
    EXPECT_EQ(GetWindowTextString(bar.clock), "12:00");
    EXPECT_EQ(ClockRect().width(), 0);  // the program has not asked for a size yet

    main.lines.clear();
    lib.OZRUnHookSystem();
    EXPECT_EQ(lib.share->Hook, 0u);
    EXPECT_FALSE(IsModuleMappedIn(lib.module, ProcessContext::Shell));
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_EQ(GetWindowLong(bar.tray, GWL_WNDPROC), trayProc);
    EXPECT_EQ(GetWindowLong(bar.taskbar, GWL_WNDPROC), taskbarProc);
    EXPECT_EQ(GetWindowLong(bar.taskbar, GWL_EXSTYLE), taskbarExStyle);
    // The clock paints itself again, asks for its own size and has its double clicks back.
    EXPECT_EQ(GetWindowTextString(bar.clock), "12:01");
    EXPECT_EQ(ClockRect().width(), 44);
    EXPECT_TRUE(GetClassLong(bar.clock, GCL_STYLE) & CS_DBLCLKS);
    // Each context stopped its own timers.
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore);
    EXPECT_EQ(lib.share->RefreshTimer, 0);
    EXPECT_EQ(lib.share->DataBridgeTimer, 0);
    EXPECT_TRUE(main.Logged("{WINAPI => OZRUnHookSystem}: Command to unload DLL received."));
    // Once in the hook call, once more when the library leaves the taskbar's context.
    EXPECT_EQ(main.CountLines("{DLLUnloadProcedures}: DLL unloaded!"), 2);
    EXPECT_TRUE(main.Logged("{DllMain => DLL_PROCESS_DETACH}: DLL unloaded!"));

    // A new hook takes it over again from scratch.
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    EXPECT_NE(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_EQ(lib.share->PreviousClockProc, clockProc);
    lib.OZRUnHookSystem();
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
}

TEST_F(TaskbarHook, ASecondHookWhileHookedKeepsOneHookOneSubclassingAndOneSetOfTimers) {
    std::uint32_t hook = lib.OZRHookSystem();
    ASSERT_NE(hook, 0u);
    LONG ours = GetWindowLong(bar.clock, GWL_WNDPROC);
    std::size_t timers = detail::LiveTimerCount();
    lib.OZRSetClockWidth(50);

    EXPECT_EQ(lib.OZRHookSystem(), hook);
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), ours);
    EXPECT_EQ(lib.share->PreviousClockProc, clockProc);  // never our own procedure
    EXPECT_EQ(lib.share->PreviousTrayProc, trayProc);
    EXPECT_EQ(lib.share->PreviousTaskbarProc, taskbarProc);
    EXPECT_EQ(detail::LiveTimerCount(), timers);
    EXPECT_EQ(lib.share->TrayClockWidth, 0);  // the hook state starts again
    EXPECT_EQ(main.CountLines("{CALLBACK => MsgProc}: Windows subclassed."), 1);

    // One release gives everything back.
    lib.OZRUnHookSystem();
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_EQ(GetWindowLong(bar.tray, GWL_WNDPROC), trayProc);
    EXPECT_EQ(GetWindowLong(bar.taskbar, GWL_WNDPROC), taskbarProc);
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore);
    EXPECT_FALSE(IsModuleMappedIn(lib.module, ProcessContext::Shell));
}

TEST_F(TaskbarHook, TheTrayGetsTheSizeTheProgramAsksFor) {
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(60);
    lib.OZRSetClockHeight(18);
    EXPECT_EQ(lib.share->TrayClockWidth, 64);
    EXPECT_EQ(lib.share->TrayClockHeight, 22);
    EXPECT_EQ(SendMessage(bar.clock, WM_TRAYCLOCKSIZE, 0, 0), MAKELONG(64, 22));
    EXPECT_EQ(ClockRect().width(), 64);

    // Within 3 of the stored size nothing changes; the last request again is taken again.
    for (std::int16_t near : {61, 64, 67}) {
        lib.OZRSetClockWidth(near);
        EXPECT_EQ(lib.share->TrayClockWidth, 64) << near;
    }
    lib.OZRSetClockWidth(68);
    EXPECT_EQ(lib.share->TrayClockWidth, 72);
    EXPECT_EQ(ClockRect().width(), 72);
    lib.OZRSetClockWidth(68);
    EXPECT_EQ(lib.share->TrayClockWidth, 72);

    // Ignored while the taskbar is dragged.
    lib.share->TaskbarDragging = 1;
    lib.OZRSetClockWidth(100);
    EXPECT_EQ(lib.share->TrayClockWidth, 72);
    lib.share->TaskbarDragging = 0;

    // On a vertical taskbar the height counts.
    MoveTaskbarToEdge(TaskbarEdge::Right);
    EXPECT_EQ(ClockRect().height(), 22);
    lib.OZRUnHookSystem();
    EXPECT_EQ(ClockRect().height(), 20);  // the clock's own height again
}

struct EdgeMove {
    TaskbarEdge edge;
    std::uint8_t code;
};

TEST_F(TaskbarHook, FollowsTheTaskbarToEachEdgeAndReportsEachDrop) {
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    main.codes.clear();
    const EdgeMove moves[] = {{TaskbarEdge::Left, hooklib::kEdgeLeft},
                              {TaskbarEdge::Top, hooklib::kEdgeTop},
                              {TaskbarEdge::Right, hooklib::kEdgeRight},
                              {TaskbarEdge::Bottom, hooklib::kEdgeBottom}};
    std::uint8_t previous = hooklib::kEdgeBottom;
    int moved = 0;
    for (const EdgeMove& m : moves) {
        SCOPED_TRACE(m.code);
        main.lines.clear();
        MoveTaskbarToEdge(m.edge);
        ++moved;
        EXPECT_EQ(lib.share->TaskbarPosition, m.code);
        EXPECT_EQ(lib.share->CurrentTaskbarEdge, m.code);
        EXPECT_EQ(lib.share->PreviousTaskbarEdge, previous);
        EXPECT_EQ(lib.share->TaskbarMoved, 1);  // the bug fixer is off: nothing takes the flag
        EXPECT_EQ(lib.share->TaskbarDragging, 0);
        EXPECT_EQ(lib.share->TaskbarDropped, 1);
        EXPECT_TRUE(main.Logged("{CALLBACK => WndProcTaskBar}: TaskBar moved."));
        EXPECT_TRUE(main.Logged("{CALLBACK => WndProcTaskBar}: TaskBar dropped."));
        EXPECT_EQ(main.Count(hooklib::CN_TASKBARDROPPED), moved);
        EXPECT_EQ(main.codeParams.back(), static_cast<LPARAM>(bar.taskbar.id()));
        previous = m.code;
    }
}

TEST_F(TaskbarHook, TheBugFixerAddsAFakeIconAfterAVerticalToHorizontalDropAndRemovesItLater) {
    MoveTaskbarToEdge(TaskbarEdge::Left);
    lib.OZRSetClockBugFixer(1);
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(40);
    main.lines.clear();

    MoveTaskbarToEdge(TaskbarEdge::Bottom);
    EXPECT_TRUE(main.Logged("{CALLBACK => WndProcSystray}: Attempted to correct the Windows OS Systray Bug."));
    EXPECT_TRUE(main.Logged("{CALLBACK => WndProcTaskBar}: Created fake Systray icon to fix the Windows OS Systray Bug."));
    EXPECT_EQ(lib.share->TaskbarMoved, 0);
    EXPECT_EQ(lib.share->FakeIconPresent, 1);
    ASSERT_EQ(Buttons(), 1);
    TBBUTTON fake;
    SendMessage(bar.toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&fake));
    EXPECT_EQ(fake.dwData, 3u);
    EXPECT_EQ(fake.iString, -1);
    // The correction put the clock where the taskbar itself does (after no icons); the fake
    // icon's own layout then put it after that icon.
    EXPECT_EQ(lib.share->CorrectedClockX, 1);
    RECT clock, tray;
    GetWindowRect(bar.clock, &clock);
    GetWindowRect(bar.tray, &tray);
    EXPECT_EQ(clock.left - tray.left, 1 + 18);

    // At the tray's next move the fake icon goes, once, although deleting it moves the tray again.
    RECT trayInBar = tray;
    ScreenToClient(bar.taskbar, reinterpret_cast<POINT*>(&trayInBar.left));
    SetWindowPos(bar.tray, HWND{}, trayInBar.left, trayInBar.top, tray.width(), tray.height(), SWP_NOZORDER);
    EXPECT_EQ(Buttons(), 0);
    EXPECT_EQ(lib.share->FakeIconPresent, 0);
    EXPECT_EQ(main.CountLines("{CALLBACK => WndProcSystray}: Deleted fake Systray icon."), 1);
    EXPECT_TRUE(main.Logged("{DetermineTaskBarPosition}: Made additional bug-fix operations for dropped TaskBar."));
    lib.OZRSetClockWidth(50);
    EXPECT_EQ(ClockRect().width(), 54);
    EXPECT_EQ(main.CountLines("{CALLBACK => WndProcSystray}: Deleted fake Systray icon."), 1);
}

TEST_F(TaskbarHook, ClicksOnTheClockAreToldApartAndTheRightButtonGoesToTheTaskbar) {
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(40);
    RECT clock = ClockRect();
    POINT at{clock.left + 10, clock.top + 10};
    auto click = [](POINT p) {
        InjectMouseButton(p, MouseButton::Left, true);
        InjectMouseButton(p, MouseButton::Left, false);
        PumpPendingWork();
    };

    // A single click waits for the double-click time plus 10 ms, then the timer ends.
    click(at);
    EXPECT_EQ(lib.share->ClickPending, 1);
    EXPECT_EQ(lib.share->ClickPoint[0], 10);
    EXPECT_EQ(lib.share->ClickPoint[1], 10);
    EXPECT_NE(lib.share->ClickTimer, 0);
    RunFor(505);
    EXPECT_EQ(lib.share->ClickPending, 1);
    RunFor(20);
    EXPECT_EQ(lib.share->ClickPending, 0);
    EXPECT_EQ(lib.share->ClickTimer, 0);

    // A second press within half the double-click rectangle is a double click; its release
    // starts nothing.
    click(at);
    InjectMouseButton(POINT{at.x + 2, at.y - 2}, MouseButton::Left, true);
    PumpPendingWork();
    EXPECT_EQ(lib.share->ClickPending, 0);
    EXPECT_EQ(lib.share->DoubleClickDone, 1);
    InjectMouseButton(POINT{at.x + 2, at.y - 2}, MouseButton::Left, false);
    PumpPendingWork();
    EXPECT_EQ(lib.share->DoubleClickDone, 0);
    EXPECT_EQ(lib.share->ClickPending, 0);
    RunFor(600);
    EXPECT_EQ(lib.share->ClickTimer, 0);

    // Farther away it is a new single click.
    click(at);
    click(POINT{at.x + 3, at.y});
    EXPECT_EQ(lib.share->DoubleClickDone, 0);
    EXPECT_EQ(lib.share->ClickPending, 1);
    EXPECT_EQ(lib.share->ClickPoint[0], 13);

    // The right button opens the taskbar's menu, and the date balloon over the clock goes.
    lib.OZRSetClockTooltip(1, 100, 0, 0, 255);
    InjectMouseMove(at);
    RunFor(150);
    ASSERT_EQ(lib.share->TooltipShown, 1);
    InjectMouseButton(at, MouseButton::Right, true);
    InjectMouseButton(at, MouseButton::Right, false);
    PumpPendingWork();
    EXPECT_TRUE(TaskbarMenuOpen());
    EXPECT_EQ(lib.share->TooltipShown, 0);
    RunFor(300);
    EXPECT_EQ(lib.share->TooltipShown, 0) << "nor does it come up over the open menu";
}

TEST_F(TaskbarHook, ReleasingTheLibraryWhileHookedGivesTheTaskbarBackFirst) {
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    FreeLibrary(lib.module);
    lib.module = HMODULE{};
    // The hook went with the program's unload; the library then left the taskbar's context,
    // which put the procedures back before the file was closed.
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_EQ(GetWindowLong(bar.tray, GWL_WNDPROC), trayProc);
    EXPECT_EQ(GetWindowLong(bar.taskbar, GWL_WNDPROC), taskbarProc);
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore);
    EXPECT_EQ(SendMessage(bar.clock, WM_TRAYCLOCKSIZE, 0, 0), MAKELONG(44, 20));
}

TEST_F(TaskbarHook, TheFloatingClockHooksNothing) {
    lib.OZRSetClockType(hooklib::kFloatingClock);
    std::uint32_t timer = lib.OZRHookSystem();
    EXPECT_NE(timer, 0u);
    EXPECT_EQ(static_cast<std::int32_t>(timer), lib.share->DataBridgeTimer);
    EXPECT_EQ(lib.share->Hook, 0u);
    EXPECT_EQ(GetWindowLong(bar.clock, GWL_WNDPROC), clockProc);
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore + 1);
    lib.OZRUnHookSystem();  // kills the data-bridge timer at once
    EXPECT_EQ(detail::LiveTimerCount(), timersBefore);
    EXPECT_EQ(lib.share->DataBridgeTimer, 0);
}

}  // namespace

namespace {

COLORREF ScreenAt(int x, int y) { return PixelColor(ComposedScreen().at(x, y)); }

TEST_F(TaskbarHook, TheTakeOverAndTheReturnShowOnTheScreen) {
    StartDesktopScreen();
    PumpPendingWork();
    RECT own;
    GetWindowRect(bar.clock, &own);
    const COLORREF gradientRow = ScreenAt(own.right - 1, own.top + 1);
    lib.OZRSetClockBackground(RGB(200, 0, 0));
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(56);
    PumpPendingWork();
    RECT taken;
    GetWindowRect(bar.clock, &taken);
    EXPECT_EQ(taken.width(), 60);
    // The library's painting fills the whole clock; the clock's own time is gone.
    for (POINT p : {POINT{taken.left, taken.top}, POINT{taken.left + 30, taken.top + 13}, POINT{taken.right - 1, taken.bottom - 1}})
        EXPECT_EQ(ScreenAt(p.x, p.y), RGB(200, 0, 0)) << p.x << "," << p.y;
    RunFor(250);  // refresh ticks paint it again and again
    EXPECT_EQ(ScreenAt(taken.left + 30, taken.top + 13), RGB(200, 0, 0));

    lib.OZRUnHookSystem();
    PumpPendingWork();
    RECT back;
    GetWindowRect(bar.clock, &back);
    EXPECT_EQ(back.width(), 44);
    int red = 0, light = 0;
    for (int y = back.top; y < back.bottom; ++y)
        for (int x = back.left; x < back.right; ++x) {
            COLORREF c = ScreenAt(x, y);
            if (c == RGB(200, 0, 0)) ++red;
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) ++light;
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(light, 10);  // the time again
    EXPECT_EQ(ScreenAt(back.right - 1, back.top + 1), gradientRow);
}

}  // namespace
