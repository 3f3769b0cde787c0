// Timers under the virtual clock: order, restart, the 15 ms floor, second alignment and modal loops.
#include <gtest/gtest.h>

#include "platform/window/loop.h"
#include "platform/window/detail/timers.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {

std::vector<std::pair<UINT_PTR, std::int64_t>> g_fired;
void RecordTimer(HWND, UINT, UINT_PTR id, DWORD) { g_fired.push_back({id, CurrentClock().MonotonicMs()}); }

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        UseVirtualClock();
        g_fired.clear();
        start = CurrentClock().MonotonicMs();
    }
    std::int64_t start = 0;
};

TEST_F(Timers, FireInDueOrderWithTheFifteenMillisecondFloor) {
    UINT_PTR slow = SetTimer(HWND{}, 0, 100, RecordTimer);
    UINT_PTR fast = SetTimer(HWND{}, 0, 1, RecordTimer);  // runs at 15 ms
    UINT_PTR mid = SetTimer(HWND{}, 0, 40, RecordTimer);
    RunFor(100);
    std::vector<UINT_PTR> order;
    for (auto& [id, at] : g_fired)
        if (at - start <= 45) order.push_back(id);
    EXPECT_EQ(order, (std::vector<UINT_PTR>{fast, fast, mid, fast}));  // 15, 30, 40, 45
    EXPECT_EQ(g_fired.front().second - start, 15);
    EXPECT_EQ(g_fired.back().first, slow);
    EXPECT_EQ(g_fired.back().second - start, 100);
    for (UINT_PTR id : {slow, fast, mid}) KillTimer(HWND{}, id);
}

TEST_F(Timers, SettingAgainRestartsTheWaitAndKillStopsIt) {
    HWND w = MakeWindow("TimerOwner", "t");
    SetTimer(w, 5, 100, nullptr);
    RunFor(80);
    SetTimer(w, 5, 100, nullptr);  // restart: next tick 100 ms from now, not 20
    Log().clear();
    RunFor(99);
    EXPECT_FALSE(GotMessage(w, WM_TIMER));
    RunFor(1);
    EXPECT_EQ(MessagesTo(w), (std::vector<UINT>{WM_TIMER}));
    EXPECT_TRUE(KillTimer(w, 5));
    EXPECT_FALSE(KillTimer(w, 5));
    Log().clear();
    RunFor(1000);
    EXPECT_FALSE(GotMessage(w, WM_TIMER));
    DestroyWindow(w);
}

TEST_F(Timers, WholeSecondTimersTickJustAfterTheWallClockSecond) {
    UINT_PTR id = SetTimer(HWND{}, 0, 1000, RecordTimer);
    RunFor(5000);
    ASSERT_GE(g_fired.size(), 4u);
    for (auto& [tid, at] : g_fired) {
        std::int64_t wall = CurrentClock().UtcMs() - (CurrentClock().MonotonicMs() - at);
        EXPECT_GE(wall % 1000, 0);
        EXPECT_LE(wall % 1000, 5) << "a second timer ticked " << wall % 1000 << " ms after the second";
    }
    // The first tick comes at least half an interval after it was set.
    EXPECT_GE(g_fired.front().second - start, 500);
    KillTimer(HWND{}, id);
}

TEST_F(Timers, LongerTimersAndExactOnesWaitExactlyTheirInterval) {
    SetTimer(HWND{}, 0, 5000, RecordTimer);
    RunFor(10'500);
    ASSERT_EQ(g_fired.size(), 2u);
    EXPECT_EQ(g_fired[0].second - start, 5000);
    EXPECT_EQ(g_fired[1].second - start, 10'000);
    KillTimer(HWND{}, g_fired[0].first);
    // Set in the middle of a second, an exact one-second timer keeps to its own start.
    g_fired.clear();
    RunFor(250);
    const std::int64_t from = CurrentClock().MonotonicMs();
    const UINT_PTR exact = SetExactTimer(HWND{}, 0, 1000, RecordTimer);
    RunFor(2100);
    ASSERT_EQ(g_fired.size(), 2u);
    EXPECT_EQ(g_fired[0].second - from, 1000);
    EXPECT_EQ(g_fired[1].second - from, 2000);
    KillTimer(HWND{}, exact);
}

TEST_F(Timers, ThreadTimersBelongToTheirContext) {
    UINT_PTR id = SetTimer(HWND{}, 0, 50, RecordTimer);
    {
        ContextScope shell(ProcessContext::Shell);
        EXPECT_FALSE(KillTimer(HWND{}, id));  // another context's timer is out of reach
    }
    RunFor(50);
    EXPECT_EQ(g_fired.size(), 1u);
    EXPECT_TRUE(KillTimer(HWND{}, id));
}

TEST_F(Timers, KeepFiringInsideNestedModalLoops) {
    UINT_PTR ticker = SetTimer(HWND{}, 0, 100, RecordTimer);
    int outerTicks = -1, innerTicks = -1;
    bool innerDone = false, outerDone = false;
    HWND w = MakeWindow("ModalOwner", "modal");
    Reactions()[w.id()] = [&](HWND, UINT msg, WPARAM id, LPARAM, LRESULT*) {
        if (msg != WM_TIMER) return false;
        if (id == 1) {  // opens the inner loop from inside the outer one
            KillTimer(w, 1);
            SetTimer(w, 2, 300, nullptr);
            RunModalLoop([&] { return innerDone; });
            innerTicks = static_cast<int>(g_fired.size());
            outerDone = true;
        } else if (id == 2) {
            KillTimer(w, 2);
            innerDone = true;
        }
        return true;
    };
    SetTimer(w, 1, 250, nullptr);
    EXPECT_TRUE(RunModalLoop([&] { return outerDone; }));
    outerTicks = static_cast<int>(g_fired.size());
    EXPECT_EQ(innerTicks, 5);  // 100 ms ticks kept coming while both loops waited: 100..500 ms
    EXPECT_EQ(outerTicks, 5);
    KillTimer(HWND{}, ticker);
    DestroyWindow(w);
}

TEST_F(Timers, AVirtualHourRunsWithoutWaiting) {
    UINT_PTR id = SetTimer(HWND{}, 0, 1000, RecordTimer);
    RunFor(3'600'000);
    EXPECT_EQ(g_fired.size(), 3600u);
    KillTimer(HWND{}, id);
    EXPECT_EQ(detail::NextTimerDue(), -1);
}

}  // namespace
