#include "settings/frm_seti_as.h"

#include "core/frm_intro_window.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

// The three schemes and their options.
struct SchemeOption {
    int scheme;
    OptionButton frmSetiASForm::*option;
    const char* helpKey;
};
constexpr SchemeOption kSchemeOptions[] = {
    {1, &frmSetiASForm::optMatrix, "0311optMatrix"},
    {2, &frmSetiASForm::optAlive, "0310optAlive"},
    {3, &frmSetiASForm::optStandardColor, "0309optStandardColor"},
};

}  // namespace

frmSetiASForm::frmSetiASForm() : Form("frmSetiAS") {
    OZR_HANDLE(optNormal, Click);
    OZR_HANDLE(optTranslucent, Click);
    OZR_HANDLE(scrOpacity, Change);
    OZR_HANDLE(scrOpacity, GotFocus);
    for (const SchemeOption& o : kSchemeOptions) {
        OptionButton& option = this->*o.option;
        option.Click = [this, scheme = o.scheme] { ChooseScheme(scheme); };
        option.MouseMove = [&option, key = o.helpKey](int, int, int, int) { core::ShowHelp(option.hWnd, key, false); };
    }
    optNormal.MouseMove = [this](int, int, int, int) { core::ShowHelp(optNormal.hWnd, "0305optNormal", false); };
    optTranslucent.MouseMove = [this](int, int, int, int) {
        core::ShowHelp(optTranslucent.hWnd, "0306optTranslucent", false);
    };
}

frmSetiASForm& frmSetiAS() {
    static frmSetiASForm form;
    return form;
}

void frmSetiASForm::Design() {
    DesignPage(*this);
    frmEffects.Move(240, 240, 5490, 1740);
    optNormal.Move(240, 360, 5000, 300);
    optTranslucent.Move(240, 720, 5000, 300);
    lblOpacity.Move(240, 1200, 1300, 300);
    lblOpacity.Enabled = false;
    scrOpacity.Move(1560, 1170, 3690, 285);
    scrOpacity.Min = kMinimumMenusAlpha;
    scrOpacity.Max = 255;
    scrOpacity.SmallChange = 5;
    scrOpacity.LargeChange = 25;
    scrOpacity.Enabled = false;
    frmColors.Move(240, 2220, 5490, 1500);
    optStandardColor.Move(240, 360, 5000, 300);
    optAlive.Move(240, 720, 5000, 300);
    optAlive.Caption = "Alive";
    optMatrix.Move(240, 1080, 5000, 300);
    optMatrix.Caption = "Matrix";
}

void frmSetiASForm::Form_Load() {
    PlacePage(*this);
    SetTexts();
    SetColors();
    core::HelpFile.SelectSection(kAspectHelpSection);
    pageLoading_ = true;
    if (Settings.MenusTranslucent) {
        optTranslucent.Value = true;
        lblOpacity.Enabled = true;
        scrOpacity.Enabled = true;
        scrOpacity.Value = EffectiveMenusAlpha(Settings.MenusAlpha);
    } else {
        optNormal.Value = true;
    }
    for (const SchemeOption& o : kSchemeOptions)
        if (Settings.ColorScheme == o.scheme) (this->*o.option).Value = true;
    pageLoading_ = false;
}

void frmSetiASForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kAspectPageSection);
    frmEffects.Caption = core::LanguageFile.ReadString("Visual Effects");
    optNormal.Caption = core::LanguageFile.ReadString("Normal");
    optTranslucent.Caption = core::LanguageFile.ReadString("Translucent");
    lblOpacity.Caption = core::LanguageFile.ReadString("Opacity");
    frmColors.Caption = core::LanguageFile.ReadString("Color");
    optStandardColor.Caption = core::LanguageFile.ReadString("Standard");
}

void frmSetiASForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &frmEffects, &optNormal, &optTranslucent, &lblOpacity, &frmColors, &optStandardColor, &optAlive, &optMatrix}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
}

void frmSetiASForm::optNormal_Click() {
    if (pageLoading_) return;
    scrOpacity.Enabled = false;
    lblOpacity.Enabled = false;
    Settings.MenusTranslucent = false;
    core::MakeLayered(frmSeti().hWnd);
    core::ApplyOpacity(frmSeti().hWnd, 255);
}

void frmSetiASForm::optTranslucent_Click() {
    if (pageLoading_) return;
    scrOpacity.Enabled = true;
    lblOpacity.Enabled = true;
    scrOpacity.SetFocus();
    Settings.MenusAlpha = static_cast<std::uint8_t>(EffectiveMenusAlpha(Settings.MenusAlpha));
    scrOpacity.Value = Settings.MenusAlpha;
    Settings.MenusTranslucent = true;
    core::MakeLayered(frmSeti().hWnd);
    core::ApplyOpacity(frmSeti().hWnd, Settings.MenusAlpha);
}

void frmSetiASForm::scrOpacity_Change() {
    Settings.MenusAlpha = static_cast<std::uint8_t>(scrOpacity.Value);
    core::ApplyOpacity(frmSeti().hWnd, Settings.MenusAlpha);
    scrOpacity_GotFocus();
}

void frmSetiASForm::scrOpacity_GotFocus() { core::ShowHelp(scrOpacity.hWnd, "0307scrOpacity", true); }

void frmSetiASForm::ChooseScheme(int scheme) {
    if (pageLoading_) return;
    Settings.ColorScheme = static_cast<std::uint8_t>(scheme);
    if (!core::SkipPageScaling) frmSeti().SetColors();
    SetColors();
}

}  // namespace settings
