// The clock engine's alarm cost with 10,000 enabled alarms, none due: one whole engine tick
// (target: under 50 us) and one rescan of the list (target: under 5 ms). The program runs on the
// headless screen with a virtual clock, so the tick's display upkeep is part of what is measured.
//
// A benchmark program of its own: its 10,000 alarms never fire beside another benchmark.
#include <benchmark/benchmark.h>

#include "bench/program/program_run.h"
#include "core/alarm.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/imminent_alarms.h"
#include "platform/window/loop.h"

namespace {

bool StartClock() {
    static bool started = [] {
        const bool running = bench::StartProgramIn(bench::FreshProgramFolder("alarm-engine", bench::kQuietSettings));
        platform::RunFor(10'000);
        return running;
    }();
    return started;
}

// 10,000 enabled one-time alarms, the first `spreadSeconds` apart from a minute ahead on.
void FillAlarms(std::int64_t spreadSeconds) {
    const core::DateTime now = core::Now();
    core::Alarms.assign(10'000, core::Alarm{});
    for (std::size_t i = 0; i < core::Alarms.size(); ++i) {
        core::Alarm& a = core::Alarms[i];
        a.FLAG = core::kAlarmOn;
        a.NAME = "Alarm " + std::to_string(i);
        a.FIRE = core::AddSeconds(now, 60 + static_cast<std::int64_t>(i) * spreadSeconds);
        a.CollectionFile = "MyAlarms.ozrini";
    }
    core::AlarmsLoaded = true;
    core::RebuildImmediateAlarms(now);
}

void BM_EngineTickTenThousandAlarms(benchmark::State& state) {
    if (!StartClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    FillAlarms(state.range(0));
    for (auto _ : state) core::frmMain().GoTimer();
    state.SetLabel(std::to_string(core::ImmediateAlarms.size() - 1) + " alarms listed");
}
// Alarms a minute apart (a week of them: 29 imminent), and all 10,000 in the same minute.
BENCHMARK(BM_EngineTickTenThousandAlarms)->Arg(60)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_RescanTenThousandAlarms(benchmark::State& state) {
    if (!StartClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    FillAlarms(60);
    const core::DateTime now = core::Now();
    for (auto _ : state) core::RebuildImmediateAlarms(now);
}
BENCHMARK(BM_RescanTenThousandAlarms)->Unit(benchmark::kMicrosecond);

}  // namespace
