#include "alarmwizard/frm_seti_rae1.h"

#include "core/date_time.h"
#include "core/globals.h"
#include "core/language_keys.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;

namespace {

constexpr const char* kMonthKeys[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};

// A number box's row inside its frame: label, minus button, box, plus button.

std::string Decimal(std::int64_t value) { return std::to_string(value); }

// The caption keys of Time, its frame, Countdown and its frame, by mode.
struct ModeCaptions {
    const char *time, *timeFrame, *countdown, *countdownFrame;
};
constexpr ModeCaptions kIntervalStartFrom{"CheckTimeWhenCountdown", "FrameTimeWhenCountdown",
                                          "CheckCountdownWhenRepetitive", "FrameCountdownWhenRepetitive"};
constexpr ModeCaptions kIntervalPlain{"CheckTimeWhenRepetitive", "FrameTimeWhenRepetitive",
                                      "CheckCountdownWhenRepetitive", "FrameCountdownWhenRepetitive"};
constexpr ModeCaptions kDaily{"CheckTimeWhenRepetitiveDaily", "FrameTimeWhenRepetitiveDaily", "CheckCountdown",
                              "FrameCountdown"};
constexpr ModeCaptions kOnceStartFrom{"CheckTimeWhenCountdown", "FrameTimeWhenCountdown", "CheckCountdown",
                                      "FrameCountdown"};
constexpr ModeCaptions kOncePlain{"CheckTime", "FrameTime", "CheckCountdown", "FrameCountdown"};

const ModeCaptions& CaptionsOf(bool repetitive, bool interval, bool startFrom) {
    if (repetitive && interval) return startFrom ? kIntervalStartFrom : kIntervalPlain;
    if (repetitive) return kDaily;
    return startFrom ? kOnceStartFrom : kOncePlain;
}

bool Ticked(const CheckBox& box) { return box.Value == vbChecked; }

}  // namespace

frmSetiRAE1Form::frmSetiRAE1Form() : WizardStep(kStep1) {
    OZR_HANDLE(chRepetitive, Click);
    OZR_HANDLE(chTime, Click);
    OZR_HANDLE(chCountdown, Click);
    OZR_HANDLE(chStartFrom, Click);
    OZR_HANDLE(ddlMonth, Click);
    OZR_HANDLE(cmdClear, Click);
    cmdNext.Click = [this] { MoveForward(kStep2); };
    lblCustomize.Click = [this] { MoveForward(kStep1A); };
    cmdSave.Click = [this] { SaveSimple(); };
    cmdCancel.Click = [this] { CancelWizard(); };
    BindNumberBoxes();
    BindHelp();
    countdown_->BindHelp(7, 11);
}

frmSetiRAE1Form& frmSetiRAE1() {
    static frmSetiRAE1Form form;
    return form;
}

void frmSetiRAE1Form::BindNumberBoxes() {
    auto box = [this](TextBox& t, CommandButton& m, CommandButton& p, long lower, long upper,
                      std::function<void()> followUp = {}) {
        auto made = std::make_unique<WizardNumberBox>(t, m, p, lower, upper, Updating, std::move(followUp));
        numberBoxes_.push_back(made.get());
        return made;
    };
    hour_ = box(txtHour, cmdHourM, cmdHourP, 0, 23);
    minute_ = box(txtMin, cmdMinM, cmdMinP, 0, 59);
    second_ = box(txtSec, cmdSecM, cmdSecP, 0, 59);
    // The day asked for is kept apart from the day shown, which is clamped to its month: 31 shows
    // as 30 in April and comes back in May.
    day_ = box(txtDay, cmdDayM, cmdDayP, 1, 31, [this] {
        requestedDay_ = static_cast<std::int16_t>(day_->Value());
        ClampDay();
    });
    day_->AfterStep([this] { requestedDay_ = static_cast<std::int16_t>(day_->Value()); });
    month_ = box(txtMonth, cmdMonthM, cmdMonthP, 1, 12, [this] {
        const bool was = Updating;
        Updating = true;
        ddlMonth.ListIndex = static_cast<int>(month_->Value()) - 1;
        Updating = was;
        ShowRequestedDay();
    });
    year_ = box(txtYear, cmdYearM, cmdYearP, 101, 3000, [this] { ShowRequestedDay(); });
    countdown_ = std::make_unique<DurationBoxes>(
        std::array<DurationBox, 6>{DurationBox{lblYears, txtYears, cmdYearsM, cmdYearsP},
                                   {lblMonths, txtMonths, cmdMonthsM, cmdMonthsP},
                                   {lblDays, txtDays, cmdDaysM, cmdDaysP},
                                   {lblHours, txtHours, cmdHoursM, cmdHoursP, &txtHoursML},
                                   {lblMins, txtMins, cmdMinsM, cmdMinsP, &txtMinsML},
                                   {lblSecs, txtSecs, cmdSecsM, cmdSecsP, &txtSecsML}},
        cmdClear, Updating, [this] { boxes_.Error("Error Countdown Too Big"); }, numberBoxes_);
}

