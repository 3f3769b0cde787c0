// The alarm wizard's shared rules, apart from any window: its steps with their texts, help,
// progress marks and resting frames; how far the wizard has stored the alarm under edit; the
// animation's next frame; the days of a month; and the checks of a duration.
#pragma once

#include <cstdint>
#include <optional>

#include "core/language_keys.h"

namespace alarmwizard {

// One step of the wizard: its form, its language and help sections, the progress mark its store
// raises AlarmEditProgress to (and from which it fills itself from the record), the animation
// frame it rests on, and the popup help of its Test button (none: the step has no Test).
struct StepLayout {
    const char* form;
    const char* languageSection;
    const char* helpSection;
    std::int16_t mark;
    std::int16_t restingFrame;
    const char* testHelp = nullptr;
};

inline constexpr StepLayout kStep1{"frmSetiRAE1", core::kWizardStep1Section,
                                 "Popup Help System - Alarm Settings - Alarm Warlock Step 1", 4, 40};
inline constexpr StepLayout kStep1A{"frmSetiRAE1A", core::kWizardStep1ASection,
                                  "Popup Help System - Alarm Settings - Alarm Warlock Step 1A", 5, 80};
inline constexpr StepLayout kStep2{"frmSetiRAE2", core::kWizardStep2Section,
                                 "Popup Help System - Alarm Settings - Alarm Warlock Step 2", 6, 120, "0919cmdTest"};
inline constexpr StepLayout kStep2A{"frmSetiRAE2A", core::kWizardStep2ASection,
                                  "Popup Help System - Alarm Settings - Alarm Warlock Step 2A", 7, 160, "1020cmdTest"};
inline constexpr StepLayout kStep3{"frmSetiRAE3", core::kWizardStep3Section,
                                 "Popup Help System - Alarm Settings - Alarm Warlock Step 3", 8, 200, "1118cmdTest"};
inline constexpr StepLayout kStep3A{"frmSetiRAE3A", core::kWizardStep3ASection,
                                  "Popup Help System - Alarm Settings - Alarm Warlock Step 3A", 9, 240, "1217cmdTest"};
inline constexpr StepLayout kStep4{"frmSetiRAE4", core::kWizardStep4Section,
                                 "Popup Help System - Alarm Settings - Alarm Warlock Step 4", 10, 279, "1316cmdTest"};

inline constexpr std::int16_t kLastAnimationFrame = 279;

// AlarmEditProgress: a new alarm with nothing stored, an edited alarm, and the final save's two
// results (a new alarm waits in AlarmUnderEdit; an edited one was written back).
inline constexpr std::int16_t kProgressNewAlarm = 1;
inline constexpr std::int16_t kProgressNewAlarmSaved = 2;
inline constexpr std::int16_t kProgressEditedAlarmSaved = 3;
inline constexpr std::int16_t kProgressEditing = 11;

// AlarmWizardPending: Save Simple was pressed, or the final save sends the user to a step that
// must show why it refused.
enum PendingCode : std::int16_t {
    kNothingPending = 0,
    kSaveSimplePending = 1,
    kNameTaken = 2,
    kNameEmpty = 3,
    kIntervalTooSmall = 4,
    kSlideInvalid = 5,
};

// The step's store raises the progress to its mark; it never lowers it.
std::int16_t RaisedProgress(std::int16_t progress, std::int16_t mark);

// The animation's frame after one tick towards the step's resting frame, or nothing when it has
// arrived (the timer stops). A forward-only step facing backwards has nowhere to go either.
std::optional<std::int16_t> NextAnimationFrame(std::int16_t frame, bool reverse, std::int16_t restingFrame,
                                               bool forwardOnly = false);
// The direction flag before moving to a step resting on `restingFrame`: forwards it is cleared when
// the frame is at or before it, backwards it is set when the frame is past it; else it stays.
bool DirectionGoingForward(std::int16_t frame, bool reverse, std::int16_t restingFrame);
bool DirectionGoingBack(std::int16_t frame, bool reverse, std::int16_t restingFrame);

// The days of a month of the Gregorian calendar (29 February only in leap years: divisible by 4,
// and not by 100 unless by 400); 30 for a value that is no month.
int DaysInMonth(int month, int year);

// A duration as six boxes hold it: years of 365 days, months of 31 days, days, hours, minutes and
// seconds.
struct DurationParts {
    std::int64_t years = 0, months = 0, days = 0, hours = 0, minutes = 0, seconds = 0;
};
// The total in seconds, or -1 above the longest duration (50 years of 365 days; equal is allowed).
std::int32_t DurationSeconds(const DurationParts& parts);
// A total split into the six parts, each as large as it goes.
DurationParts SplitDuration(std::int32_t seconds);

}  // namespace alarmwizard
