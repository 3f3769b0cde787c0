// frmSetiRAE4: the wizard's last step. It sets the alarm window's icon and background picture, the
// alarm sound with how often it repeats and the pause before each repeat (a try-out plays it once
// on the main window's multimedia control), the window's back and text colours and its title font
// (through the colour and font dialogs, shown in two swatches and a preview). Its Save is the final
// save; a Save Simple of an earlier step runs that save as soon as this step comes up.
#pragma once

#include <memory>
#include <string>

#include "alarmwizard/title_font.h"
#include "alarmwizard/wizard_step.h"
#include "platform/forms/check_box.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/line.h"

namespace alarmwizard {

class frmSetiRAE4Form : public WizardStep {
public:
    frmSetiRAE4Form();

    platform::forms::Frame frmMore{this, "frmMore"};
    platform::forms::Label lblIcon{frmMore, "lblIcon"};
    platform::forms::TextBox txtIcon{frmMore, "txtIcon"};
    platform::forms::CommandButton cmdBrowseIcon{frmMore, "cmdBrowseIcon"};
    platform::forms::Label lblBackground{frmMore, "lblBackground"};
    platform::forms::TextBox txtBackground{frmMore, "txtBackground"};
    platform::forms::CommandButton cmdBrowseBackground{frmMore, "cmdBrowseBackground"};
    platform::forms::Label lblSound{frmMore, "lblSound"};
    platform::forms::TextBox txtSound{frmMore, "txtSound"};
    platform::forms::CommandButton cmdBrowseSound{frmMore, "cmdBrowseSound"};
    platform::forms::CommandButton cmdTestSound{frmMore, "cmdTestSound"};
    platform::forms::CheckBox chLoop{frmMore, "chLoop"};
    platform::forms::Label lblLoops{frmMore, "lblLoops"};
    platform::forms::CommandButton cmdLoopM{frmMore, "cmdLoopM"};
    platform::forms::TextBox txtLoop{frmMore, "txtLoop"};
    platform::forms::CommandButton cmdLoopP{frmMore, "cmdLoopP"};
    platform::forms::Label lblSeconds{frmMore, "lblSeconds"};
    platform::forms::CommandButton cmdSecondsM{frmMore, "cmdSecondsM"};
    platform::forms::TextBox txtSeconds{frmMore, "txtSeconds"};
    platform::forms::CommandButton cmdSecondsP{frmMore, "cmdSecondsP"};

    platform::forms::Frame frmColors{this, "frmColors"};
    platform::forms::CommandButton cmdColor{frmColors, "cmdColor"};
    platform::forms::PictureBox pctColor{frmColors, "pctColor"};
    platform::forms::CommandButton cmdTextColor{frmColors, "cmdTextColor"};
    platform::forms::PictureBox pctTextColor{frmColors, "pctTextColor"};
    platform::forms::CommandButton cmdFont{frmColors, "cmdFont"};
    platform::forms::Label lblFont{frmColors, "lblFont"};
    // Lines 1 to 4 frame the font preview; 5 and 6 tie each colour button to its swatch; 7 and 8
    // rule the colours off from the font.
    platform::forms::Line Line1{frmColors, "Line1"};
    platform::forms::Line Line2{frmColors, "Line2"};
    platform::forms::Line Line3{frmColors, "Line3"};
    platform::forms::Line Line4{frmColors, "Line4"};
    platform::forms::Line Line5{frmColors, "Line5"};
    platform::forms::Line Line6{frmColors, "Line6"};
    platform::forms::Line Line7{frmColors, "Line7"};
    platform::forms::Line Line8{frmColors, "Line8"};

    platform::forms::CommonDialog CD{this, "CD"};

    // Writes the step into the alarm under edit: the three paths, the loop switch, the loop count
    // and pause (the boxes cleaned first, so Enter on Save stores numbers within their bounds), the
    // font information and the two colours; raises the progress to the step's mark.
    void StoreMediaStep();
    // The step's working copy of the alarm's font information.
    const std::string& StepFontInformation() const { return stepFontInformation_; }

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void AfterFill() override;
    void StoreStep() override { StoreMediaStep(); }
    bool StoredBefore() const override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

private:
    void BindHelp();
    void DesignColors();
    void ShowLoopControls(bool show);
    void ShowFontPreview();
    void Browse(platform::forms::TextBox& box, const char* filter, const char* offered);
    void ChooseColor(platform::forms::PictureBox& swatch, const char* key, platform::forms::CommandButton& button);

    void txtSound_Change();
    void chLoop_Click();
    void cmdTestSound_Click();
    void cmdFont_Click();

    std::unique_ptr<WizardNumberBox> loops_, seconds_;
    std::string stepFontInformation_;
    TitleFont shownFont_;
};

frmSetiRAE4Form& frmSetiRAE4();

}  // namespace alarmwizard
