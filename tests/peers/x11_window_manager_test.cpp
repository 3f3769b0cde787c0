// Under a real EWMH window manager (openbox on Xvfb), read back with xprop: the floating clock is
// kept above other windows and out of taskbars and pagers, and a window's topmost state follows
// the program when it changes while the window is mapped; a message box and a modal form are
// transient for the window they block, marked modal, and stay above it, topmost as it is, also
// when it is clicked. The rest of the window manager's contract: its close request, minimising
// and restoring, moving by the caption, its keyboard focus and the program's (which it follows when
// a window closes), and a menu that holds the keyboard.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../platform/window/window_test_support.h"
#include "clock_process.h"
#include "platform/draw/gdi.h"
#include "window_manager_process.h"
#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/message_box_window.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clock.h"
#include "platform/services/registry.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"
#include "platform/window/window_manager.h"
#include "tests/support/recording_failure_reports.h"
#include "tests/support/while_modal.h"
#include "xvfb_server.h"

// X11 last: its macros would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "two_monitors.h"

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

// A form without a border that paints a title bar with a minimise box of its own, as the settings
// window does.
class PaintedBarForm : public Form {
public:
    PaintedBarForm() : Form("frmPaintedBar") {}

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        Caption = "OZR painted box";
        Move(6000, 1500, 3000, 2000);
    }
    void Form_Load() override { SetWindowLong(hWnd, GWL_STYLE, GetWindowLong(hWnd, GWL_STYLE) | static_cast<LONG>(WS_MINIMIZEBOX)); }
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

// A form with a text box to type into.
class TypingForm : public Form {
public:
    TypingForm() : Form("frmTyping") {}
    TextBox txtName{this, "txtName"};

protected:
    void Design() override {
        Caption = "OZR typing form";
        Move(1500, 6000, 4500, 1500);
        txtName.Move(150, 150, 3000, 330);
    }
};

