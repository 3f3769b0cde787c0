// The taskbar clock's click actions, run in the context that owns the taskbar clock.
#pragma once

#include <string>

#include "platform/services/clock.h"

namespace hooklib {

// The single and the double click, as ShortcutSwap gives them their actions.
void RunSingleClickAction();
void RunDoubleClickAction();
// Puts the local date and time on the clipboard as TimestampText writes it.
void CopyTimestampToClipboard();
// Opens the desktop's date and time settings; without any, the debug log says so.
void OpenDateTimeSettings();
// YYYY_MM_DD_ddd_HH_MM_SS, ddd the short day name: "2025_05_05_Mon_07_08_09".
std::string TimestampText(const platform::SYSTEMTIME& time);

}  // namespace hooklib
