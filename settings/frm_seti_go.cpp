#include "settings/frm_seti_go.h"

#include <vector>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "platform/window/message_box.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

// A caption from the page's language section; with a colon after the text where it stands in
// front of a value.
template <class Control>
void PutCaption(Control& control, const char* key, bool colon = false) {
    const std::string text = core::LanguageFile.ReadString(key);
    control.Caption = colon ? text + ":" : text;
}

// The anchor list's texts (section "General"), in the order of the Anchor values 0 to 8.
constexpr const char* kAnchorTexts[] = {
    "Anchor None",         "Anchor Upper Left",  "Anchor Upper Center", "Anchor Upper Right", "Anchor Right Center",
    "Anchor Lower Right",  "Anchor Lower Center", "Anchor Lower Left",  "Anchor Left Center",
};

// The two actions of a click on the clock.
constexpr const char* kCopyAction = "Copy date / time to Clipboard";
constexpr const char* kDateTimeAction = "Open Windows \"Date and Time Properties\"";

// The controls without a pointer-move event raise their popup help when they take the focus.
struct FocusHelp {
    WindowedControl& control;
    const char* key;
};

std::vector<FocusHelp> FocusHelpOf(frmSetiGOForm& page) {
    return {{page.ddlShortcut, "0103ddlShortcut"},
            {page.ddlEvent, "0104ddlEvent"},
            {page.ddlHotspot, "0107ddlHotspot"},
            {page.scrOpacity, "0114scrOpacity"}};
}

void RaiseFocusHelp(WindowedControl& control) {
    for (const FocusHelp& h : FocusHelpOf(frmSetiGO()))
        if (&h.control == &control) core::ShowHelp(control.hWnd, h.key, true);
}

std::string General(const char* key) { return core::LanguageFile.ReadText(core::kGeneralSection, key); }

}  // namespace

int FloatAlphaForBar(int floatAlpha) {
    if (floatAlpha < kFloatAlphaMin) return kFallbackFloatAlpha;
    if (floatAlpha > kFloatAlphaMax) return kFloatAlphaMax;
    return floatAlpha;
}

frmSetiGOForm::frmSetiGOForm() : Form("frmSetiGO"), boxes_(*this, core::kGeneralOptionsPageSection) {
    OZR_HANDLE(optFloating, Click);
    OZR_HANDLE(optSystray, Click);
    OZR_HANDLE(ddlShortcut, Click);
    OZR_HANDLE(ddlEvent, Click);
    OZR_HANDLE(chTop, Click);
    OZR_HANDLE(chTopFS, Click);
    OZR_HANDLE(chAnchor, Click);
    OZR_HANDLE(ddlHotspot, Click);
    OZR_HANDLE(cmdCustomize, Click);
    OZR_HANDLE(chNormal, Click);
    OZR_HANDLE(chTransp, Click);
    OZR_HANDLE(chTransl, Click);
    OZR_HANDLE(cmdColor, Click);
    OZR_HANDLE(scrOpacity, Change);
    OZR_HANDLE(chTransparent, Click);
    pctColor.Click = [this] { cmdColor_Click(); };
    Anchor.Tick = [this] { Anchor_Timer(); };
    BindHelp();
}

frmSetiGOForm& frmSetiGO() {
    static frmSetiGOForm form;
    return form;
}

void frmSetiGOForm::BindHelp() {
    struct PointedHelp {
        WindowedControl& control;
        const char* key;
    };
    const PointedHelp pointed[] = {
        {optFloating, "0101optFloating"}, {optSystray, "0102optSystray"},     {chTop, "0105chTop"},
        {chAnchor, "0106chAnchor"},       {cmdCustomize, "0108cmdCustomize"}, {chNormal, "0109chNormal"},
        {chTransp, "0110chTransp"},       {cmdColor, "0111cmdColor"},         {pctColor, "0112pctColor"},
        {chTransl, "0113chTransl"},       {chTransparent, "0115chTransparent"}, {chTopFS, "0116chTopFS"},
    };
    for (const PointedHelp& h : pointed)
        h.control.MouseMove = [&control = h.control, key = h.key](int, int, int, int) {
            core::ShowHelp(control.hWnd, key, false);
        };
    for (const FocusHelp& h : FocusHelpOf(*this)) h.control.GotFocus = [&control = h.control] { RaiseFocusHelp(control); };
}

