#include "core/language_text.h"

namespace core {

std::string ExpandLineBreaks(std::string_view stored) {
    constexpr std::string_view kMark = "\\r\\n";
    std::string text;
    text.reserve(stored.size());
    std::size_t from = 0;
    for (std::size_t at = stored.find(kMark); at != std::string_view::npos; at = stored.find(kMark, from)) {
        text.append(stored.substr(from, at - from));
        text += "\r\n";
        from = at + kMark.size();
    }
    text.append(stored.substr(from));
    return text;
}

}  // namespace core
