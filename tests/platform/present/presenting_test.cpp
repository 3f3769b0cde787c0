// What reaches a presenter: the rectangle whose pixels a repaint changed, and nothing for a repaint
// that left every pixel as it was.
#include <gtest/gtest.h>

#include "../draw/canvas.h"
#include "../window/window_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/present/desktop_screen.h"
#include "platform/window/detail/window_store.h"
#include "platform/window/loop.h"

using namespace platform;
using namespace wintest;

namespace {

struct Sent {
    HWND hwnd;
    RECT area;
};

std::vector<Sent>& SentToPresenter() {
    static std::vector<Sent> sent;
    return sent;
}

COLORREF g_square = RGB(255, 0, 0);

// Fills the client area with grey and draws a 10 x 10 square at (20, 10) in g_square.
HWND MakeSquareWindow() {
    EnsureClass("SquareWindow");
    HWND h = CreateWindowEx(0, "SquareWindow", "square", WS_POPUP | WS_VISIBLE, 50, 50, 100, 40, HWND{});
    Reactions()[h.id()] = [](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all;
        GetClientRect(hwnd, &all);
        HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
        FillRect(dc, &all, grey);
        DeleteObject(grey);
        HBRUSH square = CreateSolidBrush(g_square);
        RECT r{20, 10, 30, 20};
        FillRect(dc, &r, square);
        DeleteObject(square);
        EndPaint(hwnd, &ps);
        return true;
    };
    return h;
}

class Presenting : public ::testing::Test {
protected:
    void SetUp() override {
        UseVirtualClock();
        StartDesktopScreen();
        SetPresentedWindowsListener([](HWND hwnd, const RECT& area, bool) { SentToPresenter().push_back({hwnd, area}); });
    }
};

TEST_F(Presenting, AnUnchangedRepaintSendsNothing) {
    HWND w = MakeSquareWindow();
    RunFor(100);
    ASSERT_EQ(SentToPresenter().size(), 1u);  // the first paint: the whole window
    EXPECT_EQ(SentToPresenter()[0].area, (RECT{0, 0, 100, 40}));
    SentToPresenter().clear();
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(w, nullptr, 1);
        RunFor(100);
    }
    HDC dc = GetWindowDC(w);  // a DC that only reads
    GetPixel(dc, 1, 1);
    ReleaseDC(w, dc);
    RunFor(100);
    EXPECT_TRUE(SentToPresenter().empty());
    DestroyWindow(w);
}

TEST_F(Presenting, ADamagedRectangleIsWhatIsSent) {
    HWND w = MakeSquareWindow();
    RunFor(100);
    SentToPresenter().clear();
    g_square = RGB(0, 0, 255);
    InvalidateRect(w, nullptr, 1);  // the whole window repaints, the square alone changes
    RunFor(100);
    ASSERT_EQ(SentToPresenter().size(), 1u);
    EXPECT_EQ(SentToPresenter()[0].hwnd, w);
    EXPECT_EQ(SentToPresenter()[0].area, (RECT{20, 10, 30, 20}));
    // The composed screen (a screenshot) still shows the new pixels.
    EXPECT_EQ(PixelColor(ComposedScreen().at(75, 65)), RGB(0, 0, 255));
    DestroyWindow(w);
}

// A window sized away and back before it painted again has a new surface, which the presenter
// shows as it is until then: the next paint is sent whole, though its pixels are the old ones.
TEST_F(Presenting, AWindowSizedAwayAndBackIsSentWhole) {
    HWND w = MakeSquareWindow();
    RunFor(100);
    SentToPresenter().clear();
    SetWindowPos(w, HWND{}, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER);
    (void)WindowSurface(w);
    SetWindowPos(w, HWND{}, 0, 0, 100, 40, SWP_NOMOVE | SWP_NOZORDER);
    RunFor(100);
    ASSERT_FALSE(SentToPresenter().empty());
    EXPECT_EQ(SentToPresenter().back().area, (RECT{0, 0, 100, 40}));
    DestroyWindow(w);
}

// A window that paints by copying a kept image (as the taskbar clock does) damages only the rows
// whose pixels its copy changed, and nothing when it copies what the window shows already.
TEST_F(Presenting, ARepaintThatCopiesWhatTheWindowShowsDamagesNothing) {
    static std::vector<RECT> damaged;
    detail::WindowObserver observer;
    observer.damaged = [](HWND, const RECT& area) { damaged.push_back(area); };
    detail::AddWindowObserver(std::move(observer));
    static drawtest::Canvas image(100, 40, RGB(128, 128, 128));
    EnsureClass("KeptImageWindow");
    HWND w = CreateWindowEx(0, "KeptImageWindow", "kept", WS_POPUP | WS_VISIBLE, 50, 50, 100, 40, HWND{});
    Reactions()[w.id()] = [](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg == WM_ERASEBKGND) {
            *result = 1;  // the copy covers everything
            return true;
        }
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, 100, 40, image.dc(), 0, 0, SRCCOPY);
        EndPaint(hwnd, &ps);
        return true;
    };
    RunFor(100);
    damaged.clear();
    SentToPresenter().clear();
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(w, nullptr, 1);
        RunFor(100);
    }
    EXPECT_TRUE(damaged.empty());
    EXPECT_TRUE(SentToPresenter().empty());

    image.surface().fill(RECT{20, 10, 30, 20}, OpaquePixel(RGB(0, 0, 255)));
    InvalidateRect(w, nullptr, 1);
    RunFor(100);
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(damaged[0], (RECT{0, 10, 100, 20}));
    ASSERT_EQ(SentToPresenter().size(), 1u);
    EXPECT_EQ(SentToPresenter()[0].area, (RECT{20, 10, 30, 20}));
    EXPECT_EQ(PixelColor(ComposedScreen().at(75, 65)), RGB(0, 0, 255));
    DestroyWindow(w);
}

}  // namespace
