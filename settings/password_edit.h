// The password box of the online storage account: it never shows the stored password, only a
// placeholder that stands for it. The first edit of the placeholder replaces it with what was
// typed (wherever the caret was, whatever was selected), so neither the placeholder's characters
// nor the first character typed end up in the password.
#pragma once

#include <string>

namespace settings {

inline constexpr const char* kPasswordPlaceholder = "?????";

// What the user put in place of the placeholder: the box's text after the edit less the
// placeholder's characters that the edit kept at either end.
std::string ReplacePlaceholder(const std::string& placeholder, const std::string& edited);

}  // namespace settings
