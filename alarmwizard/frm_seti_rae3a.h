// frmSetiRAE3A: the wizard's special behaviours step, a side step of the window style step. The
// alarm gets a list of things it does when it fires besides showing its window: open a file, close
// windows by their title, log off, restart or shut down. The user picks a kind, sets its
// parameters and adds, updates or removes behaviours; Test Behavior runs the shown parameters at
// once. The step works on copies of the alarm's "Instruction" and "Extra": Ok and Save Simple
// store them, Cancel drops them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "alarmwizard/behavior_entries.h"
#include "alarmwizard/wizard_step.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/line.h"
#include "platform/forms/list_box.h"
#include "platform/forms/option_button.h"

namespace alarmwizard {

class frmSetiRAE3AForm : public WizardStep {
public:
    frmSetiRAE3AForm();

    platform::forms::CommonDialog CD{pctPicture, "CD"};
    platform::forms::Frame frmSpecialBehaviors{this, "frmSpecialBehaviors"};
    platform::forms::Label lblBehaviors{frmSpecialBehaviors, "lblBehaviors"};
    platform::forms::ComboBox ddlBehaviors{frmSpecialBehaviors, "ddlBehaviors"};
    platform::forms::Frame frmParameters{this, "frmParameters"};
    platform::forms::Label lblFile{frmParameters, "lblFile"};
    platform::forms::TextBox txt{frmParameters, "txt"};
    platform::forms::CommandButton cmd{frmParameters, "cmd"};
    platform::forms::CheckBox ch1{frmParameters, "ch1"};
    platform::forms::CheckBox ch2{frmParameters, "ch2"};
    platform::forms::CheckBox ch3{frmParameters, "ch3"};
    platform::forms::CheckBox ch4{frmParameters, "ch4"};
    platform::forms::OptionButton opt1{frmParameters, "opt1"};
    platform::forms::OptionButton opt2{frmParameters, "opt2"};
    platform::forms::CommandButton cmdTestBehavior{frmParameters, "cmdTestBehavior"};
    platform::forms::Frame frmBehaviors{this, "frmBehaviors"};
    platform::forms::ListBox lstBehaviors{frmBehaviors, "lstBehaviors"};
    platform::forms::CommandButton cmdAddBehavior{frmBehaviors, "cmdAddBehavior"};
    platform::forms::CommandButton cmdUpdateBehavior{frmBehaviors, "cmdUpdateBehavior"};
    platform::forms::CommandButton cmdRemoveBehavior{frmBehaviors, "cmdRemoveBehavior"};
    platform::forms::Line Line1{this, "Line1"};

    // The working copies (tests read them).
    const std::string& EditedInstruction() const { return editedInstruction_; }
    const std::string& EditedExtra() const { return editedExtra_; }

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void StoreStep() override;

private:
    void BindHelp();
    platform::forms::CheckBox& CheckBoxAt(int box);
    std::int16_t ChosenKind() const;
    std::vector<std::string> KindNames();

    core::SpecialBehavior ShowBehaviorParameters(std::int32_t number);
    BehaviorFields BuildBehaviorParameters();
    core::SpecialBehavior ReadBehavior(std::int32_t number) const;
    void FillBehaviorList();
    void MakeCurrentLine(int index);
    // Sets check boxes without their rules running.
    void SetCheckBox(int box, bool checked);
    // Hidden (kind 0) leaves the other three boxes of an open behaviour disabled.
    void FollowDisablingBox();
    bool TextRefused();

    void ddlBehaviors_Click();
    void ddlBehaviors_GotFocus();
    void cmd_Click();
    void CheckBox_Click(int box);
    void lstBehaviors_Click();
    void cmdAddBehavior_Click();
    void cmdUpdateBehavior_Click();
    void cmdRemoveBehavior_Click();
    void TestSpecialBehavior();

    std::string editedInstruction_;
    std::string editedExtra_;
    std::int16_t selectedEntryKind_ = -1;
    bool ignoreFieldEvents_ = false;
    bool arrangingLines_ = false;
    // Which check boxes the chosen kind uses (its language key is not "NULL").
    std::array<bool, 4> checkBoxUsed_{};
};

frmSetiRAE3AForm& frmSetiRAE3A();

}  // namespace alarmwizard
