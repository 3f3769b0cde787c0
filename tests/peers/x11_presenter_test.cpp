// The X11 presenter against a real X server (Xvfb): windows are mapped where the window system
// has them, colour keys become shapes, the taskbar is a dock, and real input reaches the windows.
#include <gtest/gtest.h>

#include <cstring>

#include "../platform/window/window_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/forms/forms.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/minimized_bars.h"
#include "platform/present/x11_presenter.h"
#include "platform/services/paths.h"
#include "platform/services/pointer.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"
#include "xvfb_server.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

using namespace platform;
using namespace wintest;

namespace {

// A second, independent connection: what any X client sees of our windows.
class Observer {
public:
    Observer() : display_(XOpenDisplay(nullptr)) {}
    ~Observer() {
        if (display_) XCloseDisplay(display_);
    }
    ::Window FindByName(const std::string& name) {
        ::Window root = DefaultRootWindow(display_), parent, *children = nullptr;
        unsigned count = 0;
        ::Window found = 0;
        XSync(display_, False);
        if (XQueryTree(display_, root, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* text = nullptr;
                if (XFetchName(display_, children[i], &text) && text) {
                    if (name == text) found = children[i];
                    XFree(text);
                }
            }
            XFree(children);
        }
        return found;
    }
    XWindowAttributes Attributes(::Window w) {
        XWindowAttributes a{};
        XGetWindowAttributes(display_, w, &a);
        return a;
    }
    bool HasAtom(::Window w, const char* property, const char* value) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        Atom prop = XInternAtom(display_, property, False), want = XInternAtom(display_, value, False);
        bool found = false;
        if (XGetWindowProperty(display_, w, prop, 0, 64, False, AnyPropertyType, &type, &format, &count, &after, &data) ==
                Success &&
            data) {
            auto* atoms = reinterpret_cast<Atom*>(data);
            for (unsigned long i = 0; i < count; ++i) found = found || atoms[i] == want;
            XFree(data);
        }
        return found;
    }
    int ShapeRectangles(::Window w) {
        int count = 0, ordering = 0;
        XRectangle* rects = XShapeGetRectangles(display_, w, ShapeBounding, &count, &ordering);
        if (rects) XFree(rects);
        return count;
    }
    bool ShapeContains(::Window w, int x, int y) {
        int count = 0, ordering = 0;
        XRectangle* rects = XShapeGetRectangles(display_, w, ShapeBounding, &count, &ordering);
        bool inside = false;
        for (int i = 0; i < count; ++i)
            inside = inside || (x >= rects[i].x && x < rects[i].x + rects[i].width && y >= rects[i].y &&
                                y < rects[i].y + rects[i].height);
        if (rects) XFree(rects);
        return inside;
    }
    // A property of 32-bit items, as the server holds it.
    std::vector<long> Cardinals(::Window w, const char* property) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        std::vector<long> out;
        if (XGetWindowProperty(display_, w, XInternAtom(display_, property, False), 0, 1 << 16, False, AnyPropertyType,
                               &type, &format, &count, &after, &data) == Success &&
            data && format == 32)
            out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        if (data) XFree(data);
        return out;
    }
    // The window's pixel as the server holds it.
    COLORREF PixelAt(::Window w, int x, int y) {
        XSync(display_, False);
        XImage* image = XGetImage(display_, w, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return CLR_INVALID;
        const unsigned long p = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    Display* display() { return display_; }

private:
    Display* display_;
};

class X11Presenter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new XvfbServer();
        if (server_->running()) {
            SetProgramFolder(OZR_PROGRAM_DIR);  // the program's pictures
            std::string error;
            started_ = StartX11Presenter(&error);
            StartDesktopScreen();
            StartMinimizedBars();
        }
    }
    static void TearDownTestSuite() {
        StopX11Presenter();
        delete server_;
    }
    void SetUp() override {
        ASSERT_TRUE(server_->running()) << "Xvfb did not start";
        ASSERT_TRUE(started_);
        InstallService<Clock>(MakeSystemClock());
    }
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            PumpPendingWork();
            RunFor(20);
        }
    }
    static XvfbServer* server_;
    static bool started_;
};
XvfbServer* X11Presenter::server_ = nullptr;
bool X11Presenter::started_ = false;

