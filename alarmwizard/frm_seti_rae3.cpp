#include "alarmwizard/frm_seti_rae3.h"

#include <algorithm>
#include <exception>
#include <initializer_list>

#include "core/globals.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "platform/window/message_box.h"
#include "settings/color_key_controls.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;

namespace {

// WindowProperties bits of the six property boxes.
constexpr std::int32_t kTopBit = 2, k3DBit = 4, kResizeBit = 8, kMiniBit = 16, kMaxiBit = 32, kMovableBit = 64;
// Visuals bits.
constexpr std::uint8_t kTransparent = 1, kTranslucent = 2;
// The opacity bar's range; Alpha itself may reach 255.
constexpr int kLeastAlpha = 15, kMostShownAlpha = 240;
constexpr std::uint8_t kOpaque = 255, kFirstAlpha = 200;

// Which property boxes a style leaves enabled (Resizable follows 3D).
struct StyleRule {
    bool top, threeD, mini, maxi, movable;
};
constexpr StyleRule kStyleRules[] = {
    {true, true, true, true, true},     // normal
    {true, true, false, false, true},   // toolbox
    {true, false, false, false, true},  // borderless
};
constexpr const char* kStyleKeys[] = {"WindowStyleNormal", "WindowStyleToolbox", "WindowStyleBorderless"};

}  // namespace

frmSetiRAE3Form::frmSetiRAE3Form() : WizardStep(kStep3) {
    OZR_HANDLE(ddlStyle, Click);
    ddlStyle.GotFocus = [this] { core::ShowHelp(ddlStyle.hWnd, "1101ddlStyle", true); };
    OZR_HANDLE(ch3D, Click);
    for (CheckBox* box : {&chResize, &chMini, &chMaxi, &chMovable}) box->Click = [this, box] { SlideGuard_Click(*box); };
    OZR_HANDLE(chNormal, Click);
    OZR_HANDLE(chTransp, Click);
    OZR_HANDLE(chTransl, Click);
    OZR_HANDLE(cmdColor, Click);
    pctColor.Click = [this] { cmdColor_Click(); };
    OZR_HANDLE(scrOpacity, Change);
    scrOpacity.GotFocus = [this] { core::ShowHelp(scrOpacity.hWnd, "1113scrOpacity", true); };
    cmdPrevious.Click = [this] { MoveBack(kStep2); };
    cmdNext.Click = [this] { MoveForward(kStep4); };
    lblBehaviors.Click = [this] { MoveForward(kStep3A); };
    cmdSave.Click = [this] { SaveSimple(); };
    cmdCancel.Click = [this] { CancelWizard(); };
    BindHelp();
}

frmSetiRAE3Form& frmSetiRAE3() {
    static frmSetiRAE3Form form;
    return form;
}

void frmSetiRAE3Form::BindHelp() {
    HelpOn({&chTop}, "1102chTop");
    HelpOn({&ch3D}, "1103ch3D");
    HelpOn({&chResize}, "1104chResize");
    HelpOn({&chMini}, "1105chMini");
    HelpOn({&chMaxi}, "1106chMaxi");
    HelpOn({&chMovable}, "1107chMovable");
    HelpOn({&chNormal}, "1108chNormal");
    HelpOn({&chTransp}, "1109chTransp");
    HelpOn({&chTransl}, "1110chTransl");
    HelpOn({&cmdColor}, "1111cmdColor");
    HelpOn({&pctColor}, "1112pctColor");
    HelpOn({&cmdCancel}, "1114cmdCancel");
    HelpOn({&cmdSave}, "1115cmdSave");
    HelpOn({&cmdPrevious}, "1116cmdPrevious");
    HelpOn({&cmdNext}, "1117cmdNext");
}