bool Holds(const std::string& states, const char* state) { return states.find(state) != std::string::npos; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        if (end > at) lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

// The X window id of our window with that title, as xprop prints ids ("0x...").
std::string XIdOf(const XvfbServer& server, const std::string& title) {
    const std::string info = server.Output("xwininfo -name '" + title + "' -int");
    const auto at = info.find("Window id: ");
    if (at == std::string::npos) return "?";
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", std::strtoul(info.c_str() + at + 11, nullptr, 10));
    return text;
}

std::string RootId(const XvfbServer& server) {
    const std::string info = server.Output("xwininfo -root");
    const auto at = info.find("Window id: ");
    return at == std::string::npos ? "?" : info.substr(at + 11, info.find(' ', at + 11) - at - 11);
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

// The X11 presenter on the test's server, with the desktop screen and the system clock.
void StartPresenter() {
    std::string error;
    ASSERT_TRUE(StartX11Presenter(&error)) << error;
    StartDesktopScreen();
    InstallService<Clock>(MakeSystemClock());
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

// Asks the condition, waiting between askings, until it holds or the time is up; the time is the
// clock's, not a count of askings: a condition that starts a program (xprop) can take a second to
// answer on a loaded machine, and 250 of them would outlast the test's own time limit.
template <class Condition, class Wait>
bool HoldsWithin(std::chrono::milliseconds time, Condition condition, Wait wait) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        wait();
    }
    return condition();
}

// Runs the loop (which takes the X server's events) until the condition holds, for at most 10 s
// (a window manager on a loaded machine can take seconds to answer).
template <class Condition>
bool PumpUntil(Condition condition) {
    return HoldsWithin(std::chrono::seconds(10), condition, [] { RunFor(20); });
}

// Waits up to 10 s (a loaded machine starts programs slowly) for the condition; true once it holds.
template <class Condition>
bool Within10s(Condition condition) {
    return HoldsWithin(std::chrono::seconds(10), condition, [] { usleep(50'000); });
}

// The X window of ours with that title, as xdotool finds it ("" when none).
std::string XWindowNamed(const XvfbServer& server, const std::string& title) {
    std::string id = server.Output("xdotool search --name '^" + title + "$'");
    return id.substr(0, id.find('\n'));
}

const char* kQuietClock =
    "[Dralo Software Development Ruriv - Settings File]\n"
    "[Main Settings]\nRunCount=2\nSplash=0\n"
    "[Float Window]\nX=6000\nY=4500\n"
    // no time server is asked, no clock is set
    "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";

TEST(X11WindowManager, TheFloatingClockStaysAboveAndOutOfTheTaskbarUnderOpenbox) {
    XvfbServer server;
    ASSERT_TRUE(server.running());
    WindowManagerProcess wm(server);
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

    ASSERT_NO_FATAL_FAILURE(StartPresenter());
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

// The program's own windows on a display that a window manager manages.
class X11UnderWindowManager : public testing::Test {
protected:
    explicit X11UnderWindowManager(const char* command) : command_(command), wm{server, command} {}
    void SetUp() override {
        ASSERT_TRUE(server.running());
        ASSERT_TRUE(wm.ready()) << command_ << " did not start";
        ASSERT_NO_FATAL_FAILURE(StartPresenter());
    }
    void TearDown() override { StopX11Presenter(); }

    const char* command_;
    XvfbServer server;
    WindowManagerProcess wm;
};

class X11UnderOpenbox : public X11UnderWindowManager {
protected:
    X11UnderOpenbox() : X11UnderWindowManager("openbox") {}
};

// icewm places and raises windows by rules of its own, and keeps a panel along the bottom.
class X11UnderIcewm : public X11UnderWindowManager {
protected:
    X11UnderIcewm() : X11UnderWindowManager("icewm") {}
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

// Transient for the owner it blocks, or for the program's window group (the root window) when it
// blocks every window of the program.
void ExpectModalOver(const XvfbServer& server, const ModalSeen& seen, const std::string& ownerTitle, bool overProgram) {
    const std::string transientFor = overProgram ? RootId(server) : XIdOf(server, ownerTitle);
    EXPECT_TRUE(Holds(seen.transientFor, (transientFor + "\n").c_str())) << seen.transientFor;
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
        ExpectModalOver(server, box, ownerTitle, false);
        EXPECT_TRUE(balloonUnderBox) << rootChildren;

        ModalSeen form;
        testsupport::WhileModalWaits([&] {
            form = LookAtModal(server, "OZR modal form", ownerTitle, onOwner);
            modal.Hide();
        });
        modal.Show(vbModal, &owner);
        ExpectModalOver(server, form, ownerTitle, true);
        EXPECT_FALSE(Holds(server.Output("xprop -name 'OZR modal form' _NET_WM_STATE"), "_NET_WM_STATE_MODAL"))
            << "modal no more once it stopped waiting";

        // A box of no window in particular over a window without a taskbar button (as the clock's
        // Exit question over the clock) has the desktop's keyboard focus while it waits; once it is
        // answered, that window has the focus again, not one of the window manager's choosing.
        FloatingForm floating;
        floating.Show();
        std::string floatingId;
        ASSERT_TRUE(PumpUntil([&] { return !(floatingId = XWindowNamed(server, "OZR floating form")).empty(); }));
        ASSERT_EQ(server.Run("xdotool windowactivate --sync " + floatingId), 0);
        floatingId += "\n";
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == floating.hWnd; }));
        testsupport::WhileModalWaits([&] {
            const std::string boxId = XWindowNamed(server, "OZR system box") + "\n";
            PumpUntil([&] { return server.Output("xdotool getwindowfocus") == boxId; });
            PostMessage(FindWindow("#32770", nullptr), WM_CLOSE, 0, 0);
        });
        MessageBox(HWND{}, "Some text", "OZR system box", MB_OK | MB_SYSTEMMODAL);
        EXPECT_TRUE(PumpUntil([&] { return server.Output("xdotool getwindowfocus") == floatingId; }))
            << "the keyboard focus is on " << server.Output("xdotool getwindowfocus getwindowname");
        floating.Unload();
        modal.Unload();
        owner.Unload();
    }
}

// Runs the body on a fresh X server under openbox and under icewm, which raise, focus and place
// windows by rules of their own (and, where asked, under none: a null manager).
// twoMonitors: the screen is two monitors of 1280 x 1024 side by side, the primary one on the right,
// before the window manager starts.
// primaryRight false: the primary one on the left.
void UnderEachWindowManager(const std::function<void(const XvfbServer&, const char*)>& body,
                            std::initializer_list<const char*> managers = {"openbox", "icewm"}, bool twoMonitors = false,
                            bool primaryRight = true) {
    for (const char* manager : managers) {
        SCOPED_TRACE(manager ? manager : "no window manager");
        XvfbServer server(twoMonitors ? "2560x1024" : "1280x1024");
        ASSERT_TRUE(server.running());
        ASSERT_TRUE(!twoMonitors || CutIntoTwoMonitors(server.display(), 1280, 1024, primaryRight));
        std::optional<WindowManagerProcess> wm;
        if (manager) wm.emplace(server, manager);
        ASSERT_TRUE(!wm || wm->ready()) << manager << " did not start";
        body(server, manager);
    }
}

// A box that blocks the whole program (the clock's Exit question while another window is open) is
// transient for the program's window group (the root window), under openbox and under icewm: a click on a window it
// blocks, which the window manager raises and focuses, brings the box back on top with the
// keyboard, and Enter answers the box the user sees.
TEST(X11ProgramModalBox, ComesBackOnTopWithTheKeyboardWhenABlockedWindowIsClicked) {
    UnderEachWindowManager([](const XvfbServer& server, const char*) {
        ASSERT_NO_FATAL_FAILURE(StartPresenter());
        InstallService<MessageBoxes>(MakeMessageBoxWindows());
        {
            PlainForm clock("frmClockLike", "OZR clock form", 1500), blocked("frmBlocked", "OZR blocked form", 3000);
            clock.Show();
            blocked.Show();
            std::string blockedId;
            ASSERT_TRUE(PumpUntil([&] { return !(blockedId = XWindowNamed(server, "OZR blocked form")).empty(); }));
            const std::string groupOf = "xprop -name 'OZR blocked form' WM_HINTS";
            std::string transientFor, boxGroup, blockedGroup, focus, stacking;
            bool aboveAfterClick = false;
            testsupport::WhileModalWaits([&] {
                std::string boxId;
                PumpUntil([&] { return !(boxId = XWindowNamed(server, "OZR exit question")).empty(); });
                boxId += "\n";
                PumpUntil([&] { return server.Output("xdotool getwindowfocus") == boxId; });
                transientFor = server.Output("xprop -name 'OZR exit question' WM_TRANSIENT_FOR");
                boxGroup = server.Output("xprop -name 'OZR exit question' WM_HINTS");
                blockedGroup = server.Output(groupOf);
                RECT r;
                GetWindowRect(blocked.hWnd, &r);
                server.Run("xdotool mousemove " + std::to_string(r.right - 20) + " " + std::to_string(r.bottom - 20) +
                           " click 1");
                Settle(300);
                PumpUntil([&] { return server.Output("xdotool getwindowfocus") == boxId; });
                focus = server.Output("xdotool getwindowfocus getwindowname");
                PumpUntil([&] { return StackedAbove(server, "OZR exit question", "OZR blocked form"); });
                aboveAfterClick = StackedAbove(server, "OZR exit question", "OZR blocked form");
                stacking = server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                server.Run("xdotool key Return");
            });
            const int answer = MessageBox(clock.hWnd, "Exit?", "OZR exit question", MB_YESNO | MB_SYSTEMMODAL);
            EXPECT_EQ(answer, IDYES) << "Enter answered the box";
            const auto groupLine = [](const std::string& hints) { return hints.substr(hints.find("window id")); };
            ASSERT_NE(blockedGroup.find("window id"), std::string::npos) << blockedGroup;
            ASSERT_NE(boxGroup.find("window id"), std::string::npos) << boxGroup;
            EXPECT_EQ(groupLine(boxGroup), groupLine(blockedGroup)) << "one window group";
            EXPECT_TRUE(Holds(transientFor, (RootId(server) + "\n").c_str())) << "transient for the group: " << transientFor;
            EXPECT_NE(focus.find("OZR exit question"), std::string::npos) << "the keyboard is on " << focus;
            EXPECT_TRUE(aboveAfterClick) << stacking;
            blocked.Unload();
            clock.Unload();
        }
        StopX11Presenter();
    });
}

// A form centred on the screen.
class CentredForm : public Form {
public:
    CentredForm() : Form("frmCentred") {}

protected:
    void Design() override {
        Caption = "OZR centred form";
        StartUpPosition = vbStartUpScreen;
        Move(0, 0, 6000, 4500);
    }
};

// The real clock on the second monitor when that monitor is unplugged (the monitor deleted, the
// screen shrunk): the clock comes wholly onto the monitor left, and that place is saved.
TEST(X11TwoMonitors, AClockOnAMonitorUnpluggedComesWhollyOntoTheOneLeftAndThatPlaceIsSaved) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char* manager) {
            ClockProcess clock(server, std::string("unplugged-") + (manager ? manager : "none"),
                               "[Dralo Software Development Ruriv - Settings File]\n"
                               "[Main Settings]\nRunCount=2\nSplash=0\n"
                               "[Float Window]\nX=27000\nY=4500\n[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
            std::string id, place;
            ASSERT_TRUE(Within10s([&] { return !(id = XWindowNamed(server, "OZR Ruriv Main Window")).empty(); }));
            const auto left = [&] {
                place = server.Output("xwininfo -id " + id);
                const auto at = place.find("Absolute upper-left X:");
                return at == std::string::npos ? -1 : std::atoi(place.c_str() + at + 22);
            };
            // A window manager that reads the outputs (xfwm4) sees only the monitor holding the
            // output, and keeps the clock on it from the start.
            ASSERT_TRUE(Within10s([&] { return left() == 1800 || (left() >= 0 && left() < 1280); })) << place;
            ASSERT_EQ(server.Run("xrandr --delmonitor RIGHT"), 0);
            // Xvfb refuses the smaller screen (its one output's mode is wider), but tells of the
            // screen's change all the same, as an unplug does.
            server.Run("xrandr --fb 1280x1024");
            int x = -1, width = 0;
            EXPECT_TRUE(Within10s([&] {
                x = left();
                const auto at = place.find("Width:");
                width = at == std::string::npos ? 0 : std::atoi(place.c_str() + at + 6);
                return x >= 0 && width > 0 && x + width <= 1280;
            })) << place;
            std::string saved;
            EXPECT_TRUE(Within10s([&] {
                std::ifstream in(clock.folder() / "Settings.ozrini");
                saved.assign(std::istreambuf_iterator<char>(in), {});
                return Holds(saved, ("X=" + std::to_string(x * 15) + "\r\n").c_str()) ||
                       Holds(saved, ("X=" + std::to_string(x * 15) + "\n").c_str());
            })) << x << "\n" << saved;
        },
        {nullptr, "openbox", "icewm", "xfwm4", "mutter"}, true, false);
}

