#include "alarmwizard/alarm_save.h"

#include <optional>
#include <random>

#include "alarmwizard/frm_seti_rae4.h"
#include "core/date_routines.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/held_back_alarms.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/next_firing.h"
#include "platform/services/clock.h"
#include "settings/frm_seti.h"
#include "settings/page_boxes.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using core::Alarm;

namespace {

constexpr int kNoClockTimeYear = 9000;
constexpr std::int32_t kShortestInterval = 30;  // seconds
constexpr std::int16_t kShortestSlide = 100;     // ms

bool SlideIncomplete(const core::SlideSettings& s) {
    return s.SlideInDirection == 0 || s.SlideInTime < kShortestSlide || s.SlideOutTime < kShortestSlide ||
           s.SlideOutDirection == 0;
}

bool OnlyBlanks(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// The step that shows a fault's message.
const StepLayout& StepOfFault(PendingCode code) {
    switch (code) {
        case kIntervalTooSmall: return kStep1A;
        case kSlideInvalid: return kStep2A;
        default: return kStep2;
    }
}

void ShowPage(const char* name) { settings::frmSeti().ShowSubWindow(settings::PageNamed(name), true); }

// Before the alarm list is loaded the manager page would drop the new alarm: the save waits.
void RefuseUntilLoaded() {
    core::AlarmWizardPending = kNothingPending;
    settings::PageBoxes(frmSetiRAE4(), core::kAlarmManagerPageSection).Error(core::frmMain().WhyAlarmsAreNotLoaded());
}

}  // namespace

bool EndEditOfVanishedAlarm() {
    if (!core::WarlockStepLoaded || core::AlarmEditProgress < kProgressEditing || core::EditedAlarmIndex >= 0) return false;
    settings::PageBoxes(settings::frmSeti(), core::kAlarmManagerPageSection).Error("Edit Alarm Error 4");
    ShowPage("frmSetiRAM");
    return true;
}

std::string DefaultAlarmName(const core::DateTime& now, int suffix) {
    return "Unnamed-" + core::FormatDateTimeString(now) + " | " + std::to_string(suffix);
}

int DrawNameSuffix() {
    std::mt19937 generator(static_cast<std::uint32_t>(platform::GetTickCount64()));
    return std::uniform_int_distribution<int>(10, 99)(generator);
}

PendingCode FirstSaveFault(const Alarm& alarm, const std::vector<Alarm>& alarms, std::int16_t progress,
                           std::int32_t editedIndex) {
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        if (progress == kProgressEditing && static_cast<std::int32_t>(i) == editedIndex) continue;
        const Alarm& other = alarms[i];
        // A record without a name is no alarm of the list (the blank one a load leaves): an empty
        // name is refused as empty, never as taken.
        if (!other.NAME.empty() && other.NAME == alarm.NAME &&
            !(other.AlarmState & (core::kAlarmRemoved | core::kAlarmDeleted)))
            return kNameTaken;
    }
    if (OnlyBlanks(alarm.NAME)) return kNameEmpty;
    // Repetitive ticked and unticked leaves the interval kind in the flags: only an alarm that
    // repeats needs an interval.
    constexpr std::int32_t kRepeatsByInterval = core::kAlarmRepetitive | core::kAlarmByInterval;
    if ((alarm.Flags & kRepeatsByInterval) == kRepeatsByInterval && alarm.RepeatInterval < kShortestInterval)
        return kIntervalTooSmall;
    if ((alarm.Flags & core::kAlarmSlide) && SlideIncomplete(alarm.SlideSettings)) return kSlideInvalid;
    return kNothingPending;
}

void FinishAlarmWizard() {
    Alarm& alarm = core::AlarmUnderEdit;
    if (core::AlarmWizardPending == kSaveSimplePending) {
        core::AlarmWizardPending = kNothingPending;
        // Stored last by step 1 or 1A: the alarm has no name yet.
        if (core::AlarmEditProgress == kStep1.mark || core::AlarmEditProgress == kStep1A.mark)
            alarm.NAME = alarm.Title = alarm.Text = DefaultAlarmName(core::Now(), DrawNameSuffix());
    }
    frmSetiRAE4().StoreMediaStep();
    // Like a failed check, this keeps the named and stored record for a later Save on this step.
    if (!core::AlarmsLoaded) {
        RefuseUntilLoaded();
        return;
    }

    // The list may have been loaded again since Modify (an online restore): the alarm is found by
    // its key, never taken to be whatever now stands at its old index.
    if (core::AlarmEditProgress >= kProgressEditing) {
        const std::optional<std::size_t> edited = core::IndexOfSameAlarm(alarm);
        core::EditedAlarmIndex = edited ? static_cast<std::int32_t>(*edited) : -1;
        if (EndEditOfVanishedAlarm()) return;
    }
    if (PendingCode fault = FirstSaveFault(alarm, core::Alarms, core::AlarmEditProgress, core::EditedAlarmIndex)) {
        core::AlarmWizardPending = fault;
        ShowPage(StepOfFault(fault).form);
        return;
    }
    alarm.FLAG = core::kAlarmOn;
    alarm.AlarmState |= core::kAlarmHeldBack;
    // A countdown without a clock time runs from the moment of the save.
    if (alarm.OriginalDate.Year() == kNoClockTimeYear) alarm.OriginalDate = core::Now();
    if (core::AlarmEditProgress >= kProgressEditing) {
        core::AlarmEditProgress = kProgressEditedAlarmSaved;
        core::Alarms.at(static_cast<std::size_t>(core::EditedAlarmIndex)) = alarm;
        core::CalculateNextFiring(false);
    } else {
        core::AlarmEditProgress = kProgressNewAlarmSaved;
    }
    core::AlarmsChanged = true;
    ShowPage("frmSetiRAM");
}

}  // namespace alarmwizard
