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


// Whoever watches the bar adds items when the menu opens: here an owner-drawn item of no height,
// a text item with its own id and a separator at the top, and a frame of 23 px on the left.
void AddItemsOnOpening(HWND taskbar, HWND& menuWindow) {
    Record(taskbar, [&menuWindow](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
        if (msg == WM_INITMENU) {
            HMENU menu{static_cast<std::uint32_t>(wParam)};
            MENUITEMINFO owner;
            owner.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
            owner.fType = MFT_OWNERDRAW;
            owner.wID = 77;
            owner.dwItemData = 1234;
            InsertMenuItem(menu, 0, 1, &owner);
            MENUITEMINFO separator;
            separator.fMask = MIIM_TYPE;
            separator.fType = MFT_SEPARATOR;
            InsertMenuItem(menu, 0, 1, &separator);
            MENUITEMINFO text;
            text.fMask = MIIM_TYPE | MIIM_ID;
            text.wID = 0x500;
            text.text = "Ours";
            InsertMenuItem(menu, 0, 1, &text);
            menuWindow = FindWindow(kMenuWindowClass, nullptr);
            Record(menuWindow, [](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
                if (m == WM_NCCALCSIZE) reinterpret_cast<RECT*>(l)->left += 23;
                return false;
            });
        }
        if (msg == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->itemID == 77 && measure->itemData == 1234) measure->itemHeight = 0;
        }
        return false;
    });
}

TEST_F(Shell, ItemsAddedWhenTheMenuOpensAreMeasuredDrawnAndLaidOutInTheirFrame) {
    HWND menuWindow;
    AddItemsOnOpening(w.taskbar, menuWindow);
    Click(POINT{300, 1010}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    ASSERT_EQ(menuWindow, TaskbarMenuWindow()) << "the window exists when the bar is told";
    PumpPendingWork();
    // 5 text items, a separator, a zero-high owner-drawn item and the frame.
    RECT menu = ScreenRect(menuWindow);
    EXPECT_EQ(menu.height(), 5 * 20 + 8 + 0 + 4);
    EXPECT_GE(CountSeen(w.taskbar, WM_MEASUREITEM), 1);
    EXPECT_GE(CountSeen(w.taskbar, WM_DRAWITEM), 1);
    // The first item starts right of the frame the window asked for.
    SeenLog().clear();
    Click(POINT{menu.left + 10, menu.top + 12}, MouseButton::Left);
    EXPECT_TRUE(TaskbarMenuOpen()) << "the frame is no item";
    Click(POINT{menu.left + 30, menu.top + 12}, MouseButton::Left);
    EXPECT_FALSE(TaskbarMenuOpen());
    ASSERT_EQ(CountSeen(w.taskbar, WM_COMMAND), 1);

    // Opened again, the menu is a fresh one: the items are added once more, not twice.
    Click(POINT{300, 1010}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    EXPECT_EQ(ScreenRect(TaskbarMenuWindow()).height(), menu.height());
}

TEST_F(Shell, TheKeyboardMovesTheHighlightOverItemsAndChoosesWithEnter) {
    HWND menuWindow;
    AddItemsOnOpening(w.taskbar, menuWindow);
    Click(POINT{300, 1010}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    HMENU menu = TaskbarMenu();
    auto highlighted = [&] {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            MENUITEMINFO info;
            info.fMask = MIIM_STATE;
            GetMenuItemInfo(menu, static_cast<UINT>(i), 1, &info);
            if (info.fState & MFS_HILITE) return i;
        }
        return -1;
    };
    auto key = [](int vk) {
        InjectKey(vk, true);
        InjectKey(vk, false);
        PumpPendingWork();
    };
    key(VK_DOWN);
    EXPECT_EQ(highlighted(), 0);
    key(VK_DOWN);
    EXPECT_EQ(highlighted(), 3) << "the separator and the zero-high item are passed over";
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(highlighted(), 6) << "round the top to the last item";
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(highlighted(), 4);
    key(VK_RETURN);
    EXPECT_FALSE(TaskbarMenuOpen());
    EXPECT_EQ(CurrentTaskbarEdge(), TaskbarEdge::Top);

    // Esc closes without a command.
    Click(POINT{300, 10}, MouseButton::Right);
    ASSERT_TRUE(TaskbarMenuOpen());
    SeenLog().clear();
    key(VK_DOWN);
    key(VK_ESCAPE);
    EXPECT_FALSE(TaskbarMenuOpen());
    EXPECT_EQ(CountSeen(w.taskbar, WM_COMMAND), 0);
}

}  // namespace