void frmSetiRAE1Form::BindHelp() {
    HelpOn({&chRepetitive}, "0701chRepetitive");
    HelpOn({&chTime}, "0702chTime");
    HelpOn({&txtHour, &cmdHourM, &cmdHourP}, "0703txtHour");
    HelpOn({&txtMin, &cmdMinM, &cmdMinP}, "0704txtMin");
    HelpOn({&txtSec, &cmdSecM, &cmdSecP}, "0705txtSec");
    HelpOn({&txtDay, &cmdDayM, &cmdDayP}, "0706txtDay");
    HelpOn({&txtMonth, &cmdMonthM, &cmdMonthP}, "0707txtMonth");
    HelpOnFocus(ddlMonth, "0708ddlMonth");
    HelpOn({&txtYear, &cmdYearM, &cmdYearP}, "0709txtYear");
    HelpOn({&chCountdown}, "0710chCountdown");
    HelpOn({&cmdClear}, "0717cmdClear");
    HelpOn({&chStartFrom}, "0718chStartFrom");
    HelpOn({&cmdCancel}, "0719cmdCancel");
    HelpOn({&cmdSave}, "0720cmdSave");
    HelpOn({&cmdNext}, "0721cmdNext");
}

void frmSetiRAE1Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdPrevious.Enabled = false;
    cmdNext.Default = true;
    cmdCancel.Cancel = true;
    chRepetitive.Move(120, 1800, 1800, 285);
    lblCustomize.Move(1980, 1830, 1500, 255);
    lblCustomize.Visible = false;
    MakeLink(lblCustomize);

    chTime.Move(120, kContentTop, 5700, 285);
    frmTime.Move(60, kContentTop + 300, settings::kPageWidth - 120, 1290);
    PlaceNumberBox(lblHour, cmdHourM, txtHour, cmdHourP, 0, 240);
    PlaceNumberBox(lblMin, cmdMinM, txtMin, cmdMinP, 1, 240);
    PlaceNumberBox(lblSec, cmdSecM, txtSec, cmdSecP, 2, 240);
    PlaceNumberBox(lblDay, cmdDayM, txtDay, cmdDayP, 0, 600);
    PlaceNumberBox(lblMonth, cmdMonthM, txtMonth, cmdMonthP, 1, 600);
    PlaceNumberBox(lblYear, cmdYearM, txtYear, cmdYearP, 2, 600);
    PlaceMonthList();
    lblOPar.Caption = "(";
    lblCPar.Caption = ")";

    chCountdown.Move(120, kContentTop + 1620, 5700, 285);
    frmCountdown.Move(60, kContentTop + 1920, settings::kPageWidth - 120, 1740);
    chStartFrom.Move(120, 990, 4000, 285);
    countdown_->Design(240);
}

void frmSetiRAE1Form::SetStepTexts() {
    chRepetitive.Caption = StepText("Repetitive");
    lblCustomize.Caption = StepText("Customize");
    chTime.Caption = StepText("CheckTime");
    frmTime.Caption = StepText("FrameTime");
    chCountdown.Caption = StepText("CheckCountdown");
    frmCountdown.Caption = StepText("FrameCountdown");
    cmdClear.Caption = StepText("Clear");
    chStartFrom.Caption = StepText("StartFrom");
    const std::pair<Label*, const char*> units[] = {
        {&lblHour, "Hour"},   {&lblMin, "Minute"},   {&lblSec, "Second"},  {&lblDay, "Day"},
        {&lblMonth, "Month"}, {&lblYear, "Year"},    {&lblHours, "Hours"}, {&lblMins, "Minutes"},
        {&lblSecs, "Seconds"}, {&lblDays, "Days"},   {&lblMonths, "Months"}, {&lblYears, "Years"},
    };
    for (auto [label, key] : units) label->Caption = GeneralText(key) + ":";
    ddlMonth.Clear();
    for (const char* month : kMonthKeys) ddlMonth.AddItem(GeneralText(month));
    FitNumberBoxLabels({{lblHour, cmdHourM, txtHour, cmdHourP}, {lblDay, cmdDayM, txtDay, cmdDayP}});
    FitNumberBoxLabels({{lblMin, cmdMinM, txtMin, cmdMinP}, {lblMonth, cmdMonthM, txtMonth, cmdMonthP}});
    FitNumberBoxLabels({{lblSec, cmdSecM, txtSec, cmdSecP}, {lblYear, cmdYearM, txtYear, cmdYearP}});
    PlaceMonthList();
    countdown_->FitLabels();
}

