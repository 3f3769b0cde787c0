#include "settings/frm_seti_lc.h"

#include "core/date_routines.h"
#include "core/frm_zinput.h"
#include "core/globals.h"
#include "core/hook_settings.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "core/rounding.h"
#include "platform/forms/constants.h"
#include "platform/window/window.h"
#include "settings/label_page_state.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::LabelCount;
using core::Labels;

namespace {

// The two classes that cannot be chosen yet answer with a fixed box.
constexpr const char* kClassNotYetTitle = "OZR Ruriv - Information";
constexpr const char* kTooltipClassNotYet =
    "The \"Ruriv Tooltip\" option is not available yet. It should be unlocked soon!";
constexpr const char* kClipboardClassNotYet =
    "The \"Clipboard Copy Format\" option is not available yet. It should be unlocked soon!";

// A language section's values, in file order, as a drop-down list's entries; the first is chosen.
void FillFromSection(ComboBox& list, const char* section) {
    std::vector<std::string> keys, values;
    core::LanguageFile.ReadSection(section, keys, values);
    list.Clear();
    for (const std::string& value : values) list.AddItem(value);
    if (list.ListCount > 0) list.ListIndex = 0;
}

}  // namespace

frmSetiLCForm::frmSetiLCForm() : Form("frmSetiLC"), boxes_(*this, core::kLabelPageSection) {
    OZR_HANDLE(ddlLabelClass, Click);
    OZR_HANDLE(lstLabels, Click);
    OZR_HANDLE(cmdNew, Click);
    WireEditing();
    WireScripts();
}

frmSetiLCForm& frmSetiLC() {
    static frmSetiLCForm form;
    return form;
}

void frmSetiLCForm::Design() {
    DesignPage(*this);
    frmLabel.Move(0, 0, 5970, 2925);
    lblLabelClass.Move(120, 330, 1290, 255);
    ddlLabelClass.Move(1440, 285, 2370, 315);
    lstLabels.Move(120, 720, 3600, 2085);
    lstLabels.MultiSelect = vbMultiSelectExtended;
    cmdNew.Move(3840, 285, 2010, 375);
    cmdDelete.Move(3840, 720, 2010, 375);
    chVisible.Move(3840, 1170, 2010, 300);
    cmdDisplayColor.Move(3840, 1545, 2010, 375);
    lblStatus.Move(3840, 2010, 2010, 795);
    lblStatus.WordWrap = true;

    frmProperties.Move(0, 3015, 5970, 3450);
    lblX.Move(120, 345, 1170, 255);
    cmdXM.Move(1320, 300, 315, 315);
    cmdXM.Caption = "-";
    txtX.Move(1650, 300, 720, 315);
    cmdXP.Move(2385, 300, 315, 315);
    cmdXP.Caption = "+";
    lblXRelative.Move(2820, 345, 3030, 255);
    lblY.Move(120, 765, 1170, 255);
    cmdYM.Move(1320, 720, 315, 315);
    cmdYM.Caption = "-";
    txtY.Move(1650, 720, 720, 315);
    cmdYP.Move(2385, 720, 315, 315);
    cmdYP.Caption = "+";
    lblYRelative.Move(2820, 765, 3030, 255);
    cmdColor.Move(120, 1200, 1800, 375);
    cmdTextColor.Move(2040, 1200, 1800, 375);
    cmdFont.Move(3960, 1200, 1890, 375);
    for (PictureBox* swatch : {&pctColor, &pctTextColor}) {
        swatch->Move(0, 0, 300, 300);
        swatch->Visible = false;
    }
    for (Line* line : {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8}) line->Visible = false;
    lblFont.Move(120, 1680, 5730, 255);
    lblCLS.Move(120, 2085, 1110, 255);
    txtCLS.Move(1260, 2040, 4590, 315);
    ddlQuick.Move(1260, 2445, 2175, 315);
    ddlPre.Move(3555, 2445, 2295, 315);
    lblAlignment.Move(120, 2940, 1350, 255);
    optLeft.Move(1500, 2910, 1350, 300);
    optCenter.Move(2940, 2910, 1350, 300);
    optRight.Move(4380, 2910, 1350, 300);
    // Until a label is chosen nothing can be edited.
    EnableLabelControls(false);
}

