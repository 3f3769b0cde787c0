#include "platform/forms/client_dc.h"

namespace platform::forms::detail {

HDC ClientDc::Get(HWND hwnd) {
    if (paint_) return paint_;
    if (!own_ && hwnd) {
        own_ = GetDC(hwnd);
        if (own_) PostMessage(hwnd, WM_FORMS_RELEASEDC, 0, 0);
    }
    return own_;
}

void ClientDc::Release(HWND hwnd) {
    if (!own_) return;
    ReleaseDC(hwnd, own_);
    own_ = HDC{};
}

}  // namespace platform::forms::detail
