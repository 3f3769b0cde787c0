#include "platform/forms/picture.h"

#include "platform/draw/image.h"
#include "platform/services/paths.h"

namespace platform::forms {

SIZE Picture::PixelSize() const { return pixels_ ? SIZE{pixels_->width(), pixels_->height()} : SIZE{0, 0}; }

Picture LoadPicture(const std::string& path) {
    Picture picture;
    if (path.empty()) return picture;
    DecodedImage image = LoadImageFile(MapPath(path));
    if (!image) throw Error("The picture " + path + " could not be loaded: " + image.error);
    picture.pixels_ = image.surface;
    return picture;
}

}  // namespace platform::forms
