// The naming step (step 2) on the headless desktop: a new alarm's defaults and what its store
// gives; the options and ticks that enable each other; the bounds of the position and the size by
// the screen; the slide that takes the window's moving and sizing away; an edited alarm loaded as
// stored; the final save sending the user back; and its Test.
#include <gtest/gtest.h>

#include <optional>

#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/frm_seti_rae1.h"
#include "alarmwizard/frm_seti_rae2.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "core/alarm.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "wizard_desktop.h"

using namespace platform;
using alarmmanager::frmSetiRAM;
using desktop::AlarmEntry;
using desktop::CallsStartingWith;

namespace {

bool Ticked(const forms::CheckBox& box) { return box.Value == forms::vbChecked; }

class NamingStep : public desktop::WizardDesktop {
protected:
    void NewToStep2() {
        New();
        Press(alarmwizard::frmSetiRAE1().cmdNext);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
    }
    // Opens the first alarm of the list with Modify and goes on to this step.
    void ModifyToStep2() {
        auto& grid = frmSetiRAM().flxAlarms;
        const RECT g = d->Rect(grid.hWnd), c = grid.CellRect(1, 2);
        d->Click(POINT{g.left + (c.left + c.right) / 2, g.top + (c.top + c.bottom) / 2});
        d->Advance(20);
        Press(frmSetiRAM().cmdModify);
        Press(alarmwizard::frmSetiRAE1().cmdNext);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
    }
    void StoreByNext() {
        Press(step.cmdNext);
        ASSERT_EQ(core::CurrentPageName, "frmSetiRAE3");
    }
    void ChooseHotspot(int index) {
        Press(step.optHotspot);
        step.ddlHotspot.ChooseFromList(index);
        d->Advance(10);
    }
    std::string Text(const char* key) { return core::LanguageFile.ReadText(core::kWizardStep2Section, key); }