// A screen cut into two monitors, the primary one on the right: the program's screen is the primary
// monitor, and what it centres on the screen (a form, a message box) lies in the middle of that
// monitor, never across the seam, on every desktop.
TEST(X11TwoMonitors, WhatIsCentredOnTheScreenLiesOnThePrimaryMonitor) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char*) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            InstallService<MessageBoxes>(MakeMessageBoxWindows());
            EXPECT_EQ(ScreenSize(), (SIZE{1280, 1024}));
            // The window's left edge on the root and its width, as xwininfo reads them.
            const auto across = [&](const std::string& title) {
                const std::string info = server.Output("xwininfo -name '" + title + "'");
                const auto value = [&](const char* key) {
                    const auto at = info.find(key);
                    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + std::strlen(key));
                };
                return std::pair<int, int>{value("Absolute upper-left X:"), value("Width:")};
            };
            const auto centredOnPrimary = [](std::pair<int, int> p) { return p.first == 1280 + (1280 - p.second) / 2; };
            {
                CentredForm form;
                form.Show();
                PumpUntil([&] { return centredOnPrimary(across("OZR centred form")); });
                EXPECT_TRUE(centredOnPrimary(across("OZR centred form"))) << across("OZR centred form").first;
                std::pair<int, int> box;
                testsupport::WhileModalWaits([&] {
                    PumpUntil([&] { return centredOnPrimary(box = across("OZR two monitors")); });
                    DestroyWindow(FindWindow("#32770", nullptr));
                });
                MessageBox(HWND{}, "On which monitor?", "OZR two monitors", MB_OK);
                EXPECT_TRUE(centredOnPrimary(box)) << box.first;
                form.Unload();
            }
            StopX11Presenter();

            // The systray clock's taskbar spans the primary monitor only.
            ClockProcess clock(server, "two-monitors",
                               "[Dralo Software Development Ruriv - Settings File]\n"
                               "[Main Settings]\nRunCount=2\nSplash=0\nSystrayClock=1\n"
                               "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
            std::string dock, place;
            for (int i = 0; i < 400 && dock.empty(); ++i) {
                for (std::string id : Lines(server.Output("xdotool search --onlyvisible --class OZRClock")))
                    if (Holds(server.Output("xprop -id " + id + " _NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_DOCK")) dock = id;
                if (dock.empty()) usleep(50'000);
            }
            ASSERT_FALSE(dock.empty()) << "the taskbar shows";
            for (int i = 0; i < 100 && !Holds(place = server.Output("xdotool getwindowgeometry --shell " + dock), "X=1280\n"); ++i)
                usleep(50'000);
            EXPECT_TRUE(Holds(place, "X=1280\n") && Holds(place, "WIDTH=1280\n")) << place;
        },
        {nullptr, "openbox", "icewm", "xfwm4", "mutter"}, true);
}

// The window that has the keyboard is minimised, by the window manager (as its taskbar or its key
// does) or, with none, by the program (its minimise box): the keyboard goes to that window's owner,
// or else to the program's frontmost window, as the classic desktop hands it on. The front window
// has the keyboard from its showing, with none too.
TEST(X11MinimisedWindow, HandsTheKeyboardToTheOwnerOrTheFrontmostWindow) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char* manager) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            FloatingForm clock;
            PlainForm other("frmOther", "OZR other form", 9000);
            clock.Show();
            other.Show();
            wintest::EnsureClass("OzrWmOwned");
            const HWND owned = wintest::MakeWindow("OzrWmOwned", "OZR owned window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                   other.hWnd, RECT{600, 500, 900, 700});
            const HWND clockWindow = clock.hWnd, otherWindow = other.hWnd;
            std::map<HWND, std::string> ids;
            for (HWND h : {clockWindow, otherWindow, owned})
                ASSERT_TRUE(PumpUntil([&] {
                    return (!manager || Holds(server.Output("xprop -name '" + GetWindowTextString(h) + "' WM_STATE"), "Normal")) &&
                           !(ids[h] = XWindowNamed(server, GetWindowTextString(h))).empty();
                }));
            auto focused = [&](HWND h) { return server.Output("xdotool getwindowfocus") == ids[h] + "\n"; };
            // The program's front window takes the keyboard as it shows, also the keyboard nobody
            // holds on a server without a window manager (keys would go to what lies under the pointer).
            EXPECT_TRUE(PumpUntil([&] { return focused(GetForegroundWindow()); }))
                << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
            // The owned window has the keyboard; minimised, its owner takes it. The owner minimised in
            // turn: no owner is left, the frontmost window takes it.
            for (const auto& step : {std::pair{owned, otherWindow}, std::pair{otherWindow, clockWindow}}) {
                const HWND minimised = step.first, heir = step.second;
                ASSERT_EQ(server.Run("xdotool windowfocus --sync " + ids[minimised]), 0);
                ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == minimised; }));
                if (manager)
                    ASSERT_EQ(server.Run("xdotool windowminimize --sync " + ids[minimised]), 0);
                else
                    ShowWindow(minimised, SW_MINIMIZE);
                EXPECT_TRUE(PumpUntil([&] { return focused(heir); }))
                    << GetWindowTextString(minimised) << " minimised, the keyboard is on "
                    << server.Output("xdotool getwindowfocus getwindowname");
            }
            DestroyWindow(owned);
            other.Unload();
            clock.Unload();
            PumpPendingWork();  // nothing of this display is left to do on the next
            StopX11Presenter();
        },
        {"openbox", "icewm", nullptr});
}

// Asks a window to close as a pager or a task list does: WM_DELETE_WINDOW sent to the window, and
// _NET_CLOSE_WINDOW sent to the window manager.
void SendCloseRequests(const XvfbServer& server, ::Window window) {
    Display* display = XOpenDisplay(server.display().c_str());
    ASSERT_TRUE(display);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    e.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = 2;  // a pager
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XCloseDisplay(display);
}

