// A surface: the pixels a window, a bitmap or the screen is made of.
// Pixels are 32-bit 0xAARRGGBB values, so in memory (little-endian) they read B, G, R, A: the
// layout of an X11 ZPixmap and of a 32-bit device-independent bitmap alike.
// Drawing writes opaque pixels (alpha 0xFF). Pictures with transparency are kept premultiplied,
// the form that AlphaBlend with per-pixel alpha expects.
#pragma once

#include "platform/base.h"

#include <cstdint>
#include <vector>

namespace platform {

using Pixel = std::uint32_t;

constexpr Pixel OpaquePixel(COLORREF c) {
    return 0xFF000000u | (static_cast<Pixel>(GetRValue(c)) << 16) | (static_cast<Pixel>(GetGValue(c)) << 8) |
           static_cast<Pixel>(GetBValue(c));
}
constexpr COLORREF PixelColor(Pixel p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
constexpr bool SameColor(Pixel a, Pixel b) { return ((a ^ b) & 0x00FFFFFFu) == 0; }

class Surface {
public:
    Surface() = default;
    // A bottom-up surface keeps its last row first in memory, as a bottom-up bitmap file does;
    // row(y) hides that from every reader.
    Surface(int width, int height, Pixel fill = 0xFF000000u, bool bottomUp = false);

    int width() const { return width_; }
    int height() const { return height_; }
    RECT bounds() const { return RECT{0, 0, width_, height_}; }
    bool bottomUp() const { return bottomUp_; }

    Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(bottomUp_ ? height_ - 1 - y : y) * width_; }
    const Pixel* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(bottomUp_ ? height_ - 1 - y : y) * width_;
    }
    Pixel& at(int x, int y) { return row(y)[x]; }
    Pixel at(int x, int y) const { return row(y)[x]; }

    // The buffer as it lies in memory (first row stored first): the bits of a bitmap.
    Pixel* bits() { return pixels_.data(); }
    const Pixel* bits() const { return pixels_.data(); }

    void fill(RECT area, Pixel value);  // clipped to the surface

    // How far drawing on the surface has got: a number drawn from one count for all surfaces, new
    // for every surface made and taken again by every drawing that may change its pixels, so that
    // an equal number means the same surface with the same pixels. The drawing layer takes it for
    // what it draws (touch); a surface whose bits were handed out for writing (shareBits) can
    // change without drawing, and gives a new number at every ask.
    std::uint64_t generation() const;
    void touch();
    void shareBits() { bitsShared_ = true; }

private:
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = false;
    bool bitsShared_ = false;
    std::uint64_t generation_ = 0;
    std::vector<Pixel> pixels_;
};

// The largest side and area a surface may have; larger requests are refused by their makers.
constexpr int kMaxSurfaceSide = 16384;
constexpr long long kMaxSurfacePixels = 64LL * 1024 * 1024;
bool SurfaceSizeAllowed(int width, int height);

}  // namespace platform
