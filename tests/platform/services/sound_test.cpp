// Sound files decode (WAV and MP3); the ALSA output plays on the null device and reports only a
// natural end; the virtual output plays in clock time and records each play.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "../window/window_test_support.h"
#include "platform/services/clock.h"
#include "platform/services/sound_file.h"
#include "platform/services/sound_output.h"
#include "platform/window/loop.h"
#include "temp_folder.h"
#include "tests/support/mapped_libraries.h"
#include "tests/support/test_services.h"

namespace {
using namespace platform;

const std::string kSounds = std::string(OZR_PROGRAM_DIR) + "/Alarms/Sounds/";
const std::string kAlarmWav = kSounds + "Default Alarm.wav";
const std::string kTestMp3 = kSounds + "Test Sound.mp3";

// The loudest sample of the whole sound: a decoder that read nothing but silence fails here.
int Peak(const std::string& path) {
    SoundFileReader reader;
    std::string error;
    if (!reader.Open(path, &error)) return -1;
    std::vector<std::int16_t> block(1024 * static_cast<std::size_t>(reader.Info().channels));
    int peak = 0;
    while (std::int64_t got = reader.Read(block.data(), 1024))
        for (std::int64_t i = 0; i < got * reader.Info().channels; ++i) peak = std::max(peak, std::abs(int{block[i]}));
    return peak;
}

TEST(SoundFiles, TheShippedWavAndMp3DecodeToAudibleSoundOfTheirLength) {
    SoundFileInfo wav, mp3;
    std::string error;
    ASSERT_TRUE(ReadSoundFileInfo(kAlarmWav, &wav, &error)) << error;
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.LengthMs(), 1500);
    ASSERT_TRUE(ReadSoundFileInfo(kTestMp3, &mp3, &error)) << error;
    EXPECT_EQ(mp3.sampleRate, 22050);
    // The encoder pads to whole frames; the length stays close to the chime's 750 ms.
    EXPECT_NEAR(static_cast<double>(mp3.LengthMs()), 750.0, 120.0);
    EXPECT_GT(Peak(kAlarmWav), 10000);
    EXPECT_GT(Peak(kTestMp3), 10000);
}

// Every test runs in a process of its own, so this one starts with nothing sounded yet.
TEST(SoundLibraries, TheDecoderAndTheOutputAreMappedByTheirFirstUseAndNotBefore) {
    ASSERT_FALSE(testsupport::LibraryMapped("libsndfile")) << "a process that sounded nothing maps the decoder";
    ASSERT_FALSE(testsupport::LibraryMapped("libasound")) << "a process that sounded nothing maps the sound output";
    std::unique_ptr<SoundOutput> output = MakeAlsaSoundOutput("null");
    SoundFileInfo info;
    std::string error;
    ASSERT_TRUE(ReadSoundFileInfo(kAlarmWav, &info, &error)) << error;
    EXPECT_TRUE(testsupport::LibraryMapped("libsndfile"));
    EXPECT_FALSE(testsupport::LibraryMapped("libasound")) << "reading a sound needs no output";
    ASSERT_TRUE(output->Open(kAlarmWav, &error)) << error;
    ASSERT_TRUE(output->Play(nullptr, &error)) << error;
    EXPECT_TRUE(testsupport::LibraryMapped("libasound"));
    output->Close();
}

