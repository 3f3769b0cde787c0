// The alarm manager's commands: New and Modify hand an alarm to the wizard, Test shows the stored
// alarm's window, Rename, Activate, Deactivate, Activate all, Delete and Sort change the alarm list
// in memory. A refused command shows its own box and changes nothing.
#include <algorithm>
#include <optional>
#include <string>

#include "alarmmanager/alarm_rows.h"
#include "alarmmanager/frm_seti_ram.h"
#include "core/alarm_window.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/frm_zinput.h"
#include "core/globals.h"
#include "core/held_back_alarms.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "platform/forms/constants.h"
#include "settings/frm_seti.h"
#include "settings/settings_pages.h"

namespace alarmmanager {

using namespace platform::forms;
using core::Alarm;
using core::Alarms;
using core::LanguageFile;

namespace {

constexpr const char* kFirstWizardStep = "frmSetiRAE1";
constexpr int kActivateOnly = 1, kDeactivateOnly = 2;

// Hands the alarm under edit to the wizard's first step, which replaces this page.
void ShowFirstWizardStep() {
    core::WarlockAnimFrame = 1;
    core::WarlockAnimReverse = false;
    settings::frmSeti().ShowSubWindow(settings::PageNamed(kFirstWizardStep), true);
}

// The name as the user typed it, without square brackets (they mark names in the alarm files'
// lists) and without blanks around it.
std::string CleanAlarmName(std::string name) {
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '[' || c == ']'; }), name.end());
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

bool NameTakenByAnother(const std::string& name, std::size_t self) {
    for (std::size_t j = 0; j < Alarms.size(); ++j)
        if (j != self && Alarms[j].NAME == name && !(Alarms[j].AlarmState & (core::kAlarmRemoved | core::kAlarmDeleted)))
            return true;
    return false;
}

}  // namespace

frmSetiRAMForm::RowCheck frmSetiRAMForm::CheckOneSelected() {
    if (flxAlarms.Rows < 3) return RowCheck::NoAlarmRows;
    int count = 0;
    for (int r = 1; r <= flxAlarms.Rows - 2; ++r) count += RowSelected(r) ? 1 : 0;
    return count == 0 ? RowCheck::NoneSelected : count > 1 ? RowCheck::MoreThanOne : RowCheck::Ok;
}

// The one selected row, or 0 after the matching error box.
int frmSetiRAMForm::OneSelectedRow(const char* noRows, const char* none, const char* many) {
    switch (CheckOneSelected()) {
        case RowCheck::NoAlarmRows: boxes_.Error(noRows); return 0;
        case RowCheck::MoreThanOne: boxes_.Error(many); return 0;
        case RowCheck::NoneSelected: boxes_.Error(none); return 0;
        case RowCheck::Ok: break;
    }
    for (int r = 1; r <= AlarmRowCount(); ++r)
        if (RowSelected(r)) return r;
    return 0;
}

void frmSetiRAMForm::DispatchAlarmManagementCommand(std::uint8_t& code) {
    if (!core::AlarmsLoaded) return;
    static constexpr void (frmSetiRAMForm::*kCommands[])() = {
        &frmSetiRAMForm::cmdTest_Click,   &frmSetiRAMForm::RenameSelectedAlarm, &frmSetiRAMForm::cmdActivate_Click,
        &frmSetiRAMForm::cmdDeactivate_Click, &frmSetiRAMForm::cmdModify_Click, &frmSetiRAMForm::cmdDelete_Click,
        &frmSetiRAMForm::cmdNew_Click,
    };
    if (code >= kCommandTest && code <= kCommandNew) (this->*kCommands[code - kCommandTest])();
}

void frmSetiRAMForm::cmdNew_Click() {
    core::StartNewAlarm();
    ShowFirstWizardStep();
}

// Modify and Test act on the one selected row: the row the user sees selected, whatever the
// grid's current row is after a toggle.
void frmSetiRAMForm::cmdModify_Click() {
    const int row = OneSelectedRow("Edit Alarm Error 2", "Edit Alarm Error 1", "Edit Alarm Error 3");
    if (!row) return;
    const int i = AlarmOfRow(row);
    core::AlarmUnderEdit = Alarms[static_cast<std::size_t>(i)];
    core::DebugLog("[frmSetiRAM]: " + core::AlarmUnderEdit.Text);
    core::EditedAlarmIndex = i;
    core::AlarmEditProgress = 11;
    ShowFirstWizardStep();
}

void frmSetiRAMForm::cmdTest_Click() {
    const int row = OneSelectedRow("Test Alarm Error 2", "Test Alarm Error 1", "Test Alarm Error 3");
    if (!row) return;
    const int i = AlarmOfRow(row);
    core::ShowAlarmWindow(i, Alarms[static_cast<std::size_t>(i)]);
}

