#include "platform/services/clipboard.h"

#include <array>

#include "platform/draw/text_layout.h"
#include "platform/forms/text_edit.h"

namespace platform {
namespace {

class MemoryClipboard : public Clipboard {
public:
    bool SetText(Selection which, const std::string& text) override {
        texts_[static_cast<std::size_t>(which)] = text;
        return true;
    }
    std::string Text(Selection which) const override { return texts_[static_cast<std::size_t>(which)]; }

private:
    std::array<std::string, 2> texts_;
};

}  // namespace

std::unique_ptr<Clipboard> Clipboard::MakeReal() { return std::make_unique<MemoryClipboard>(); }

std::string CleanUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : draw::DecodeUtf8(text)) out += forms::Utf8FromCodePoint(static_cast<unsigned>(cp));
    return out;
}

std::string Utf8FromLatin1(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) out += forms::Utf8FromCodePoint(static_cast<unsigned char>(c));
    return out;
}

}  // namespace platform
