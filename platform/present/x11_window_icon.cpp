#include "platform/present/detail/x11_window_icon.h"

#include <X11/Xatom.h>

#include <optional>
#include <vector>

#include "platform/draw/image.h"
#include "platform/services/paths.h"
#include "platform/window/error_boundary.h"

namespace platform {
namespace {

constexpr const char* kIconPath = "GUI\\Misc\\OZRClock.bmp";
constexpr COLORREF kKeyColour = RGB(0xEC, 0x00, 0x8C);  // the pictures' transparent colour

// The icon as EWMH wants it: its width and height, then one ARGB pixel a cardinal, row by row
// (the key colour fully transparent). Empty when the picture cannot be read.
std::vector<unsigned long> IconCardinals() {
    const DecodedImage image = LoadImageFile(MapPath(kIconPath));
    if (!image) {
        ReportDropped("the program's window icon could not be read: " + image.error);
        return {};
    }
    const Surface& s = *image.surface;
    std::vector<unsigned long> out{static_cast<unsigned long>(s.width()), static_cast<unsigned long>(s.height())};
    for (int y = 0; y < s.height(); ++y) {
        const Pixel* row = s.row(y);
        for (int x = 0; x < s.width(); ++x)
            out.push_back(SameColor(row[x], OpaquePixel(kKeyColour)) ? 0ul : (row[x] | 0xFF000000u));
    }
    return out;
}

}  // namespace

void SetProgramIcon(Display* display, ::Window window, Atom netWmIcon) {
    static const std::vector<unsigned long> icon = IconCardinals();
    if (icon.empty()) return;
    XChangeProperty(display, window, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
}

}  // namespace platform
