// frmSetiRAM: the alarm manager page of the settings window. Of the page, only what the clock
// engine calls exists yet: its alarm grid and the refresh of one alarm's row after it fired.
#pragma once

#include <cstdint>

#include "platform/forms/flex_grid.h"
#include "platform/forms/form.h"

namespace core {

class frmSetiRAMForm : public platform::forms::Form {
public:
    frmSetiRAMForm();

    // Rows 1 to Rows - 2 show alarms, each row's RowData holding the alarm's index in Alarms;
    // column 0 is the status picture and column 3 the activation time.
    platform::forms::FlexGrid flxAlarms{this, "flxAlarms"};

    // Refreshes the status picture and the activation time of every row that shows the alarm.
    // Does nothing while the alarms are not loaded or for an index that no row shows.
    void UpdateAlarmStatusPictureAndText(std::int16_t& index);
};

frmSetiRAMForm& frmSetiRAM();

}  // namespace core
