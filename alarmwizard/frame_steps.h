// The wizard step whose own controls come later: window text and position (2), with its shared
// frame, its navigation, its store (which raises the progress to its mark) and the pending
// messages it shows when the final save sends the user back to it.
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

frmSetiRAE2Form& frmSetiRAE2();

}  // namespace alarmwizard
