// The message boxes of the settings window and of every page it shows: system-modal, owned by the
// page's window, titled "OZR Ruriv - " and the word of their kind from the language file's "General"
// section, with a text of the page's own section or one the page put together.
#pragma once

#include <string>

#include "platform/forms/form.h"

namespace settings {

// What a box is for; each kind has its buttons, its icon and the word of its title.
enum class PageBox { Error, Question, YesNoCancel, Information };

class PageBoxes {
public:
    PageBoxes(platform::forms::Form& page, const char* section) : page_(page), section_(section) {}

    // The text of a key of the page's section: an error, a question answered Yes, an information.
    void Error(const char* key) const;
    bool Ask(const char* key) const;
    void Inform(const char* key) const;
    // A text the page put together, in a box of its kind; the button that closed it.
    int Show(PageBox kind, const std::string& text) const;

private:
    platform::forms::Form& page_;
    const char* section_;
};

}  // namespace settings
