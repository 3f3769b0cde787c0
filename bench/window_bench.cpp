// Costs of the window system: sends, posts, nested sends and timer scheduling.
#include <benchmark/benchmark.h>

#include "platform/services/clock.h"
#include "platform/window/loop.h"
#include "platform/window/detail/timers.h"
#include "platform/window/window.h"

using namespace platform;

namespace {

HWND g_target;
constexpr UINT WM_NEST = WM_USER + 7;

LRESULT BenchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) return static_cast<LRESULT>(wParam + 1);
    if (msg == WM_NEST) return wParam == 0 ? 0 : SendMessage(hwnd, WM_NEST, wParam - 1, lParam) + 1;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND Target() {
    if (!g_target) {
        WNDCLASS wc;
        wc.lpfnWndProc = BenchProc;
        wc.lpszClassName = "BenchWindow";
        RegisterClass(&wc);
        g_target = CreateWindowEx(0, "BenchWindow", "bench", WS_POPUP, 0, 0, 10, 10, HWND{});
    }
    return g_target;
}

void BM_SendMessageSameContext(benchmark::State& state) {
    HWND hwnd = Target();
    WPARAM i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hwnd, WM_USER, i++, 0));
}
BENCHMARK(BM_SendMessageSameContext);

void BM_SendMessageAcrossContexts(benchmark::State& state) {
    HWND hwnd = Target();
    ContextScope shell(ProcessContext::Shell);
    WPARAM i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hwnd, WM_USER, i++, 0));
}
BENCHMARK(BM_SendMessageAcrossContexts);

void BM_NestedSendTenDeep(benchmark::State& state) {
    HWND hwnd = Target();
    for (auto _ : state) benchmark::DoNotOptimize(SendMessage(hwnd, WM_NEST, 10, 0));
}
BENCHMARK(BM_NestedSendTenDeep);

void BM_PostAndDispatch(benchmark::State& state) {
    HWND hwnd = Target();
    for (auto _ : state) {
        PostMessage(hwnd, WM_USER, 1, 0);
        PumpPendingWork();
    }
}
BENCHMARK(BM_PostAndDispatch);

void NoOpTimer(HWND, UINT, UINT_PTR, DWORD) {}

// Setting and firing with n timers live: the per-timer cost must grow as log n.
void BM_TimerScheduling(benchmark::State& state) {
    InstallService<Clock>(MakeVirtualClock(1'800'000'000'000));
    std::vector<UINT_PTR> ids;
    for (int i = 0; i < state.range(0); ++i) ids.push_back(SetTimer(HWND{}, 0, 100 + (i * 37) % 5000, NoOpTimer));
    std::int64_t now = CurrentClock().MonotonicMs();
    for (auto _ : state) {
        now += 1;
        CurrentClock().Advance(1);
        detail::FireDueTimers(now);
    }
    state.SetItemsProcessed(state.iterations());
    for (UINT_PTR id : ids) KillTimer(HWND{}, id);
    InstallService<Clock>(MakeSystemClock());
}
BENCHMARK(BM_TimerScheduling)->Arg(100)->Arg(10000);

void BM_SetTimerWithManyLive(benchmark::State& state) {
    InstallService<Clock>(MakeVirtualClock(1'800'000'000'000));
    std::vector<UINT_PTR> ids;
    for (int i = 0; i < state.range(0); ++i) ids.push_back(SetTimer(HWND{}, 0, 100 + i % 5000, NoOpTimer));
    UINT_PTR id = SetTimer(HWND{}, 0, 50, NoOpTimer);
    for (auto _ : state) SetTimer(HWND{}, id, 50, NoOpTimer);
    for (UINT_PTR t : ids) KillTimer(HWND{}, t);
    KillTimer(HWND{}, id);
    detail::NextTimerDue();
    InstallService<Clock>(MakeSystemClock());
}
BENCHMARK(BM_SetTimerWithManyLive)->Arg(100)->Arg(10000);

}  // namespace
