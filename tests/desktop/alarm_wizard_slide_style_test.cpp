// The wizard's slide and fade step and its window style step on the headless desktop: the time
// boxes' decimal clean-up, the coupled opacity bars, loading and storing both steps, the style
// rules with the slide guard, and the visuals with the colour dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "alarmwizard/frm_seti_rae2a.h"
#include "alarmwizard/frm_seti_rae3.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/program_settings.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"
#include "tests/support/locale_scope.h"
#include "tests/support/recording_common_dialogs.h"
#include "wizard_desktop.h"

using namespace platform;
using alarmwizard::frmSetiRAE2A;
using alarmwizard::frmSetiRAE3;
using settings::frmSeti;

namespace {

constexpr const char* kStep3Section = "Alarm Settings Controls - SUB WINDOW WARLOCK STEP 3";

class WizardSteps : public desktop::WizardDesktop {
protected:
    // The step shown as the wizard shows it, after `prepare` has set the alarm under edit as
    // earlier steps (or an edited alarm) left it.
    void Open(const char* step, const std::function<void()>& prepare = {}) {
        Start({});
        // The settings window stays on top, as the colour dialogs must know.
        core::Settings.AlwaysOnTopWindows = true;
        frmSeti().AlwaysOnTop(true);
        New();
        if (prepare) prepare();
        frmSeti().ShowSubWindow(settings::PageNamed(step), true);
        d->Advance(20);
        ASSERT_EQ(core::CurrentPageName, step);
    }
    const core::SlideSettings& Slide() const { return core::AlarmUnderEdit.SlideSettings; }
    std::string StepText(const char* section, const char* key) const { return core::LanguageFile.ReadText(section, key); }
    bool SettingsTopmost() const { return (GetWindowLong(frmSeti().hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    alarmwizard::frmSetiRAE2AForm& step2a = frmSetiRAE2A();
    alarmwizard::frmSetiRAE3Form& step3 = frmSetiRAE3();
};

// ---- Slide and fade ----

TEST_F(WizardSteps, ANewSlideStepShowsHalfSecondsWithoutFadesAndOkStoresTheDefaults) {
    Open("frmSetiRAE2A");
    EXPECT_EQ(step2a.txtSlideIn.Text(), "0.5");
    EXPECT_EQ(step2a.txtSlideOut.Text(), "0.5");
    EXPECT_EQ(step2a.txtFadeIn.Text(), "0.10");
    EXPECT_EQ(step2a.txtFadeOut.Text(), "0.10");
    EXPECT_FALSE(step2a.txtFadeIn.Visible);
    EXPECT_FALSE(step2a.scrFadeOutFinalOpacity.Visible);
    EXPECT_TRUE(step2a.optInMod0.Value);
    EXPECT_TRUE(step2a.optOutMod0.Value);
    EXPECT_FALSE(step2a.cmdNext.Enabled);
    Press(step2a.cmdOk);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2");
    const core::SlideSettings expected{500, -1, 0, 255, 10, 0, 500, -1, 255, 0, 10, 0};
    EXPECT_EQ(Slide(), expected);
    EXPECT_EQ(core::AlarmEditProgress, 7);
}

TEST_F(WizardSteps, TimeBoxesKeepOneDecimalBetweenATenthAndThirtySecondsWhateverTheLocale) {
    std::optional<testsupport::LocaleScope> dutch;
    if (testsupport::LocaleScope::Available("nl_NL.utf8")) dutch.emplace("nl_NL.utf8");
    Open("frmSetiRAE2A");
    TypeInto(step2a.txtSlideIn, "45");
    Press(step2a.txtSlideOut);
    EXPECT_EQ(step2a.txtSlideIn.Text(), "30.0");
    TypeInto(step2a.txtSlideIn, "1.25");
    Press(step2a.txtSlideOut);
    EXPECT_EQ(step2a.txtSlideIn.Text(), "1.2") << "cut, not rounded, and read with a point";
    TypeInto(step2a.txtSlideIn, "0.2");
    Press(step2a.cmdSlideInM);
    EXPECT_EQ(step2a.txtSlideIn.Text(), "0.1");
    Press(step2a.cmdSlideInM);
    EXPECT_EQ(step2a.txtSlideIn.Text(), "0.1") << "no wrap at the bound";
    TypeInto(step2a.txtSlideIn, "30");
    Press(step2a.cmdSlideInP);
    EXPECT_EQ(step2a.txtSlideIn.Text(), "30.0");
    // An arrow key in a box still holding letters cleans it before stepping.
    TypeInto(step2a.txtSlideOut, "x1y");
    d->Key(VK_UP);
    EXPECT_EQ(step2a.txtSlideOut.Text(), "1.1");
    // Enter presses Ok while the box keeps the focus: the store cleans it first.
    TypeInto(step2a.txtSlideOut, "99999");
    d->Key(VK_RETURN, '\r');
    d->Advance(20);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2");
    EXPECT_EQ(Slide().SlideInTime, 30000);
    EXPECT_EQ(Slide().SlideOutTime, 30000);
}

TEST_F(WizardSteps, UseFadingShowsTheRowAtHalfASecondAndUntickingStoresNoFade) {
    Open("frmSetiRAE2A");
    Press(step2a.chkUseSlideInFading);
    EXPECT_TRUE(step2a.txtFadeIn.Visible);
    EXPECT_TRUE(step2a.scrFadeInFinalOpacity.Visible);
    EXPECT_EQ(step2a.txtFadeIn.Text(), "0.5");
    EXPECT_EQ(step2a.scrFadeInStartOpacity.Value, 15);
    EXPECT_EQ(step2a.scrFadeInFinalOpacity.Value, 255);
    EXPECT_EQ(step2a.scrFadeOutStartOpacity.Value, 255) << "the fade-out starts where the fade-in ends";
    Press(step2a.chkUseSlideOutFading);
    Press(step2a.optOutMod1);
    Press(step2a.cmdOk);
    const core::SlideSettings faded{500, 500, 15, 255, 10, 0, 500, 500, 255, 15, 11, 0};
    EXPECT_EQ(Slide(), faded);

    frmSeti().ShowSubWindow(settings::PageNamed("frmSetiRAE2A"), true);
    d->Advance(20);
    EXPECT_EQ(step2a.chkUseSlideInFading.Value, forms::vbChecked) << "filled from the record";
    EXPECT_TRUE(step2a.optOutMod1.Value);
    Press(step2a.chkUseSlideInFading);
    EXPECT_FALSE(step2a.txtFadeIn.Visible);
    Press(step2a.cmdOk);
    EXPECT_EQ(Slide().SlideInAlphaTime, -1);
    EXPECT_EQ(Slide().SlideInAlphaStartValue, 0);
    EXPECT_EQ(Slide().SlideInAlphaStopValue, 255);
    EXPECT_EQ(Slide().SlideOutAlphaTime, 500);
}

TEST_F(WizardSteps, FadeInNeverRunsTowardsTransparencyFadeOutNeverBackAndTheFadeInEndFeedsTheFadeOutStart) {
    Open("frmSetiRAE2A");
    Press(step2a.chkUseSlideInFading);
    Press(step2a.chkUseSlideOutFading);
    auto& inStart = step2a.scrFadeInStartOpacity;
    auto& inFinal = step2a.scrFadeInFinalOpacity;
    auto& outStart = step2a.scrFadeOutStartOpacity;
    auto& outFinal = step2a.scrFadeOutFinalOpacity;
    inStart.Value = 120;
    inFinal.Value = 100;  // below the start: drags it down, and the fade-out starts there
    EXPECT_EQ(inStart.Value, 100);
    EXPECT_EQ(outStart.Value, 100);
    inStart.Value = 180;  // above the final: drags it up
    EXPECT_EQ(inFinal.Value, 180);
    EXPECT_EQ(outStart.Value, 180);
    outFinal.Value = 200;  // the fade-out's start is never below its final
    EXPECT_EQ(outStart.Value, 200);
    EXPECT_EQ(inFinal.Value, 180) << "never copied back";
    outStart.Value = 60;
    EXPECT_EQ(outFinal.Value, 60);
    // The user's own arrow press on the bar runs the same rules.
    inFinal.SetFocus();
    d->Key(VK_LEFT);
    d->Advance(10);
    EXPECT_EQ(inFinal.Value, 179);
    EXPECT_EQ(outStart.Value, 179);
}

TEST_F(WizardSteps, AStoredSlideLoadsCutToTenthsRaisesLowOpacitiesAndCancelKeepsOnlyTheRaise) {
    const core::SlideSettings stored{1250, 100, 0, 3, 11, 7, 0, -1, 200, 100, 0, 9};  // the pads are kept
    Open("frmSetiRAE2A", [&] {
        core::AlarmEditProgress = 11;
        core::AlarmUnderEdit.SlideSettings = stored;
    });
    EXPECT_EQ(step2a.txtSlideIn.Text(), "1.2");
    EXPECT_EQ(step2a.chkUseSlideInFading.Value, forms::vbChecked);
    EXPECT_EQ(step2a.txtFadeIn.Text(), "0.5") << "a fade of a tenth or less shows as half a second";
    EXPECT_TRUE(step2a.optInMod1.Value);
    EXPECT_EQ(step2a.txtSlideOut.Text(), "0.5");
    EXPECT_EQ(step2a.txtFadeOut.Text(), "0.1");
    EXPECT_FALSE(step2a.txtFadeOut.Visible);
    EXPECT_TRUE(step2a.optOutMod0.Value) << "no direction yet loads as horizontal";
    EXPECT_EQ(Slide().SlideInAlphaStartValue, 15);
    EXPECT_EQ(Slide().SlideInAlphaStopValue, 15);

    Press(step2a.cmdCancel);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2");
    core::SlideSettings raised = stored;
    raised.SlideInAlphaStartValue = raised.SlideInAlphaStopValue = 15;
    EXPECT_EQ(Slide(), raised);
    EXPECT_EQ(core::AlarmEditProgress, 11);

    frmSeti().ShowSubWindow(settings::PageNamed("frmSetiRAE2A"), true);
    d->Advance(20);
    Press(step2a.cmdOk);
    const core::SlideSettings expected{1200, 500, 15, 15, 11, 7, 500, -1, 255, 0, 10, 9};
    EXPECT_EQ(Slide(), expected);
}

TEST_F(WizardSteps, AStoredFadeBetweenATenthAndTwoTenthsLoadsAsATenthAndOkStoresIt) {
    Open("frmSetiRAE2A", [] {
        core::AlarmEditProgress = 11;
        core::AlarmUnderEdit.SlideSettings = core::SlideSettings{500, 150, 15, 255, 10, 0, 500, 199, 255, 15, 10, 0};
    });
    EXPECT_EQ(step2a.txtFadeIn.Text(), "0.1");
    EXPECT_EQ(step2a.txtFadeOut.Text(), "0.1");
    Press(step2a.cmdOk);
    EXPECT_EQ(Slide().SlideInAlphaTime, 100);
    EXPECT_EQ(Slide().SlideOutAlphaTime, 100);
}

TEST_F(WizardSteps, TheSaveSendsInvalidSlideSettingsBackWithItsMessageShownOnce) {
    Open("frmSetiRAE2A", [] { core::AlarmWizardPending = 5; });
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text,
              StepText("Alarm Settings Controls - SUB WINDOW WARLOCK STEP 2A", "Error Invalid Data"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4112u);
    EXPECT_EQ(core::AlarmWizardPending, 0);
}

// ---- Window style ----

TEST_F(WizardSteps, AFirstStyleVisitStartsNormalOnTopWith3DAndMovableAndNextStoresItsChoice) {
    Open("frmSetiRAE3", [] {
        core::AlarmUnderEdit.WindowProperties = 1 | 128;  // bits the step does not own
        core::AlarmUnderEdit.Alpha = 5;
    });
    EXPECT_EQ(core::AlarmUnderEdit.Alpha, 255) << "too low to see: raised on every load";
    EXPECT_EQ(step3.ddlStyle.ListIndex, 0);
    EXPECT_EQ(step3.chTop.Value, forms::vbChecked);
    EXPECT_EQ(step3.ch3D.Value, forms::vbChecked);
    EXPECT_EQ(step3.chMovable.Value, forms::vbChecked);
    EXPECT_EQ(step3.chResize.Value, forms::vbUnchecked);
    EXPECT_TRUE(step3.chResize.Enabled) << "3D is ticked";
    EXPECT_EQ(step3.chNormal.Value, forms::vbChecked);
    EXPECT_FALSE(step3.cmdColor.Visible);
    EXPECT_FALSE(step3.scrOpacity.Enabled);
    Press(step3.cmdNext);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE4");
    EXPECT_EQ(core::AlarmUnderEdit.WindowStyle, 0);
    EXPECT_EQ(core::AlarmUnderEdit.WindowProperties, 1 | 128 | 2 | 4 | 64);
    EXPECT_EQ(core::AlarmUnderEdit.Visuals, 0);
    EXPECT_EQ(core::AlarmUnderEdit.Alpha, 200);
    EXPECT_EQ(core::AlarmUnderEdit.ColorKey, 0);
    EXPECT_EQ(core::AlarmEditProgress, 8);
}

TEST_F(WizardSteps, ToolboxAndBorderlessDisableTheirBoxesButKeepTheTicksThatAreStored) {
    Open("frmSetiRAE3");
    Press(step3.chMini);
    Press(step3.chMaxi);
    step3.ddlStyle.ListIndex = 1;
    EXPECT_FALSE(step3.chMini.Enabled);
    EXPECT_FALSE(step3.chMaxi.Enabled);
    EXPECT_EQ(step3.chMini.Value, forms::vbChecked);
    EXPECT_TRUE(step3.ch3D.Enabled);
    step3.ddlStyle.ListIndex = 2;
    EXPECT_FALSE(step3.ch3D.Enabled);
    EXPECT_FALSE(step3.chResize.Enabled) << "Resizable needs an enabled 3D";
    EXPECT_TRUE(step3.chMovable.Enabled);
    step3.ddlStyle.ListIndex = 0;
    EXPECT_TRUE(step3.chResize.Enabled);
    Press(step3.ch3D);
    EXPECT_FALSE(step3.chResize.Enabled);
    step3.ddlStyle.ListIndex = 1;
    Press(step3.cmdNext);
    EXPECT_EQ(core::AlarmUnderEdit.WindowStyle, 1);
    EXPECT_EQ(core::AlarmUnderEdit.WindowProperties, 2 | 16 | 32 | 64);
}

TEST_F(WizardSteps, AWindowSlidingInFromAHotspotCannotBeResizedMinimizedMaximizedOrMoved) {
    Open("frmSetiRAE3", [] { core::AlarmUnderEdit.Flags = core::kAlarmSlide | core::kAlarmAtHotspot; });
    EXPECT_EQ(step3.chMovable.Value, forms::vbUnchecked);
    const std::string title = "OZR Ruriv - " + StepText("General", "MSGBOX Information");
    std::size_t boxes = 0;
    for (auto* box : {&step3.chResize, &step3.chMini, &step3.chMaxi, &step3.chMovable}) {
        Press(*box);
        ASSERT_EQ(d->MessageBoxes().size(), ++boxes) << box->Name();
        EXPECT_EQ(d->MessageBoxes().back().text, StepText(kStep3Section, "Error Slide In"));
        EXPECT_EQ(d->MessageBoxes().back().caption, title);
        EXPECT_EQ(d->MessageBoxes().back().type, 4160u);
        EXPECT_EQ(box->Value, forms::vbUnchecked) << box->Name();
    }
    Press(step3.chTop);  // not guarded
    EXPECT_EQ(step3.chTop.Value, forms::vbUnchecked);
    EXPECT_EQ(d->MessageBoxes().size(), boxes);
}

TEST_F(WizardSteps, AStoredBorderlessTranslucentTransparentWindowLoadsAsStoredAndKeepsWhatTheListCannotShow) {
    Open("frmSetiRAE3", [] {
        core::AlarmEditProgress = 11;
        core::AlarmUnderEdit.WindowStyle = 2;
        core::AlarmUnderEdit.WindowProperties = 4 | 16;
        core::AlarmUnderEdit.Visuals = 3;
        core::AlarmUnderEdit.ColorKey = 0x00123456;
        core::AlarmUnderEdit.Alpha = 255;
    });
    EXPECT_EQ(step3.ch3D.Value, forms::vbChecked);
    EXPECT_FALSE(step3.ch3D.Enabled);
    EXPECT_TRUE(step3.chResize.Enabled) << "a ticked 3D lets Resizable be chosen even while disabled";
    EXPECT_EQ(step3.chMini.Value, forms::vbChecked);
    EXPECT_EQ(step3.chTransp.Value, forms::vbChecked);
    EXPECT_EQ(step3.chTransl.Value, forms::vbChecked);
    EXPECT_EQ(step3.chNormal.Value, forms::vbUnchecked);
    EXPECT_TRUE(step3.pctColor.Visible);
    EXPECT_EQ(step3.pctColor.BackColor, 0x00123456u);
    EXPECT_TRUE(step3.lblOpacity.Visible);
    EXPECT_EQ(step3.scrOpacity.Value, 240) << "the bar's top";
    Press(step3.cmdNext);
    EXPECT_EQ(core::AlarmUnderEdit.Alpha, 255) << "kept until the bar is moved";
    EXPECT_EQ(core::AlarmUnderEdit.Visuals, 3);
    EXPECT_EQ(core::AlarmUnderEdit.ColorKey, 0x00123456);

    core::AlarmUnderEdit.WindowStyle = 7;
    frmSeti().ShowSubWindow(settings::PageNamed("frmSetiRAE3"), true);
    d->Advance(20);
    EXPECT_EQ(step3.ddlStyle.ListIndex, -1);
    step3.scrOpacity.Value = 100;
    Press(step3.cmdNext);
    EXPECT_EQ(core::AlarmUnderEdit.WindowStyle, 7) << "kept until a style is picked";
    EXPECT_EQ(core::AlarmUnderEdit.Alpha, 100);
}

// ---- Visuals ----

TEST_F(WizardSteps, TheFirstTransparentTickAsksForTheColourWithTheSettingsWindowAwayAndCancelTakesItBack) {
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    Open("frmSetiRAE3");
    bool shownDuringDialog = true;
    dialogs.Answer([&](const forms::CommonDialogRequest&) {
        shownDuringDialog = IsWindowVisible(frmSeti().hWnd);
        return forms::CommonDialogAnswer::Cancel();
    });
    Press(step3.chTransp);
    ASSERT_EQ(d->MessageBoxes().size(), 1u);
    EXPECT_EQ(d->MessageBoxes()[0].text, StepText(kStep3Section, "Transparency Warning Message 1 1"));
    EXPECT_EQ(d->MessageBoxes()[0].type, 4160u);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].flags, 259);
    EXPECT_EQ(dialogs.Requests()[0].color, 0u);
    EXPECT_FALSE(shownDuringDialog);
    EXPECT_TRUE(IsWindowVisible(frmSeti().hWnd));
    EXPECT_EQ(step3.chTransp.Value, forms::vbUnchecked);
    EXPECT_EQ(step3.chNormal.Value, forms::vbChecked);
    EXPECT_FALSE(step3.cmdColor.Visible);

    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00FF00FF));
    Press(step3.chTransp);
    EXPECT_EQ(step3.chNormal.Value, forms::vbUnchecked);
    EXPECT_TRUE(step3.cmdColor.Visible);
    EXPECT_EQ(step3.pctColor.BackColor, 0x00FF00FFu);
    Press(step3.chTransp);  // unticked: Normal again
    EXPECT_EQ(step3.chNormal.Value, forms::vbChecked);
    EXPECT_FALSE(step3.pctColor.Visible);
    Press(step3.chTransp);  // a colour is known: no dialog
    EXPECT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(step3.pctColor.BackColor, 0x00FF00FFu);
    Press(step3.cmdNext);
    EXPECT_EQ(core::AlarmUnderEdit.Visuals, 1);
    EXPECT_EQ(core::AlarmUnderEdit.ColorKey, 0x00FF00FF);
}

