// frmSetiAS: the aspect page. Whether the settings windows are translucent and how opaque, and
// their colour scheme; every change shows on the settings window at once.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/option_button.h"

namespace settings {

inline constexpr const char* kAspectHelpSection = "Popup Help System - Program Settings - Aspect";

class frmSetiASForm : public platform::forms::Form {
public:
    frmSetiASForm();

    platform::forms::Frame frmEffects{this, "frmEffects"};
    platform::forms::OptionButton optNormal{frmEffects, "optNormal"};
    platform::forms::OptionButton optTranslucent{frmEffects, "optTranslucent"};
    platform::forms::Label lblOpacity{frmEffects, "lblOpacity"};
    platform::forms::HScrollBar scrOpacity{frmEffects, "scrOpacity"};
    platform::forms::Frame frmColors{this, "frmColors"};
    platform::forms::OptionButton optStandardColor{frmColors, "optStandardColor"};
    platform::forms::OptionButton optAlive{frmColors, "optAlive"};
    platform::forms::OptionButton optMatrix{frmColors, "optMatrix"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetTexts();
    void SetColors();
    void optNormal_Click();
    void optTranslucent_Click();
    void scrOpacity_Change();
    void scrOpacity_GotFocus();
    void ChooseScheme(int scheme);

    bool pageLoading_ = false;
};

frmSetiASForm& frmSetiAS();

}  // namespace settings
