// Inside the taskbar: its windows, edge, icons, mouse and menu state, and the pieces that its
// window procedures share. Only platform/shell includes this header.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/draw/surface.h"

#include "platform/shell/taskbar.h"
#include "platform/shell/tray_messages.h"

namespace platform::detail {

// The least height of a taskbar on the top or bottom edge and width on the left or right edge;
// a clock that asks for more makes the bar that much thicker.
constexpr int kHorizontalThickness = 30;
constexpr int kVerticalThickness = 62;
constexpr int kBorder = 2;                // between the bar's edge and its parts
constexpr int kIconCell = 18;             // one notification icon's button, square
constexpr int kIconSize = 16;
constexpr int kChevronSize = 19;
constexpr int kMaxShownIcons = 8;         // icons added after these wait behind the chevron
constexpr int kClockOwnWidth = 44;        // the size the clock asks for while it paints itself
constexpr int kClockOwnHeight = 20;

struct TrayIcon {
    HWND owner;
    UINT id = 0;
    UINT callbackMessage = 0;
    HICON icon;
    std::shared_ptr<Surface> pixels;  // the icon's picture, taken when it was added
    bool hasTip = false;
    std::string tip;
};

struct Taskbar {
    TaskbarWindows windows;
    TaskbarEdge edge = TaskbarEdge::Bottom;
    TaskbarBackground background;
    std::vector<TrayIcon> icons;
    SIZE clockAsked{};  // the clock's last size answer
    bool layingOut = false;
    bool layoutAgain = false;
    bool snapAgain = false;
    bool pressed = false;   // the left button went down on the bar and it holds the capture
    bool dragging = false;  // the press became a move to another edge
    HMENU menu;  // made afresh at every opening
    HWND menuWindow;
    int menuHighlight = -1;
    std::vector<int> menuItemHeights;  // measured when the menu opened
    RECT menuItemArea;                  // the menu window's client area less the frame it asked for
};

Taskbar& TB();
bool Horizontal(TaskbarEdge edge);
std::function<void(TaskbarEdge)>& TaskbarMovedListener();

// Lays the taskbar out; snap also puts the bar itself on its edge first. A request made while a
// layout runs is done once more after it, so a part that reacts to its own move cannot recurse.
void RequestTaskbarLayout(bool snap);

// Notification icons as buttons of the toolbar.
int ShownIconCount();
RECT IconCell(int index);  // in the toolbar's client area
int IconsPerRow();  // on a vertical taskbar
TBBUTTON ButtonOfIcon(int index);

// The context menu.
void CreateTaskbarMenu();
void OpenTaskbarMenu(POINT screen);
void CloseTaskbarMenu();
// The mouse while the menu is open (the taskbar holds the capture): true when the menu took it.
bool RouteMouseToMenu(UINT msg, POINT screen);
RECT MenuItemRect(int position);  // in the menu window's client area
LRESULT TaskbarMenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Window procedures of the parts.
LRESULT TaskbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT TaskbarPartProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT TrayToolbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT TrayClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool IsMouseMessage(UINT msg);
// Hands a mouse message of a part to the taskbar, in the taskbar's client coordinates.
void ForwardMouseToTaskbar(HWND from, UINT msg, WPARAM wParam, LPARAM lParam);

// Painting.
void PaintTaskbarPart(HWND hwnd);
void PaintTrayToolbar(HWND hwnd);
void PaintChevron(HWND hwnd);
void PaintTrayClock(HWND hwnd);
void PaintTaskbarMenu(HWND hwnd);

}  // namespace platform::detail
