// The wizard's media step on the headless desktop: its first visit, the loop group and the two
// number boxes, the file, colour and font dialogs (answered by a script), the sound's try-out on
// the main window's multimedia control, and a Save Simple that leaves the media and font fields
// of the record as they were.
#include <gtest/gtest.h>


#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "alarmwizard/frm_seti_rae4.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/property_strings.h"
#include "platform/services/paths.h"
#include "settings/frm_seti.h"
#include "tests/support/recording_common_dialogs.h"
#include "tests/support/recording_sound_output.h"
#include "wizard_desktop.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using alarmwizard::frmSetiRAE4;
using desktop::AlarmEntry;
using forms::CommonDialogAnswer;
using forms::CommonDialogKind;
using forms::CommonDialogRequest;

namespace {

constexpr const char* kStep4Section = "Alarm Settings Controls - SUB WINDOW WARLOCK STEP 4";
constexpr const char* kFont =
    "<@Title 0: |FontBackColor: 3368601 |FontForeColor: 65535 |FontName: Tahoma |FontSize: 10.5 |FontBold: 700 "
    "|FontItalic: 0 |FontUnderline: 1 |FontStrikeout: 0 @> ";

AlarmEntry Dressed() {
    return {"A",
            {{"FLAG", "1"}, {"NAME", "Dressed"}, {"FIRE", "2026-03-02 07:00:00"}, {"OriginalDate", "2026-03-02 07:00:00"},
             {"Title", "Dressed"}, {"Text", "Up"}, {"Icon", "/icons/bell.ico"}, {"Background", "/pictures/sky.bmp"},
             {"Sound", "/sounds/chime.wav"}, {"Loops", "4"}, {"LoopDelay", "7"}, {"Flags", std::to_string(0x100 | 0x20)},
             {"BackColor", "1"}, {"TextColor", "2"}, {"FontInformation", kFont}}};
}

std::string FontEntry(const std::string& information, const char* key) {
    return core::GetProperty(core::GetNestedProperty(information, "Title 0"), key);
}

bool Topmost(HWND hwnd) { return (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class MediaStep : public desktop::WizardDesktop {
protected:
    void Start() {
        WizardDesktop::Start({Dressed()});
        sound = &testsupport::UseRecordingSoundOutput();
    }
    // A new alarm, taken by Next to the media step.
    void NewToStep4() {
        New();
        Press(alarmwizard::frmSetiRAE1().cmdNext);
        Press(alarmwizard::frmSetiRAE2().cmdNext);
        Press(alarmwizard::frmSetiRAE3().cmdNext);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE4");
    }
    std::string SoundFile(const char* name) const { return d->PathOf(std::string("Alarms/Sounds/") + name).string(); }

    testsupport::RecordingSoundOutput* sound = nullptr;
    alarmwizard::frmSetiRAE4Form& step = frmSetiRAE4();
};

TEST_F(MediaStep, AFirstVisitShowsEmptyBoxesAndTheLoopGroupFollowsLoop) {
    Start();
    NewToStep4();
    for (forms::TextBox* box : {&step.txtIcon, &step.txtBackground, &step.txtSound}) EXPECT_EQ(box->Text(), "");
    EXPECT_EQ(step.chLoop.Value, forms::vbUnchecked);
    EXPECT_EQ(step.txtLoop.Text(), "0");
    EXPECT_EQ(step.txtSeconds.Text(), "0");
    EXPECT_FALSE(step.cmdTestSound.Visible);
    // The colours and the font come from the record, stored or not.
    EXPECT_EQ(step.pctColor.BackColor, 0xEEEEEEu);
    EXPECT_EQ(step.pctTextColor.BackColor, 0u);
    EXPECT_EQ(step.lblFont.Caption(), "Arial, 10");
    EXPECT_FALSE(step.cmdNext.Enabled);
    EXPECT_FALSE(step.cmdOk.Enabled);

    const std::vector<forms::VisualControl*> group{&step.lblLoops, &step.cmdLoopM, &step.txtLoop, &step.cmdLoopP,
                                                   &step.lblSeconds, &step.cmdSecondsM, &step.txtSeconds, &step.cmdSecondsP};
    for (auto* c : group) EXPECT_FALSE(c->Visible);
    Press(step.chLoop);
    for (auto* c : group) EXPECT_TRUE(c->Visible);
    Press(step.chLoop);
    for (auto* c : group) EXPECT_FALSE(c->Visible);
}

TEST_F(MediaStep, TheNumberBoxesKeepTheirBoundsAlsoWhenEnterSavesFromABoxStillBeingTyped) {
    Start();
    NewToStep4();
    Press(step.chLoop);
    TypeInto(step.txtLoop, "40000");
    TypeInto(step.txtSeconds, "75");
    EXPECT_EQ(step.txtLoop.Text(), "32000") << "cleaned as it was left";
    Press(step.txtLoop);
    EXPECT_EQ(step.txtSeconds.Text(), "60");
    Press(step.cmdSecondsP);
    EXPECT_EQ(step.txtSeconds.Text(), "60");
    Press(step.cmdLoopP);
    EXPECT_EQ(step.txtLoop.Text(), "32000");
    TypeInto(step.txtSeconds, "x");
    Press(step.cmdSecondsM);
    EXPECT_EQ(step.txtSeconds.Text(), "0");

    // Enter presses Save while the box holds raw text: the store cleans it first. (The new alarm
    // keeps the naming step's placeholder as its name and goes into the list.)
    TypeInto(step.txtSeconds, "99x");
    d->Key(VK_RETURN, '\r');
    d->Advance(20);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    const core::Alarm& saved = core::Alarms.back();
    EXPECT_EQ(saved.NAME, core::LanguageFile.ReadText(core::kWizardStep2Section, "Name Default"));
    EXPECT_EQ(saved.LoopDelay, 60);
    EXPECT_EQ(saved.Loops, 32000);
    EXPECT_TRUE(saved.Flags & core::kAlarmLoopSound);
}

TEST_F(MediaStep, TheFileDialogsOpenInTheirFoldersAndKeepTheChosenFullPath) {
    Start();
    NewToStep4();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    HWND seti = settings::frmSeti().hWnd;
    ASSERT_TRUE(Topmost(seti));
    bool topmostWhileOpen = true;
    dialogs.Answer([&](const CommonDialogRequest&) {
        topmostWhileOpen = Topmost(seti);
        return CommonDialogAnswer::Cancel();
    });
    Press(step.cmdBrowseIcon);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].kind, CommonDialogKind::Open);
    EXPECT_EQ(dialogs.Requests()[0].fileName, ProgramFolder() + "\\Alarms\\Icons\\Some Icon");
    EXPECT_EQ(dialogs.Requests()[0].filter, "Icons require ICO files (*.ico)|*.ico");
    EXPECT_FALSE(topmostWhileOpen) << "the settings window leaves the topmost band for the dialog";
    EXPECT_TRUE(Topmost(seti));
    EXPECT_EQ(step.txtIcon.Text(), "") << "a cancel changes nothing";

    const std::string chosen = SoundFile("Test Sound.mp3");
    dialogs.Answer(CommonDialogAnswer::ChooseFile(chosen));
    Press(step.cmdBrowseSound);
    EXPECT_EQ(dialogs.Requests()[1].fileName, ProgramFolder() + "\\Alarms\\Sounds\\Some Sound");
    EXPECT_EQ(dialogs.Requests()[1].filter, "Accepted sound files (*.wav;*.mp3)|*.wav;*.mp3");
    EXPECT_EQ(step.txtSound.Text(), chosen);
    EXPECT_TRUE(step.cmdTestSound.Visible);
    // A box holding a file offers it again.
    dialogs.Answer(CommonDialogAnswer::Cancel());
    Press(step.cmdBrowseSound);
    EXPECT_EQ(dialogs.Requests()[2].fileName, chosen);
    dialogs.Answer(CommonDialogAnswer::ChooseFile("/pictures/sky.bmp"));
    Press(step.cmdBrowseBackground);
    EXPECT_EQ(dialogs.Requests()[3].fileName, ProgramFolder() + "\\Alarms\\Backgrounds\\Some Bitmap");
    EXPECT_EQ(step.txtBackground.Text(), "/pictures/sky.bmp");

    // Emptied, the sound box keeps its try-out.
    TypeInto(step.txtSound, "");
    EXPECT_TRUE(step.cmdTestSound.Visible);
    Press(step.cmdPrevious);
    EXPECT_EQ(core::AlarmUnderEdit.Background, "/pictures/sky.bmp");
    EXPECT_EQ(core::AlarmUnderEdit.Sound, "");
    EXPECT_EQ(dialogs.Unused(), 0u);
}

TEST_F(MediaStep, ColoursAndFontChangeSwatchPreviewAndBlockAndAreStored) {
    Start();
    NewToStep4();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    dialogs.Answer(CommonDialogAnswer::ChooseColor(0x00336699));
    Press(step.cmdColor);
    EXPECT_EQ(dialogs.Requests()[0].color, 0xEEEEEEu) << "the dialog starts from the swatch";
    EXPECT_EQ(dialogs.Requests()[0].flags, 259);
    EXPECT_EQ(step.pctColor.BackColor, 0x00336699u);
    EXPECT_EQ(FontEntry(step.StepFontInformation(), "FontBackColor"), "3368601");
    EXPECT_TRUE(step.cmdColor.HasFocus());
    // A click on the text colour's swatch acts as its button; a cancel changes nothing.
    dialogs.Answer(CommonDialogAnswer::Cancel());
    Press(step.pctTextColor);
    EXPECT_EQ(dialogs.Requests()[1].kind, CommonDialogKind::Color);
    EXPECT_EQ(step.pctTextColor.BackColor, 0u);
    EXPECT_EQ(FontEntry(step.StepFontInformation(), "FontForeColor"), "0");

    dialogs.Answer(CommonDialogAnswer::ChooseFont({.name = "DejaVu Serif", .size = 12, .bold = true, .italic = true}));
    Press(step.cmdFont);
    const CommonDialogRequest& asked = dialogs.Requests()[2];
    EXPECT_EQ(asked.kind, CommonDialogKind::Font);
    EXPECT_EQ(asked.flags, 259);
    EXPECT_EQ(asked.font, (forms::FontDescription{.name = "Arial", .size = 10})) << "preset with the font shown";
    EXPECT_EQ(step.lblFont.Caption(), "DejaVu Serif, 12, B, I");
    EXPECT_EQ(step.lblFont.FontName(), "DejaVu Serif");
    EXPECT_TRUE(Topmost(settings::frmSeti().hWnd));

    // Test shows the window with what the step shows, and leaves the record as it was.
    desktop::FakeLibrary lib;
    lib.Clear();
    Press(step.cmdTest);
    const auto fired = desktop::CallsStartingWith(lib, "OZRFireAlarm -1 ");
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_NE(fired[0].find("font DejaVu Serif 12"), std::string::npos) << fired[0];
    const auto args = desktop::CallsStartingWith(lib, "AlarmWindowArgs");
    ASSERT_EQ(args.size(), 1u);
    EXPECT_NE(args[0].find(" back=3368601 fore=0 "), std::string::npos) << args[0];
    EXPECT_EQ(core::AlarmUnderEdit.BackColor, 0xEEEEEE);
    EXPECT_EQ(core::AlarmEditProgress, 10);

    Press(step.cmdPrevious);
    const core::Alarm& stored = core::AlarmUnderEdit;
    EXPECT_EQ(stored.BackColor, 0x00336699);
    EXPECT_EQ(stored.TextColor, 0);
    EXPECT_EQ(FontEntry(stored.FontInformation, "FontBold"), "700");
    EXPECT_EQ(FontEntry(stored.FontInformation, "FontSize"), "12");
    EXPECT_EQ(FontEntry(stored.FontInformation, "FontItalic"), "1");
    EXPECT_EQ(FontEntry(stored.FontInformation, "FontUnderline"), "0");
    EXPECT_EQ(FontEntry(stored.FontInformation, "FontBackColor"), "3368601");

    // Back on the step, it shows what it stored.
    Press(alarmwizard::frmSetiRAE3().cmdNext);
    EXPECT_EQ(step.pctColor.BackColor, 0x00336699u);
    EXPECT_EQ(step.lblFont.Caption(), "DejaVu Serif, 12, B, I");
}

TEST_F(MediaStep, TestSoundPlaysTheFileOnceAndAFileThatDoesNotPlayIsNamedInAnErrorBox) {
    Start();
    NewToStep4();
    Press(step.chLoop);
    TypeInto(step.txtLoop, "3");
    const std::string chime = SoundFile("Test Sound.mp3");
    TypeInto(step.txtSound, chime);
    Press(step.cmdTestSound);
    d->Advance(20'000);
    ASSERT_EQ(sound->Plays().size(), 1u) << "once, whatever the loop settings";
    EXPECT_EQ(sound->Plays()[0].path, chime);
    EXPECT_FALSE(sound->Plays()[0].stopped);
    EXPECT_TRUE(d->MessageBoxes().empty());

    const std::string broken = d->PathOf("Alarms/Sounds/broken.wav").string();
    d->WriteFile("Alarms/Sounds/broken.wav", "not a sound at all");
    TypeInto(step.txtSound, broken);
    Press(step.cmdTestSound);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].type, 4112u);
    EXPECT_NE(d->MessageBoxes()[0].text.find("\"" + broken + "\""), std::string::npos) << d->MessageBoxes()[0].text;
    EXPECT_EQ(d->MessageBoxes()[0].text.rfind(
                  core::LanguageFile.ReadText(kStep4Section, "Error Sound Not Played").substr(0, 10), 0),
              0u);
    EXPECT_EQ(sound->Plays().size(), 1u);
    EXPECT_EQ(step.txtSound.Text(), broken) << "nothing else changes";