void frmSetiGOForm::Design() {
    DesignPage(*this);
    frmGeneral.Move(240, 120, 5490, 1860);
    lblClockSel.Move(240, 330, 1800, 255);
    optFloating.Move(2160, 300, 1500, 300);
    optSystray.Move(3720, 300, 1710, 300);
    lblShortcuts.Move(240, 720, 5000, 255);
    lblShortcut.Move(480, 1080, 1200, 255);
    ddlShortcut.Move(1800, 1040, 3510, 315);
    lblAction.Move(480, 1470, 1200, 255);
    ddlEvent.Move(1800, 1430, 3510, 315);

    frmFloating.Move(240, 2040, 5490, 3420);
    chTop.Move(240, 300, 2160, 300);
    chTopFS.Move(2460, 300, 3000, 300);
    chAnchor.Move(240, 720, 1250, 300);
    ddlHotspot.Move(1560, 690, 2580, 315);
    cmdCustomize.Move(4230, 660, 1140, 375);
    cmdCustomize.Visible = false;
    ddlHotspot.Enabled = false;
    frmVisual.Move(240, 1140, 5010, 2130);
    chNormal.Move(240, 300, 1800, 300);
    chTransp.Move(240, 720, 1800, 300);
    chTransl.Move(240, 1140, 1800, 300);
    ColorKey().Place(240, 720);
    // The two rules that set the effects apart from the opacity bar.
    PutLine(Line6, 240, 1560, 4770, 1560);
    PutLine(Line7, 240, 1590, 4770, 1590);
    lblOpacity.Move(240, 1710, 1260, 255);
    scrOpacity.Move(1560, 1680, 3210, 285);
    scrOpacity.Min = kFloatAlphaMin;
    scrOpacity.Max = kFloatAlphaMax;
    scrOpacity.SmallChange = 5;
    scrOpacity.LargeChange = 25;
    scrOpacity.Value = kFloatAlphaMin;
    ShowColorControls(false);
    lblOpacity.Visible = false;
    scrOpacity.Enabled = false;

    frmSystray.Move(240, 5580, 5490, 720);
    chTransparent.Move(240, 300, 5000, 300);

    Anchor.Interval = 1;
    Anchor.Enabled = false;
    ddlShortcut.AddItem("Single Left Click");
    ddlShortcut.AddItem("Double Left Click");
}

void frmSetiGOForm::Form_Load() {
    PlacePage(*this);
    SetTexts();
    SetColors();
    core::HelpFile.SelectSection(kGeneralOptionsHelpSection);
    pageLoading_ = true;
    (Settings.SystrayClock ? optSystray : optFloating).Value = true;
    ddlEvent.Clear();
    ddlEvent.AddItem(Settings.OZRShortcut ? kDateTimeAction : kCopyAction);
    ddlEvent.AddItem(Settings.OZRShortcut ? kCopyAction : kDateTimeAction);
    ddlShortcut.ListIndex = 0;
    ddlEvent.ListIndex = 0;
    shortcutShown_ = 0;
    chTop.Value = Settings.FloatAlwaysOnTop ? vbChecked : vbUnchecked;
    chTopFS.Enabled = Settings.FloatAlwaysOnTop;
    chTopFS.Value = Settings.AlwaysOnTopFS ? vbChecked : vbUnchecked;
    chAnchor.Value = Settings.Anchor != 0 ? vbChecked : vbUnchecked;
    ddlHotspot.Enabled = Settings.Anchor != 0;
    cmdCustomize.Visible = Settings.Anchor != 0;
    if (Settings.WindowType == 0) chNormal.Value = vbChecked;
    if (Settings.WindowType == 1 || Settings.WindowType == 3) {
        chTransp.Value = vbChecked;
        ShowColorControls(true);
    }
    if (Settings.WindowType == 2 || Settings.WindowType == 3) {
        chTransl.Value = vbChecked;
        lblOpacity.Visible = true;
        scrOpacity.Enabled = true;
        Settings.FloatAlpha = static_cast<std::uint8_t>(FloatAlphaForBar(Settings.FloatAlpha));
        scrOpacity.Value = Settings.FloatAlpha;
    }
    chTransparent.Value = Settings.TransparentMode ? vbChecked : vbUnchecked;
    pageLoading_ = false;
    // A cancelled colour dialog raises an error in the step that opened it.
    CD.CancelError = true;
    CD.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCAnyColor;
}

void frmSetiGOForm::SetTexts() {
    SetAnchorTexts();
    core::LanguageFile.SelectSection(core::kGeneralOptionsPageSection);
    PutCaption(frmGeneral, "General");
    PutCaption(lblClockSel, "Ruriv Selection", true);
    PutCaption(optFloating, "Floating");
    PutCaption(optSystray, "Systray");
    PutCaption(lblShortcuts, "Shortcuts", true);
    PutCaption(lblShortcut, "Shortcut", true);
    PutCaption(lblAction, "Action", true);
    PutCaption(frmFloating, "Floating Options");
    PutCaption(chTop, "Always On Top");
    PutCaption(chTopFS, "Always On Top Full Screen");
    PutCaption(chAnchor, "Anchor");
    PutCaption(cmdCustomize, "Anchor Customization");
    PutCaption(frmVisual, "Visuals");
    PutCaption(chNormal, "Normal");
    PutCaption(chTransp, "Transparent");
    PutCaption(chTransl, "Translucent");
    PutCaption(cmdColor, "Color");
    PutCaption(lblOpacity, "Opacity", true);
    PutCaption(frmSystray, "Systray Options");
    PutCaption(chTransparent, "Transparent Mode");
}

