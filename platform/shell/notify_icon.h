// Notification icons: a program adds an icon to the taskbar's notification area and deletes it.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace platform {

// 88 bytes with 32-bit fields; an icon is known by its window and id.
struct NOTIFYICONDATA {
    DWORD cbSize = 88;
    HWND hWnd;  // the owner; the shell does not require a live window
    UINT uID = 0;
    UINT uFlags = 0;  // which of the fields below are given
    UINT uCallbackMessage = 0;
    HICON hIcon;
    char szTip[64] = {};
};
static_assert(sizeof(NOTIFYICONDATA) == 88);

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

// NIM_ADD adds an icon (FALSE when one with the same window and id is there, or no taskbar
// runs); NIM_DELETE removes it (FALSE when there is none). The tray lays itself out again after
// each change. Other messages are refused.
BOOL Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data);

}  // namespace platform