    // Leaving the step ends a try-out still sounding.
    TypeInto(step.txtSound, chime);
    Press(step.cmdTestSound);
    ASSERT_TRUE(sound->Playing());
    Press(step.cmdPrevious);
    EXPECT_FALSE(sound->Playing());
}

TEST_F(MediaStep, SaveSimpleFromStep1KeepsTheMediaAndFontFieldsAndTakesTheColoursFromTheFont) {
    Start();
    auto& grid = frmSetiRAM().flxAlarms;
    const RECT g = d->Rect(grid.hWnd), c = grid.CellRect(1, 2);
    d->Click(POINT{g.left + (c.left + c.right) / 2, g.top + (c.top + c.bottom) / 2});
    d->Advance(20);
    Press(frmSetiRAM().cmdModify);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE1");
    Press(alarmwizard::frmSetiRAE1().cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    ASSERT_EQ(core::Alarms.size(), 1u);
    const core::Alarm& saved = core::Alarms[0];
    EXPECT_EQ(saved.Icon, "/icons/bell.ico");
    EXPECT_EQ(saved.Background, "/pictures/sky.bmp");
    EXPECT_EQ(saved.Sound, "/sounds/chime.wav");
    EXPECT_EQ(saved.Loops, 4);
    EXPECT_EQ(saved.LoopDelay, 7);
    EXPECT_EQ(saved.Flags, 0x100 | 0x20);
    EXPECT_EQ(saved.FontInformation, kFont);
    EXPECT_EQ(saved.BackColor, 3368601);
    EXPECT_EQ(saved.TextColor, 65535);
}

}  // namespace
