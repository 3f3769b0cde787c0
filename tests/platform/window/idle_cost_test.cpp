// What a waiting program costs: only invalidated windows are painted, a window that could not
// paint while hidden paints once shown, and a timer tick that does nothing allocates nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/window/loop.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

// Every allocation of the test program is counted, so a test can say a stretch allocated nothing.
namespace {
std::atomic<long> g_allocations{0};
}

// The replacements pair malloc with free; the compiler cannot see that they are a pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

std::vector<HWND> Painted() {
    std::vector<HWND> out;
    for (auto& r : Log())
        if (r.msg == WM_PAINT) out.push_back(r.hwnd);
    return out;
}

TEST(DirtyList, AWindowInvalidatedOnceIsPaintedOnceAndNothingElse) {
    UseVirtualClock();
    HWND first = MakeWindow("DirtyTop", "first", WS_POPUP | WS_VISIBLE, HWND{}, RECT{0, 0, 200, 100});
    HWND left = MakeWindow("DirtyChild", "left", WS_CHILD | WS_VISIBLE, first, RECT{0, 0, 50, 50});
    HWND right = MakeWindow("DirtyChild", "right", WS_CHILD | WS_VISIBLE, first, RECT{100, 0, 150, 50});
    HWND second = MakeWindow("DirtyTop", "second", WS_POPUP | WS_VISIBLE, HWND{}, RECT{300, 0, 400, 100});
    PumpPendingWork();
    Log().clear();
    InvalidateRect(right, nullptr, 1);
    RunFor(5000);  // passes of the loop with nothing more to do paint nothing more
    EXPECT_EQ(Painted(), (std::vector<HWND>{right}));
    // Two invalidations before the loop runs are still one paint.
    Log().clear();
    InvalidateRect(left, nullptr, 1);
    InvalidateRect(left, nullptr, 0);
    PumpPendingWork();
    EXPECT_EQ(Painted(), (std::vector<HWND>{left}));
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(DirtyList, AWindowInvalidatedWhileHiddenPaintsWhenShownOrRestored) {
    UseVirtualClock();
    HWND top = MakeWindow("DirtyHidden", "top", WS_POPUP, HWND{}, RECT{0, 0, 100, 100});
    InvalidateRect(top, nullptr, 1);
    Log().clear();
    PumpPendingWork();
    EXPECT_TRUE(Painted().empty());
    ShowWindow(top, SW_SHOWNA);
    PumpPendingWork();
    EXPECT_EQ(Painted(), (std::vector<HWND>{top}));
    ShowWindow(top, SW_MINIMIZE);
    PumpPendingWork();
    InvalidateRect(top, nullptr, 1);
    Log().clear();
    PumpPendingWork();
    EXPECT_TRUE(Painted().empty());
    ShowWindow(top, SW_RESTORE);
    PumpPendingWork();
    EXPECT_EQ(Painted(), (std::vector<HWND>{top}));
    DestroyWindow(top);
}

int g_ticks = 0;
void CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }
LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) ++g_ticks;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST(IdlePath, ATimerTickThatDoesNothingAllocatesNothing) {
    UseVirtualClock();
    WNDCLASS wc;
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = "IdleTimer";
    RegisterClass(&wc);
    HWND window = CreateWindowEx(0, "IdleTimer", "idle", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, HWND{});
    UINT_PTR thread = SetTimer(HWND{}, 0, 1, CountTick);
    SetTimer(window, 7, 1000, nullptr);  // WM_TIMER through the window procedure
    RunFor(2000);  // the loop and the timer queue reach their working size
    g_ticks = 0;
    long before = g_allocations.load();
    RunFor(3000);
    long allocated = g_allocations.load() - before;
    EXPECT_GE(g_ticks, 200);
    EXPECT_EQ(allocated, 0);
    KillTimer(HWND{}, thread);
    DestroyWindow(window);
}

}  // namespace
