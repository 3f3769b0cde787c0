// frmSetiRAM: the alarm manager page of the settings window. Its grid lists every named alarm of
// Alarms (status and type pictures, name, next firing time) with a multi-selection of its own, and
// its buttons, keys and popup menu run the alarm commands. Every change stays in memory and sets
// AlarmsChanged; the settings window's Apply writes the alarm files.
//
// Rows 1 to Rows - 2 of flxAlarms are the alarm rows, each row's RowData holding its alarm's index
// in Alarms; row 0 is the header and the last row a spare that never shows an alarm.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "platform/forms/command_button.h"
#include "platform/forms/flex_grid.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/picture.h"
#include "settings/page_boxes.h"

namespace alarmmanager {

inline constexpr const char* kAlarmManagerHelpSection = "Popup Help System - Alarm Settings - Alarm Management";

// The commands of the popup menu, by the code its items pass.
enum AlarmCommandCode : std::uint8_t {
    kCommandTest = 1,
    kCommandRename,
    kCommandActivate,
    kCommandDeactivate,
    kCommandModify,
    kCommandDelete,
    kCommandNew,
};

class frmSetiRAMForm : public platform::forms::Form {
public:
    frmSetiRAMForm();

    platform::forms::Frame frmList{this, "frmList"};
    platform::forms::FlexGrid flxAlarms{frmList, "flxAlarms"};
    platform::forms::CommandButton cmdNew{this, "cmdNew"};
    platform::forms::CommandButton cmdModify{this, "cmdModify"};
    platform::forms::CommandButton cmdDelete{this, "cmdDelete"};
    platform::forms::CommandButton cmdTest{this, "cmdTest"};
    platform::forms::CommandButton cmdActivate{this, "cmdActivate"};
    platform::forms::CommandButton cmdDeactivate{this, "cmdDeactivate"};
    platform::forms::CommandButton cmdActivateAll{this, "cmdActivateAll"};
    platform::forms::CommandButton cmdSort{this, "cmdSort"};

    // Redraws the status picture and the firing time of the rows that show the alarm; called after
    // alarms fired and after a switch. Nothing while the alarms are not loaded.
    void UpdateAlarmStatusPictureAndText(std::int16_t& index);
    // Runs a command of the popup menu (AlarmCommandCode); nothing while the alarms are not loaded.
    void DispatchAlarmManagementCommand(std::uint8_t& code);
    // Shows Alarms loaded anew under the page; movedTo gives for each index of the list the grid
    // showed the index of the same alarm now (-1: gone). The same alarms stay selected.
    void ShowReloadedAlarms(const std::vector<std::int32_t>& movedTo);

    // The page's own selection (rows 1 to Rows - 2) and its anchor, -1 when none.
    bool RowSelected(int row) const;
    int SelectionAnchor() const { return selectionAnchor_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    // Texts, colours and the grid (frm_seti_ram.cpp).
    void SetTexts();
    void SetColors();
    void ShowRowColors(int row, bool selected);
    void ReturnFromWizard();
    void EnableButtons();

    // The grid's rows (alarm_grid.cpp).
    void PrepareAlarmGrid();
    void FillAlarmGrid();
    void SetAlarmRowHeights();
    void ShowAlarmList();  // the three above: every listed alarm of Alarms in a fresh grid
    void AddEditedAlarm();
    void InsertAlarmRows(const std::vector<int>& indices);
    void FillAlarmCells(platform::forms::GridRow& row, const core::Alarm& a, core::DateTime now);
    platform::forms::Picture PictureOf(const std::string& path);
    void SetCellPicture(int col, const std::string& path);
    int AlarmRowCount() const { return flxAlarms.Rows - 2; }
    int AlarmOfRow(int row) { return static_cast<int>(flxAlarms.RowData(row)); }

    // Selection, keys and mouse (alarm_selection.cpp).
    void ResetSelection();
    void SelectAlarmRow(int row, bool& done);
    void SelectAlarmRow(int row);
    void SetAlarmActive(int row, int mode, bool& changed);
    // SetAlarmActive over many rows: each alarm switched, then the next firing times computed and
    // the switched rows redrawn once for all, so that switching every row of a long list costs
    // what the list holds, not its square.
    void SetAlarmsActive(const std::vector<int>& rows, int mode);
    bool SwitchAlarm(int row, int mode);  // the switch itself; true when the alarm changed
    void ShowRowStatus(int row);          // the row's status picture and firing time, from its alarm
    void MakeCurrentRow(int row);
    void UpdateActivateAllCaption();
    void UpdateActivateButtons();
    void flxAlarms_KeyDown(int& KeyCode, int Shift);
    void flxAlarms_KeyUp(int& KeyCode, int Shift);
    bool PointerOnCells();
    void flxAlarms_Click();
    void flxAlarms_DblClick();
    void flxAlarms_MouseDown(int Button, int Shift, int X, int Y);

    // The commands (alarm_commands.cpp).
    enum class RowCheck { Ok, NoAlarmRows, NoneSelected, MoreThanOne };
    RowCheck CheckOneSelected();
    int OneSelectedRow(const char* noRows, const char* none, const char* many);
    void SwitchSelected(int mode, const char* noRows, const char* none);
    void RenameSelectedAlarm();
    void cmdNew_Click();
    void cmdModify_Click();
    void cmdDelete_Click();
    void cmdTest_Click();
    void cmdActivate_Click();
    void cmdDeactivate_Click();
    void cmdActivateAll_Click();
    void cmdSort_Click();

    // The few status and type pictures, each loaded once per showing of the page and shared by
    // every row that shows it: a list of 10,000 alarms would otherwise read 20,000 files.
    std::map<std::string, platform::forms::Picture> pictures_;
    settings::PageBoxes boxes_;
    std::vector<bool> selectedRows_;  // index 0 unused
    std::vector<bool> paintedRows_;
    int selectionAnchor_ = -1;
    bool rangeSelectMode_ = false;
    bool toggleSelectMode_ = false;
    bool multiSelection_ = false;
};

frmSetiRAMForm& frmSetiRAM();

}  // namespace alarmmanager
