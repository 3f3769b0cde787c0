#include "settings/frm_seti_av.h"

#include <cmath>
#include <cstdio>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/help_dismissal.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "core/rounding.h"
#include "platform/services/regional.h"
#include "platform/window/message_box.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

// The tooltip's and the popup help's times: seconds with one decimal in the box, milliseconds in
// the setting.
constexpr NumberBoxRule kSecondsRule{.lower = 0, .upper = 10, .step = 0.1, .maxDecimals = 1, .minDecimals = 1};
constexpr NumberBoxRule kOffsetRule{.lower = -2000, .upper = 2000};
constexpr NumberBoxRule kBorderRule{.lower = 0, .upper = 500};

std::int16_t Milliseconds(double seconds) { return static_cast<std::int16_t>(core::RoundHalfEven(seconds * 1000)); }
std::int16_t Whole(double value) { return static_cast<std::int16_t>(core::RoundHalfEven(value)); }

// A time in milliseconds as the box's seconds, in the locale's form (500 shows 0.5 until the box's
// clean-up gives it its one decimal).
std::string SecondsText(std::int16_t ms) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", ms / 1000.0);
    std::string text = buffer;
    if (std::size_t dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, platform::RegionalDecimalSeparator());
    return text;
}

template <class Control>
void PutCaption(Control& control, const char* key, bool colon = false) {
    const std::string text = core::LanguageFile.ReadString(key);
    control.Caption = colon ? text + ":" : text;
}

// A number box's row: minus button, box and plus button from x on, at y.
void PlaceNumberBox(CommandButton& minus, TextBox& box, CommandButton& plus, int x, int y) {
    minus.Move(x, y, 285, 315);
    box.Move(x + 300, y, 600, 315);
    plus.Move(x + 920, y, 285, 315);
    minus.Caption = "-";
    plus.Caption = "+";
}

}  // namespace

NumberBoxRule ClockSizeRule(std::int32_t screenTwips) {
    return NumberBoxRule{.lower = core::kSmallestClockSize, .upper = (screenTwips - screenTwips / 10.0) / 15};
}

frmSetiAVForm::frmSetiAVForm() : Form("frmSetiAV"), boxes_(*this, core::kAdvancedSettingsPageSection) {
    OZR_HANDLE(chStartupRun, Click);
    OZR_HANDLE(chPopupHelp, Click);
    OZR_HANDLE(cmdReset, Click);
    OZR_HANDLE(chSplash, Click);
    OZR_HANDLE(chTop, Click);
    OZR_HANDLE(chTooltip, Click);
    OZR_HANDLE(scrOpacity, Change);
    OZR_HANDLE(scrOpacity, GotFocus);
    OZR_HANDLE(chAutoSize, Click);
    OZR_HANDLE(chCenter, Click);
    BindNumberBoxes();
    BindHelp();
}

frmSetiAVForm& frmSetiAV() {
    static frmSetiAVForm form;
    return form;
}

