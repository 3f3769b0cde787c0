// The floating clock's label batches: once a second, just after each second of the wall clock.
#include <gtest/gtest.h>

#include <fstream>

#include "core/frm_main.h"
#include "core/main_window_proc.h"
#include "desktop_harness.h"
#include "platform/services/clock.h"

using namespace platform;
using desktop::Desktop;

namespace {

std::vector<std::int64_t> g_batchEnds;
LONG g_previous = 0;

LRESULT CountBatches(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COPYDATA && reinterpret_cast<const COPYDATASTRUCT*>(l)->dwData == core::CD_END)
        g_batchEnds.push_back(CurrentClock().UtcMs());
    return CallWindowProc(g_previous, h, m, w, l);
}

TEST(LabelBatches, TheFloatingClockGetsOneBatchASecondOnTheSecond) {
    Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=2\nSplash=0\n";
    }});
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    g_previous = SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, AddressOf(CountBatches));
    g_batchEnds.clear();
    d.Advance(10'000);
    SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, g_previous);
    EXPECT_GE(g_batchEnds.size(), 9u);
    EXPECT_LE(g_batchEnds.size(), 11u);
    for (std::int64_t at : g_batchEnds) EXPECT_LE(at % 1000, 20) << "a batch " << at % 1000 << " ms after the second";
}

}  // namespace