void frmSetiRAE3Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdNext.Default = true;
    cmdCancel.Cancel = true;
    const int width = settings::kPageWidth - 120;

    frmWindowType.Move(60, kContentTop - 60, width, 1800);
    lblStyle.Move(120, 300, 900, 255);
    ddlStyle.Move(1020, 255, 2280, 315);
    lblBehaviors.Move(3480, 300, width - 3600, 255);
    MakeLink(lblBehaviors);
    frmProperties.Move(120, 660, width - 240, 1050);
    const int column = (width - 240) / 2;
    chTop.Move(120, 240, column - 180, 255);
    ch3D.Move(120, 495, column - 180, 255);
    chResize.Move(360, 750, column - 420, 255);  // under 3D, which it depends on
    chMini.Move(column, 240, column - 120, 255);
    chMaxi.Move(column, 495, column - 120, 255);
    chMovable.Move(column, 750, column - 120, 255);
    chResize.Enabled = false;

    frmVisual.Move(60, kContentTop + 1800, width, kButtonTop - kContentTop - 1860);
    chNormal.Move(120, 270, 1800, 255);
    chTransp.Move(120, 600, 1800, 255);
    chTransl.Move(120, 930, 1800, 255);
    ColorKey().Place(120, 600);
    lblOpacity.Move(120, 1320, 1260, 255);
    scrOpacity.Move(1440, 1290, width - 1680, 285);
    scrOpacity.Min = kLeastAlpha;
    scrOpacity.Max = kMostShownAlpha;
    scrOpacity.SmallChange = 1;
    scrOpacity.LargeChange = 15;
    scrOpacity.Value = kLeastAlpha;
    ColorKey().Show(false);
    lblOpacity.Visible = false;
    scrOpacity.Enabled = false;

    CD.CancelError = true;
    CD.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCAnyColor;
}

// An opacity too low to see the window by is made opaque in the record itself, on every visit.
void frmSetiRAE3Form::Form_Load() {
    if (AlarmUnderEdit.Alpha < kLeastAlpha) AlarmUnderEdit.Alpha = kOpaque;
    WizardStep::Form_Load();
}

void frmSetiRAE3Form::SetStepTexts() {
    frmWindowType.Caption = StepText("Type");
    lblStyle.Caption = StepText("Style");
    for (const char* key : kStyleKeys) ddlStyle.AddItem(StepText(key));
    lblBehaviors.Caption = StepText("Behaviors");
    frmProperties.Caption = StepText("Properties");
    chTop.Caption = StepText("Always On Top");
    ch3D.Caption = StepText("3D");
    chResize.Caption = StepText("Resizable");
    chMini.Caption = StepText("Minimize Button");
    chMaxi.Caption = StepText("Maximize Button");
    chMovable.Caption = StepText("Movable");
    frmVisual.Caption = StepText("Visuals");
    chNormal.Caption = StepText("Normal");
    chTransp.Caption = StepText("Transparent");
    chTransl.Caption = StepText("Translucent");
    cmdColor.Caption = StepText("Color");
    lblOpacity.Caption = StepText("Opacity");
}

bool frmSetiRAE3Form::SlidesInFromHotspot() const {
    constexpr std::int32_t both = core::kAlarmSlide | core::kAlarmAtHotspot;
    return (AlarmUnderEdit.Flags & both) == both;
}

void frmSetiRAE3Form::FillDefaults() {
    ddlStyle.ListIndex = 0;
    for (CheckBox* box : {&chTop, &ch3D, &chNormal}) box->Value = vbChecked;
    for (CheckBox* box : {&chResize, &chMini, &chMaxi}) box->Value = vbUnchecked;
    chMovable.Value = SlidesInFromHotspot() ? vbUnchecked : vbChecked;
    ChosenAlpha = kFirstAlpha;
    ChosenColorKey = 0;
}

