// Under a real EWMH window manager (openbox on Xvfb), read back with xprop: the floating clock is
// kept above other windows and out of taskbars and pagers, and a window's topmost state follows
// the program when it changes while the window is mapped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "clock_process.h"
#include "openbox_wm.h"
#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clock.h"
#include "platform/services/registry.h"
#include "platform/window/loop.h"
#include "tests/support/recording_failure_reports.h"
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

// A plain form with a frame, placed apart from the others.
class PlainForm : public Form {
public:
    PlainForm(const char* name, const char* caption, int left) : Form(name), caption_(caption), left_(left) {}

protected:
    void Design() override {
        Caption = caption_;
        Move(left_, 1500, 3000, 2000);
    }

private:
    std::string caption_;
    int left_;
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

TEST(X11WindowManager, OurWindowsKeepTheProgramsOrderInsideTheWindowManagersFrames) {
    XvfbServer server;
    ASSERT_TRUE(server.running());
    OpenboxWm wm(server);
    ASSERT_TRUE(wm.ready()) << "openbox did not start";
    std::string error;
    ASSERT_TRUE(StartX11Presenter(&error)) << error;
    StartDesktopScreen();
    InstallService<Clock>(MakeSystemClock());
    testsupport::RecordingFailureReports& reports = testsupport::UseRecordingFailureReports();
    {
        PlainForm first("frmFirst", "OZR first form", 1500), second("frmSecond", "OZR second form", 6000);
        first.Show();
        second.Show();
        // The window manager lists its clients bottom to top; the one the program raised last
        // ends above the other.
        auto secondIsAbove = [&] {
            const std::string stacking = server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
            const std::string a = server.Output("xwininfo -name 'OZR first form' -int");
            const std::string b = server.Output("xwininfo -name 'OZR second form' -int");
            auto id = [](const std::string& info) {
                const auto at = info.find("Window id: ");
                return at == std::string::npos ? std::string("?") : info.substr(at + 11, info.find(' ', at + 11) - at - 11);
            };
            auto hex = [](const std::string& dec) {
                char text[32];
                std::snprintf(text, sizeof text, "0x%lx", std::strtoul(dec.c_str(), nullptr, 10));
                return std::string(text);
            };
            const auto pa = stacking.find(hex(id(a))), pb = stacking.find(hex(id(b)));
            return pa != std::string::npos && pb != std::string::npos && pb > pa;
        };
        auto settle = [&](bool wanted) {
            bool now = false;
            for (int i = 0; i < 100 && (now = secondIsAbove()) != wanted; ++i) {
                PumpPendingWork();
                usleep(50'000);
            }
            return now;
        };
        // How the window manager stacks two windows as it maps them is its own affair; what
        // follows is each change of the program's order.
        SetWindowPos(first.hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_FALSE(settle(false)) << "the first form was raised over the second";
        SetWindowPos(second.hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_TRUE(settle(true));
        for (int i = 0; i < 10; ++i) {
            PumpPendingWork();
            usleep(20'000);
        }
        for (const std::string& dropped : reports.dropped)
            EXPECT_EQ(dropped.find("refused"), std::string::npos) << dropped;
        first.Unload();
        second.Unload();
    }
    StopX11Presenter();
}

}  // namespace
