// The clock while the online storage keeps it waiting: the whole program on the headless screen
// with the real clock and the real HTTP service, an account set, and a storage server on loopback
// that takes every connection and never answers. The download at start-up waits for it until its
// 15 s time-out. Target: through the whole wait the clock's second changes on time, every second.
//
// Measured in a child process (program_run.h), for 20 s from the first time the clock shows:
// how often the clock's first label changed, the longest time it stood still, how late into the
// real clock's second a change came, and how many changes showed the second before the real one
// (the same measure without an account tells what is the clock's own).
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#include "bench/program/program_run.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "platform/window/loop.h"

namespace {

namespace fs = std::filesystem;
using SystemClock = std::chrono::system_clock;

constexpr int kWatchedSeconds = 20;  // the 15 s wait and what follows it

struct Watch {
    int requests = 0;           // connections the silent server took
    double waitSeconds = 0;     // from the start to the download's end (its time-out)
    int changes = 0;            // times the shown second changed during the watch
    int longestStillMs = 0;     // the longest time during the watch without a change
    int worstIntoSecondMs = 0;  // the latest into a second of the real clock that a change came
    int secondsBehind = 0;      // changes that showed the second before the real one
};

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SystemClock::now().time_since_epoch()).count();
}

// hh:mm:ss of a moment, local time, as the clock's default label shows it.
std::string ClockText(std::int64_t ms) {
    const std::time_t seconds = ms / 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

// A storage server that takes each connection and keeps it, answering nothing; returns its port.
std::uint16_t StartSilentServer(std::atomic<int>* requests) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(listener, reinterpret_cast<sockaddr*>(&address), size);
    listen(listener, 8);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    std::thread([listener, requests] {
        while (accept4(listener, nullptr, nullptr, SOCK_CLOEXEC) >= 0) ++*requests;  // held open, never answered
    }).detach();
    return ntohs(address.sin_port);
}

// In the child: the program started (with the account against the silent server, or with no
// account at all for comparison) and its first label watched.
Watch RunProgram(bool account) {
    Watch watch;
    static std::atomic<int> requests = 0;
    const std::uint16_t port = StartSilentServer(&requests);
    const fs::path folder = bench::FreshProgramFolder(
        "silent", std::string(bench::kQuietSettings) + "[OZR Ruriv Anywhere]\nServerURL=http://127.0.0.1:" +
                      std::to_string(port) + "/\nUsername=" + (account ? "ann" : "") +
                      "\nPassword=0cc175b9c0f1b6a831c399e269772661\n");
    if (!bench::StartProgramIn(folder, nullptr)) return watch;

    // The watch: 20 s from the first time the clock shows, or from 1 s after the start at the
    // latest (a clock held up at start-up is watched standing still).
    const std::int64_t start = NowMs();
    std::int64_t begin = start + 1000, lastChange = begin;
    std::string last = core::frmMain().Label(0).Caption;
    while (NowMs() < begin + kWatchedSeconds * 1000) {
        platform::RunFor(2);  // the bench looks every 2 ms; the clock itself does not poll
        const std::int64_t now = NowMs();
        if (watch.waitSeconds == 0 && core::DownloadFailures != 0) watch.waitSeconds = (now - start) / 1000.0;
        const std::string text = core::frmMain().Label(0).Caption;
        if (text == last) continue;
        const bool first = last == "<Loading>";
        last = text;
        if (now < begin) {
            if (first) begin = lastChange = now;
            continue;
        }
        ++watch.changes;
        watch.longestStillMs = std::max(watch.longestStillMs, static_cast<int>(now - lastChange));
        watch.worstIntoSecondMs = std::max(watch.worstIntoSecondMs, static_cast<int>(now % 1000));
        if (text != ClockText(now)) ++watch.secondsBehind;
        lastChange = now;
    }
    watch.longestStillMs = std::max(watch.longestStillMs, static_cast<int>(NowMs() - lastChange));
    watch.requests = requests;
    fs::remove_all(folder);
    return watch;
}

// Argument 1: the account against the silent server; 0: no account (nothing is asked), the same
// clock for comparison.
void BM_ClockWhileTheStorageServerIsSilent(benchmark::State& state) {
    const bool account = state.range(0) != 0;
    Watch watch;
    for (auto _ : state) {
        const bool measured = bench::RunInChild(watch, [account] { return RunProgram(account); });
        if (!measured || watch.changes == 0 || (account && watch.requests == 0)) {
            state.SkipWithError("the program did not start, show its time or ask the storage server");
            return;
        }
        state.SetIterationTime(kWatchedSeconds);
    }
    state.counters["requests"] = watch.requests;
    state.counters["wait_s"] = watch.waitSeconds;
    state.counters["changes"] = watch.changes;
    state.counters["longest_still_ms"] = watch.longestStillMs;
    state.counters["worst_into_second_ms"] = watch.worstIntoSecondMs;
    state.counters["seconds_behind"] = watch.secondsBehind;
    state.SetLabel(account ? "silent server; target: a change every second through the wait, on time"
                           : "no account, for comparison");
}
BENCHMARK(BM_ClockWhileTheStorageServerIsSilent)->Arg(1)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
