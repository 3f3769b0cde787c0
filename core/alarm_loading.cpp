// Start-up's alarm load: the online download comes first, then the alarm files are loaded, every
// next firing is computed and the library is told the time to the next alarm.
#include "core/alarm_files.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/next_firing.h"

namespace core {

// One download right after start-up, before the alarm files are loaded.
void frmMainForm::tmrSyncAlarms_Timer() {
    tmrSyncAlarms.Interval = 1000;
    tmrSyncAlarms.Enabled = false;
    DownloadAlarms(false);
}

// Loads the alarm files once the first download has finished, so that a newer list from the web
// server replaces the local one before any alarm can fire. A first download that failed loads the
// local alarms at once: a computer offline still rings its alarms, and a later download that
// succeeds reloads them itself when it takes the online list.
void frmMainForm::tmrLoadAlarms_Timer() {
    tmrLoadAlarms.Interval = 1000;
    if (!DownloadFinished && DownloadFailures == 0) return;
    tmrLoadAlarms.Enabled = false;
    ProcessAlarms();
    CalculateNextFiring(true);
    UpdateNextAlarmFiringTime();
}

const char* frmMainForm::WhyAlarmsAreNotLoaded() {
    if (tmrLoadAlarms.Enabled) return "Error Not Loaded Yet";
    return DownloadFailures != 0 ? "Error Not Loaded Offline" : "Error Not Loaded Unreadable";
}

}  // namespace core
