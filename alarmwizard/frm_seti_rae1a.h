// frmSetiRAE1A: the wizard's repetition step, a side step of the schedule step. A repetitive alarm
// repeats after an interval (six duration boxes, at least 30 seconds) or on days of the week
// (every day, workdays, weekends or chosen days), and may be retroactive. Ok stores and returns to
// the schedule step, Cancel returns without storing, Save Simple stores and saves the alarm.
#pragma once

#include <cstdint>
#include <memory>

#include "alarmwizard/duration_boxes.h"
#include "alarmwizard/wizard_step.h"
#include "platform/forms/check_box.h"
#include "platform/forms/option_button.h"
#include "platform/forms/text_box.h"

namespace alarmwizard {

class frmSetiRAE1AForm : public WizardStep {
public:
    frmSetiRAE1AForm();

    platform::forms::OptionButton optIntervalAlarm{this, "optIntervalAlarm"};
    platform::forms::Frame frmInterval{this, "frmInterval"};
    platform::forms::Label lblYears{frmInterval, "lblYears"};
    platform::forms::CommandButton cmdYearsM{frmInterval, "cmdYearsM"};
    platform::forms::TextBox txtYears{frmInterval, "txtYears"};
    platform::forms::CommandButton cmdYearsP{frmInterval, "cmdYearsP"};
    platform::forms::Label lblMonths{frmInterval, "lblMonths"};
    platform::forms::CommandButton cmdMonthsM{frmInterval, "cmdMonthsM"};
    platform::forms::TextBox txtMonths{frmInterval, "txtMonths"};
    platform::forms::CommandButton cmdMonthsP{frmInterval, "cmdMonthsP"};
    platform::forms::Label lblDays{frmInterval, "lblDays"};
    platform::forms::CommandButton cmdDaysM{frmInterval, "cmdDaysM"};
    platform::forms::TextBox txtDays{frmInterval, "txtDays"};
    platform::forms::CommandButton cmdDaysP{frmInterval, "cmdDaysP"};
    platform::forms::Label lblHours{frmInterval, "lblHours"};
    platform::forms::CommandButton cmdHoursM{frmInterval, "cmdHoursM"};
    platform::forms::TextBox txtHours{frmInterval, "txtHours"};
    platform::forms::CommandButton cmdHoursP{frmInterval, "cmdHoursP"};
    platform::forms::Label lblMins{frmInterval, "lblMins"};
    platform::forms::CommandButton cmdMinsM{frmInterval, "cmdMinsM"};
    platform::forms::TextBox txtMins{frmInterval, "txtMins"};
    platform::forms::CommandButton cmdMinsP{frmInterval, "cmdMinsP"};
    platform::forms::Label lblSecs{frmInterval, "lblSecs"};
    platform::forms::CommandButton cmdSecsM{frmInterval, "cmdSecsM"};
    platform::forms::TextBox txtSecs{frmInterval, "txtSecs"};
    platform::forms::CommandButton cmdSecsP{frmInterval, "cmdSecsP"};
    platform::forms::CommandButton cmdClear{frmInterval, "cmdClear"};
    // The tall twins of the long boxes, over the boxes' places.
    platform::forms::TextBox txtHoursML{frmInterval, "txtHoursML"};
    platform::forms::TextBox txtMinsML{frmInterval, "txtMinsML"};
    platform::forms::TextBox txtSecsML{frmInterval, "txtSecsML"};

    platform::forms::OptionButton optDailyAlarm{this, "optDailyAlarm"};
    platform::forms::Frame frmDaily{this, "frmDaily"};
    platform::forms::OptionButton optDaily{frmDaily, "optDaily"};
    platform::forms::OptionButton optBusiness{frmDaily, "optBusiness"};
    platform::forms::OptionButton optWeekends{frmDaily, "optWeekends"};
    platform::forms::OptionButton optCustom{frmDaily, "optCustom"};
    platform::forms::Frame frmDays{frmDaily, "frmDays"};
    platform::forms::CheckBox chMonday{frmDays, "chMonday"};
    platform::forms::CheckBox chTuesday{frmDays, "chTuesday"};
    platform::forms::CheckBox chWednesday{frmDays, "chWednesday"};
    platform::forms::CheckBox chThursday{frmDays, "chThursday"};
    platform::forms::CheckBox chFriday{frmDays, "chFriday"};
    platform::forms::CheckBox chSaturday{frmDays, "chSaturday"};
    platform::forms::CheckBox chSunday{frmDays, "chSunday"};
    platform::forms::CheckBox chRetroactive{this, "chRetroactive"};

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void AfterFill() override;
    void StoreStep() override;
    void Form_Activate() override;

private:
    void BindHelp();
    void EnableIntervalControls(bool enabled);
    void EnableCustomDays(bool enabled);
    void TickPreset();
    void RebuildCustomDays();
    bool ChecksPass();
    platform::forms::CheckBox& DayBox(int day);

    void optIntervalAlarm_Click();
    void optDailyAlarm_Click();
    void optDaily_Click();
    void optCustom_Click();
    void cmdOk_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

    std::unique_ptr<DurationBoxes> interval_;
    std::uint8_t customDayMask_ = 0;
};

frmSetiRAE1AForm& frmSetiRAE1A();

}  // namespace alarmwizard
