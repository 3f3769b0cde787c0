#include "hooklib/bounded_text.h"

namespace hooklib {
namespace {
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string_view FitText(std::string_view text, std::size_t limit) {
    text = text.substr(0, text.find('\0'));
    if (text.size() <= limit) return text;
    std::size_t cut = limit;
    // A sequence has at most three continuation bytes; a longer run is malformed and cut as is.
    for (int back = 0; back < 3 && cut > 0 && IsContinuationByte(text[cut]); ++back) --cut;
    if (IsContinuationByte(text[cut])) cut = limit;
    return text.substr(0, cut);
}

}  // namespace hooklib
