// GIF through stb_image, which gives the first frame.
#include "platform/draw/image_codecs.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

namespace platform::draw {

DecodedImage DecodeGif(std::span<const std::uint8_t> bytes) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    if (!rgba) {
        const char* reason = stbi_failure_reason();
        return ImageFailure(std::string("broken GIF: ") + (reason ? reason : "unreadable"));
    }
    if (!ImageSizeAllowed(width, height)) {
        stbi_image_free(rgba);
        return ImageFailure("GIF too large");
    }
    auto surface = SurfaceFromRgba(rgba, width, height);
    stbi_image_free(rgba);
    return DecodedImage{surface, {}};
}

}  // namespace platform::draw
