// The window system and drawing together: what windows paint reaches the composed screen in
// stacking order, layered windows are keyed and blended, and window DCs read back their pixels.
#include <gtest/gtest.h>

#include "../window/window_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/minimized_bars.h"
#include "platform/present/runner.h"
#include "platform/window/monitors.h"
#include "platform/window/screen.h"
#include "platform/window/context.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"

using namespace platform;
using namespace wintest;

namespace {

COLORREF ScreenAt(int x, int y) { return PixelColor(ComposedScreen().at(x, y)); }

// A window that fills its client area with one colour and a 10 x 10 red square at (5, 5).
HWND MakePainted(const char* title, RECT r, COLORREF fill, DWORD exStyle = 0) {
    EnsureClass("Painted");
    HWND h = CreateWindowEx(exStyle, "Painted", title, WS_POPUP | WS_VISIBLE, r.left, r.top, r.width(), r.height(), HWND{});
    Reactions()[h.id()] = [fill](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all;
        GetClientRect(hwnd, &all);
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &all, b);
        DeleteObject(b);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT square{5, 5, 15, 15};
        FillRect(dc, &square, red);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return true;
    };
    return h;
}

class DesktopScreen : public ::testing::Test {
protected:
    void SetUp() override { StartDesktopScreen(); }
};

TEST_F(DesktopScreen, PaintedWindowsReachTheScreenInStackingOrder) {
    HWND back = MakePainted("back", RECT{100, 100, 200, 200}, RGB(0, 0, 255));
    HWND front = MakePainted("front", RECT{150, 150, 250, 250}, RGB(0, 255, 0));
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(120, 120), RGB(0, 0, 255));
    EXPECT_EQ(ScreenAt(160, 160), RGB(255, 0, 0));  // front's square covers back
    EXPECT_EQ(ScreenAt(190, 190), RGB(0, 255, 0));
    BringWindowToTop(back);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(190, 190), RGB(0, 0, 255));
    // Moving a window uncovers what lay under it.
    MoveWindow(back, 400, 400, 100, 100, 1);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(190, 190), RGB(0, 255, 0));
    EXPECT_EQ(ScreenAt(410, 410), RGB(255, 0, 0));
    ShowWindow(front, SW_HIDE);
    PumpPendingWork();
    EXPECT_NE(ScreenAt(190, 190), RGB(0, 255, 0));
    DestroyWindow(back);
    DestroyWindow(front);
}

TEST_F(DesktopScreen, LayeredWindowsAreKeyedAndBlended) {
    HWND under = MakePainted("under", RECT{0, 0, 100, 100}, RGB(0, 0, 255));
    HWND keyed = MakePainted("keyed", RECT{0, 0, 100, 100}, RGB(255, 0, 255), WS_EX_LAYERED);
    SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 255, LWA_COLORKEY);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(50, 50), RGB(0, 0, 255));   // the key colour lets the window below through
    EXPECT_EQ(ScreenAt(10, 10), RGB(255, 0, 0));   // the square stays
    SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 128, LWA_ALPHA);
    PumpPendingWork();
    COLORREF blended = ScreenAt(50, 50);
    EXPECT_NEAR(GetRValue(blended), 128, 2);
    EXPECT_NEAR(GetBValue(blended), 255, 2);
    SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 128, 0);  // flags 0: opaque
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(50, 50), RGB(255, 0, 255));
    DestroyWindow(under);
    DestroyWindow(keyed);
}

TEST_F(DesktopScreen, AChildsWindowDcReadsWhatItsParentPaintedUnderIt) {
    HWND bar = MakePainted("bar", RECT{0, 900, 800, 930}, RGB(10, 20, 30));
    EnsureClass("ClockChild");
    HWND clock = CreateWindowEx(0, "ClockChild", "", WS_CHILD | WS_VISIBLE, 700, 0, 60, 30, bar);
    PumpPendingWork();
    HDC dc = GetWindowDC(clock);
    // The child never painted, so it shows its parent's pixels.
    EXPECT_EQ(GetPixel(dc, 30, 15), RGB(10, 20, 30));
    SetPixel(dc, 1, 1, RGB(200, 100, 50));
    ReleaseDC(clock, dc);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(701, 901), RGB(200, 100, 50));
    DestroyWindow(bar);
}