TEST_F(X11Presenter, WindowsAreMappedWhereTheWindowSystemHasThemAndFollowIt) {
    // Without a window manager the states a window has when it is mapped stay in its property.
    HWND w = MakeWindow("X11Mapped", "OZR mapped window", WS_POPUP, HWND{}, RECT{120, 140, 270, 190});
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Settle();
    Observer o;
    ::Window x = o.FindByName("OZR mapped window");
    ASSERT_TRUE(x);
    XWindowAttributes a = o.Attributes(x);
    EXPECT_EQ(a.x, 120);
    EXPECT_EQ(a.y, 140);
    EXPECT_EQ(a.width, 150);
    EXPECT_EQ(a.map_state, IsViewable);
    EXPECT_TRUE(o.HasAtom(x, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE"));
    MoveWindow(w, 300, 310, 150, 50, 1);
    Settle();
    a = o.Attributes(x);
    EXPECT_EQ(a.x, 300);
    EXPECT_EQ(a.y, 310);
    // Another client that destroys the X window leaves the program's window shown all the same.
    ASSERT_EQ(server_->Run("xdotool windowclose " + std::to_string(x)), 0);
    Settle();
    const ::Window again = o.FindByName("OZR mapped window");
    ASSERT_TRUE(again) << "the window is gone from the screen";
    EXPECT_EQ(o.Attributes(again).map_state, IsViewable);
    EXPECT_EQ(o.Attributes(again).x, 300);
    x = again;
    ShowWindow(w, SW_HIDE);
    Settle();
    EXPECT_NE(o.Attributes(x).map_state, IsViewable);
    DestroyWindow(w);
    Settle();
    EXPECT_FALSE(o.FindByName("OZR mapped window"));
}

TEST_F(X11Presenter, AColourKeyBecomesTheWindowsShape) {
    EnsureClass("X11Keyed");
    HWND w = CreateWindowEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "X11Keyed", "OZR keyed window", WS_POPUP | WS_VISIBLE, 50, 50,
                            100, 100, HWND{});
    SetLayeredWindowAttributes(w, RGB(255, 0, 255), 255, LWA_COLORKEY);
    Reactions()[w.id()] = [](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all{0, 0, 100, 100}, solid{10, 10, 40, 40};
        HBRUSH key = CreateSolidBrush(RGB(255, 0, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &all, key);
        FillRect(dc, &solid, red);
        DeleteObject(key);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return true;
    };
    Settle();
    Observer o;
    ::Window x = o.FindByName("OZR keyed window");
    ASSERT_TRUE(x);
    EXPECT_TRUE(o.ShapeContains(x, 20, 20));
    EXPECT_FALSE(o.ShapeContains(x, 70, 70)) << o.ShapeRectangles(x) << " rectangles";
    EXPECT_TRUE(o.HasAtom(x, "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"));
    DestroyWindow(w);
}

TEST_F(X11Presenter, RealPointerInputReachesTheWindowUnderIt) {
    HWND w = MakeWindow("X11Input", "OZR input window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{400, 400, 500, 450});
    Settle();
    Log().clear();
    ASSERT_EQ(server_->Run("xdotool mousemove 420 410 click 1"), 0);
    for (int i = 0; i < 50 && !GotMessage(w, WM_LBUTTONUP); ++i) RunFor(20);
    EXPECT_TRUE(GotMessage(w, WM_LBUTTONDOWN));
    EXPECT_TRUE(GotMessage(w, WM_LBUTTONUP));
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{420, 410}));
    // The pointer leaving for a place where no window of ours lies is known too: what watches the
    // cursor (a hover balloon) sees it go.
    ASSERT_EQ(server_->Run("xdotool mousemove 700 700"), 0);
    for (int i = 0; i < 50 && (GetCursorPos(&p), p != POINT{700, 700}); ++i) RunFor(20);
    EXPECT_EQ(p, (POINT{700, 700}));
    DestroyWindow(w);
}

// With no window manager the X server is the truth too: another client's move is followed, and a
// click on a covered window brings it to the front on the server as in the program.
TEST_F(X11Presenter, AClickRaisesACoveredWindowAndAnotherClientsMoveIsFollowed) {
    HWND lower = MakeWindow("X11Truth", "OZR lower window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{100, 500, 300, 600});
    HWND upper = MakeWindow("X11Truth", "OZR upper window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{200, 520, 400, 620});
    Settle();
    Observer o;
    const ::Window xl = o.FindByName("OZR lower window"), xu = o.FindByName("OZR upper window");
    ASSERT_TRUE(xl && xu);
    auto lowerOnTop = [&] {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        int pl = -1, pu = -1;
        XSync(o.display(), False);
        if (XQueryTree(o.display(), DefaultRootWindow(o.display()), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i) {
                if (children[i] == xl) pl = static_cast<int>(i);
                if (children[i] == xu) pu = static_cast<int>(i);
            }
            XFree(children);
        }
        return pl > pu;  // the server lists them bottom to top
    };
    ASSERT_FALSE(lowerOnTop());
    ASSERT_EQ(server_->Run("xdotool mousemove 150 550 click 1"), 0);
    for (int i = 0; i < 50 && !lowerOnTop(); ++i) RunFor(20);
    EXPECT_TRUE(lowerOnTop());
    EXPECT_EQ(WindowFromPoint(POINT{250, 560}), lower);

    ASSERT_EQ(server_->Run("xdotool windowmove " + std::to_string(xu) + " 600 300"), 0);
    RECT r{};
    for (int i = 0; i < 50 && !(GetWindowRect(upper, &r) && r == (RECT{600, 300, 800, 400})); ++i) RunFor(20);
    EXPECT_EQ(r, (RECT{600, 300, 800, 400}));
    Log().clear();
    ASSERT_EQ(server_->Run("xdotool mousemove 700 350 click 1"), 0);
    for (int i = 0; i < 50 && !GotMessage(upper, WM_LBUTTONUP); ++i) RunFor(20);
    EXPECT_TRUE(GotMessage(upper, WM_LBUTTONUP)) << "a click at its new place";
    DestroyWindow(lower);
    DestroyWindow(upper);
}

// The server drops a window's pixels when another client sizes it: what it then shows again is
// the window as it is painted, however many sizes it went through before it was painted anew.
TEST_F(X11Presenter, PixelsTheServerLostComeBackAsTheWindowIsPainted) {
    HWND w = MakeWindow("X11Painted", "OZR painted window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{600, 100, 800, 160});
    Reactions()[w.id()] = PaintsIn(RGB(200, 0, 0));
    Settle();
    Observer o;
    const ::Window x = o.FindByName("OZR painted window");
    ASSERT_TRUE(x);
    ASSERT_EQ(o.PixelAt(x, 100, 50), RGB(200, 0, 0));
    // Another client shrinks it and gives its size back before the program paints it again.
    XResizeWindow(o.display(), x, 200, 30);
    XResizeWindow(o.display(), x, 200, 60);
    XSync(o.display(), False);
    Settle();
    EXPECT_EQ(o.PixelAt(x, 100, 10), RGB(200, 0, 0));
    EXPECT_EQ(o.PixelAt(x, 100, 50), RGB(200, 0, 0));
    DestroyWindow(w);
}

// Maximised, a window fills the work area that panels leave and says so in its states itself.
TEST_F(X11Presenter, MaximiseFillsTheWorkAreaAndSetsTheMaximisedStates) {
    ASSERT_EQ(server_->Run("xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA '0, 30, 1280, 964'"), 0);
    for (int i = 0; i < 50 && !(WorkArea() == RECT{0, 30, 1280, 994}); ++i) RunFor(20);
    ASSERT_EQ(WorkArea(), (RECT{0, 30, 1280, 994}));
    HWND w = MakeWindow("X11Maximised", "OZR maximised window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND{},
                        RECT{100, 100, 500, 300});
    Settle();
    Observer o;
    const ::Window x = o.FindByName("OZR maximised window");
    ASSERT_TRUE(x);
    ShowWindow(w, SW_MAXIMIZE);
    Settle();
    XWindowAttributes a = o.Attributes(x);
    EXPECT_EQ((RECT{a.x, a.y, a.x + a.width, a.y + a.height}), (RECT{0, 30, 1280, 994}));
    EXPECT_TRUE(o.HasAtom(x, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_TRUE(o.HasAtom(x, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_HORZ"));
    ShowWindow(w, SW_RESTORE);
    Settle();
    a = o.Attributes(x);
    EXPECT_EQ((RECT{a.x, a.y, a.x + a.width, a.y + a.height}), (RECT{100, 100, 500, 300}));
    EXPECT_FALSE(o.HasAtom(x, "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT"));
    DestroyWindow(w);
    server_->Run("xprop -root -remove _NET_WORKAREA");
    for (int i = 0; i < 50 && !(WorkArea() == RECT{0, 0, 1280, 1024}); ++i) RunFor(20);
}

TEST_F(X11Presenter, ThePointerServiceReadsTheXPointerAlsoOverTheBareDesktop) {
    // No window of ours lies under these points: only the X server knows where the pointer is.
    Pointer& pointer = UseService<Pointer>();
    ASSERT_EQ(server_->Run("xdotool mousemove 30 40"), 0);
    EXPECT_EQ(pointer.Position(), (POINT{30, 40}));
    EXPECT_FALSE(pointer.ButtonDown(VK_RBUTTON));
    ASSERT_EQ(server_->Run("xdotool mousemove 1270 1000 mousedown 3"), 0);
    EXPECT_EQ(pointer.Position(), (POINT{1270, 1000}));
    EXPECT_TRUE(pointer.ButtonDown(VK_RBUTTON));
    EXPECT_FALSE(pointer.ButtonDown(VK_LBUTTON));
    ASSERT_EQ(server_->Run("xdotool mouseup 3"), 0);
    EXPECT_FALSE(pointer.ButtonDown(VK_RBUTTON));

    // While a pick holds the clicks, a quick click, also on a window of ours, reaches no window
    // and is kept until asked for; let go, clicks reach the windows again.
    HWND w = MakeWindow("X11Picked", "OZR picked-over window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{400, 400, 500, 450});
    Settle();
    Log().clear();
    ASSERT_TRUE(pointer.HoldClicks(true));
    ASSERT_EQ(server_->Run("xdotool mousemove 420 410 click 3"), 0);
    bool released = false;
    for (int i = 0; i < 50 && !released; ++i, RunFor(20)) released = pointer.ReleasedSinceAsked(VK_RBUTTON);
    EXPECT_TRUE(released);
    EXPECT_FALSE(pointer.ReleasedSinceAsked(VK_RBUTTON)) << "asked once";
    EXPECT_FALSE(GotMessage(w, WM_RBUTTONDOWN) || GotMessage(w, WM_RBUTTONUP));
    pointer.HoldClicks(false);
    ASSERT_EQ(server_->Run("xdotool click 3"), 0);
    for (int i = 0; i < 50 && !GotMessage(w, WM_RBUTTONUP); ++i) RunFor(20);
    EXPECT_TRUE(GotMessage(w, WM_RBUTTONUP));
    DestroyWindow(w);
}

TEST_F(X11Presenter, TheTaskbarIsADockShownOnlyWhileTheShellIsHooked) {
    HWND bar;
    {
        ContextScope shell(ProcessContext::Shell);
        bar = MakeWindow("Shell_TrayWnd", "OZR test taskbar", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 994, 1280, 1024});
    }
    Reactions()[bar.id()] = PaintsIn(RGB(0, 90, 0));
    Settle();
    Observer o;
    EXPECT_FALSE(o.FindByName("OZR test taskbar"));  // the real desktop keeps its own panel
    auto hookShell = [] {
        return SetWindowsHookEx(WH_CALLWNDPROC, [](int c, WPARAM w, LPARAM l) { return CallNextHookEx(HHOOK{}, c, w, l); },
                                0, ContextThreadId(ProcessContext::Shell));
    };
    HHOOK hook = hookShell();
    Settle();  // the hook alone brings the taskbar up, painted
    ::Window x = o.FindByName("OZR test taskbar");
    ASSERT_TRUE(x);
    EXPECT_TRUE(o.HasAtom(x, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK"));
    EXPECT_EQ(o.PixelAt(x, 640, 15), RGB(0, 90, 0));
    UnhookWindowsHookEx(hook);
    Settle();
    EXPECT_NE(o.Attributes(x).map_state, IsViewable);  // and goes with the hook
    hook = hookShell();
    Settle();
    EXPECT_EQ(o.Attributes(x).map_state, IsViewable);
    EXPECT_EQ(o.PixelAt(x, 640, 15), RGB(0, 90, 0)) << "painted again when it comes back";
    UnhookWindowsHookEx(hook);
    Settle();
    ContextScope shell(ProcessContext::Shell);
    DestroyWindow(bar);
}

// With no window manager a minimised window is a small caption bar at the bottom left of the
// screen; one click on it restores the window.
TEST_F(X11Presenter, AMinimisedWindowIsACaptionBarAtTheBottomThatAClickRestores) {
    HWND w = MakeWindow("X11Minimised", "OZR minimised window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND{},
                        RECT{200, 200, 500, 400});
    Settle();
    Observer o;
    ::Window x = o.FindByName("OZR minimised window");
    ASSERT_TRUE(x);
    ShowWindow(w, SW_MINIMIZE);
    Settle();
    EXPECT_NE(o.Attributes(x).map_state, IsViewable);
    ::Window root = DefaultRootWindow(o.display()), child = 0;
    int winX = 0, winY = 0;
    ASSERT_TRUE(XTranslateCoordinates(o.display(), root, root, 20, 1024 - 10, &winX, &winY, &child));
    ASSERT_TRUE(child) << "a window lies at the bottom left";
    XWindowAttributes bar = o.Attributes(child);
    EXPECT_EQ(bar.map_state, IsViewable);
    EXPECT_EQ(bar.x, 0);
    EXPECT_EQ(bar.y + bar.height, 1024);
    EXPECT_LT(bar.height, 40);
    ASSERT_EQ(server_->Run("xdotool mousemove 20 1014 click 1"), 0);
    for (int i = 0; i < 100 && IsIconic(w); ++i) RunFor(20);
    Settle();
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(o.Attributes(x).map_state, IsViewable);
    EXPECT_EQ(GetForegroundWindow(), w);
    EXPECT_NE(o.Attributes(child).map_state, IsViewable) << "the bar goes with the window's restore";
    DestroyWindow(w);
}

// Task lists show the program's own icon: a 32 x 32 picture in ARGB on every managed window that
// has no icon of its own; one given its own icon shows that one.
TEST_F(X11Presenter, OurWindowsCarryTheirOwnIconOrTheProgramsIcon) {
    HWND w = MakeWindow("X11Icon", "OZR icon window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND{}, RECT{10, 10, 210, 110});
    Settle();
    Observer o;
    ::Window x = o.FindByName("OZR icon window");
    ASSERT_TRUE(x);
    const std::vector<long> icon = o.Cardinals(x, "_NET_WM_ICON");
    ASSERT_EQ(icon.size(), 2u + 32 * 32);
    EXPECT_EQ(icon[0], 32);
    EXPECT_EQ(icon[1], 32);
    auto alpha = [&](int x, int y) { return (static_cast<unsigned long>(icon[2 + y * 32 + x]) >> 24) & 0xFF; };
    EXPECT_EQ(alpha(0, 0), 0u) << "the corner is transparent";
    EXPECT_EQ(alpha(16, 16), 0xFFu) << "the face is opaque";

    HICON own = CreateBitmapFromSurface(std::make_shared<Surface>(16, 16, 0xFFFF0000u), true);
    SendMessage(w, WM_SETICON, ICON_BIG, static_cast<LPARAM>(own.id()));
    Settle();
    const std::vector<long> red = o.Cardinals(x, "_NET_WM_ICON");
    ASSERT_EQ(red.size(), 2u + 16 * 16);
    EXPECT_EQ(static_cast<unsigned long>(red[2 + 8 * 16 + 8]) & 0xFFFFFFFFul, 0xFFFF0000ul);
    DestroyWindow(w);
    DeleteObject(own);
}

// While a form's popup menu is open it holds the keyboard: no other client can take it, and the
// keys reach the menu with the pointer away from it over the bare desktop.
// A key held on the real keyboard: its press, then the server's repeats as key-downs that say they
// repeat (never a release and a press each), then one release.
TEST_F(X11Presenter, AHeldKeyRepeatsAsKeyDownsThatSaySo) {
    HWND w = MakeWindow("X11Keys", "OZR key window", WS_POPUP | WS_VISIBLE, HWND{}, RECT{400, 500, 500, 550});
    SetFocus(w);
    Settle();
    Log().clear();
    ASSERT_EQ(server_->Run("xdotool mousemove 420 510 keydown Return sleep 1.2 keyup Return"), 0);
    for (int i = 0; i < 100 && !GotMessage(w, WM_KEYUP); ++i) RunFor(20);
    std::vector<LPARAM> downs;
    int ups = 0;
    for (const Received& r : Log()) {
        if (r.hwnd != w || r.wParam != static_cast<WPARAM>(VK_RETURN)) continue;
        if (r.msg == WM_KEYDOWN) downs.push_back(r.lParam);
        ups += r.msg == WM_KEYUP;
    }
    ASSERT_GE(downs.size(), 3u) << "the server repeats a key held past its delay";
    EXPECT_EQ(downs.front(), 1);
    for (std::size_t i = 1; i < downs.size(); ++i) EXPECT_EQ(downs[i], 0x40000001) << i;
    EXPECT_EQ(ups, 1);
    DestroyWindow(w);
}

TEST_F(X11Presenter, AnOpenPopupMenuHoldsTheKeyboard) {
    struct MenuForm : forms::Form {
        MenuForm() : Form("frmX11Menu") { mncSecond.Click = [this] { ++chosen; }; }
        forms::Menu mnuMain{this, "mnuMain"};
        forms::Menu mncFirst{mnuMain, "mncFirst"};
        forms::Menu mncSecond{mnuMain, "mncSecond"};
        int chosen = 0;
        void Design() override {
            BorderStyle = forms::vbBSNone;
            Move(9000, 9000, 1500, 1500);
            mncFirst.Caption = "First";
            mncSecond.Caption = "Second";
        }
    } form;
    form.Show();
    Settle();
    static bool othersCouldGrab;
    othersCouldGrab = true;
    SetTimer(HWND{}, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        Observer o;
        othersCouldGrab = XGrabKeyboard(o.display(), DefaultRootWindow(o.display()), False, GrabModeAsync, GrabModeAsync,
                                        CurrentTime) == GrabSuccess;
        if (othersCouldGrab) XUngrabKeyboard(o.display(), CurrentTime);
        XSync(o.display(), False);
        server_->Run("xdotool mousemove 5 5 key Down key Down key Return");
    });
    // Should the keys be lost, Esc typed to the program ends the menu after a while.
    const UINT_PTR safety = SetTimer(HWND{}, 0, 4000, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        InjectKey(VK_ESCAPE, true);
        InjectKey(VK_ESCAPE, false);
    });
    form.PopupMenu(form.mnuMain, 0, 0, 0);
    KillTimer(HWND{}, safety);
    EXPECT_FALSE(othersCouldGrab);
    EXPECT_EQ(form.chosen, 1);
}

}  // namespace
