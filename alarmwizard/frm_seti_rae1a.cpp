#include "alarmwizard/frm_seti_rae1a.h"

#include "core/globals.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;

namespace {

constexpr std::uint8_t kWorkdays = 0x1F;  // Monday to Friday
constexpr std::uint8_t kWeekend = 0x60;   // Saturday and Sunday
constexpr std::int32_t kShortestInterval = 30;        // seconds
constexpr std::int32_t kRetroactiveQuestionFrom = 604'800;  // a week

constexpr const char* kDayKeys[7] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};


std::uint8_t DayBit(int day) { return static_cast<std::uint8_t>(1 << day); }

}  // namespace

frmSetiRAE1AForm::frmSetiRAE1AForm() : WizardStep(kStep1A) {
    OZR_HANDLE(optIntervalAlarm, Click);
    OZR_HANDLE(optDailyAlarm, Click);
    OZR_HANDLE(optDaily, Click);
    OZR_HANDLE(optCustom, Click);
    optBusiness.Click = [this] { TickPreset(); };
    optWeekends.Click = [this] { TickPreset(); };
    OZR_HANDLE(cmdOk, Click);
    OZR_HANDLE(cmdSave, Click);
    OZR_HANDLE(cmdCancel, Click);
    cmdClear.Click = [this] { interval_->Clear(); };
    for (int day = 0; day < 7; ++day)
        DayBox(day).Click = [this, day] {
            if (Updating) return;
            if (DayBox(day).Value == vbChecked)
                customDayMask_ |= DayBit(day);
            else
                customDayMask_ &= static_cast<std::uint8_t>(~DayBit(day));
        };
    interval_ = std::make_unique<DurationBoxes>(
        std::array<DurationBox, 6>{DurationBox{lblYears, txtYears, cmdYearsM, cmdYearsP},
                                   {lblMonths, txtMonths, cmdMonthsM, cmdMonthsP},
                                   {lblDays, txtDays, cmdDaysM, cmdDaysP},
                                   {lblHours, txtHours, cmdHoursM, cmdHoursP, &txtHoursML},
                                   {lblMins, txtMins, cmdMinsM, cmdMinsP, &txtMinsML},
                                   {lblSecs, txtSecs, cmdSecsM, cmdSecsP, &txtSecsML}},
        cmdClear, Updating, [this] { boxes_.Error("Error Interval Too Big"); }, numberBoxes_);
    BindHelp();
    interval_->BindHelp(8, 3);
}

frmSetiRAE1AForm& frmSetiRAE1A() {
    static frmSetiRAE1AForm form;
    return form;
}

CheckBox& frmSetiRAE1AForm::DayBox(int day) {
    CheckBox* boxes[7] = {&chMonday, &chTuesday, &chWednesday, &chThursday, &chFriday, &chSaturday, &chSunday};
    return *boxes[day];
}

void frmSetiRAE1AForm::BindHelp() {
    HelpOn({&optIntervalAlarm}, "0801optIntervalAlarm");
    HelpOn({&optDailyAlarm}, "0802optDailyAlarm");
    HelpOn({&cmdClear}, "0809cmdClear");
    HelpOn({&optDaily}, "0809optDaily");
    HelpOn({&optBusiness}, "0810optBusiness");
    HelpOn({&optWeekends}, "0811optWeekends");
    HelpOn({&optCustom}, "0812optCustom");
    HelpOn({&cmdOk}, "0813cmdOk");
    HelpOn({&cmdCancel}, "0814cmdCancel");
    HelpOn({&cmdSave}, "0815cmdSave");
    HelpOn({&chRetroactive}, "0816chRetroactive");
}

void frmSetiRAE1AForm::Design() {
    WizardStep::Design();
    DesignSideStepButtons();

    optIntervalAlarm.Move(120, kContentTop, 5700, 285);
    frmInterval.Move(60, kContentTop + 300, settings::kPageWidth - 120, 1380);

    optDailyAlarm.Move(120, kContentTop + 1710, 5700, 285);
    frmDaily.Move(60, kContentTop + 2010, settings::kPageWidth - 120, 1380);
    int y = 240;
    for (OptionButton* o : {&optDaily, &optBusiness, &optWeekends, &optCustom}) {
        o->Move(120, y, 2040, 270);
        y += 270;
    }
    frmDays.Move(2220, 150, 3510, 1170);
    for (int day = 0; day < 7; ++day) DayBox(day).Move(120 + (day / 4) * 1700, 240 + (day % 4) * 225, 1600, 225);
    chRetroactive.Move(120, kContentTop + 3420, 4000, 285);
    interval_->Design(240);
}