TEST(SoundFiles, MissingAndUndecodableFilesAreRefusedWithTheirName) {
    TempProgramFolder folder;
    std::ofstream(folder / "not a sound.wav") << "this is text, not audio";
    SoundFileInfo info;
    for (const std::string& path : {folder / "gone.mp3", folder / "not a sound.wav", folder.Path()}) {
        std::string error;
        EXPECT_FALSE(ReadSoundFileInfo(path, &info, &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

// The ALSA output on its null device runs in real time: a play lasts as long as its sound.
class AlsaOutput : public ::testing::Test {
protected:
    void SetUp() override { InstallService<Clock>(MakeSystemClock()); }
    testsupport::ServiceScope services;
    std::unique_ptr<SoundOutput> output = MakeAlsaSoundOutput("null");
};

TEST_F(AlsaOutput, APlayEndsByItselfOnceAfterTheSoundsLength) {
    std::string error;
    ASSERT_TRUE(output->Open(kTestMp3, &error)) << error;
    int ended = 0;
    const std::int64_t start = CurrentClock().MonotonicMs();
    std::int64_t endedAt = 0;
    ASSERT_TRUE(output->Play([&] { ++ended, endedAt = CurrentClock().MonotonicMs(); }, &error)) << error;
    for (int i = 0; i < 300 && ended == 0; ++i) RunFor(10);
    ASSERT_EQ(ended, 1);
    EXPECT_GE(endedAt - start, 700);
    RunFor(200);
    EXPECT_EQ(ended, 1);
    // The same sound plays again from its beginning.
    ASSERT_TRUE(output->Play([&] { ++ended; }, &error)) << error;
    for (int i = 0; i < 300 && ended == 1; ++i) RunFor(10);
    EXPECT_EQ(ended, 2);
}

TEST_F(AlsaOutput, StopCloseAndAnotherPlayEndAPlayWithoutReportingIt) {
    std::string error;
    ASSERT_TRUE(output->Open(kAlarmWav, &error)) << error;
    int ended = 0;
    ASSERT_TRUE(output->Play([&] { ++ended; }, &error));
    RunFor(100);
    output->Stop();
    ASSERT_TRUE(output->Play([&] { ended += 10; }, &error));
    RunFor(100);
    ASSERT_TRUE(output->Play([&] { ended += 100; }, &error));
    RunFor(100);
    output->Close();
    RunFor(1700);
    EXPECT_EQ(ended, 0);
    // Closed: nothing is open to play.
    EXPECT_FALSE(output->Play([&] { ++ended; }, &error));
}

TEST_F(AlsaOutput, AMissingFileOpensNothingAndPlaysNothing) {
    std::string error;
    ASSERT_TRUE(output->Open(kAlarmWav, &error));
    EXPECT_FALSE(output->Open(kSounds + "No Such Sound.wav", &error));
    EXPECT_NE(error.find("No Such Sound.wav"), std::string::npos);
    int ended = 0;
    EXPECT_FALSE(output->Play([&] { ++ended; }, &error));
    RunFor(100);
    EXPECT_EQ(ended, 0);
}

TEST_F(AlsaOutput, AnUnknownDeviceIsReportedByPlay) {
    auto nowhere = MakeAlsaSoundOutput("no-such-device-here");
    std::string error;
    ASSERT_TRUE(nowhere->Open(kAlarmWav, &error));
    EXPECT_FALSE(nowhere->Play([] {}, &error));
    EXPECT_NE(error.find("no-such-device-here"), std::string::npos) << error;
}

class VirtualOutput : public ::testing::Test {
protected:
    void SetUp() override { wintest::UseVirtualClock(); }
    testsupport::ServiceScope services;
    VirtualSoundOutput output;
};

TEST_F(VirtualOutput, PlaysLastTheirLengthInClockTimeAndAreRecorded) {
    std::string error;
    ASSERT_TRUE(output.Open(kAlarmWav, &error)) << error;
    const std::int64_t start = CurrentClock().MonotonicMs();
    std::vector<std::int64_t> ends;
    ASSERT_TRUE(output.Play([&] { ends.push_back(CurrentClock().MonotonicMs() - start); }, &error));
    RunFor(1499);
    EXPECT_TRUE(ends.empty());
    RunFor(1);
    ASSERT_EQ(ends, std::vector<std::int64_t>{1500});
    ASSERT_EQ(output.Plays().size(), 1u);
    const RecordedPlay& play = output.Plays()[0];
    EXPECT_EQ(play.path, kAlarmWav);
    EXPECT_EQ(play.lengthMs, 1500);
    EXPECT_EQ(play.startedMs, start);
    EXPECT_EQ(play.endedMs, start + 1500);
    EXPECT_FALSE(play.stopped);
}

TEST_F(VirtualOutput, AStoppedPlayIsRecordedAsStoppedAndNeverEnds) {
    std::string error;
    ASSERT_TRUE(output.Open(kTestMp3, &error));
    int ended = 0;
    ASSERT_TRUE(output.Play([&] { ++ended; }, &error));
    RunFor(300);
    output.Stop();
    RunFor(2000);
    EXPECT_EQ(ended, 0);
    ASSERT_EQ(output.Plays().size(), 1u);
    EXPECT_TRUE(output.Plays()[0].stopped);
    EXPECT_EQ(output.Plays()[0].endedMs - output.Plays()[0].startedMs, 300);
    EXPECT_FALSE(output.Open(kSounds + "gone.wav", &error));
    EXPECT_FALSE(output.Play([&] { ++ended; }, &error));
    EXPECT_EQ(output.Plays().size(), 1u);
}

}  // namespace
