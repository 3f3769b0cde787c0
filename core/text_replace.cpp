#include "core/text_replace.h"

namespace core {

std::string ReplaceEvery(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, done)) {
        out.append(text.substr(done, at - done));
        out.append(to);
        done = at + from.size();
    }
    out.append(text.substr(done));
    return out;
}

}  // namespace core
