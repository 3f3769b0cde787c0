#include "alarmwizard/frame_steps.h"

#include "core/globals.h"

namespace alarmwizard {

namespace {

constexpr int kLinkWidth = 3000, kLinkHeight = 255;

// A side step's buttons: Ok stores and returns, Cancel returns without storing.
void DisableMainLine(WizardStep& step) {
    step.cmdPrevious.Enabled = false;
    step.cmdNext.Enabled = false;
    step.cmdOk.Default = true;
    step.cmdCancel.Cancel = true;
}

}  // namespace

frmSetiRAE2AForm::frmSetiRAE2AForm() : WizardStep(kStep2A) {
    cmdOk.Click = [this] { MoveBack(kStep2); };
    cmdCancel.Click = [this] { MoveBack(kStep2, false); };
    cmdSave.Click = [this] { SaveSimple(); };
}

void frmSetiRAE2AForm::Design() {
    WizardStep::Design();
    DisableMainLine(*this);
}

void frmSetiRAE2AForm::Form_Activate() {
    if (core::AlarmWizardPending == kSlideInvalid) ShowError(kStep2A.languageSection, "Error Invalid Data");
    core::AlarmWizardPending = kNothingPending;
}

frmSetiRAE3Form::frmSetiRAE3Form() : WizardStep(kStep3) {
    cmdPrevious.Click = [this] { MoveBack(kStep2); };
    cmdNext.Click = [this] { MoveForward(kStep4); };
    lblBehaviors.Click = [this] { MoveForward(kStep3A); };
    cmdSave.Click = [this] { SaveSimple(); };
    cmdCancel.Click = [this] { CancelWizard(); };
}

void frmSetiRAE3Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdNext.Default = true;
    cmdCancel.Cancel = true;
    lblBehaviors.Move(240, kContentTop + 240, kLinkWidth, kLinkHeight);
    MakeLink(lblBehaviors);
}

void frmSetiRAE3Form::SetStepTexts() { lblBehaviors.Caption = StepText("Behaviors"); }

frmSetiRAE3AForm::frmSetiRAE3AForm() : WizardStep(kStep3A) {
    cmdOk.Click = [this] { MoveBack(kStep3); };
    cmdCancel.Click = [this] { MoveBack(kStep3, false); };
    cmdSave.Click = [this] { SaveSimple(); };
}

void frmSetiRAE3AForm::Design() {
    WizardStep::Design();
    DisableMainLine(*this);
}

frmSetiRAE2AForm& frmSetiRAE2A() {
    static frmSetiRAE2AForm form;
    return form;
}
frmSetiRAE3Form& frmSetiRAE3() {
    static frmSetiRAE3Form form;
    return form;
}
frmSetiRAE3AForm& frmSetiRAE3A() {
    static frmSetiRAE3AForm form;
    return form;
}

}  // namespace alarmwizard
