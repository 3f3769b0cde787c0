// The taskbar's context menu: a window of class "#32768" at the cursor while the bar holds the
// mouse. A button released over an item reaches the menu window as MN_BUTTONUP, and the menu
// then tells the bar the item's command.
#include <algorithm>

#include "platform/shell/popup_menu.h"
#include "platform/shell/taskbar_state.h"
#include "platform/window/screen.h"

namespace platform::detail {
namespace {

constexpr int kMenuWidth = 180;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kMenuFrame = 2;

int ItemHeight(int position) {
    return GetMenuItemID(TB().menu, position) == 0xFFFFFFFFu ? kSeparatorHeight : kItemHeight;
}

int MenuHeight() {
    int height = 2 * kMenuFrame;
    for (int i = 0; i < GetMenuItemCount(TB().menu); ++i) height += ItemHeight(i);
    return height;
}

// The item under a point of the menu window's client area, -1 for none or a separator.
int ItemAtPoint(POINT client) {
    for (int i = 0; i < GetMenuItemCount(TB().menu); ++i) {
        RECT r = MenuItemRect(i);
        if (r.contains(client)) return GetMenuItemID(TB().menu, i) == 0xFFFFFFFFu ? -1 : i;
    }
    return -1;
}

}  // namespace

void CreateTaskbarMenu() {
    HMENU menu = CreatePopupMenu();
    // The ids are the WM_COMMAND the bar acts on: 1 to 4 move it to an edge.
    AppendMenu(menu, MF_STRING, 1, "Move Taskbar to Bottom");
    AppendMenu(menu, MF_STRING, 2, "Move Taskbar to Top");
    AppendMenu(menu, MF_STRING, 3, "Move Taskbar to Left");
    AppendMenu(menu, MF_STRING, 4, "Move Taskbar to Right");
    TB().menu = menu;
}

RECT MenuItemRect(int position) {
    int top = kMenuFrame;
    for (int i = 0; i < position; ++i) top += ItemHeight(i);
    return RECT{kMenuFrame, top, kMenuWidth - kMenuFrame, top + ItemHeight(position)};
}

void OpenTaskbarMenu(POINT screen) {
    Taskbar& t = TB();
    HWND bar = t.windows.taskbar;
    CloseTaskbarMenu();
    // Whoever keeps an eye on the bar may change the menu before it shows.
    SendMessage(bar, WM_INITMENU, static_cast<WPARAM>(t.menu.id()), 0);
    if (!IsWindow(bar)) return;
    SIZE area = ScreenSize();
    int height = MenuHeight();
    int x = std::clamp<int>(screen.x, 0, std::max(0, area.cx - kMenuWidth));
    int y = screen.y + height <= area.cy ? screen.y : screen.y - height;
    y = std::clamp<int>(y, 0, std::max(0, area.cy - height));
    ContextScope shell(ProcessContext::Shell);
    t.menuHighlight = -1;
    t.menuWindow = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kMenuWindowClass, "",
                                  WS_POPUP | WS_VISIBLE, x, y, kMenuWidth, height, bar);
    if (t.menuWindow) SetCapture(bar);
}

void CloseTaskbarMenu() {
    Taskbar& t = TB();
    HWND menuWindow = t.menuWindow;
    if (!menuWindow) return;
    t.menuWindow = HWND{};
    t.menuHighlight = -1;
    {
        ContextScope shell(ProcessContext::Shell);
        DestroyWindow(menuWindow);
    }
    // Giving the capture back tells the bar that its menu closed.
    if (GetCapture() == t.windows.taskbar) ReleaseCapture();
}

bool RouteMouseToMenu(UINT msg, POINT screen) {
    Taskbar& t = TB();
    RECT menuRect;
    GetWindowRect(t.menuWindow, &menuRect);
    bool inside = menuRect.contains(screen);
    int item = inside ? ItemAtPoint(POINT{screen.x - menuRect.left, screen.y - menuRect.top}) : -1;
    switch (msg) {
        case WM_MOUSEMOVE:
            if (item != t.menuHighlight) {
                t.menuHighlight = item;
                InvalidateRect(t.menuWindow, nullptr, 1);
            }
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!inside) CloseTaskbarMenu();
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (item >= 0) SendMessage(t.menuWindow, MN_BUTTONUP, static_cast<WPARAM>(item), 0);
            return true;
        default: return true;
    }
}

LRESULT TaskbarMenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case MN_BUTTONUP: {
            UINT id = GetMenuItemID(TB().menu, static_cast<int>(wParam));
            if (id == 0xFFFFFFFFu) return 0;
            CloseTaskbarMenu();
            SendMessage(TB().windows.taskbar, WM_COMMAND, id, 0);
            return 0;
        }
        case WM_PAINT: PaintTaskbarMenu(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace platform::detail
