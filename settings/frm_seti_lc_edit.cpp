// The label page's Delete, display colour and editing controls, and its popup help.
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "core/hook_settings.h"
#include "platform/forms/constants.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_lc.h"
#include "settings/label_page_state.h"
#include "settings/number_box.h"

namespace settings {

using namespace platform::forms;
using core::LabelCount;
using core::Labels;
using core::Settings;

void frmSetiLCForm::WireEditing() {
    OZR_HANDLE(cmdDelete, Click);
    OZR_HANDLE(cmdDisplayColor, Click);
    OZR_HANDLE(cmdColor, Click);
    OZR_HANDLE(cmdTextColor, Click);
    OZR_HANDLE(cmdFont, Click);
    OZR_HANDLE(chVisible, Click);
    optLeft.Click = [this] { ChooseAlignment(Alignment::Left); };
    optCenter.Click = [this] { ChooseAlignment(Alignment::Centre); };
    optRight.Click = [this] { ChooseAlignment(Alignment::Right); };
    for (bool horizontal : {true, false}) {
        TextBox& box = horizontal ? txtX : txtY;
        box.LostFocus = [this, horizontal] { ApplyOffset(horizontal); };
        // The key is not consumed: the caret moves too.
        box.KeyDown = [this, horizontal](int& keyCode, int) {
            if (int step = StepOfKey(keyCode)) StepOffset(horizontal, step);
        };
        (horizontal ? cmdXM : cmdYM).Click = [this, horizontal] { StepOffset(horizontal, -1); };
        (horizontal ? cmdXP : cmdYP).Click = [this, horizontal] { StepOffset(horizontal, 1); };
    }
    // The help each control shows when the pointer moves over it; a number box's buttons show the box's.
    const std::pair<WindowedControl*, const char*> pointerHelp[] = {
        {&lstLabels, "0402lstLabels"},   {&cmdNew, "0403cmdNew"},         {&cmdDelete, "0406cmdDelete"},
        {&chVisible, "0407chVisible"},   {&cmdDisplayColor, "0408cmdDisplayColor"},
        {&txtX, "0409txtX"},             {&cmdXM, "0409txtX"},            {&cmdXP, "0409txtX"},
        {&txtY, "0410txtY"},             {&cmdYM, "0410txtY"},            {&cmdYP, "0410txtY"},
        {&cmdColor, "0411cmdColor"},     {&cmdTextColor, "0412cmdTextColor"}, {&cmdFont, "0413cmdFont"},
        {&txtCLS, "0416txtCLS"},         {&optLeft, "0419optLeft"},       {&optCenter, "0420optCenter"},
        {&optRight, "0421optRight"},
    };
    for (const auto& entry : pointerHelp) {
        WindowedControl* control = entry.first;
        const char* key = entry.second;
        control->MouseMove = [control, key](int, int, int, int) { core::ShowHelp(control->hWnd, key, false); };
    }
    ddlLabelClass.GotFocus = [this] { core::ShowHelp(ddlLabelClass.hWnd, "0401ddlLabelClass", true); };
}

void frmSetiLCForm::cmdDelete_Click() {
    if (lstLabels.ListCount == 0) {
        boxes_.Error("Delete Error Message 2");
        return;
    }
    if (lstLabels.ListIndex < 0 && lstLabels.SelCount == 0) {
        boxes_.Error("Delete Error Message 1");
        return;
    }
    if (!boxes_.Ask(lstLabels.SelCount >= 2 ? "Delete Warning Message 2" : "Delete Warning Message 1")) return;
    if (lstLabels.SelCount == 0) lstLabels.Selected(lstLabels.ListIndex) = true;

    core::LabelsRebuilding = true;
    std::vector<long> itemData;
    std::vector<bool> selected;
    for (int i = 0; i < lstLabels.ListCount; ++i) {
        itemData.push_back(lstLabels.ItemData(i));
        selected.push_back(lstLabels.Selected(i));
    }
    const LabelDeletion plan = PlanLabelDeletion(itemData, selected);
    for (int index : plan.recordIndices) DeleteLabel(index);
    FillLabelLists(false, plan.lastRemovedPosition);
    lstLabels_Click();
    core::SendLabelsToHook(true);
}

void frmSetiLCForm::RunDialog(CommandButton& button, const std::function<void()>& show,
                              const std::function<void()>& use) {
    if (!core::SkipPageScaling) frmSeti().AlwaysOnTop(false);
    try {
        show();
        use();
    } catch (const CommonDialogCancelled&) {
        // Cancelled: nothing changes.
    } catch (const platform::Error& e) {
        core::DebugLog(std::string("[frmSetiLC]: the dialog failed, nothing was changed: ") + e.what());
    }
    if (!Settings.SystrayClock && core::frmMain().Visible) core::frmMain().SetFocus();
    if (Settings.AlwaysOnTopWindows && !core::SkipPageScaling) frmSeti().AlwaysOnTop(true);
    button.SetFocus();
}

void frmSetiLCForm::cmdDisplayColor_Click() {
    RunDialog(
        cmdDisplayColor,
        [this] {
            CD.Color = static_cast<platform::COLORREF>(Settings.FloatBackColor);
            CD.ShowColor();
        },
        [this] {
            Settings.FloatBackColor = static_cast<std::int32_t>(CD.Color);
            core::frmMain().BackColor = CD.Color;
            if (Settings.SystrayClock) core::OZRSetClockBackground(CD.Color);
        });
}

void frmSetiLCForm::cmdColor_Click() { ChooseLabelColor(cmdColor, &core::ClockLabel::Back, pctColor); }

void frmSetiLCForm::cmdTextColor_Click() { ChooseLabelColor(cmdTextColor, &core::ClockLabel::Fore, pctTextColor); }

void frmSetiLCForm::ChooseLabelColor(CommandButton& button, std::int32_t core::ClockLabel::*colour, PictureBox& swatch) {
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    core::ClockLabel& label = Labels[static_cast<std::size_t>(*index)];
    RunDialog(
        button,
        [&] {
            CD.Color = static_cast<platform::COLORREF>(label.*colour);
            CD.ShowColor();
        },
        [&] {
            label.*colour = static_cast<std::int32_t>(CD.Color);
            swatch.BackColor = CD.Color;
            SendLabelToHook(*index);
        });
}

void frmSetiLCForm::cmdFont_Click() {
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    core::ClockLabel& label = Labels[static_cast<std::size_t>(*index)];
    RunDialog(
        cmdFont,
        [&] {
            CD.FontName = label.Face;
            CD.FontSize = static_cast<double>(label.Size);
            CD.FontBold = label.Bold >= 401;
            CD.FontItalic = label.Italic;
            CD.FontUnderline = label.Underline;
            CD.FontStrikethru = label.StrikeOut;
            CD.ShowFont();
        },
        [&] {
            label.Face = CD.FontName;
            label.Size = FontPoints(CD.FontSize);
            label.Bold = CD.FontBold ? 700 : 400;
            label.Italic = CD.FontItalic;
            label.Underline = CD.FontUnderline;
            label.StrikeOut = CD.FontStrikethru;
            lblFont.Caption = FontSummary(label);
            SendLabelToHook(*index);
        });
}

void frmSetiLCForm::ApplyOffset(bool horizontal) {
    if (pageLoading_) return;
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    TextBox& box = horizontal ? txtX : txtY;
    std::string& shown = horizontal ? shownX_ : shownY_;
    if (box.Text == shown) return;  // untouched: the label stays where it is
    const std::string clean = SanitizeNumericText(box.Text, -kOffsetLimit, kOffsetLimit);
    box.Text = shown = clean;
    core::ClockLabel& label = Labels[static_cast<std::size_t>(*index)];
    const long pixels = std::stol(clean);
    if (horizontal)
        label.X = OffsetTwips(pixels, label.BaseX);
    else
        label.Y = OffsetTwips(pixels, label.BaseY);
    SendLabelToHook(*index);
    core::frmMain().UpdateDisplay(true);
}

void frmSetiLCForm::StepOffset(bool horizontal, int direction) {
    TextBox& box = horizontal ? txtX : txtY;
    if (box.Text().find_first_not_of(' ') == std::string::npos) ApplyOffset(horizontal);
    box.Text = StepOffsetText(box.Text, direction);
    ApplyOffset(horizontal);
}

void frmSetiLCForm::chVisible_Click() {
    if (pageLoading_) return;
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    Labels[static_cast<std::size_t>(*index)].Visible = chVisible.Value != vbUnchecked;
    SendLabelToHook(*index);
}

void frmSetiLCForm::ChooseAlignment(Alignment alignment) {
    if (pageLoading_) return;
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    core::ClockLabel& label = Labels[static_cast<std::size_t>(*index)];
    const std::optional<std::string> realigned = Realigned(label.SpawnString, alignment);
    if (!realigned) return;
    label.SpawnString = WithoutAlignment(label.SpawnString);
    MarkLabelForLayout(*index);
    // The script box stores the prefixed script and sends the label.
    if (!scriptSetsAlignment_) txtCLS.Text = *realigned;
}

}  // namespace settings
