// Clocks of many labels: the whole program on the headless screen with a virtual clock, started
// with a settings file of N labels, each on a row of its own and showing the time to the second.
// Target: 2,000 labels are loaded and laid out in well under a second, and the cost of a clock
// second grows no faster than the number of labels.
//
// A process holds one program, so each measurement starts it in a child process of its own and
// reads the child's timings back through a pipe; the benchmark process itself never starts it.
#include <benchmark/benchmark.h>

#include "bench/program/program_run.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "platform/window/loop.h"
#include "tests/desktop/many_labels.h"

namespace {

using bench::Clock;
using bench::SecondsSince;

constexpr int kMeasuredSeconds = 10;

struct Timings {
    double startSeconds = 0;      // start-up and the first clock second: load, controls, first layout
    double perClockSecond = 0;    // one later clock second: the label texts and their layout
    bool laidOut = false;         // every label loaded, shown and on its own row
};

// In the child: a fresh program folder with the labels, the program started and run.
Timings RunProgramWithLabels(int count) {
    const bench::fs::path folder = bench::FreshProgramFolder(
        "labels", desktop::SettingsWithLabels(count, 8, 200) + "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n");  // no time server is asked
    Timings timings;
    const Clock::time_point started = Clock::now();
    const bool running = bench::StartProgramIn(folder);
    platform::RunFor(1000);
    timings.startSeconds = SecondsSince(started);
    if (running && core::LabelCount == count && core::frmMain().Label.Exists(count - 1)) {
        auto& last = core::frmMain().Label(count - 1);
        timings.laidOut = last.Visible && (count == 1 || last.Top > core::frmMain().Label(count - 2).Top);
    }
    const Clock::time_point measured = Clock::now();
    for (int second = 0; second < kMeasuredSeconds; ++second) platform::RunFor(1000);
    timings.perClockSecond = SecondsSince(measured) / kMeasuredSeconds;
    bench::fs::remove_all(folder);
    return timings;
}

void BM_StartWithLabels(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Timings timings;
    for (auto _ : state) {
        if (!bench::RunInChild(timings, [count] { return RunProgramWithLabels(count); }) || !timings.laidOut) {
            state.SkipWithError("the program did not start or did not lay its labels out");
            return;
        }
        state.SetIterationTime(timings.startSeconds);
    }
    state.counters["labels"] = count;
    state.counters["ms_per_clock_second"] = timings.perClockSecond * 1000;
    state.SetLabel("start-up and first clock second; target for 2000 labels: well under 1 s");
}
BENCHMARK(BM_StartWithLabels)->Arg(500)->Arg(1000)->Arg(2000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