TEST_F(WizardSteps, TheColourButtonTakesTheSettingsWindowOutOfTheTopmostBandWhileItsDialogIsOpen) {
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    Open("frmSetiRAE3");
    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00010203));
    Press(step3.chTransp);
    ASSERT_TRUE(SettingsTopmost());
    bool topmostDuringDialog = true;
    dialogs.Answer([&](const forms::CommonDialogRequest& request) {
        topmostDuringDialog = SettingsTopmost();
        return request.color == 0x00010203 ? forms::CommonDialogAnswer::Cancel()
                                           : forms::CommonDialogAnswer::ChooseColor(0);
    });
    Press(step3.cmdColor);
    EXPECT_FALSE(topmostDuringDialog);
    EXPECT_TRUE(SettingsTopmost());
    EXPECT_TRUE(step3.cmdColor.HasFocus());
    EXPECT_EQ(step3.pctColor.BackColor, 0x00010203u) << "Cancel keeps the colour";
    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00ABCDEF));
    Press(step3.pctColor);
    EXPECT_EQ(step3.pctColor.BackColor, 0x00ABCDEFu);
    EXPECT_EQ(step3.ChosenColorKey, 0x00ABCDEF);
}

TEST_F(WizardSteps, TranslucentShowsTheBarAtTheLastOpacityAndNormalReturnsWhenNeitherEffectIsLeft) {
    Open("frmSetiRAE3");
    Press(step3.chNormal);  // a ticked Normal stays ticked
    EXPECT_EQ(step3.chNormal.Value, forms::vbChecked);
    Press(step3.chTransl);
    EXPECT_EQ(step3.chNormal.Value, forms::vbUnchecked);
    EXPECT_TRUE(step3.lblOpacity.Visible);
    EXPECT_TRUE(step3.scrOpacity.Enabled);
    EXPECT_EQ(step3.scrOpacity.Value, 200);
    step3.scrOpacity.Value = 150;
    Press(step3.chTransl);
    EXPECT_EQ(step3.chNormal.Value, forms::vbChecked);
    EXPECT_FALSE(step3.scrOpacity.Enabled);
    Press(step3.chTransl);
    EXPECT_EQ(step3.scrOpacity.Value, 150);
    Press(step3.cmdPrevious);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2");
    EXPECT_EQ(core::AlarmUnderEdit.Visuals, 2);
    EXPECT_EQ(core::AlarmUnderEdit.Alpha, 150);
}

