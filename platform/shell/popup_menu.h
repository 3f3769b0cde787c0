// Popup menus: a list of items with ids and texts, as the taskbar's context menu holds them.
// Besides text items and separators an item may be owner-drawn (its owner measures and draws it
// and keeps a value of its own in it), and an item's state tells whether it is highlighted.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window/window.h"

namespace platform {

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// Item types, states and the parts of MENUITEMINFO that a call reads or fills.
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_OWNERDRAW = 0x0100;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFS_HILITE = 0x0080;
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_TYPE = 0x0010;
constexpr UINT MIIM_DATA = 0x0020;

struct MENUITEMINFO {
    UINT fMask = 0;
    UINT fType = MFT_STRING;
    UINT fState = 0;
    UINT wID = 0;
    std::uintptr_t dwItemData = 0;
    std::string text;  // with MIIM_TYPE and MFT_STRING
};

// What a menu's owner is asked about an owner-drawn item (ODT_MENU).
constexpr UINT ODT_MENU = 1;
struct MEASUREITEMSTRUCT {
    UINT CtlType = ODT_MENU;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};
struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_MENU;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 1;  // ODA_DRAWENTIRE
    UINT itemState = 0;
    HMENU hwndItem;       // the menu
    HDC hDC;
    RECT rcItem;
    std::uintptr_t itemData = 0;
};

// A menu window's own messages: the frame it keeps around its items (lParam a RECT of the client
// area, moved in by whoever subclasses the window) and a request to draw itself into a context.
constexpr UINT WM_NCCALCSIZE = 0x0083;
constexpr UINT WM_PRINT = 0x0317;
constexpr LPARAM PRF_NONCLIENT = 0x0002;

HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
// Adds an item at the end: a text with its command id, or a separator (id and text unused).
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text);
// Inserts an item before the item at that position (byPosition) or with that id; a position past
// the end appends. The item's type, id, data and text come from the parts fMask names.
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
// Fills the parts fMask names of the item at that position or with that id; FALSE when none is.
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
// Highlights the item at that position (MF_BYPOSITION) and takes the highlight off every other.
// A position outside the menu leaves none highlighted.
BOOL HiliteMenuPosition(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);  // -1 for an unknown menu
// The item's command id; 0xFFFFFFFF for a separator or a position outside the menu.
UINT GetMenuItemID(HMENU menu, int position);
// The item's text ("" for a separator, an owner-drawn item or a position outside the menu).
std::string GetMenuItemText(HMENU menu, int position);

}  // namespace platform
