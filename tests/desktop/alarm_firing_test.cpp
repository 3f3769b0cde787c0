// Alarms firing on the headless desktop with a virtual clock and the recording library: each due
// alarm gets its window, its sound and its behaviours in entry order; a one-time alarm passes and
// the files are saved; a repeating one moves on; the imminent list never makes an alarm late.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "alarm_file_writer.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "hooklib/ozrclock_exports.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/recording_window_surfaces.h"
#include "tests/support/unfed_pipe.h"

using namespace platform;
using desktop::AlarmEntry;
using desktop::Desktop;
using desktop::WriteAlarmFiles;
using desktop::FakeLibrary;

namespace {

AlarmEntry OneTime(const std::string& key, const std::string& fire, std::map<std::string, std::string> more = {}) {
    std::map<std::string, std::string> v{{"FLAG", "1"},          {"NAME", key},        {"FIRE", fire},
                                         {"OriginalDate", fire}, {"Title", "T " + key}, {"Text", "Wake up"},
                                         {"Sound", "\\Alarms\\Sounds\\Default Alarm.wav"},
                                         {"FontInformation", "<@Title 0: |FontName: Arial |FontSize: 12 @> "}};
    for (auto& [k, val] : more) v[k] = val;
    return {key, v};
}

std::vector<std::string> CallsStartingWith(const FakeLibrary& lib, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : lib.Calls())
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

std::string Section(const std::string& file, const std::string& key) { return desktop::AlarmSection(file, key); }

class AlarmFiring : public ::testing::Test {
protected:
    std::unique_ptr<Desktop> d;
    testsupport::RecordingSoundOutput* sound = nullptr;

    void Start(const std::string& clock, std::vector<AlarmEntry> alarms, bool realLibrary = false, std::string more = "") {
        d = std::make_unique<Desktop>(desktop::DesktopOptions{.clock = clock, .prepare = [alarms, realLibrary, more](auto& f) {
            std::ofstream(f / "Settings.ozrini")
                << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n" << more;
            if (!realLibrary) desktop::InstallFakeLibrary(f);
            WriteAlarmFiles(f, alarms);
        }});
        ASSERT_TRUE(d->Start());
        sound = &testsupport::UseRecordingSoundOutput();
        d->Advance(100);  // past the fast start: the alarms are loaded and listed
        ASSERT_TRUE(core::AlarmsLoaded);
    }
    // Advances to just before the local time hh:mm:ss.mmm of the start day (2026-03-01).
    std::int64_t MsUntil(int h, int m, int s, int ms = 0) {
        SYSTEMTIME st;
        GetLocalTime(&st);
        std::int64_t now = ((st.wHour * 60 + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds;
        return ((h * 60 + m) * 60 + s) * 1000 + ms - now;
    }
};

TEST_F(AlarmFiring, AnAlarmFiresAtTheFirstTickOfItsSecondWithWindowSoundAndBehavioursInEntryOrder) {
    Start("2026-03-01T06:59:40", {OneTime("A", "2026-03-01 07:00:00",
                                          {{"Instruction", "|2: 3, 1, 0, 0, 0, 0, 0 |1: 5, 1, 1, 0, 0, 0, 2 "},
                                           {"Extra", "|1: first |2: second "},
                                           {"Loops", "3"},
                                           {"LoopDelay", "5"},
                                           {"Flags", "256"}})});
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(6, 59, 59, 999));
    EXPECT_TRUE(CallsStartingWith(lib, "OZRFireAlarm").empty());
    EXPECT_TRUE(sound->Plays().empty());
    d->Advance(MsUntil(7, 0, 0, 5));
    const auto fired = CallsStartingWith(lib, "OZRFireAlarm");
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], "OZRFireAlarm 0 T A flags 256 font Arial 12");
    // Behaviours in the order of their entries in Instruction, not of their numbers.
    EXPECT_EQ(CallsStartingWith(lib, "OZRTriggerSpecialBehavior"),
              (std::vector<std::string>{"OZRTriggerSpecialBehavior 3 second 0 0 0 0 0",
                                        "OZRTriggerSpecialBehavior 5 first -1 0 0 0 2"}));
    // The window comes before the behaviours.
    auto calls = lib.Calls();
    auto window = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.rfind("OZRFireAlarm", 0) == 0; });
    auto behaviour = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.rfind("OZRTrigger", 0) == 0; });
    EXPECT_LT(window, behaviour);
    // One-time: passed, saved once its window is on the screen (right after the tick's pass, with no
    // wait for the platform's tick), and the library told the time to the next alarm (none: 0).
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed);
    EXPECT_NE(Section(d->ReadFile("Alarms/MyAlarms.ozrini"), "A").find("FLAG=2"), std::string::npos);
    EXPECT_EQ(CallsStartingWith(lib, "OZRNextAlarmFiringTime").back(), "OZRNextAlarmFiringTime 0");
    // The sound: once plus three loops, each 5 s after the previous play ended.
    d->Advance(60'000);
    ASSERT_EQ(sound->Plays().size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(sound->Plays()[i].startedMs - sound->Plays()[i - 1].endedMs, 5000);
    // It never fires again.
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 1u);
}

