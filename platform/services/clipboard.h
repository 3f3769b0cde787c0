// The clipboard's text. On an X11 desktop the platform owns the CLIPBOARD selection and hands
// the text to whoever asks; headless the text stays in memory (the default).
#pragma once

#include <memory>
#include <string>

#include "platform/services/registry.h"

namespace platform {

class Clipboard : public Service {
public:
    static std::unique_ptr<Clipboard> MakeReal();  // in memory
    virtual bool SetText(const std::string& text) = 0;
    // The text this program put there last (empty when none, or when another program owns it now).
    virtual std::string Text() const = 0;
};

}  // namespace platform
