// The clock engine: the once-a-second tick of the main window and the one-second pulse that counts
// towards the next rescan of imminent alarms.
#include <limits>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/imminent_alarms.h"
#include "core/kept_collections.h"

namespace core {

void frmMainForm::Pulsar_Timer() {
    // While the alarms are not loaded nothing rescans; the count stays at its top, still "due".
    if (RescanCounter < std::numeric_limits<std::int16_t>::max()) ++RescanCounter;
}

void frmMainForm::RescanImmediateAlarms() { RescanCounter = 2100; }

void frmMainForm::GoTimer() { OZRClockEngine_Timer(); }

void frmMainForm::OZRClockEngine_Timer() {
    if (inTick_) return;
    inTick_ = true;
    struct TickEnd {
        bool& flag;
        ~TickEnd() { flag = false; }
    } tickEnd{inTick_};

    if (FastStartTicks > 0) {
        OZRClockEngine.Interval = 1;
        --FastStartTicks;
    } else {
        OZRClockEngine.Interval = 1000;
    }
    UpdateDisplay(false);

    auto keepOnTop = [this] {
        if ((!IsForegroundFullScreen() || Settings.AlwaysOnTopFS) && Settings.FloatAlwaysOnTop) AlwaysOnTop(true);
    };
    const std::int32_t oldWidth = ScreenWidthTwips, oldHeight = ScreenHeightTwips;
    GetScreenSize();
    if (oldWidth != ScreenWidthTwips || oldHeight != ScreenHeightTwips) {
        keepOnTop();
        if (!BodyMovin.Enabled && Settings.Anchor != 0 && !ModalWindowOpen) UpdateMainWindowAnchoring();
    }
    const int second = Now().Second();
    if ((second == 2 || second == 32) && !ModalWindowOpen && !BodyMovin.Enabled) {
        keepOnTop();
        if (Settings.Anchor > 0) UpdateMainWindowAnchoring();
        CheckScreenResolution();
    }
    const int left = Left, top = Top;
    if (top != Settings.FloatWindowTop || left != Settings.FloatWindowLeft) {
        Settings.FloatWindowLeft = left;
        Settings.FloatWindowTop = top;
        SaveSettings(false);
    }
    if (!AlarmsLoaded) return;
    const DateTime now = Now();
    if (ImmediateAlarmsNeedRebuild(now)) RebuildImmediateAlarms(now);
    FireDueAlarms(now);
    // In a second that fired nothing: the alarm file just written or read is checked once its
    // times can tell a later change, and the next firing's save need not read 9 MB back to know it.
    if (!afterFiringPosted_ && !tmrAfterFiring.Enabled) SettleKeptCollections();
}

}  // namespace core
