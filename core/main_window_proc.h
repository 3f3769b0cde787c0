// MainWindowProc: the main window's own procedure, put in place at start-up. It is the program's
// end of the channel from the library and from a second copy: debug lines, commands, label texts
// and flags, the label handshake's acknowledgements, alarm-window and popup-help notices.
#pragma once

#include <cstdint>

#include "hooklib/clock_protocol.h"
#include "platform/window/window.h"

namespace core {

// The messages the main window takes, as the header shared with the library declares them.
using hooklib::CD_END;
using hooklib::CD_LABELFLAGS;
using hooklib::CD_LABELINDEX;
using hooklib::CD_LABELTEXT;
using hooklib::CN_ALARMWINDOWCLOSED;
using hooklib::CN_EXIT;
using hooklib::CN_HELPDISMISSED;
using hooklib::CN_LABELSREADY;
using hooklib::CN_OPENABOUT;
using hooklib::CN_OPENALARMS;
using hooklib::CN_OPENSETTINGS;
using hooklib::CN_SYNCCLOCK;
using hooklib::CN_TASKBARDROPPED;
using hooklib::WM_CLOCKNOTIFY;

// The procedure that was in place before MainWindowProc; messages not consumed go to it.
inline platform::LONG OldWindowProc = 0;

platform::LRESULT MainWindowProc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam);

// The text of a label-text record: the low byte of every 16-bit unit, one character each.
std::string LabelTextFromRecord(const void* data, std::uint32_t size);

}  // namespace core
