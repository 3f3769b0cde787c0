// Under a real EWMH window manager (openbox on Xvfb), read back with xprop: the floating clock is
// kept above other windows and out of taskbars and pagers, and a window's topmost state follows
// the program when it changes while the window is mapped; a message box and a modal form are
// transient for the window they block, marked modal, and stay above it, topmost as it is, also
// when it is clicked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "clock_process.h"
#include "openbox_wm.h"
#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/message_box_window.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clock.h"
#include "platform/services/registry.h"
#include "platform/window/loop.h"
#include "tests/support/recording_failure_reports.h"
#include "tests/support/while_modal.h"
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

// The X window id of our window with that title, as xprop prints ids ("0x...").
std::string XIdOf(const XvfbServer& server, const std::string& title) {
    const std::string info = server.Output("xwininfo -name '" + title + "' -int");
    const auto at = info.find("Window id: ");
    if (at == std::string::npos) return "?";
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", std::strtoul(info.c_str() + at + 11, nullptr, 10));
    return text;
}

// The window manager lists its clients bottom to top.
bool StackedAbove(const XvfbServer& server, const std::string& upper, const std::string& lower) {
    const std::string stacking = server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
    const auto pu = stacking.find(XIdOf(server, upper)), pl = stacking.find(XIdOf(server, lower));
    return pu != std::string::npos && pl != std::string::npos && pu > pl;
}

// Lets the window manager and the program take what was asked for a while.
void Settle(int ms) {
    for (int i = 0; i < ms / 20; ++i) {
        PumpPendingWork();
        usleep(20'000);
    }
}

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

// The program's own windows on a display that openbox manages.
class X11UnderOpenbox : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        ASSERT_TRUE(wm.ready()) << "openbox did not start";
        std::string error;
        ASSERT_TRUE(StartX11Presenter(&error)) << error;
        StartDesktopScreen();
        InstallService<Clock>(MakeSystemClock());
    }
    void TearDown() override { StopX11Presenter(); }

    XvfbServer server;
    OpenboxWm wm{server};
};

