// Notification icons: the tray's list of icons and the toolbar buttons that show them.
#include <algorithm>
#include <cstring>

#include "platform/draw/gdi_objects.h"
#include "platform/shell/notify_icon.h"
#include "platform/shell/detail/taskbar_state.h"

namespace platform {
using namespace detail;

namespace {

std::vector<TrayIcon>::iterator FindIcon(HWND owner, UINT id) {
    auto& icons = TB().icons;
    return std::find_if(icons.begin(), icons.end(), [&](const TrayIcon& i) { return i.owner == owner && i.id == id; });
}

BOOL AddIcon(const NOTIFYICONDATA& data) {
    if (FindIcon(data.hWnd, data.uID) != TB().icons.end()) return 0;
    TrayIcon icon;
    icon.owner = data.hWnd;
    icon.id = data.uID;
    if (data.uFlags & NIF_MESSAGE) icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) {
        // The icon belongs to its owner's context: the shell keeps a copy of its picture.
        icon.icon = data.hIcon;
        icon.pixels = SurfaceOfBitmap(data.hIcon);
    }
    if (data.uFlags & NIF_TIP) {
        icon.hasTip = true;
        icon.tip.assign(data.szTip, strnlen(data.szTip, sizeof(data.szTip) - 1));
    }
    TB().icons.push_back(icon);
    return 1;
}

BOOL DeleteIcon(const NOTIFYICONDATA& data) {
    auto it = FindIcon(data.hWnd, data.uID);
    if (it == TB().icons.end()) return 0;
    TB().icons.erase(it);
    return 1;
}

}  // namespace

BOOL Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data) {
    if (!data || data->cbSize < sizeof(NOTIFYICONDATA) || !ShellRunning()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BOOL done = 0;
    if (message == NIM_ADD)
        done = AddIcon(*data);
    else if (message == NIM_DELETE)
        done = DeleteIcon(*data);
    if (!done) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RequestTaskbarLayout(false);
    return 1;
}

RECT detail::IconCell(int index) {
    int column = index, row = 0;
    if (!Horizontal(TB().edge)) {
        column = index % IconsPerRow();
        row = index / IconsPerRow();
    }
    return RECT{column * kIconCell, row * kIconCell, (column + 1) * kIconCell, (row + 1) * kIconCell};
}

int detail::ShownIconCount() { return std::min<int>(static_cast<int>(TB().icons.size()), kMaxShownIcons); }

TBBUTTON detail::ButtonOfIcon(int index) {
    const auto& icons = TB().icons;
    const TrayIcon& icon = icons[static_cast<std::size_t>(index)];
    TBBUTTON button;
    button.iBitmap = static_cast<std::int32_t>(icon.icon.id());
    button.idCommand = static_cast<std::int32_t>(icon.id);
    button.dwData = icon.owner.id();
    button.fsState = TBSTATE_ENABLED;
    if (index >= ShownIconCount()) {
        button.fsState |= TBSTATE_HIDDEN;
    } else if (!Horizontal(TB().edge)) {
        // On a vertical bar the last icon of each row, and the last shown icon, end a row.
        int perRow = IconsPerRow();
        if ((index + 1) % perRow == 0 || index + 1 == ShownIconCount()) button.fsState |= TBSTATE_WRAP;
    }
    if (icon.hasTip) {
        button.iString = static_cast<std::int32_t>(
            std::count_if(icons.begin(), icons.begin() + index, [](const TrayIcon& i) { return i.hasTip; }));
    }
    return button;
}

}  // namespace platform
