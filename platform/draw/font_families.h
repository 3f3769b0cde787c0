// The font families installed, for the font dialog's list.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Sorted without regard to case, each family once; read once and kept.
const std::vector<std::string>& InstalledFontFamilies();

}  // namespace platform
