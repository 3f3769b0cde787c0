// What the benchmarks of the whole program share: a fresh copy of the built program folder, the
// program started in it on the headless screen with a virtual clock, and measurements made in a
// child process of their own. A process holds one program, and what one measurement leaves behind
// (alarms, windows, timers) must not weigh on the next, so each runs in a child that ends after it.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/program.h"
#include "platform/present/runner.h"
#include "platform/services/clock.h"

namespace bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A later run without splash that asks no time server.
inline const char* const kQuietSettings =
    "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
    "[Atomic Ruriv]\nAtomicStartup=0\nEvery=0\n";

inline double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The program folder the build assembles beside the benchmarks' folder (build/bench/program/...).
inline fs::path BuiltProgramFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path() / "program";
}

// A copy of the built program folder, named for this process, with this settings file.
inline fs::path FreshProgramFolder(const std::string& name, const std::string& settings) {
    const fs::path folder = fs::temp_directory_path() / ("ozr-bench-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::copy(BuiltProgramFolder(), folder, fs::copy_options::recursive);
    std::ofstream(folder / "Settings.ozrini") << settings;
    return folder;
}

// Starts the platform at a virtual local time (none: the real clock), and then the program: on the
// headless screen, or on DISPLAY's X server when OZR_PRESENTER=x11 asks for it (as on a desktop).
inline bool StartProgramIn(const fs::path& folder, const char* localStart = "2026-03-01T13:04:05") {
    platform::PlatformOptions options;
    const char* presenter = std::getenv("OZR_PRESENTER");
    options.presenter = presenter && std::string_view(presenter) == "x11" ? platform::PresenterKind::X11 : platform::PresenterKind::Headless;
    std::int64_t start = 0;
    if (localStart && platform::ParseLocalTimestamp(localStart, &start)) options.virtualStartUtcMs = start;
    platform::StartPlatform(options, folder.string());
    return core::StartProgram();
}

// Runs measure() in a child process and hands its result (a plain record) back; false when the
// child failed or ended without one.
template <class Result, class Measure>
bool RunInChild(Result& result, Measure measure) {
    static_assert(std::is_trivially_copyable_v<Result>);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(pipeEnds[0]);
        const Result measured = measure();
        const bool written = write(pipeEnds[1], &measured, sizeof measured) == static_cast<ssize_t>(sizeof measured);
        _exit(written ? 0 : 1);  // the program is not ended: nothing of it is needed any more
    }
    close(pipeEnds[1]);
    const bool read = ::read(pipeEnds[0], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace bench
