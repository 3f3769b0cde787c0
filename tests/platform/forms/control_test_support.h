// For the tests of the tree, grid, rich text and dialog controls: pictures written as files, the
// screen's pixels over a rectangle, and points inside controls.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "forms_test_support.h"
#include "platform/draw/image.h"
#include "platform/draw/surface.h"

namespace formtest {

// A folder of its own under the temporary folder, removed with its contents at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("ozr-forms-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Root() const { return path_.string(); }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& content) const {
        std::filesystem::create_directories((path_ / name).parent_path());
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }
    // A picture of one colour, written as PNG and loaded.
    Picture SolidPicture(const std::string& name, int w, int h, COLORREF color) const {
        Surface s(w, h, OpaquePixel(color));
        WritePng(s, Path(name + ".png"));
        return LoadPicture(Path(name + ".png"));
    }

private:
    std::filesystem::path path_;
};

inline std::vector<Pixel> ScreenPixels(const RECT& r) {
    Pump();
    const Surface& screen = ComposedScreen();
    std::vector<Pixel> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(screen.at(x, y) & 0x00FFFFFFu);
    return out;
}

inline std::size_t CountColor(const std::vector<Pixel>& pixels, COLORREF color) {
    Pixel p = OpaquePixel(color) & 0x00FFFFFFu;
    return static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), p));
}

// A rectangle in a control's own pixels, on the screen.
inline RECT OnScreen(HWND control, const RECT& r) {
    RECT client = ClientRectOnScreen(control);
    return OffsetRectBy(r, client.left, client.top);
}

inline POINT CentreOfRect(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace formtest
