// The systray clock's running cost: the whole program on the headless screen with a virtual clock
// and the real library, its labels painted into the taskbar's clock. One clock second is an engine
// tick, the library's data bridge and ten refresh ticks of the taskbar clock, and the composition
// of the screen.
//
// BM_SystrayClockCountedSeconds runs its seconds between callgrind's start and stop of
// instrumentation: tools/bench.sh runs it under callgrind with instrumentation off at the start
// and reports the instructions a clock second. Outside callgrind the requests do nothing.
//
// A benchmark program of its own: nothing that another benchmark starts or leaves runs beside it.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include "bench/program/program_run.h"
#include "platform/window/loop.h"

namespace {

// The seconds counted under callgrind; tools/bench.sh divides by the same number.
constexpr int kCountedSeconds = 60;

// The quiet later run of the other benchmarks, as a systray clock.
const char* const kSystraySettings =
    "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\nSystrayClock=1\n"
    "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";

bool StartSystrayClock() {
    static bool started = [] {
        const bool running = bench::StartProgramIn(bench::FreshProgramFolder("systray", kSystraySettings));
        platform::RunFor(10'000);  // past the start: labels sent, clock sized, first texts
        return running;
    }();
    return started;
}

void BM_SystrayClockSecond(benchmark::State& state) {
    if (!StartSystrayClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state) platform::RunFor(1000);
    state.SetLabel("per clock second");
}
BENCHMARK(BM_SystrayClockSecond)->Unit(benchmark::kMicrosecond);

void BM_SystrayClockCountedSeconds(benchmark::State& state) {
    if (!StartSystrayClock()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state) {
        CALLGRIND_START_INSTRUMENTATION;
        for (int second = 0; second < kCountedSeconds; ++second) platform::RunFor(1000);
        CALLGRIND_STOP_INSTRUMENTATION;
    }
    state.SetLabel("60 clock seconds");
}
BENCHMARK(BM_SystrayClockCountedSeconds)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
