#include "platform/services/window_surfaces.h"

namespace platform {
namespace {

class NoSurfaces final : public WindowSurfaces {
public:
    HDC MakeDc(HWND, POINT, RECT) override { return HDC{}; }
    RECT ReleaseDc(HDC) override { return RECT{}; }
    std::uint64_t Generation(HWND) override { return 0; }
    void EraseBackground(HWND, HDC, const RECT&) override {}
    std::optional<COLORREF> PixelAt(HWND, POINT) override { return std::nullopt; }
    void Present() override {}
    bool WriteScreenshot(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<WindowSurfaces> WindowSurfaces::MakeReal() { return std::make_unique<NoSurfaces>(); }

}  // namespace platform
