// Pixel work on surfaces, shared by the blits, text, shapes, image scaling and the compositor.
// Every operation writes only inside `clip` (surface coordinates, also cut to the surface) and
// reads only inside the source surface; source pixels outside it leave the destination as it was.
#pragma once

#include "platform/draw/surface.h"

#include <optional>

namespace platform::draw {

// round(v / 255) for v up to 255 * 255.
constexpr std::uint32_t Div255(std::uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

// Div255 of two values at once, one in each 16-bit half: neither half carries into the other.
constexpr std::uint32_t Div255Pair(std::uint32_t v) {
    v += 0x00800080u;
    return ((v + ((v >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// colour over destination with a coverage of 0 to 255; the result is opaque. Red and blue are
// mixed together, as text draws this for every pixel of every glyph.
inline void CoverPixel(Pixel& dst, Pixel color, std::uint32_t coverage) {
    if (coverage >= 255) {
        dst = color | 0xFF000000u;
        return;
    }
    const std::uint32_t rest = 255 - coverage;
    const std::uint32_t redBlue = Div255Pair((color & 0x00FF00FFu) * coverage + (dst & 0x00FF00FFu) * rest);
    const std::uint32_t green = Div255(((color >> 8) & 0xFF) * coverage + ((dst >> 8) & 0xFF) * rest);
    dst = 0xFF000000u | redBlue | (green << 8);
}

RECT ClipToSurface(const Surface& surface, RECT clip);

void FillArea(Surface& dst, RECT clip, RECT area, Pixel value);

// How a source pixel lands on its destination pixel.
struct PixelTransfer {
    enum class Mode { Copy, ColorKey, Blend } mode = Mode::Copy;
    Pixel key = 0;             // ColorKey: source pixels of this colour are left out
    BYTE constantAlpha = 255;  // Blend: applied to every source pixel
    bool sourceAlpha = false;  // Blend: the source carries premultiplied per-pixel alpha
};

// Maps srcRect onto dstRect (nearest pixel when the sizes differ). Both rectangles must have a
// positive size. A source that is the destination itself is read before anything is written.
// Returns the part of dst that may have changed: a plain copy leaves rows that hold the same
// pixels already alone, so copying what is there changes nothing.
RECT TransferArea(Surface& dst, RECT clip, RECT dstRect, const Surface& src, RECT srcRect,
                  const PixelTransfer& transfer);

// A copy of surface scaled to width x height (nearest pixel).
Surface ScaledCopy(const Surface& surface, int width, int height);

}  // namespace platform::draw