void frmSetiLCForm::Form_Load() {
    PlacePage(*this);
    SetTexts();
    SetColors();
    core::HelpFile.SelectSection(kLabelPageHelpSection);
    pageLoading_ = true;
    FillLabelLists(true, 0);
    pageLoading_ = false;
    // A cancel is reported as an error; screen and printer fonts with their effects; for the
    // colour dialog the same flags start from the colour given, fully open.
    CD.CancelError = true;
    CD.Flags = cdlCFBoth | cdlCFEffects;
}

std::string frmSetiLCForm::T(const char* key) { return core::LanguageFile.ReadText(core::kLabelPageSection, key); }


void frmSetiLCForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kLabelPageSection);
    frmLabel.Caption = T("Label");
    lblLabelClass.Caption = T("Label Class") + ":";
    cmdNew.Caption = T("New");
    cmdDelete.Caption = T("Delete");
    chVisible.Caption = T("Visible");
    cmdDisplayColor.Caption = T("Display Color");
    lblStatus.Caption = T("Status") + ": " + T("Status 0") + ".";
    frmProperties.Caption = T("Label Properties");
    lblX.Caption = T("X Offset") + ":";
    lblXRelative.Caption = T("X Explanation");
    lblY.Caption = T("Y Offset") + ":";
    lblYRelative.Caption = T("Y Explanation");
    cmdColor.Caption = T("Color");
    cmdTextColor.Caption = T("Text Color");
    cmdFont.Caption = T("Font");
    lblCLS.Caption = T("CLS") + ":";
    lblAlignment.Caption = T("Alignment") + ":";
    optLeft.Caption = T("Left");
    optCenter.Caption = T("Center");
    optRight.Caption = T("Right");
}

void frmSetiLCForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ForeColor = palette->text;
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &frmLabel, &lblLabelClass, &chVisible, &lblStatus, &frmProperties, &lblX, &lblXRelative, &lblY,
             &lblYRelative, &lblFont, &lblCLS, &lblAlignment, &optLeft, &optCenter, &optRight}) {
        c->BackColor = palette->back;
        c->ForeColor = palette->text;
    }
    for (CommandButton* b : {&cmdNew, &cmdDelete, &cmdDisplayColor, &cmdXM, &cmdXP, &cmdYM, &cmdYP, &cmdColor,
                             &cmdTextColor, &cmdFont})
        b->BackColor = palette->button;
    for (Line* line : {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8}) line->BorderColor = palette->text;
}

void frmSetiLCForm::FillLabelLists(bool refillCombos, int selectPosition) {
    if (refillCombos) {
        ddlLabelClass.Clear();
        for (const char* key : {"Label Class 1", "Label Class 2", "Label Class 3"}) ddlLabelClass.AddItem(T(key));
        ddlLabelClass.ListIndex = 0;
        FillFromSection(ddlQuick, core::kQuickInsertSection);
        FillFromSection(ddlPre, core::kScriptsSection);
    }
    lstLabels.Clear();
    for (int i = 0; i < LabelCount; ++i) {
        if (!BelongsToClass(Labels[static_cast<std::size_t>(i)].LabelFlags, ddlLabelClass.ListIndex)) continue;
        lstLabels.AddItem(Labels[static_cast<std::size_t>(i)].LabelName);
        lstLabels.ItemData(lstLabels.NewIndex) = i;
    }
    if (lstLabels.ListCount == 0) return;
    if (selectPosition < 1) {
        lstLabels_Click();  // nothing is selected: the editing controls are disabled
        return;
    }
    const int position = std::min(selectPosition, lstLabels.ListCount - 1);
    lstLabels.ListIndex = position;
    lstLabels.Selected(position) = true;
}

std::optional<int> frmSetiLCForm::SelectedLabel() {
    if (lstLabels.ListIndex < 0) return std::nullopt;
    const long index = lstLabels.ItemData(lstLabels.ListIndex);
    if (index < 0 || index >= LabelCount) return std::nullopt;
    return static_cast<int>(index);
}