void frmSetiAVForm::BindNumberBoxes() {
    auto loading = [this] { return pageLoading_; };
    auto seconds = [&](TextBox& box, CommandButton& minus, CommandButton& plus, std::int16_t& setting, bool tooltip) {
        return std::make_unique<NumberBox>(
            box, minus, plus, kSecondsRule,
            [this, &setting, tooltip](double value) {
                setting = Milliseconds(value);
                if (tooltip) PushTooltip();
            },
            loading);
    };
    delayPopup_ = seconds(txtDelayPopup, cmdDelayPopupM, cmdDelayPopupP, Settings.PopupHelpDelay, false);
    delay_ = seconds(txtDelay, cmdDelayM, cmdDelayP, Settings.TooltipDelay, true);
    fadeIn_ = seconds(txtFadeIn, cmdFadeInM, cmdFadeInP, Settings.TooltipFadeIn, true);
    fadeOut_ = seconds(txtFadeOut, cmdFadeOutM, cmdFadeOutP, Settings.TooltipFadeOut, true);

    // The size boxes' upper bound follows the screen, read again on every clean-up and step.
    auto size = [&](TextBox& box, CommandButton& minus, CommandButton& plus, std::int16_t& setting, bool across) {
        return std::make_unique<NumberBox>(
            box, minus, plus,
            [across] {
                core::frmMain().GetScreenSize();
                return ClockSizeRule(across ? core::ScreenWidthTwips : core::ScreenHeightTwips);
            },
            [&setting](double value) {
                setting = Whole(value);
                core::frmMain().UpdateDisplay(true);
            },
            loading);
    };
    geometryBoxes_.push_back(size(txtWidth, cmdWidthM, cmdWidthP, Settings.ClockWidth, true));
    geometryBoxes_.push_back(size(txtHeight, cmdHeightM, cmdHeightP, Settings.ClockHeight, false));
    // The labels move by the offset's change only: leaving the box without a change moves nothing.
    auto offset = [&](TextBox& box, CommandButton& minus, CommandButton& plus, std::int16_t& setting, bool across) {
        return std::make_unique<NumberBox>(
            box, minus, plus, kOffsetRule,
            [&setting, across](double value) {
                const std::int16_t shift = static_cast<std::int16_t>(Whole(value) - setting);
                setting = Whole(value);
                core::frmMain().UpdateLabelKerning(across ? shift : std::int16_t{0}, across ? std::int16_t{0} : shift);
                core::frmMain().UpdateDisplay(true);
            },
            loading);
    };
    geometryBoxes_.push_back(offset(txtPosX, cmdPosXM, cmdPosXP, Settings.PositionX, true));
    geometryBoxes_.push_back(offset(txtPosY, cmdPosYM, cmdPosYP, Settings.PositionY, false));
    auto border = [&](TextBox& box, CommandButton& minus, CommandButton& plus, std::int16_t& setting) {
        return std::make_unique<NumberBox>(
            box, minus, plus, kBorderRule,
            [&setting](double value) {
                setting = Whole(value);
                core::frmMain().UpdateDisplay(true);
            },
            loading);
    };
    geometryBoxes_.push_back(border(txtLeft, cmdLeftM, cmdLeftP, Settings.BorderLeft));
    geometryBoxes_.push_back(border(txtTop, cmdTopM, cmdTopP, Settings.BorderTop));
}

void frmSetiAVForm::BindHelp() {
    struct Help {
        std::vector<WindowedControl*> controls;  // a number box with its two buttons
        const char* key;
    };
    const Help entries[] = {
        {{&chStartupRun}, "0201chStartupRun"},
        {{&chPopupHelp}, "0202chPopupHelp"},
        {{&cmdReset}, "0203cmdReset"},
        {{&txtDelayPopup, &cmdDelayPopupM, &cmdDelayPopupP}, "0204txtDelayPopup"},
        {{&chSplash}, "0205chSplash"},
        {{&chTop}, "0206chTop"},
        {{&chTooltip}, "0207chTooltip"},
        {{&txtDelay, &cmdDelayM, &cmdDelayP}, "0208txtDelay"},
        {{&txtFadeIn, &cmdFadeInM, &cmdFadeInP}, "0209txtFadeIn"},
        {{&txtFadeOut, &cmdFadeOutM, &cmdFadeOutP}, "0210txtFadeOut"},
        {{&chAutoSize}, "0212chAutoSize"},
        {{&txtWidth, &cmdWidthM, &cmdWidthP}, "0213txtWidth"},
        {{&txtHeight, &cmdHeightM, &cmdHeightP}, "0214txtHeight"},
        {{&chCenter}, "0215chCenter"},
        {{&txtPosX, &cmdPosXM, &cmdPosXP}, "0216txtPosX"},
        {{&txtPosY, &cmdPosYM, &cmdPosYP}, "0217txtPosY"},
        {{&txtLeft, &cmdLeftM, &cmdLeftP}, "0218txtLeft"},
        {{&txtTop, &cmdTopM, &cmdTopP}, "0219txtTop"},
    };
    for (const Help& h : entries)
        for (WindowedControl* control : h.controls)
            control->MouseMove = [control, key = h.key](int, int, int, int) { core::ShowHelp(control->hWnd, key, false); };
}

