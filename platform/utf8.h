// UTF-8, one character at a time: the well-formed sequence at a position of a text.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes; 0 when no well-formed sequence starts there
};

// The character whose sequence starts at `at`. Overlong forms, surrogates, code points past
// U+10FFFF, stray continuation bytes and cut-off sequences are not well formed.
Utf8Char DecodeUtf8Char(std::string_view text, std::size_t at);

}  // namespace platform
