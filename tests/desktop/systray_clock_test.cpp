// The whole program as a systray clock: it takes the taskbar's clock over while it runs, paints
// its labels there with the clock sized to them, and gives the clock back when it quits.
#include <gtest/gtest.h>

#include <fstream>

#include "core/frm_main.h"
#include "desktop_harness.h"
#include "platform/present/desktop_screen.h"
#include "platform/shell/tray_messages.h"

using namespace platform;
using desktop::Desktop;

namespace {

HWND TrayClock() {
    HWND bar = FindWindow("Shell_TrayWnd", nullptr);
    HWND notify = FindWindowEx(bar, HWND{}, "TrayNotifyWnd", nullptr);
    return FindWindowEx(notify, HWND{}, "TrayClockWClass", nullptr);
}

LONG ProcedureOf(HWND hwnd) {
    ContextScope shell(ProcessContext::Shell);
    return GetWindowLong(hwnd, GWL_WNDPROC);
}

TEST(SystrayClock, TakesTheTrayClockOverWhileRunningAndGivesItBackOnQuit) {
    Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                "[Main Settings]\nRunCount=2\nSplash=0\nSystrayClock=1\n";
    }});
    ASSERT_TRUE(d.Start());
    HWND clock = TrayClock();
    ASSERT_TRUE(clock);
    // The taskbar's own clock answers the size query with 44 pixels; the labels need another size.
    RECT before{0, 0, 44, 0};
    d.Advance(3000);
    LONG takenProcedure = ProcedureOf(clock);
    EXPECT_FALSE(GetClassLong(clock, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_FALSE(IsWindowVisible(core::frmMain().hWnd));
    // The clock takes the size of the labels: wider than its own time, and the labels are painted.
    RECT taken = d.Rect(clock);
    EXPECT_NE(taken.width(), before.width());
    EXPECT_GT(taken.width(), 20);
    const Surface& screen = ComposedScreen();
    int textPixels = 0;
    for (int y = taken.top; y < taken.bottom; ++y)
        for (int x = taken.left; x < taken.right; ++x) textPixels += (screen.at(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_GT(textPixels, 10) << "no label text in the tray clock";
    // Two lines of labels need more than the least taskbar: the bar grows to the clock's height
    // with its margins, and the clock lies whole inside it.
    LRESULT answer = 0;
    {
        ContextScope shell(ProcessContext::Shell);
        answer = SendMessage(clock, WM_TRAYCLOCKSIZE, 0, 0);
    }
    const int asked = HIWORD(static_cast<std::uintptr_t>(answer));
    const RECT bar = d.Rect(FindWindow("Shell_TrayWnd", nullptr));
    EXPECT_GT(asked, 26) << "the default labels are two lines";
    EXPECT_EQ(bar.height(), asked + 4);
    EXPECT_EQ(taken.height(), asked);
    EXPECT_TRUE(taken.top >= bar.top && taken.bottom <= bar.bottom) << "the clock is cut by the taskbar's edge";

    SendMessage(core::frmMain().hWnd, core::WM_CLOCKQUIT, 0, 0);
    d.Advance(100);
    EXPECT_TRUE(d.Ended());
    EXPECT_NE(ProcedureOf(clock), takenProcedure);
    EXPECT_TRUE(GetClassLong(clock, GCL_STYLE) & CS_DBLCLKS);
    d.Advance(2000);
    EXPECT_EQ(d.Rect(clock).width(), 44);  // the taskbar's own clock, at its own size
    EXPECT_EQ(d.Rect(FindWindow("Shell_TrayWnd", nullptr)).height(), 30) << "the taskbar shrinks back";
}

}  // namespace
