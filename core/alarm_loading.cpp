// Start-up's alarm load: the online download comes first, then the alarm files are loaded, every
// next firing is computed and the library is told the time to the next alarm.
#include "core/alarm_files.h"
#include "core/debug_log.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/next_firing.h"

namespace core {

void frmMainForm::DownloadAlarms(bool force) {
    (void)force;
    if (!Settings.Username.empty()) {
        DebugLog("[frmMain]: The alarm list is not exchanged with a web server; the alarm files here are the list.");
    }
    DownloadFinished = true;
}

void frmMainForm::UploadAlarms() {
    if (!Settings.Username.empty())
        DebugLog("[frmMain]: The alarm list is not exchanged with a web server; it stays in the alarm files here.");
}

// One download right after start-up, before the alarm files are loaded.
void frmMainForm::tmrSyncAlarms_Timer() {
    tmrSyncAlarms.Interval = 1000;
    tmrSyncAlarms.Enabled = false;
    DownloadAlarms(false);
}

// Loads the alarm files once the first download has finished, so that a newer list from the web
// server would replace the local one before any alarm can fire.
void frmMainForm::tmrLoadAlarms_Timer() {
    tmrLoadAlarms.Interval = 1000;
    if (!DownloadFinished) return;
    tmrLoadAlarms.Enabled = false;
    ProcessAlarms();
    CalculateNextFiring(true);
    UpdateNextAlarmFiringTime();
}

}  // namespace core