TEST_F(AlarmFiring, ARepeatingAlarmMovesOnAndTwoAlarmsDueInOneTickBothShowInListOrder) {
    Start("2026-03-01T06:59:30",
          {OneTime("R", "2026-03-01 07:00:00", {{"Flags", "9"}, {"RepeatInterval", "600"}, {"OriginalDate", "2026-03-01 06:50:00"}}),
           OneTime("B", "2026-03-01 07:00:00", {{"Sound", "\\Alarms\\Sounds\\Test Sound.mp3"}})});
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(7, 0, 0, 500));
    const auto fired = CallsStartingWith(lib, "OZRFireAlarm");
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0].substr(0, 16), "OZRFireAlarm 0 T");
    EXPECT_EQ(fired[1].substr(0, 16), "OZRFireAlarm 1 T");
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmOn);
    EXPECT_EQ(core::Alarms[1].FLAG, core::kAlarmPassed);
    // The last alarm's sound is the one that remains.
    EXPECT_EQ(core::SoundAlarmIndex, 1);
    ASSERT_FALSE(sound->Plays().empty());
    EXPECT_NE(sound->Plays().back().path.find("Test Sound.mp3"), std::string::npos);
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    EXPECT_NE(Section(file, "R").find("FIRE=2026-03-01 07:10:00"), std::string::npos) << Section(file, "R");
    EXPECT_NE(Section(file, "B").find("FLAG=2"), std::string::npos);
    // The repeating one fires again ten minutes later.
    d->Advance(MsUntil(7, 10, 0, 500));
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 3u);
}

TEST_F(AlarmFiring, ItsWindowsReachTheScreenBeforeTheAlarmFilesAreWritten) {
    // A plain window and one that slides in from the right: each is on the screen before the save.
    Start("2026-03-01T06:59:50",
          {OneTime("P", "2026-03-01 07:00:00", {{"Flags", "64"}, {"W", "200"}, {"H", "100"}}),
           OneTime("S", "2026-03-01 07:00:00",
                   {{"Flags", "144"}, {"CustomPosition", "4"}, {"SlideInTime", "300"}, {"SlideInAlphaTime", "-1"},
                    {"SlideInDirection", "10"}, {"W", "200"}, {"H", "100"}})},
          true);
    auto saved = [this] { return Section(d->ReadFile("Alarms/MyAlarms.ozrini"), "P").find("FLAG=2") != std::string::npos; };
    std::map<std::string, bool> savedWhenShown;
    testsupport::UseRecordingWindowSurfaces().onPresent = [&] {
        for (const char* title : {"T P", "T S"}) {
            HWND h = d->FindByTitle(title);
            if (h && IsWindowVisible(h) && !savedWhenShown.count(title)) savedWhenShown[title] = saved();
        }
    };
    d->Advance(MsUntil(7, 0, 1));
    EXPECT_EQ(savedWhenShown, (std::map<std::string, bool>{{"T P", false}, {"T S", false}}));
    EXPECT_TRUE(saved());
}

