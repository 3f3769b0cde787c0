// frmSetiLC: the label page. It lists the clock's labels of a class, adds and deletes labels, and
// edits the chosen label's offset, colours, font, visibility, alignment and format script. Every
// edit goes to the library at once, so the clock changes while the settings window is open; the
// settings window's Apply saves the labels and its Cancel reads them back.
//
// The page's frame, its lists and New are in frm_seti_lc.cpp; Delete and the editing controls in
// frm_seti_lc_edit.cpp; the script box and its two lists in frm_seti_lc_script.cpp.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/list_box.h"
#include "platform/forms/option_button.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "settings/label_rules.h"
#include "settings/page_boxes.h"

namespace settings {

inline constexpr const char* kLabelPageHelpSection = "Popup Help System - Program Settings - Label Customization";

class frmSetiLCForm : public platform::forms::Form {
public:
    frmSetiLCForm();

    platform::forms::Frame frmLabel{this, "frmLabel"};
    platform::forms::Label lblLabelClass{frmLabel, "lblLabelClass"};
    platform::forms::ComboBox ddlLabelClass{frmLabel, "ddlLabelClass"};
    platform::forms::ListBox lstLabels{frmLabel, "lstLabels"};
    platform::forms::CommandButton cmdNew{frmLabel, "cmdNew"};
    platform::forms::CommandButton cmdDelete{frmLabel, "cmdDelete"};
    platform::forms::CheckBox chVisible{frmLabel, "chVisible"};
    platform::forms::CommandButton cmdDisplayColor{frmLabel, "cmdDisplayColor"};
    platform::forms::Label lblStatus{frmLabel, "lblStatus"};

    platform::forms::Frame frmProperties{this, "frmProperties"};
    platform::forms::Label lblX{frmProperties, "lblX"};
    platform::forms::CommandButton cmdXM{frmProperties, "cmdXM"};
    platform::forms::TextBox txtX{frmProperties, "txtX"};
    platform::forms::CommandButton cmdXP{frmProperties, "cmdXP"};
    platform::forms::Label lblXRelative{frmProperties, "lblXRelative"};
    platform::forms::Label lblY{frmProperties, "lblY"};
    platform::forms::CommandButton cmdYM{frmProperties, "cmdYM"};
    platform::forms::TextBox txtY{frmProperties, "txtY"};
    platform::forms::CommandButton cmdYP{frmProperties, "cmdYP"};
    platform::forms::Label lblYRelative{frmProperties, "lblYRelative"};
    platform::forms::CommandButton cmdColor{frmProperties, "cmdColor"};
    platform::forms::CommandButton cmdTextColor{frmProperties, "cmdTextColor"};
    // The two swatches take the chosen colours; they stay hidden with their eight frame lines.
    platform::forms::PictureBox pctColor{frmProperties, "pctColor"};
    platform::forms::PictureBox pctTextColor{frmProperties, "pctTextColor"};
    platform::forms::Line Line1{frmProperties, "Line1"};
    platform::forms::Line Line2{frmProperties, "Line2"};
    platform::forms::Line Line3{frmProperties, "Line3"};
    platform::forms::Line Line4{frmProperties, "Line4"};
    platform::forms::Line Line5{frmProperties, "Line5"};
    platform::forms::Line Line6{frmProperties, "Line6"};
    platform::forms::Line Line7{frmProperties, "Line7"};
    platform::forms::Line Line8{frmProperties, "Line8"};
    platform::forms::CommandButton cmdFont{frmProperties, "cmdFont"};
    platform::forms::Label lblFont{frmProperties, "lblFont"};
    platform::forms::Label lblCLS{frmProperties, "lblCLS"};
    platform::forms::TextBox txtCLS{frmProperties, "txtCLS"};
    platform::forms::ComboBox ddlQuick{frmProperties, "ddlQuick"};
    platform::forms::ComboBox ddlPre{frmProperties, "ddlPre"};
    platform::forms::Label lblAlignment{frmProperties, "lblAlignment"};
    platform::forms::OptionButton optLeft{frmProperties, "optLeft"};
    platform::forms::OptionButton optCenter{frmProperties, "optCenter"};
    platform::forms::OptionButton optRight{frmProperties, "optRight"};

    // The colour and font dialogs.
    platform::forms::CommonDialog CD{this, "CD"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    // The frame (frm_seti_lc.cpp).
    void SetTexts();
    void SetColors();
    void FillLabelLists(bool refillCombos, int selectPosition);
    void EnableLabelControls(bool enable);
    void SendLabelToHook(int index);
    // The index in Labels of the label the list's current entry stands for.
    std::optional<int> SelectedLabel();
    void ddlLabelClass_Click();
    void lstLabels_Click();
    void cmdNew_Click();
    std::string T(const char* key);

    // Delete and the editing controls (frm_seti_lc_edit.cpp).
    void WireEditing();
    void cmdDelete_Click();
    void cmdDisplayColor_Click();
    void cmdColor_Click();
    void cmdTextColor_Click();
    // The label's back or text colour from the colour dialog, shown on its swatch.
    void ChooseLabelColor(platform::forms::CommandButton& button, std::int32_t core::ClockLabel::*colour,
                          platform::forms::PictureBox& swatch);
    void cmdFont_Click();
    void chVisible_Click();
    void ChooseAlignment(Alignment alignment);
    // Leaving an offset box (X when horizontal): its text, cleaned, becomes the label's offset.
    void ApplyOffset(bool horizontal);
    void StepOffset(bool horizontal, int direction);
    // Runs a colour or font dialog with the settings window out of its way: `use` takes what was
    // chosen; a cancel or a failure leaves everything as it was. The focus goes back to `button`.
    void RunDialog(platform::forms::CommandButton& button, const std::function<void()>& show,
                   const std::function<void()>& use);

    // The script box and its two lists (frm_seti_lc_script.cpp).
    void WireScripts();
    void txtCLS_Change();
    void ddlQuick_Click();
    void ddlPre_Click();

    PageBoxes boxes_;
    bool pageLoading_ = false;
    // True while the script box selects the option that matches the script's prefix.
    bool scriptSetsAlignment_ = false;
    // What the offset boxes showed when the label was chosen or last applied: leaving a box whose
    // text is still this keeps the label as it is (a shown decimal must not turn into a jump).
    std::string shownX_, shownY_;
};

frmSetiLCForm& frmSetiLC();

}  // namespace settings