// The month list under the month's box, as wide as its buttons and box, between its parentheses.
void frmSetiRAE1Form::PlaceMonthList() {
    const int left = cmdMonthM.Left, right = cmdMonthP.Left + cmdMonthP.Width;
    lblOPar.Move(left - 120, 975, 120, 255);
    ddlMonth.Move(left, 945, right - left, 315);
    lblCPar.Move(right + 15, 975, 120, 255);
}

void frmSetiRAE1Form::ShowClockTime(const core::DateTime& at) {
    txtHour.Text = Decimal(at.Hour());
    txtMin.Text = Decimal(at.Minute());
    txtSec.Text = Decimal(at.Second());
    txtDay.Text = Decimal(at.Day());
    txtMonth.Text = Decimal(at.Month());
    ddlMonth.ListIndex = at.Month() - 1;
    txtYear.Text = Decimal(at.Year());
    requestedDay_ = static_cast<std::int16_t>(at.Day());
}

void frmSetiRAE1Form::FillFromRecord() {
    countdown_->Forget();
    const std::int32_t flags = AlarmUnderEdit.Flags;
    chRepetitive.Value = (flags & core::kAlarmRepetitive) ? vbChecked : vbUnchecked;
    if (!(flags & core::kAlarmCountdown)) {
        chTime.Value = vbChecked;
    } else {
        chCountdown.Value = vbChecked;
        chStartFrom.Value = (flags & core::kAlarmStartFrom) ? vbChecked : vbUnchecked;
    }
    ShowClockTime(AlarmUnderEdit.OriginalDate);
    countdown_->Normalize(AlarmUnderEdit.OriginalCountdown);
}

void frmSetiRAE1Form::FillDefaults() {
    countdown_->Forget();
    chRepetitive.Value = vbUnchecked;
    chTime.Value = vbChecked;
    ShowClockTime(core::Now());
}

void frmSetiRAE1Form::AfterFill() { RefreshScheduleMode(); }

void frmSetiRAE1Form::EnableClockTimeControls(bool timeOn, bool dateOn) {
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{&txtHour, &cmdHourM, &cmdHourP, &txtMin, &cmdMinM,
                                                                       &cmdMinP, &txtSec, &cmdSecM, &cmdSecP})
        c->Enabled = timeOn;
    for (Label* l : {&lblHour, &lblMin, &lblSec}) l->Enabled = timeOn;
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{&txtYear, &cmdYearM, &cmdYearP, &txtMonth,
                                                                       &cmdMonthM, &cmdMonthP, &txtDay, &cmdDayM,
                                                                       &cmdDayP, &ddlMonth})
        c->Enabled = dateOn;
    for (Label* l : {&lblYear, &lblMonth, &lblDay, &lblCPar, &lblOPar}) l->Enabled = dateOn;
}

void frmSetiRAE1Form::EnableCountdownControls(bool on) {
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{
             &txtYears, &cmdYearsM, &cmdYearsP, &txtMonths, &cmdMonthsM, &cmdMonthsP, &txtDays, &cmdDaysM, &cmdDaysP,
             &txtHours, &cmdHoursM, &cmdHoursP, &txtMins, &cmdMinsM, &cmdMinsP, &txtSecs, &cmdSecsM, &cmdSecsP,
             &chStartFrom, &cmdClear})
        c->Enabled = on;
    for (Label* l : {&lblYears, &lblMonths, &lblDays, &lblHours, &lblMins, &lblSecs}) l->Enabled = on;
}

// Countdown on: its group; with start-from also the clock time, which Time then ticks.
void frmSetiRAE1Form::ApplyCountdownRule() {
    if (Ticked(chCountdown) && chCountdown.Enabled && !timeJustClicked_) {
        EnableCountdownControls(true);
        const bool startFrom = Ticked(chStartFrom);
        EnableClockTimeControls(startFrom, startFrom);
        chTime.Value = startFrom ? vbChecked : vbUnchecked;
    }
}

// A plain clock time: its groups on, the countdown off.
void frmSetiRAE1Form::ApplyTimeRule() {
    if (Ticked(chTime) && !Ticked(chStartFrom)) {
        EnableClockTimeControls(true, true);
        EnableCountdownControls(false);
        chCountdown.Value = vbUnchecked;
    }
}

