// The floating clock's visual effect on the general options page. WindowType holds it and goes to
// the main window unchanged as the flags of its layered attributes: 1 makes every pixel of
// TransparencyColor transparent, 2 applies the opacity FloatAlpha, 3 both, 0 neither. The three
// boxes show it: Normal alone, or Transparent and Translucent in any mix.
#include "core/clock_label.h"
#include "core/frm_intro_window.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/library_binding.h"
#include "platform/window/message_box.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_go.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

std::string PageText(const char* key) { return core::LanguageFile.ReadText(core::kGeneralOptionsPageSection, key); }

platform::COLORREF Color(std::int32_t value) { return static_cast<platform::COLORREF>(value); }

}  // namespace

void frmSetiGOForm::ApplyLayered(platform::COLORREF colorKey, int opacity, int flags) {
    platform::SetLayeredWindowAttributes(core::frmMain().hWnd, colorKey, static_cast<platform::BYTE>(opacity),
                                         static_cast<platform::DWORD>(flags));
}

ColorKeyControls frmSetiGOForm::ColorKey() { return {cmdColor, pctColor, {&Line1, &Line2, &Line3, &Line4, &Line5}}; }

void frmSetiGOForm::ShowColorControls(bool shown) {
    ColorKey().Show(shown);
    if (shown) pctColor.BackColor = Color(Settings.TransparencyColor);
}

void frmSetiGOForm::chNormal_Click() {
    if (pageLoading_ || RefusedInSystray(chNormal)) return;
    if (chNormal.Value != vbUnchecked) {
        chTransp.Value = vbUnchecked;
        chTransl.Value = vbUnchecked;
        ApplyLayered(0, 255, platform::LWA_ALPHA);
        Settings.WindowType = 0;
        return;
    }
    // Normal is left only by choosing one of the effects.
    SetQuietly(chNormal, vbChecked);
    Settings.WindowType = 0;
}

void frmSetiGOForm::chTransp_Click() {
    core::OZRRemovePopupHelp();
    if (pageLoading_ || RefusedInSystray(chTransp)) return;
    if (chTransp.Value != vbUnchecked) {
        // Whatever goes wrong on the way, the boxes, WindowType and the window stay as they were.
        try {
            TickTransparent();
        } catch (const std::exception&) {
            UndoTransparent();
        }
    } else {
        UntickTransparent();
    }
}

void frmSetiGOForm::TickTransparent() {
    SetQuietly(chNormal, vbUnchecked);
    ShowColorControls(true);
    frmSeti().SetAbsoluteAccess(true);
    const std::string gap = "\r\n\r\n";
    const int answer = boxes_.Show(PageBox::YesNoCancel, PageText("Transparency Warning Message 1 1") + gap +
                                                             PageText("Transparency Warning Message 1 2") + gap +
                                                             PageText("Transparency Warning Message 1 3"));
    if (answer == platform::IDCANCEL) {
        UndoTransparent();
        return;
    }
    bool chooseColor = answer != platform::IDYES;
    if (!chooseColor) {
        // The window's own back colour becomes transparent: the labels must have it too.
        if (LabelBackColorsMatchWindow()) {
            Settings.TransparencyColor = Settings.FloatBackColor;
        } else if (boxes_.Show(PageBox::Question, PageText("Transparency Warning Message 2 1") + gap +
                                                      PageText("Transparency Warning Message 2 2")) == platform::IDYES) {
            MatchLabelBackColorsToWindow();
            Settings.TransparencyColor = static_cast<std::int32_t>(core::frmMain().BackColor());
        } else {
            chooseColor = true;
        }
    }
    if (chooseColor) {
        const std::optional<platform::COLORREF> chosen = AskColor(Color(Settings.FloatBackColor), cmdColor);
        if (!chosen) {
            UndoTransparent();
            return;
        }
        Settings.TransparencyColor = static_cast<std::int32_t>(*chosen);
    }
    Settings.WindowType = static_cast<std::uint8_t>(Settings.WindowType + 1);
    frmSeti().SetAbsoluteAccess(false);
    ApplyLayered(Color(Settings.TransparencyColor), Settings.FloatAlpha, Settings.WindowType);
    pctColor.BackColor = Color(Settings.TransparencyColor);
}