void frmSetiRAE3Form::FillFromRecord() {
    // A style this step does not know selects no entry; the store keeps it until one is picked.
    if (AlarmUnderEdit.WindowStyle < ddlStyle.ListCount) ddlStyle.ListIndex = AlarmUnderEdit.WindowStyle;
    const std::pair<CheckBox*, std::int32_t> properties[] = {{&chTop, kTopBit},   {&ch3D, k3DBit},
                                                             {&chResize, kResizeBit}, {&chMini, kMiniBit},
                                                             {&chMaxi, kMaxiBit}, {&chMovable, kMovableBit}};
    for (auto [box, bit] : properties) box->Value = (AlarmUnderEdit.WindowProperties & bit) ? vbChecked : vbUnchecked;
    if (SlidesInFromHotspot())
        for (CheckBox* box : {&chMini, &chMaxi, &chMovable, &chResize}) box->Value = vbUnchecked;
    ChosenAlpha = AlarmUnderEdit.Alpha;
    ChosenColorKey = AlarmUnderEdit.ColorKey;
    const std::uint8_t visuals = AlarmUnderEdit.Visuals;
    if (visuals == 0) chNormal.Value = vbChecked;
    if (visuals == kTransparent || visuals == (kTransparent | kTranslucent)) {
        chTransp.Value = vbChecked;
        ColorKey().Show(true);
    }
    if (visuals == kTranslucent || visuals == (kTransparent | kTranslucent)) {
        chTransl.Value = vbChecked;
        ShowOpacity(true);
    }
    if (ch3D.Value == vbChecked) chResize.Enabled = true;
    pctColor.BackColor = static_cast<platform::COLORREF>(ChosenColorKey);
}

void frmSetiRAE3Form::StoreStep() { StoreWindowStep(); }

void frmSetiRAE3Form::StoreWindowStep() {
    WizardStep::StoreStep();
    if (ddlStyle.ListIndex >= 0) AlarmUnderEdit.WindowStyle = static_cast<std::uint8_t>(ddlStyle.ListIndex);
    const std::pair<const CheckBox*, std::int32_t> properties[] = {{&chTop, kTopBit},   {&ch3D, k3DBit},
                                                                   {&chResize, kResizeBit}, {&chMini, kMiniBit},
                                                                   {&chMaxi, kMaxiBit}, {&chMovable, kMovableBit}};
    std::int32_t& bits = AlarmUnderEdit.WindowProperties;
    for (auto [box, bit] : properties) bits = box->Value == vbChecked ? bits | bit : bits & ~bit;
    if (chNormal.Value == vbChecked)
        AlarmUnderEdit.Visuals = 0;
    else if (chTransp.Value == vbChecked || chTransl.Value == vbChecked)
        AlarmUnderEdit.Visuals = static_cast<std::uint8_t>((chTransp.Value == vbChecked ? kTransparent : 0) |
                                                           (chTransl.Value == vbChecked ? kTranslucent : 0));
    AlarmUnderEdit.Alpha = ChosenAlpha;
    AlarmUnderEdit.ColorKey = ChosenColorKey;
}

// ---- Style and properties ----

// The boxes keep their ticks: a disabled box that is ticked is still stored.
void frmSetiRAE3Form::ddlStyle_Click() {
    const int style = ddlStyle.ListIndex;
    if (style >= 0 && style < static_cast<int>(std::size(kStyleRules))) {
        const StyleRule& rule = kStyleRules[style];
        chTop.Enabled = rule.top;
        ch3D.Enabled = rule.threeD;
        chMini.Enabled = rule.mini;
        chMaxi.Enabled = rule.maxi;
        chMovable.Enabled = rule.movable;
        chResize.Enabled = ch3D.Value == vbChecked && ch3D.Enabled;
    }
    core::ShowHelp(ddlStyle.hWnd, "1101ddlStyle", true);
}

void frmSetiRAE3Form::ch3D_Click() { chResize.Enabled = ch3D.Value == vbChecked; }

// A window that slides in from a hotspot must stay where it lands, as it is.
void frmSetiRAE3Form::SlideGuard_Click(CheckBox& box) {
    if (Updating || !SlidesInFromHotspot()) return;
    boxes_.Inform("Error Slide In");
    TickQuietly(box, false);
}

// ---- Visuals ----

void frmSetiRAE3Form::Tick(CheckBox& box, bool ticked) { box.Value = ticked ? vbChecked : vbUnchecked; }

void frmSetiRAE3Form::TickQuietly(CheckBox& box, bool ticked) {
    const bool was = Updating;
    Updating = true;
    Tick(box, ticked);
    Updating = was;
}

