#include "core/debug_log.h"

#include <fstream>
#include <iostream>

#include "core/date_routines.h"
#include "core/program_settings.h"
#include "platform/services/paths.h"

namespace core {

std::string DebugLogLine(const DateTime& now, std::string_view message) {
    const std::string stamp = FormatDateTimeString(now);  // "YYYY-MM-DD hh:mm:ss"
    const std::size_t blank = stamp.find(' ');
    std::string line = "\"";
    line += stamp.substr(0, blank);
    line += " - ";
    line += stamp.substr(blank + 1);
    line += " > ";
    line += message;
    line += "\"\r\n";
    return line;
}

void DebugLog(const std::string& message) {
    if (!Settings.DebugMode || DebugOutputOn != 1) return;
    const std::string path = platform::MapPath(platform::ProgramFolder() + "\\!debug.dump");
    std::ofstream log(path, std::ios::binary | std::ios::app);
    log << DebugLogLine(Now(), message);
    log.close();
    if (!log) std::cerr << "OZR Ruriv: cannot write the debug log \"" << path << "\"; dropped: " << message << '\n';
}

}  // namespace core
