// What reaches a presenter: the rectangle whose pixels a repaint changed, and nothing for a repaint
// that left every pixel as it was.
#include <gtest/gtest.h>

#include "../window/window_test_support.h"
#include "platform/draw/gdi.h"
#include "platform/present/desktop_screen.h"
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
        SetPresentedWindowsListener([](HWND hwnd, const RECT& area) { SentToPresenter().push_back({hwnd, area}); });
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

}  // namespace
