// The taskbar's context menu: a window of class "#32768" at the cursor while the bar holds the
// mouse and the keyboard. The window exists, hidden, when the bar is told the menu opens
// (WM_INITMENU), so that whoever keeps an eye on the bar can add items and subclass the window;
// then the items are measured (owner-drawn ones by asking the bar) and the window shown. A button
// released over an item reaches the menu window as MN_BUTTONUP; arrows move the highlight, Enter
// chooses the highlighted item and Esc closes the menu. A chosen item's command goes to the bar.
#include <algorithm>

#include "platform/shell/popup_menu.h"
#include "platform/shell/detail/taskbar_state.h"
#include "platform/window/input.h"
#include "platform/window/detail/input.h"
#include "platform/window/screen.h"

namespace platform::detail {
namespace {

constexpr int kMenuWidth = 180;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kMenuFrame = 2;

MENUITEMINFO ItemInfo(int position) {
    MENUITEMINFO info;
    info.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
    GetMenuItemInfo(TB().menu, static_cast<UINT>(position), 1, &info);
    return info;
}

// Each item's height: separators are thin, owner-drawn items are as high as the bar answers.
void MeasureItems() {
    Taskbar& t = TB();
    t.menuItemHeights.clear();
    for (int i = 0; i < GetMenuItemCount(t.menu); ++i) {
        const MENUITEMINFO info = ItemInfo(i);
        int height = kItemHeight;
        if (info.fType & MFT_SEPARATOR) {
            height = kSeparatorHeight;
        } else if (info.fType & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT measure;
            measure.itemID = info.wID;
            measure.itemData = info.dwItemData;
            measure.itemHeight = kItemHeight;
            SendMessage(t.windows.taskbar, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
            height = static_cast<int>(measure.itemHeight);
        }
        t.menuItemHeights.push_back(height);
    }
}

int ItemHeight(int position) {
    const auto& heights = TB().menuItemHeights;
    return position >= 0 && position < static_cast<int>(heights.size()) ? heights[static_cast<std::size_t>(position)] : 0;
}

int MenuHeight() {
    int height = 2 * kMenuFrame;
    for (int i = 0; i < GetMenuItemCount(TB().menu); ++i) height += ItemHeight(i);
    return height;
}

bool Choosable(int position) { return ItemHeight(position) > 0 && !(ItemInfo(position).fType & MFT_SEPARATOR); }

// The item under a point of the menu window's client area, -1 for none or a separator.
int ItemAtPoint(POINT client) {
    for (int i = 0; i < GetMenuItemCount(TB().menu); ++i)
        if (MenuItemRect(i).contains(client)) return Choosable(i) ? i : -1;
    return -1;
}

void Highlight(int position) {
    Taskbar& t = TB();
    if (position == t.menuHighlight) return;
    t.menuHighlight = position;
    HiliteMenuPosition(t.menu, position);
    InvalidateRect(t.menuWindow, nullptr, 1);
}

// The next choosable item up or down from the highlight, round the end.
void MoveHighlight(int step) {
    const int count = GetMenuItemCount(TB().menu);
    int at = TB().menuHighlight;
    for (int n = 0; n < count; ++n) {
        at = at < 0 && step < 0 ? count - 1 : (at + step + count) % count;
        if (Choosable(at)) {
            Highlight(at);
            return;
        }
    }
}

// The menu closes before its command reaches the bar.
void Choose(int position) {
    const UINT id = GetMenuItemID(TB().menu, position);
    if (id == 0xFFFFFFFFu) return;
    CloseTaskbarMenu();
    SendMessage(TB().windows.taskbar, WM_COMMAND, id, 0);
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
    const RECT& area = TB().menuItemArea;
    int top = area.top + kMenuFrame;
    for (int i = 0; i < position; ++i) top += ItemHeight(i);
    return RECT{area.left + kMenuFrame, top, area.right - kMenuFrame, top + ItemHeight(position)};
}

void OpenTaskbarMenu(POINT screen) {
    Taskbar& t = TB();
    HWND bar = t.windows.taskbar;
    CloseTaskbarMenu();
    ContextScope shell(ProcessContext::Shell);
    // A fresh menu each time: what was added to the last one is gone.
    DestroyMenu(t.menu);
    CreateTaskbarMenu();
    t.menuHighlight = -1;
    t.menuItemHeights.clear();
    t.menuWindow = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kMenuWindowClass, "", WS_POPUP,
                                  screen.x, screen.y, kMenuWidth, 2 * kMenuFrame, bar);
    if (!t.menuWindow) return;
    SendMessage(bar, WM_INITMENU, static_cast<WPARAM>(t.menu.id()), 0);
    if (!IsWindow(bar) || !IsWindow(t.menuWindow)) {
        CloseTaskbarMenu();
        return;
    }
    MeasureItems();
    SIZE area = ScreenSize();
    int height = MenuHeight();
    int x = std::clamp<int>(screen.x, 0, std::max(0, area.cx - kMenuWidth));
    int y = screen.y + height <= area.cy ? screen.y : screen.y - height;
    y = std::clamp<int>(y, 0, std::max(0, area.cy - height));
    SetWindowPos(t.menuWindow, HWND_TOPMOST, x, y, kMenuWidth, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // The items lie in what is left of the client area once the window's frame is asked for.
    RECT items;
    GetClientRect(t.menuWindow, &items);
    SendMessage(t.menuWindow, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&items));
    t.menuItemArea = items;
    SetCapture(bar);
    SetMenuKeyWindow(t.menuWindow);
}

void CloseTaskbarMenu() {
    Taskbar& t = TB();
    HWND menuWindow = t.menuWindow;
    if (!menuWindow) return;
    t.menuWindow = HWND{};
    t.menuHighlight = -1;
    SetMenuKeyWindow(HWND{});
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
        case WM_MOUSEMOVE: Highlight(item); return true;
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
        case MN_BUTTONUP: Choose(static_cast<int>(wParam)); return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            switch (static_cast<int>(wParam)) {
                case VK_UP: MoveHighlight(-1); break;
                case VK_DOWN: MoveHighlight(1); break;
                case VK_RETURN:
                    if (TB().menuHighlight >= 0) Choose(TB().menuHighlight);
                    break;
                case VK_ESCAPE:
                case VK_MENU: CloseTaskbarMenu(); break;
                default: break;
            }
            return 0;
        case WM_PAINT: PaintTaskbarMenu(hwnd); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace platform::detail
