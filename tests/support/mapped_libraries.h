// Which shared libraries this test process has mapped, for tests of libraries opened on first use.
#pragma once

#include <fstream>
#include <string>

namespace testsupport {

// Is a library whose file name holds `library` mapped into this process?
inline bool LibraryMapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find(library) != std::string::npos) return true;
    return false;
}

}  // namespace testsupport
