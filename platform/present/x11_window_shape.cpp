#include "platform/present/detail/x11_window_shape.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>

#include "platform/present/desktop_screen.h"

namespace platform::x11 {

void ApplyLayered(XWin& xw, HWND hwnd, const PresentedWindow& w) {
    DWORD flags = w.layeredFlags;
    bool keyed = (flags & LWA_COLORKEY) != 0;
    if (flags == xw.layeredFlags && w.layeredAlpha == xw.alpha && (!keyed || w.layeredKey == xw.key)) return;
    bool reshape = keyed != xw.keyed || (keyed && w.layeredKey != xw.key);
    const bool wasBlended = (xw.layeredFlags & LWA_ALPHA) != 0;
    const bool blended = (flags & LWA_ALPHA) != 0;
    if (blended && !(wasBlended && w.layeredAlpha == xw.alpha)) {
        unsigned long value = static_cast<unsigned long>(w.layeredAlpha) * 0x01010101ul;
        XChangeProperty(X().display, xw.xid, X().opacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    } else if (!blended && wasBlended) {
        XDeleteProperty(X().display, xw.xid, X().opacity);
    }
    xw.keyed = keyed;
    xw.key = w.layeredKey;
    xw.layeredFlags = flags;
    xw.alpha = w.layeredAlpha;
    if (reshape && xw.mapped)
        if (auto surface = WindowSurface(hwnd)) ApplyShape(xw, *surface, surface->bounds());
}

void ApplyShape(XWin& xw, const Surface& surface, const RECT& area) {
    if (!X().shapeExtension) return;
    if (!xw.keyed) {
        if (xw.shaped) XShapeCombineMask(X().display, xw.xid, ShapeBounding, 0, 0, None, ShapeSet);
        xw.shaped = false;
        return;
    }
    const bool whole = !xw.shaped || area == surface.bounds();
    const RECT part = whole ? surface.bounds() : area;
    Pixel key = OpaquePixel(xw.key);
    std::vector<XRectangle> runs;
    for (int y = part.top; y < part.bottom; ++y) {
        const Pixel* row = surface.row(y);
        int x = part.left;
        while (x < part.right) {
            while (x < part.right && SameColor(row[x], key)) ++x;
            int start = x;
            while (x < part.right && !SameColor(row[x], key)) ++x;
            if (x > start)
                runs.push_back(XRectangle{static_cast<short>(start), static_cast<short>(y),
                                          static_cast<unsigned short>(x - start), 1});
        }
    }
    if (!whole) {
        XRectangle cut{static_cast<short>(part.left), static_cast<short>(part.top), static_cast<unsigned short>(part.width()),
                       static_cast<unsigned short>(part.height())};
        XShapeCombineRectangles(X().display, xw.xid, ShapeBounding, 0, 0, &cut, 1, ShapeSubtract, Unsorted);
    }
    XShapeCombineRectangles(X().display, xw.xid, ShapeBounding, 0, 0, runs.data(), static_cast<int>(runs.size()),
                            whole ? ShapeSet : ShapeUnion, YXBanded);
    xw.shaped = true;
}

void PushPixels(HWND hwnd, const RECT& area, bool repainted) {
    auto it = X().windows.find(hwnd.id());
    if (it == X().windows.end() || !it->second.mapped) return;
    auto surface = WindowSurface(hwnd);
    if (!surface) return;
    RECT r = IntersectRects(area, surface->bounds());
    if (r.empty()) return;
    X().pixels.Send(it->second.xid, *surface, r);
    if (repainted) ApplyShape(it->second, *surface, r);
}

}  // namespace platform::x11
