// The account name of the online alarm storage is kept and sent in lower case, so "Alice" and
// "alice" are one account. Letters of the Latin alphabets the program's languages write (ASCII,
// Latin-1, Latin Extended-A, and the comma-below letters of Romanian) are lowered; other
// characters stay as they are.
#pragma once

#include <string>

namespace settings {

std::string AccountNameOf(const std::string& typed);

}  // namespace settings