// The systray clock's taskbar, under openbox, icewm (which keeps a panel of its own at the bottom),
// xfwm4 and mutter (which kill a client whose window cannot take a close request): it lies in what
// the other panel leaves, never over it; Return chooses in its menu also after a Return whose
// release went to no window of ours; its Exit question blocks like the clock's, above the
// settings window also after a click on that; and no close request ends it (nor leaves the program
// running with no window).
TEST(X11SystrayTaskbar, KeepsClearOfOtherPanelsBlocksWithItsExitQuestionAndTakesNoCloseRequest) {
    UnderEachWindowManager([](const XvfbServer& server, const char* manager) {
        // The screen's bottom that the window manager's own panel leaves (the whole screen when it
        // keeps none), read before the taskbar reserves its own.
        const std::string area = server.Output("xprop -root _NET_WORKAREA");
        int left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(std::sscanf(area.c_str() + area.find('=') + 1, "%d, %d, %d, %d", &left, &top, &width, &height), 4) << area;
        ClockProcess clock(server, std::string("tray-") + manager,
                           "[Dralo Software Development Ruriv - Settings File]\n"
                           "[Main Settings]\nRunCount=2\nSplash=0\nSystrayClock=1\n"
                           "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
        std::string dock;
        for (int i = 0; i < 400 && dock.empty(); ++i) {
            for (std::string id : Lines(server.Output("xdotool search --onlyvisible --class OZRClock")))
                if (Holds(server.Output("xprop -id " + id + " _NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_DOCK")) dock = id;
            if (dock.empty()) usleep(50'000);
        }
        ASSERT_FALSE(dock.empty()) << "the taskbar shows";
        auto bottom = [&] {
            const std::string at = server.Output("xdotool getwindowgeometry --shell " + dock);
            auto value = [&](const char* key) { return std::atoi(at.c_str() + at.find(key) + std::strlen(key)); };
            return value("\nY=") + value("HEIGHT=");
        };
        for (int i = 0; i < 100 && bottom() != top + height; ++i) usleep(50'000);
        EXPECT_EQ(bottom(), top + height) << "the taskbar ends where the other panel begins";

        // The menu at the taskbar's clock, chosen with the keys: the taskbar's own Move Taskbar to
        // Bottom, which opens nothing, so that Return's release reaches none of our windows; then
        // Program Settings, and Exit.
        const std::string openMenu = "xdotool mousemove --window " + dock + " 1250 10 click 3 sleep 0.5 ";
        std::string settingsId, questionId;
        const auto menuShown = [&] {
            for (const std::string& id : Lines(server.Output("xdotool search --onlyvisible --class OZRClock")))
                if (id != dock && server.Output("xdotool getwindowname " + id) == "\n") return true;
            return false;
        };
        ASSERT_EQ(server.Run(openMenu + "key Up sleep 0.1 key Up sleep 0.1 key Up sleep 0.1 key Up sleep 0.1 key Return"), 0);
        ASSERT_TRUE(Within10s([&] { return !menuShown(); }));
        ASSERT_EQ(server.Run(openMenu + "key Down sleep 0.1 key Return"), 0);
        ASSERT_TRUE(Within10s([&] {
            settingsId = XWindowNamed(server, "OZR Ruriv Program Settings");
            return !settingsId.empty() && server.Output("xdotool getwindowfocus") == settingsId + "\n";
        }));
        ASSERT_EQ(server.Run(openMenu + "key Down sleep 0.1 key Down sleep 0.1 key Down sleep 0.1 key Down sleep 0.1 key Down "
                                        "sleep 0.1 key Return"),
                  0);
        ASSERT_TRUE(Within10s([&] { return !(questionId = XWindowNamed(server, "OZR Ruriv - Question")).empty(); }));
        const auto questionOnTop = [&] {
            return StackedAbove(server, "OZR Ruriv - Question", "OZR Ruriv Program Settings") &&
                   Holds(server.Output("xwininfo -id " + questionId), "IsViewable") &&
                   server.Output("xdotool getwindowfocus") == questionId + "\n";
        };
        // A click on the settings window's body beside the question, then on its title bar.
        for (const char* at : {" 100 420", " 300 12"}) {
            SCOPED_TRACE(at);
            ASSERT_EQ(server.Run("xdotool mousemove --window " + settingsId + at + " click 1"), 0);
            EXPECT_TRUE(Within10s(questionOnTop)) << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname")
                                                  << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
            usleep(500'000);
            EXPECT_TRUE(questionOnTop()) << "and stays";
        }
        ASSERT_EQ(server.Run("xdotool key n"), 0);
        EXPECT_TRUE(Within10s([&] { return XWindowNamed(server, "OZR Ruriv - Question").empty(); })) << "No answered it";

        server.Run("wmctrl -i -c " + dock);
        SendCloseRequests(server, std::strtoul(dock.c_str(), nullptr, 10));
        usleep(1'000'000);
        EXPECT_TRUE(Holds(server.Output("xwininfo -id " + dock), "IsViewable")) << "the taskbar stays, its clock runs on";
        int status = 0;
        EXPECT_FALSE(clock.WaitForEnd(&status, 0)) << "the program ended with status " << status;
    }, {"openbox", "icewm", "xfwm4", "mutter"});
}

// Two copies of the program from two folders, both with the systray clock: one taskbar shows, at
// the screen's bottom, and stays there (each would otherwise keep clear of the other's reserved
// edge and climb over it without end); the second copy's log says that it waits, and its taskbar
// takes the bottom once the first copy has ended.
TEST(X11SystrayTaskbar, ASecondCopyWaitsForTheFirstCopysTaskbarToGo) {
    UnderEachWindowManager([](const XvfbServer& server, const char*) {
        const std::string settings = "[Dralo Software Development Ruriv - Settings File]\n"
                                     "[Main Settings]\nRunCount=2\nSplash=0\nSystrayClock=1\n"
                                     "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n"
                                     "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n";
        const auto docks = [&] {
            std::vector<std::string> found;
            for (const std::string& id : Lines(server.Output("xdotool search --onlyvisible --class OZRClock")))
                if (Holds(server.Output("xprop -id " + id + " _NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE_DOCK")) found.push_back(id);
            return found;
        };
        const auto bottomOf = [&](const std::string& id) {
            const std::string at = server.Output("xdotool getwindowgeometry --shell " + id);
            auto value = [&](const char* key) { return std::atoi(at.c_str() + at.find(key) + std::strlen(key)); };
            return value("\nY=") + value("HEIGHT=");
        };
        const auto oneDockAtTheBottom = [&] {
            const std::vector<std::string> shown = docks();
            return shown.size() == 1 && bottomOf(shown[0]) == 1024;
        };
        ClockProcess first(server, "tray-first", settings);
        ASSERT_TRUE(Within10s(oneDockAtTheBottom));
        ClockProcess second(server, "tray-second", settings);
        const auto secondLog = [&] {
            std::ifstream file(second.folder() / "!debug.dump");
            return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        };
        ASSERT_TRUE(Within10s([&] { return Holds(secondLog(), "another copy of the program shows its own taskbar"); }));
        for (int i = 0; i < 10; ++i, usleep(100'000)) EXPECT_TRUE(oneDockAtTheBottom()) << i;
        first.Signal(SIGTERM);
        int status = 0;
        ASSERT_TRUE(first.WaitForEnd(&status));
        EXPECT_TRUE(Within10s(oneDockAtTheBottom)) << "the second copy's taskbar takes the bottom";
    }, {"openbox"});
}

// Alt+F4 of the window manager is its close request: on the clock it is Quit, which saves the
// settings and ends the program; a new start then shows the clock again.
TEST_F(X11UnderOpenbox, TheWindowManagersCloseEndsTheClockAndANewStartRuns) {
    ClockProcess clock(server, "openbox-close", kQuietClock);
    std::string id;
    for (int i = 0; i < 100 && (id = XWindowNamed(server, "OZR Ruriv Main Window")).empty(); ++i) usleep(50'000);
    ASSERT_FALSE(id.empty());
    // Moved by the window manager, the clock keeps its new place: saved within a second, and
    // where the next start shows it.
    ASSERT_EQ(server.Run("xdotool windowmove --sync " + id + " 300 200"), 0);
    auto placeSaved = [&] {
        std::ifstream file(clock.folder() / "Settings.ozrini");
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    };
    for (int i = 0; i < 100 && placeSaved().find("X=4500") == std::string::npos; ++i) usleep(50'000);
    EXPECT_NE(placeSaved().find("X=4500"), std::string::npos) << placeSaved();
    EXPECT_NE(placeSaved().find("Y=3000"), std::string::npos) << placeSaved();
    ASSERT_EQ(server.Run("xdotool windowactivate --sync " + id + " key alt+F4"), 0);
    int status = -1;
    ASSERT_TRUE(clock.WaitForEnd(&status) && WIFEXITED(status)) << "the clock did not end";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream saved(clock.folder() / "Settings.ozrini");
    const std::string settings((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(settings.find("PopupHelpDelay="), std::string::npos) << "Quit saved the settings: " << settings;

    clock.StartAgain(server);
    for (int i = 0; i < 100 && (id = XWindowNamed(server, "OZR Ruriv Main Window")).empty(); ++i) usleep(50'000);
    ASSERT_FALSE(id.empty()) << "the new start shows the clock";
    std::string place;
    for (int i = 0; i < 40 && !Holds(place = server.Output("xdotool getwindowgeometry --shell " + id), "X=300\nY=200"); ++i)
        usleep(50'000);
    EXPECT_TRUE(Holds(place, "X=300\nY=200")) << place;
}

// Minimised, a window stays the window manager's client (iconic, listed), and the desktop's restore
// reaches the program; the caption's drag is the window manager's move.
TEST_F(X11UnderOpenbox, AMinimisedWindowStaysAClientAndTheCaptionMovesByTheWindowManager) {
    {
        PlainForm form("frmPlain", "OZR plain form", 1500);
        form.Show();
        std::string id;
        ASSERT_TRUE(PumpUntil([&] { return !(id = XWindowNamed(server, "OZR plain form")).empty(); }));
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx", std::strtoul(id.c_str(), nullptr, 10));
        auto state = [&] { return server.Output("xprop -id " + id + " WM_STATE"); };
        auto listed = [&] { return Holds(server.Output("xprop -root _NET_CLIENT_LIST"), hex); };
        ASSERT_TRUE(PumpUntil([&] { return Holds(state(), "Normal"); }))
            << id << ": " << state() << server.Output("xwininfo -id " + id) << server.Output("xprop -root");

        form.WindowState = vbMinimized;
        EXPECT_TRUE(PumpUntil([&] { return Holds(state(), "Iconic"); })) << state();
        EXPECT_TRUE(listed());
        ASSERT_EQ(server.Run("xdotool windowactivate " + id), 0);  // as a taskbar restores it
        EXPECT_TRUE(PumpUntil([&] { return !IsIconic(form.hWnd); }));
        EXPECT_TRUE(Holds(state(), "Normal"));
        form.WindowState = vbMinimized;
        EXPECT_TRUE(PumpUntil([&] { return Holds(state(), "Iconic"); })) << state();
        form.WindowState = vbNormal;
        EXPECT_TRUE(PumpUntil([&] { return Holds(state(), "Normal"); })) << state();

        // 100, 100, 200 x 133 pixels with a thick frame of 4: the caption is at y 104 to 121.
        ASSERT_TRUE(PumpUntil([&] { return !Holds(server.Output("xwininfo -id " + id), "IsUnMapped"); }));
        // The loop runs meanwhile: the press must reach the program while the button is down.
        std::system(("DISPLAY=" + server.display() +
                     " timeout 10 xdotool mousemove 150 112 mousedown 1 sleep 0.3 mousemove 200 150 sleep 0.2 "
                     "mousemove 250 192 sleep 0.3 mouseup 1 >/dev/null 2>&1 &")
                        .c_str());
        RECT r{};
        EXPECT_TRUE(PumpUntil([&] { return GetWindowRect(form.hWnd, &r) && r.left == 200 && r.top == 180; }))
            << r.left << "," << r.top;
        form.Unload();
    }
}

// Another program's window, "OZR other program", shown at that place on the test's display
// through a connection of its own, which also serves to watch our windows.
class OtherProgramWindow {
public:
    OtherProgramWindow(const XvfbServer& server, int x, int y) : display_(XOpenDisplay(server.display().c_str())) {
        if (!display_) return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, 200, 100, 0, 0, 0);
        XStoreName(display_, window_, "OZR other program");
        XMapWindow(display_, window_);
        XFlush(display_);
    }
    ~OtherProgramWindow() {
        if (!display_) return;
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    Display* display() const { return display_; }

private:
    Display* display_;
    ::Window window_ = 0;
};

// Keys go where the window manager put the focus, and the modifier keys are as each event says:
// an Alt released over another program leaves none held.
TEST_F(X11UnderOpenbox, KeysFollowTheWindowManagersFocusAndEachEventsModifiers) {
    OtherProgramWindow other(server, 900, 100);
    ASSERT_TRUE(other.display());
    {
        TypingForm typing;
        PlainForm plain("frmPlain", "OZR plain form", 9000);
        typing.Show();
        plain.Show();
        std::string typingId, otherId;
        ASSERT_TRUE(PumpUntil([&] {
            typingId = XWindowNamed(server, "OZR typing form");
            otherId = XWindowNamed(server, "OZR other program");
            return !typingId.empty() && !otherId.empty();
        }));
        ASSERT_EQ(GetActiveWindow(), plain.hWnd);
        // The window manager has taken both on, and what the program asked of it is done.
        ASSERT_TRUE(PumpUntil([&] {
            return Holds(server.Output("xprop -id " + typingId + " WM_STATE"), "Normal") &&
                   Holds(server.Output("xprop -name 'OZR plain form' WM_STATE"), "Normal");
        }));
        RunFor(300);
        ASSERT_EQ(server.Run("xdotool windowactivate --sync " + typingId), 0);
        EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == typing.hWnd; })) << "the window manager's focus";
        typing.txtName.SetFocus();
        ASSERT_EQ(server.Run("xdotool keydown alt"), 0);
        PumpUntil([] { return (GetKeyState(VK_MENU) & 0x8000) != 0; });
        ASSERT_EQ(server.Run("xdotool windowactivate --sync " + otherId + " keyup alt sleep 0.2 windowactivate --sync " +
                             typingId + " sleep 0.2 type ab"),
                  0);
        EXPECT_TRUE(PumpUntil([&] { return typing.txtName.Text == std::string("ab"); }))
            << "typed: \"" << std::string(typing.txtName.Text) << "\"";
        plain.Unload();
        typing.Unload();
    }
}

// Enter held on a question answers it once: when the question's window is gone its repeats
// press nothing in the window the keyboard goes back to. A key whose release went to another
// program counts as up there: its next press on a button presses it.
TEST_F(X11UnderOpenbox, AHeldEnterAnswersAQuestionOnceAndAKeyReleasedElsewhereIsUp) {
    InstallService<MessageBoxes>(MakeMessageBoxWindows());
    OtherProgramWindow other(server, 900, 100);
    ASSERT_TRUE(other.display());
    struct AskingForm : Form {
        AskingForm() : Form("frmAsking") {
            cmdAsk.Click = [this] { answers.push_back(MessageBox(hWnd, "Delete?", "OZR question", MB_YESNO | MB_SYSTEMMODAL)); };
            cmdCount.Click = [this] { ++counted; };
        }
        CommandButton cmdAsk{this, "cmdAsk"};
        CommandButton cmdCount{this, "cmdCount"};
        std::vector<int> answers;
        int counted = 0;
        void Design() override {
            Caption = "OZR asking form";
            Move(1500, 6000, 4500, 1500);
            cmdAsk.Move(150, 150, 1500, 450);
            cmdCount.Move(1800, 150, 1500, 450);
        }
    } form;
    form.Show();
    std::string formId, otherId;
    ASSERT_TRUE(PumpUntil([&] {
        formId = XWindowNamed(server, "OZR asking form");
        otherId = XWindowNamed(server, "OZR other program");
        return !formId.empty() && !otherId.empty();
    }));
    ASSERT_EQ(server.Run("xdotool windowactivate --sync " + formId), 0);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form.hWnd; }));
    RECT r;
    GetWindowRect(form.cmdAsk.hWnd, &r);
    testsupport::WhileModalWaits([&] { server.Run("sh -c 'sleep 0.3; xdotool keydown Return sleep 1.5 keyup Return' &"); });
    ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(r.left + 10) + " " + std::to_string(r.top + 10) + " click 1"), 0);
    ASSERT_TRUE(PumpUntil([&] { return !form.answers.empty(); }));
    Settle(2500);
    EXPECT_EQ(form.answers, (std::vector<int>{IDYES}));

    form.cmdCount.SetFocus();
    Settle(100);
    ASSERT_EQ(server.Run("xdotool keydown Return"), 0);
    ASSERT_TRUE(PumpUntil([&] { return form.counted == 1; }));
    ASSERT_EQ(server.Run("xdotool windowactivate --sync " + otherId + " keyup Return sleep 0.2 windowactivate --sync " + formId),
              0);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form.hWnd; }));
    Settle(200);
    ASSERT_EQ(server.Run("xdotool key Return"), 0);
    EXPECT_TRUE(PumpUntil([&] { return form.counted == 2; })) << "the press after a release elsewhere presses the button";
    EXPECT_EQ(form.answers.size(), 1u);
    form.Unload();
}

// The program end to end: with the splash showing, F2 on the clock closes it and opens the
// settings window; the settings window's Cancel gives the keyboard back to the clock; in systray
// mode the taskbar menu is chosen with the arrows and Enter.
TEST_F(X11UnderOpenbox, TheClocksKeysReachItPastTheSplashAndTheTaskbarMenuTakesTheKeyboard) {
    auto waitFor = [&](const std::string& title) {
        std::string id;
        for (int i = 0; i < 100 && (id = XWindowNamed(server, title)).empty(); ++i) usleep(50'000);
        return id;
    };
    {
        // The clock in the middle of the screen, where the first run puts it: under the tip of the
        // day, in the part that shows the tip's colour key.
        ClockProcess clock(server, "openbox-splash",
                           "[Dralo Software Development Ruriv - Settings File]\n"
                           "[Main Settings]\nRunCount=2\nSplash=1\n[Float Window]\nX=9600\nY=7680\n"
                           "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
        const std::string id = waitFor("OZR Ruriv Main Window");
        ASSERT_FALSE(id.empty());
        // The splash and the tip of the day over it (both "OZR Ruriv") are up, the tip active.
        auto greetingWindows = [&] {
            const std::string ids = server.Output("xdotool search --name '^OZR Ruriv$'");
            return std::count(ids.begin(), ids.end(), '\n');
        };
        for (int i = 0; i < 100 && greetingWindows() < 2; ++i) usleep(50'000);
        usleep(300'000);
        // A click on the clock through the tip's clear part is the clock's: the keys reach it.
        ASSERT_EQ(server.Run("xdotool windowactivate --sync " + id + " mousemove 672 520 click 1 sleep 0.2 key F2"), 0);
        const std::string settings = waitFor("OZR Ruriv Program Settings");
        ASSERT_FALSE(settings.empty());

        // Cancel: the desktop's keyboard focus goes back to the clock with the program's, and F2
        // works again without a click.
        const std::string at = server.Output("xdotool getwindowgeometry --shell " + settings);
        auto value = [&](const char* key) { return std::atoi(at.c_str() + at.find(key) + std::strlen(key)); };
        const int cancelX = value("X=") + 147 + 36, cancelY = value("Y=") + 437 + 11;
        ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(cancelX) + " " + std::to_string(cancelY) + " click 1"), 0);
        std::string focus;
        for (int i = 0; i < 100 && !XWindowNamed(server, "OZR Ruriv Program Settings").empty(); ++i) usleep(50'000);
        for (int i = 0; i < 40 && (focus = server.Output("xdotool getwindowfocus")) != id + "\n"; ++i) usleep(50'000);
        EXPECT_EQ(focus, id + "\n") << "the keyboard focus is on " << server.Output("xdotool getwindowfocus getwindowname");
        ASSERT_EQ(server.Run("xdotool key F2"), 0);
        EXPECT_FALSE(waitFor("OZR Ruriv Program Settings").empty()) << "F2 after Cancel";
    }
    {
        ClockProcess clock(server, "openbox-tray",
                           "[Dralo Software Development Ruriv - Settings File]\n"
                           "[Main Settings]\nRunCount=2\nSplash=0\nSystrayClock=1\n"
                           "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
        // In systray mode the clock's own window stays hidden: the taskbar is what appears.
        for (int i = 0; i < 100 && server.Output("xdotool search --class OZRClock").empty(); ++i) usleep(50'000);
        usleep(1'000'000);  // the taskbar clock has its labels
        // The taskbar lies along the bottom, its clock at the right end.
        ASSERT_EQ(server.Run("xdotool mousemove 1250 1005 click 3 sleep 0.5 key Down sleep 0.1 key Down sleep 0.1 "
                             "key Return"),
                  0);
        EXPECT_FALSE(waitFor("OZR Ruriv Program Settings").empty()) << "Alarm Management was chosen";
    }
}

// A top-level window with a framed look and a child control in it; what reaches each is logged.
std::pair<HWND, HWND> FramedWindowWithPart(const char* title, RECT place, RECT part) {
    const HWND top = wintest::MakeWindow("OzrWmFramed", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND{}, place);
    return {top, wintest::MakeWindow("OzrWmPart", "", WS_CHILD | WS_VISIBLE, top, part)};
}

// Moves and raises the window manager makes by its own rules are where the windows are for the
// program too: a click lands on the window and the control that show under the pointer.
TEST_F(X11UnderOpenbox, TheWindowManagersMovesAndRaisesAreWhereClicksLand) {
    const auto framedA = FramedWindowWithPart("OZR window A", RECT{100, 100, 400, 300}, RECT{160, 40, 280, 120});
    const auto framedB = FramedWindowWithPart("OZR window B", RECT{600, 100, 900, 300}, RECT{10, 10, 60, 40});
    const HWND a = framedA.first, aPart = framedA.second, b = framedB.first, bPart = framedB.second;
    for (const char* title : {"OZR window A", "OZR window B"})
        ASSERT_TRUE(PumpUntil([&] { return Holds(server.Output("xprop -name '" + std::string(title) + "' WM_STATE"), "Normal"); }));
    Settle(300);
    // Alt+drag: openbox moves A by (350, 50), under B's left part.
    ASSERT_EQ(server.Run("xdotool mousemove 200 250 keydown alt mousedown 1 sleep 0.2 mousemove 375 275 sleep 0.2 "
                         "mousemove 550 300 sleep 0.3 mouseup 1 keyup alt"),
              0);
    RECT r{};
    EXPECT_TRUE(PumpUntil([&] { return GetWindowRect(a, &r) && r == (RECT{450, 150, 750, 350}); }))
        << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    POINT onPart{220, 80};
    ClientToScreen(a, &onPart);  // over B's place
    // Raised and lowered by clicks on their uncovered parts, the one on top there takes the click.
    for (const auto& click : {std::tuple{a, POINT{500, 340}, aPart}, std::tuple{b, POINT{880, 200}, b}}) {
        const HWND clicked = std::get<0>(click), taker = std::get<2>(click);
        const POINT at = std::get<1>(click);
        const HWND other = clicked == a ? b : a;
        ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1"), 0);
        EXPECT_TRUE(PumpUntil([&] { return StackedAbove(server, clicked == a ? "OZR window A" : "OZR window B",
                                                        clicked == a ? "OZR window B" : "OZR window A"); }));
        EXPECT_TRUE(PumpUntil([&] { return GetTopLevel(WindowFromPoint(onPart)) == clicked; }));
        wintest::Log().clear();
        ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(onPart.x) + " " + std::to_string(onPart.y) + " click 1"), 0);
        EXPECT_TRUE(PumpUntil([&] { return wintest::GotMessage(taker, WM_LBUTTONUP); })) << "on top: " << GetWindowTextString(clicked);
        EXPECT_FALSE(wintest::GotMessage(other, WM_LBUTTONDOWN));
    }
    DestroyWindow(a);
    DestroyWindow(b);
    (void)bPart;
}

// The window manager's maximise is followed (size, state, a whole new picture, live buttons); the
// program's maximise asks the window manager, fills the work area its panel leaves, and restores.
TEST_F(X11UnderIcewm, TheWindowManagersMaximiseIsFollowedAndTheProgramsFillsTheWorkArea) {
    wintest::EnsureClass("OzrWmFramed");
    const HWND w = wintest::MakeWindow("OzrWmFramed", "OZR maximised", WS_OVERLAPPEDWINDOW, HWND{}, RECT{100, 100, 500, 300});
    wintest::Reactions()[w.id()] = wintest::PaintsIn(RGB(255, 0, 0));
    ShowWindow(w, SW_SHOW);
    std::string id;
    ASSERT_TRUE(PumpUntil([&] { return Holds(server.Output("xprop -name 'OZR maximised' WM_STATE"), "Normal"); }));
    id = XWindowNamed(server, "OZR maximised");
    Settle(300);
    const RECT normal = [&] { RECT r; GetWindowRect(w, &r); return r; }();
    ASSERT_TRUE(PumpUntil([&] { return WorkArea().bottom < 1024; })) << "icewm's panel leaves less than the screen";
    const RECT area = WorkArea();

    RECT r{};
    auto at = [&](const RECT& wanted) { return PumpUntil([&] { return GetWindowRect(w, &r) && r == wanted; }); };
    ShowWindow(w, SW_MAXIMIZE);
    std::string states = StatesOnceSettled(server, "OZR maximised", "_NET_WM_STATE_MAXIMIZED_HORZ", true);
    EXPECT_TRUE(Holds(states, "_NET_WM_STATE_MAXIMIZED_VERT")) << states;
    EXPECT_TRUE(at(area)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    Settle(300);
    EXPECT_TRUE(IsZoomed(w)) << "the program's maximise stays";
    ShowWindow(w, SW_RESTORE);
    states = StatesOnceSettled(server, "OZR maximised", "_NET_WM_STATE_MAXIMIZED_HORZ", false);
    EXPECT_FALSE(Holds(states, "_NET_WM_STATE_MAXIMIZED_VERT")) << states;
    EXPECT_TRUE(at(normal)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;

    ASSERT_EQ(server.Run("wmctrl -i -r " + id + " -b add,maximized_vert,maximized_horz"), 0);
    EXPECT_TRUE(at(area)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(w) != 0; }));
    Settle(300);
    Display* probe = XOpenDisplay(server.display().c_str());
    ASSERT_TRUE(probe);
    XImage* image = XGetImage(probe, std::strtoul(id.c_str(), nullptr, 10), area.width() - 30, area.height() - 30, 1, 1,
                              AllPlanes, ZPixmap);
    ASSERT_TRUE(image);
    EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFF, 0xFF0000u) << "the new part is painted";
    XDestroyImage(image);
    XCloseDisplay(probe);
    // The close box, at the right end of the caption, closes it.
    const POINT close{area.right - 14, area.top + 13};
    ASSERT_EQ(SendMessage(w, WM_NCHITTEST, 0, MakePointParam(close.x, close.y)), HTCLOSE);
    ASSERT_EQ(server.Run("xdotool mousemove " + std::to_string(close.x) + " " + std::to_string(close.y) + " click 1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(w); }));
}

// The floating clock (topmost, out of the task list) is never marked as asking for attention, so
// icewm never lists it: not when the program brings it to the front as a window that has the
// keyboard closes, nor while the user works in another program.
TEST_F(X11UnderIcewm, TheFloatingClockNeverAsksForAttention) {
    OtherProgramWindow other(server, 900, 500);
    ASSERT_TRUE(other.display());
    {
        FloatingForm clock;
        clock.Show();
        SetWindowPos(clock.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        std::string clockId, otherId;
        ASSERT_TRUE(PumpUntil([&] {
            clockId = XWindowNamed(server, "OZR floating form");
            otherId = XWindowNamed(server, "OZR other program");
            return !clockId.empty() && !otherId.empty() &&
                   Holds(server.Output("xprop -name 'OZR floating form' WM_STATE"), "Normal");
        }));
        // Every state the clock takes on the way, read as it changes.
        const ::Window clockWindow = std::strtoul(clockId.c_str(), nullptr, 10);
        XSelectInput(other.display(), clockWindow, PropertyChangeMask);
        std::string seen;
        auto watch = [&] {
            XSync(other.display(), False);
            while (XPending(other.display())) {
                XEvent e;
                XNextEvent(other.display(), &e);
                if (e.type == PropertyNotify) seen += server.Output("xprop -id " + clockId + " _NET_WM_STATE");
            }
        };
        for (const bool userElsewhere : {false, true}) {
            SCOPED_TRACE(userElsewhere ? "the user works in another program" : "the closed window had the keyboard");
            // Topmost as the settings windows are, over the clock.
            PlainForm settings("frmSettingsLike", "OZR settings form", 4500);
            settings.Show();
            SetWindowPos(settings.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            ASSERT_TRUE(PumpUntil([&] { return Holds(server.Output("xprop -name 'OZR settings form' WM_STATE"), "Normal"); }));
            ASSERT_EQ(server.Run("xdotool windowactivate --sync " + (userElsewhere ? otherId : XWindowNamed(server, "OZR settings form"))), 0);
            Settle(300);
            watch();
            seen.clear();
            // The program brings the clock to the front as it closes the window (as the settings
            // window's Cancel does).
            BringWindowToTop(clock.hWnd);
            settings.Unload();
            for (int i = 0; i < 75; ++i) {
                RunFor(20);
                watch();
            }
            EXPECT_FALSE(Holds(seen, "_NET_WM_STATE_DEMANDS_ATTENTION")) << seen;
            const std::string states = server.Output("xprop -id " + clockId + " _NET_WM_STATE");
            EXPECT_TRUE(Holds(states, "_NET_WM_STATE_SKIP_TASKBAR")) << states;
            EXPECT_FALSE(Holds(states, "_NET_WM_STATE_DEMANDS_ATTENTION")) << states;
        }
        clock.Unload();
    }
}

// On every desktop, also those that keep new windows from taking the keyboard from the user's work
// and stack by layers (xfwm4, mutter): a window the program shows while the user works in another
// program's window, over the topmost floating clock, comes up above that window and leaves the
// keyboard there; a click gives it the keyboard, and it gives it back as it goes;
// the window manager's maximise leaves the floating clock at its size, which it gives as its only
// size.
TEST(X11EveryDesktop, AWindowShownOverTheTopmostClockIsSeenAndTheClockKeepsItsSize) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char*) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            {
                OtherProgramWindow other(server, 400, 100);
                ASSERT_TRUE(other.display());
                FloatingForm clock;
                clock.Show();
                SetWindowPos(clock.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                std::string clockId, otherId;
                ASSERT_TRUE(PumpUntil([&] {
                    clockId = XWindowNamed(server, "OZR floating form");
                    otherId = XWindowNamed(server, "OZR other program");
                    return !clockId.empty() && !otherId.empty() &&
                           Holds(server.Output("xprop -name 'OZR floating form' _NET_WM_STATE"), "_NET_WM_STATE_ABOVE");
                }));
                // A click gives it the keyboard (an activation without a time may reach a busy window
                // manager after the program's own, and win over it).
                server.Run("xdotool mousemove --window " + otherId + " 150 60 click 1");
                ASSERT_TRUE(PumpUntil([&] { return server.Output("xdotool getwindowfocus") == otherId + "\n"; }));
                // As an alarm fires: over the clock and over the other program's window, whose
                // keyboard it leaves there until a click gives it to the alarm; closed, it gives
                // the keyboard back.
                PlainForm alarm("frmAlarmLike", "OZR alarm form", 4500);
                alarm.Show();
                std::string alarmId;
                const auto focusOn = [&](const std::string& id) { return server.Output("xdotool getwindowfocus") == id + "\n"; };
                EXPECT_TRUE(PumpUntil([&] {
                    alarmId = XWindowNamed(server, "OZR alarm form");
                    return !alarmId.empty() && StackedAbove(server, "OZR alarm form", "OZR other program");
                })) << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                RunFor(500);
                EXPECT_TRUE(focusOn(otherId)) << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
                EXPECT_EQ(GetForegroundWindow(), HWND{}) << "none of ours is in front while another program has the keyboard";
                server.Run("xdotool mousemove --window " + alarmId + " 100 60 click 1");
                EXPECT_TRUE(PumpUntil([&] { return focusOn(alarmId) && GetForegroundWindow() == alarm.hWnd; }))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
                alarm.Hide();
                EXPECT_TRUE(PumpUntil([&] { return focusOn(otherId) && GetForegroundWindow() == HWND{}; }))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
                // Fired while a window of ours has the keyboard, it takes it and gives it back to
                // that window as it goes, not to the frontmost of ours (the topmost clock).
                PlainForm mine("frmMineLike", "OZR own form", 9000);
                mine.Show();
                std::string mineId;
                ASSERT_TRUE(PumpUntil([&] { return Holds(server.Output("xprop -name 'OZR own form' WM_STATE"), "Normal"); }));
                mineId = XWindowNamed(server, "OZR own form");
                Settle(300);
                server.Run("xdotool mousemove --window " + mineId + " 100 60 click 1");
                ASSERT_TRUE(PumpUntil([&] { return focusOn(mineId) && GetForegroundWindow() == mine.hWnd; }));
                alarm.Show();
                EXPECT_TRUE(PumpUntil([&] { return focusOn(alarmId) && GetForegroundWindow() == alarm.hWnd; }))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
                alarm.Hide();
                EXPECT_TRUE(PumpUntil([&] { return focusOn(mineId) && GetForegroundWindow() == mine.hWnd; }))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname");
                mine.Unload();

                RECT before{}, now{};
                GetWindowRect(clock.hWnd, &before);
                const std::string hints = server.Output("xprop -name 'OZR floating form' WM_NORMAL_HINTS");
                EXPECT_TRUE(Holds(hints, "program specified maximum size: 150 by 50")) << hints;
                server.Run("wmctrl -i -r " + clockId + " -b add,maximized_vert,maximized_horz");
                Settle(500);
                EXPECT_FALSE(PumpUntil([&] { return GetWindowRect(clock.hWnd, &now) && !(now == before); }))
                    << now.left << "," << now.top << " " << now.right << "," << now.bottom;
                EXPECT_FALSE(IsZoomed(clock.hWnd));
                alarm.Unload();
                clock.Unload();
            }
            PumpPendingWork();
            StopX11Presenter();
        },
        {"openbox", "icewm", "xfwm4", "mutter"});
}

// On every desktop: a window shown while the topmost settings window has the keyboard (an alarm
// that fires) comes up above it with the keyboard and stays there while the user types into it;
// keys go to the window the server gave them to, also where the program took another as active.
TEST(X11EveryDesktop, AWindowShownOverTheTopmostSettingsWindowStaysAboveItAndTakesTheKeysTypedInIt) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char*) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            {
                struct SettingsLike : Form {
                    SettingsLike() : Form("frmSettingsLike") { cmdRow.Click = [this] { ++pressed; }; }
                    CommandButton cmdRow{this, "cmdRow"};
                    int pressed = 0;
                    void Design() override {
                        Caption = "OZR settings form";
                        Move(1500, 1500, 9000, 6000);
                        cmdRow.Move(150, 150, 1500, 450);
                    }
                } settings;
                settings.Show();
                SetWindowPos(settings.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                std::string settingsId;
                ASSERT_TRUE(PumpUntil([&] { return !(settingsId = XWindowNamed(server, "OZR settings form")).empty(); }));
                server.Run("xdotool mousemove --window " + settingsId + " 400 300 click 1");
                settings.cmdRow.SetFocus();
                ASSERT_TRUE(PumpUntil([&] {
                    return server.Output("xdotool getwindowfocus") == settingsId + "\n" && GetForegroundWindow() == settings.hWnd;
                }));
                RunFor(300);  // the click's press and release are in
                PlainForm alarm("frmAlarmLike", "OZR alarm form", 4500);
                alarm.Show();
                std::string alarmId;
                const auto alarmOnTopWithKeyboard = [&] {
                    alarmId = XWindowNamed(server, "OZR alarm form");
                    return !alarmId.empty() && server.Output("xdotool getwindowfocus") == alarmId + "\n" &&
                           StackedAbove(server, "OZR alarm form", "OZR settings form");
                };
                EXPECT_TRUE(PumpUntil(alarmOnTopWithKeyboard))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname")
                    << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                // The program takes the settings window as active, unknown to the window manager:
                // the keys the server gives the alarm reach the alarm all the same.
                WindowManagerFocus(settings.hWnd);
                server.Run("xdotool key Return sleep 0.1 key space sleep 0.1 key Delete sleep 0.1 key Down");
                RunFor(600);
                EXPECT_EQ(settings.pressed, 0) << "a key typed into the alarm pressed the settings window's button";
                EXPECT_EQ(GetForegroundWindow(), alarm.hWnd);
                EXPECT_TRUE(alarmOnTopWithKeyboard()) << "after the keys too"
                                                      << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                alarm.Unload();
                settings.Unload();
            }
            PumpPendingWork();
            StopX11Presenter();
        },
        {"openbox", "mutter", "icewm", "xfwm4"});
}

// A window offers the window manager's maximise only when it has its maximise box, and a fullscreen
// (which mutter makes of a frameless window maximised to the screen's size, by its own box or by
// the window manager) is followed as a maximise: the restore box ends it and brings the window's
// place back.
TEST(X11EveryDesktop, AWindowOffersMaximiseOnlyWithItsBoxAndFollowsAFullscreenAsAMaximise) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char*) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            const HWND boxed = wintest::MakeWindow("OzrWmFramed", "OZR with its box", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                   HWND{}, RECT{100, 100, 500, 300});
            const HWND plain = wintest::MakeWindow("OzrWmFramed", "OZR without a box", WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                                   HWND{}, RECT{600, 100, 900, 300});
            std::string id;
            for (const char* title : {"OZR with its box", "OZR without a box"})
                ASSERT_TRUE(PumpUntil([&] { return Holds(server.Output(std::string("xprop -name '") + title + "' WM_STATE"), "Normal"); }));
            id = XWindowNamed(server, "OZR with its box");
            // Functions and decorations given; move, close, size, minimise and maximise, or move and close.
            EXPECT_TRUE(Holds(server.Output("xprop -name 'OZR with its box' _MOTIF_WM_HINTS"), "= 0x3, 0x3e,"));
            EXPECT_TRUE(Holds(server.Output("xprop -name 'OZR without a box' _MOTIF_WM_HINTS"), "= 0x3, 0x24,"));
            Settle(300);
            const RECT normal = [&] { RECT r; GetWindowRect(boxed, &r); return r; }();
            RECT r{};
            const auto restoredWithoutFullscreen = [&] {
                const std::string states = server.Output("xprop -name 'OZR with its box' _NET_WM_STATE");
                return !IsZoomed(boxed) && GetWindowRect(boxed, &r) && r == normal && !Holds(states, "_NET_WM_STATE_FULLSCREEN") &&
                       !Holds(states, "_NET_WM_STATE_MAXIMIZED_VERT");
            };
            for (const bool byTheWindowManager : {false, true}) {
                SCOPED_TRACE(byTheWindowManager ? "the window manager's fullscreen" : "its own maximise box");
                if (byTheWindowManager)
                    ASSERT_EQ(server.Run("wmctrl -i -r " + id + " -b add,fullscreen"), 0);
                else
                    ShowWindow(boxed, SW_MAXIMIZE);
                EXPECT_TRUE(PumpUntil([&] { return IsZoomed(boxed) != 0; })) << "followed as a maximise";
                Settle(300);
                ShowWindow(boxed, SW_RESTORE);
                EXPECT_TRUE(PumpUntil(restoredWithoutFullscreen))
                    << r.left << "," << r.top << " " << r.right << "," << r.bottom
                    << server.Output("xprop -name 'OZR with its box' _NET_WM_STATE");
            }
            DestroyWindow(boxed);
            DestroyWindow(plain);
            PumpPendingWork();
            StopX11Presenter();
        },
        {"openbox", "icewm", "xfwm4", "mutter"});
}

