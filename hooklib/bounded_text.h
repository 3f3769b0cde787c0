// Copies of texts into the shared section's fixed fields: never longer than the field allows
// (at most its size less one, and never cut inside a UTF-8 sequence), always terminated.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace hooklib {

// The longest start of text (up to an embedded zero) that fits in limit bytes.
std::string_view FitText(std::string_view text, std::size_t limit);

// Stores text in field, cut to limit bytes (at most N - 1); false when it had to be cut. A null
// text is an empty one.
template <std::size_t N>
bool CopyToField(char (&field)[N], const char* text, std::size_t limit = N - 1) {
    std::string_view whole = text ? std::string_view(text, strnlen(text, limit + 1)) : std::string_view("");
    if (limit > N - 1) limit = N - 1;
    std::string_view fitted = FitText(whole, limit);
    if (!fitted.empty()) std::memcpy(field, fitted.data(), fitted.size());  // a null text has no data
    std::memset(field + fitted.size(), 0, N - fitted.size());
    return fitted.size() == whole.substr(0, whole.find('\0')).size();
}

}  // namespace hooklib
