// The program with many alarms, as a user meets it: start-up until the alarm list is loaded, the
// clock second in which an alarm fires (its window, and the save of the alarm files after it: the
// keys that changed, the first time after start-up as later), F3 until the alarm manager shows
// every alarm, the settings window's Cancel, which reads the alarm files again, and the alarm
// manager's switch of every alarm at once; and the peak memory of it all. Each size runs in a
// child process of its own, on the headless screen with a virtual clock; the times are real.
//
// Targets with 10,000 alarms: start-up to a loaded list within 0.5 s more than with none; each
// firing second (window and save) within 100 ms; the first F3 within 50 ms; Cancel within 0.5 s;
// a peak of 85 MB at most. The sizes 0, 1,000 and 10,000 show how each grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

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

struct Timings {
    double startToLoaded = 0;  // s: from the program's start until its alarm list is loaded
    double firingSecond = 0;   // s: the clock second in which the alarm fires, its save included
    double quietSecond = 0;    // s: a clock second in which nothing fires
    double laterFiring = 0;    // s: the second in which the next alarm fires, its save included
    double managerShown = 0;   // s: F3 until the alarm manager lists every alarm
    double cancel = 0;         // s: the settings window's Cancel
    double switchAll = 0;      // s: the alarm manager's button that switches every alarm off
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

// The alarm files: alarm 0 fires kSecondsToFiring after the start, alarm 1 kSecondsToLaterFiring
// after it, the others one a day from tomorrow on. Written as they are made, so that the
// benchmark's own copy of them does not weigh on the program's peak memory.
void WriteAlarms(const bench::fs::path& folder, int others) {
    const core::DateTime start = core::MakeDateTime(2026, 3, 1, 13, 4, 5);
    std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
    auto alarm = [&](int i) {
        const core::DateTime fire = i == 0 ? core::AddSeconds(start, kSecondsToFiring)
                                    : i == 1 ? core::AddSeconds(start, kSecondsToLaterFiring)
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
double TimedSecondAcross(std::int64_t startUtc, int secondsAfterStart) {
    platform::RunFor(startUtc + secondsAfterStart * 1000 - 500 - platform::CurrentClock().UtcMs());
    const Clock::time_point mark = Clock::now();
    platform::RunFor(1000);
    return SecondsSince(mark);
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
    t.firingSecond = TimedSecondAcross(startUtc, kSecondsToFiring);
    t.saved = core::Alarms[0].FLAG == core::kAlarmPassed && PassedInFile(folder) == 1;
    mark = Clock::now();
    platform::RunFor(1000);
    t.quietSecond = SecondsSince(mark);
    if (others > 0) {
        t.laterFiring = TimedSecondAcross(startUtc, kSecondsToLaterFiring);
        t.savedLater = core::Alarms[1].FLAG == core::kAlarmPassed && PassedInFile(folder) == 2;
    }

    mark = Clock::now();
    core::RunLater(core::Command::AlarmSettings);
    t.listed = RunUntilDone([] { return core::AlarmManagerOpen; }) &&
               alarmmanager::frmSetiRAM().flxAlarms.Rows == static_cast<int>(core::Alarms.size()) + 2;
    platform::RunFor(1);  // its paint reaches the screen
    t.managerShown = SecondsSince(mark);

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

    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) t.peakKb = std::stol(line.substr(6));
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
    state.counters["peak_MB"] = static_cast<double>(t.peakKb) / 1024;
    state.SetLabel("time: start-up to loaded alarms");
}
BENCHMARK(BM_ManyAlarms)->Arg(0)->Arg(1000)->Arg(10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
