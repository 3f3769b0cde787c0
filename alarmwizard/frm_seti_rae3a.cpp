#include "alarmwizard/frm_seti_rae3a.h"

#include <optional>
#include <utility>

#include "core/globals.h"
#include "core/language_files.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "core/property_strings.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;

namespace {

constexpr const char* kNotUsed = "N/A";
constexpr const char* kNoValue = "NULL";

std::int32_t Switch(const CheckBox& box) { return box.Value == vbChecked ? -1 : 0; }

// The value of one of the chosen kind's parameter keys ("B2 CH1"); nothing when the language file
// marks the parameter unused ("NULL") or does not have it.
std::optional<std::string> KindParameter(std::int16_t kind, const char* parameter) {
    core::LanguageFile.SelectSection(kStep3A.languageSection);
    if (core::LanguageFile.KeyExists("B" + std::to_string(kind + 1) + " " + parameter) != 1) return std::nullopt;
    std::string value = core::LanguageFile.FoundValue();
    if (value == kNoValue) return std::nullopt;
    return value;
}

}  // namespace

frmSetiRAE3AForm::frmSetiRAE3AForm() : WizardStep(kStep3A) {
    OZR_HANDLE(ddlBehaviors, Click);
    OZR_HANDLE(ddlBehaviors, GotFocus);
    OZR_HANDLE(cmd, Click);
    OZR_HANDLE(lstBehaviors, Click);
    OZR_HANDLE(cmdAddBehavior, Click);
    OZR_HANDLE(cmdUpdateBehavior, Click);
    OZR_HANDLE(cmdRemoveBehavior, Click);
    cmdTestBehavior.Click = [this] { TestSpecialBehavior(); };
    for (int box = 1; box <= 4; ++box) CheckBoxAt(box).Click = [this, box] { CheckBox_Click(box); };
    cmdOk.Click = [this] { MoveBack(kStep3); };
    cmdCancel.Click = [this] { MoveBack(kStep3, false); };
    cmdSave.Click = [this] { SaveSimple(); };
    BindHelp();
}

frmSetiRAE3AForm& frmSetiRAE3A() {
    static frmSetiRAE3AForm form;
    return form;
}

CheckBox& frmSetiRAE3AForm::CheckBoxAt(int box) {
    CheckBox* boxes[4] = {&ch1, &ch2, &ch3, &ch4};
    return *boxes[box - 1];
}

// The parameter controls' help depends on the chosen kind: their ids end in its place in the list.
void frmSetiRAE3AForm::BindHelp() {
    const std::pair<WindowedControl*, const char*> perKind[] = {
        {&txt, "1202txt_"}, {&cmd, "1203cmd_"},   {&ch1, "1204ch1_"},   {&ch2, "1205ch2_"},
        {&ch3, "1206ch3_"}, {&ch4, "1207ch4_"}, {&opt1, "1208opt1_"}, {&opt2, "1209opt2_"},
    };
    for (const auto& [control, stem] : perKind)
        control->MouseMove = [this, hovered = control, id = stem](int, int, int, int) {
            if (ChosenKind() >= 0) core::ShowHelp(hovered->hWnd, id + std::to_string(ChosenKind()), false);
        };
    HelpOn({&lstBehaviors}, "1210lstBehaviors");
    HelpOn({&cmdAddBehavior}, "1211cmdAddBehavior");
    HelpOn({&cmdUpdateBehavior}, "1212cmdUpdateBehavior");
    HelpOn({&cmdRemoveBehavior}, "1213cmdRemoveBehavior");
    HelpOn({&cmdOk}, "1214cmdOk");
    HelpOn({&cmdCancel}, "1215cmdCancel");
    HelpOn({&cmdSave}, "1216cmdSave");
    HelpOn({&cmdTestBehavior}, "1218cmdTestBehavior");
}

void frmSetiRAE3AForm::Design() {
    WizardStep::Design();
    DesignSideStepButtons();
    const int width = settings::kPageWidth - 120;

    frmSpecialBehaviors.Move(60, kContentTop, width, 660);
    lblBehaviors.Move(120, 285, 1000, 255);
    ddlBehaviors.Move(1140, 240, width - 1260, 315);

    frmParameters.Move(60, kContentTop + 690, width, 1560);
    lblFile.Move(120, 285, 1000, 255);
    txt.Move(1140, 240, width - 2460, 315);
    cmd.Move(width - 1260, 240, 1140, 315);
    ch1.Move(120, 630, 2760, 255);
    ch2.Move(2940, 630, 2760, 255);
    ch3.Move(120, 900, 2760, 255);
    ch4.Move(2940, 900, 2760, 255);
    opt1.Move(120, 1200, 1560, 255);
    opt2.Move(1740, 1200, 1560, 255);
    cmdTestBehavior.Move(width - 2100, 1140, 1980, 345);

    frmBehaviors.Move(60, kContentTop + 2280, width, 1290);
    lstBehaviors.Move(120, 240, width - 1500, 1020);
    lstBehaviors.MultiSelect = vbMultiSelectExtended;
    cmdAddBehavior.Move(width - 1260, 240, 1140, 315);
    cmdUpdateBehavior.Move(width - 1260, 585, 1140, 315);
    cmdRemoveBehavior.Move(width - 1260, 930, 1140, 315);

    Line1.X1 = 60;
    Line1.X2 = settings::kPageWidth - 60;
    Line1.Y1 = Line1.Y2 = kButtonTop - 75;
}

