// The alarm files at start-up on the headless desktop: loaded (no account set), every alarm's next
// firing computed, saved back stably, and the countdown label counting down to the nearest enabled
// alarm.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "core/alarm_files.h"
#include "core/date_routines.h"
#include "core/globals.h"
#include "core/next_firing.h"
#include "desktop_harness.h"

using namespace desktop;

namespace {

// One label whose script is the countdown token.
const char* const kSettings =
    "[Dralo Software Development Ruriv - Settings File]\n"
    "[Main Settings]\nRunCount=4\nSplash=0\n"
    "[Labels]\nk=Countdown\n"
    "[ZTVLBL: Countdown]\nX=0\nY=0\nFace=DejaVu Sans\nSize=12\nBold=700\nItalic=0\nUnderline=0\nStrikeOut=0\n"
    "Back=0\nFore=65280\nSpawnString=acETA\nVisible=1\n";

std::string Alarm(const std::string& key, const std::string& name, int flag, int flags, const std::string& fire,
                  const std::string& originalDate, const std::string& more = "") {
    return "[ZTVALR: " + key + "]\nFLAG=" + std::to_string(flag) + "\nNAME=" + name + "\nFIRE=" + fire +
           "\nOriginalDate=" + originalDate + "\n" + more + "Flags=" + std::to_string(flags) + "\n";
}

// The clock starts on Sunday 2026-03-01 at 12:00:00.
void WriteAlarmFiles(const std::filesystem::path& folder) {
    std::ofstream(folder / "Settings.ozrini") << kSettings;
    std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
    std::ofstream(folder / "Alarms/MyAlarms.ozrini")
        << "[Dralo Software Development Ruriv - Alarm Playlist File]\n"
           "[Collection: MyAlarms.ozrini]\nc1=a\nc2=b\nc3=c\nc4=d\nc5=e\nc6=f\nc7=g\nc8=h\n"
        << Alarm("c1", "Clock time", 1, 0, "2000-01-01 00:00:00", "2026-03-01 12:05:00")
        << Alarm("c2", "Countdown", 1, 2, "2000-01-01 00:00:00", "2026-03-01 11:59:00", "OriginalCountdown=150\n")
        << Alarm("c3", "Interval", 1, 9, "2000-01-01 00:00:00", "2026-03-01 08:00:00", "RepeatInterval=3600\n")
        << Alarm("c4", "Days", 1, 1, "2000-01-01 00:00:00", "2020-01-01 07:00:00", "RepeatDaily=1\n")
        << Alarm("c5", "Retroactive", 1, 0x409, "2026-03-01 14:00:00", "2026-03-01 08:00:00", "RepeatInterval=3600\n")
        << Alarm("c6", "Windowless", 1, 0x200, "2000-01-01 00:00:00", "2026-03-01 13:00:00", "Sound=\\Alarms\\Sounds\\x.wav\n")
        << Alarm("c7", "Disabled", 0, 0, "2026-03-01 12:00:20", "2026-03-01 12:00:20")
        << Alarm("c8", "Passed", 2, 0, "2026-03-01 12:00:30", "2026-03-01 12:00:30");
}

std::string CountdownLabel(const Desktop& d) {
    std::smatch m;
    const std::string dump = d.WindowDump();
    std::regex label("\"name\":\"Label\\(0\\)\",\"text\":\"([^\"]*)\"");
    return std::regex_search(dump, m, label) ? m[1].str() : "<no label>";
}

DesktopOptions WithAlarmFiles() {
    DesktopOptions o;
    o.clock = "2026-03-01T12:00:00";
    o.prepare = WriteAlarmFiles;
    return o;
}

TEST(AlarmStartup, EveryKindOfAlarmLoadsWithItsNextFiringAndSavesStably) {
    Desktop d(WithAlarmFiles());
    ASSERT_TRUE(d.Start());
    EXPECT_FALSE(core::AlarmsLoaded) << "the files load after the start, from the load timer";
    d.Advance(100);
    ASSERT_TRUE(core::AlarmsLoaded);
    EXPECT_TRUE(d.MessageBoxes().empty());
    ASSERT_EQ(core::Alarms.size(), 8u);
    auto fire = [](std::size_t i) { return core::FormatDateTimeString(core::Alarms[i].FIRE); };
    EXPECT_EQ(fire(0), "2026-03-01 12:05:00");
    EXPECT_EQ(fire(1), "2026-03-01 12:01:30") << "11:59:00 + 150 s";
    EXPECT_EQ(fire(2), "2026-03-01 13:00:00");
    EXPECT_EQ(fire(3), "2026-03-02 07:00:00") << "the Monday after this Sunday";
    EXPECT_EQ(fire(4), "2026-03-01 14:00:00") << "a retroactive alarm keeps its stored firing at start-up";
    EXPECT_EQ(fire(5), "2026-03-01 13:00:00");
    EXPECT_EQ(fire(6), "2026-03-01 12:00:20") << "disabled: untouched";
    EXPECT_EQ(core::Alarms[5].Sound, d.Folder().string() + "\\Alarms\\Sounds\\x.wav");

    core::SaveAlarms();
    const std::string first = d.ReadFile("Alarms/MyAlarms.ozrini");
    core::SaveAlarms();
    EXPECT_EQ(d.ReadFile("Alarms/MyAlarms.ozrini"), first);
    EXPECT_NE(first.find("[ZTVALR: c2]\nFLAG=1\nNAME=Countdown\nFIRE=2026-03-01 12:01:30\n"), std::string::npos) << first;

    core::BackupAlarms();
    core::BackupAlarms();
    core::BackupAlarms();
    EXPECT_EQ(d.ReadFile("Alarms/MyAlarms Backup3.ozrini"), first);
}

TEST(AlarmStartup, TheCountdownLabelCountsDownToTheNearestEnabledAlarm) {
    Desktop d(WithAlarmFiles());
    ASSERT_TRUE(d.Start());
    // The nearest enabled alarm is the countdown at 12:01:30; the disabled and passed alarms come
    // sooner and do not count.
    d.Advance(1500);
    const std::string first = CountdownLabel(d);
    EXPECT_TRUE(first == "00:01:29" || first == "00:01:28") << first;
    std::vector<std::string> shown = {first};
    for (int i = 0; i < 3; ++i) {
        d.Advance(1000);
        shown.push_back(CountdownLabel(d));
    }
    const int start = std::stoi(first.substr(6));
    for (int i = 0; i < 4; ++i) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "00:01:%02d", start - i);
        EXPECT_EQ(shown[i], expected) << "one second less every second";
    }
    EXPECT_EQ(core::NextAlarmSeconds(core::Alarms, core::Now()), 90 - 4);
}

TEST(AlarmStartup, WithNoAlarmFilesTheLoadTellsAndTheClockRunsOn) {
    DesktopOptions o = WithAlarmFiles();
    o.prepare = [](const std::filesystem::path& folder) {
        WriteAlarmFiles(folder);
        std::filesystem::remove(folder / "Alarms/!AlarmMaster.ozrini");
    };
    Desktop d(o);
    ASSERT_TRUE(d.Start());
    d.Advance(2000);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_TRUE(d.MessageBoxes()[0].text.starts_with("Error in ProcessAlarms | mdlAlarms.\r\n\r\nPossible reasons:"));
    EXPECT_EQ(d.MessageBoxes()[0].caption, "OZR Ruriv - Error!");
    EXPECT_FALSE(core::AlarmsLoaded);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(CountdownLabel(d), "00:00:00");
}

}  // namespace
