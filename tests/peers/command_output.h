// What a command printed on its standard output (the peer tests read X clients' answers so).
#pragma once

#include <cstdio>
#include <string>

inline std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = fread(buffer, 1, sizeof(buffer), p)) out.append(buffer, n);
        pclose(p);
    }
    return out;
}
