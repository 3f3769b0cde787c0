#include "platform/draw/image.h"

#include "platform/draw/gdi_objects.h"
#include "platform/draw/hooks.h"
#include "platform/draw/image_codecs.h"
#include "platform/draw/raster.h"
#include "platform/services/whole_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace platform {
namespace draw {

DecodedImage ImageFailure(std::string error) { return DecodedImage{nullptr, std::move(error)}; }

bool ImageSizeAllowed(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide &&
           SurfaceSizeAllowed(static_cast<int>(width), static_cast<int>(height));
}

Pixel Premultiply(Pixel p) {
    const std::uint32_t a = p >> 24;
    if (a == 255) return p;
    if (a == 0) return 0;
    return (a << 24) | (Div255(((p >> 16) & 0xFF) * a) << 16) | (Div255(((p >> 8) & 0xFF) * a) << 8) |
           Div255((p & 0xFF) * a);
}

std::shared_ptr<Surface> SurfaceFromRgba(const std::uint8_t* rgba, int width, int height) {
    auto surface = std::make_shared<Surface>(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, rgba += 4)
            surface->at(x, y) = Premultiply((static_cast<Pixel>(rgba[3]) << 24) | (rgba[0] << 16) | (rgba[1] << 8) | rgba[2]);
    return surface;
}

namespace {

std::string& LastError() {
    static std::string error;
    return error;
}

constexpr std::size_t kMaxImageFileBytes = 64u * 1024 * 1024;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> signature) {
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace
}  // namespace draw

using namespace draw;

DecodedImage DecodeImage(std::span<const std::uint8_t> bytes, int preferredSize) {
    if (StartsWith(bytes, {'B', 'M'})) return DecodeBmp(bytes);
    if (StartsWith(bytes, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return DecodePng(bytes);
    if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) return DecodeJpeg(bytes);
    if (StartsWith(bytes, {'G', 'I', 'F', '8'})) return DecodeGif(bytes);
    if (StartsWith(bytes, {0, 0, 1, 0}) || StartsWith(bytes, {0, 0, 2, 0})) return DecodeIco(bytes, preferredSize);
    return ImageFailure("not a picture file of a known kind");
}

DecodedImage LoadImageFile(const std::string& path, int preferredSize) {
    std::string why;
    const std::optional<std::string> bytes = ReadWholeFile(path, &why, kMaxImageFileBytes);
    if (!bytes) return ImageFailure("cannot read " + path + ": " + why);
    DecodedImage image = DecodeImage({reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()}, preferredSize);
    if (!image) image.error = path + ": " + image.error;
    return image;
}

HGDIOBJ LoadImage(const std::string& path, UINT type, int cx, int cy, UINT flags) {
    auto fail = [](std::string why) {
        LastError() = std::move(why);
        return HGDIOBJ();
    };
    if (!(flags & LR_LOADFROMFILE)) return fail("only pictures from files can be loaded");
    if (type != IMAGE_BITMAP && type != IMAGE_ICON) return fail("unsupported image type");
    if (cx < 0 || cy < 0) return fail("negative picture size");
    const bool icon = type == IMAGE_ICON;
    if (icon && (flags & LR_DEFAULTSIZE)) {
        if (cx == 0) cx = kDefaultIconSize;
        if (cy == 0) cy = kDefaultIconSize;
    }
    DecodedImage image = LoadImageFile(MapImagePath(path), icon ? std::max(cx, cy) : 0);
    if (!image) return fail(image.error);
    std::shared_ptr<Surface> surface = image.surface;
    const int width = cx ? cx : surface->width();
    const int height = cy ? cy : surface->height();
    if (!SurfaceSizeAllowed(width, height)) return fail("picture size too large");
    if (width != surface->width() || height != surface->height())
        surface = std::make_shared<Surface>(ScaledCopy(*surface, width, height));
    LastError().clear();
    return CreateBitmapFromSurface(std::move(surface), icon);
}

std::string LastImageError() { return LastError(); }

}  // namespace platform
