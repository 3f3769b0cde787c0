// Alarm windows and special behaviours on a real X server (Xvfb with openbox): the alarm window
// is a real X window with the alarm's title at its place, a double click with the real pointer
// slides it out and closes it, a behaviour closes another program's window by its title through
// the window manager, and the clipboard's text is handed to other programs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <string>

#include "core/library_binding.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/clipboard.h"
#include "platform/services/clock.h"
#include "platform/services/other_windows.h"
#include "platform/services/paths.h"
#include "platform/window/loop.h"
#include "command_output.h"
#include "window_manager_process.h"
#include "xvfb_server.h"

// X11 last: its macros would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace platform;

namespace {

// A program of the test's own on the test's display; ended with the test.
pid_t Spawn(const std::vector<std::string>& argv) {
    pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

bool Ended(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

void Stop(pid_t pid) {
    if (pid <= 0 || Ended(pid)) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

struct Geometry {
    int width = 0, height = 0, x = 0, y = 0;
    bool found = false;
};

// A window of the tree by its name, as xwininfo lists it: "name": (...)  WxH+X+Y  +X+Y
Geometry FindWindowNamed(const std::string& display, const std::string& name) {
    std::string tree = Capture("DISPLAY=" + display + " timeout 10 xwininfo -root -tree 2>/dev/null");
    std::smatch m;
    Geometry g;
    std::regex line("\"" + name + "\":[^\\n]*?(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)");
    if (std::regex_search(tree, m, line)) g = Geometry{std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), true};
    return g;
}

class X11AlarmWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A display of the caller's own (with its window manager) can stand in for the test's.
        if (const char* own = std::getenv("OZR_PEER_DISPLAY")) {
            setenv("DISPLAY", own, 1);
            display_ = own;
        } else {
            server_ = new XvfbServer();
            if (!server_->running()) return;
            display_ = server_->display();
            windowManager_ = new WindowManagerProcess(*server_);
        }
        SetProgramFolder(OZR_PROGRAM_DIR);
        std::string error;
        started_ = StartX11Presenter(&error);
        StartDesktopScreen();
        // The window manager is up once it has set its check window on the root.
        for (int i = 0; i < 100; ++i) {
            if (Capture("DISPLAY=" + display_ + " timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null")
                    .find("window id") != std::string::npos)
                break;
            RunFor(50);
        }
    }
    static void TearDownTestSuite() {
        StopX11Presenter();
        delete windowManager_;
        delete server_;
    }
    void SetUp() override {
        ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
        ASSERT_TRUE(started_);
        InstallService<Clock>(MakeSystemClock());
    }
    static void Pump(int ms) {
        for (int waited = 0; waited < ms; waited += 15) RunFor(15);
    }
    static XvfbServer* server_;
    static std::string display_;
    static WindowManagerProcess* windowManager_;
    static bool started_;
};
XvfbServer* X11AlarmWindow::server_ = nullptr;
std::string X11AlarmWindow::display_;
WindowManagerProcess* X11AlarmWindow::windowManager_ = nullptr;
bool X11AlarmWindow::started_ = false;

TEST_F(X11AlarmWindow, ShowsAtItsPlaceWithItsTitleAndADoubleClickSlidesItOut) {
    const hooklib::SlideSettings slide{300, -1, 0, 255, 12, 0, 450, -1, 0, 0, 10, 0};
    const hooklib::AlarmFontRecord font{0, 0, "DejaVu Sans", 11, 700, 0, 0, 0};
    // Style 0 carries the alarm's title as its caption; it stands centred.
    core::OZRFireAlarm(21, "Meeting at ten", "Room 4.", 0, slide, 0, 0, 280, 120, 0, 0x40, 0, 255, 0, RGB(255, 255, 255),
                       RGB(0, 0, 0), 0x40, font, "", "");
    // Style 2 slides into the bottom-right corner and closes on a double click.
    core::OZRFireAlarm(22, "Tea", "The kettle has boiled.", 4, slide, 0, 0, 260, 110, 2, 0x40 | 0x2, 0, 255, 0,
                       RGB(255, 236, 180), RGB(120, 30, 0), 0x90, font, "", "");
    Pump(600);
    Geometry meeting = FindWindowNamed(display_, "Meeting at ten");
    ASSERT_TRUE(meeting.found);
    EXPECT_EQ(meeting.x, 640 - 140);
    EXPECT_EQ(meeting.y, 512 - 60);
    EXPECT_EQ(meeting.width, 280);
    Geometry tea = FindWindowNamed(display_, "OZRSW Drag");
    ASSERT_TRUE(tea.found);
    EXPECT_EQ(tea.x, 1280 - 260);
    EXPECT_EQ(tea.y, 1024 - 110);

    // The real pointer double-clicks it: it slides out to the right over 450 ms, then goes.
    std::string d = "DISPLAY=" + display_ + " timeout 10 ";
    std::system((d + "xdotool mousemove 1100 960 click --repeat 2 --delay 60 1 >/dev/null 2>&1 &").c_str());
    int seenMoving = 0;
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        Pump(15);
        HWND h = FindWindow("OZRSW Drag", nullptr);
        if (!h) {
            gone = true;
            break;
        }
        RECT r;
        GetWindowRect(h, &r);
        if (r.left > 1280 - 260) ++seenMoving;
    }
    EXPECT_TRUE(gone);
    EXPECT_GE(seenMoving, 450 / 15 / 2) << "it slid out";
    Pump(200);
    EXPECT_FALSE(FindWindowNamed(display_, "OZRSW Drag").found);
    EXPECT_TRUE(FindWindowNamed(display_, "Meeting at ten").found);
    core::OZRKillSmartWindows();
    Pump(100);
    EXPECT_FALSE(FindWindowNamed(display_, "Meeting at ten").found);
}

