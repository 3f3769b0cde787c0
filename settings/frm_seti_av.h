// frmSetiAV: the advanced settings page. Starting with the session, popup help (on or off, its
// delay, bringing dismissed entries back), the splash, topmost settings windows, the clock's
// tooltip (on or off, delay, fade-in, fade-out, highest opacity) and the clock's size, centring,
// label offset and border. Tooltip changes reach the library and geometry changes the clock at
// once; the settings file and the autostart entry are written on Apply.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/check_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"
#include "settings/number_box.h"
#include "settings/page_boxes.h"

namespace settings {

inline constexpr const char* kAdvancedSettingsHelpSection = "Popup Help System - Program Settings - Advanced Settings";

// The bounds of the clock's size boxes: from 10 pixels to nine tenths of the screen (in twips).
NumberBoxRule ClockSizeRule(std::int32_t screenTwips);

class frmSetiAVForm : public platform::forms::Form {
public:
    frmSetiAVForm();

    platform::forms::Frame frmMisc{this, "frmMisc"};
    platform::forms::CheckBox chStartupRun{frmMisc, "chStartupRun"};
    platform::forms::CheckBox chPopupHelp{frmMisc, "chPopupHelp"};
    platform::forms::Label lblDelayPopup{frmMisc, "lblDelayPopup"};
    platform::forms::CommandButton cmdDelayPopupM{frmMisc, "cmdDelayPopupM"};
    platform::forms::TextBox txtDelayPopup{frmMisc, "txtDelayPopup"};
    platform::forms::CommandButton cmdDelayPopupP{frmMisc, "cmdDelayPopupP"};
    platform::forms::CommandButton cmdReset{frmMisc, "cmdReset"};
    platform::forms::CheckBox chSplash{frmMisc, "chSplash"};
    platform::forms::CheckBox chTop{frmMisc, "chTop"};
    platform::forms::CheckBox chTooltip{frmMisc, "chTooltip"};
    platform::forms::Label lblSeconds{frmMisc, "lblSeconds"};
    platform::forms::Label lblDelay{frmMisc, "lblDelay"};
    platform::forms::CommandButton cmdDelayM{frmMisc, "cmdDelayM"};
    platform::forms::TextBox txtDelay{frmMisc, "txtDelay"};
    platform::forms::CommandButton cmdDelayP{frmMisc, "cmdDelayP"};
    platform::forms::Label lblFadeIn{frmMisc, "lblFadeIn"};
    platform::forms::CommandButton cmdFadeInM{frmMisc, "cmdFadeInM"};
    platform::forms::TextBox txtFadeIn{frmMisc, "txtFadeIn"};
    platform::forms::CommandButton cmdFadeInP{frmMisc, "cmdFadeInP"};
    platform::forms::Label lblFadeOut{frmMisc, "lblFadeOut"};
    platform::forms::CommandButton cmdFadeOutM{frmMisc, "cmdFadeOutM"};
    platform::forms::TextBox txtFadeOut{frmMisc, "txtFadeOut"};
    platform::forms::CommandButton cmdFadeOutP{frmMisc, "cmdFadeOutP"};
    platform::forms::Label lblOpacity{frmMisc, "lblOpacity"};
    platform::forms::HScrollBar scrOpacity{frmMisc, "scrOpacity"};

    platform::forms::Frame frmPositioning{this, "frmPositioning"};
    platform::forms::CheckBox chAutoSize{frmPositioning, "chAutoSize"};
    platform::forms::Label lblSize{frmPositioning, "lblSize"};
    platform::forms::Label lblWidth{frmPositioning, "lblWidth"};
    platform::forms::CommandButton cmdWidthM{frmPositioning, "cmdWidthM"};
    platform::forms::TextBox txtWidth{frmPositioning, "txtWidth"};
    platform::forms::CommandButton cmdWidthP{frmPositioning, "cmdWidthP"};
    platform::forms::Label lblHeight{frmPositioning, "lblHeight"};
    platform::forms::CommandButton cmdHeightM{frmPositioning, "cmdHeightM"};
    platform::forms::TextBox txtHeight{frmPositioning, "txtHeight"};
    platform::forms::CommandButton cmdHeightP{frmPositioning, "cmdHeightP"};
    platform::forms::CheckBox chCenter{frmPositioning, "chCenter"};
    platform::forms::Label lblPosition{frmPositioning, "lblPosition"};
    platform::forms::Label lblPosX{frmPositioning, "lblPosX"};
    platform::forms::CommandButton cmdPosXM{frmPositioning, "cmdPosXM"};
    platform::forms::TextBox txtPosX{frmPositioning, "txtPosX"};
    platform::forms::CommandButton cmdPosXP{frmPositioning, "cmdPosXP"};
    platform::forms::Label lblPosY{frmPositioning, "lblPosY"};
    platform::forms::CommandButton cmdPosYM{frmPositioning, "cmdPosYM"};
    platform::forms::TextBox txtPosY{frmPositioning, "txtPosY"};
    platform::forms::CommandButton cmdPosYP{frmPositioning, "cmdPosYP"};
    platform::forms::Label lblBorder{frmPositioning, "lblBorder"};
    platform::forms::Label lblLeft{frmPositioning, "lblLeft"};
    platform::forms::CommandButton cmdLeftM{frmPositioning, "cmdLeftM"};
    platform::forms::TextBox txtLeft{frmPositioning, "txtLeft"};
    platform::forms::CommandButton cmdLeftP{frmPositioning, "cmdLeftP"};
    platform::forms::Label lblTop{frmPositioning, "lblTop"};
    platform::forms::CommandButton cmdTopM{frmPositioning, "cmdTopM"};
    platform::forms::TextBox txtTop{frmPositioning, "txtTop"};
    platform::forms::CommandButton cmdTopP{frmPositioning, "cmdTopP"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetTexts();
    void SetColors();
    void BindNumberBoxes();
    void BindHelp();
    void EnablePopupHelpControls(bool enabled);
    void EnableTooltipControls(bool enabled);

    void chStartupRun_Click();
    void chPopupHelp_Click();
    void cmdReset_Click();
    void chSplash_Click();
    void chTop_Click();
    void chTooltip_Click();
    void scrOpacity_Change();
    void scrOpacity_GotFocus();
    void chAutoSize_Click();
    void chCenter_Click();
    void PushTooltip();

    PageBoxes boxes_;
    bool pageLoading_ = false;
    std::unique_ptr<NumberBox> delayPopup_, delay_, fadeIn_, fadeOut_;
    std::vector<std::unique_ptr<NumberBox>> geometryBoxes_;
};

frmSetiAVForm& frmSetiAV();

}  // namespace settings
