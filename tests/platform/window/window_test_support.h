// Test windows whose procedure records what they receive and can run a scripted reaction.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/draw/gdi.h"
#include "platform/services/clock.h"
#include "platform/window/window.h"

namespace wintest {
using namespace platform;

struct Received {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    ProcessContext context;
};

inline std::vector<Received>& Log() {
    static std::vector<Received> log;
    return log;
}

// Per-window reactions; a reaction returns true when it handled the message with *result.
using Reaction = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
inline std::map<std::uint32_t, Reaction>& Reactions() {
    static std::map<std::uint32_t, Reaction> reactions;
    return reactions;
}

// A reaction that paints the whole client area in one colour.
inline Reaction PaintsIn(COLORREF colour) {
    return [colour](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all;
        GetClientRect(hwnd, &all);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return true;
    };
}

inline LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Log().push_back({hwnd, msg, wParam, lParam, CurrentContext()});
    auto it = Reactions().find(hwnd.id());
    LRESULT result = 0;
    if (it != Reactions().end() && it->second && it->second(hwnd, msg, wParam, lParam, &result)) return result;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

inline void EnsureClass(const char* name, UINT style = 0) {
    WNDCLASS wc;
    wc.style = style;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = name;
    RegisterClass(&wc);  // a second registration in the same context is refused, which is fine
}

inline HWND MakeWindow(const char* cls, const char* title, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = HWND{},
                       RECT r = RECT{10, 10, 110, 60}) {
    EnsureClass(cls);
    return CreateWindowEx(0, cls, title, style, r.left, r.top, r.width(), r.height(), parent);
}

// The messages a window received, without the painting ones (which come whenever the loop runs).
inline std::vector<UINT> MessagesTo(HWND hwnd) {
    std::vector<UINT> out;
    for (auto& r : Log())
        if (r.hwnd == hwnd && r.msg != WM_PAINT && r.msg != WM_ERASEBKGND) out.push_back(r.msg);
    return out;
}

inline int PaintsOf(HWND hwnd) {
    int n = 0;
    for (auto& r : Log())
        if (r.hwnd == hwnd && r.msg == WM_PAINT) ++n;
    return n;
}

inline bool GotMessage(HWND hwnd, UINT msg) {
    for (auto& r : Log())
        if (r.hwnd == hwnd && r.msg == msg) return true;
    return false;
}

inline void UseVirtualClock() {
    std::int64_t start = 0;
    ParseLocalTimestamp("2026-03-01T12:00:00", &start);
    InstallService<Clock>(MakeVirtualClock(start + 250));  // not on a second boundary
}

}  // namespace wintest
