// frmSetiRAE2: the wizard's step that names the alarm and shapes its window: name, title and text
// (or no window at all), where the window shows (the centre of the screen, one of eight hotspots,
// or a given X, Y) and whether it sizes itself or takes a given width and height. A window at a
// hotspot may slide in; the slide is set on step 2A, reached through the link under Slide.
#pragma once

#include <memory>

#include "alarmwizard/wizard_step.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/line.h"
#include "platform/forms/option_button.h"
#include "platform/forms/text_box.h"

namespace alarmwizard {

class frmSetiRAE2Form : public WizardStep {
public:
    frmSetiRAE2Form();

    platform::forms::Frame frmNaming{this, "frmNaming"};
    platform::forms::Label lblName{frmNaming, "lblName"};
    platform::forms::TextBox txtName{frmNaming, "txtName"};
    platform::forms::Label lblTitle{frmNaming, "lblTitle"};
    platform::forms::TextBox txtTitle{frmNaming, "txtTitle"};
    platform::forms::Label lblText{frmNaming, "lblText"};
    platform::forms::TextBox txtText{frmNaming, "txtText"};
    platform::forms::CheckBox chWindowless{frmNaming, "chWindowless"};

    platform::forms::Frame frmPositioning{this, "frmPositioning"};
    platform::forms::OptionButton optCenter{frmPositioning, "optCenter"};
    platform::forms::OptionButton optHotspot{frmPositioning, "optHotspot"};
    platform::forms::ComboBox ddlHotspot{frmPositioning, "ddlHotspot"};
    platform::forms::CheckBox chSlide{frmPositioning, "chSlide"};
    platform::forms::Label lblSlideCustomize{frmPositioning, "lblSlideCustomize"};
    platform::forms::Line Line3{frmPositioning, "Line3"};
    platform::forms::Label lblSlideSettings{frmPositioning, "lblSlideSettings"};
    platform::forms::Label lblSlideDirection{frmPositioning, "lblSlideDirection"};
    platform::forms::OptionButton optCustom{frmPositioning, "optCustom"};
    platform::forms::Label lblX{frmPositioning, "lblX"};
    platform::forms::CommandButton cmdXM{frmPositioning, "cmdXM"};
    platform::forms::TextBox txtX{frmPositioning, "txtX"};
    platform::forms::CommandButton cmdXP{frmPositioning, "cmdXP"};
    platform::forms::Label lblY{frmPositioning, "lblY"};
    platform::forms::CommandButton cmdYM{frmPositioning, "cmdYM"};
    platform::forms::TextBox txtY{frmPositioning, "txtY"};
    platform::forms::CommandButton cmdYP{frmPositioning, "cmdYP"};
    platform::forms::CheckBox chAutoSize{frmPositioning, "chAutoSize"};
    platform::forms::Label lblWidth{frmPositioning, "lblWidth"};
    platform::forms::CommandButton cmdWidthM{frmPositioning, "cmdWidthM"};
    platform::forms::TextBox txtWidth{frmPositioning, "txtWidth"};
    platform::forms::CommandButton cmdWidthP{frmPositioning, "cmdWidthP"};
    platform::forms::Label lblHeight{frmPositioning, "lblHeight"};
    platform::forms::CommandButton cmdHeightM{frmPositioning, "cmdHeightM"};
    platform::forms::TextBox txtHeight{frmPositioning, "txtHeight"};
    platform::forms::CommandButton cmdHeightP{frmPositioning, "cmdHeightP"};

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void Form_Activate() override;
    void StoreStep() override;

private:
    void BindNumberBoxes();
    void BindTextBoxes();
    void BindHelp();
    void EnableHotspotAndSlide(bool on);
    void ShowSlideSummary(bool visible);
    void EnableCustomPosition(bool on);

    void chWindowless_Click();
    void optCenter_Click();
    void optHotspot_Click();
    void optCustom_Click();
    void ddlHotspot_Click();
    void ddlHotspot_GotFocus();
    void chSlide_Click();
    void chAutoSize_Click();
    void txtName_GotFocus();

    std::unique_ptr<WizardNumberBox> x_, y_, width_, height_;
    // The name box keeps its text at its next focus: the final save sent the user back to it.
    bool keepNameAtFocus_ = false;
};

frmSetiRAE2Form& frmSetiRAE2();

}  // namespace alarmwizard
