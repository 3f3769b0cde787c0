#include "platform/draw/surface.h"

#include <algorithm>

namespace platform {
namespace {

std::uint64_t NextGeneration() {
    static std::uint64_t count = 0;
    return ++count;
}

}  // namespace

Surface::Surface(int width, int height, Pixel fill, bool bottomUp)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bottomUp_(bottomUp),
      generation_(NextGeneration()),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

std::uint64_t Surface::generation() const { return bitsShared_ ? NextGeneration() : generation_; }

void Surface::touch() { generation_ = NextGeneration(); }

void Surface::fill(RECT area, Pixel value) {
    const RECT r = IntersectRects(area, bounds());
    for (int y = r.top; y < r.bottom; ++y) std::fill(row(y) + r.left, row(y) + r.right, value);
}

bool SurfaceSizeAllowed(int width, int height) {
    return width >= 0 && height >= 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide &&
           static_cast<long long>(width) * height <= kMaxSurfacePixels;
}

}  // namespace platform
