#include "core/help_sections.h"

#include <cstdio>

namespace core {

std::int16_t HelpIdOf(std::string_view helpKey) {
    int id = 0;
    for (char c : helpKey.substr(0, 4)) {
        if (c < '0' || c > '9') break;
        id = id * 10 + (c - '0');
    }
    return static_cast<std::int16_t>(id);
}

std::string TipKey(int number) {
    char key[16];
    std::snprintf(key, sizeof key, "%03dT", number);
    return key;
}

}  // namespace core