TEST_F(X11AlarmWindow, ABehaviourClosesAnotherProgramsWindowByItsTitle) {
    pid_t keep = Spawn({"xmessage", "-title", "Daily notes", "keep me"});
    pid_t close = Spawn({"xmessage", "-title", "Weekly REPORT draft", "close me"});
    // The behaviour looks among the windows the window manager lists as its clients, which it
    // does only once it has managed them: a window that merely exists is not there yet.
    auto managed = [](const std::string& title) {
        for (const OtherWindow& w : UseService<OtherWindows>().List())
            if (w.title == title) return true;
        return false;
    };
    for (int i = 0; i < 200 && !(managed("Weekly REPORT draft") && managed("Daily notes")); ++i) Pump(50);
    ASSERT_TRUE(managed("Weekly REPORT draft"));
    ASSERT_TRUE(managed("Daily notes"));
    EXPECT_EQ(core::OZRTriggerSpecialBehavior(1, "report", 0, 0, 0, 0, 0), 0);
    for (int i = 0; i < 100 && !Ended(close); ++i) Pump(50);
    EXPECT_FALSE(FindWindowNamed(display_, "Weekly REPORT draft").found);
    EXPECT_FALSE(Ended(keep)) << "a window whose title does not match stays";
    Stop(close);
    Stop(keep);
}

// The clipboard's text and the text last selected (PRIMARY, which the middle button pastes) each
// reach another program that asks for them while the platform's loop answers.
TEST_F(X11AlarmWindow, TheClipboardsAndTheSelectionsTextsReachOtherPrograms) {
    Clipboard& ours = UseService<Clipboard>();
    ASSERT_TRUE(ours.SetText("2026-12-08 23:30:00"));
    ASSERT_TRUE(ours.SetText(Clipboard::Selection::Primary, "selected"));
    Display* other = XOpenDisplay(display_.c_str());
    ASSERT_TRUE(other);
    ::Window w = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    Atom utf8 = XInternAtom(other, "UTF8_STRING", False), into = XInternAtom(other, "OZR_TEST_PASTE", False);
    auto ask = [&](Atom selection) {
        XConvertSelection(other, selection, utf8, into, w, CurrentTime);
        XFlush(other);
        std::string pasted;
        for (int i = 0; i < 200 && pasted.empty(); ++i) {
            Pump(15);
            while (XPending(other)) {
                XEvent e;
                XNextEvent(other, &e);
                if (e.type != SelectionNotify || e.xselection.property == None) continue;
                Atom type;
                int format;
                unsigned long count, after;
                unsigned char* data = nullptr;
                XGetWindowProperty(other, w, into, 0, 1024, True, AnyPropertyType, &type, &format, &count, &after, &data);
                if (data) {
                    pasted.assign(reinterpret_cast<const char*>(data), count);
                    XFree(data);
                }
            }
        }
        return pasted;
    };
    EXPECT_EQ(ask(XInternAtom(other, "CLIPBOARD", False)), "2026-12-08 23:30:00");
    EXPECT_EQ(ask(XA_PRIMARY), "selected");
    XDestroyWindow(other, w);
    XCloseDisplay(other);
    EXPECT_EQ(ours.Text(), "2026-12-08 23:30:00");
    EXPECT_EQ(ours.Text(Clipboard::Selection::Primary), "selected");
}

// Pasting takes another program's text: as UTF-8 (what is not well-formed made sound), as
// Latin-1 where only that is offered, a large one in pieces; an owner that never answers is given
// up after a bounded wait.
TEST_F(X11AlarmWindow, PastingTakesAnotherProgramsTextAsUtf8AndGivesUpOnASilentOwner) {
    Display* probe = XOpenDisplay(display_.c_str());
    ASSERT_TRUE(probe);
    const Atom clipboard = XInternAtom(probe, "CLIPBOARD", False);
    auto offer = [&](const std::string& bytes, const char* target, const char* selection = "clipboard") {
        const std::string file = "/tmp/ozr-paste-" + std::to_string(getpid());
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        const Atom atom = std::string(selection) == "primary" ? XA_PRIMARY : clipboard;
        const ::Window before = XGetSelectionOwner(probe, atom);
        std::system(("DISPLAY=" + display_ + " xclip -selection " + selection + " -t " + target + " " + file +
                     " >/dev/null 2>&1 &")
                        .c_str());
        for (int i = 0; i < 100 && XGetSelectionOwner(probe, atom) == before; ++i) Pump(20);
        std::remove(file.c_str());
    };
    offer("middle", "UTF8_STRING", "primary");
    EXPECT_EQ(UseService<Clipboard>().Text(Clipboard::Selection::Primary), "middle");
    offer("caf\xe9", "STRING");
    EXPECT_EQ(UseService<Clipboard>().Text(), "caf\xc3\xa9");
    offer("a\xff" "b", "UTF8_STRING");
    EXPECT_EQ(UseService<Clipboard>().Text(), "a\xef\xbf\xbd" "b");
    const std::string large(1'500'000, 'x');  // handed over in pieces
    offer(large, "UTF8_STRING");
    EXPECT_EQ(UseService<Clipboard>().Text().size(), large.size());

    ::Window silent = XCreateSimpleWindow(probe, DefaultRootWindow(probe), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(probe, clipboard, silent, CurrentTime);
    XSync(probe, False);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(UseService<Clipboard>().Text(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    XDestroyWindow(probe, silent);
    XCloseDisplay(probe);
}

}  // namespace
