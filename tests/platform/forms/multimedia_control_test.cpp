// The multimedia control on a form: the commands drive the sound output, Done comes only when a
// play ends by itself, and a file that cannot be played leaves an error and no Done.
#include <filesystem>

#include "../services/temp_folder.h"
#include "forms_test_support.h"
#include "platform/forms/multimedia_control.h"
#include "platform/services/sound_output.h"

namespace formtest {
namespace {

const std::string kSounds = std::string(OZR_PROGRAM_DIR) + "/Alarms/Sounds/";

class SoundForm : public Form {
public:
    SoundForm() : Form("frmSound") { mmc.Done = [this](int code) { done.push_back(code); }; }
    MultimediaControl mmc{this, "mmc"};
    std::vector<int> done;

    void PlayFile(const std::string& file) {
        mmc.Command = "Stop";
        mmc.Command = "Close";
        mmc.FileName = file;
        mmc.Command = "Open";
        mmc.Command = "Play";
    }
};

class MultimediaControlTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        output = &testsupport::UseRecordingSoundOutput();
        form.Show();
        Pump();
    }
    void TearDown() override { form.Unload(); }
    testsupport::RecordingSoundOutput* output = nullptr;
    SoundForm form;
};

TEST_F(MultimediaControlTest, DoneComesOnceWhenAPlayEndsByItself) {
    form.PlayFile(kSounds + "Default Alarm.wav");
    EXPECT_EQ(form.mmc.Error(), 0);
    EXPECT_EQ(form.mmc.Command(), "Play");
    RunFor(1400);
    EXPECT_TRUE(form.done.empty());
    RunFor(200);
    EXPECT_EQ(form.done, std::vector<int>{1});
    RunFor(5000);
    EXPECT_EQ(form.done.size(), 1u);
}

TEST_F(MultimediaControlTest, StopAndCloseEndThePlayWithoutDone) {
    form.PlayFile(kSounds + "Default Alarm.wav");
    RunFor(500);
    form.mmc.Command = "Stop";
    RunFor(3000);
    form.mmc.Command = "Play";  // the open file plays again
    RunFor(500);
    form.mmc.Command = "Close";
    RunFor(3000);
    EXPECT_TRUE(form.done.empty());
    ASSERT_EQ(output->Plays().size(), 2u);
    EXPECT_TRUE(output->Plays()[0].stopped);
    EXPECT_TRUE(output->Plays()[1].stopped);
}

TEST_F(MultimediaControlTest, ClockPathsAreMappedToTheProgramFolder) {
    TempProgramFolder folder;
    std::filesystem::create_directories(folder / "Alarms/Sounds");
    std::filesystem::copy_file(kSounds + "Test Sound.mp3", folder / "Alarms/Sounds/Test Sound.mp3");
    form.PlayFile("\\alarms\\sounds\\test sound.MP3");
    EXPECT_EQ(form.mmc.Error(), 0) << form.mmc.ErrorMessage();
    ASSERT_EQ(output->Plays().size(), 1u);
    RunFor(1000);
    EXPECT_EQ(form.done.size(), 1u);
}

TEST_F(MultimediaControlTest, AFileThatCannotBePlayedLeavesAnErrorAndNoDone) {
    for (const std::string& file : {kSounds + "No Such Sound.wav", std::string()}) {
        SCOPED_TRACE(file);
        form.PlayFile(file);
        EXPECT_NE(form.mmc.Error(), 0);
        EXPECT_FALSE(form.mmc.ErrorMessage().empty());
        RunFor(3000);
    }
    EXPECT_TRUE(form.done.empty());
    EXPECT_TRUE(output->Plays().empty());
    // A good file afterwards plays, and the error is cleared.
    form.PlayFile(kSounds + "Test Sound.mp3");
    EXPECT_EQ(form.mmc.Error(), 0);
    EXPECT_EQ(form.mmc.ErrorMessage(), "");
}

TEST_F(MultimediaControlTest, UnloadingTheFormEndsItsSoundAndAnUnknownCommandIsRefused) {
    EXPECT_THROW(form.mmc.Command = "Rewind", platform::Error);
    form.PlayFile(kSounds + "Default Alarm.wav");
    form.Unload();
    RunFor(3000);
    EXPECT_TRUE(form.done.empty());
    ASSERT_EQ(output->Plays().size(), 1u);
    EXPECT_TRUE(output->Plays()[0].stopped);
}

}  // namespace
}  // namespace formtest