TEST_F(DesktopScreen, ScreenshotsAreWrittenAsPng) {
    HWND w = MakePainted("shot", RECT{10, 10, 60, 40}, RGB(0, 128, 0));
    PumpPendingWork();
    std::string path = ::testing::TempDir() + "/ozr-screen.png";
    ASSERT_TRUE(WriteScreenshot(path));
    std::string windowPath = ::testing::TempDir() + "/ozr-window.png";
    ASSERT_TRUE(WriteWindowScreenshot(w, windowPath));
    DecodedImage image = LoadImageFile(windowPath);
    ASSERT_TRUE(image.surface);
    EXPECT_EQ(image.surface->width(), 50);
    EXPECT_EQ(image.surface->height(), 30);
    EXPECT_EQ(PixelColor(image.surface->at(40, 20)), RGB(0, 128, 0));
    DestroyWindow(w);
}

}  // namespace

namespace {

// A window wider and taller than any surface may be keeps a surface of what the screen can show,
// is painted into it and composed, and a framed one gets its frame; nothing is lost on the way.
TEST_F(DesktopScreen, AWindowTooBigForAnySurfaceIsShownAsFarAsTheScreenReaches) {
    HWND big = MakePainted("big", RECT{0, 0, 100, 100}, RGB(0, 0, 255));
    PumpPendingWork();
    MoveWindow(big, 0, 0, 20000, 20000, 1);
    PumpPendingWork();
    std::shared_ptr<Surface> surface = WindowSurface(big);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->width(), ComposedScreen().width());
    EXPECT_EQ(surface->height(), ComposedScreen().height());
    EXPECT_EQ(ScreenAt(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(ScreenAt(ComposedScreen().width() - 1, ComposedScreen().height() - 1), RGB(0, 0, 255));
    // Its corner above and left of the screen's: what shows is painted to the screen's far edges.
    MoveWindow(big, -300, -200, 20000, 20000, 1);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(ComposedScreen().width() - 1, ComposedScreen().height() - 1), RGB(0, 0, 255));
    DestroyWindow(big);

    HWND framed = CreateWindowEx(0, "Painted", "framed", WS_CAPTION | WS_VISIBLE, 0, 0, 30000, 200, HWND{});
    PumpPendingWork();
    SetWindowText(framed, "framed, renamed");  // a change repaints the frame into the clipped surface
    PumpPendingWork();
    ASSERT_TRUE(WindowSurface(framed));
    EXPECT_EQ(WindowSurface(framed)->width(), ComposedScreen().width());
    const COLORREF desktop = RGB(58, 110, 165);
    EXPECT_NE(ScreenAt(ComposedScreen().width() - 1, 0), desktop) << "the frame reaches the screen's edge";
    EXPECT_NE(ScreenAt(ComposedScreen().width() / 2, 100), desktop);
    DestroyWindow(framed);
}

// Only the window that has the keyboard shows an active caption; one behind it, or one that lost
// the keyboard, shows an inactive one.
TEST_F(DesktopScreen, OnlyTheWindowWithTheKeyboardShowsAnActiveCaption) {
    EnsureClass("Painted");
    HWND a = CreateWindowEx(0, "Painted", "a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, HWND{});
    HWND b = CreateWindowEx(0, "Painted", "b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 300, 200, HWND{});
    const COLORREF active = RGB(0, 0, 128), inactive = RGB(128, 128, 128);
    SetActiveWindow(b);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(300, 158), active);
    EXPECT_EQ(ScreenAt(120, 108), inactive) << "the window behind";
    SetActiveWindow(a);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(120, 108), active);
    EXPECT_EQ(ScreenAt(300, 158), inactive) << "the window that lost the keyboard";
    DestroyWindow(a);
    DestroyWindow(b);
}

// OZR_MONITORS cuts the headless screen into monitors, the primary first; the composed screen
// shows them all, a window left of the primary one where that monitor lies.
TEST_F(DesktopScreen, TheScreenCutIntoMonitorsIsComposedWholeAndMalformedListsAreRefused) {
    setenv("OZR_MONITORS", "1280x1024+1280+0,1280x1024+0+0", 1);
    const PlatformOptions options = ReadPlatformOptions();
    ASSERT_EQ(options.monitors.size(), 2u);
    SetMonitorLayout(options.monitors, 0);
    HWND left = MakePainted("left", RECT{-200, 10, -100, 60}, RGB(0, 255, 0));
    PumpPendingWork();
    EXPECT_EQ(ComposedScreen().width(), 2560);
    EXPECT_EQ(ScreenAt(1280 - 150, 30), RGB(0, 255, 0));
    DestroyWindow(left);
    for (const char* wrong : {"1280x1024", "1280x1024+0+0,", "1280x1024+-5+0", "10x10+0+0"}) {
        setenv("OZR_MONITORS", wrong, 1);
        EXPECT_THROW(ReadPlatformOptions(), Error) << wrong;
    }
    unsetenv("OZR_MONITORS");
    SetScreenSize(SIZE{1280, 1024});
}

// With no window manager a minimised window shows as a small caption bar along the bottom of the
// screen, left to right in the order they were minimised; a click on one restores its window.
TEST_F(DesktopScreen, MinimisedWindowsAreCaptionBarsAlongTheBottomThatAClickRestores) {
    StartMinimizedBars();
    EnsureClass("Painted");
    HWND a = CreateWindowEx(0, "Painted", "a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, HWND{});
    HWND b = CreateWindowEx(0, "Painted", "b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 300, 200, HWND{});
    const COLORREF desktop = RGB(58, 110, 165);
    const int bottom = ComposedScreen().height() - 5;
    ShowWindow(b, SW_MINIMIZE);
    PumpPendingWork();
    ShowWindow(a, SW_MINIMIZE);
    PumpPendingWork();
    EXPECT_NE(ScreenAt(20, bottom), desktop) << "b's bar";
    EXPECT_NE(ScreenAt(180, bottom), desktop) << "a's bar";
    EXPECT_EQ(ScreenAt(340, bottom), desktop);
    auto click = [](POINT p) {
        InjectMouseMove(p);
        InjectMouseButton(p, MouseButton::Left, true);
        InjectMouseButton(p, MouseButton::Left, false);
        PumpPendingWork();
    };
    click(POINT{20, bottom});
    EXPECT_FALSE(IsIconic(b));
    EXPECT_TRUE(IsIconic(a));
    EXPECT_EQ(GetForegroundWindow(), b);
    EXPECT_EQ(ScreenAt(20, bottom), desktop) << "the bar went with its window";
    click(POINT{180, bottom});
    EXPECT_FALSE(IsIconic(a));
    EXPECT_EQ(FindWindow("OzrMinimizedBar", nullptr), HWND{});
    // A taskbar that comes later along the bottom lifts the bars onto it; gone, they go back down.
    ShowWindow(a, SW_MINIMIZE);
    PumpPendingWork();
    HWND taskbar;
    {
        ContextScope shell(ProcessContext::Shell);
        taskbar = MakePainted("taskbar", RECT{0, bottom - 35, 1280, bottom + 5}, RGB(0, 0, 0));
    }
    PumpPendingWork();
    EXPECT_NE(ScreenAt(20, bottom - 40), desktop) << "a's bar on the taskbar";
    {
        ContextScope shell(ProcessContext::Shell);
        DestroyWindow(taskbar);
    }
    PumpPendingWork();
    EXPECT_NE(ScreenAt(20, bottom), desktop) << "a's bar back at the bottom";
    EXPECT_EQ(ScreenAt(20, bottom - 40), desktop);
    DestroyWindow(a);
    DestroyWindow(b);
}

}  // namespace
