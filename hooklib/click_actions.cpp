// What a click on the taskbar clock does: copy the date and time as text to the clipboard, or
// open the desktop's date and time settings; ShortcutSwap decides which click does which.
#include "hooklib/click_actions.h"

#include <cstdio>

#include "hooklib/label_date_names.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "platform/services/clipboard.h"
#include "platform/services/date_time_settings.h"

namespace hooklib {

std::string TimestampText(const platform::SYSTEMTIME& t) {
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "%04d_%02d_%02d_", static_cast<int>(t.wYear), static_cast<int>(t.wMonth),
                  static_cast<int>(t.wDay));
    char time[40];
    std::snprintf(time, sizeof time, "_%02d_%02d_%02d", static_cast<int>(t.wHour), static_cast<int>(t.wMinute),
                  static_cast<int>(t.wSecond));
    return numbers + DayName(t, NameForm::Short) + time;
}

void CopyTimestampToClipboard() {
    platform::SYSTEMTIME now;
    platform::GetLocalTime(&now);
    // A clipboard that cannot be had changes nothing the user sees.
    if (!platform::UseService<platform::Clipboard>().SetText(TimestampText(now)))
        LogDebug("{CopyTimestampToClipboard}: The clipboard could not be set.");
}

void OpenDateTimeSettings() {
    if (!platform::UseService<platform::DateTimeSettings>().Open())
        LogDebug("{OpenDateTimeSettings}: No date and time settings tool is available.");
}

void RunSingleClickAction() { Share().ShortcutSwap ? OpenDateTimeSettings() : CopyTimestampToClipboard(); }
void RunDoubleClickAction() { Share().ShortcutSwap ? CopyTimestampToClipboard() : OpenDateTimeSettings(); }

}  // namespace hooklib
