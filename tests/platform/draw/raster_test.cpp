#include "platform/draw/raster.h"

#include <gtest/gtest.h>

namespace {
using namespace platform;
using namespace platform::draw;

// Text blends red and blue in one go; every channel, coverage and background must come out as
// mixing each channel on its own does.
TEST(DrawRaster, CoveringMixesEachChannelAsItsOwnRoundedBlend) {
    for (std::uint32_t coverage = 0; coverage <= 255; ++coverage) {
        for (std::uint32_t ink = 0; ink <= 255; ++ink) {
            for (std::uint32_t back = 0; back <= 255; ++back) {
                auto mixed = [&](std::uint32_t over, std::uint32_t under) {
                    return coverage == 255 ? over : Div255(over * coverage + under * (255 - coverage));
                };
                // Each channel has its own ink and background, so a mix-up between them shows.
                const Pixel color = (ink << 16) | (ink << 8) | (255 - ink);
                Pixel dst = (back << 16) | ((255 - back) << 8) | (back ^ 0x5A);
                CoverPixel(dst, color, coverage);
                const Pixel expected = (mixed(ink, back) << 16) | (mixed(ink, 255 - back) << 8) | mixed(255 - ink, back ^ 0x5A);
                ASSERT_EQ(dst, 0xFF000000u | expected)
                    << "ink " << ink << " over " << back << " at " << coverage;
            }
        }
    }
}

}  // namespace
