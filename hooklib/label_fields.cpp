// Bounded copies into the label's fixed text fields.
#include <cstring>

#include "hooklib/hook_label.h"

namespace hooklib {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The longest prefix of text that fits in limit bytes without cutting a UTF-8 sequence.
std::string_view FitText(std::string_view text, std::size_t limit) {
    text = text.substr(0, text.find('\0'));
    if (text.size() <= limit) {
        return text;
    }
    std::size_t cut = limit;
    // A sequence is at most four bytes; a longer run of continuation bytes is malformed
    // anyway and is cut at the limit.
    for (std::size_t back = 0; back < 4 && cut > 0 && IsContinuationByte(text[cut]); ++back) {
        --cut;
    }
    if (IsContinuationByte(text[cut])) {
        cut = limit;
    }
    return text.substr(0, cut);
}

template <std::size_t N>
void StoreText(char (&field)[N], std::string_view text) {
    const std::string_view fitted = FitText(text, N - 1);
    std::memcpy(field, fitted.data(), fitted.size());
    std::memset(field + fitted.size(), 0, N - fitted.size());
}

template <std::size_t N>
std::string_view StoredText(const char (&field)[N]) {
    const std::string_view whole(field, N - 1);
    return whole.substr(0, whole.find('\0'));
}

}  // namespace

void SetLabelFace(HookLabel& label, std::string_view face) { StoreText(label.Face, face); }

void SetLabelFormatText(HookLabel& label, std::string_view format) { StoreText(label.FormatText, format); }

std::string_view LabelFace(const HookLabel& label) { return StoredText(label.Face); }

std::string_view LabelFormatText(const HookLabel& label) { return StoredText(label.FormatText); }

}  // namespace hooklib
