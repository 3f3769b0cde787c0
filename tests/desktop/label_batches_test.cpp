// The floating clock's label batches: once a second, just after each second of the wall clock;
// and what both clocks show: the current second, turning with the wall clock's.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/main_window_proc.h"
#include "desktop_harness.h"
#include "platform/present/desktop_screen.h"
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

// A label aligned to the right or centred with an offset widens the block at the end of every
// layout pass: the window keeps its size all the same, so the engine settles at one tick a second.
TEST(LabelBatches, AnOffsetAlignedLabelLetsTheEngineSettle) {
    for (const char* align : {"ar", "ac"}) {
        SCOPED_TRACE(align);
        Desktop d({.prepare = [align](auto& f) {
            std::ofstream file(f / "Settings.ozrini");
            file << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=2\nSplash=0\n"
                 << "[Labels]\nK0=Time\nK1=Date\nK2=Third\n";
            const std::pair<const char*, std::string> labels[] = {
                {"Time", "X=0\nSpawnString=alhh:mm:ss"}, {"Date", "X=0\nSpawnString=acYYYY-MM-DD"},
                {"Third", std::string("X=300\nSpawnString=") + align + "hh:mm"}};
            for (const auto& [name, own] : labels)
                file << "[ZTVLBL: " << name << "]\n" << own << "\nY=0\nFace=Arial\nSize=8\nBold=400\nBack=0\nFore=16777215\nVisible=1\n";
        }});
        ASSERT_TRUE(d.Start());
        d.Advance(5000);
        EXPECT_EQ(core::frmMain().OZRClockEngine.Interval, 1000);
        EXPECT_EQ(core::FastStartTicks, 0);
        EXPECT_TRUE(core::frmMain().Label(2).Visible);
    }
}

// What the clock shows from 5 ms after each second turns to the end of that second: the floating
// clock's first label, or the systray clock's pixels. Whether the clock engine's tick or the
// data bridge's comes first in a second depends on when in its second the program started (from
// 440 to 480 ms the engine's came first), and on when the engine's timer was last set.
struct ClockRun {
    bool systray;
    int startMs;
};

void PrintTo(const ClockRun& run, std::ostream* out) {
    *out << (run.systray ? "systray" : "floating") << " clock started " << run.startMs << " ms into its second";
}

class ClocksShowTheCurrentSecond : public ::testing::TestWithParam<ClockRun> {};

std::string WallClockText() {
    const SYSTEMTIME t = UtcMsToLocalTime(CurrentClock().UtcMs());
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::vector<Pixel> TrayClockPixels() {
    const HWND tray = FindWindowEx(FindWindow("Shell_TrayWnd", nullptr), HWND{}, "TrayNotifyWnd", nullptr);
    RECT r{};
    GetWindowRect(FindWindowEx(tray, HWND{}, "TrayClockWClass", nullptr), &r);
    const Surface& screen = ComposedScreen();
    std::vector<Pixel> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(screen.at(x, y));
    return pixels;
}

TEST_P(ClocksShowTheCurrentSecond, WhateverTheOrderOfTheirTimers) {
    const ClockRun run = GetParam();
    Desktop d({.clock = "2026-03-01T12:00:00." + std::to_string(run.startMs), .prepare = [run](auto& f) {
                   std::ofstream(f / "Settings.ozrini")
                       << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=2\nSplash=0\n"
                       << "SystrayClock=" << run.systray << "\n";
               }});
    ASSERT_TRUE(d.Start());
    auto advanceTo = [&](int msIntoSecond) { d.Advance((msIntoSecond - CurrentClock().UtcMs() % 1000 + 1000) % 1000); };
    d.Advance(2000);
    advanceTo(999);
    std::vector<Pixel> before = TrayClockPixels();
    for (int second = 0; second < 20; ++second) {
        if (second == 10) {
            // Set again late in a second (as a tick does), the engine's timer comes first from then on.
            advanceTo(900);
            core::frmMain().OZRClockEngine.Interval = 1000;
        }
        advanceTo(5);
        const std::string now = WallClockText();
        if (!run.systray) {
            EXPECT_EQ(std::string(core::frmMain().Label(0).Caption), now) << "5 ms into the second";
            advanceTo(999);
            EXPECT_EQ(std::string(core::frmMain().Label(0).Caption), now) << "at the end of the second";
            continue;
        }
        const std::vector<Pixel> turned = TrayClockPixels();
        EXPECT_TRUE(turned != before) << "the tray clock still shows the second before " << now;
        advanceTo(999);
        before = TrayClockPixels();
        EXPECT_TRUE(before == turned) << "the tray clock turned later than 5 ms into " << now;
    }
}

INSTANTIATE_TEST_SUITE_P(LabelBatches, ClocksShowTheCurrentSecond,
                         ::testing::Values(ClockRun{false, 0}, ClockRun{false, 250}, ClockRun{false, 460},
                                           ClockRun{false, 750}, ClockRun{true, 130}, ClockRun{true, 460}),
                         [](const auto& info) {
                             return std::string(info.param.systray ? "Systray" : "Floating") + "From" +
                                    std::to_string(info.param.startMs) + "ms";
                         });

}  // namespace
