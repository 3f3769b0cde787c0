// The hDC of a form or picture box: while it paints, the DC being painted; at other times a DC of
// its client area, released when the message loop comes back to the window, so that what was drawn
// on it reaches the screen then.
#pragma once

#include "platform/window/window.h"

namespace platform::forms::detail {

constexpr UINT WM_FORMS_RELEASEDC = WM_USER + 0x3F1;

class ClientDc {
public:
    ClientDc() = default;
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    ~ClientDc() { Release(HWND{}); }

    HDC Get(HWND hwnd);
    // Painting: Get gives the paint DC between these two.
    void Painting(HDC dc) { paint_ = dc; }
    void PaintDone() { paint_ = HDC{}; }
    // On WM_FORMS_RELEASEDC, and when the window goes.
    void Release(HWND hwnd);

private:
    HDC paint_;
    HDC own_;
};

}  // namespace platform::forms::detail
