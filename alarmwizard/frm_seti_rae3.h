// frmSetiRAE3: the wizard's window style step. The alarm window's style (normal, toolbox,
// borderless), six window properties, and its visuals: normal, transparent (one colour of the
// window, the colour key, becomes see-through), translucent (the whole window drawn with an
// opacity), or both. A window that slides in from a hotspot can be neither resized, minimized,
// maximized nor moved. Its link leads to the special behaviours step.
#pragma once

#include <cstdint>

#include "alarmwizard/wizard_step.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/frame.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/picture_box.h"
#include "settings/color_key_controls.h"

namespace alarmwizard {

class frmSetiRAE3Form : public WizardStep {
public:
    frmSetiRAE3Form();

    platform::forms::Frame frmWindowType{this, "frmWindowType"};
    platform::forms::Label lblStyle{frmWindowType, "lblStyle"};
    platform::forms::ComboBox ddlStyle{frmWindowType, "ddlStyle"};
    platform::forms::Label lblBehaviors{frmWindowType, "lblBehaviors"};
    platform::forms::Frame frmProperties{frmWindowType, "frmProperties"};
    platform::forms::CheckBox chTop{frmProperties, "chTop"};
    platform::forms::CheckBox ch3D{frmProperties, "ch3D"};
    platform::forms::CheckBox chResize{frmProperties, "chResize"};
    platform::forms::CheckBox chMini{frmProperties, "chMini"};
    platform::forms::CheckBox chMaxi{frmProperties, "chMaxi"};
    platform::forms::CheckBox chMovable{frmProperties, "chMovable"};

    platform::forms::Frame frmVisual{this, "frmVisual"};
    platform::forms::CheckBox chNormal{frmVisual, "chNormal"};
    platform::forms::CheckBox chTransp{frmVisual, "chTransp"};
    platform::forms::CheckBox chTransl{frmVisual, "chTransl"};
    platform::forms::CommandButton cmdColor{frmVisual, "cmdColor"};
    platform::forms::PictureBox pctColor{frmVisual, "pctColor"};
    platform::forms::Line Line1{frmVisual, "Line1"};
    platform::forms::Line Line2{frmVisual, "Line2"};
    platform::forms::Line Line3{frmVisual, "Line3"};
    platform::forms::Line Line4{frmVisual, "Line4"};
    platform::forms::Line Line5{frmVisual, "Line5"};
    platform::forms::Label lblOpacity{frmVisual, "lblOpacity"};
    platform::forms::HScrollBar scrOpacity{frmVisual, "scrOpacity"};
    platform::forms::CommonDialog CD{this, "CD"};

    // What the step stores besides its controls: the opacity (kept above the bar's top until the
    // user moves the bar) and the colour key (0: none chosen yet).
    std::uint8_t ChosenAlpha = 200;
    std::int32_t ChosenColorKey = 0;

protected:
    void Design() override;
    void Form_Load() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void StoreStep() override;

private:
    void BindHelp();
    void StoreWindowStep();
    bool SlidesInFromHotspot() const;
    void Tick(platform::forms::CheckBox& box, bool ticked);
    void TickQuietly(platform::forms::CheckBox& box, bool ticked);
    settings::ColorKeyControls ColorKey();
    void ShowOpacity(bool shown);
    void TickNormalUnlessOther(const platform::forms::CheckBox& other);
    void ChooseFirstColor();
    bool AskColor(platform::forms::CommandButton& returnFocus);

    void ddlStyle_Click();
    void ch3D_Click();
    void SlideGuard_Click(platform::forms::CheckBox& box);
    void chNormal_Click();
    void chTransp_Click();
    void chTransl_Click();
    void cmdColor_Click();
    void scrOpacity_Change();
};

frmSetiRAE3Form& frmSetiRAE3();

}  // namespace alarmwizard
