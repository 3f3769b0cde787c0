// The wizard's final save: the Save of step 4, also run by step 4 itself when a Save Simple brought
// the user there. It names a Save Simple alarm that has no name yet, stores step 4, checks the
// record (name clash, empty name, interval, slide, in that order) and sends the user to the step
// that must mend the first fault; otherwise it turns the alarm on, holds it back from the alarm
// files until the settings window applies, and hands it to the alarm manager page: an edited alarm
// is written back at once, a new one waits in AlarmUnderEdit for the page to append it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "alarmwizard/wizard_rules.h"
#include "core/alarm.h"

namespace alarmwizard {

void FinishAlarmWizard();

// A step of the wizard that edits an alarm the list no longer holds (EditedAlarmIndex -1: an online
// restore replaced the list) ends the edit: the user is told, nothing is written, and the alarm
// manager shows the list as it is. True when it ended an edit.
bool EndEditOfVanishedAlarm();

// "Unnamed-" + the moment + " | " + the suffix (10 to 99).
std::string DefaultAlarmName(const core::DateTime& now, int suffix);
// A suffix from 10 to 99, drawn afresh from a generator seeded with the clock.
int DrawNameSuffix();

// The first fault of the record, or kNothingPending. An edited alarm's own old record never clashes;
// deleted and removed alarms free their names.
PendingCode FirstSaveFault(const core::Alarm& alarm, const std::vector<core::Alarm>& alarms, std::int16_t progress,
                           std::int32_t editedIndex);

}  // namespace alarmwizard
