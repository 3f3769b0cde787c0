// The taskbar's own messages and records: what the notification area's toolbar answers about its
// buttons, and the question the tray asks its clock before every layout.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace platform {

// Class names and the toolbar's title, as a program that looks for the taskbar's windows uses them.
inline constexpr const char* kTaskbarClass = "Shell_TrayWnd";
inline constexpr const char* kTaskBandClass = "ReBarWindow32";
inline constexpr const char* kTrayNotifyClass = "TrayNotifyWnd";
inline constexpr const char* kTrayClockClass = "TrayClockWClass";
inline constexpr const char* kTrayPagerClass = "SysPager";
inline constexpr const char* kToolbarClass = "ToolbarWindow32";
inline constexpr const char* kChevronClass = "Button";
inline constexpr const char* kMenuWindowClass = "#32768";
inline constexpr const char* kNotificationAreaTitle = "Notification Area";

// Sent to the tray clock at every layout of the tray (wParam 0, lParam 0). The answer is the size
// the clock wants: width in the low word, height in the high word, in pixels. The tray gives it
// that width on a horizontal taskbar and that height on a vertical one.
constexpr UINT WM_TRAYCLOCKSIZE = 0x0464;

// The toolbar of notification icons. TB_BUTTONCOUNT answers the number of buttons, hidden ones
// included. TB_GETBUTTON (wParam the button's index, lParam a TBBUTTON to fill) answers TRUE, or
// FALSE for an index outside the buttons.
constexpr UINT TB_GETBUTTON = 0x0417;
constexpr UINT TB_BUTTONCOUNT = 0x0418;

constexpr std::uint8_t TBSTATE_ENABLED = 0x04;
constexpr std::uint8_t TBSTATE_HIDDEN = 0x08;  // behind the chevron
constexpr std::uint8_t TBSTATE_WRAP = 0x20;    // the last button of a row on a vertical taskbar

// One notification icon as its toolbar button (20 bytes, 32-bit fields).
struct TBBUTTON {
    std::int32_t iBitmap = 0;    // the icon's handle id, 0 when it has none
    std::int32_t idCommand = 0;  // the icon's id given by its owner
    std::uint8_t fsState = 0;    // TBSTATE_ bits
    std::uint8_t fsStyle = 0;
    std::uint8_t bReserved[2] = {};
    std::uint32_t dwData = 0;    // the handle id of the window that owns the icon
    std::int32_t iString = -1;   // index of the icon's tip among the toolbar's texts, -1 without a tip
};
static_assert(sizeof(TBBUTTON) == 20);

// The menu window's notice that a mouse button was released over one of its items; wParam is the
// item's position. The menu's own procedure then chooses the item.
constexpr UINT MN_BUTTONUP = 0x01EF;

}  // namespace platform
