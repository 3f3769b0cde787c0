// frmSetiRAE1: the wizard's schedule step. The alarm fires at a clock time (date and time of day),
// after a countdown, or after a countdown that starts at a clock time, and may repeat; the kind of
// repetition is chosen on step 1A, reached through the Customize link while Repetitive is ticked.
// A daily repetition has a time of day only. The step writes OriginalDate, OriginalCountdown and
// the Flags bits of repetition, countdown and start-from into the alarm under edit.
#pragma once

#include <cstdint>
#include <memory>

#include "alarmwizard/duration_boxes.h"
#include "alarmwizard/wizard_step.h"
#include "core/date_time.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/text_box.h"

namespace alarmwizard {

class frmSetiRAE1Form : public WizardStep {
public:
    frmSetiRAE1Form();

    platform::forms::CheckBox chRepetitive{frmWarlock, "chRepetitive"};
    platform::forms::Label lblCustomize{frmWarlock, "lblCustomize"};
    platform::forms::CheckBox chTime{this, "chTime"};
    platform::forms::Frame frmTime{this, "frmTime"};
    platform::forms::Label lblHour{frmTime, "lblHour"};
    platform::forms::CommandButton cmdHourM{frmTime, "cmdHourM"};
    platform::forms::TextBox txtHour{frmTime, "txtHour"};
    platform::forms::CommandButton cmdHourP{frmTime, "cmdHourP"};
    platform::forms::Label lblMin{frmTime, "lblMin"};
    platform::forms::CommandButton cmdMinM{frmTime, "cmdMinM"};
    platform::forms::TextBox txtMin{frmTime, "txtMin"};
    platform::forms::CommandButton cmdMinP{frmTime, "cmdMinP"};
    platform::forms::Label lblSec{frmTime, "lblSec"};
    platform::forms::CommandButton cmdSecM{frmTime, "cmdSecM"};
    platform::forms::TextBox txtSec{frmTime, "txtSec"};
    platform::forms::CommandButton cmdSecP{frmTime, "cmdSecP"};
    platform::forms::Label lblDay{frmTime, "lblDay"};
    platform::forms::CommandButton cmdDayM{frmTime, "cmdDayM"};
    platform::forms::TextBox txtDay{frmTime, "txtDay"};
    platform::forms::CommandButton cmdDayP{frmTime, "cmdDayP"};
    platform::forms::Label lblMonth{frmTime, "lblMonth"};
    platform::forms::CommandButton cmdMonthM{frmTime, "cmdMonthM"};
    platform::forms::TextBox txtMonth{frmTime, "txtMonth"};
    platform::forms::CommandButton cmdMonthP{frmTime, "cmdMonthP"};
    platform::forms::Label lblYear{frmTime, "lblYear"};
    platform::forms::CommandButton cmdYearM{frmTime, "cmdYearM"};
    platform::forms::TextBox txtYear{frmTime, "txtYear"};
    platform::forms::CommandButton cmdYearP{frmTime, "cmdYearP"};
    platform::forms::Label lblOPar{frmTime, "lblOPar"};
    platform::forms::ComboBox ddlMonth{frmTime, "ddlMonth"};
    platform::forms::Label lblCPar{frmTime, "lblCPar"};

    platform::forms::CheckBox chCountdown{this, "chCountdown"};
    platform::forms::Frame frmCountdown{this, "frmCountdown"};
    platform::forms::Label lblYears{frmCountdown, "lblYears"};
    platform::forms::CommandButton cmdYearsM{frmCountdown, "cmdYearsM"};
    platform::forms::TextBox txtYears{frmCountdown, "txtYears"};
    platform::forms::CommandButton cmdYearsP{frmCountdown, "cmdYearsP"};
    platform::forms::Label lblMonths{frmCountdown, "lblMonths"};
    platform::forms::CommandButton cmdMonthsM{frmCountdown, "cmdMonthsM"};
    platform::forms::TextBox txtMonths{frmCountdown, "txtMonths"};
    platform::forms::CommandButton cmdMonthsP{frmCountdown, "cmdMonthsP"};
    platform::forms::Label lblDays{frmCountdown, "lblDays"};
    platform::forms::CommandButton cmdDaysM{frmCountdown, "cmdDaysM"};
    platform::forms::TextBox txtDays{frmCountdown, "txtDays"};
    platform::forms::CommandButton cmdDaysP{frmCountdown, "cmdDaysP"};
    platform::forms::Label lblHours{frmCountdown, "lblHours"};
    platform::forms::CommandButton cmdHoursM{frmCountdown, "cmdHoursM"};
    platform::forms::TextBox txtHours{frmCountdown, "txtHours"};
    platform::forms::CommandButton cmdHoursP{frmCountdown, "cmdHoursP"};
    platform::forms::Label lblMins{frmCountdown, "lblMins"};
    platform::forms::CommandButton cmdMinsM{frmCountdown, "cmdMinsM"};
    platform::forms::TextBox txtMins{frmCountdown, "txtMins"};
    platform::forms::CommandButton cmdMinsP{frmCountdown, "cmdMinsP"};
    platform::forms::Label lblSecs{frmCountdown, "lblSecs"};
    platform::forms::CommandButton cmdSecsM{frmCountdown, "cmdSecsM"};
    platform::forms::TextBox txtSecs{frmCountdown, "txtSecs"};
    platform::forms::CommandButton cmdSecsP{frmCountdown, "cmdSecsP"};
    platform::forms::CommandButton cmdClear{frmCountdown, "cmdClear"};
    platform::forms::CheckBox chStartFrom{frmCountdown, "chStartFrom"};
    // The tall twins of the long boxes, over the boxes' places.
    platform::forms::TextBox txtHoursML{frmCountdown, "txtHoursML"};
    platform::forms::TextBox txtMinsML{frmCountdown, "txtMinsML"};
    platform::forms::TextBox txtSecsML{frmCountdown, "txtSecsML"};

protected:
    void Design() override;
    void SetStepTexts() override;
    void FillFromRecord() override;
    void FillDefaults() override;
    void AfterFill() override;
    void StoreStep() override;

private:
    void BindNumberBoxes();
    void BindHelp();
    void RefreshScheduleMode();
    void EnableClockTimeControls(bool timeOn, bool dateOn);
    void EnableCountdownControls(bool on);
    void ApplyCountdownRule();
    void ApplyTimeRule();
    void ShowClockTime(const core::DateTime& at);
    void PlaceMonthList();
    void ClampDay();
    void ShowRequestedDay();

    void chRepetitive_Click();
    void chTime_Click();
    void chCountdown_Click();
    void chStartFrom_Click();
    void ddlMonth_Click();
    void cmdClear_Click();

    std::unique_ptr<WizardNumberBox> hour_, minute_, second_, day_, month_, year_;
    std::unique_ptr<DurationBoxes> countdown_;
    std::int16_t requestedDay_ = 1;
    bool timeJustClicked_ = false;
    bool countdownJustClicked_ = false;
};

frmSetiRAE1Form& frmSetiRAE1();

}  // namespace alarmwizard
