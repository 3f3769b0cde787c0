// The entry that starts the clock with the user's session follows the AutoStart setting: the
// first run writes it with the settings it stores, Apply with every later change.
#pragma once

#include <optional>
#include <string>

namespace core {

// Writes the entry when AutoStart is on, removes it when off; why that failed, or nothing.
std::optional<std::string> FollowAutostartSetting();

}  // namespace core