void frmSetiRAE1Form::RefreshScheduleMode() {
    const bool repetitive = Ticked(chRepetitive);
    const bool interval = (AlarmUnderEdit.Flags & core::kAlarmByInterval) != 0;
    const bool startFrom = Ticked(chStartFrom) && (chStartFrom.Enabled || countdownJustClicked_);
    const ModeCaptions& captions = CaptionsOf(repetitive, interval, startFrom);
    chTime.Caption = StepText(captions.time);
    frmTime.Caption = StepText(captions.timeFrame);
    chCountdown.Caption = StepText(captions.countdown);
    frmCountdown.Caption = StepText(captions.countdownFrame);

    const bool wasUpdating = Updating;
    Updating = true;
    if (repetitive && !interval) {
        // A daily alarm has a time of day only.
        EnableCountdownControls(false);
        EnableClockTimeControls(true, false);
        chCountdown.Enabled = false;
        chTime.Value = vbChecked;
    } else {
        if (!repetitive) chCountdown.Enabled = true;
        ApplyCountdownRule();
        ApplyTimeRule();
    }
    if (!wasUpdating) Updating = false;
}

// Runs while the step fills itself too: ticking Repetitive without a chosen kind makes it an
// interval alarm at once.
void frmSetiRAE1Form::chRepetitive_Click() {
    lblCustomize.Visible = Ticked(chRepetitive);
    if (!(AlarmUnderEdit.Flags & core::kAlarmByInterval) && AlarmUnderEdit.RepeatDaily == 0)
        AlarmUnderEdit.Flags |= core::kAlarmByInterval;
    RefreshScheduleMode();
}

// Time cannot be unticked by a click; a click in start-from mode leaves a plain clock time.
void frmSetiRAE1Form::chTime_Click() {
    if (Updating) return;
    if (Ticked(chTime)) {
        timeJustClicked_ = true;
        RefreshScheduleMode();
        timeJustClicked_ = false;
    } else {
        Updating = true;
        chTime.Value = vbChecked;
        Updating = false;
    }
    if (Ticked(chStartFrom)) {
        Updating = true;
        chCountdown.Value = vbUnchecked;
        Updating = false;
        EnableCountdownControls(false);
        RefreshScheduleMode();
    }
}

// Countdown cannot be unticked by a click either.
void frmSetiRAE1Form::chCountdown_Click() {
    if (Updating) return;
    if (Ticked(chCountdown)) {
        countdownJustClicked_ = true;
        RefreshScheduleMode();
        countdownJustClicked_ = false;
    } else {
        Updating = true;
        chCountdown.Value = vbChecked;
        Updating = false;
    }
}

void frmSetiRAE1Form::chStartFrom_Click() {
    if (Updating) return;
    RefreshScheduleMode();
}

void frmSetiRAE1Form::ddlMonth_Click() {
    if (Updating) return;
    txtMonth.Text = Decimal(ddlMonth.ListIndex + 1);
    ShowRequestedDay();
}

void frmSetiRAE1Form::cmdClear_Click() { countdown_->Clear(); }

// The day shown never passes the month's last day.
void frmSetiRAE1Form::ClampDay() {
    const int last = DaysInMonth(static_cast<int>(month_->Value()), static_cast<int>(year_->Value()));
    if (day_->Value() > last) txtDay.Text = Decimal(last);
}

void frmSetiRAE1Form::ShowRequestedDay() {
    txtDay.Text = Decimal(requestedDay_);
    day_->CleanUp();
}

void frmSetiRAE1Form::StoreStep() {
    WizardStep::StoreStep();
    AlarmUnderEdit.OriginalDate =
        Ticked(chTime) ? core::MakeDateTime(year_->Value(), month_->Value(), day_->Value(), hour_->Value(),
                                            minute_->Value(), second_->Value())
                       : core::MakeDateTime(9000, 1, 1, 0, 0, 0);
    const std::int32_t countdown = countdown_->Total();
    AlarmUnderEdit.OriginalCountdown = countdown < 0 ? countdown_->LastValid() : countdown;
    auto flag = [](std::int32_t& flags, std::int32_t bit, bool on) { flags = on ? flags | bit : flags & ~bit; };
    flag(AlarmUnderEdit.Flags, core::kAlarmRepetitive, Ticked(chRepetitive));
    flag(AlarmUnderEdit.Flags, core::kAlarmCountdown, Ticked(chCountdown));
    flag(AlarmUnderEdit.Flags, core::kAlarmStartFrom, Ticked(chStartFrom));
}

}  // namespace alarmwizard
