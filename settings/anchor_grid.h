// The 3 x 3 grid over the screen that an anchor picking reads the pointer on: each cell but the
// middle one stands for the anchor of its corner or edge.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/base.h"

namespace settings {

// The anchor of the cell a screen point (pixels) lies in, for a screen of the given size in twips;
// nothing for the middle cell and for a point outside the screen (another monitor). A third of
// the width is kept as a real number and each bound rounded when it is compared, so the columns
// of a 1024-pixel screen are 0..340, 341..682 and 683..1024; a third of the height is rounded
// first (rows 0..255, 256..511, 512..768 on 768 pixels).
std::optional<std::uint8_t> AnchorOfCell(platform::POINT point, std::int32_t screenWidthTwips, std::int32_t screenHeightTwips);

}  // namespace settings
