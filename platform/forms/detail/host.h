// Inside the toolkit: the one window procedure of every form and windowed control, which hands the
// messages to the object that owns the window, and the keyboard helpers they share.
#pragma once

#include <functional>
#include <string>

#include "platform/window/window.h"

namespace platform::forms::detail {

class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone (WM_NCDESTROY); the host forgets its handle.
    virtual void OnWindowGone() = 0;
};

// Creates a window of a toolkit class (registered on first use in the current context); the host
// receives every message from WM_NCCREATE on. Returns 0 when the window system refuses.
HWND CreateHostWindow(WindowHost* host, const char* className, UINT classStyle, DWORD exStyle, const std::string& text,
                      DWORD style, const RECT& rect, HWND parent, UINT_PTR id);
WindowHost* HostOf(HWND hwnd);
// Destroys a host's window without letting it call back into the host (the host is going away).
void DestroyHostWindow(HWND hwnd);

// Private messages of the toolkit.
constexpr UINT WM_FORMS_RESTOREFOCUS = WM_USER + 0x3F0;

// Shift mask (1 Shift, 2 Ctrl, 4 Alt) for a key or mouse message.
int ShiftState(UINT msg = 0);
// After a key was taken for navigation (Tab, Enter, Esc) its character must not be typed.
void SwallowNextChar();
bool TakeSwallowedChar();
void ClearSwallowedChar();

// While a popup menu or a drop-down list is open it sees the keys first.
using KeyGrab = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam)>;
void SetKeyGrab(KeyGrab grab);
bool OfferToKeyGrab(UINT msg, WPARAM wParam, LPARAM lParam);

// The window's own pixels of a mouse message, the button it is about (1, 2, 4; 0 for a move), the
// buttons held (1, 2, 4) and the shift mask of the message.
POINT MousePoint(LPARAM lParam);
int MouseButtonOf(UINT msg);
int ButtonsHeld(WPARAM wParam);
int MouseShift(WPARAM wParam);
bool IsMouseMessage(UINT msg);
// Input reaches a window only while it and every ancestor are enabled.
bool InputAllowed(HWND hwnd);

}  // namespace platform::forms::detail