TEST_F(AlarmFiring, AWindowlessAlarmSoundsAndRunsItsBehavioursWithoutAWindow) {
    Start("2026-03-01T06:59:58", {OneTime("W", "2026-03-01 07:00:00",
                                          {{"Flags", "512"}, {"Instruction", "|1: 4, 0, 0, 0, 0, 0, 0 "}})});
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(7, 0, 1));
    EXPECT_TRUE(CallsStartingWith(lib, "OZRFireAlarm").empty());
    EXPECT_EQ(CallsStartingWith(lib, "OZRTriggerSpecialBehavior").size(), 1u);
    EXPECT_EQ(sound->Plays().size(), 1u);
    EXPECT_EQ(core::Alarms[0].FLAG, core::kAlarmPassed);
}

// An alarm that closes the windows titled with "ruriv" closes none that keeps the clock running:
// the next alarm still fires and both are saved as passed. A close that reaches the main window
// all the same (from another program) ends the clock as Quit does, its settings saved.
TEST_F(AlarmFiring, ClosingWindowsByTitleNeverClosesTheClock) {
    Start("2026-03-01T06:59:58",
          {OneTime("C", "2026-03-01 07:00:00", {{"Instruction", "|1: 1, 1, 0, 0, 0, 0, 0 "}, {"Extra", "|1: ruriv "}}),
           OneTime("L", "2026-03-01 07:00:05")},
          true);
    const HWND main = core::frmMain().hWnd;
    d->Advance(MsUntil(7, 0, 6));
    EXPECT_FALSE(d->Ended());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowVisible(main));
    d->Advance(100);
    const std::string file = d->ReadFile("Alarms/MyAlarms.ozrini");
    for (const char* key : {"C", "L"}) EXPECT_NE(Section(file, key).find("FLAG=2"), std::string::npos) << key;

    core::Settings.PopupHelpDelay = 1234;
    PostMessage(main, WM_CLOSE, 0, 0);
    d->Advance(20);
    EXPECT_TRUE(d->Ended());
    EXPECT_EQ(d->ExitCode(), 0);
    EXPECT_NE(d->ReadFile("Settings.ozrini").find("PopupHelpDelay=1234"), std::string::npos);
}

TEST_F(AlarmFiring, AMissingSoundStillShowsTheWindowAndRunsTheBehaviours) {
    Start("2026-03-01T06:59:58", {OneTime("M", "2026-03-01 07:00:00",
                                          {{"Sound", "\\Alarms\\Sounds\\Deleted.wav"}, {"Instruction", "|1: 4, 0, 0, 0, 0, 0, 0 "}})});
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(7, 0, 1));
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 1u);
    EXPECT_EQ(CallsStartingWith(lib, "OZRTriggerSpecialBehavior").size(), 1u);
    EXPECT_TRUE(sound->Plays().empty());
}

TEST_F(AlarmFiring, AnAlarmWhosePicturesAndSoundAreANamedPipeFiresWithoutThemAndTheNextOneStillFires) {
    const std::string pipePath = "\\Alarms\\Pipe";
    Start("2026-03-01T06:59:58",
          {OneTime("N", "2026-03-01 07:00:00", {{"Icon", pipePath}, {"Background", pipePath}, {"Sound", pipePath}}),
           OneTime("L", "2026-03-01 07:00:01")},
          true, "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\nDLLDebugMode=1\n");
    testsupport::UnfedPipe pipe(d->PathOf("Alarms/Pipe"));
    d->Advance(MsUntil(7, 0, 1, 500));
    EXPECT_FALSE(pipe.HeldAReader()) << "the clock waited in the open of a named pipe";
    EXPECT_TRUE(d->FindByTitle("T N"));
    EXPECT_TRUE(d->FindByTitle("T L"));
    ASSERT_EQ(sound->Plays().size(), 1u);
    EXPECT_NE(sound->Plays()[0].path.find("Default Alarm.wav"), std::string::npos);
    EXPECT_EQ(d->CountInDebugLog("not a regular file"), 3) << d->DebugLogText();  // icon, picture, sound
    EXPECT_NE(Section(d->ReadFile("Alarms/MyAlarms.ozrini"), "N").find("FLAG=2"), std::string::npos);
}

