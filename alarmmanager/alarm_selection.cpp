// The alarm manager's selection: its own multi-selection over the alarm rows (plain, Ctrl toggles,
// Alt extends from the anchor), the keys and mouse on the grid, the switch of one alarm on or off
// and the buttons that follow the current alarm's state.
#include <algorithm>

#include "alarmmanager/alarm_rows.h"
#include "alarmmanager/frm_seti_ram.h"
#include "core/commands.h"
#include "core/date_time.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/next_firing.h"
#include "platform/forms/constants.h"
#include "platform/window/input.h"

namespace alarmmanager {

using namespace platform::forms;
using core::Alarm;
using core::Alarms;

namespace {

// SetAlarmActive's modes.
constexpr int kToggle = 0, kActivateOnly = 1, kDeactivateOnly = 2;

bool IsAlarmIndex(int index) { return index >= 0 && static_cast<std::size_t>(index) < Alarms.size(); }

}  // namespace

bool frmSetiRAMForm::RowSelected(int row) const {
    return row >= 1 && static_cast<std::size_t>(row) < selectedRows_.size() && selectedRows_[static_cast<std::size_t>(row)];
}

void frmSetiRAMForm::ResetSelection() {
    const std::size_t rows = static_cast<std::size_t>(std::max(0, AlarmRowCount())) + 1;
    selectedRows_.assign(rows, false);
    paintedRows_.assign(rows, false);
}

void frmSetiRAMForm::SelectAlarmRow(int row) {
    bool done = false;
    SelectAlarmRow(row, done);
}

void frmSetiRAMForm::SelectAlarmRow(int row, bool& done) {
    done = false;
    const int n = AlarmRowCount();
    if (!core::AlarmsLoaded || row < 1 || row > n) return;
    if (selectedRows_.size() != static_cast<std::size_t>(n) + 1) ResetSelection();
    const int keptRow = flxAlarms.Row, keptCol = flxAlarms.Col;
    auto selected = [this](int r) { return selectedRows_[static_cast<std::size_t>(r)]; };

    bool cleared = false;
    if (multiSelection_ && !rangeSelectMode_ && !toggleSelectMode_) {
        std::fill(selectedRows_.begin(), selectedRows_.end(), false);
        multiSelection_ = false;
        cleared = true;
    }
    const bool sameRow = row == selectionAnchor_ && !cleared && !toggleSelectMode_;
    if (sameRow) {
        // The anchor again: nothing changes.
    } else if (rangeSelectMode_) {
        const int from = selectionAnchor_ < 1 ? 1 : std::min(selectionAnchor_, row);
        const int to = selectionAnchor_ < 1 ? row : std::min(n, std::max(selectionAnchor_, row));
        for (int r = from; r <= to; ++r) selected(r) = true;
        multiSelection_ = true;
    } else if (toggleSelectMode_) {
        selected(row) = !selected(row);
        multiSelection_ = true;
    } else {
        if (selectionAnchor_ > 0 && selectionAnchor_ <= n) selected(selectionAnchor_) = false;
        selected(row) = true;
    }

    for (int r = 1; r <= n; ++r) {
        const auto at = static_cast<std::size_t>(r);
        if (selectedRows_[at] != paintedRows_[at]) ShowRowColors(r, selectedRows_[at]);
    }
    paintedRows_ = selectedRows_;
    selectionAnchor_ = row;
    flxAlarms.Row = std::min(keptRow, flxAlarms.Rows - 1);
    flxAlarms.Col = std::min(keptCol, flxAlarms.Cols - 1);
    UpdateActivateButtons();
    done = true;
}

bool frmSetiRAMForm::SwitchAlarm(int row, int mode) {
    if (row < 1 || row > AlarmRowCount() || !IsAlarmIndex(AlarmOfRow(row))) return false;
    Alarm& a = Alarms[static_cast<std::size_t>(AlarmOfRow(row))];
    const std::uint8_t before = a.FLAG;
    if (mode != kDeactivateOnly && a.FLAG == core::kAlarmOff) {
        const bool past = core::SecondsBetween(a.FIRE, core::Now()) > 0;
        a.FLAG = !(a.Flags & core::kAlarmRepetitive) && past ? core::kAlarmPassed : core::kAlarmOn;
    } else if (mode != kActivateOnly) {
        a.FLAG = core::kAlarmOff;
    }
    // Deactivating an alarm that is already off is no change.
    if (a.FLAG == before) return false;
    a.AlarmState |= core::kAlarmHeldBack;
    core::AlarmsChanged = true;
    return true;
}

void frmSetiRAMForm::SetAlarmsActive(const std::vector<int>& rows, int mode) {
    if (!core::AlarmsLoaded) return;
    std::vector<int> switched;
    for (int row : rows)
        if (SwitchAlarm(row, mode)) switched.push_back(row);
    if (!switched.empty()) {
        // The computation leaves the times of alarms that are off alone, so once after all the
        // switches it gives every alarm the time it would have after one after each.
        core::CalculateNextFiring(false);
        for (int row : switched) ShowRowStatus(row);
    }
    UpdateActivateAllCaption();
    UpdateActivateButtons();
}

void frmSetiRAMForm::SetAlarmActive(int row, int mode, bool& changed) {
    changed = false;
    if (!core::AlarmsLoaded) return;
    changed = SwitchAlarm(row, mode);
    if (changed) {
        core::CalculateNextFiring(false);
        ShowRowStatus(row);
    }
    UpdateActivateAllCaption();
    UpdateActivateButtons();
}

// The grid's current row follows the selection, and the buttons follow its alarm.
void frmSetiRAMForm::MakeCurrentRow(int row) {
    flxAlarms.Row = row;
    UpdateActivateButtons();
}

void frmSetiRAMForm::UpdateActivateAllCaption() {
    if (!core::AlarmsLoaded) return;
    // Only the alarms the grid shows count: one the user cannot see (unnamed) would keep the
    // button at "all off" for ever, with every row already off.
    bool anyActive = false;
    for (const Alarm& a : Alarms) anyActive = anyActive || (IsListed(a) && a.FLAG != core::kAlarmOff);
    cmdActivateAll.Caption = core::LanguageFile.ReadText(core::kAlarmManagerPageSection, anyActive ? "DeActivateAll" : "ActivateAll");
}

void frmSetiRAMForm::UpdateActivateButtons() {
    if (!core::AlarmsLoaded) return;
    const int row = flxAlarms.Row;
    if (row < 1 || row > AlarmRowCount() || !IsAlarmIndex(AlarmOfRow(row))) return;
    const bool off = Alarms[static_cast<std::size_t>(AlarmOfRow(row))].FLAG == core::kAlarmOff;
    cmdActivate.Enabled = off;
    cmdDeactivate.Enabled = !off;
}

// Runs before the grid's own handling of the key, which then moves the current cell.
void frmSetiRAMForm::flxAlarms_KeyDown(int& KeyCode, int Shift) {
    if (!core::AlarmsLoaded) return;
    if (Shift == vbCtrlMask) {
        toggleSelectMode_ = true;
        rangeSelectMode_ = false;
    } else if (Shift == vbAltMask) {
        rangeSelectMode_ = true;
        toggleSelectMode_ = false;
    }
    bool done = false;
    switch (KeyCode) {
        case platform::VK_UP:
        case platform::VK_DOWN: {
            // The page takes the step from the grid: the current row follows the selection, so
            // Activate and Deactivate describe the row shown selected, and the spare row never
            // becomes current.
            const bool up = KeyCode == platform::VK_UP;
            const int row = selectionAnchor_ + (up ? -1 : 1);
            KeyCode = 0;
            SelectAlarmRow(row, done);
            if (!done) break;
            MakeCurrentRow(row);
            if (!flxAlarms.RowIsVisible(row)) flxAlarms.TopRow = up ? row : flxAlarms.TopRow + 1;
            break;
        }
        case platform::VK_HOME:
        case platform::VK_END: {
            // The grid's own Home and End move across the columns; the current row follows the
            // selection, so the commands act on the row shown selected.
            const int row = KeyCode == platform::VK_HOME ? 1 : AlarmRowCount();
            SelectAlarmRow(row, done);
            if (done) MakeCurrentRow(row);
            break;
        }
        case platform::VK_RETURN:
        case platform::VK_RIGHT:
            if (selectionAnchor_ == flxAlarms.Row) {
                KeyCode = 0;  // the page is left for the wizard
                cmdModify_Click();
            }
            break;
        case platform::VK_LEFT: SetAlarmActive(flxAlarms.Row, kToggle, done); break;
        default: break;
    }
}

void frmSetiRAMForm::flxAlarms_KeyUp(int& KeyCode, int) {
    if (KeyCode == platform::VK_DELETE) cmdDelete_Click();
    rangeSelectMode_ = false;
    toggleSelectMode_ = false;
}

// Clicks on the scroll bar or the empty area below the rows are no clicks on a row: quick clicks on
// the scroll arrows would otherwise switch or modify the current alarm.
bool frmSetiRAMForm::PointerOnCells() { return flxAlarms.MouseRow >= 0 && flxAlarms.MouseCol >= 0; }

void frmSetiRAMForm::flxAlarms_Click() {
    if (PointerOnCells()) SelectAlarmRow(flxAlarms.Row);
}

void frmSetiRAMForm::flxAlarms_DblClick() {
    if (!PointerOnCells()) return;
    bool changed = false;
    if (flxAlarms.Col == 0)
        SetAlarmActive(flxAlarms.Row, kToggle, changed);
    else if (selectionAnchor_ == flxAlarms.Row)
        cmdModify_Click();
}

// The right button selects the row under the pointer, where the grid has it (scrolled or not), and
// opens the alarm commands' menu there; the header and the spare row open none.
void frmSetiRAMForm::flxAlarms_MouseDown(int Button, int, int, int) {
    if (flxAlarms.Rows < 3 || Button != vbRightButton) return;
    const int row = flxAlarms.MouseRow;
    bool done = false;
    SelectAlarmRow(row, done);
    if (!done) return;
    MakeCurrentRow(row);
    PopupMenu(core::frmMenuHost().mnuAlarmManagement);
}

}  // namespace alarmmanager