TEST_F(X11UnderOpenbox, OurWindowsKeepTheProgramsOrderInsideTheWindowManagersFrames) {
    testsupport::RecordingFailureReports& reports = testsupport::UseRecordingFailureReports();
    {
        PlainForm first("frmFirst", "OZR first form", 1500), second("frmSecond", "OZR second form", 6000);
        first.Show();
        second.Show();
        // The window manager lists its clients bottom to top; the one the program raised last
        // ends above the other.
        auto secondIsAbove = [&] { return StackedAbove(server, "OZR second form", "OZR first form"); };
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
    }

// The window manager's frame of our window with that title: its ancestor that is a child of the root.
std::string FrameOf(const XvfbServer& server, const std::string& title) {
    std::string id = XIdOf(server, title);
    for (int depth = 0; depth < 8; ++depth) {
        const std::string tree = server.Output("xwininfo -tree -id " + id);
        auto field = [&](const char* name) {
            const auto at = tree.find(name);
            return at == std::string::npos ? std::string() : tree.substr(at + std::strlen(name), tree.find(' ', at + std::strlen(name)) - at - std::strlen(name));
        };
        const std::string parent = field("Parent window id: ");
        if (parent.empty() || parent == field("Root window id: ")) return id;
        id = parent;
    }
    return id;
}

// True when the first window lies below the second among the root's children (xwininfo lists
// them from the top down).
bool BelowAmongRootChildren(const XvfbServer& server, const std::string& lower, const std::string& upper) {
    const std::string children = server.Output("xwininfo -root -children");
    const auto pl = children.find(lower + " "), pu = children.find(upper + " ");
    return pl != std::string::npos && pu != std::string::npos && pu < pl;
}

// What the window manager makes of a modal window over a topmost owner, read while it waits.
struct ModalSeen {
    std::string transientFor, states;
    bool aboveOwner = false, aboveOwnerAfterClick = false;
};

ModalSeen LookAtModal(const XvfbServer& server, const std::string& title, const std::string& ownerTitle, POINT onOwner) {
    ModalSeen seen;
    for (int i = 0; i < 100 && !Holds(seen.states, "_NET_WM_STATE_MODAL"); ++i) {
        Settle(50);
        seen.states = server.Output("xprop -name '" + title + "' _NET_WM_STATE");
    }
    seen.transientFor = server.Output("xprop -name '" + title + "' WM_TRANSIENT_FOR");
    seen.aboveOwner = StackedAbove(server, title, ownerTitle);
    server.Run("xdotool mousemove " + std::to_string(onOwner.x) + " " + std::to_string(onOwner.y) + " click 1");
    Settle(500);
    seen.aboveOwnerAfterClick = StackedAbove(server, title, ownerTitle);
    return seen;
}

void ExpectModalOver(const XvfbServer& server, const ModalSeen& seen, const std::string& ownerTitle) {
    EXPECT_TRUE(Holds(seen.transientFor, XIdOf(server, ownerTitle).c_str())) << seen.transientFor;
    EXPECT_TRUE(Holds(seen.states, "_NET_WM_STATE_MODAL")) << seen.states;
    EXPECT_TRUE(Holds(seen.states, "_NET_WM_STATE_ABOVE")) << "over a topmost owner: " << seen.states;
    EXPECT_TRUE(seen.aboveOwner);
    EXPECT_TRUE(seen.aboveOwnerAfterClick) << "a click on the owner does not cover it";
}

TEST_F(X11UnderOpenbox, BoxesAndModalFormsStayAboveTheTopmostWindowTheyBlock) {
    InstallService<MessageBoxes>(MakeMessageBoxWindows());
    {
        const std::string ownerTitle = "OZR topmost owner";
        PlainForm owner("frmOwner", ownerTitle.c_str(), 1500), modal("frmModal", "OZR modal form", 9000);
        owner.Show();
        SetWindowPos(owner.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        StatesOnceSettled(server, ownerTitle, "_NET_WM_STATE_ABOVE", true);
        RECT r;
        GetWindowRect(owner.hWnd, &r);
        const POINT onOwner{(r.left + r.right) / 2, (r.top + r.bottom) / 2};

        // A help balloon (a window no window manager frames) that makes itself topmost while the
        // box waits, right over it.
        WNDCLASS balloonClass;
        balloonClass.lpfnWndProc = DefWindowProc;
        balloonClass.lpszClassName = "OzrTestBalloon";
        RegisterClass(&balloonClass);
        ModalSeen box;
        bool balloonUnderBox = false;
        std::string rootChildren;
        testsupport::WhileModalWaits([&] {
            box = LookAtModal(server, "OZR box", ownerTitle, onOwner);
            RECT b;
            GetWindowRect(FindWindow("#32770", nullptr), &b);
            HWND balloon = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "OzrTestBalloon", "OZR balloon",
                                          WS_POPUP, b.left + 10, b.top + 10, 200, 80, HWND{});
            ShowWindow(balloon, SW_SHOWNA);
            SetWindowPos(balloon, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            Settle(300);
            balloonUnderBox = BelowAmongRootChildren(server, XIdOf(server, "OZR balloon"), FrameOf(server, "OZR box"));
            rootChildren = server.Output("xwininfo -root -children");
            DestroyWindow(balloon);
            PostMessage(FindWindow("#32770", nullptr), WM_CLOSE, 0, 0);
        });
        MessageBox(owner.hWnd, "Some text", "OZR box", MB_OK | MB_ICONERROR);
        ExpectModalOver(server, box, ownerTitle);
        EXPECT_TRUE(balloonUnderBox) << rootChildren;

        ModalSeen form;
        testsupport::WhileModalWaits([&] {
            form = LookAtModal(server, "OZR modal form", ownerTitle, onOwner);
            modal.Hide();
        });
        modal.Show(vbModal, &owner);
        ExpectModalOver(server, form, ownerTitle);
        EXPECT_FALSE(Holds(server.Output("xprop -name 'OZR modal form' _NET_WM_STATE"), "_NET_WM_STATE_MODAL"))
            << "modal no more once it stopped waiting";
        modal.Unload();
        owner.Unload();
    }
}

}  // namespace
