// A memory DC with its own bitmap, for tests that draw and read back.
#pragma once

#include "platform/draw/gdi.h"

#include <algorithm>

namespace drawtest {

using namespace platform;

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) {
        dc_ = CreateCompatibleDC(HDC());
        bitmap_ = CreateCompatibleBitmap(dc_, width, height);
        previous_ = SelectObject(dc_, bitmap_);
        surface_ = SurfaceOfBitmap(bitmap_);
        surface_->fill(surface_->bounds(), OpaquePixel(fill));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    Surface& surface() { return *surface_; }
    COLORREF at(int x, int y) const { return PixelColor(surface_->at(x, y)); }

    // The smallest rectangle holding every pixel that differs from background; empty when none.
    RECT inkBounds(COLORREF background) const { return bounds([&](COLORREF c) { return c != background; }); }
    // The smallest rectangle holding every pixel of color; empty when none.
    RECT colorBounds(COLORREF color) const { return bounds([&](COLORREF c) { return c == color; }); }

    template <class Predicate>
    RECT bounds(Predicate matches) const {
        RECT r{surface_->width(), surface_->height(), 0, 0};
        for (int y = 0; y < surface_->height(); ++y)
            for (int x = 0; x < surface_->width(); ++x)
                if (matches(at(x, y))) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r.empty() ? RECT{} : r;
    }

    int count(COLORREF color) const {
        int n = 0;
        for (int y = 0; y < surface_->height(); ++y)
            for (int x = 0; x < surface_->width(); ++x) n += at(x, y) == color;
        return n;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::shared_ptr<Surface> surface_;
};

}  // namespace drawtest
