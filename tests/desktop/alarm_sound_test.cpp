// The alarm sound on the main window's multimedia control, in virtual time: one play plus Loops
// repeats when the alarm loops, each LoopDelay seconds after the previous play ended; closing the
// sounding alarm's window ends it all; a sound that cannot be played is told to the debug log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "hooklib/ozrclock_exports.h"
#include "tests/support/recording_sound_output.h"

using namespace platform;
using desktop::Desktop;

namespace {

class AlarmSound : public ::testing::Test {
protected:
    Desktop d{{.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\n"
                                                "RunCount=4\nSplash=0\n[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT "
                                                "YOU'RE DOING!]\nDebugMode=1\n";
    }}};
    testsupport::RecordingSoundOutput* sound = nullptr;
    std::string wav;  // 1,500 ms

    void SetUp() override {
        ASSERT_TRUE(d.Start());
        d.Advance(100);
        sound = &testsupport::UseRecordingSoundOutput();
        wav = d.Folder().string() + "\\Alarms\\Sounds\\Default Alarm.wav";
    }
    // The start of each play, in ms after the first.
    std::vector<std::int64_t> Starts() const {
        std::vector<std::int64_t> starts;
        for (const auto& play : sound->Plays()) starts.push_back(play.startedMs - sound->Plays()[0].startedMs);
        return starts;
    }
    void CloseWindowOf(std::int32_t index) {
        SendMessage(d.FindByTitle("OZR Ruriv Main Window"), hooklib::WM_CLOCKNOTIFY, hooklib::CN_ALARMWINDOWCLOSED,
                    static_cast<LPARAM>(index));
    }
};

TEST_F(AlarmSound, ALoopingSoundPlaysOncePlusItsLoopsEachAfterTheDelay) {
    core::frmMain().StartAlarmSound(4, wav, 3, 5, true);
    d.Advance(60'000);
    EXPECT_EQ(Starts(), (std::vector<std::int64_t>{0, 6500, 13000, 19500}));
    for (const auto& play : sound->Plays()) {
        EXPECT_FALSE(play.stopped);
        EXPECT_EQ(play.lengthMs, 1500);
    }
    EXPECT_EQ(core::SoundLoopsLeft, 0);
}

TEST_F(AlarmSound, APauseOfOneSecondLastsOneSecondWhereverThePlayEndsInTheWallClocksSecond) {
    core::frmMain().StartAlarmSound(4, wav, 2, 1, true);
    d.Advance(10'000);
    EXPECT_EQ(Starts(), (std::vector<std::int64_t>{0, 2500, 5000}));
}

TEST_F(AlarmSound, WithoutTheLoopFlagTheSoundPlaysOnceAndADelayOfZeroRepeatsAtOnce) {
    core::frmMain().StartAlarmSound(4, wav, 3, 5, false);
    d.Advance(30'000);
    EXPECT_EQ(sound->Plays().size(), 1u);
    core::frmMain().StartAlarmSound(4, wav, 2, 0, true);
    d.Advance(30'000);
    ASSERT_EQ(sound->Plays().size(), 4u);
    // The pause is the platform's shortest timer.
    EXPECT_LE(sound->Plays()[2].startedMs - sound->Plays()[1].endedMs, 20);
    EXPECT_LE(sound->Plays()[3].startedMs - sound->Plays()[2].endedMs, 20);
}

TEST_F(AlarmSound, ClosingTheSoundingAlarmsWindowEndsTheSoundAndItsRepeats) {
    core::frmMain().StartAlarmSound(4, wav, 3, 5, true);
    d.Advance(500);
    CloseWindowOf(-1);  // a test window
    CloseWindowOf(3);   // another alarm's window
    d.Advance(200);
    EXPECT_TRUE(sound->Playing());
    CloseWindowOf(4);
    EXPECT_FALSE(sound->Playing());
    d.Advance(60'000);
    ASSERT_EQ(sound->Plays().size(), 1u);
    EXPECT_TRUE(sound->Plays()[0].stopped);
    // And while waiting between repeats, the pending repeat is cancelled.
    core::frmMain().StartAlarmSound(4, wav, 3, 5, true);
    d.Advance(3000);
    CloseWindowOf(4);
    d.Advance(60'000);
    EXPECT_EQ(sound->Plays().size(), 2u);
}

TEST_F(AlarmSound, ANewAlarmsSoundReplacesTheOldOneAndAPendingPauseRestartsTheNewSound) {
    core::frmMain().StartAlarmSound(4, wav, 3, 5, true);
    d.Advance(2000);  // ended; its repeat is 5 s away
    const std::string mp3 = d.Folder().string() + "\\Alarms\\Sounds\\Test Sound.mp3";
    core::frmMain().StartAlarmSound(7, mp3, 0, 0, false);
    EXPECT_EQ(core::SoundAlarmIndex, 7);
    d.Advance(10'000);
    ASSERT_EQ(sound->Plays().size(), 3u);
    EXPECT_NE(sound->Plays()[1].path.find("Test Sound.mp3"), std::string::npos);
    // The old pause ran out and played the file now set: the new alarm's, from its beginning.
    EXPECT_NE(sound->Plays()[2].path.find("Test Sound.mp3"), std::string::npos);
}

TEST_F(AlarmSound, ASoundThatCannotBePlayedPlaysNothingAndIsLogged) {
    core::frmMain().StartAlarmSound(4, d.Folder().string() + "\\Alarms\\Sounds\\Gone.wav", 3, 5, true);
    d.Advance(30'000);
    EXPECT_TRUE(sound->Plays().empty());
    std::string log = d.ReadFile("!debug.dump");
    EXPECT_NE(log.find("The alarm sound did not play"), std::string::npos) << log;
    EXPECT_NE(log.find("Gone.wav"), std::string::npos) << log;
    // An alarm without a sound plays nothing and logs nothing.
    core::frmMain().StartAlarmSound(5, "", 0, 0, false);
    d.Advance(1000);
    EXPECT_TRUE(sound->Plays().empty());
}

}  // namespace
