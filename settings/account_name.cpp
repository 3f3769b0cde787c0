#include "settings/account_name.h"

namespace settings {
namespace {

// The code point starting at `at` and its length in bytes; a byte that starts no well-formed
// sequence stands for itself.
struct Decoded {
    char32_t code;
    std::size_t length;
};

Decoded DecodeAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const auto continuation = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    if (lead >= 0xC2 && lead < 0xE0 && continuation(at + 1))
        return {static_cast<char32_t>(((lead & 0x1F) << 6) | (byte(at + 1) & 0x3F)), 2};
    return {lead, 1};
}

void Encode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

char32_t Lower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1, not the multiplication sign
    if (c == 0x178) return 0xFF;                               // Ÿ
    if (c == 0x130) return 'i';                                // İ
    // Latin Extended-A pairs: the capital first, at an even code point here and at an odd one in
    // 0x139..0x148 and 0x179..0x17E; 0x138 (ĸ) and 0x149 (ŉ) have no capital.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddCapitals) return c % 2 == 1 ? c + 1 : c;
    if (c >= 0x100 && c <= 0x177 && c != 0x138) return c % 2 == 0 ? c + 1 : c;
    if (c >= 0x218 && c <= 0x21B) return c % 2 == 0 ? c + 1 : c;  // Ș Ț
    return c;
}

}  // namespace

std::string AccountNameOf(const std::string& typed) {
    std::string lower;
    for (std::size_t at = 0; at < typed.size();) {
        const Decoded d = DecodeAt(typed, at);
        if (d.length == 1 && d.code >= 0x80) {
            lower += typed[at];  // not a two-byte character: kept byte for byte
        } else {
            Encode(Lower(d.code), lower);
        }
        at += d.length;
    }
    return lower;
}

}  // namespace settings
