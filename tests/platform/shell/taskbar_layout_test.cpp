// The taskbar's windows, its edges and the layout of the notification area around the clock.
#include "shell_test_support.h"

#include "platform/shell/system_version.h"
#include "platform/window/input.h"

using namespace platform;
using namespace shelltest;

namespace {

TEST_F(Shell, MakesTheTaskbarWindowsInTheShellsContext) {
    // Found the way a program looks for them: by class, then each part inside its parent.
    HWND bar = FindWindow(kTaskbarClass, nullptr);
    ASSERT_EQ(bar, w.taskbar);
    EXPECT_EQ(FindWindowEx(bar, HWND{}, kTaskBandClass, nullptr), w.taskBand);
    HWND tray = FindWindowEx(bar, HWND{}, kTrayNotifyClass, nullptr);
    EXPECT_EQ(tray, w.tray);
    EXPECT_EQ(FindWindowEx(tray, HWND{}, kTrayClockClass, nullptr), w.clock);
    EXPECT_EQ(FindWindowEx(tray, HWND{}, kChevronClass, nullptr), w.chevron);
    HWND pager = FindWindowEx(tray, HWND{}, kTrayPagerClass, nullptr);
    EXPECT_EQ(pager, w.pager);
    EXPECT_EQ(FindWindowEx(pager, HWND{}, kToolbarClass, kNotificationAreaTitle), w.toolbar);

    for (HWND h : {w.taskbar, w.taskBand, w.tray, w.clock, w.pager, w.toolbar, w.chevron}) {
        DWORD process = 0;
        EXPECT_EQ(GetWindowThreadProcessId(h, &process), ContextThreadId(ProcessContext::Shell));
        EXPECT_EQ(process, ContextProcessId(ProcessContext::Shell));
    }
    EXPECT_TRUE(IsWindowVisible(w.clock));
    EXPECT_TRUE(GetWindowLong(w.taskbar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowTextString(w.clock), "12:00");  // the virtual clock's time
    EXPECT_TRUE(GetClassLong(w.clock, GCL_STYLE) & CS_DBLCLKS);

    // Bottom edge by default; a second start keeps the running taskbar.
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Bottom);
    EXPECT_EQ(ScreenRect(w.taskbar), (RECT{0, 994, 1280, 1024}));
    EXPECT_TRUE(StartShell());
    EXPECT_EQ(GetTaskbarWindows().taskbar, w.taskbar);

    StopShell();
    EXPECT_FALSE(IsWindow(w.taskbar));
    EXPECT_FALSE(IsWindow(w.clock));
    EXPECT_FALSE(GetTaskbarWindows().taskbar);
}

TEST_F(Shell, TheTrayAsksTheClockItsSizeAtEveryLayoutAndHonoursAChangedPosition) {
    SIZE wanted{70, 25};
    int shiftX = 0;
    Record(w.clock, [&](HWND, UINT msg, WPARAM, LPARAM l, LRESULT* r) {
        if (msg == WM_TRAYCLOCKSIZE) {
            *r = MAKELONG(static_cast<WORD>(wanted.cx), static_cast<WORD>(wanted.cy));
            return true;
        }
        if (msg == WM_WINDOWPOSCHANGING && shiftX) reinterpret_cast<WINDOWPOS*>(l)->x = shiftX;
        return false;
    });
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(CountSeen(w.clock, WM_TRAYCLOCKSIZE), 1);
    EXPECT_EQ(RectInParent(w.clock), (RECT{1, 0, 71, 26}));  // the answered width, the tray's height
    EXPECT_EQ(RectInParent(w.tray).width(), 1 + 70 + 3);

    // The position-changing message of the clock decides where it goes.
    shiftX = 5;
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(CountSeen(w.clock, WM_TRAYCLOCKSIZE), 2);
    EXPECT_EQ(RectInParent(w.clock).left, 5);
    shiftX = 0;

    // A size beyond the screen is held to the screen.
    wanted = SIZE{0xFFFA, 0xFFFF};
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(RectInParent(w.clock).width(), 1280);

    // Vertical: the answered height, the tray's width.
    wanted = SIZE{70, 25};
    MoveTaskbarToEdge(TaskbarEdge::Left);
    RECT clock = RectInParent(w.clock);
    EXPECT_EQ(clock.height(), 25);
    EXPECT_EQ(clock.width(), RectInParent(w.tray).width());
}

TEST_F(Shell, TheBarGrowsToTheClocksSizeNeverBelowItsOwnAndShrinksBack) {
    SIZE wanted{70, 40};
    Record(w.clock, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) {
        if (msg != WM_TRAYCLOCKSIZE) return false;
        *r = MAKELONG(static_cast<WORD>(wanted.cx), static_cast<WORD>(wanted.cy));
        return true;
    });
    auto bar = [&] {
        RECT r;
        GetWindowRect(w.taskbar, &r);
        return r;
    };
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(bar(), (RECT{0, 1024 - 44, 1280, 1024})) << "two rows of labels: the clock's height and the margins";
    EXPECT_EQ(RectInParent(w.clock).height(), 40);
    EXPECT_EQ(TaskbarRectOnEdge(TaskbarEdge::Top), (RECT{0, 0, 1280, 44}));

    wanted = SIZE{70, 20};
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(bar(), (RECT{0, 1024 - 30, 1280, 1024})) << "never below the least height";

    wanted = SIZE{70, 0xFFFF};
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(bar().height(), 512) << "at most half the screen";

