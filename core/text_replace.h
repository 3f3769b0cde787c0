// Replacing every occurrence of a text in another.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Every non-overlapping occurrence of `from`, left to right, replaced by `to`; what a replacement
// puts in is not searched again, so the walk ends whatever the texts are. An empty `from` changes
// nothing.
std::string ReplaceEvery(std::string_view text, std::string_view from, std::string_view to);

}  // namespace core
