#include "hooklib/clock_image.h"

#include <optional>

#include "platform/window/context.h"

namespace hooklib {
namespace {

std::optional<ClockImage>& ContextImage() {
    static std::optional<ClockImage> images[platform::kContextCount];
    return images[static_cast<int>(platform::CurrentContext())];
}

void Resize(ClockImage& image, platform::SIZE size) {
    const platform::HBITMAP old = image.bitmap;
    image.bitmap = size.cx > 0 && size.cy > 0 ? platform::CreateCompatibleBitmap(image.dc, size.cx, size.cy)
                                              : platform::HBITMAP{};
    if (image.bitmap) {
        const platform::HGDIOBJ replaced = platform::SelectObject(image.dc, image.bitmap);
        if (!old) image.ownBitmap = replaced;
    } else if (old) {
        platform::SelectObject(image.dc, image.ownBitmap);
    }
    if (old) platform::DeleteObject(old);
    image.size = size;
    image.drawn = ClockDrawing{};
}

}  // namespace

bool SamePixels(const ClockDrawing& now, const ClockDrawing& before) {
    using Kind = ClockBackground::Kind;
    return now.background.kind != Kind::Capturing && before.background.kind != Kind::Capturing &&
           now.background == before.background && now.backgroundMode == before.backgroundMode &&
           now.labels == before.labels;
}

ClockImage* KeptClockImage(platform::HDC compatible, platform::SIZE size) {
    std::optional<ClockImage>& image = ContextImage();
    if (!image) {
        const platform::HDC dc = platform::CreateCompatibleDC(compatible);
        if (!dc) return nullptr;
        image.emplace(ClockImage{dc, platform::HBITMAP{}, platform::HGDIOBJ{}, platform::SIZE{0, 0}, {}, {}, {}, {}});
    }
    if (image->size != size || (!image->bitmap && size.cx > 0 && size.cy > 0)) Resize(*image, size);
    return &*image;
}

void ReleaseClockImage() {
    std::optional<ClockImage>& image = ContextImage();
    if (!image) return;
    platform::DeleteDC(image->dc);
    if (image->bitmap) platform::DeleteObject(image->bitmap);
    image.reset();
}

}  // namespace hooklib
