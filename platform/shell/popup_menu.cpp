#include "platform/shell/popup_menu.h"

#include <algorithm>
#include <map>
#include <vector>

namespace platform {
namespace {

struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = 0;
    UINT id = 0;
    std::uintptr_t data = 0;
    std::string text;
};

struct Menus {
    std::map<std::uint32_t, std::vector<MenuItem>> menus;
    std::uint32_t nextId = 0x00C00010;  // never reused
};

Menus& M() {
    static Menus menus;
    return menus;
}

std::vector<MenuItem>* Items(HMENU menu) {
    auto it = M().menus.find(menu.id());
    return it == M().menus.end() ? nullptr : &it->second;
}

// The index of an item given by position or by id; -1 when there is none.
int IndexOf(HMENU menu, UINT item, bool byPosition) {
    auto* items = Items(menu);
    if (!items) return -1;
    const int count = static_cast<int>(items->size());
    if (byPosition) return static_cast<int>(item) < count ? static_cast<int>(item) : -1;
    for (int i = 0; i < count; ++i) {
        const MenuItem& m = (*items)[static_cast<std::size_t>(i)];
        if (!(m.type & MFT_SEPARATOR) && m.id == item) return i;
    }
    return -1;
}

const MenuItem* ItemAt(HMENU menu, int position) {
    auto* items = Items(menu);
    if (!items || position < 0 || position >= static_cast<int>(items->size())) return nullptr;
    return &(*items)[static_cast<std::size_t>(position)];
}

}  // namespace

HMENU CreatePopupMenu() {
    HMENU menu{M().nextId};
    M().nextId += 2;
    M().menus[menu.id()];
    return menu;
}

BOOL DestroyMenu(HMENU menu) { return M().menus.erase(menu.id()) ? 1 : 0; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    MENUITEMINFO info;
    info.fMask = MIIM_TYPE | MIIM_ID;
    info.fType = flags & MF_SEPARATOR ? MFT_SEPARATOR : MFT_STRING;
    info.wID = static_cast<UINT>(id);
    info.text = text ? text : "";
    return InsertMenuItem(menu, 0xFFFFFFFFu, 1, &info);
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
    auto* items = Items(menu);
    if (!items || !info) return 0;
    int at = IndexOf(menu, item, byPosition);
    if (at < 0) {
        if (!byPosition) return 0;
        at = static_cast<int>(items->size());
    }
    MenuItem m;
    if (info->fMask & MIIM_TYPE) m.type = info->fType & (MFT_OWNERDRAW | MFT_SEPARATOR);
    if (info->fMask & MIIM_ID) m.id = info->wID;
    if (info->fMask & MIIM_DATA) m.data = info->dwItemData;
    if ((info->fMask & MIIM_TYPE) && m.type == MFT_STRING) m.text = info->text;
    if (m.type & MFT_SEPARATOR) m.id = 0;
    items->insert(items->begin() + at, m);
    return 1;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
    const int at = IndexOf(menu, item, byPosition);
    if (at < 0 || !info) return 0;
    const MenuItem& m = *ItemAt(menu, at);
    if (info->fMask & MIIM_TYPE) {
        info->fType = m.type;
        info->text = m.text;
    }
    if (info->fMask & MIIM_STATE) info->fState = m.state;
    if (info->fMask & MIIM_ID) info->wID = m.id;
    if (info->fMask & MIIM_DATA) info->dwItemData = m.data;
    return 1;
}

BOOL HiliteMenuPosition(HMENU menu, int position) {
    auto* items = Items(menu);
    if (!items) return 0;
    for (std::size_t i = 0; i < items->size(); ++i) {
        UINT& state = (*items)[i].state;
        state = static_cast<int>(i) == position ? (state | MFS_HILITE) : (state & ~MFS_HILITE);
    }
    return 1;
}

int GetMenuItemCount(HMENU menu) {
    auto* items = Items(menu);
    return items ? static_cast<int>(items->size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    const MenuItem* item = ItemAt(menu, position);
    return item && !(item->type & MFT_SEPARATOR) ? item->id : 0xFFFFFFFFu;
}

std::string GetMenuItemText(HMENU menu, int position) {
    const MenuItem* item = ItemAt(menu, position);
    return item ? item->text : std::string();
}

}  // namespace platform
