// Taskbar tests: a running taskbar per test, and a recorder that subclasses a shell window to
// see the messages it gets (and optionally answer some of them itself).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "../window/window_test_support.h"
#include "platform/shell/taskbar.h"
#include "platform/shell/tray_messages.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"

namespace shelltest {
using namespace platform;

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Seen>& SeenLog() {
    static std::vector<Seen> log;
    return log;
}

// A reaction returns true when it answered the message with *result.
using Answer = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

struct Recorded {
    LONG previous = 0;
    Answer answer;
};

inline std::map<std::uint32_t, Recorded>& RecordedWindows() {
    static std::map<std::uint32_t, Recorded> windows;
    return windows;
}

inline LRESULT RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SeenLog().push_back({hwnd, msg, wParam, lParam});
    Recorded& r = RecordedWindows()[hwnd.id()];
    LRESULT result = 0;
    if (r.answer && r.answer(hwnd, msg, wParam, lParam, &result)) return result;
    return CallWindowProc(r.previous, hwnd, msg, wParam, lParam);
}

// Subclasses a shell window from inside the shell's context.
inline void Record(HWND hwnd, Answer answer = nullptr) {
    ContextScope shell(ProcessContext::Shell);
    RecordedWindows()[hwnd.id()].answer = std::move(answer);
    RecordedWindows()[hwnd.id()].previous = SetWindowLong(hwnd, GWL_WNDPROC, AddressOf(RecorderProc));
}

inline std::vector<UINT> SeenBy(HWND hwnd) {
    std::vector<UINT> out;
    for (const Seen& s : SeenLog())
        if (s.hwnd == hwnd) out.push_back(s.msg);
    return out;
}

inline int CountSeen(HWND hwnd, UINT msg) {
    int n = 0;
    for (const Seen& s : SeenLog())
        if (s.hwnd == hwnd && s.msg == msg) ++n;
    return n;
}

// The window's rectangle in its parent's client area.
inline RECT RectInParent(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HWND parent = GetParent(hwnd);
    POINT p{r.left, r.top};
    if (parent) ScreenToClient(parent, &p);
    return RECT{p.x, p.y, p.x + r.width(), p.y + r.height()};
}

inline RECT ScreenRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

inline bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        SetScreenSize(SIZE{1280, 1024});
        SeenLog().clear();
        ASSERT_TRUE(StartShell());
        w = GetTaskbarWindows();
    }
    void TearDown() override {
        StopShell();
        RecordedWindows().clear();
    }
    TaskbarWindows w;
};

}  // namespace shelltest
