// The clipboard's text, and the text last selected (X's primary selection, which the middle button
// pastes). On an X11 desktop the platform owns the CLIPBOARD or PRIMARY selection and hands the
// text to whoever asks, and asks another program that owns one for its text; headless the texts
// stay in memory (the default).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/services/registry.h"

namespace platform {

class Clipboard : public Service {
public:
    enum class Selection { Clipboard, Primary };
    static std::unique_ptr<Clipboard> MakeReal();  // in memory
    virtual bool SetText(Selection which, const std::string& text) = 0;
    // The text as UTF-8: what this program put there last, or what the program that owns it now
    // hands over (empty when none, or when it does not answer in time).
    virtual std::string Text(Selection which) const = 0;

    bool SetText(const std::string& text) { return SetText(Selection::Clipboard, text); }
    std::string Text() const { return Text(Selection::Clipboard); }
};

// Text from outside made sound UTF-8: each byte that is no part of a well-formed character
// becomes U+FFFD.
std::string CleanUtf8(std::string_view text);
// Latin-1 text (each byte a code point) as UTF-8.
std::string Utf8FromLatin1(std::string_view text);

}  // namespace platform
