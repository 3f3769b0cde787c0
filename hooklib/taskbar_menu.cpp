// The clock's items in the taskbar's context menu: put at its top when the menu opens over the
// clock, with a picture in a side bar along the menu's left edge; a choice by mouse or by Enter
// becomes a notice to the program.
#include <cstdint>
#include <string>

#include "hooklib/clock_tooltip.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/taskbar_menu.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "platform/draw/gdi.h"
#include "platform/draw/image.h"
#include "platform/services/paths.h"
#include "platform/shell/popup_menu.h"
#include "platform/shell/tray_messages.h"
#include "platform/window/message_box.h"

namespace hooklib {
namespace {

using namespace platform;

constexpr std::uint32_t kOwnerDrawId = 444555;
constexpr int kSideBar = 23;       // px the menu grows to the left
constexpr int kSideBarHeight = 297;
constexpr COLORREF kFrameColour = RGB(51, 51, 255);

struct ClockItem {
    std::uint32_t id;
    const char* text;  // nullptr: a separator
    WPARAM code;
};

// Top to bottom, as they stand in the menu.
constexpr ClockItem kItems[] = {
    {kMenuProgramSettings, "Program Settings", CN_OPENSETTINGS},
    {kMenuAlarmManagement, "Alarm Management", CN_OPENALARMS},
    {kMenuSynchronize, "Synchronize Ruriv", CN_SYNCCLOCK},
    {0, nullptr, 0},
    {kMenuAbout, "About OZR Ruriv", CN_OPENABOUT},
    {kMenuExit, "Exit OZR Ruriv", CN_EXIT},
    {0, nullptr, 0},
};

HWND Slot(std::uint32_t id) { return HWND{id}; }

// Each goes in at position 0, the last first, so that they stand as listed.
void InsertClockItems(HMENU menu) {
    static const std::string kOwnerDrawData = "This is the OZR Ruriv owner-draw menu item.";
    MENUITEMINFO ownerDraw;
    ownerDraw.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
    ownerDraw.fType = MFT_OWNERDRAW;
    ownerDraw.wID = kOwnerDrawId;
    ownerDraw.dwItemData = reinterpret_cast<std::uintptr_t>(kOwnerDrawData.c_str());
    InsertMenuItem(menu, 0, 1, &ownerDraw);
    for (auto item = std::rbegin(kItems); item != std::rend(kItems); ++item) {
        MENUITEMINFO info;
        info.fMask = MIIM_TYPE | MIIM_ID;
        info.fType = item->text ? MFT_STRING : MFT_SEPARATOR;
        info.wID = item->id;
        info.text = item->text ? item->text : "";
        InsertMenuItem(menu, 0, 1, &info);
    }
}

void OnInitMenu(WPARAM wParam) {
    SharedHookState& s = Share();
    s.MenuOpen = 1;
    // The date balloon would stay up under the menu, or come up over it.
    CloseClockTooltip();
    POINT cursor;
    GetCursorPos(&cursor);
    RECT clock;
    GetWindowRect(Slot(s.TrayClockWindow), &clock);
    // Strictly inside: a menu opened elsewhere on the taskbar stays as it is.
    if (cursor.x <= clock.left || cursor.x >= clock.right - 1 || cursor.y <= clock.top || cursor.y >= clock.bottom - 1) return;
    const HWND menuWindow = FindWindow(kMenuWindowClass, nullptr);
    if (!menuWindow) return;
    const LONG ours = AddressOf(WndprocTaskBarMenu);
    if (GetWindowLong(menuWindow, GWL_WNDPROC) != ours)
        s.PreviousMenuProc = SetWindowLong(menuWindow, GWL_WNDPROC, ours);
    s.MenuWindow = menuWindow.id();
    s.Menu = static_cast<std::uint32_t>(wParam);
    s.KeyboardMenuChoice = -1;
    InsertClockItems(HMENU{static_cast<std::uint32_t>(wParam)});
    LogDebug("{CALLBACK => WndProcTaskBar}: Modified standard Windows OS Context Menu.");
}

// The clock item highlighted now, -1 for none.
std::int32_t HighlightedClockItem() {
    for (const ClockItem& item : kItems) {
        if (!item.text) continue;
        MENUITEMINFO info;
        info.fMask = MIIM_STATE;
        if (GetMenuItemInfo(HMENU{Share().Menu}, item.id, 0, &info) && info.fState == MFS_HILITE)
            return static_cast<std::int32_t>(item.id);
    }
    return -1;
}

// The side bar: its picture bottom-aligned at x 3, the frame colour above it.
void DrawSideBar(HWND menuWindow) {
    SharedHookState& s = Share();
    const HDC dc{s.MenuDc};
    if (!dc) return;
    RECT window;
    GetWindowRect(menuWindow, &window);
    const int height = window.height();
    HBRUSH brush = CreateSolidBrush(kFrameColour);
    HPEN pen = CreatePen(PS_SOLID, 1, kFrameColour);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Rectangle(dc, 3, 3, 3 + kSideBar, height - kSideBarHeight - 6);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    const std::string path = MapPath(std::string(s.ImageFolder) + "Misc\\SideBar.bmp");
    HBITMAP picture{LoadImage(path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)};
    if (picture) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(dc, 3, height - kSideBarHeight - 6, kSideBar, kSideBarHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(picture);
    }
    if (s.MenuPainting) {
        RECT client;
        GetClientRect(menuWindow, &client);
        RECT black{client.left + 3, client.bottom - 3, client.left + 3 + kSideBar, client.bottom + 3};
        FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    LogDebug("{CALLBACK => WndprocTaskBarMenu}: Completed drawing Menu.");
}

}  // namespace

void DispatchTaskBarMenuCommand(std::int32_t itemId) {
    for (const ClockItem& item : kItems) {
        if (!item.text || static_cast<std::int32_t>(item.id) != itemId) continue;
        if (item.code == CN_EXIT) {
            if (MessageBox(HWND{}, kExitQuestion, kExitQuestionTitle, kExitQuestionStyle) == IDYES)
                NotifyProgram(CN_EXIT, 0);
            return;
        }
        NotifyProgram(item.code, static_cast<LPARAM>(Share().TaskbarWindow));
        return;
    }
}

void HandleTaskbarMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITMENU: OnInitMenu(wParam); break;
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure && measure->itemID == kOwnerDrawId) measure->itemHeight = 0;
            break;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (draw && draw->itemID == kOwnerDrawId) Share().MenuDc = draw->hDC.id();
            break;
        }
        default: break;
    }
}