void frmSetiGOForm::SetAnchorTexts() {
    core::LanguageFile.SelectSection(core::kGeneralSection);
    ddlHotspot.Clear();
    for (const char* key : kAnchorTexts) ddlHotspot.AddItem(core::LanguageFile.ReadString(key));
    ddlHotspot.ListIndex = Settings.Anchor >= 1 && Settings.Anchor <= 8 ? Settings.Anchor : 0;
}

void frmSetiGOForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &frmGeneral, &lblClockSel, &optFloating, &optSystray, &lblShortcuts, &lblShortcut, &lblAction, &frmFloating,
             &chAnchor, &chTop, &chTopFS, &frmVisual, &chNormal, &chTransp, &chTransl, &lblOpacity, &frmSystray,
             &chTransparent}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    cmdCustomize.BackColor = palette->button;
    cmdColor.BackColor = palette->button;
    for (Line* line : {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6, &Line7}) line->BorderColor = palette->text;
}

void frmSetiGOForm::SetQuietly(CheckBox& box, int value) {
    const bool wasLoading = pageLoading_;
    pageLoading_ = true;
    box.Value = value;
    pageLoading_ = wasLoading;
}

bool frmSetiGOForm::RefusedInSystray(CheckBox& box) {
    if (!Settings.SystrayClock) return false;
    boxes_.Show(PageBox::Information, General("MSGBOX Error Systray Mode - Option Not Available"));
    SetQuietly(box, box.Value == vbUnchecked ? vbChecked : vbUnchecked);
    return true;
}

void frmSetiGOForm::optFloating_Click() {
    if (pageLoading_) return;
    Settings.SystrayClock = false;
    core::frmMain().SwitchClockMode();
}

void frmSetiGOForm::optSystray_Click() {
    if (pageLoading_) return;
    Settings.SystrayClock = true;
    core::frmMain().SwitchClockMode();
}

void frmSetiGOForm::ddlShortcut_Click() {
    if (pageLoading_) return;
    if (ddlShortcut.ListIndex != shortcutShown_) {
        shortcutShown_ = ddlShortcut.ListIndex;
        pageLoading_ = true;
        ddlEvent.ListIndex = ddlEvent.ListIndex == 0 ? 1 : 0;
        pageLoading_ = false;
    }
    RaiseFocusHelp(ddlShortcut);
}

void frmSetiGOForm::ddlEvent_Click() {
    if (pageLoading_) return;
    Settings.OZRShortcut = !Settings.OZRShortcut;
    core::OZRSetClockShortcutCount(Settings.OZRShortcut ? 1 : 0);
    RaiseFocusHelp(ddlEvent);
}

void frmSetiGOForm::chTop_Click() {
    if (pageLoading_) return;
    Settings.FloatAlwaysOnTop = chTop.Value != vbUnchecked;
    core::frmMain().AlwaysOnTop(Settings.FloatAlwaysOnTop);
    chTopFS.Enabled = Settings.FloatAlwaysOnTop;
}

void frmSetiGOForm::chTopFS_Click() {
    if (pageLoading_) return;
    Settings.AlwaysOnTopFS = chTopFS.Value != vbUnchecked;
}

void frmSetiGOForm::chAnchor_Click() {
    if (pageLoading_ || RefusedInSystray(chAnchor)) return;
    const bool anchored = chAnchor.Value != vbUnchecked;
    ddlHotspot.Enabled = anchored;
    cmdCustomize.Visible = anchored;
    if (!anchored) Settings.Anchor = 0;
}

void frmSetiGOForm::ddlHotspot_Click() {
    Settings.Anchor = static_cast<std::uint8_t>(ddlHotspot.ListIndex < 0 ? 0 : ddlHotspot.ListIndex);
    core::frmMain().UpdateMainWindowAnchoring();
    RaiseFocusHelp(ddlHotspot);
}

void frmSetiGOForm::chTransparent_Click() {
    if (pageLoading_) return;
    Settings.TransparentMode = chTransparent.Value != vbUnchecked;
    core::OZRSetClockTransparent(Settings.TransparentMode ? 1 : 0);
}

}  // namespace settings