// ---- Test ----

TEST_F(WizardSteps, TestShowsTheWindowWithWhatEachStepShowsAndLeavesTheAlarmAsItWas) {
    Open("frmSetiRAE2A");
    desktop::FakeLibrary lib;
    const core::Alarm before = core::AlarmUnderEdit;
    Press(step2a.optInMod1);
    TypeInto(step2a.txtSlideIn, "1");
    Press(step2a.cmdTest);
    const auto args = desktop::CallsStartingWith(lib, "AlarmWindowArgs");
    ASSERT_EQ(args.size(), 1u);
    EXPECT_NE(args[0].find("slide=e803ffff00ff0b00f401ffffff000a00"), std::string::npos) << args[0];
    EXPECT_TRUE(core::AlarmUnderEdit == before);
    EXPECT_EQ(core::AlarmEditProgress, 7);
    EXPECT_EQ(core::CurrentPageName, "frmSetiRAE2A");

    frmSeti().ShowSubWindow(settings::PageNamed("frmSetiRAE3"), true);
    d->Advance(20);
    lib.Clear();
    step3.ddlStyle.ListIndex = 1;
    Press(step3.chTransl);
    Press(step3.cmdTest);
    const auto styled = desktop::CallsStartingWith(lib, "AlarmWindowArgs");
    ASSERT_EQ(styled.size(), 1u);
    EXPECT_NE(styled[0].find("style=1 properties=70 key=0 alpha=200 visuals=2"), std::string::npos) << styled[0];
    EXPECT_TRUE(core::AlarmUnderEdit == before);
    EXPECT_EQ(core::AlarmEditProgress, 8);
}

}  // namespace
