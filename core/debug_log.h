// The debug log "!debug.dump" in the program folder. A line is appended only when DebugMode is on
// at the time of the call and was on at start-up (DebugOutputOn). Each line is a double quote, the
// date, " - ", the time, " > ", the message as it stands, a double quote and CR LF; the date and
// time are in the clock's own forms, YYYY-MM-DD and hh:mm:ss.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_time.h"

namespace core {

// Set to 1 by start-up when DebugMode is on at that moment; nothing clears it.
inline std::uint8_t DebugOutputOn = 0;

// Appends one line when logging is on. The file is opened and closed for every line. A line that
// cannot be written is dropped (the caller's work goes on) and the failure is told on stderr.
void DebugLog(const std::string& message);

// The line as written, line end included.
std::string DebugLogLine(const DateTime& now, std::string_view message);

}  // namespace core
