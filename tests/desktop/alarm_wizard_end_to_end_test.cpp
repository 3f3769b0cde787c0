// The whole wizard from end to end on the headless desktop with the real library: a new alarm
// through every step (a name, a window style, a behaviour that closes a window by its title, a
// looping sound, a back colour and a font), saved and applied; the alarm file holds all of it, and
// at its time the window shows in its colour, the sound plays with its repeats and pauses, and the
// window named by the behaviour is closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "alarmwizard/frm_seti_rae3a.h"
#include "alarmwizard/frm_seti_rae4.h"
#include "core/property_strings.h"
#include "platform/present/desktop_screen.h"
#include "settings/frm_seti.h"
#include "tests/support/recording_common_dialogs.h"
#include "tests/support/recording_desktop_actions.h"
#include "tests/support/recording_sound_output.h"
#include "wizard_desktop.h"

using namespace platform;
using forms::CommonDialogAnswer;

namespace {

constexpr COLORREF kBack = 0x00336699;

// Pixels of the composed screen near a colour.
int PixelsOf(const RECT& r, COLORREF colour) {
    const Surface& screen = ComposedScreen();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t p = screen.row(y)[x];
            n += std::abs(static_cast<int>((p >> 16) & 0xFF) - GetRValue(colour)) < 40 &&
                 std::abs(static_cast<int>((p >> 8) & 0xFF) - GetGValue(colour)) < 40 &&
                 std::abs(static_cast<int>(p & 0xFF) - GetBValue(colour)) < 40;
        }
    return n;
}

class WizardEndToEnd : public desktop::WizardDesktop {};

TEST_F(WizardEndToEnd, EveryStepReachesTheFileAndTheFiringAlarm) {
    Start({}, "", false);
    auto& others = testsupport::UseRecordingOtherWindows();
    others.windows = {{7, "OZR target"}, {8, "OZR target draft"}};
    auto& sound = testsupport::UseRecordingSoundOutput();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    New();

    auto& step1 = alarmwizard::frmSetiRAE1();
    TypeInto(step1.txtMin, "5");  // 12:05:00 today
    Press(step1.cmdNext);

    auto& step2 = alarmwizard::frmSetiRAE2();
    TypeInto(step2.txtName, "Closing time");
    TypeInto(step2.txtTitle, "Closing time");
    TypeInto(step2.txtText, "The target goes.");
    Press(step2.cmdNext);

    auto& step3 = alarmwizard::frmSetiRAE3();
    PressLabel(step3.lblBehaviors, step3.frmWindowType.hWnd);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE3A");
    auto& step3a = alarmwizard::frmSetiRAE3A();
    step3a.ddlBehaviors.ListIndex = 1;  // close windows
    TypeInto(step3a.txt, "OZR target");
    Press(step3a.ch1);  // the whole title must match
    Press(step3a.cmdAddBehavior);
    Press(step3a.cmdOk);
    Press(step3.cmdNext);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE4");

    auto& step4 = alarmwizard::frmSetiRAE4();
    const std::string chime = d->PathOf("Alarms/Sounds/Test Sound.mp3").string();
    dialogs.Answer(CommonDialogAnswer::ChooseFile(chime));
    Press(step4.cmdBrowseSound);
    Press(step4.chLoop);
    TypeInto(step4.txtLoop, "2");
    TypeInto(step4.txtSeconds, "1");
    dialogs.Answer(CommonDialogAnswer::ChooseColor(kBack));
    Press(step4.cmdColor);
    dialogs.Answer(CommonDialogAnswer::ChooseFont({.name = "DejaVu Serif", .size = 12, .bold = true}));
    Press(step4.cmdFont);
    Press(step4.cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAM");
    ASSERT_TRUE(d->MessageBoxes().empty()) << d->MessageBoxes()[0].text;
    Press(settings::frmSeti().cmdOkN);

    const std::string key = core::Alarms.back().AlarmKey;
    const std::string section = desktop::AlarmSection(d->ReadFile("Alarms/MyAlarms.ozrini"), key);
    for (const std::string& line :
         std::initializer_list<std::string>{"NAME=Closing time\n", "Sound=" + chime + "\n", "Loops=2\n", "LoopDelay=1\n", "BackColor=3368601\n",
          "Extra=|0: OZR target \n"})
        EXPECT_NE(section.find(line), std::string::npos) << line << section;
    EXPECT_NE(section.find("|FontName: DejaVu Serif |FontSize: 12 |FontBold: 700 "), std::string::npos) << section;
    EXPECT_NE(section.find("Instruction=|0: 1, 1, 1, 0, 0, 0, 0 \n"), std::string::npos) << section;

    d->Advance(5 * 60'000);
    const HWND window = d->FindByTitle("Closing time");
    ASSERT_NE(window, HWND{});
    RECT r = d->Rect(window);
    EXPECT_GT(PixelsOf(r, kBack), (r.right - r.left) * (r.bottom - r.top) / 3) << "the window's back colour";
    if (const char* keep = std::getenv("OZR_KEEP_SCREENSHOT")) WriteScreenshot(keep);
    EXPECT_EQ(others.closed, (std::vector<std::uint64_t>{7})) << "only the window of that whole title";

    d->Advance(30'000);
    ASSERT_EQ(sound.Plays().size(), 3u) << "the first play and two repeats";
    for (std::size_t i = 1; i < 3; ++i) {
        const std::int64_t pause = sound.Plays()[i].startedMs - sound.Plays()[i - 1].endedMs;
        EXPECT_GE(pause, 1000);
        EXPECT_LE(pause, 1030);
    }
}

}  // namespace