void frmSetiRAE3AForm::SetStepTexts() {
    selectedEntryKind_ = -1;
    frmSpecialBehaviors.Caption = StepText("Special");
    lblBehaviors.Caption = StepText("Select");
    frmParameters.Caption = StepText("Parameters");
    frmBehaviors.Caption = StepText("Currently");
    cmdTestBehavior.Caption = StepText("TestBehavior");
    cmd.Caption = kNotUsed;
    cmd.Enabled = false;
    cmdAddBehavior.Caption = GeneralText("Add");
    cmdUpdateBehavior.Caption = GeneralText("Update");
    cmdRemoveBehavior.Caption = GeneralText("Remove");
    // The kinds are "B1", "B2" ... up to the first that is missing.
    ddlBehaviors.Clear();
    core::LanguageFile.SelectSection(kStep3A.languageSection);
    for (int n = 1; core::LanguageFile.KeyExists("B" + std::to_string(n)) == 1; ++n)
        ddlBehaviors.AddItem(core::LanguageFile.FoundValue());
    ignoreFieldEvents_ = true;
    if (ddlBehaviors.ListCount > 0) ddlBehaviors.ListIndex = 0;
    ignoreFieldEvents_ = false;
}

void frmSetiRAE3AForm::FillFromRecord() {
    ignoreFieldEvents_ = true;
    editedInstruction_ = AlarmUnderEdit.Instruction;
    editedExtra_ = AlarmUnderEdit.Extra;
    FillBehaviorList();
    if (lstBehaviors.ListCount > 0) MakeCurrentLine(0);
    ignoreFieldEvents_ = false;
}

// Not stored yet: an empty list, whatever the record holds.
void frmSetiRAE3AForm::FillDefaults() {
    ignoreFieldEvents_ = true;
    editedInstruction_.clear();
    editedExtra_.clear();
    lstBehaviors.Clear();
    if (ddlBehaviors.ListCount > 0) ddlBehaviors.ListIndex = 0;
    ignoreFieldEvents_ = false;
}

void frmSetiRAE3AForm::StoreStep() {
    WizardStep::StoreStep();
    AlarmUnderEdit.Instruction = editedInstruction_;
    AlarmUnderEdit.Extra = editedExtra_;
}

std::int16_t frmSetiRAE3AForm::ChosenKind() const { return static_cast<std::int16_t>(ddlBehaviors.ListIndex()); }

std::vector<std::string> frmSetiRAE3AForm::KindNames() {
    std::vector<std::string> names;
    for (int i = 0; i < ddlBehaviors.ListCount; ++i) names.push_back(ddlBehaviors.List(i));
    return names;
}

core::SpecialBehavior frmSetiRAE3AForm::ReadBehavior(std::int32_t number) const {
    core::SpecialBehavior behavior;
    core::ParseBehavior(behavior, editedInstruction_, editedExtra_, number);
    return behavior;
}

