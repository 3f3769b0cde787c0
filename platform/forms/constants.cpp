#include "platform/forms/constants.h"

#include <cmath>

namespace platform::forms {

COLORREF ResolveColor(COLORREF color) {
    if (!(color & 0x80000000u)) return color & 0x00FFFFFFu;
    // The classic palette, by system colour index.
    static const COLORREF kSystem[] = {
        0xC8D0D4,  // 0 scroll bars
        0xA56E3A,  // 1 desktop
        0x6A240A,  // 2 active caption
        0x808080,  // 3 inactive caption
        0xC8D0D4,  // 4 menu bar
        0xFFFFFF,  // 5 window background
        0x000000,  // 6 window frame
        0x000000,  // 7 menu text
        0x000000,  // 8 window text
        0xFFFFFF,  // 9 caption text
        0xC8D0D4,  // 10 active border
        0xC8D0D4,  // 11 inactive border
        0x808080,  // 12 application workspace
        0x6A240A,  // 13 highlight
        0xFFFFFF,  // 14 highlight text
        0xC8D0D4,  // 15 button face
        0x808080,  // 16 button shadow
        0x808080,  // 17 grey text
        0x000000,  // 18 button text
        0xC8D0D4,  // 19 inactive caption text
        0xFFFFFF,  // 20 3D highlight
        0x404040,  // 21 3D dark shadow
        0xC8D0D4,  // 22 3D light
        0x000000,  // 23 tooltip text
        0xE1FFFF,  // 24 tooltip background
    };
    unsigned index = color & 0xFFu;
    return index < sizeof(kSystem) / sizeof(kSystem[0]) ? kSystem[index] : 0;
}

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

int ScaleToPixels(int value, int scaleMode) { return scaleMode == vbPixels ? value : TwipsToPixels(value); }

int PixelsToScale(int pixels, int scaleMode) { return scaleMode == vbPixels ? pixels : PixelsToTwips(pixels); }

}  // namespace platform::forms
