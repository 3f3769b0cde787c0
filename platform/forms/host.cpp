#include "platform/forms/detail/host.h"

#include <set>
#include <unordered_map>

#include "platform/forms/constants.h"

namespace platform::forms::detail {
namespace {

std::unordered_map<std::uint32_t, WindowHost*>& Hosts() {
    static std::unordered_map<std::uint32_t, WindowHost*> hosts;
    return hosts;
}

struct KeyboardState {
    bool swallowChar = false;
    KeyGrab grab;
};

KeyboardState& K() {
    static KeyboardState state;
    return state;
}

LRESULT HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpCreateParams) Hosts()[hwnd.id()] = static_cast<WindowHost*>(cs->lpCreateParams);
    }
    auto it = Hosts().find(hwnd.id());
    if (it == Hosts().end()) return DefWindowProc(hwnd, msg, wParam, lParam);
    WindowHost* host = it->second;
    if (msg == WM_NCDESTROY) {
        Hosts().erase(hwnd.id());
        host->OnWindowGone();
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return host->OnMessage(hwnd, msg, wParam, lParam);
}

void EnsureClass(const char* className, UINT classStyle) {
    static std::set<std::pair<int, std::string>> registered;
    auto key = std::make_pair(static_cast<int>(CurrentContext()), std::string(className));
    if (registered.count(key)) return;
    WNDCLASS wc;
    wc.style = classStyle;
    wc.lpfnWndProc = HostProc;
    wc.lpszClassName = className;
    RegisterClass(&wc);  // a class left from an earlier registration in this context is fine too
    registered.insert(key);
}

}  // namespace

HWND CreateHostWindow(WindowHost* host, const char* className, UINT classStyle, DWORD exStyle, const std::string& text,
                      DWORD style, const RECT& rect, HWND parent, UINT_PTR id) {
    EnsureClass(className, classStyle);
    return CreateWindowEx(exStyle, className, text.c_str(), style, rect.left, rect.top, rect.width(), rect.height(),
                          parent, id, host);
}

WindowHost* HostOf(HWND hwnd) {
    auto it = Hosts().find(hwnd.id());
    return it == Hosts().end() ? nullptr : it->second;
}

void DestroyHostWindow(HWND hwnd) {
    if (!hwnd) return;
    Hosts().erase(hwnd.id());
    DestroyWindow(hwnd);
}

int ShiftState(UINT msg) {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000) shift |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) & 0x8000) shift |= vbCtrlMask;
    if ((GetKeyState(VK_MENU) & 0x8000) || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) shift |= vbAltMask;
    return shift;
}

void SwallowNextChar() { K().swallowChar = true; }
bool TakeSwallowedChar() {
    bool swallow = K().swallowChar;
    K().swallowChar = false;
    return swallow;
}
void ClearSwallowedChar() { K().swallowChar = false; }

void SetKeyGrab(KeyGrab grab) { K().grab = std::move(grab); }

bool OfferToKeyGrab(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!K().grab) return false;
    KeyGrab grab = K().grab;
    return grab(msg, wParam, lParam);
}

POINT MousePoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

int MouseButtonOf(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK: return vbLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: return vbRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: return vbMiddleButton;
        default: return 0;
    }
}

int ButtonsHeld(WPARAM wParam) {
    int buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= vbLeftButton;
    if (wParam & MK_RBUTTON) buttons |= vbRightButton;
    if (wParam & MK_MBUTTON) buttons |= vbMiddleButton;
    return buttons;
}

int MouseShift(WPARAM wParam) {
    int shift = 0;
    if (wParam & MK_SHIFT) shift |= vbShiftMask;
    if (wParam & MK_CONTROL) shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) & 0x8000) shift |= vbAltMask;
    return shift;
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

bool InputAllowed(HWND hwnd) {
    for (HWND h = hwnd; h; h = (GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : HWND{})
        if (!IsWindowEnabled(h)) return false;
    return true;
}

}  // namespace platform::forms::detail
