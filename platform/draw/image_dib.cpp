// Device-independent bitmaps, as .bmp files hold them and as icon files embed them.
#include "platform/draw/image_codecs.h"
#include "platform/draw/raster.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace platform::draw {
namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::int32_t S32(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// One colour channel picked out by a bit mask, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    std::uint32_t read(std::uint32_t value) const {
        if (!mask) return 0;
        const std::uint32_t v = (value & mask) >> shift;
        return bits >= 8 ? v >> (bits - 8) : (v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1);
    }
};

struct DibHeader {
    std::size_t headerSize = 0;
    long long width = 0;
    long long height = 0;  // rows of the colour image
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool core = false;                      // the old 12-byte header with 3-byte palette entries
};

}  // namespace

DecodedImage DecodeDib(std::span<const std::uint8_t> dib, std::size_t pixelOffset, bool iconMask) {
    if (dib.size() < 12) return ImageFailure("bitmap header is cut short");
    DibHeader h;
    h.headerSize = U32(dib, 0);
    if (h.headerSize == 12) {
        h.core = true;
        h.width = U16(dib, 4);
        h.height = static_cast<std::int16_t>(U16(dib, 6));
        h.bitCount = static_cast<int>(U16(dib, 10));
    } else if (h.headerSize >= 40 && h.headerSize <= dib.size()) {
        h.width = S32(dib, 4);
        h.height = S32(dib, 8);
        h.bitCount = static_cast<int>(U16(dib, 14));
        h.compression = U32(dib, 16);
        h.colorsUsed = U32(dib, 32);
        for (int i = 0; i < 4 && 40 + 4 * (i + 1) <= static_cast<int>(h.headerSize); ++i) h.masks[i] = U32(dib, 40 + 4 * i);
    } else {
        return ImageFailure("unknown bitmap header");
    }
    if (h.height < 0) {
        if (iconMask) return ImageFailure("top-down icon bitmap");
        h.topDown = true;
        h.height = -h.height;
    }
    if (iconMask) h.height /= 2;
    if (h.width <= 0 || h.height <= 0 || !ImageSizeAllowed(h.width, h.height)) return ImageFailure("bad bitmap size");

    std::size_t tableEnd = h.headerSize;
    if (h.compression == BI_BITFIELDS && h.headerSize == 40) {
        if (dib.size() < 52) return ImageFailure("bitmap masks are cut short");
        for (int i = 0; i < 3; ++i) h.masks[i] = U32(dib, 40 + 4 * i);
        tableEnd = 52;
    }
    if (h.compression == BI_RGB) {
        if (h.bitCount == 16) h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F, h.masks[3] = 0;
        if (h.bitCount == 24 || h.bitCount == 32)
            h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF, h.masks[3] = iconMask ? 0xFF000000u : 0;
    } else if (h.compression != BI_BITFIELDS || (h.bitCount != 16 && h.bitCount != 32)) {
        return ImageFailure("compressed bitmaps are not supported");
    }
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 && h.bitCount != 32)
        return ImageFailure("unsupported bits per pixel");

    std::vector<Pixel> palette;
    if (h.bitCount <= 8) {
        const std::size_t count = h.colorsUsed && h.colorsUsed <= (1u << h.bitCount) ? h.colorsUsed : (1u << h.bitCount);
        const std::size_t entry = h.core ? 3 : 4;
        if (tableEnd + count * entry > dib.size()) return ImageFailure("bitmap palette is cut short");
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = tableEnd + i * entry;
            palette.push_back(0xFF000000u | (dib[at + 2] << 16) | (dib[at + 1] << 8) | dib[at]);
        }
        tableEnd += count * entry;
    }

    const std::size_t stride = static_cast<std::size_t>((h.width * h.bitCount + 31) / 32) * 4;
    const std::size_t pixels = pixelOffset ? pixelOffset : tableEnd;
    const std::size_t maskStride = static_cast<std::size_t>((h.width + 31) / 32) * 4;
    const std::size_t needed = pixels + stride * h.height + (iconMask ? maskStride * h.height : 0);
    if (pixels < tableEnd && pixelOffset) return ImageFailure("bitmap pixels overlap the header");
    if (needed > dib.size()) return ImageFailure("bitmap pixels are cut short");

    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    const int width = static_cast<int>(h.width);
    const int height = static_cast<int>(h.height);
    auto surface = std::make_shared<Surface>(width, height, 0);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = dib.data() + pixels + stride * (h.topDown ? y : height - 1 - y);
        Pixel* out = surface->row(y);
        for (int x = 0; x < width; ++x) {
            if (h.bitCount <= 8) {
                const int perByte = 8 / h.bitCount;
                const int shift = 8 - h.bitCount * (x % perByte + 1);
                const std::size_t index = (row[x / perByte] >> shift) & ((1u << h.bitCount) - 1);
                out[x] = index < palette.size() ? palette[index] : 0xFF000000u;
                continue;
            }
            std::uint32_t v = 0;
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * (h.bitCount / 8);
            for (int k = h.bitCount / 8 - 1; k >= 0; --k) v = (v << 8) | p[k];
            const std::uint32_t a = alpha.mask ? alpha.read(v) : 255;
            anyAlpha = anyAlpha || (alpha.mask && a != 0);
            out[x] = (a << 24) | (red.read(v) << 16) | (green.read(v) << 8) | blue.read(v);
        }
    }
    if (alpha.mask && !anyAlpha) {
        // An alpha channel that is zero everywhere carries nothing: the picture is opaque.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) surface->at(x, y) |= 0xFF000000u;
    } else if (alpha.mask) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) surface->at(x, y) = Premultiply(surface->at(x, y));
    }
    if (iconMask && !(alpha.mask && anyAlpha)) {
        const std::uint8_t* mask = dib.data() + pixels + stride * height;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = mask + maskStride * (height - 1 - y);
            for (int x = 0; x < width; ++x)
                if ((row[x / 8] >> (7 - x % 8)) & 1) surface->at(x, y) = 0;
        }
    }
    return DecodedImage{surface, {}};
}