void frmSetiRAMForm::cmdDelete_Click() {
    if (flxAlarms.Rows < 3) return boxes_.Error("Delete Alarm Error 2");
    if (CheckOneSelected() == RowCheck::NoneSelected) return boxes_.Error("Delete Alarm Error 1");
    if (!boxes_.Ask("Delete Alarm Warning")) return;
    for (int r = AlarmRowCount(); r >= 1; --r) {
        if (!RowSelected(r)) continue;
        Alarm& a = Alarms[static_cast<std::size_t>(AlarmOfRow(r))];
        a.FLAG = core::kAlarmOff;
        // Held back like every change of this page, so a save by the engine before Apply does
        // not write it and Cancel can still drop it.
        a.AlarmState = core::kAlarmDeleted | core::kAlarmHeldBack;
        flxAlarms.RemoveItem(r);
        core::AlarmsChanged = true;
    }
    ResetSelection();
    // The row now in the anchor's place (the new last one when the anchor was past it) is selected.
    const int former = std::min(selectionAnchor_, AlarmRowCount());
    selectionAnchor_ = -1;
    bool done = false;
    SelectAlarmRow(former, done);
    if (done) MakeCurrentRow(former);
}

void frmSetiRAMForm::SwitchSelected(int mode, const char* noRows, const char* none) {
    if (flxAlarms.Rows < 3) return boxes_.Error(noRows);
    if (CheckOneSelected() == RowCheck::NoneSelected) return boxes_.Error(none);
    std::vector<int> rows;
    for (int r = AlarmRowCount(); r >= 1; --r)
        if (RowSelected(r)) rows.push_back(r);
    SetAlarmsActive(rows, mode);
}

void frmSetiRAMForm::cmdActivate_Click() {
    SwitchSelected(kActivateOnly, "Activate Alarm Error 2", "Activate Alarm Error 1");
}

void frmSetiRAMForm::cmdDeactivate_Click() {
    SwitchSelected(kDeactivateOnly, "DeActivate Alarm Error 2", "DeActivate Alarm Error 1");
}

// The caption says which way: all on while every alarm is off, else all off.
void frmSetiRAMForm::cmdActivateAll_Click() {
    if (flxAlarms.Rows < 3) return boxes_.Error("DeActivate Alarm Error 2");
    const bool activate = cmdActivateAll.Caption == LanguageFile.ReadText(core::kAlarmManagerPageSection, "ActivateAll");
    std::vector<int> rows;
    for (int r = AlarmRowCount(); r >= 1; --r) rows.push_back(r);
    SetAlarmsActive(rows, activate ? kActivateOnly : kDeactivateOnly);
}

void frmSetiRAMForm::cmdSort_Click() {
    if (!boxes_.Ask("Warning Sort")) return;
    SortByFiringTime(Alarms);
    core::AlarmsChanged = true;
    core::AlarmOrderChanged = true;
    // The engine's list of imminent alarms holds indices of the old order.
    core::frmMain().RescanImmediateAlarms();
    ShowAlarmList();
}

// Rename has no button: the popup menu's item runs it on the grid's selection row.
void frmSetiRAMForm::RenameSelectedAlarm() {
    const int row = flxAlarms.RowSel;
    if (row < 1 || row > AlarmRowCount()) return;
    // The list may be loaded again while the box waits (an online restore): the alarm is found
    // again by its key afterwards, never taken to be whatever then stands in its row.
    const Alarm renamed = Alarms[static_cast<std::size_t>(AlarmOfRow(row))];
    platform::RECT page{};
    platform::GetWindowRect(hWnd, &page);
    core::frmZInputForm& box = core::frmZInput();
    box.Load();
    box.SetTexts(LanguageFile.ReadText(core::kInputBoxSection, "New Alarm Name Title"),
                 LanguageFile.ReadText(core::kInputBoxSection, "New Alarm Name Text") + ":", "",
                 LanguageFile.ReadText(core::kInputBoxSection, "Button Ok"), LanguageFile.ReadText(core::kInputBoxSection, "Button Cancel"));
    box.SetProperties((page.left + page.right) * 15 / 2, (page.top + page.bottom) * 15 / 2);
    box.Show(vbModal);
    if (core::InputResultCode != core::kInputOk) return;
    const std::string name = CleanAlarmName(core::InputResultText);
    if (name.empty()) return boxes_.Error("Rename Alarm Error 1");
    const std::optional<std::size_t> at = core::IndexOfSameAlarm(renamed);
    if (!at) return boxes_.Error("Edit Alarm Error 4");
    if (NameTakenByAnother(name, *at)) return boxes_.Error("Rename Alarm Error 2");
    Alarms[*at].NAME = name;
    Alarms[*at].AlarmState |= core::kAlarmHeldBack;
    for (int r = 1; r <= AlarmRowCount(); ++r)
        if (AlarmOfRow(r) == static_cast<int>(*at)) flxAlarms.TextMatrix(r, 2) = name;
    core::AlarmsChanged = true;
}

}  // namespace alarmmanager