// The chosen kind's parameter controls, captioned from the language file, cleared; the behaviour
// shown from the list comes back when its kind is chosen again. The kinds list's help follows a
// choice, but not the page's own choices while it loads.
void frmSetiRAE3AForm::ddlBehaviors_Click() {
    const std::int16_t kind = ChosenKind();
    const std::optional<std::string> title = KindParameter(kind, "Textbox Title");
    lblFile.Caption = title ? *title + ":" : kNotUsed;
    lblFile.Enabled = title.has_value();
    const std::optional<std::string> text = KindParameter(kind, "Textbox Default");
    txt.Text = text.value_or(kNotUsed);
    txt.Enabled = text.has_value();
    const std::pair<CaptionedControl*, const char*> captioned[] = {
        {&cmd, "Command Caption"}, {&ch1, "CH1"}, {&ch2, "CH2"}, {&ch3, "CH3"}, {&ch4, "CH4"}, {&opt1, "OPT1"}, {&opt2, "OPT2"},
    };
    for (auto [control, parameter] : captioned) {
        const std::optional<std::string> caption = KindParameter(kind, parameter);
        control->Caption = caption.value_or(kNotUsed);
        control->Enabled = caption.has_value();
    }
    for (int box = 1; box <= 4; ++box) {
        checkBoxUsed_[box - 1] = CheckBoxAt(box).Enabled;
        SetCheckBox(box, false);
    }
    opt1.Value = false;
    opt2.Value = false;
    cmdUpdateBehavior.Enabled = kind == selectedEntryKind_;
    if (kind == selectedEntryKind_ && lstBehaviors.ListIndex >= 0)
        ShowBehaviorParameters(lstBehaviors.ItemData(lstBehaviors.ListIndex));
    // A shut-down is standard unless the behaviour shown says otherwise.
    if (kind == kShutDownKind && !opt1.Value && !opt2.Value) opt1.Value = true;
    if (!ignoreFieldEvents_) ddlBehaviors_GotFocus();
}

void frmSetiRAE3AForm::ddlBehaviors_GotFocus() { core::ShowHelp(ddlBehaviors.hWnd, "1201ddlBehaviors", true); }

core::SpecialBehavior frmSetiRAE3AForm::ShowBehaviorParameters(std::int32_t number) {
    const core::SpecialBehavior behavior = ReadBehavior(number);
    const bool listed = behavior.Kind >= 0 && behavior.Kind < ddlBehaviors.ListCount;
    const int index = listed ? behavior.Kind : -1;
    if (ddlBehaviors.ListIndex != index) ddlBehaviors.ListIndex = index;
    txt.Text = behavior.Text;
    const std::int16_t checks[4] = {behavior.Check1, behavior.Check2, behavior.Check3, behavior.Check4};
    for (int box = 1; box <= 4; ++box) SetCheckBox(box, checks[box - 1] != 0);
    FollowDisablingBox();
    opt1.Value = behavior.Option == 1;
    opt2.Value = behavior.Option == 2;
    return behavior;
}

BehaviorFields frmSetiRAE3AForm::BuildBehaviorParameters() {
    BehaviorFields fields;
    fields.kind = ChosenKind();
    fields.hasText = txt.Enabled;
    for (int box = 1; box <= 4; ++box) fields.checks[box - 1] = CheckBoxAt(box).Value == vbChecked;
    fields.option = opt1.Value ? 1 : opt2.Value ? 2 : 0;
    return fields;
}

void frmSetiRAE3AForm::FillBehaviorList() {
    arrangingLines_ = true;
    lstBehaviors.Clear();
    const std::vector<std::string> names = KindNames();
    for (std::int32_t number : BehaviorNumbers(editedInstruction_)) {
        const core::SpecialBehavior behavior = ReadBehavior(number);
        if (selectedEntryKind_ == -1) selectedEntryKind_ = behavior.Kind;
        lstBehaviors.AddItem(DescribeBehavior(behavior, names));
        lstBehaviors.ItemData(lstBehaviors.NewIndex) = number;
    }
    arrangingLines_ = false;
}

// The line becomes the only selected one and the current one, and is shown once.
void frmSetiRAE3AForm::MakeCurrentLine(int index) {
    arrangingLines_ = true;
    for (int i = 0; i < lstBehaviors.ListCount; ++i) lstBehaviors.Selected(i) = i == index;
    lstBehaviors.ListIndex = index;
    arrangingLines_ = false;
    lstBehaviors_Click();
}

void frmSetiRAE3AForm::lstBehaviors_Click() {
    if (arrangingLines_ || lstBehaviors.ListIndex < 0) return;
    const core::SpecialBehavior behavior = ShowBehaviorParameters(lstBehaviors.ItemData(lstBehaviors.ListIndex));
    selectedEntryKind_ = behavior.Kind;
    // A behaviour of a kind the list does not hold cannot be updated: its kind would change.
    cmdUpdateBehavior.Enabled = behavior.Kind == ChosenKind();
}

void frmSetiRAE3AForm::SetCheckBox(int box, bool checked) {
    const bool was = ignoreFieldEvents_;
    ignoreFieldEvents_ = true;
    CheckBoxAt(box).Value = checked ? vbChecked : vbUnchecked;
    ignoreFieldEvents_ = was;
}

void frmSetiRAE3AForm::FollowDisablingBox() {
    for (int box = 1; box <= 4; ++box) {
        if (!CheckBoxRuleOf(ChosenKind(), box).disablesOthers) continue;
        const bool locked = CheckBoxAt(box).Value == vbChecked;
        for (int other = 1; other <= 4; ++other)
            if (other != box) CheckBoxAt(other).Enabled = checkBoxUsed_[other - 1] && !locked;
    }
}

