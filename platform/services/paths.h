// The program folder and the one mapper from the clock's paths to real paths.
//
// The clock writes its paths with "\" and relative to the program folder (the folder of the
// executable; nothing depends on the current directory), for example "\Alarms\MyAlarms.ozrini",
// or puts the program folder in front of such a path. MapPath turns either form into a real path:
//   - every "\" becomes "/";
//   - a path that begins with "/" (a real absolute path, such as ProgramFolder() + "\System\x")
//     stays absolute; any other path is taken relative to the program folder;
//   - each file or folder name that does not exist as written is looked up in its folder without
//     regard to ASCII letter case; the first match in byte order is taken. A name found neither
//     way is kept as written (so a file that is about to be created gets the name the clock gave).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program folder as a real path without a trailing "/". By default the folder of the running
// executable (/proc/self/exe); SetProgramFolder replaces it.
std::string ProgramFolder();

// For tests and the in-process desktop harness. An empty folder restores the default.
void SetProgramFolder(const std::string& folder);

// The real path of one of the clock's paths (see above).
std::string MapPath(std::string_view clockPath);

}  // namespace platform
