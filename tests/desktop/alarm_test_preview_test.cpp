// The wizard's Test on the headless desktop: the window is asked of the library with the alarm
// under edit as the step stores it, as a test (id -1) and with the whole slide block; a windowless
// alarm gets the information box instead; either way the alarm under edit is as it was, while the
// wizard's progress keeps the step's mark.
#include <gtest/gtest.h>

#include <optional>

#include "alarmwizard/frame_steps.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "alarmwizard/frm_seti_rae3a.h"
#include "core/alarm.h"
#include "core/globals.h"
#include "settings/settings_pages.h"
#include "wizard_desktop.h"

using namespace platform;
using desktop::CallsStartingWith;

namespace {

class AlarmTestPreview : public desktop::WizardDesktop {
protected:
    // A new alarm on step 2.
    void OnStep2() {
        Start();
        New();
        Press(alarmwizard::frmSetiRAE1().cmdNext);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
        lib.emplace();  // the program has loaded it by now
        lib->Clear();
    }
    // A new alarm on the behaviours step, whose store leaves the window's fields alone, with a
    // record whose every field shows in the window's arguments.
    void OnBehaviorsStep() {
        OnStep2();
        Press(alarmwizard::frmSetiRAE2().cmdNext);
        PressLabel(alarmwizard::frmSetiRAE3().lblBehaviors, alarmwizard::frmSetiRAE3().frmWindowType.hWnd);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE3A");
        core::Alarm& a = core::AlarmUnderEdit;
        a.Title = "Tea time";
        a.Text = "The kettle\r\nhas boiled";
        a.CustomPosition = 4;
        a.SlideSettings = {1000, -1, 0, 255, 11, 0xA5, 1000, 500, 255, 0, 11, 0x5A};
        a.X = -3;
        a.Y = 700;
        a.W = 300;
        a.H = 120;
        a.WindowStyle = 1;
        a.WindowProperties = 6;
        a.ColorKey = 0x00FF00FF;
        a.Alpha = 200;
        a.Visuals = 2;
        a.BackColor = 0x00112233;
        a.TextColor = 0x00445566;
        a.FontInformation = "<@Title 0: |FontName: DejaVu Sans |FontSize: 14 @> ";
        a.Icon = "\\Alarms\\Icons\\bell.ico";
        a.Background = "";
        a.Flags = core::kAlarmAtHotspot | core::kAlarmSlide;
        before = a;
        lib->Clear();
    }

    std::optional<desktop::FakeLibrary> lib;
    core::Alarm before;
};

TEST_F(AlarmTestPreview, TheWindowIsAskedAsATestWithEveryFieldAndTheWholeSlideBlockAndTheAlarmStaysAsItWas) {
    OnBehaviorsStep();
    core::AlarmEditProgress = 4;  // a new alarm as it comes from step 1
    Press(alarmwizard::frmSetiRAE3A().cmdTest);

    EXPECT_EQ(CallsStartingWith(*lib, "OZRFireAlarm"),
              std::vector<std::string>{"OZRFireAlarm -1 Tea time flags 144 font DejaVu Sans 14"});
    EXPECT_EQ(CallsStartingWith(*lib, "AlarmWindowArgs"),
              std::vector<std::string>{"AlarmWindowArgs text=The kettle\\r\\nhas boiled position=4 "
                                       "slide=e803ffff00ff0ba5e803f401ff000b5a x=-3 y=700 w=300 h=120 style=1 "
                                       "properties=6 key=16711935 alpha=200 visuals=2 back=1122867 fore=4478310 "
                                       "icon=\\Alarms\\Icons\\bell.ico background="});
    EXPECT_TRUE(CallsStartingWith(*lib, "OZRTriggerSpecialBehavior").empty()) << "a test runs no behaviour";
    EXPECT_TRUE(d->MessageBoxes().empty());
    EXPECT_TRUE(core::AlarmUnderEdit == before);
    EXPECT_EQ(core::AlarmEditProgress, 9) << "the step's mark stays";
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE3A") << "the step stays";
}

TEST_F(AlarmTestPreview, AWindowlessAlarmGetsTheInformationBoxAndIsRestoredToo) {
    OnBehaviorsStep();
    core::AlarmUnderEdit.Flags |= core::kAlarmWindowless;
    before = core::AlarmUnderEdit;
    // A side step, whose Cancel promises to drop what the test stored.
    Press(alarmwizard::frmSetiRAE3A().cmdTest);

    EXPECT_TRUE(CallsStartingWith(*lib, "OZRFireAlarm").empty());
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    const MessageBoxRequest& box = d->MessageBoxes()[0];
    EXPECT_EQ(box.caption, "OZR Ruriv " + core::LanguageFile.ReadText("General", "MSGBOX Information"));
    EXPECT_EQ(box.text, core::LanguageFile.ReadText("General", "MSGBOX Warning Test Alarm"));
    EXPECT_EQ(box.type, 4160u);
    EXPECT_TRUE(core::AlarmUnderEdit == before);
    EXPECT_EQ(core::AlarmEditProgress, 9);
}

TEST_F(AlarmTestPreview, EveryStepThatShapesTheWindowHasTestAndTheScheduleStepsHaveNone) {
    OnStep2();
    const std::string caption = core::LanguageFile.ReadText("General", "Test");
    EXPECT_TRUE(alarmwizard::frmSetiRAE2().cmdTest.Visible);
    EXPECT_EQ(alarmwizard::frmSetiRAE2().cmdTest.Caption(), caption);
    for (auto* next : {&alarmwizard::frmSetiRAE2().cmdNext, &alarmwizard::frmSetiRAE3().cmdNext}) {
        Press(*next);
        lib->Clear();
        auto* step = dynamic_cast<alarmwizard::WizardStep*>(settings::PageNamed(core::CurrentPageName));
        ASSERT_NE(step, nullptr);
        EXPECT_TRUE(step->cmdTest.Visible) << core::CurrentPageName;
        Press(step->cmdTest);
        EXPECT_EQ(CallsStartingWith(*lib, "OZRFireAlarm").size(), 1u) << core::CurrentPageName;
    }
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE4");
    EXPECT_FALSE(alarmwizard::frmSetiRAE1().cmdTest.Visible);
}

}  // namespace
