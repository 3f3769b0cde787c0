// The floating clock's running cost: the whole program on the headless screen with a virtual
// clock and the real library. One clock second is an engine tick, the library's label texts, the
// layout and one composition of the screen; an idle hour is 3600 of them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/program.h"
#include "platform/present/runner.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"

namespace {

namespace fs = std::filesystem;

// The program folder the build assembles beside the bench's own folder.
fs::path BuiltProgramFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "program";
}

// Starts the program once per process, in a copy of the program folder (a later run, no splash).
bool StartFloatingClock() {
    static bool started = [] {
        fs::path folder = fs::temp_directory_path() / ("ozr-bench-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::copy(BuiltProgramFolder(), folder, fs::copy_options::recursive);
        std::ofstream(folder / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
               "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";  // no time server is asked
        platform::PlatformOptions options;
        options.presenter = platform::PresenterKind::Headless;
        std::int64_t start = 0;
        platform::ParseLocalTimestamp("2026-03-01T13:04:05", &start);
        options.virtualStartUtcMs = start;
        platform::StartPlatform(options, folder.string());
        bool running = core::StartProgram();
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
