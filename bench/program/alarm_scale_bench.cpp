// The program with many alarms, as a user meets it: start-up until the alarm list is loaded, the
// clock second in which an alarm fires (its window, and the save of the alarm files after it: the
// keys that changed, the first time after start-up as later), F3 until the alarm manager shows
// every alarm, the settings window's Cancel, which reads the alarm files again, and the alarm
// manager's switch of every alarm at once; and the peak memory of it all. Each size runs in a
// child process of its own, on the headless screen with a virtual clock; the times are real.
//
// Targets with 10,000 alarms: start-up to a loaded list within 0.5 s more than with none; each
// firing's save within 60 ms (also on an X server, from the due second to the renamed file: see
// BM_ManyAlarmsOnScreen); the first F3 within 35 ms; Cancel within 0.5 s; a peak of 85 MB at most.
// The sizes 0, 1,000 and 10,000 show how each grows; tools/alarms-bench.sh prints them against
// their targets.
#include <benchmark/benchmark.h>

#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <string_view>

#include "alarmmanager/frm_seti_ram.h"
#include "bench/program/program_run.h"
#include "core/alarm.h"
#include "core/alarm_keys.h"
#include "core/commands.h"
#include "core/date_routines.h"
#include "core/globals.h"
#include "platform/window/loop.h"
#include "settings/frm_seti.h"

namespace {

using bench::Clock;
using bench::SecondsSince;

constexpr const char* kStart = "2026-03-01T13:04:05";
constexpr int kSecondsToFiring = 30;
constexpr int kSecondsToLaterFiring = 90;

// What a span of the program costs beside its real time: the page faults it takes (memory taken
// anew, the cost that the real time of a loaded machine hides least) and its CPU time.
struct Cost {
    long faults = 0;
    double cpuMs = 0;
};

class CostMeter {
public:
    CostMeter() : start_(Now()) {}
    Cost Taken() const {
        const Cost now = Now();
        return {now.faults - start_.faults, now.cpuMs - start_.cpuMs};
    }

private:
    static Cost Now() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
        return {usage.ru_minflt + usage.ru_majflt, ms(usage.ru_utime) + ms(usage.ru_stime)};
    }
    Cost start_;
};

struct Timings {
    double startToLoaded = 0;  // s: from the program's start until its alarm list is loaded
    double firingSecond = 0;   // s: the clock second in which the alarm fires, its save included
    double quietSecond = 0;    // s: a clock second in which nothing fires
    double laterFiring = 0;    // s: the second in which the next alarm fires, its save included
    double managerShown = 0;   // s: F3 until the alarm manager lists every alarm
    double cancel = 0;         // s: the settings window's Cancel
    double switchAll = 0;      // s: the alarm manager's button that switches every alarm off
    Cost firingCost, laterFiringCost, managerCost;
    long peakKb = 0;
    bool loaded = false, saved = false, savedLater = true, listed = false, cancelled = false, switched = false;
};

// An alarm as the wizard makes it: a titled window with a two-line text, a font, a sound.
core::Alarm TypicalAlarm(int number, core::DateTime fire) {
    core::Alarm a;
    a.FLAG = core::kAlarmOn;
    a.AlarmKey = "2026-03-01 # 13:04:05 # " + std::to_string(number);
    a.NAME = "Alarm number " + std::to_string(number);
    a.FIRE = a.OriginalDate = fire;
    a.Title = "Reminder " + std::to_string(number);
    a.Text = "Time for the next thing.\r\nAnd then the one after it.";
    a.W = 300;
    a.H = 120;
    a.Alpha = 255;
    a.BackColor = 0xC8D0D4;
    a.FontInformation = "<@Title 0: |FontName: Arial |FontSize: 12 |FontBold: 700 @> ";
    a.Sound = "\\Alarms\\Sounds\\Default Alarm.wav";
    a.Flags = core::kAlarmCentered;
    return a;
}

// The alarm files: alarm 0 fires the given seconds after the start, alarm 1 the later seconds
// after it, the others one a day from tomorrow on. Written as they are made, so that the
// benchmark's own copy of them does not weigh on the program's peak memory.
void WriteAlarms(const bench::fs::path& folder, int others, core::DateTime start = core::MakeDateTime(2026, 3, 1, 13, 4, 5),
                 int secondsToFiring = kSecondsToFiring, int secondsToLaterFiring = kSecondsToLaterFiring) {
    std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
    auto alarm = [&](int i) {
        const core::DateTime fire = i == 0 ? core::AddSeconds(start, secondsToFiring)
                                    : i == 1 ? core::AddSeconds(start, secondsToLaterFiring)
                                             : core::AddDays(start, i);
        return TypicalAlarm(i, fire);
    };
    std::ofstream out(folder / "Alarms/MyAlarms.ozrini");
    out << "[Dralo Software Development Ruriv - Alarm Playlist File]\n[Collection: MyAlarms.ozrini]\n";
    for (int i = 0; i <= others; ++i) {
        const core::Alarm a = alarm(i);
        out << a.AlarmKey << "=" << a.NAME << "\n";
    }
    for (int i = 0; i <= others; ++i) {
        const core::Alarm a = alarm(i);
        out << "[ZTVALR: " << a.AlarmKey << "]\n";
        for (const core::AlarmKey& field : core::AlarmKeys())
            if (core::StoredText text = field.text(a)) out << field.key << "=" << *text << "\n";
    }
}