DecodedImage DecodeBmp(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 14 + 12 || bytes[0] != 'B' || bytes[1] != 'M') return ImageFailure("not a bitmap file");
    const std::uint32_t offset = U32(bytes, 10);
    if (offset < 14 + 12 || offset > bytes.size()) return ImageFailure("bitmap pixel offset outside the file");
    return DecodeDib(bytes.subspan(14), offset - 14, false);
}

DecodedImage DecodeIco(std::span<const std::uint8_t> bytes, int preferredSize) {
    if (bytes.size() < 6 || U16(bytes, 0) != 0 || (U16(bytes, 2) != 1 && U16(bytes, 2) != 2))
        return ImageFailure("not an icon file");
    const std::size_t count = U16(bytes, 4);
    if (count == 0 || 6 + 16 * count > bytes.size()) return ImageFailure("icon directory is cut short");
    std::size_t best = 0;
    auto side = [&](std::size_t i) { return bytes[6 + 16 * i] ? bytes[6 + 16 * i] : 256; };
    auto depth = [&](std::size_t i) { return U16(bytes, 6 + 16 * i + 6); };
    if (preferredSize > 0) {
        for (std::size_t i = 1; i < count; ++i) {
            const int d = std::abs(side(i) - preferredSize);
            const int bestD = std::abs(side(best) - preferredSize);
            if (d < bestD || (d == bestD && depth(i) > depth(best))) best = i;
        }
    }
    const std::size_t size = U32(bytes, 6 + 16 * best + 8);
    const std::size_t offset = U32(bytes, 6 + 16 * best + 12);
    if (offset > bytes.size() || size > bytes.size() - offset || size < 12) return ImageFailure("icon image outside the file");
    const auto image = bytes.subspan(offset, size);
    static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
    if (std::equal(std::begin(kPng), std::end(kPng), image.begin())) return DecodePng(image);
    return DecodeDib(image, 0, true);
}

}  // namespace platform::draw
