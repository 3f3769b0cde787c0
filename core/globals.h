// The program's global store: one set of globals for the whole program. The settings, the label
// list, the file objects and the intro flags live in their own headers, gathered here; the rest
// of the store is declared below with the routines that own it named beside each group.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/alarm.h"
#include "core/clock_label.h"
#include "core/date_time.h"
#include "core/debug_log.h"
#include "core/language_files.h"
#include "core/program_settings.h"
#include "core/settings_load.h"

namespace core {

// Commands and windows (commands, the introduction, the settings window, the alarm manager).
inline std::string PendingCommand;
inline bool ModalWindowOpen = false;
inline bool SettingsWindowOpen = false;
inline bool AlarmManagerOpen = false;
inline std::int16_t TreeExpandNode = -1;
inline std::int16_t TreeSelectNode = 1;
inline std::string CurrentPageName;
// A page places itself over the settings window's description panel only while this is false.
inline bool SkipPageScaling = false;

// Screen size in twips, refreshed by GetScreenSize.
inline std::int32_t ScreenWidthTwips = 0;
inline std::int32_t ScreenHeightTwips = 0;

// Start-up.
inline DateTime StartTime;

// What the floating clock shows of one label, and what it last sent to the library for it.
struct LabelDisplay {
    std::string LabelText;              // the label's current rendered text
    std::int32_t LabelLayoutWidth = 0;  // twips: the width when last re-aligned; 0 = none yet
    std::int32_t LabelShownHeight = 0;  // twips: the height shown after clipping; 0 = not shown
    std::int16_t HookLabelX = 0;        // pixels: the position last sent to the library
    std::int16_t HookLabelY = 0;
    bool LabelNeedsLayout = false;      // the label page changed its alignment
    bool LabelPushed = false;           // the label page sent its properties on its own

    // Everything but the text starts afresh: the label is laid out and sent again.
    void StartAfresh() { *this = LabelDisplay{std::move(LabelText)}; }
};

// The floating clock's per-label display state: DisplayLabelCount + 1 records, one per label.
inline std::int16_t DisplayLabelCount = 0;
inline std::vector<LabelDisplay> LabelDisplays(1);

// Library binding and the label handshake.
inline std::int16_t CopyDataLabelIndex = 0;
inline bool LabelsRebuilding = false;
inline bool LabelsJustSent = false;
inline std::int16_t LabelSendIndex = -1;
inline bool DLLReloadRequested = false;
inline bool DLLAnswered = false;
inline std::uint8_t DLLReloadAttempts = 0;

// The clock engine, alarms, time synchronisation and the online storage.
inline std::int16_t FastStartTicks = 0;
inline std::int16_t RescanCounter = 0;
inline std::vector<std::int32_t> ImmediateAlarms(1);
// The alarm sound: the alarm whose sound started last, its repeats still to come and the pause
// before each, in seconds.
inline std::int32_t SoundAlarmIndex = 0;
inline std::int16_t SoundLoopsLeft = 0;
inline std::int16_t SoundLoopDelay = 0;
inline bool SoundLoopOn = false;
inline bool AlarmsLoaded = false;
inline bool DownloadFinished = false;
inline std::int32_t DownloadFailures = 0;
inline std::int32_t TimeSyncRetries = 0;
inline std::int32_t SyncMinuteCount = 0;
inline bool OnlineUserChanged = false;
inline std::int16_t AlarmEditProgress = 0;
inline std::int16_t AlarmWizardPending = 0;

// What the settings window's pages changed and Apply has not saved yet: the alarm pages set the
// first (and the sort the second); a step of the alarm wizard is on show while the third is set.
inline bool AlarmsChanged = false;
inline bool AlarmOrderChanged = false;
inline bool WarlockStepLoaded = false;
// The alarm the wizard edits, and its animation.
inline Alarm AlarmUnderEdit;
inline std::int32_t EditedAlarmIndex = 0;  // the alarm of Alarms that the alarm manager's Modify put under edit
inline std::int16_t WarlockAnimFrame = 0;
inline bool WarlockAnimReverse = false;

// A new alarm: AlarmUnderEdit takes the new-alarm values, AlarmEditProgress and WarlockAnimFrame
// become 1 and the wizard's animation runs forwards. The settings tree's "new alarm" node and the alarm manager's New both start with it.
void StartNewAlarm();

// Resizes the per-label display records to count, keeping what they hold.
void ResizeLabelDisplays(std::size_t count);
// The display record of label index, or null for an index without one.
LabelDisplay* LabelDisplayOf(std::int32_t index);
// Every label's position is sent to the library again with its next text.
void ForgetHookLabelPositions();

}  // namespace core