void frmSetiLCForm::lstLabels_Click() {
    const std::optional<int> index = SelectedLabel();
    if (!index) {
        EnableLabelControls(false);
        return;
    }
    if (!chVisible.Enabled) EnableLabelControls(true);
    pageLoading_ = true;
    const core::ClockLabel& l = Labels[static_cast<std::size_t>(*index)];
    txtX.Text = shownX_ = OffsetText(l.X, l.BaseX);
    txtY.Text = shownY_ = OffsetText(l.Y, l.BaseY);
    pctColor.BackColor = static_cast<platform::COLORREF>(l.Back);
    pctTextColor.BackColor = static_cast<platform::COLORREF>(l.Fore);
    lblFont.Caption = FontSummary(l);
    txtCLS.Text = l.SpawnString;
    // The alignment the library last reported, not a reading of the script.
    OptionButton* options[] = {&optLeft, &optCenter, &optRight};
    options[static_cast<int>(AlignmentOfFlags(l.LabelFlags))]->Value = true;
    chVisible.Value = l.Visible ? vbChecked : vbUnchecked;
    pageLoading_ = false;
}

void frmSetiLCForm::EnableLabelControls(bool enable) {
    for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{
             &cmdXM, &cmdXP, &txtX, &cmdYM, &cmdYP, &txtY, &cmdColor, &cmdTextColor, &cmdFont, &txtCLS, &ddlQuick,
             &ddlPre, &chVisible, &optLeft, &optCenter, &optRight})
        c->Enabled = enable;
    for (VisualControl* c : std::initializer_list<VisualControl*>{&pctColor, &pctTextColor, &Line1, &Line2, &Line3,
                                                                  &Line4, &Line5, &Line6, &Line7, &Line8})
        c->Visible = false;
    if (!enable) lblFont.Caption = "N/A";
}

void frmSetiLCForm::SendLabelToHook(int index) { PushLabelToHook(index); }

void frmSetiLCForm::ddlLabelClass_Click() {
    if (pageLoading_) return;
    const int position = ddlLabelClass.ListIndex;
    if (position == kClipboardClass || position == kTooltipClass) {
        platform::MessageBox(hWnd, position == kClipboardClass ? kClipboardClassNotYet : kTooltipClassNotYet,
                             kClassNotYetTitle, platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
        ddlLabelClass.ListIndex = kTimeAndDateClass;
    }
    FillLabelLists(false, 0);
    core::ShowHelp(ddlLabelClass.hWnd, "0401ddlLabelClass", true);
}

void frmSetiLCForm::cmdNew_Click() {
    platform::RECT r{};
    platform::GetWindowRect(hWnd, &r);
    const std::string title = core::LanguageFile.ReadText(core::kInputBoxSection, "Add New Label Title");
    const std::string prompt = core::LanguageFile.ReadText(core::kInputBoxSection, "Add New Label Text") + ":";
    const std::string ok = core::LanguageFile.ReadText(core::kInputBoxSection, "Button Ok");
    const std::string cancel = core::LanguageFile.ReadText(core::kInputBoxSection, "Button Cancel");
    core::frmZInput().SetTexts(title, prompt, "", ok, cancel);
    // The centre of the page, in twips.
    const auto centre = [](int from, int to) {
        return static_cast<std::int32_t>(core::RoundHalfEven(from * 15 + (to * 15 - from * 15) / 2.0));
    };
    core::frmZInput().SetProperties(centre(r.left, r.right), centre(r.top, r.bottom));
    core::frmZInput().Show(vbModal);
    if (core::InputResultCode != core::kInputOk) return;

    const std::string name = CleanLabelName(core::InputResultText);
    const char* refusal = name.empty() ? "New Label Invalid Name"
                          : LabelNameTaken(Labels, LabelCount, name) ? "New Label Duplicate Name"
                                                                      : nullptr;
    if (refusal) {
        boxes_.Error(refusal);
        return;
    }
    AddLabel(name);
    FillLabelLists(false, LabelCount - 1);
    core::SendLabelsToHook(true);
}

}  // namespace settings
