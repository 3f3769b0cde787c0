// The clock's part of the taskbar's context menu, run in the taskbar's context.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace hooklib {

// The ids of the clock's items.
inline constexpr std::uint32_t kMenuProgramSettings = 0xC16A2037;
inline constexpr std::uint32_t kMenuAlarmManagement = 0xC16A2038;
inline constexpr std::uint32_t kMenuSynchronize = 0xC16A2039;
inline constexpr std::uint32_t kMenuAbout = 0xC16A203A;
inline constexpr std::uint32_t kMenuExit = 0xC16A203B;

// The taskbar procedure's share of the menu: WM_INITMENU adds the items when the menu opens over
// the clock, WM_MEASUREITEM and WM_DRAWITEM serve the owner-drawn item.
void HandleTaskbarMenuMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
// Sends the program the item's notice (the exit item asks first); other ids do nothing.
void DispatchTaskBarMenuCommand(std::int32_t itemId);
// The procedure the library puts on the menu's window.
platform::LRESULT WndprocTaskBarMenu(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                     platform::LPARAM lParam);

}  // namespace hooklib
