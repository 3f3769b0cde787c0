// The wizard steps whose own controls come later: window text and position (2), slide and fade
// (2A) and window style (3). Each has the shared frame, its navigation, its store (which raises
// the progress to its mark) and the pending messages it shows when the final save sends the user
// back to it.
#pragma once

#include "alarmwizard/wizard_step.h"
#include "platform/forms/label.h"

namespace alarmwizard {

class frmSetiRAE2Form : public WizardStep {
public:
    frmSetiRAE2Form();
    platform::forms::Label lblSlideCustomize{this, "lblSlideCustomize"};

protected:
    void Design() override;
    void SetStepTexts() override;
    void Form_Activate() override;
};

class frmSetiRAE2AForm : public WizardStep {
public:
    frmSetiRAE2AForm();

protected:
    void Design() override;
    void Form_Activate() override;
};

class frmSetiRAE3Form : public WizardStep {
public:
    frmSetiRAE3Form();
    platform::forms::Label lblBehaviors{this, "lblBehaviors"};

protected:
    void Design() override;
    void SetStepTexts() override;
};

frmSetiRAE2Form& frmSetiRAE2();
frmSetiRAE2AForm& frmSetiRAE2A();
frmSetiRAE3Form& frmSetiRAE3();

}  // namespace alarmwizard
