// The taskbar's context menu: opened by the right button, chosen by a click on an item, closed
// by a click elsewhere; its close gives the capture back to the bar.
#include "shell_test_support.h"

#include "platform/shell/popup_menu.h"
#include "platform/window/input.h"

using namespace platform;
using namespace shelltest;

namespace {

void Click(POINT p, MouseButton button) {
    InjectMouseButton(p, button, true);
    InjectMouseButton(p, button, false);
    PumpPendingWork();
}

TEST_F(Shell, TheRightButtonOpensTheMenuAndAnItemRunsItsCommand) {
    HMENU initialised;
    Record(w.taskbar, [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_INITMENU) initialised = HMENU{static_cast<std::uint32_t>(wParam)};
        return false;
    });
    Click(POINT{300, 1010}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    HWND menuWindow = TaskbarMenuWindow();
    EXPECT_EQ(GetClassNameString(menuWindow), kMenuWindowClass);
    EXPECT_EQ(FindWindow(kMenuWindowClass, nullptr), menuWindow);
    EXPECT_EQ(GetOwner(menuWindow), w.taskbar);
    EXPECT_EQ(GetCapture(), w.taskbar);
    ASSERT_TRUE(initialised);
    EXPECT_EQ(GetMenuItemCount(initialised), 4);
    EXPECT_EQ(GetMenuItemText(initialised, 1), "Move Taskbar to Top");
    RECT menu = ScreenRect(menuWindow);
    EXPECT_EQ(menu.bottom, 1010);  // above the cursor, the screen ends below
    EXPECT_EQ(menu.left, 300);

    // The second item, chosen with the left button, moves the bar to the top.
    Record(menuWindow);
    SeenLog().clear();
    Click(POINT{menu.left + 20, menu.top + 2 + 20 + 10}, MouseButton::Left);
    EXPECT_EQ(CountSeen(menuWindow, MN_BUTTONUP), 1);
    EXPECT_FALSE(TaskbarMenuOpen());
    EXPECT_FALSE(IsWindow(menuWindow));
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Top);
    EXPECT_GE(CountSeen(w.taskbar, WM_CAPTURECHANGED), 1);
    EXPECT_FALSE(GetCapture());
}

TEST_F(Shell, AClickOutsideClosesTheMenuWithoutACommand) {
    Record(w.taskbar);
    Click(POINT{300, 1010}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    SeenLog().clear();
    Click(POINT{900, 200}, MouseButton::Left);
    EXPECT_FALSE(TaskbarMenuOpen());
    EXPECT_EQ(CountSeen(w.taskbar, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(CountSeen(w.taskbar, WM_COMMAND), 0);
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Bottom);

    // The right button forwarded by the clock opens the same menu.
    RECT clock = ScreenRect(w.clock);
    Click(POINT{clock.left + 3, clock.top + 3}, MouseButton::Right);
    EXPECT_TRUE(TaskbarMenuOpen());
}

}  // namespace
