// frmSetiRAE2A: the wizard's slide and fade step, a side step of the window step. For the slide-in
// and the slide-out apart: the direction, the slide time and an optional fade with its time and
// its start and final opacity. Ok stores and returns to the window step, Cancel returns without
// storing, Save Simple stores and saves the alarm.
#pragma once

#include "alarmwizard/slide_side.h"
#include "alarmwizard/wizard_step.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"

namespace alarmwizard {

class frmSetiRAE2AForm : public WizardStep {
public:
    frmSetiRAE2AForm();

    platform::forms::Frame frmConfiguration{this, "frmConfiguration"};
    SlideSide slideIn;
    SlideSide slideOut;
    platform::forms::Label lblSeconds{frmConfiguration, "lblSeconds"};

    // The controls by their own names.
    platform::forms::Frame& frmSlideIn = slideIn.frame;
    platform::forms::OptionButton &optInMod0 = slideIn.opt0, &optInMod1 = slideIn.opt1, &optInMod2 = slideIn.opt2;
    platform::forms::TextBox& txtSlideIn = slideIn.txtTime;
    platform::forms::CommandButton &cmdSlideInM = slideIn.cmdTimeM, &cmdSlideInP = slideIn.cmdTimeP;
    platform::forms::CheckBox& chkUseSlideInFading = slideIn.chkFading;
    platform::forms::TextBox& txtFadeIn = slideIn.txtFade;
    platform::forms::CommandButton &cmdFadeInM = slideIn.cmdFadeM, &cmdFadeInP = slideIn.cmdFadeP;
    platform::forms::HScrollBar& scrFadeInStartOpacity = slideIn.scrStart;
    platform::forms::HScrollBar& scrFadeInFinalOpacity = slideIn.scrFinal;
    platform::forms::Frame& frmSlideOut = slideOut.frame;
    platform::forms::OptionButton &optOutMod0 = slideOut.opt0, &optOutMod1 = slideOut.opt1, &optOutMod2 = slideOut.opt2;
    platform::forms::TextBox& txtSlideOut = slideOut.txtTime;
    platform::forms::CommandButton &cmdSlideOutM = slideOut.cmdTimeM, &cmdSlideOutP = slideOut.cmdTimeP;
    platform::forms::CheckBox& chkUseSlideOutFading = slideOut.chkFading;
    platform::forms::TextBox& txtFadeOut = slideOut.txtFade;
    platform::forms::CommandButton &cmdFadeOutM = slideOut.cmdFadeM, &cmdFadeOutP = slideOut.cmdFadeP;
    platform::forms::HScrollBar& scrFadeOutStartOpacity = slideOut.scrStart;
    platform::forms::HScrollBar& scrFadeOutFinalOpacity = slideOut.scrFinal;

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void AfterFill() override;
    void StoreStep() override;
    void Form_Activate() override;

private:
    void StoreSlideStep();
};

frmSetiRAE2AForm& frmSetiRAE2A();

}  // namespace alarmwizard
