#include "platform/draw/raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::draw {
namespace {

Pixel BlendOver(Pixel dst, Pixel src, const PixelTransfer& t) {
    const std::uint32_t a = t.constantAlpha;
    if (!t.sourceAlpha) {
        const std::uint32_t rest = 255 - a;
        auto mix = [&](int shift) {
            return Div255(((src >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * rest) << shift;
        };
        return mix(24) | mix(16) | mix(8) | mix(0);
    }
    const std::uint32_t srcAlpha = Div255((src >> 24) * a);
    const std::uint32_t rest = 255 - srcAlpha;
    auto mix = [&](int shift) {
        return std::min<std::uint32_t>(255, Div255(((src >> shift) & 0xFF) * a) + Div255(((dst >> shift) & 0xFF) * rest))
               << shift;
    };
    return ((std::min<std::uint32_t>(255, srcAlpha + Div255((dst >> 24) * rest))) << 24) | mix(16) | mix(8) | mix(0);
}

// For each destination coordinate in [from, to): the source coordinate it samples, or -1.
std::vector<int> SampleMap(int from, int to, int dstStart, int dstSize, int srcStart, int srcSize, int srcLimit) {
    std::vector<int> map(static_cast<std::size_t>(std::max(0, to - from)));
    for (int d = from; d < to; ++d) {
        const long long offset = (2LL * (d - dstStart) * srcSize + srcSize) / (2LL * dstSize);
        const long long s = srcStart + offset;
        map[static_cast<std::size_t>(d - from)] = (s >= 0 && s < srcLimit) ? static_cast<int>(s) : -1;
    }
    return map;
}

}  // namespace

RECT ClipToSurface(const Surface& surface, RECT clip) { return IntersectRects(clip, surface.bounds()); }

void FillArea(Surface& dst, RECT clip, RECT area, Pixel value) {
    dst.fill(IntersectRects(area, ClipToSurface(dst, clip)), value);
}

RECT TransferArea(Surface& dst, RECT clip, RECT dstRect, const Surface& src, RECT srcRect,
                  const PixelTransfer& transfer) {
    if (dstRect.empty() || srcRect.empty()) return RECT{};
    const RECT area = IntersectRects(dstRect, ClipToSurface(dst, clip));
    if (area.empty()) return RECT{};
    if (&dst == &src) {
        // Reading and writing the same pixels: take the source aside first.
        const RECT part = IntersectRects(srcRect, src.bounds());
        if (part.empty()) return RECT{};
        Surface copy(part.width(), part.height(), 0);
        for (int y = part.top; y < part.bottom; ++y)
            std::memcpy(copy.row(y - part.top), src.row(y) + part.left, sizeof(Pixel) * part.width());
        RECT shifted = OffsetRectBy(srcRect, -part.left, -part.top);
        return TransferArea(dst, clip, dstRect, copy, shifted, transfer);
    }

    const bool sameSize = dstRect.width() == srcRect.width() && dstRect.height() == srcRect.height();
    if (sameSize && transfer.mode == PixelTransfer::Mode::Copy) {
        const int dx = srcRect.left - dstRect.left;
        const int dy = srcRect.top - dstRect.top;
        const RECT readable = IntersectRects(OffsetRectBy(area, dx, dy), src.bounds());
        const std::size_t bytes = sizeof(Pixel) * readable.width();
        RECT changed{};
        for (int sy = readable.top; sy < readable.bottom; ++sy) {
            Pixel* to = dst.row(sy - dy) + (readable.left - dx);
            const Pixel* from = src.row(sy) + readable.left;
            if (std::memcmp(to, from, bytes) == 0) continue;
            std::memcpy(to, from, bytes);
            changed = UnionRects(changed, RECT{readable.left - dx, sy - dy, readable.right - dx, sy - dy + 1});
        }
        return changed;
    }

    const std::vector<int> columns =
        SampleMap(area.left, area.right, dstRect.left, dstRect.width(), srcRect.left, srcRect.width(), src.width());
    const std::vector<int> rows =
        SampleMap(area.top, area.bottom, dstRect.top, dstRect.height(), srcRect.top, srcRect.height(), src.height());
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy = rows[static_cast<std::size_t>(y - area.top)];
        if (sy < 0) continue;
        const Pixel* srcRow = src.row(sy);
        Pixel* dstRow = dst.row(y);
        for (int x = area.left; x < area.right; ++x) {
            const int sx = columns[static_cast<std::size_t>(x - area.left)];
            if (sx < 0) continue;
            const Pixel s = srcRow[sx];
            switch (transfer.mode) {
                case PixelTransfer::Mode::Copy: dstRow[x] = s; break;
                case PixelTransfer::Mode::ColorKey:
                    if (!SameColor(s, transfer.key)) dstRow[x] = s;
                    break;
                case PixelTransfer::Mode::Blend: dstRow[x] = BlendOver(dstRow[x], s, transfer); break;
            }
        }
    }
    return area;
}

Surface ScaledCopy(const Surface& surface, int width, int height) {
    Surface scaled(width, height, 0);
    TransferArea(scaled, scaled.bounds(), scaled.bounds(), surface, surface.bounds(), PixelTransfer{});
    return scaled;
}

}  // namespace platform::draw
