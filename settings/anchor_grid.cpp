#include "settings/anchor_grid.h"

#include "core/rounding.h"

namespace settings {
namespace {

// 0, 1, 2 for the first, second and third part; -1 outside. `third` is a real third, rounded
// where a bound uses it.
int PartOf(int v, double third) {
    auto bound = [](double b) { return static_cast<int>(core::RoundHalfEven(b)); };
    if (v >= 0 && v <= bound(third - 1)) return 0;
    if (v >= bound(third) && v <= bound(2 * third - 1)) return 1;
    if (v >= bound(2 * third) && v <= bound(3 * third)) return 2;
    return -1;
}

// Row by row, column by column; 0 for the middle cell, which changes nothing.
constexpr std::uint8_t kCellAnchors[3][3] = {
    {1, 2, 3},
    {8, 0, 4},
    {7, 6, 5},
};

}  // namespace

std::optional<std::uint8_t> AnchorOfCell(platform::POINT point, std::int32_t screenWidthTwips, std::int32_t screenHeightTwips) {
    const double widthThird = screenWidthTwips / 45.0;
    const double heightThird = core::RoundHalfEven(screenHeightTwips / 45.0);
    const int column = PartOf(point.x, widthThird);
    const int row = PartOf(point.y, heightThird);
    if (column < 0 || row < 0) return std::nullopt;
    const std::uint8_t anchor = kCellAnchors[row][column];
    if (anchor == 0) return std::nullopt;
    return anchor;
}

}  // namespace settings
