// PNG through libpng's simplified interface, which reports errors without long jumps.
#include "platform/draw/image_codecs.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace platform::draw {

DecodedImage DecodePng(std::span<const std::uint8_t> bytes) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return ImageFailure(std::string("broken PNG: ") + image.message);
    if (!ImageSizeAllowed(image.width, image.height)) {
        png_image_free(&image);
        return ImageFailure("PNG too large");
    }
    image.format = PNG_FORMAT_BGRA;  // in memory B, G, R, A: a 0xAARRGGBB pixel
    auto surface = std::make_shared<Surface>(static_cast<int>(image.width), static_cast<int>(image.height), 0);
    if (!png_image_finish_read(&image, nullptr, surface->bits(), static_cast<png_int_32>(image.width * 4), nullptr))
        return ImageFailure(std::string("broken PNG: ") + image.message);
    for (int y = 0; y < surface->height(); ++y)
        for (int x = 0; x < surface->width(); ++x) surface->at(x, y) = Premultiply(surface->at(x, y));
    return DecodedImage{surface, {}};
}

}  // namespace platform::draw

namespace platform {

bool WritePng(const Surface& surface, const std::string& path) {
    if (surface.width() == 0 || surface.height() == 0) return false;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
    std::uint8_t* out = rgb.data();
    for (int y = 0; y < surface.height(); ++y) {
        const Pixel* row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            *out++ = static_cast<std::uint8_t>(row[x] >> 16);
            *out++ = static_cast<std::uint8_t>(row[x] >> 8);
            *out++ = static_cast<std::uint8_t>(row[x]);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace platform
