#include "platform/present/window_icons.h"

#include "platform/draw/gdi_objects.h"
#include "platform/draw/image.h"
#include "platform/services/paths.h"
#include "platform/window/error_boundary.h"

namespace platform {
namespace {

constexpr const char* kProgramIconPath = "GUI\\Misc\\OZRClock.bmp";
constexpr COLORREF kKeyColour = RGB(0xEC, 0x00, 0x8C);  // the pictures' transparent colour

// The program's clock face with its key colour see-through, read once.
std::shared_ptr<const Surface> ProgramIconPixels() {
    static const std::shared_ptr<const Surface> icon = [] {
        const DecodedImage image = LoadImageFile(MapPath(kProgramIconPath));
        if (!image) {
            ReportDropped("the program's window icon could not be read: " + image.error);
            return std::shared_ptr<const Surface>{};
        }
        auto keyed = std::make_shared<Surface>(*image.surface);
        for (int y = 0; y < keyed->height(); ++y)
            for (Pixel* p = keyed->row(y); p != keyed->row(y) + keyed->width(); ++p)
                *p = SameColor(*p, OpaquePixel(kKeyColour)) ? 0u : (*p | 0xFF000000u);
        return std::shared_ptr<const Surface>(std::move(keyed));
    }();
    return icon;
}

}  // namespace

std::shared_ptr<const Surface> WindowIconPixels(HICON own) {
    if (own)
        if (std::shared_ptr<Surface> pixels = SurfaceOfBitmap(own)) return pixels;
    return ProgramIconPixels();
}

}  // namespace platform