// Normal is the choice while neither effect is.
void frmSetiRAE3Form::TickNormalUnlessOther(const CheckBox& other) {
    if (other.Value == vbUnchecked) TickQuietly(chNormal, true);
}

settings::ColorKeyControls frmSetiRAE3Form::ColorKey() {
    return {cmdColor, pctColor, {&Line1, &Line2, &Line3, &Line4, &Line5}};
}

// The bar shows the opacity within its range; ChosenAlpha keeps a stored value above it until the
// user moves the bar.
void frmSetiRAE3Form::ShowOpacity(bool shown) {
    lblOpacity.Visible = shown;
    scrOpacity.Enabled = shown;
    if (!shown) return;
    const std::uint8_t kept = ChosenAlpha;
    scrOpacity.Value = std::clamp<int>(kept, kLeastAlpha, kMostShownAlpha);
    ChosenAlpha = kept;
}

// Normal cannot be unticked by itself: only choosing an effect leaves it.
void frmSetiRAE3Form::chNormal_Click() {
    if (Updating) return;
    if (chNormal.Value == vbUnchecked) {
        TickQuietly(chNormal, true);
        return;
    }
    Tick(chTransp, false);
    Tick(chTransl, false);
}

void frmSetiRAE3Form::chTransp_Click() {
    core::OZRRemovePopupHelp();
    if (Updating) return;
    if (chTransp.Value == vbUnchecked) {
        ColorKey().Show(false);
        TickNormalUnlessOther(chTransl);
        return;
    }
    TickQuietly(chNormal, false);
    ColorKey().Show(true);
    try {
        if (ChosenColorKey == 0) ChooseFirstColor();
        if (chTransp.Value == vbChecked) pctColor.BackColor = static_cast<platform::COLORREF>(ChosenColorKey);
    } catch (const std::exception&) {
        // Whatever failed, the step goes back to what it was before the tick.
        TickNormalUnlessOther(chTransl);
        Tick(chTransp, false);
        settings::frmSeti().SetAbsoluteAccess(false);
    }
}

// The first tick asks for the colour that is to become see-through, with the settings window out
// of the way. Cancel there takes the tick back.
void frmSetiRAE3Form::ChooseFirstColor() {
    settings::frmSeti().SetAbsoluteAccess(true);
    boxes_.Inform("Transparency Warning Message 1 1");
    const bool chosen = AskColor(cmdColor);
    if (!chosen) {
        TickNormalUnlessOther(chTransl);
        Tick(chTransp, false);
    }
    settings::frmSeti().SetAbsoluteAccess(false);
}

void frmSetiRAE3Form::cmdColor_Click() {
    if (AskColor(cmdColor)) pctColor.BackColor = static_cast<platform::COLORREF>(ChosenColorKey);
}

// The colour dialog, starting from the chosen key, with the settings window out of the topmost
// band so that the dialog is not hidden behind it. False when cancelled.
bool frmSetiRAE3Form::AskColor(CommandButton& returnFocus) {
    CD.Color = static_cast<platform::COLORREF>(ChosenColorKey);
    const bool chosen = RunCommonDialog([this] { CD.ShowColor(); });
    if (chosen) ChosenColorKey = static_cast<std::int32_t>(CD.Color());
    RestoreTopmost();
    if (returnFocus.Visible) returnFocus.SetFocus();
    return chosen;
}

void frmSetiRAE3Form::chTransl_Click() {
    if (Updating) return;
    const bool ticked = chTransl.Value != vbUnchecked;
    if (ticked) TickQuietly(chNormal, false);
    ShowOpacity(ticked);
    if (!ticked) TickNormalUnlessOther(chTransp);
}

void frmSetiRAE3Form::scrOpacity_Change() {
    ChosenAlpha = static_cast<std::uint8_t>(scrOpacity.Value);
    core::ShowHelp(scrOpacity.hWnd, "1113scrOpacity", true);
}

}  // namespace alarmwizard
