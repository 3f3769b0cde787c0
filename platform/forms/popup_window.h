// A top-level popup that the toolkit draws beside a control (a drop-down list, a popup menu, a
// tooltip): shown without taking the activation, optionally holding the mouse so that a press
// outside it can close it.
#pragma once

#include "platform/forms/detail/host.h"

namespace platform::forms {

class Painter;

class PopupWindow : protected detail::WindowHost {
public:
    ~PopupWindow() override;
    bool IsOpen() const { return static_cast<bool>(hwnd_); }
    void Close();
    HWND Window() const { return hwnd_; }

protected:
    // screen: where the popup lies; capture: it receives every mouse message until it closes.
    void OpenAt(HWND owner, const RECT& screen, bool capture);
    void Repaint();
    virtual void PaintPopup(Painter& painter, const RECT& client) = 0;
    virtual void PopupMouse(UINT msg, WPARAM wParam, POINT client, bool inside) {
        (void)msg, (void)wParam, (void)client, (void)inside;
    }
    virtual void PopupTimer(UINT_PTR id) { (void)id; }
    virtual void Closed() {}

    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    HWND hwnd_;
    bool capture_ = false;
};

}  // namespace platform::forms
