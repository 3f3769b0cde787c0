#include "settings/password_edit.h"

#include <algorithm>

namespace settings {

std::string ReplacePlaceholder(const std::string& placeholder, const std::string& edited) {
    const std::size_t shorter = std::min(placeholder.size(), edited.size());
    std::size_t kept = 0;  // from the start
    while (kept < shorter && placeholder[kept] == edited[kept]) ++kept;
    std::size_t keptAtEnd = 0;
    while (kept + keptAtEnd < shorter &&
           placeholder[placeholder.size() - 1 - keptAtEnd] == edited[edited.size() - 1 - keptAtEnd])
        ++keptAtEnd;
    return edited.substr(kept, edited.size() - kept - keptAtEnd);
}

}  // namespace settings
