#include "platform/forms/constants.h"

#include "platform/draw/system_colors.h"

#include <cmath>

namespace platform::forms {

COLORREF ResolveColor(COLORREF color) {
    if (!(color & 0x80000000u)) return color & 0x00FFFFFFu;
    return GetSysColor(static_cast<int>(color & 0xFFu));
}

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))); }

int ScaleToPixels(int value, int scaleMode) { return scaleMode == vbPixels ? value : TwipsToPixels(value); }

int PixelsToScale(int pixels, int scaleMode) { return scaleMode == vbPixels ? pixels : PixelsToTwips(pixels); }

}  // namespace platform::forms
