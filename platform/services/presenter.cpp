#include "platform/services/presenter.h"

namespace platform {
namespace {

class NoScreen final : public Presenter {
public:
    HDC MakeDc(HWND, POINT, RECT) override { return HDC{}; }
    void ReleaseDc(HDC) override {}
    void EraseBackground(HWND, HDC, const RECT&) override {}
    void WindowChanged(HWND) override {}
    void WindowDestroyed(HWND) override {}
    void WindowDamaged(HWND, const RECT&) override {}
    void Present() override {}
    bool WriteScreenshot(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<Presenter> Presenter::MakeReal() { return std::make_unique<NoScreen>(); }

}  // namespace platform
