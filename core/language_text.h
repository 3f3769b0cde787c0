// Line breaks in stored texts. The language and help files, the tips of the day and an alarm's
// text keep a line break as the four characters "\r\n" (backslash, r, backslash, n), so that every
// text fits on one line of its file.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The text with every "\r\n" (exactly these four characters, from left to right) made a CR LF.
std::string ExpandLineBreaks(std::string_view stored);

// The text of a key in the language file; the fallback when no language file is loaded or the key
// is missing there (a message that must reach the user even then).
std::string LanguageText(const char* section, const char* key, const char* fallback);

// Every occurrence of what in the text replaced by with (the language files' "%1", "%2").
void ReplaceAll(std::string& text, const std::string& what, const std::string& with);

}  // namespace core
