// Under a real EWMH window manager (openbox on Xvfb), read back with xprop: the floating clock is
// kept above other windows and out of taskbars and pagers, and a window's topmost state follows
// the program when it changes while the window is mapped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "clock_process.h"
#include "openbox_wm.h"
#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clock.h"
#include "platform/services/registry.h"
#include "platform/window/loop.h"
#include "xvfb_server.h"

using namespace platform;
using namespace platform::forms;

namespace {

// A form made as the floating clock is: no border, no taskbar button, its extended style replaced
// by the layered bit, topmost.
class FloatingForm : public Form {
public:
    FloatingForm() : Form("frmFloating") {}

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        ShowInTaskbar = false;
        Caption = "OZR floating form";
        Move(3000, 3000, 2250, 750);
    }
};

bool Holds(const std::string& states, const char* state) { return states.find(state) != std::string::npos; }

// The window's _NET_WM_STATE as xprop prints it, once it holds (or lacks) a state, or after 5 s.
std::string StatesOnceSettled(const XvfbServer& server, const std::string& title, const char* state, bool wanted) {
    std::string states;
    for (int i = 0; i < 100; ++i) {
        PumpPendingWork();
        states = server.Output("xprop -name '" + title + "' _NET_WM_STATE");
        if (Holds(states, state) == wanted) break;
        usleep(50'000);
    }
    return states;
}

TEST(X11WindowManager, TheFloatingClockStaysAboveAndOutOfTheTaskbarUnderOpenbox) {
    XvfbServer server;
    ASSERT_TRUE(server.running());
    OpenboxWm wm(server);
    ASSERT_TRUE(wm.ready()) << "openbox did not start";

    {
        ClockProcess clock(server, "openbox-clock",
                           "[Dralo Software Development Ruriv - Settings File]\n"
                           "[Main Settings]\nRunCount=2\nSplash=0\n"
                           "[Float Window]\nX=6000\nY=4500\nAlwaysOnTop=1\n"
                           // no time server is asked, no clock is set
                           "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
        std::string states = StatesOnceSettled(server, "OZR Ruriv Main Window", "_NET_WM_STATE_ABOVE", true);
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_ABOVE")) << states;
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_TASKBAR")) << states;
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_PAGER")) << states;
    }

    std::string error;
    ASSERT_TRUE(StartX11Presenter(&error)) << error;
    StartDesktopScreen();
    InstallService<Clock>(MakeSystemClock());
    {
        FloatingForm form;
        form.Show();
        SetWindowLong(form.hWnd, GWL_EXSTYLE, static_cast<LONG>(WS_EX_LAYERED));
        SetWindowPos(form.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const std::string title = "OZR floating form";
        std::string states = StatesOnceSettled(server, title, "_NET_WM_STATE_ABOVE", true);
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_ABOVE")) << states;
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_TASKBAR")) << "no taskbar button, also without the tool-window style";

        SetWindowPos(form.hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        states = StatesOnceSettled(server, title, "_NET_WM_STATE_ABOVE", false);
        EXPECT_FALSE(Holds(states, "_NET_WM_STATE_ABOVE")) << "topmost off: " << states;
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_TASKBAR")) << states;

        SetWindowPos(form.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        states = StatesOnceSettled(server, title, "_NET_WM_STATE_ABOVE", true);
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_ABOVE")) << "topmost on again: " << states;
        EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_PAGER")) << states;
        form.Unload();
    }
    StopX11Presenter();
}

}  // namespace