// How many alarms the collection file holds as passed (a section whose first key is FLAG=2), read
// line by line: a copy of the whole file would weigh on the program's peak memory.
int PassedInFile(const bench::fs::path& folder) {
    std::ifstream file(folder / "Alarms/MyAlarms.ozrini");
    int passed = 0;
    bool afterHeader = false;
    for (std::string line; std::getline(file, line);) {
        if (afterHeader && line == "FLAG=2") ++passed;
        afterHeader = line.starts_with('[') && line.ends_with(']');
    }
    return passed;
}

// Runs the loop in steps of the given virtual milliseconds until done() holds; false after a minute
// of real time.
template <class Done>
bool RunUntilDone(Done done, int stepMs = 1) {
    const Clock::time_point start = Clock::now();
    while (!done()) {
        if (SecondsSince(start) > 60) return false;
        platform::RunFor(stepMs);
    }
    return true;
}

// Runs the virtual clock to half a second before the given second after the start, then times the
// real seconds that a second of clock time across it takes.
double TimedSecondAcross(std::int64_t startUtc, int secondsAfterStart, Cost& cost) {
    platform::RunFor(startUtc + secondsAfterStart * 1000 - 500 - platform::CurrentClock().UtcMs());
    const Clock::time_point mark = Clock::now();
    const CostMeter meter;
    platform::RunFor(1000);
    cost = meter.Taken();
    return SecondsSince(mark);
}

long PeakKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    return 0;
}

Timings RunWithAlarms(int others) {
    const bench::fs::path folder = bench::FreshProgramFolder("alarms", bench::kQuietSettings);
    WriteAlarms(folder, others);
    Timings t;

    Clock::time_point mark = Clock::now();
    if (!bench::StartProgramIn(folder, kStart)) return t;
    t.loaded = RunUntilDone([] { return core::AlarmsLoaded; }, 10);
    t.startToLoaded = SecondsSince(mark);
    if (!t.loaded) return t;

    // Up to half a second before the firing second, then a second across it, and a quiet one.
    std::int64_t startUtc = 0;
    platform::ParseLocalTimestamp(kStart, &startUtc);
    t.firingSecond = TimedSecondAcross(startUtc, kSecondsToFiring, t.firingCost);
    t.saved = core::Alarms[0].FLAG == core::kAlarmPassed && PassedInFile(folder) == 1;
    mark = Clock::now();
    platform::RunFor(1000);
    t.quietSecond = SecondsSince(mark);
    if (others > 0) {
        t.laterFiring = TimedSecondAcross(startUtc, kSecondsToLaterFiring, t.laterFiringCost);
        t.savedLater = core::Alarms[1].FLAG == core::kAlarmPassed && PassedInFile(folder) == 2;
    }

    mark = Clock::now();
    const CostMeter managerMeter;
    core::RunLater(core::Command::AlarmSettings);
    t.listed = RunUntilDone([] { return core::AlarmManagerOpen; }) &&
               alarmmanager::frmSetiRAM().flxAlarms.Rows == static_cast<int>(core::Alarms.size()) + 2;
    platform::RunFor(1);  // its paint reaches the screen
    t.managerShown = SecondsSince(mark);
    t.managerCost = managerMeter.Taken();

    mark = Clock::now();
    settings::frmSeti().cmdCancelN.PressFromKeyboard();
    t.cancelled = RunUntilDone([] { return !core::SettingsWindowOpen; });
    t.cancel = SecondsSince(mark);

    core::RunLater(core::Command::AlarmSettings);
    RunUntilDone([] { return core::AlarmManagerOpen; });
    mark = Clock::now();
    alarmmanager::frmSetiRAM().cmdActivateAll.PressFromKeyboard();
    platform::RunFor(1);
    t.switchAll = SecondsSince(mark);
    t.switched = std::all_of(core::Alarms.begin(), core::Alarms.end(), [](const core::Alarm& a) { return a.FLAG == core::kAlarmOff; });

    t.peakKb = PeakKb();
    bench::fs::remove_all(folder);
    return t;
}

