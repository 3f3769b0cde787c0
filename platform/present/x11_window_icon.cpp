#include "platform/present/detail/x11_window_icon.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <vector>

#include "platform/present/window_icons.h"

namespace platform {
namespace {

// A picture as EWMH wants it: its width and height, then one ARGB pixel a cardinal, row by row,
// not premultiplied.
std::vector<unsigned long> Cardinals(const Surface& s) {
    std::vector<unsigned long> out{static_cast<unsigned long>(s.width()), static_cast<unsigned long>(s.height())};
    for (int y = 0; y < s.height(); ++y) {
        const Pixel* row = s.row(y);
        for (int x = 0; x < s.width(); ++x) {
            const Pixel p = row[x];
            const std::uint32_t a = p >> 24;
            auto straight = [a](std::uint32_t c) { return a ? std::min<std::uint32_t>(255, (c * 255 + a / 2) / a) : 0; };
            out.push_back(a << 24 | straight((p >> 16) & 0xFF) << 16 | straight((p >> 8) & 0xFF) << 8 | straight(p & 0xFF));
        }
    }
    return out;
}

}  // namespace

void SetWindowIcon(Display* display, ::Window window, Atom netWmIcon, HICON icon) {
    const std::shared_ptr<const Surface> pixels = WindowIconPixels(icon);
    if (!pixels) return;
    const std::vector<unsigned long> cardinals = Cardinals(*pixels);
    XChangeProperty(display, window, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(cardinals.data()), static_cast<int>(cardinals.size()));
}

}  // namespace platform
