// Forms under test: a virtual clock, the desktop screen, and input as a user gives it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "../window/window_test_support.h"
#include "platform/forms/forms.h"
#include "platform/forms/painter.h"
#include "platform/present/desktop_screen.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "tests/support/test_services.h"

namespace formtest {
using namespace platform;
using namespace platform::forms;

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        StartDesktopScreen();
    }

private:
    testsupport::ServiceScope services_;  // what a test installs ends with it
};

inline void Pump() { PumpPendingWork(); }

inline POINT CentreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A press and release of a mouse button at a screen point, handled before it returns. The clock
// moves on first, so that two clicks never count as a double-click unless a test wants one.
inline void ClickAt(POINT screen, MouseButton button = MouseButton::Left) {
    RunFor(600);
    InjectMouseMove(screen);
    InjectMouseButton(screen, button, true);
    InjectMouseButton(screen, button, false);
    Pump();
}

inline void Click(HWND hwnd, MouseButton button = MouseButton::Left) { ClickAt(CentreOf(hwnd), button); }

inline void DoubleClickAt(POINT screen) {
    RunFor(600);
    InjectMouseMove(screen);
    for (int i = 0; i < 2; ++i) {
        InjectMouseButton(screen, MouseButton::Left, true);
        InjectMouseButton(screen, MouseButton::Left, false);
    }
    Pump();
}

// A key press and release, with the character it types (0 for none).
inline void Key(int vk, char character = 0) {
    InjectKey(vk, true, character);
    Pump();
    InjectKey(vk, false);
    Pump();
}

// A key press and release left waiting, for a loop that runs later (a menu's, a box's).
inline void QueueKey(int vk, char character = 0) {
    InjectKey(vk, true, character);
    InjectKey(vk, false);
}

// A key held down: its press, `repeats` repeats of it as the keyboard sends them, its release.
inline void HoldKey(int vk, char character, int repeats) {
    for (int i = 0; i <= repeats; ++i) InjectKey(vk, true, character);
    InjectKey(vk, false);
    Pump();
}

// A key pressed while a modifier (VK_SHIFT, VK_CONTROL, VK_MENU) is held.
inline void KeyWith(int modifier, int vk) {
    InjectKey(modifier, true);
    Pump();
    Key(vk);
    InjectKey(modifier, false);
    Pump();
}

inline void Type(const std::string& text) {
    for (char c : text) Key(std::isalpha(static_cast<unsigned char>(c)) ? std::toupper(c) : c, c);
}

// A trace of events, shared by the handlers of a test form.
struct Trace {
    std::vector<std::string> events;
    void operator()(std::string event) { events.push_back(std::move(event)); }
    void Clear() { events.clear(); }
};

}  // namespace formtest