void frmSetiAVForm::Design() {
    DesignPage(*this);
    frmMisc.Move(240, 120, 5490, 3300);
    chStartupRun.Move(240, 300, 2700, 300);
    chSplash.Move(3000, 300, 2400, 300);
    chTop.Move(240, 660, 5000, 300);
    chPopupHelp.Move(240, 1020, 1800, 300);
    lblDelayPopup.Move(2100, 1050, 900, 255);
    PlaceNumberBox(cmdDelayPopupM, txtDelayPopup, cmdDelayPopupP, 2940, 1005);
    cmdReset.Move(4320, 990, 1020, 345);
    chTooltip.Move(240, 1440, 1800, 300);
    lblSeconds.Move(2100, 1470, 3200, 255);
    lblDelay.Move(480, 1830, 2400, 255);
    PlaceNumberBox(cmdDelayM, txtDelay, cmdDelayP, 2940, 1785);
    lblFadeIn.Move(480, 2190, 2400, 255);
    PlaceNumberBox(cmdFadeInM, txtFadeIn, cmdFadeInP, 2940, 2145);
    lblFadeOut.Move(480, 2550, 2400, 255);
    PlaceNumberBox(cmdFadeOutM, txtFadeOut, cmdFadeOutP, 2940, 2505);
    lblOpacity.Move(480, 2910, 2400, 255);
    scrOpacity.Move(2940, 2880, 2310, 285);
    scrOpacity.Min = 15;
    scrOpacity.Max = 255;
    scrOpacity.SmallChange = 5;
    scrOpacity.LargeChange = 25;
    scrOpacity.Value = 15;

    frmPositioning.Move(240, 3540, 5490, 2040);
    chAutoSize.Move(240, 300, 2400, 300);
    chCenter.Move(2880, 300, 2400, 300);
    // Three rows of a caption, then two named boxes; the columns are as wide as the longest
    // caption of the four languages needs.
    struct SizeRow {
        Label &caption, &firstName;
        CommandButton& firstMinus;
        TextBox& first;
        CommandButton& firstPlus;
        Label& secondName;
        CommandButton& secondMinus;
        TextBox& second;
        CommandButton& secondPlus;
    };
    const SizeRow rows[] = {
        {lblSize, lblWidth, cmdWidthM, txtWidth, cmdWidthP, lblHeight, cmdHeightM, txtHeight, cmdHeightP},
        {lblPosition, lblPosX, cmdPosXM, txtPosX, cmdPosXP, lblPosY, cmdPosYM, txtPosY, cmdPosYP},
        {lblBorder, lblLeft, cmdLeftM, txtLeft, cmdLeftP, lblTop, cmdTopM, txtTop, cmdTopP},
    };
    int y = 705;
    for (const SizeRow& row : rows) {
        row.caption.Move(240, y + 45, 1020, 255);
        row.firstName.Move(1260, y + 45, 900, 255);
        PlaceNumberBox(row.firstMinus, row.first, row.firstPlus, 2160, y);
        row.secondName.Move(3420, y + 45, 705, 255);
        PlaceNumberBox(row.secondMinus, row.second, row.secondPlus, 4140, y);
        y += 420;
    }
}