// The real floating clock on every desktop. A second start, while the user works in another
// program's window over the clock, brings the clock forward with the keyboard, also with "always on
// top" off. With it on, F2 opens the settings window with the keyboard, under the clock, which
// stays above it.
TEST(X11EveryDesktop, ASecondStartBringsTheClockForwardAndTheTopmostClockStaysAboveTheSettingsWindow) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char* manager) {
            for (const bool onTop : {false, true}) {
                SCOPED_TRACE(onTop ? "always on top" : "not on top");
                ClockProcess clock(server, std::string("forward-") + manager,
                                   std::string("[Dralo Software Development Ruriv - Settings File]\n"
                                               "[Main Settings]\nRunCount=2\nSplash=0\n"
                                               "[Float Window]\nX=6000\nY=4500\nAlwaysOnTop=") +
                                       (onTop ? "1" : "0") + "\n[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");
                std::string clockId;
                ASSERT_TRUE(Within10s([&] {
                    clockId = XWindowNamed(server, "OZR Ruriv Main Window");
                    return !clockId.empty() && Holds(server.Output("xprop -id " + clockId + " WM_STATE"), "Normal");
                }));
                const auto focusOn = [&](const std::string& id) { return server.Output("xdotool getwindowfocus") == id + "\n"; };
                if (!onTop) {
                    OtherProgramWindow other(server, 380, 280);  // over the clock
                    ASSERT_TRUE(other.display());
                    std::string otherId;
                    ASSERT_TRUE(Within10s([&] { return !(otherId = XWindowNamed(server, "OZR other program")).empty(); }));
                    // A click of the user's gives it the keyboard (an activation without a time may
                    // reach a busy window manager after the second start's).
                    server.Run("xdotool mousemove --window " + otherId + " 150 60 click 1");
                    ASSERT_TRUE(Within10s([&] {
                        return focusOn(otherId) && StackedAbove(server, "OZR other program", "OZR Ruriv Main Window");
                    }));
                    ASSERT_EQ(server.Run((clock.folder() / "OZRClock").string()), 0) << "the second start hands over and ends";
                    EXPECT_TRUE(Within10s([&] {
                        return focusOn(clockId) && StackedAbove(server, "OZR Ruriv Main Window", "OZR other program");
                    })) << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname")
                        << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                    continue;
                }
                ASSERT_EQ(server.Run("xdotool windowactivate --sync " + clockId + " key F2"), 0);
                std::string settingsId;
                const auto clockOverSettings = [&] {
                    settingsId = XWindowNamed(server, "OZR Ruriv Program Settings");
                    return !settingsId.empty() && focusOn(settingsId) &&
                           StackedAbove(server, "OZR Ruriv Main Window", "OZR Ruriv Program Settings");
                };
                EXPECT_TRUE(Within10s(clockOverSettings))
                    << "the keyboard is on " << server.Output("xdotool getwindowfocus getwindowname")
                    << server.Output("xprop -root _NET_CLIENT_LIST_STACKING");
                usleep(500'000);
                EXPECT_TRUE(clockOverSettings()) << "and stays";
            }
        },
        {"openbox", "icewm", "xfwm4", "mutter"});
}

