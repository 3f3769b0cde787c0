#include "alarmwizard/frame_steps.h"

#include "core/globals.h"

namespace alarmwizard {

namespace {

constexpr int kLinkWidth = 3000, kLinkHeight = 255;

}  // namespace

frmSetiRAE2Form::frmSetiRAE2Form() : WizardStep(kStep2) {
    // Back to step 1 the animation runs backwards, unless it has not yet reached step 1's frame.
    cmdPrevious.Click = [this] {
        core::WarlockAnimReverse = core::WarlockAnimFrame >= kStep1.restingFrame;
        CleanFocusedBox();
        StoreStep();
        ShowStep(kStep1);
    };
    cmdNext.Click = [this] { MoveForward(kStep3); };
    lblSlideCustomize.Click = [this] { MoveForward(kStep2A); };
    cmdSave.Click = [this] { SaveSimple(); };
    cmdCancel.Click = [this] { CancelWizard(); };
}

void frmSetiRAE2Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdCancel.Cancel = true;
    lblSlideCustomize.Move(240, kContentTop + 240, kLinkWidth, kLinkHeight);
    MakeLink(lblSlideCustomize);
}

void frmSetiRAE2Form::SetStepTexts() { lblSlideCustomize.Caption = StepText("Slide Customize"); }

void frmSetiRAE2Form::Form_Activate() {
    const std::int16_t code = core::AlarmWizardPending;
    if (code != kNameTaken && code != kNameEmpty) return;
    ShowError(kStep2.languageSection, code == kNameTaken ? "Alarm Already Exists Error" : "Unnamed Alarm");
    core::AlarmWizardPending = kNothingPending;
}

frmSetiRAE2Form& frmSetiRAE2() {
    static frmSetiRAE2Form form;
    return form;
}

}  // namespace alarmwizard
