// The taskbar on the screen: a background that runs unbroken across its parts, gradient or flat,
// the clock's time, the icons' pictures and the context menu.
#include "shell_test_support.h"

#include "platform/draw/gdi.h"
#include "platform/present/desktop_screen.h"
#include "platform/shell/notify_icon.h"
#include "platform/window/input.h"

using namespace platform;
using namespace shelltest;

namespace {

COLORREF ScreenAt(int x, int y) { return PixelColor(ComposedScreen().at(x, y)); }

int BrightPixels(const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            COLORREF c = ScreenAt(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) ++n;
        }
    return n;
}

class ShellOnScreen : public Shell {
protected:
    void SetUp() override {
        StartDesktopScreen();
        Shell::SetUp();
        PumpPendingWork();
    }
};

TEST_F(ShellOnScreen, TheGradientRunsAcrossTheBarAndItsParts) {
    const RECT band = ScreenRect(w.taskBand), tray = ScreenRect(w.tray), clock = ScreenRect(w.clock);
    const TaskbarBackground bg = CurrentTaskbarBackground();
    ASSERT_TRUE(bg.gradient);
    EXPECT_EQ(ScreenAt(0, 994), bg.first);  // the bar's own top row
    EXPECT_NE(ScreenAt(0, 994), ScreenAt(0, 1023));
    for (int y = 996; y < 1020; y += 5) {
        SCOPED_TRACE(y);
        COLORREF row = ScreenAt(1, y);  // the bar itself, left of the band
        EXPECT_EQ(ScreenAt(band.left + 50, y), row);
        EXPECT_EQ(ScreenAt(tray.left + 1, y), row);
        EXPECT_EQ(ScreenAt(clock.right - 1, y), row);
    }
    // The clock shows its time in light text.
    EXPECT_GT(BrightPixels(clock), 10);
    EXPECT_EQ(BrightPixels(band), 0);

    // Flat: one colour everywhere but the text.
    SetTaskbarBackground(TaskbarBackground{RGB(10, 20, 30), RGB(10, 20, 30), false});
    PumpPendingWork();
    for (POINT p : {POINT{1, 995}, POINT{band.left + 50, 1022}, POINT{tray.left + 1, 1000}, POINT{clock.right - 1, 996}})
        EXPECT_EQ(ScreenAt(p.x, p.y), RGB(10, 20, 30)) << p.x << "," << p.y;

    // On a vertical bar the gradient runs from left to right.
    SetTaskbarBackground(TaskbarBackground{});
    MoveTaskbarToEdge(TaskbarEdge::Left);
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(0, 500), CurrentTaskbarBackground().first);
    EXPECT_NE(ScreenAt(0, 500), ScreenAt(61, 500));
    EXPECT_EQ(ScreenAt(30, 3), ScreenAt(30, 600));
}

TEST_F(ShellOnScreen, IconsShowACopyOfTheirPicture) {
    auto picture = std::make_shared<Surface>(16, 16, OpaquePixel(RGB(0, 200, 0)));
    HICON icon = CreateBitmapFromSurface(picture, true);
    NOTIFYICONDATA data;
    data.hWnd = HWND{0x321};
    data.uFlags = NIF_ICON;
    data.hIcon = icon;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    DestroyIcon(icon);  // the owner's handle goes; the tray keeps its copy
    PumpPendingWork();
    const RECT toolbar = ScreenRect(w.toolbar);
    EXPECT_EQ(toolbar.width(), 18);
    EXPECT_EQ(ScreenAt(toolbar.left + 9, toolbar.top + 9), RGB(0, 200, 0));
    EXPECT_NE(ScreenAt(toolbar.left, toolbar.top), RGB(0, 200, 0));  // the cell's margin
}

TEST_F(ShellOnScreen, TheMenuShowsItsItemsAndTheOneUnderTheCursor) {
    InjectMouseButton(POINT{300, 1010}, MouseButton::Right, true);
    InjectMouseButton(POINT{300, 1010}, MouseButton::Right, false);
    PumpPendingWork();
    ASSERT_TRUE(TaskbarMenuOpen());
    RECT menu = ScreenRect(TaskbarMenuWindow());
    EXPECT_EQ(ScreenAt(menu.left, menu.top), RGB(128, 128, 128));    // frame
    EXPECT_EQ(ScreenAt(menu.left + 5, menu.top + 5), RGB(240, 240, 240));  // face
    EXPECT_GT(BrightPixels(RECT{menu.left + 2, menu.top + 2, menu.right - 2, menu.top + 22}), 100);
    RECT firstText{menu.left + 22, menu.top + 2, menu.right - 2, menu.top + 22};
    int litBefore = 0;
    for (int x = firstText.left; x < firstText.right; ++x)
        if (ScreenAt(x, menu.top + 12) != RGB(240, 240, 240)) ++litBefore;
    EXPECT_GT(litBefore, 0);  // the first item's text
    InjectMouseMove(POINT{menu.left + 10, menu.top + 12});
    PumpPendingWork();
    EXPECT_EQ(ScreenAt(menu.left + 5, menu.top + 5), RGB(49, 106, 197));  // highlighted
    EXPECT_EQ(ScreenAt(menu.left + 5, menu.top + 25), RGB(240, 240, 240));
}

}  // namespace