void BM_ManyAlarms(benchmark::State& state) {
    const int others = static_cast<int>(state.range(0));
    Timings t;
    for (auto _ : state) {
        if (!bench::RunInChild(t, [others] { return RunWithAlarms(others); }) || !t.loaded || !t.saved || !t.savedLater || !t.listed || !t.cancelled ||
            !t.switched) {
            state.SkipWithError("the alarms were not loaded, saved after the firing, listed, cancelled or switched off");
            return;
        }
        state.SetIterationTime(t.startToLoaded);
    }
    state.counters["alarms"] = others + 1;
    state.counters["fire_and_save_ms"] = t.firingSecond * 1000;
    state.counters["quiet_second_ms"] = t.quietSecond * 1000;
    state.counters["later_fire_and_save_ms"] = t.laterFiring * 1000;
    state.counters["manager_ms"] = t.managerShown * 1000;
    state.counters["cancel_ms"] = t.cancel * 1000;
    state.counters["all_off_ms"] = t.switchAll * 1000;
    state.counters["fire_and_save_faults"] = static_cast<double>(t.firingCost.faults);
    state.counters["fire_and_save_cpu_ms"] = t.firingCost.cpuMs;
    state.counters["later_fire_and_save_faults"] = static_cast<double>(t.laterFiringCost.faults);
    state.counters["later_fire_and_save_cpu_ms"] = t.laterFiringCost.cpuMs;
    state.counters["manager_faults"] = static_cast<double>(t.managerCost.faults);
    state.counters["manager_cpu_ms"] = t.managerCost.cpuMs;
    state.counters["peak_MB"] = static_cast<double>(t.peakKb) / 1024;
    state.SetLabel("time: start-up to loaded alarms");
}
BENCHMARK(BM_ManyAlarms)->Arg(0)->Arg(1000)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The same program on the real clock, as a user meets it (on an X server with OZR_PRESENTER=x11):
// from the second in which an alarm is due until its collection file is renamed into place, for
// the first firing after start-up and a later one, then F3 until the alarm manager lists every
// alarm, and the peak memory.
struct ScreenTimings {
    double firstSaved = 0, laterSaved = 0, managerShown = 0;  // s
    long peakKb = 0;
    bool ok = false;
};

// Real milliseconds from dueUtcMs until the collection file is renamed into place, the program
// running meanwhile; -1 after ten seconds.
double MsUntilRenamed(int watch, std::int64_t dueUtcMs) {
    auto nowMs = [] { return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count(); };
    while (nowMs() < static_cast<double>(dueUtcMs) + 10000) {
        platform::RunFor(1);
        alignas(inotify_event) char events[4096];
        for (ssize_t n; (n = read(watch, events, sizeof events)) > 0;)
            for (char* at = events; at < events + n; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
                if (std::string_view(reinterpret_cast<inotify_event*>(at)->name) == "MyAlarms.ozrini") return nowMs() - static_cast<double>(dueUtcMs);
    }
    return -1;
}

ScreenTimings RunOnScreen(int others) {
    const bench::fs::path folder = bench::FreshProgramFolder("alarms-screen", bench::kQuietSettings);
    // The first alarm a few whole seconds after the start, past the load; the later one after it.
    constexpr int kToFirst = 3, kToLater = 6;
    const std::int64_t startUtc = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count() * 1000 + 1000;
    const platform::SYSTEMTIME local = platform::UtcMsToLocalTime(startUtc);
    WriteAlarms(folder, others, core::MakeDateTime(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond), kToFirst,
                kToLater);
    ScreenTimings t;
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, (folder / "Alarms").c_str(), IN_MOVED_TO) < 0) return t;
    if (!bench::StartProgramIn(folder, nullptr) || !RunUntilDone([] { return core::AlarmsLoaded; }, 10)) return t;
    t.firstSaved = MsUntilRenamed(watch, startUtc + kToFirst * 1000) / 1000;
    t.laterSaved = MsUntilRenamed(watch, startUtc + kToLater * 1000) / 1000;
    close(watch);

    const Clock::time_point mark = Clock::now();
    core::RunLater(core::Command::AlarmSettings);
    const bool listed = RunUntilDone([] { return core::AlarmManagerOpen; }) &&
                        alarmmanager::frmSetiRAM().flxAlarms.Rows == static_cast<int>(core::Alarms.size()) + 2;
    platform::RunFor(1);  // its paint reaches the screen
    t.managerShown = SecondsSince(mark);
    t.ok = listed && t.firstSaved > 0 && t.laterSaved > 0 && PassedInFile(folder) == 2;
    t.peakKb = PeakKb();
    bench::fs::remove_all(folder);
    return t;
}

void BM_ManyAlarmsOnScreen(benchmark::State& state) {
    const int others = static_cast<int>(state.range(0));
    ScreenTimings t;
    for (auto _ : state) {
        if (!bench::RunInChild(t, [others] { return RunOnScreen(others); }) || !t.ok) {
            state.SkipWithError("the firings were not saved, or the alarms not listed");
            return;
        }
        state.SetIterationTime(t.firstSaved);
    }
    state.counters["alarms"] = others + 1;
    state.counters["first_save_ms"] = t.firstSaved * 1000;
    state.counters["later_save_ms"] = t.laterSaved * 1000;
    state.counters["manager_ms"] = t.managerShown * 1000;
    state.counters["peak_MB"] = static_cast<double>(t.peakKb) / 1024;
    state.SetLabel("time: the due second to the first firing's renamed file");
}
BENCHMARK(BM_ManyAlarmsOnScreen)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
