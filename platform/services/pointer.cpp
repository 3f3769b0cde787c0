#include "platform/services/pointer.h"

#include "platform/window/detail/input.h"
#include "platform/window/window.h"

namespace platform {
namespace {

// The platform's own input state: what the presenter last fed it.
class InputStatePointer final : public Pointer {
public:
    POINT Position() override {
        POINT p{};
        GetCursorPos(&p);
        return p;
    }
    bool ButtonDown(int vk) override { return (GetAsyncKeyState(vk) & 0x8000) != 0; }
    bool HoldClicks(bool on) override {
        detail::HoldPointerClicks(on);
        return true;
    }
    bool ReleasedSinceAsked(int vk) override { return detail::TakePointerRelease(vk); }
};

}  // namespace

std::unique_ptr<Pointer> Pointer::MakeReal() { return std::make_unique<InputStatePointer>(); }

}  // namespace platform
