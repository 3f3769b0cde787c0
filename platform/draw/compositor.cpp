#include "platform/draw/compositor.h"

#include "platform/draw/raster.h"

#include <cstring>

namespace platform {
using namespace draw;

namespace {

void PaintLayer(Surface& screen, const Layer& layer, RECT damage) {
    const Surface& surface = *layer.surface;
    const RECT placed = OffsetRectBy(surface.bounds(), layer.position.x, layer.position.y);
    const RECT area = IntersectRects(placed, damage);
    if (area.empty()) return;
    const bool keyed = layer.layered.flags & LWA_COLORKEY;
    const bool blended = (layer.layered.flags & LWA_ALPHA) && layer.layered.alpha != 255;
    if (blended && layer.layered.alpha == 0) return;
    const Pixel key = OpaquePixel(layer.layered.colorKey);
    const std::uint32_t alpha = layer.layered.alpha;
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* src = surface.row(y - layer.position.y);
        Pixel* dst = screen.row(y);
        if (!keyed && !blended) {
            std::memcpy(dst + area.left, src + (area.left - layer.position.x), sizeof(Pixel) * area.width());
            continue;
        }
        for (int x = area.left; x < area.right; ++x) {
            const Pixel s = src[x - layer.position.x];
            if (keyed && SameColor(s, key)) continue;
            if (!blended) {
                dst[x] = s | 0xFF000000u;
                continue;
            }
            CoverPixel(dst[x], s, alpha);
        }
    }
}

bool Touch(const RECT& a, const RECT& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

constexpr std::size_t kMaxDamageAreas = 16;

}  // namespace

void ComposeLayers(Surface& screen, std::span<const Layer> bottomFirst, RECT damage, COLORREF background) {
    const RECT area = IntersectRects(damage, screen.bounds());
    if (area.empty()) return;
    screen.fill(area, OpaquePixel(background));
    for (const Layer& layer : bottomFirst)
        if (layer.visible && layer.surface) PaintLayer(screen, layer, area);
}

Compositor::Compositor(int width, int height, COLORREF background)
    : width_(width), height_(height), background_(background) {
    DamageAll();
}

std::shared_ptr<Surface> Compositor::ScreenSurface() const {
    if (!screen_) screen_ = std::make_shared<Surface>(width_, height_, OpaquePixel(background_));
    return screen_;
}

void Compositor::Damage(RECT area) {
    area = IntersectRects(area, Bounds());
    if (area.empty()) return;
    // Swallow every area the new one touches, until none is left to merge.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = damage_.begin(); it != damage_.end(); ++it) {
            if (!Touch(*it, area)) continue;
            area = UnionRects(area, *it);
            damage_.erase(it);
            merged = true;
            break;
        }
    }
    damage_.push_back(area);
    if (damage_.size() > kMaxDamageAreas) {
        RECT all{};
        for (const RECT& r : damage_) all = UnionRects(all, r);
        damage_.assign(1, all);
    }
}

void Compositor::DamageAll() { damage_.assign(1, Bounds()); }

RECT Compositor::Compose(std::span<const Layer> bottomFirst) {
    RECT bounds{};
    Surface& screen = *ScreenSurface();
    for (const RECT& area : damage_) {
        ComposeLayers(screen, bottomFirst, area, background_);
        bounds = UnionRects(bounds, area);
    }
    damage_.clear();
    return bounds;
}

RECT ShownPixels::TakeChanges(const Surface& now, RECT area) {
    if (shown_.width() != now.width() || shown_.height() != now.height()) {
        shown_ = now;
        return now.bounds();
    }
    area = IntersectRects(area, now.bounds());
    RECT changed{};
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* fresh = now.row(y);
        Pixel* old = shown_.row(y);
        const std::size_t bytes = sizeof(Pixel) * area.width();
        if (std::memcmp(fresh + area.left, old + area.left, bytes) == 0) continue;
        int left = area.left, right = area.right;
        while (fresh[left] == old[left]) ++left;
        while (fresh[right - 1] == old[right - 1]) --right;
        changed = UnionRects(changed, RECT{left, y, right, y + 1});
        std::memcpy(old + left, fresh + left, sizeof(Pixel) * (right - left));
    }
    return changed;
}

void Compositor::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    screen_.reset();
    DamageAll();
}

}  // namespace platform
