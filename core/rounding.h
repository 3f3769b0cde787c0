// Rounding to the nearest whole number with halves going to the even neighbour, the rounding the
// clock uses for twips, screen positions and its key numbers.
#pragma once

#include <cmath>

namespace core {

inline double RoundHalfEven(double x) {
    double below = std::floor(x);
    double fraction = x - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace core