// Checking a box clears the boxes it excludes; unchecking it clears nothing.
void frmSetiRAE3AForm::CheckBox_Click(int box) {
    if (ignoreFieldEvents_) return;
    const CheckBoxRule rule = CheckBoxRuleOf(ChosenKind(), box);
    if (CheckBoxAt(box).Value == vbChecked)
        for (int other = 1; other <= 4; ++other)
            if (rule.clears & (1u << (other - 1))) SetCheckBox(other, false);
    FollowDisablingBox();
}

bool frmSetiRAE3AForm::TextRefused() {
    if (!txt.Enabled || StorableBehaviorText(txt.Text)) return false;
    boxes_.Error("Error Text With Bar");
    return true;
}

void frmSetiRAE3AForm::cmdAddBehavior_Click() {
    if (TextRefused()) return;
    const std::int32_t number = NextBehaviorNumber(editedInstruction_);
    const std::string key = std::to_string(number);
    core::AddProperty(editedInstruction_, key, BehaviorValue(BuildBehaviorParameters()));
    // A text left behind under this number (by a damaged file) is not the new behaviour's.
    core::RemoveProperty(editedExtra_, key);
    if (txt.Enabled) core::AddProperty(editedExtra_, key, txt.Text);
    lstBehaviors.AddItem(DescribeBehavior(ReadBehavior(number), KindNames()));
    lstBehaviors.ItemData(lstBehaviors.NewIndex) = number;
    MakeCurrentLine(lstBehaviors.NewIndex);
}

// The behaviour keeps its number and its place. Its text is written also when the alarm had lost
// it, so that what the user typed is not dropped.
void frmSetiRAE3AForm::cmdUpdateBehavior_Click() {
    const int line = lstBehaviors.ListIndex;
    if (line < 0 || TextRefused()) return;
    if (!boxes_.Ask("Warning Update")) return;
    const std::int32_t number = lstBehaviors.ItemData(line);
    const std::string key = std::to_string(number);
    core::ReplaceProperty(editedInstruction_, key, BehaviorValue(BuildBehaviorParameters()));
    if (txt.Enabled) {
        if (core::HasProperty(editedExtra_, key))
            core::ReplaceProperty(editedExtra_, key, txt.Text);
        else
            core::AddProperty(editedExtra_, key, txt.Text);
    }
    lstBehaviors.List(line) = DescribeBehavior(ReadBehavior(number), KindNames());
}

void frmSetiRAE3AForm::cmdRemoveBehavior_Click() {
    if (lstBehaviors.ListCount == 0) {
        boxes_.Error("Error No Behaviors");
        return;
    }
    const int selected = lstBehaviors.SelCount;
    if (selected == 0 && lstBehaviors.ListIndex < 0) {
        boxes_.Error("Error Select Behavior");
        return;
    }
    if (!boxes_.Ask(selected >= 2 ? "Warning Delete Message 2" : "Warning Delete Message 1")) return;
    arrangingLines_ = true;
    if (selected == 0) lstBehaviors.Selected(lstBehaviors.ListIndex) = true;
    for (int line = 0; line < lstBehaviors.ListCount;) {
        if (!lstBehaviors.Selected(line)) {
            ++line;
            continue;
        }
        const std::string key = std::to_string(lstBehaviors.ItemData(line));
        core::RemoveProperty(editedInstruction_, key);
        core::RemoveProperty(editedExtra_, key);
        lstBehaviors.RemoveItem(line);
    }
    arrangingLines_ = false;
    lstBehaviors_Click();
}

// Runs what the controls show, at once and without a question: a shut-down shuts down.
void frmSetiRAE3AForm::TestSpecialBehavior() {
    const std::int32_t option = opt1.Value ? 1 : opt2.Value ? 2 : 0;
    core::OZRTriggerSpecialBehavior(ChosenKind(), txt.Text, Switch(ch1), Switch(ch2), Switch(ch3), Switch(ch4), option);
}

// Browse: for opening a file, the file's full path. The dialog starts where the text points.
void frmSetiRAE3AForm::cmd_Click() {
    if (ChosenKind() != kOpenFileKind) return;
    CD.CancelError = true;
    CD.Flags = cdlOFNHideReadOnly | cdlOFNFileMustExist;
    CD.Filter = "";
    CD.FileName = txt.Text();
    if (RunCommonDialog([this] { CD.ShowOpen(); })) txt.Text = CD.FileName();
    RestoreTopmost();
    cmd.SetFocus();
}

}  // namespace alarmwizard