void frmSetiRAE1AForm::SetStepTexts() {
    optIntervalAlarm.Caption = StepText("RepeatTime");
    optDailyAlarm.Caption = StepText("RepeatDaily");
    frmInterval.Caption = StepText("FrameTime");
    cmdClear.Caption = StepText("Clear");
    frmDaily.Caption = StepText("FrameDaily");
    optDaily.Caption = StepText("Daily");
    optBusiness.Caption = StepText("Workdays");
    optWeekends.Caption = StepText("Weekends");
    optCustom.Caption = StepText("Custom");
    frmDays.Caption = StepText("Days");
    chRetroactive.Caption = StepText("Retroactive");
    const std::pair<Label*, const char*> units[] = {{&lblYears, "Years"}, {&lblMonths, "Months"},
                                                    {&lblDays, "Days"},   {&lblHours, "Hours"},
                                                    {&lblMins, "Minutes"}, {&lblSecs, "Seconds"}};
    for (auto [label, key] : units) label->Caption = GeneralText(key) + ":";
    interval_->FitLabels();
    for (int day = 0; day < 7; ++day) DayBox(day).Caption = GeneralText(kDayKeys[day]);
}

// Not stored yet: repetition by interval, the daily group in its design state.
void frmSetiRAE1AForm::FillDefaults() {
    customDayMask_ = 0;
    interval_->Forget();
    optIntervalAlarm.Value = true;
}

void frmSetiRAE1AForm::FillFromRecord() {
    customDayMask_ = 0;
    interval_->Forget();
    // The stored interval is shown, but it is no total this visit has accepted.
    interval_->Normalize(AlarmUnderEdit.RepeatInterval);
    const std::uint8_t days = AlarmUnderEdit.RepeatDaily;
    if (days == core::kEveryDay)
        optDaily.Value = true;
    else if (days > core::kEveryDay)
        optCustom.Value = true;
    else if (days & DayBit(6))
        optWeekends.Value = true;
    else
        optBusiness.Value = true;
    if (!optCustom.Value) customDayMask_ = 0;
    if (AlarmUnderEdit.Flags & core::kAlarmByInterval)
        optIntervalAlarm.Value = true;
    else
        optDailyAlarm.Value = true;
}

// After a fill from the record the day boxes show the stored days; their clicks now count, so a
// custom set reaches the custom mask.
void frmSetiRAE1AForm::AfterFill() {
    if (!StoredBefore()) return;
    const std::uint8_t days = AlarmUnderEdit.RepeatDaily;
    for (int day = 0; day < 7; ++day)
        DayBox(day).Value = (days == core::kEveryDay || (days & DayBit(day))) ? vbChecked : vbUnchecked;
    chRetroactive.Value = (AlarmUnderEdit.Flags & core::kAlarmRetroactive) ? vbChecked : vbUnchecked;
}

void frmSetiRAE1AForm::EnableIntervalControls(bool enabled) {
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{
             &txtYears, &cmdYearsM, &cmdYearsP, &txtMonths, &cmdMonthsM, &cmdMonthsP, &txtDays, &cmdDaysM, &cmdDaysP,
             &txtHours, &cmdHoursM, &cmdHoursP, &txtMins, &cmdMinsM, &cmdMinsP, &txtSecs, &cmdSecsM, &cmdSecsP, &cmdClear})
        c->Enabled = enabled;
    for (Label* l : {&lblYears, &lblMonths, &lblDays, &lblHours, &lblMins, &lblSecs}) l->Enabled = enabled;
    for (OptionButton* o : {&optDaily, &optBusiness, &optWeekends, &optCustom}) o->Enabled = !enabled;
    frmDays.Enabled = !enabled;
    for (int day = 0; day < 7; ++day) DayBox(day).Enabled = !enabled;
}

void frmSetiRAE1AForm::EnableCustomDays(bool enabled) {
    frmDays.Enabled = enabled;
    for (int day = 0; day < 7; ++day) DayBox(day).Enabled = enabled;
}

void frmSetiRAE1AForm::optIntervalAlarm_Click() { EnableIntervalControls(true); }

