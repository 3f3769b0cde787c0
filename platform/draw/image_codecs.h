// The decoders behind DecodeImage (inside platform/draw only). Each takes the whole file.
#pragma once

#include "platform/draw/image.h"

namespace platform::draw {

DecodedImage DecodeBmp(std::span<const std::uint8_t> bytes);
DecodedImage DecodeIco(std::span<const std::uint8_t> bytes, int preferredSize);
DecodedImage DecodePng(std::span<const std::uint8_t> bytes);
DecodedImage DecodeJpeg(std::span<const std::uint8_t> bytes);
DecodedImage DecodeGif(std::span<const std::uint8_t> bytes);

// A device-independent bitmap: info header, palette and pixels as they follow each other in an
// icon (pixelOffset 0), or with the pixels at pixelOffset from the header's start (a .bmp file).
// An icon's DIB holds twice its height: the colour rows, then a 1-bit mask (1 = transparent).
DecodedImage DecodeDib(std::span<const std::uint8_t> dib, std::size_t pixelOffset, bool iconMask);

DecodedImage ImageFailure(std::string error);
bool ImageSizeAllowed(long long width, long long height);
// 0xAARRGGBB with straight alpha to premultiplied.
Pixel Premultiply(Pixel straight);
// Builds a surface from top-down rows of R, G, B, A bytes (straight alpha).
std::shared_ptr<Surface> SurfaceFromRgba(const std::uint8_t* rgba, int width, int height);

}  // namespace platform::draw
