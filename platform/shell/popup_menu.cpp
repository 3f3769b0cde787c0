#include "platform/shell/popup_menu.h"

#include <map>
#include <vector>

namespace platform {
namespace {

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
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
    auto* items = Items(menu);
    if (!items) return 0;
    MenuItem item;
    item.flags = flags & MF_SEPARATOR;
    if (!(flags & MF_SEPARATOR)) {
        item.id = static_cast<UINT>(id);
        item.text = text ? text : "";
    }
    items->push_back(item);
    return 1;
}

int GetMenuItemCount(HMENU menu) {
    auto* items = Items(menu);
    return items ? static_cast<int>(items->size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    const MenuItem* item = ItemAt(menu, position);
    return item && !(item->flags & MF_SEPARATOR) ? item->id : 0xFFFFFFFFu;
}

std::string GetMenuItemText(HMENU menu, int position) {
    const MenuItem* item = ItemAt(menu, position);
    return item ? item->text : std::string();
}

}  // namespace platform