// A window offers the window manager's minimise when it shows a minimise box of its own, as the
// settings window's painted title bar does, and is minimised by it; one without (the floating clock)
// that another program minimises comes back at once where it was; and where the window manager
// refuses a minimise the program asks for, the program's window is not minimised either.
TEST(X11EveryDesktop, AMinimiseIsOfferedWithItsBoxAndTheWindowManagersAnswerIsTheWindowsState) {
    UnderEachWindowManager(
        [](const XvfbServer& server, const char*) {
            ASSERT_NO_FATAL_FAILURE(StartPresenter());
            {
                PaintedBarForm boxed;
                boxed.Show();
                FloatingForm clock;
                clock.Show();
                const auto state = [&](const char* title) { return server.Output(std::string("xprop -name '") + title + "' WM_STATE"); };
                for (const char* title : {"OZR painted box", "OZR floating form"})
                    ASSERT_TRUE(PumpUntil([&] { return Holds(state(title), "Normal"); })) << title;
                EXPECT_TRUE(Holds(server.Output("xprop -name 'OZR painted box' _MOTIF_WM_HINTS"), "= 0x3, 0x2c,"));
                Settle(300);
                boxed.WindowState = vbMinimized;
                EXPECT_TRUE(PumpUntil([&] { return Holds(state("OZR painted box"), "Iconic") && IsIconic(boxed.hWnd); }))
                    << state("OZR painted box");
                server.Run("xdotool windowactivate " + XWindowNamed(server, "OZR painted box"));  // as a task list restores it
                EXPECT_TRUE(PumpUntil([&] { return Holds(state("OZR painted box"), "Normal") && !IsIconic(boxed.hWnd); }));

                const std::string clockId = XWindowNamed(server, "OZR floating form");
                const auto shown = [&] {
                    return Holds(state("OZR floating form"), "Normal") && !IsIconic(clock.hWnd) &&
                           Holds(server.Output("xwininfo -id " + clockId), "IsViewable");
                };
                server.Run("xdotool windowminimize " + clockId);
                Settle(500);
                EXPECT_TRUE(PumpUntil(shown)) << state("OZR floating form");
                ShowWindow(clock.hWnd, SW_MINIMIZE);
                Settle(500);
                EXPECT_TRUE(PumpUntil([&] { return Holds(state("OZR floating form"), "Iconic") ? IsIconic(clock.hWnd) != 0 : shown(); }))
                    << "as the window manager has it: " << state("OZR floating form") << IsIconic(clock.hWnd);
                clock.Unload();
                boxed.Unload();
            }
            PumpPendingWork();
            StopX11Presenter();
        },
        {"openbox", "icewm", "xfwm4", "mutter"});
}

}  // namespace
