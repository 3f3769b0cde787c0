// The clipboard's text. On an X11 desktop the platform owns the CLIPBOARD selection and hands
// the text to whoever asks, and asks another program that owns it for its text; headless the text
// stays in memory (the default).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/services/registry.h"

namespace platform {

class Clipboard : public Service {
public:
    static std::unique_ptr<Clipboard> MakeReal();  // in memory
    virtual bool SetText(const std::string& text) = 0;
    // The clipboard's text as UTF-8: what this program put there last, or what the program that
    // owns it now hands over (empty when none, or when it does not answer in time).
    virtual std::string Text() const = 0;
};

// Text from outside made sound UTF-8: each byte that is no part of a well-formed character
// becomes U+FFFD.
std::string CleanUtf8(std::string_view text);
// Latin-1 text (each byte a code point) as UTF-8.
std::string Utf8FromLatin1(std::string_view text);

}  // namespace platform
