// Popup menus: a list of items with ids and texts, as the taskbar's context menu holds them.
#pragma once

#include <string>

#include "platform/window/window.h"

namespace platform {

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
// Adds an item at the end: a text with its command id, or a separator (id and text unused).
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text);
int GetMenuItemCount(HMENU menu);  // -1 for an unknown menu
// The item's command id; 0xFFFFFFFF for a separator or a position outside the menu.
UINT GetMenuItemID(HMENU menu, int position);
// The item's text ("" for a separator or a position outside the menu).
std::string GetMenuItemText(HMENU menu, int position);

}  // namespace platform
