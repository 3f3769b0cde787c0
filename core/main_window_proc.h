// MainWindowProc: the main window's own procedure, put in place at start-up. It is the program's
// end of the channel from the library and from a second copy: debug lines, commands, label texts
// and flags, the label handshake's acknowledgements, alarm-window and popup-help notices.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace core {

inline constexpr platform::UINT WM_CLOCKNOTIFY = 0x2473;
inline constexpr platform::WPARAM CN_OPENSETTINGS = 1;
inline constexpr platform::WPARAM CN_OPENALARMS = 2;
inline constexpr platform::WPARAM CN_OPENABOUT = 3;
inline constexpr platform::WPARAM CN_EXIT = 4;
inline constexpr platform::WPARAM CN_HELPDISMISSED = 5;
inline constexpr platform::WPARAM CN_ALARMWINDOWCLOSED = 6;
inline constexpr platform::WPARAM CN_SYNCCLOCK = 7;
inline constexpr platform::WPARAM CN_LABELSREADY = 500201;
inline constexpr platform::WPARAM CN_TASKBARDROPPED = 500202;

inline constexpr std::uintptr_t CD_END = 0;
inline constexpr std::uintptr_t CD_LABELINDEX = 1000;
inline constexpr std::uintptr_t CD_LABELFLAGS = 1001;
inline constexpr std::uintptr_t CD_LABELTEXT = 1002;

// The procedure that was in place before MainWindowProc; messages not consumed go to it.
inline platform::LONG OldWindowProc = 0;

platform::LRESULT MainWindowProc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam);

// The text of a label-text record: the low byte of every 16-bit unit, one character each.
std::string LabelTextFromRecord(const void* data, std::uint32_t size);

}  // namespace core