LRESULT WndprocTaskBarMenu(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SharedHookState& s = Share();
    // Enter chooses the item highlighted now, read before the menu acts on the key and closes.
    const std::int32_t enterChoice = msg == WM_KEYDOWN && wParam == VK_RETURN ? HighlightedClockItem() : -1;
    // The menu handle outlives its window: a mouse choice is read from it after the menu closed.
    const HMENU menu{s.Menu};
    const LRESULT result = CallWindowProc(s.PreviousMenuProc, hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: {
            if (!IsWindow(hwnd)) break;
            const HDC dc = GetWindowDC(hwnd);
            s.MenuDc = dc.id();
            LogDebug("{CALLBACK => WndprocTaskBarMenu}: Drawing Menu for low settings.");
            s.MenuPainting = 1;
            SendMessage(hwnd, WM_PRINT, static_cast<WPARAM>(dc.id()), PRF_NONCLIENT);
            s.MenuPainting = 0;
            ReleaseDC(hwnd, dc);
            s.MenuDc = 0;
            break;
        }
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!pos) break;
            pos->x -= kSideBar;
            pos->cx += kSideBar;
            break;
        }
        case WM_NCCALCSIZE: {
            auto* client = reinterpret_cast<RECT*>(lParam);
            if (client) client->left += kSideBar;
            LogDebug("{CALLBACK => WndprocTaskBarMenu}: Enforced Context Menu size.");
            break;
        }
        case WM_PRINT: DrawSideBar(hwnd); break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) DispatchTaskBarMenuCommand(enterChoice);
            s.KeyboardMenuChoice = IsWindow(hwnd) ? HighlightedClockItem() : -1;
            LogDebug("{CALLBACK => WndprocTaskBarMenu}: Keyboard selection of Menu Item.");
            break;
        case MN_BUTTONUP: {
            MENUITEMINFO info;
            info.fMask = MIIM_ID;
            if (GetMenuItemInfo(menu, static_cast<UINT>(wParam), 1, &info))
                DispatchTaskBarMenuCommand(static_cast<std::int32_t>(info.wID));
            LogDebug("{CALLBACK => WndprocTaskBarMenu}: Mouse selection of Menu Item.");
            break;
        }
        default: break;
    }
    return result;
}

}  // namespace hooklib