    wanted = SIZE{100, 25};
    MoveTaskbarToEdge(TaskbarEdge::Left);
    EXPECT_EQ(bar(), (RECT{0, 0, 104, 1024})) << "a vertical bar as wide as the clock asks";
    EXPECT_EQ(RectInParent(w.clock).width(), 100);
    wanted = SIZE{40, 25};
    SendMessage(w.taskbar, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(bar(), (RECT{0, 0, 62, 1024}));
}

struct EdgeCase {
    TaskbarEdge edge;
    RECT bar;
};

TEST_F(Shell, MovesToEachEdgeWithTheTrayAtTheFarEnd) {
    const EdgeCase cases[] = {
        {TaskbarEdge::Left, RECT{0, 0, 62, 1024}},
        {TaskbarEdge::Top, RECT{0, 0, 1280, 30}},
        {TaskbarEdge::Right, RECT{1218, 0, 1280, 1024}},
        {TaskbarEdge::Bottom, RECT{0, 994, 1280, 1024}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.edge));
        MoveTaskbarToEdge(c.edge);
        EXPECT_EQ(CurrentTaskbarEdge(), c.edge);
        EXPECT_EQ(ScreenRect(w.taskbar), c.bar);
        RECT tray = ScreenRect(w.tray), band = ScreenRect(w.taskBand), clock = ScreenRect(w.clock);
        EXPECT_TRUE(Inside(tray, c.bar));
        EXPECT_TRUE(Inside(band, c.bar));
        EXPECT_TRUE(Inside(clock, tray));
        EXPECT_EQ(IntersectRects(tray, band), RECT{});
        bool horizontal = c.edge == TaskbarEdge::Top || c.edge == TaskbarEdge::Bottom;
        if (horizontal) {
            EXPECT_EQ(tray.right, c.bar.right - 2);  // the tray at the right end
            EXPECT_EQ(clock.width(), 44);            // the clock's own width
        } else {
            EXPECT_EQ(tray.bottom, c.bar.bottom - 2);  // the tray at the bottom
            EXPECT_EQ(clock.height(), 20);             // the clock's own height
        }
    }
}

TEST_F(Shell, AMoveRunsTheDragMessagesAndLaysOutAgainWhenTheMoveEnds) {
    Record(w.taskbar);
    Record(w.clock);
    MoveTaskbarToEdge(TaskbarEdge::Top);
    std::vector<UINT> seen = SeenBy(w.taskbar);
    // In this order, with the bar's own snap after the end of the move.
    const std::vector<UINT> expected = {WM_ENTERSIZEMOVE,     WM_MOVING,     WM_WINDOWPOSCHANGING,
                                        WM_WINDOWPOSCHANGED, WM_EXITSIZEMOVE, WM_WINDOWPOSCHANGING,
                                        WM_WINDOWPOSCHANGED, WM_CAPTURECHANGED};
    std::vector<UINT> relevant;
    for (UINT m : seen)
        if (std::find(expected.begin(), expected.end(), m) != expected.end()) relevant.push_back(m);
    EXPECT_EQ(relevant, expected);
    EXPECT_EQ(CountSeen(w.clock, WM_TRAYCLOCKSIZE), 2);  // a layout at the move, one at its end
    EXPECT_FALSE(GetCapture());

    // Moving to the edge the bar is on is only a press: no move loop, the capture still goes.
    SeenLog().clear();
    MoveTaskbarToEdge(TaskbarEdge::Top);
    EXPECT_EQ(SeenBy(w.taskbar), std::vector<UINT>{WM_CAPTURECHANGED});
}

TEST_F(Shell, TheMouseDragsTheBarToTheNearestEdge) {
    Record(w.taskbar);
    // Press on the task band, move to the middle of the left side, release.
    RECT band = ScreenRect(w.taskBand);
    InjectMouseButton(POINT{band.left + 100, band.top + 5}, MouseButton::Left, true);
    PumpPendingWork();
    EXPECT_EQ(GetCapture(), w.taskbar);
    InjectMouseMove(POINT{640, 1000});  // still nearest to the bottom: no move
    PumpPendingWork();
    EXPECT_EQ(CountSeen(w.taskbar, WM_ENTERSIZEMOVE), 0);
    InjectMouseMove(POINT{10, 500});
    PumpPendingWork();
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Left);
    EXPECT_EQ(CountSeen(w.taskbar, WM_ENTERSIZEMOVE), 1);
    InjectMouseButton(POINT{10, 500}, MouseButton::Left, false);
    PumpPendingWork();
    EXPECT_EQ(CountSeen(w.taskbar, WM_EXITSIZEMOVE), 1);
    EXPECT_FALSE(GetCapture());
    EXPECT_EQ(ScreenRect(w.taskbar), (RECT{0, 0, 62, 1024}));

    // A plain click on the bar moves nothing but still takes and gives back the capture.
    SeenLog().clear();
    InjectMouseButton(POINT{30, 300}, MouseButton::Left, true);
    InjectMouseButton(POINT{30, 300}, MouseButton::Left, false);
    PumpPendingWork();
    EXPECT_EQ(CountSeen(w.taskbar, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(CountSeen(w.taskbar, WM_ENTERSIZEMOVE), 0);
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Left);
}

TEST_F(Shell, ReportsAFixedVersion) {
    OSVERSIONINFO info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    OSVERSIONINFO wrongSize;
    wrongSize.dwOSVersionInfoSize = 156;
    EXPECT_FALSE(GetVersionEx(&wrongSize));
    EXPECT_EQ(wrongSize.dwMajorVersion, 0u);
}

}  // namespace