void frmSetiAVForm::Form_Load() {
    PlacePage(*this);
    SetTexts();
    SetColors();
    core::HelpFile.SelectSection(kAdvancedSettingsHelpSection);
    pageLoading_ = true;
    auto tick = [](CheckBox& box, bool on) { box.Value = on ? vbChecked : vbUnchecked; };
    tick(chStartupRun, Settings.AutoStart);
    tick(chPopupHelp, Settings.PopupHelp);
    EnablePopupHelpControls(chPopupHelp.Value != vbUnchecked);
    tick(chSplash, Settings.Splash);
    tick(chTop, Settings.AlwaysOnTopWindows);
    tick(chTooltip, Settings.Tooltip);
    EnableTooltipControls(chTooltip.Value != vbUnchecked);
    txtDelayPopup.Text = SecondsText(Settings.PopupHelpDelay);
    txtDelay.Text = SecondsText(Settings.TooltipDelay);
    txtFadeIn.Text = SecondsText(Settings.TooltipFadeIn);
    txtFadeOut.Text = SecondsText(Settings.TooltipFadeOut);
    // A stored opacity below the slider shows as its lowest and is written only when the slider moves.
    scrOpacity.Value = Settings.TooltipMaxOpacity;
    tick(chAutoSize, Settings.AutoSize);
    chAutoSize_Click();
    txtWidth.Text = std::to_string(Settings.ClockWidth);
    txtHeight.Text = std::to_string(Settings.ClockHeight);
    tick(chCenter, Settings.ClockCenter);
    txtPosX.Text = std::to_string(Settings.PositionX);
    txtPosY.Text = std::to_string(Settings.PositionY);
    txtLeft.Text = std::to_string(Settings.BorderLeft);
    txtTop.Text = std::to_string(Settings.BorderTop);
    pageLoading_ = false;
    for (NumberBox* box : {delayPopup_.get(), delay_.get(), fadeIn_.get(), fadeOut_.get()}) box->CleanUp();
}

void frmSetiAVForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kAdvancedSettingsPageSection);
    PutCaption(frmMisc, "Miscellaneous");
    PutCaption(chStartupRun, "Auto");
    PutCaption(chPopupHelp, "PopupHelp");
    PutCaption(chSplash, "Splash");
    PutCaption(chTop, "AlwaysOnTopWindows");
    PutCaption(chTooltip, "Tooltip");
    PutCaption(cmdReset, "Reset");
    PutCaption(lblDelayPopup, "Delay", true);
    PutCaption(lblDelay, "Delay", true);
    PutCaption(lblFadeIn, "Fade In", true);
    PutCaption(lblFadeOut, "Fade Out", true);
    PutCaption(lblOpacity, "Maximum Opacity", true);
    PutCaption(lblSeconds, "Times In Seconds");
    PutCaption(frmPositioning, "Positioning");
    PutCaption(chAutoSize, "AutoSize");
    PutCaption(lblSize, "Size", true);
    PutCaption(lblWidth, "Width", true);
    PutCaption(lblHeight, "Height", true);
    PutCaption(chCenter, "Center");
    PutCaption(lblPosition, "Position", true);
    PutCaption(lblPosX, "Left", true);
    PutCaption(lblPosY, "Top", true);
    PutCaption(lblBorder, "Border");
    PutCaption(lblLeft, "BLeft", true);
    PutCaption(lblTop, "BTop", true);
}

void frmSetiAVForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &frmMisc, &frmPositioning, &chStartupRun, &chPopupHelp, &chSplash, &chTop, &chTooltip, &chAutoSize, &chCenter,
             &lblDelayPopup, &lblDelay, &lblFadeIn, &lblFadeOut, &lblOpacity, &lblSeconds, &lblSize, &lblWidth, &lblHeight,
             &lblPosition, &lblPosX, &lblPosY, &lblBorder, &lblLeft, &lblTop}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    for (CommandButton* b : std::initializer_list<CommandButton*>{
             &cmdReset, &cmdDelayPopupM, &cmdDelayPopupP, &cmdDelayM, &cmdDelayP, &cmdFadeInM, &cmdFadeInP, &cmdFadeOutM,
             &cmdFadeOutP, &cmdWidthM, &cmdWidthP, &cmdHeightM, &cmdHeightP, &cmdPosXM, &cmdPosXP, &cmdPosYM, &cmdPosYP,
             &cmdLeftM, &cmdLeftP, &cmdTopM, &cmdTopP})
        b->BackColor = palette->button;
}