// A new alarm's first choice of days is every day.
void frmSetiRAE1AForm::optDailyAlarm_Click() {
    EnableIntervalControls(false);
    EnableCustomDays(optCustom.Value);
    if (customDayMask_ == 0 && AlarmUnderEdit.RepeatDaily == 0) optDaily.Value = true;
}

void frmSetiRAE1AForm::optDaily_Click() {
    EnableCustomDays(false);
    const bool was = Updating;
    Updating = true;
    for (int day = 0; day < 7; ++day) DayBox(day).Value = vbChecked;
    Updating = was;
}

// Workdays and weekends tick their own days; the custom set is kept for a return to Custom.
void frmSetiRAE1AForm::TickPreset() {
    EnableCustomDays(false);
    const bool was = Updating;
    Updating = true;
    for (int day = 0; day < 7; ++day) {
        const bool weekend = day >= 5;
        DayBox(day).Value = (weekend ? optWeekends.Value : optBusiness.Value) ? vbChecked : vbUnchecked;
    }
    Updating = was;
}

void frmSetiRAE1AForm::optCustom_Click() {
    if (Updating) return;
    EnableCustomDays(true);
    Updating = true;
    for (int day = 0; day < 7; ++day) DayBox(day).Value = (customDayMask_ & DayBit(day)) ? vbChecked : vbUnchecked;
    Updating = false;
}

void frmSetiRAE1AForm::RebuildCustomDays() {
    customDayMask_ = 0;
    for (int day = 0; day < 7; ++day)
        if (DayBox(day).Value == vbChecked) customDayMask_ |= DayBit(day);
}

// Days repetition needs a day; interval repetition at least 30 seconds.
bool frmSetiRAE1AForm::ChecksPass() {
    CleanFocusedBox();
    RebuildCustomDays();
    if (customDayMask_ == 0 && optDailyAlarm.Value) {
        boxes_.Error("Error No Days");
        return false;
    }
    if (interval_->Total() < kShortestInterval && optIntervalAlarm.Value) {
        boxes_.Error("Error Interval Too Small");
        return false;
    }
    return true;
}

void frmSetiRAE1AForm::StoreStep() {
    const std::int32_t total = interval_->Total();
    // Asked once, on the first store of a new alarm.
    if (total > kRetroactiveQuestionFrom && core::AlarmEditProgress < kStep1A.mark &&
        boxes_.Ask("Warning Retroactive"))
        chRetroactive.Value = vbChecked;
    WizardStep::StoreStep();
    std::int32_t& flags = AlarmUnderEdit.Flags;
    flags = optIntervalAlarm.Value ? flags | core::kAlarmByInterval : flags & ~core::kAlarmByInterval;
    AlarmUnderEdit.RepeatInterval = total < 0 ? interval_->LastValid() : total;
    if (optDaily.Value)
        AlarmUnderEdit.RepeatDaily = core::kEveryDay;
    else if (optBusiness.Value)
        AlarmUnderEdit.RepeatDaily = kWorkdays;
    else if (optWeekends.Value)
        AlarmUnderEdit.RepeatDaily = kWeekend;
    else if (optCustom.Value) {
        std::uint8_t days = core::kEveryDay;
        for (int day = 0; day < 7; ++day)
            if (DayBox(day).Value == vbChecked) days |= DayBit(day);
        AlarmUnderEdit.RepeatDaily = days;
    }
    flags = chRetroactive.Value == vbChecked ? flags | core::kAlarmRetroactive : flags & ~core::kAlarmRetroactive;
}

void frmSetiRAE1AForm::cmdOk_Click() {
    core::WarlockAnimReverse = DirectionGoingBack(core::WarlockAnimFrame, core::WarlockAnimReverse, kStep1.restingFrame);
    if (!ChecksPass()) return;
    StoreStep();
    ShowStep(kStep1);
}

void frmSetiRAE1AForm::cmdSave_Click() {
    if (ChecksPass()) SaveSimple();
}

void frmSetiRAE1AForm::cmdCancel_Click() {
    core::WarlockAnimReverse = DirectionGoingBack(core::WarlockAnimFrame, core::WarlockAnimReverse, kStep1.restingFrame);
    ShowStep(kStep1);
}

// The final save sends an interval below 30 seconds here.
void frmSetiRAE1AForm::Form_Activate() {
    if (core::AlarmWizardPending == kIntervalTooSmall) boxes_.Error("Error Interval Too Small");
    core::AlarmWizardPending = kNothingPending;
}

}  // namespace alarmwizard
