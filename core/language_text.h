// Line breaks in stored texts. The language and help files, the tips of the day and an alarm's
// text keep a line break as the four characters "\r\n" (backslash, r, backslash, n), so that every
// text fits on one line of its file.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The text with every "\r\n" (exactly these four characters, from left to right) made a CR LF.
std::string ExpandLineBreaks(std::string_view stored);

}  // namespace core
