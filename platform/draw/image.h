// Picture files: BMP, GIF (its first frame), JPEG, PNG and ICO, read by their content rather
// than their name; and PNG writing for screenshots. A missing or broken file is an error result.
#pragma once

#include "platform/draw/gdi_types.h"
#include "platform/draw/surface.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace platform {

struct DecodedImage {
    std::shared_ptr<Surface> surface;  // null on failure
    std::string error;                 // why, on failure
    explicit operator bool() const { return surface != nullptr; }
};

// preferredSize picks the image of an icon file nearest to that size (0: the file's first).
DecodedImage DecodeImage(std::span<const std::uint8_t> bytes, int preferredSize = 0);
DecodedImage LoadImageFile(const std::string& path, int preferredSize = 0);

// Writes the surface's colours as an opaque RGB PNG. False when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path);

// LoadImage from a file (LR_LOADFROMFILE is required: there are no resources). IMAGE_BITMAP
// gives a bitmap, IMAGE_ICON an icon (HICON); cx and cy scale the picture, 0 keeps its size
// (for an icon with LR_DEFAULTSIZE, 0 means 32). The path goes through the image path mapper.
// Null on failure; LastImageError() then says why.
HGDIOBJ LoadImage(const std::string& path, UINT type, int cx, int cy, UINT flags);
std::string LastImageError();

}  // namespace platform
