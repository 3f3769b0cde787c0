// The alarm manager's grid: its columns, one row per listed alarm in the order of Alarms with the
// alarm's pictures, name and next firing time, the row of an alarm the wizard added, and the
// refresh of one alarm's rows.
#include <cstdint>
#include <string>
#include <vector>

#include "alarmmanager/alarm_rows.h"
#include "alarmmanager/frm_seti_ram.h"
#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/next_firing.h"

namespace alarmmanager {

using namespace platform::forms;
using core::Alarm;
using core::Alarms;

namespace {

constexpr int kStatusColumn = 0, kTypeColumn = 1, kNameColumn = 2, kFiringColumn = 3;
// The next firing column is as wide as its longest header, "Următoarea declanșare".
constexpr int kColumnWidths[] = {600, 600, 2520, 1875};  // twips
constexpr int kAlarmRowHeight = 510, kHeaderHeight = 300;  // twips: 34 and 20 pixels
constexpr const char* kNewAlarmCollection = "MyAlarms.ozrini";

bool IsAlarmIndex(int index) { return index >= 0 && static_cast<std::size_t>(index) < Alarms.size(); }

}  // namespace

// A picture that cannot be loaded leaves its cell empty and is told to the debug log (once).
Picture frmSetiRAMForm::PictureOf(const std::string& path) {
    if (path.empty()) return {};
    auto [known, added] = pictures_.try_emplace(path);
    if (added) {
        try {
            known->second = LoadPicture(path);
        } catch (const platform::Error& e) {
            core::DebugLog(std::string("[frmSetiRAM]: ") + e.what());
        }
    }
    return known->second;
}

void frmSetiRAMForm::SetCellPicture(int col, const std::string& path) {
    flxAlarms.Col = col;
    flxAlarms.CellPictureAlignment = flexAlignCenterCenter;
    if (Picture picture = PictureOf(path)) flxAlarms.CellPicture = picture;
}

void frmSetiRAMForm::PrepareAlarmGrid() {
    pictures_.clear();  // the files are read afresh for each showing
    // The rows go first: clearing them would make the cells of those that were never shown.
    for (int r = flxAlarms.Rows - 2; r >= 1; --r) flxAlarms.RemoveItem(r);
    flxAlarms.Clear();
    flxAlarms.ClearStructure();
    flxAlarms.Cols = 4;
    flxAlarms.FormatString = "^Active|^Type|<" + core::LanguageFile.ReadText(core::kAlarmManagerPageSection, "Name") + "|>" +
                             core::LanguageFile.ReadText(core::kAlarmManagerPageSection, "Activation");
    for (int c = 0; c < 4; ++c) flxAlarms.ColWidth(c) = kColumnWidths[c];
}

void frmSetiRAMForm::FillAlarmGrid() {
    if (!core::AlarmsLoaded) return;
    std::vector<int> listed;
    for (std::size_t i = 0; i < Alarms.size(); ++i)
        if (IsListed(Alarms[i])) listed.push_back(static_cast<int>(i));
    InsertAlarmRows(listed);
    ResetSelection();
}

// Rows for the alarms in front of the spare row; the last becomes the current row. A row's cells
// are made from its alarm, as it is then, only once they are needed: with 10,000 alarms only the
// rows shown are.
void frmSetiRAMForm::InsertAlarmRows(const std::vector<int>& indices) {
    if (indices.empty()) return;
    const int first = flxAlarms.Rows - 1;
    flxAlarms.AddRowsFilledLater(first, static_cast<int>(indices.size()), [this](GridRow& row) {
        if (IsAlarmIndex(row.data)) FillAlarmCells(row, Alarms[static_cast<std::size_t>(row.data)], core::Now());
    });
    for (std::size_t k = 0; k < indices.size(); ++k) flxAlarms.RowData(first + static_cast<int>(k)) = indices[k];
    flxAlarms.Row = first + static_cast<int>(indices.size()) - 1;
    flxAlarms.Col = kTypeColumn;
}

void frmSetiRAMForm::FillAlarmCells(GridRow& row, const Alarm& a, core::DateTime now) {
    auto cell = [&row](int col) -> GridCell& { return row.cells[static_cast<std::size_t>(col)]; };
    cell(kNameColumn).text = a.NAME;
    cell(kFiringColumn).text = ActivationTextOf(a, now);
    for (const auto& [col, path] : {std::pair{kStatusColumn, StatusPictureOf(a)}, std::pair{kTypeColumn, TypePictureOf(a)}}) {
        cell(col).pictureAlignment = flexAlignCenterCenter;
        cell(col).picture = PictureOf(path);
    }
}

void frmSetiRAMForm::SetAlarmRowHeights() {
    flxAlarms.RowHeight(-1) = kAlarmRowHeight;
    flxAlarms.RowHeight(0) = kHeaderHeight;
}

// The grid is drawn once it holds every row, not invalidated again at each of its cells' changes.
void frmSetiRAMForm::ShowAlarmList() {
    const bool redraw = flxAlarms.Redraw;
    flxAlarms.Redraw = false;
    PrepareAlarmGrid();
    FillAlarmGrid();
    SetAlarmRowHeights();
    flxAlarms.Redraw = redraw;
}

void frmSetiRAMForm::ShowReloadedAlarms(const std::vector<std::int32_t>& movedTo) {
    auto movedIndex = [&movedTo](int before) {
        return before >= 0 && static_cast<std::size_t>(before) < movedTo.size() ? movedTo[static_cast<std::size_t>(before)] : -1;
    };
    std::vector<bool> selected(Alarms.size(), false);
    for (int r = 1; r <= AlarmRowCount(); ++r)
        if (RowSelected(r) && IsAlarmIndex(movedIndex(AlarmOfRow(r)))) selected[static_cast<std::size_t>(movedIndex(AlarmOfRow(r)))] = true;
    const int anchor = selectionAnchor_ >= 1 && selectionAnchor_ <= AlarmRowCount() ? movedIndex(AlarmOfRow(selectionAnchor_)) : -1;
    ShowAlarmList();
    selectionAnchor_ = -1;
    for (int r = 1; r <= AlarmRowCount(); ++r) {
        const auto i = static_cast<std::size_t>(AlarmOfRow(r));
        if (selected[i]) {
            selectedRows_[static_cast<std::size_t>(r)] = true;
            ShowRowColors(r, true);
        }
        if (AlarmOfRow(r) == anchor) selectionAnchor_ = r;
    }
    paintedRows_ = selectedRows_;
    UpdateActivateAllCaption();
    EnableButtons();
}

void frmSetiRAMForm::AddEditedAlarm() {
    if (!core::AlarmsLoaded) return;
    core::AlarmUnderEdit.AlarmKey = core::GenerateUniqueKey(core::Now(), [](const std::string& key) {
        for (const Alarm& a : Alarms)
            if (a.AlarmKey == key) return true;
        return false;
    });
    core::AlarmUnderEdit.CollectionFile = kNewAlarmCollection;
    Alarms.push_back(core::AlarmUnderEdit);
    const int index = static_cast<int>(Alarms.size()) - 1;
    core::CalculateNextFiring(false);
    core::AlarmUnderEdit.FIRE = Alarms.back().FIRE;
    InsertAlarmRows({index});
    const int row = flxAlarms.Rows - 2;
    flxAlarms.RowHeight(row) = kAlarmRowHeight;
    ResetSelection();
    flxAlarms.TopRow = row;
    SelectAlarmRow(row);
}

void frmSetiRAMForm::UpdateAlarmStatusPictureAndText(std::int16_t& index) {
    if (!core::AlarmsLoaded || !IsAlarmIndex(index)) return;
    for (int r = 1; r <= AlarmRowCount(); ++r)
        if (AlarmOfRow(r) == index) ShowRowStatus(r);
}

void frmSetiRAMForm::ShowRowStatus(int row) {
    const Alarm& a = Alarms[static_cast<std::size_t>(AlarmOfRow(row))];
    flxAlarms.Row = row;
    if (flxAlarms.RowWaiting(row)) return;  // its cells will be made from the alarm as it is by then
    const std::string status = StatusPictureOf(a);
    if (!status.empty()) SetCellPicture(kStatusColumn, status);
    flxAlarms.TextMatrix(row, kFiringColumn) = ActivationTextOf(a, core::Now());
}

}  // namespace alarmmanager