    alarmwizard::frmSetiRAE2Form& step = alarmwizard::frmSetiRAE2();
};

AlarmEntry Stored(std::vector<std::pair<std::string, std::string>> fields) {
    AlarmEntry a = desktop::Wake();
    for (auto& [k, v] : fields) a.values[k] = v;
    return a;
}

TEST_F(NamingStep, ANewAlarmShowsTheCentreAndAutoSizeAndStoresNoSizeOfItsOwn) {
    Start();
    NewToStep2();
    EXPECT_TRUE(step.optCenter.Value);
    for (forms::WindowedControl* c : std::initializer_list<forms::WindowedControl*>{
             &step.ddlHotspot, &step.chSlide, &step.txtX, &step.cmdXM, &step.txtY, &step.cmdYP, &step.txtWidth,
             &step.cmdWidthP, &step.txtHeight, &step.cmdHeightM, &step.cmdOk})
        EXPECT_FALSE(c->Enabled) << c->Name();
    EXPECT_FALSE(step.lblSlideSettings.Visible);
    EXPECT_FALSE(step.lblSlideCustomize.Visible);
    EXPECT_TRUE(Ticked(step.chAutoSize));
    EXPECT_EQ(step.ddlHotspot.ListIndex, 0);
    EXPECT_EQ(step.txtName.Text(), Text("Name Default"));
    EXPECT_EQ(step.txtTitle.Text(), Text("Title Default"));
    EXPECT_EQ(step.txtText.Text(), Text("Text Default"));
    for (forms::TextBox* box : {&step.txtX, &step.txtY, &step.txtWidth, &step.txtHeight})
        EXPECT_EQ(box->Text(), "0") << box->Name();

    StoreByNext();
    const core::Alarm& a = core::AlarmUnderEdit;
    EXPECT_EQ(a.W, 0);
    EXPECT_EQ(a.H, 0);
    EXPECT_EQ(a.Flags & 0x2F0, core::kAlarmCentered | core::kAlarmAutoSize);
    EXPECT_EQ(a.NAME, Text("Name Default")) << "an untouched placeholder is the name";
    EXPECT_EQ(core::AlarmEditProgress, 6);
}

TEST_F(NamingStep, SizeAndPositionAreBoundByTheScreenReadAgainAndLoadedValuesStayUntilCleaned) {
    screen = {1024, 768};
    Start({Stored({{"X", "1500"}, {"Flags", "0"}, {"W", "0"}, {"H", "0"}})});
    NewToStep2();
    Press(step.chAutoSize);
    EXPECT_FALSE(Ticked(step.chAutoSize));
    EXPECT_TRUE(step.txtWidth.Enabled);
    EXPECT_EQ(step.txtWidth.Text(), "100");
    EXPECT_EQ(step.txtHeight.Text(), "50");
    TypeInto(step.txtWidth, "5000");
    Press(step.optCustom);
    EXPECT_EQ(step.txtWidth.Text(), "1024");
    EXPECT_TRUE(step.txtX.Enabled);
    TypeInto(step.txtX, "2000");
    LeaveFor(step.txtY);
    EXPECT_EQ(step.txtX.Text(), "1014");
    Press(step.cmdXP);
    EXPECT_EQ(step.txtX.Text(), "1014") << "the plus button stops at the bound";
    TypeInto(step.txtX, "-5");
    LeaveFor(step.txtY);
    EXPECT_EQ(step.txtX.Text(), "5") << "a minus counts only below a bound of 0";
    TypeInto(step.txtY, "");
    Press(step.cmdYM);
    EXPECT_EQ(step.txtY.Text(), "0");
    StoreByNext();
    EXPECT_EQ(core::AlarmUnderEdit.X, 5);
    EXPECT_EQ(core::AlarmUnderEdit.W, 1024);
    EXPECT_EQ(core::AlarmUnderEdit.H, 50);
    EXPECT_EQ(core::AlarmUnderEdit.Flags & (core::kAlarmAutoSize | core::kAlarmCentered), 0);

    // An alarm stored with X beyond today's screen (and neither position bit: the custom one).
    d->AnswerNextMessageBoxes({IDYES});
    Press(alarmwizard::frmSetiRAE3().cmdCancel);
    ModifyToStep2();
    EXPECT_TRUE(step.optCustom.Value);
    EXPECT_EQ(step.txtX.Text(), "1500");
    StoreByNext();
    EXPECT_EQ(core::AlarmUnderEdit.X, 1500) << "stored back as it was, never focused";
}

TEST_F(NamingStep, AHotspotWithSlideTakesAwayResizingAndMovingAndTheCentreTakesAwayTheSlide) {
    Start({Stored({{"WindowProperties", "70"}, {"Flags", "96"}})});
    ModifyToStep2();
    EXPECT_FALSE(step.chSlide.Enabled);
    ChooseHotspot(4);
    EXPECT_EQ(step.ddlHotspot.Text(), core::LanguageFile.ReadText("General", "Anchor Lower Right"));
    EXPECT_TRUE(step.chSlide.Enabled);
    Press(step.chSlide);
    EXPECT_TRUE(step.lblSlideCustomize.Visible);
    EXPECT_TRUE(step.lblSlideSettings.Visible);
    EXPECT_EQ(step.lblSlideSettings.Caption(), Text("Slide Settings 1") + ": " + Text("Slide Settings 2") +
                                                   ": 0ms " + Text("Slide Settings 3") + ": 0ms.");
    EXPECT_EQ(step.lblSlideDirection.Caption(), Text("Slide Direction") + ": ") << "no direction yet";
    StoreByNext();
    const core::Alarm& a = core::AlarmUnderEdit;
    EXPECT_EQ(a.CustomPosition, 4);
    EXPECT_EQ(a.Flags & 0xF0, core::kAlarmAtHotspot | core::kAlarmSlide | core::kAlarmAutoSize);
    EXPECT_EQ(a.WindowProperties, 6);

    Press(alarmwizard::frmSetiRAE3().cmdPrevious);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
    EXPECT_TRUE(step.optHotspot.Value);
    EXPECT_TRUE(Ticked(step.chSlide));
    EXPECT_TRUE(step.lblSlideSettings.Visible);
    core::AlarmUnderEdit.WindowProperties = 64;
    Press(step.optCenter);
    EXPECT_FALSE(step.chSlide.Enabled);
    EXPECT_TRUE(Ticked(step.chSlide)) << "the tick stays, disabled";
    EXPECT_FALSE(step.lblSlideSettings.Visible);
    StoreByNext();
    EXPECT_EQ(a.Flags & (core::kAlarmSlide | core::kAlarmCentered | core::kAlarmAtHotspot), core::kAlarmCentered);
    EXPECT_EQ(a.WindowProperties, 64) << "without the slide the properties stay";
}

TEST_F(NamingStep, AStoredSlideIsSummedUpAndBothPositionBitsLoadAsTheHotspot) {
    Start({Stored({{"Flags", std::to_string(0x40 | 0x80 | 0x10)}, {"CustomPosition", "2"}, {"SlideInTime", "700"},
                   {"SlideOutTime", "1200"}, {"SlideInDirection", "11"}, {"W", "300"}, {"H", "90"}})});
    ModifyToStep2();
    EXPECT_TRUE(step.optHotspot.Value);
    EXPECT_EQ(step.ddlHotspot.ListIndex, 2);
    EXPECT_FALSE(Ticked(step.chAutoSize));
    EXPECT_EQ(step.txtWidth.Text(), "300");
    EXPECT_EQ(step.lblSlideSettings.Caption(), Text("Slide Settings 1") + ": " + Text("Slide Settings 2") +
                                                   ": 700ms " + Text("Slide Settings 3") + ": 1200ms.");
    EXPECT_EQ(step.lblSlideDirection.Caption(),
              Text("Slide Direction") + ": " +
                  core::LanguageFile.ReadText(core::kWizardStep2ASection, "Vertical") + ".");
    StoreByNext();
    EXPECT_EQ(core::AlarmUnderEdit.Flags & 0xF0, core::kAlarmAtHotspot | core::kAlarmSlide);
    EXPECT_EQ(core::AlarmUnderEdit.W, 300);
}

TEST_F(NamingStep, TheTextBoxesKeepWhatIsTypedAndTheirPlaceholdersOnlyWhileEmpty) {
    Start();
    NewToStep2();
    Press(step.txtName);
    EXPECT_EQ(step.txtName.Text(), "") << "the placeholder goes at the focus";
    d->Type("[Tea]");
    Press(step.txtTitle);
    EXPECT_EQ(step.txtTitle.Text(), "");
    Press(step.txtText);
    EXPECT_EQ(step.txtTitle.Text(), Text("Title Default")) << "left empty: the placeholder is back";
    d->Type("Line 1");
    d->Key(VK_RETURN, '\r');
    d->Type("Line 2");
    d->KeyWithModifier(VK_CONTROL, 'A');
    EXPECT_EQ(step.txtText.SelLength, static_cast<int>(step.txtText.Text().size()));
    Press(step.chWindowless);
    EXPECT_FALSE(step.txtText.Enabled);
    EXPECT_FALSE(step.lblText.Enabled);
    StoreByNext();
    const core::Alarm& a = core::AlarmUnderEdit;
    EXPECT_EQ(a.NAME, "[Tea]");
    EXPECT_EQ(a.Title, Text("Title Default"));
    EXPECT_EQ(a.Text, "Line 1\r\nLine 2") << "a windowless alarm keeps its text";
    EXPECT_TRUE(a.Flags & core::kAlarmWindowless);
}

TEST_F(NamingStep, TheFinalSaveSendsBackATakenNameOnceSelectedAndKeepsIt) {
    Start();
    NewToStep2();
    TypeInto(step.txtName, "Wake");
    Press(step.cmdSave);
    ASSERT_EQ(core::CurrentPageName, "frmSetiRAE2");
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text, Text("Alarm Already Exists Error"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4112u);
    EXPECT_EQ(core::AlarmWizardPending, 0);
    EXPECT_TRUE(step.txtName.HasFocus());
    EXPECT_EQ(step.txtName.Text(), "Wake");
    EXPECT_EQ(step.txtName.SelLength, 4);
    // Blanks are no name either.
    TypeInto(step.txtName, "   ");
    Press(step.cmdSave);
    ASSERT_EQ(d->MessageBoxes().size(), 2u);
    EXPECT_EQ(d->MessageBoxes()[1].text, Text("Unnamed Alarm"));
    EXPECT_EQ(step.txtName.Text(), "   ");
    // The next focus after leaving clears the placeholder again, not the name.
    LeaveFor(step.txtTitle);
    Press(step.txtName);
    EXPECT_EQ(step.txtName.Text(), "   ");
}

TEST_F(NamingStep, TestShowsTheWindowAsTypedAndLeavesTheAlarmUnderEditAsItWas) {
    Start();
    NewToStep2();
    std::optional<desktop::FakeLibrary> lib;
    lib.emplace();
    lib->Clear();
    const core::Alarm before = core::AlarmUnderEdit;
    TypeInto(step.txtTitle, "Tea time");
    ChooseHotspot(4);
    Press(step.chSlide);
    Press(step.cmdTest);
    ASSERT_EQ(CallsStartingWith(*lib, "OZRFireAlarm").size(), 1u);
    EXPECT_EQ(CallsStartingWith(*lib, "OZRFireAlarm")[0].rfind("OZRFireAlarm -1 Tea time flags 176 ", 0), 0u)
        << CallsStartingWith(*lib, "OZRFireAlarm")[0];
    EXPECT_NE(CallsStartingWith(*lib, "AlarmWindowArgs")[0].find(" position=4 "), std::string::npos);
    EXPECT_TRUE(core::AlarmUnderEdit == before);
    EXPECT_EQ(core::AlarmEditProgress, 6);

    Press(step.chWindowless);
    Press(step.cmdTest);
    EXPECT_EQ(CallsStartingWith(*lib, "OZRFireAlarm").size(), 1u) << "no second window";
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].caption,
              "OZR Ruriv " + core::LanguageFile.ReadText("General", "MSGBOX Information"));
    Press(step.chWindowless);
    Press(step.cmdTest);
    EXPECT_EQ(CallsStartingWith(*lib, "OZRFireAlarm").size(), 2u);
    EXPECT_TRUE(core::AlarmUnderEdit == before);
}

}  // namespace
