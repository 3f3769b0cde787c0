// The floating clock's running cost: the whole program on the headless screen with a virtual
// clock and the real library. One clock second is an engine tick, the library's label texts, the
// layout and one composition of the screen; an idle hour is 3600 of them.
//
// A benchmark program of its own: nothing that another benchmark starts or leaves runs beside it.
#include <benchmark/benchmark.h>

#include "bench/program/program_run.h"
#include "platform/window/loop.h"

namespace {

// Starts the program once per process, in a copy of the program folder (a later run, no splash).
bool StartFloatingClock() {
    static bool started = [] {
        const bool running = bench::StartProgramIn(bench::FreshProgramFolder("floating", bench::kQuietSettings));
        platform::RunFor(10'000);  // past the start: fast ticks, first texts, settled layout
        return running;
    }();
    return started;
}

void BM_FloatingClockSecond(benchmark::State& state) {
    if (!StartFloatingClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state) platform::RunFor(1000);
    state.SetLabel("per clock second");
}
BENCHMARK(BM_FloatingClockSecond)->Unit(benchmark::kMicrosecond);

void BM_FloatingClockIdleHour(benchmark::State& state) {
    if (!StartFloatingClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state)
        for (int second = 0; second < 3600; ++second) platform::RunFor(1000);
    state.SetLabel("per virtual hour");
}
BENCHMARK(BM_FloatingClockIdleHour)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
