// Bounded copies into the label's fixed text fields.
#include <cstring>

#include "hooklib/bounded_text.h"
#include "hooklib/hook_label.h"

namespace hooklib {
namespace {

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