void frmSetiGOForm::UndoTransparent() {
    SetQuietly(Settings.WindowType == 0 ? chNormal : chTransl, vbChecked);
    chTransp.Value = vbUnchecked;
    frmSeti().SetAbsoluteAccess(false);
}

void frmSetiGOForm::UntickTransparent() {
    ShowColorControls(false);
    KeepOtherEffect(chTransl, 2, Settings.FloatAlpha);
}

void frmSetiGOForm::KeepOtherEffect(CheckBox& other, int otherType, int otherOpacity) {
    if (other.Value == vbUnchecked) {
        SetQuietly(chNormal, vbChecked);
        Settings.WindowType = 0;
        ApplyLayered(Color(Settings.TransparencyColor), 255, platform::LWA_ALPHA);
    } else {
        Settings.WindowType = static_cast<std::uint8_t>(otherType);
        ApplyLayered(Color(Settings.TransparencyColor), otherOpacity, otherType);
    }
}

void frmSetiGOForm::chTransl_Click() {
    core::MakeLayered(core::frmMain().hWnd);
    if (pageLoading_ || RefusedInSystray(chTransl)) return;
    if (chTransl.Value != vbUnchecked) {
        SetQuietly(chNormal, vbUnchecked);
        lblOpacity.Visible = true;
        scrOpacity.Enabled = true;
        scrOpacity.SetFocus();
        Settings.FloatAlpha = static_cast<std::uint8_t>(FloatAlphaForBar(Settings.FloatAlpha));
        scrOpacity.Value = Settings.FloatAlpha;
        Settings.WindowType = static_cast<std::uint8_t>(Settings.WindowType + 2);
        ApplyLayered(Color(Settings.TransparencyColor), scrOpacity.Value, Settings.WindowType);
        return;
    }
    lblOpacity.Visible = false;
    scrOpacity.Enabled = false;
    KeepOtherEffect(chTransp, 1, 255);
}

void frmSetiGOForm::scrOpacity_Change() {
    Settings.FloatAlpha = static_cast<std::uint8_t>(scrOpacity.Value);
    ApplyLayered(Color(Settings.TransparencyColor), scrOpacity.Value, Settings.WindowType);
    scrOpacity.GotFocus();
}

void frmSetiGOForm::cmdColor_Click() {
    const std::optional<platform::COLORREF> chosen = AskColor(Color(Settings.TransparencyColor), cmdColor);
    if (!chosen) return;
    Settings.TransparencyColor = static_cast<std::int32_t>(*chosen);
    pctColor.BackColor = *chosen;
    ApplyLayered(*chosen, Settings.FloatAlpha, Settings.WindowType);
}

std::optional<platform::COLORREF> frmSetiGOForm::AskColor(platform::COLORREF initial, CommandButton& returnFocus) {
    frmSeti().AlwaysOnTop(false);
    std::optional<platform::COLORREF> chosen;
    CD.Color = initial;
    try {
        CD.ShowColor();
        chosen = CD.Color;
    } catch (const CommonDialogCancelled&) {
    }
    if (!Settings.SystrayClock) core::frmMain().SetFocus();
    if (Settings.AlwaysOnTopWindows) frmSeti().AlwaysOnTop(true);
    if (returnFocus.Visible) returnFocus.SetFocus();
    return chosen;
}

bool frmSetiGOForm::LabelBackColorsMatchWindow() const {
    core::frmMainForm& main = core::frmMain();
    for (int index : main.Label.Indices())
        if (main.Label(index).BackColor != main.BackColor) return false;
    return true;
}

void frmSetiGOForm::MatchLabelBackColorsToWindow() {
    core::frmMainForm& main = core::frmMain();
    const platform::COLORREF back = main.BackColor;
    for (int index : main.Label.Indices()) {
        if (main.Label(index).BackColor == back) continue;
        main.Label(index).BackColor = back;
        if (index >= 0 && static_cast<std::size_t>(index) < core::Labels.size())
            core::Labels[static_cast<std::size_t>(index)].Back = static_cast<std::int32_t>(back);
    }
}

}  // namespace settings
