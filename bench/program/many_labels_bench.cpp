// Clocks of many labels: the whole program on the headless screen with a virtual clock, started
// with a settings file of N labels, each on a row of its own and showing the time to the second.
// Target: 2,000 labels are loaded and laid out in well under a second, and the cost of a clock
// second grows no faster than the number of labels.
//
// A process holds one program, so each measurement starts it in a child process of its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/program.h"
#include "platform/present/runner.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"
#include "tests/desktop/many_labels.h"
#include "in_child.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kMeasuredSeconds = 10;

struct Timings {
    double startSeconds = 0;      // start-up and the first clock second: load, controls, first layout
    double perClockSecond = 0;    // one later clock second: the label texts and their layout
    bool laidOut = false;         // every label loaded, shown and on its own row
};

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// In the child: a fresh program folder with the labels, the program started and run.
Timings RunProgramWithLabels(int count) {
    const fs::path folder = benchsupport::FreshProgramFolder("ozr-bench-labels");
    std::ofstream(folder / "Settings.ozrini") << desktop::SettingsWithLabels(count, 8, 200)
                                              << "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";  // no time server is asked

    platform::PlatformOptions options;
    options.presenter = platform::PresenterKind::Headless;
    std::int64_t start = 0;
    platform::ParseLocalTimestamp("2026-03-01T13:04:05", &start);
    options.virtualStartUtcMs = start;
    platform::StartPlatform(options, folder.string());

    Timings timings;
    const Clock::time_point started = Clock::now();
    const bool running = core::StartProgram();
    platform::RunFor(1000);
    timings.startSeconds = SecondsSince(started);
    if (running && core::LabelCount == count && core::frmMain().Label.Exists(count - 1)) {
        auto& last = core::frmMain().Label(count - 1);
        timings.laidOut = last.Visible && (count == 1 || last.Top > core::frmMain().Label(count - 2).Top);
    }
    const Clock::time_point measured = Clock::now();
    for (int second = 0; second < kMeasuredSeconds; ++second) platform::RunFor(1000);
    timings.perClockSecond = SecondsSince(measured) / kMeasuredSeconds;
    fs::remove_all(folder);
    return timings;
}

void BM_StartWithLabels(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Timings timings;
    for (auto _ : state) {
        if (!benchsupport::MeasureInChild([count] { return RunProgramWithLabels(count); }, timings) || !timings.laidOut) {
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
