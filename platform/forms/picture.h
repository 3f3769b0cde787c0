// Picture: an image loaded from a file (BMP, GIF, JPEG, PNG, ICO), shared by the controls that show
// it. The pixels are kept, not a drawing handle, so a picture may outlive any context's objects.
#pragma once

#include <memory>
#include <string>

#include "platform/base.h"

namespace platform {
class Surface;
}

namespace platform::forms {

class Picture {
public:
    Picture() = default;  // no picture
    explicit operator bool() const { return pixels_ != nullptr; }
    SIZE PixelSize() const;
    const std::shared_ptr<Surface>& Pixels() const { return pixels_; }
    bool operator==(const Picture& other) const { return pixels_ == other.pixels_; }

private:
    friend Picture LoadPicture(const std::string& path);
    std::shared_ptr<Surface> pixels_;
};

// The path is one of the clock's paths (see platform::MapPath). An empty path gives no picture;
// a missing or unreadable file raises platform::Error.
Picture LoadPicture(const std::string& path);

}  // namespace platform::forms