TEST_F(AlarmFiring, AnAlarmJustBeyondTheRescanWindowIsNotLate) {
    // Loaded and listed at about 06:00:00; 06:29:01 lies 1,741 s ahead of that rescan.
    Start("2026-03-01T06:00:00", {OneTime("F", "2026-03-01 06:29:01")});
    ASSERT_EQ(core::ImmediateAlarms.size(), 1u);
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(6, 29, 0, 900));
    EXPECT_TRUE(CallsStartingWith(lib, "OZRFireAlarm").empty());
    d->Advance(MsUntil(6, 29, 1, 10));
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 1u);
}

TEST_F(AlarmFiring, AnAlarmLongPastFiresAtOnceAndOneWaitingForItsStartNever) {
    Start("2026-03-01T08:00:00", {OneTime("P", "2026-03-01 07:00:00"),
                                  OneTime("H", "2026-03-01 07:00:00", {{"Flags", "1"}})});
    core::Alarms[1].AlarmState |= core::kAlarmStartAhead;
    core::frmMain().RescanImmediateAlarms();
    FakeLibrary lib;
    d->Advance(2000);
    auto fired = CallsStartingWith(lib, "OZRFireAlarm");
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].substr(0, 14), "OZRFireAlarm 0");
}

TEST_F(AlarmFiring, AListThatShrankSinceTheRescanIsReadOnlyWithinItsBounds) {
    Start("2026-03-01T06:59:50", {OneTime("A", "2026-03-01 07:00:00"), OneTime("B", "2026-03-01 07:00:00")});
    ASSERT_EQ(core::ImmediateAlarms.size(), 3u);
    core::Alarms.resize(1);
    FakeLibrary lib;
    lib.Clear();
    d->Advance(MsUntil(7, 0, 1));
    EXPECT_EQ(CallsStartingWith(lib, "OZRFireAlarm").size(), 1u);
    EXPECT_FALSE(d->Ended());
}

TEST_F(AlarmFiring, ClosingTheAlarmWindowStopsItsSound) {
    Start("2026-03-01T06:59:58", {OneTime("A", "2026-03-01 07:00:00", {{"Loops", "5"}, {"LoopDelay", "1"}, {"Flags", "256"}})});
    d->Advance(MsUntil(7, 0, 0, 200));
    ASSERT_TRUE(sound->Playing());
    SendMessage(d->FindByTitle("OZR Ruriv Main Window"), hooklib::WM_CLOCKNOTIFY, hooklib::CN_ALARMWINDOWCLOSED, 0);
    EXPECT_FALSE(sound->Playing());
    d->Advance(30'000);
    EXPECT_EQ(sound->Plays().size(), 1u);
}

TEST(AlarmFiringRun, AHeadlessRunShowsTheAlarmDueTenSecondsAfterStartAndMarksItPassed) {
    Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";
        WriteAlarmFiles(f, {OneTime("K1", "2026-03-01 12:00:10", {{"Title", "Wake up"}, {"W", "300"}, {"H", "150"}})});
    }});
    std::string command = "cd '" + d.Folder().string() +
                          "' && OZR_PRESENTER=headless OZR_CLOCK=virtual:2026-03-01T12:00:00 OZR_RUN_FOR=15 "
                          "OZR_WINDOW_DUMP=dump.jsonl ./OZRClock";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string dump = d.ReadFile("dump.jsonl");
    EXPECT_NE(dump.find("\"class\":\"OZRSW FSingle\",\"name\":\"\",\"text\":\"Wake up\""), std::string::npos) << dump;
    EXPECT_NE(Section(d.ReadFile("Alarms/MyAlarms.ozrini"), "K1").find("FLAG=2"), std::string::npos);
}

}  // namespace