void frmSetiAVForm::EnablePopupHelpControls(bool enabled) {
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{&lblDelayPopup, &cmdDelayPopupM, &txtDelayPopup,
                                                                             &cmdDelayPopupP, &cmdReset})
        c->Enabled = enabled;
}

void frmSetiAVForm::EnableTooltipControls(bool enabled) {
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &lblDelay, &cmdDelayM, &txtDelay, &cmdDelayP, &lblSeconds, &lblFadeIn, &cmdFadeInM, &txtFadeIn, &cmdFadeInP,
             &lblFadeOut, &cmdFadeOutM, &txtFadeOut, &cmdFadeOutP, &lblOpacity, &scrOpacity})
        c->Enabled = enabled;
}

void frmSetiAVForm::PushTooltip() {
    core::OZRSetClockTooltip(Settings.Tooltip ? 1 : 0, Settings.TooltipDelay, Settings.TooltipFadeIn, Settings.TooltipFadeOut,
                             Settings.TooltipMaxOpacity);
}

void frmSetiAVForm::chStartupRun_Click() {
    if (pageLoading_) return;
    Settings.AutoStart = chStartupRun.Value != vbUnchecked;
}

void frmSetiAVForm::chPopupHelp_Click() {
    Settings.PopupHelp = chPopupHelp.Value != vbUnchecked;
    EnablePopupHelpControls(Settings.PopupHelp);
}

void frmSetiAVForm::cmdReset_Click() {
    if (!boxes_.Ask("PopupHelpResetQuestion")) return;
    core::ResetPopupHelp();
}

void frmSetiAVForm::chSplash_Click() {
    if (pageLoading_) return;
    // Keeping the splash is advised: Yes ticks the box again (its Click stores the splash as on).
    if (chSplash.Value == vbUnchecked && boxes_.Ask("SplashAdvice")) chSplash.Value = vbChecked;
    Settings.Splash = chSplash.Value != vbUnchecked;
}

void frmSetiAVForm::chTop_Click() {
    if (pageLoading_) return;
    Settings.AlwaysOnTopWindows = chTop.Value != vbUnchecked;
    frmSeti().AlwaysOnTop(Settings.AlwaysOnTopWindows);
    if (!Settings.SystrayClock) core::frmMain().SetFocus();
    chTop.SetFocus();
}

void frmSetiAVForm::chTooltip_Click() {
    Settings.Tooltip = chTooltip.Value != vbUnchecked;
    EnableTooltipControls(Settings.Tooltip);
    if (!pageLoading_) PushTooltip();
}

void frmSetiAVForm::scrOpacity_Change() {
    Settings.TooltipMaxOpacity = static_cast<std::uint8_t>(scrOpacity.Value);
    PushTooltip();
    scrOpacity_GotFocus();
}

void frmSetiAVForm::scrOpacity_GotFocus() { core::ShowHelp(scrOpacity.hWnd, "0211scrOpacity", true); }

void frmSetiAVForm::chAutoSize_Click() {
    const bool fixed = chAutoSize.Value == vbUnchecked;
    for (InteractiveControl* c :
         std::initializer_list<InteractiveControl*>{&txtWidth, &txtHeight, &cmdWidthM, &cmdWidthP, &cmdHeightM, &cmdHeightP})
        c->Enabled = fixed;
    if (pageLoading_) return;
    Settings.AutoSize = !fixed;
    core::frmMain().UpdateDisplay(true);
}

void frmSetiAVForm::chCenter_Click() {
    if (pageLoading_) return;
    Settings.ClockCenter = chCenter.Value != vbUnchecked;
    core::frmMain().UpdateDisplay(true);
}

}  // namespace settings
