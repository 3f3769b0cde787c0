// Firing the due alarms of one engine tick: each due alarm's window, sound and special behaviours,
// then the aftermath (next firing times, the alarm files, the library's time to the next alarm,
// the alarm manager's rows).
#include <string>
#include <vector>

#include <bit>
#include <utility>

#include "alarmmanager/frm_seti_ram.h"
#include "core/alarm.h"
#include "core/alarm_window.h"
#include "core/alarm_behavior.h"
#include "core/alarm_files.h"
#include "core/firings_while_open.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/imminent_alarms.h"
#include "core/library_binding.h"
#include "core/next_firing.h"
#include "platform/window/loop.h"

namespace core {
namespace {

// Due from the first tick in its firing second on.
bool IsDue(const Alarm& a, DateTime now) {
    return a.FLAG == kAlarmOn && !(a.AlarmState & (kAlarmStartAhead | kAlarmNoNextFiring)) && SecondsBetween(a.FIRE, now) >= 0;
}

// The library slides a window in from its custom position's edge; every other window shows at once.
bool SlidesIn(const Alarm& a) { return !(a.Flags & kAlarmWindowless) && (a.Flags & kAlarmSlide) && (a.Flags & kAlarmAtHotspot); }

}  // namespace

void ShowAlarmWindow(std::int32_t index, const Alarm& a) {
    AlarmFontRecord font;
    ParseFontInformation(font, a.FontInformation, kTitleFontBlock);
    hooklib::AlarmFontRecord libraryFont{static_cast<platform::COLORREF>(font.BackColor),
                                         static_cast<platform::COLORREF>(font.ForeColor),
                                         font.Name.c_str(),
                                         font.Size,
                                         font.Bold,
                                         font.Italic,
                                         font.Underline,
                                         font.Strikeout};
    OZRFireAlarm(index, a.Title, a.Text, a.CustomPosition, std::bit_cast<hooklib::SlideSettings>(a.SlideSettings), a.X, a.Y, a.W, a.H, a.WindowStyle,
                 static_cast<std::uint32_t>(a.WindowProperties), static_cast<platform::COLORREF>(a.ColorKey), a.Alpha,
                 a.Visuals, static_cast<platform::COLORREF>(a.BackColor), static_cast<platform::COLORREF>(a.TextColor),
                 static_cast<std::uint32_t>(a.Flags), libraryFont, a.Icon, a.Background);
}

namespace {

// The behaviours run in the order of their entries in Instruction.
void TriggerSpecialBehaviors(const Alarm& a) {
    for (const SpecialBehavior& b : ParseBehaviors(a.Instruction, a.Extra))
        OZRTriggerSpecialBehavior(b.Kind, b.Text, b.Check1, b.Check2, b.Check3, b.Check4, b.Option);
}

}  // namespace

void frmMainForm::FireDueAlarms(DateTime now) {
    if (!ImmediateAlarmsMayBeDue(now)) return;
    // What this tick fired, one entry per element of ImmediateAlarms (-1: did not fire).
    std::vector<std::int32_t> fired(ImmediateAlarms.size(), -1);
    bool repeatingFired = false;
    bool touched = false;
    bool startReached = false;
    bool slides = false;
    for (std::size_t i = 1; i < ImmediateAlarms.size(); ++i) {
        const std::int32_t index = ImmediateAlarms[i];
        // The list was built at the last rescan; the alarm list may have shrunk since.
        if (index < 0 || static_cast<std::size_t>(index) >= Alarms.size()) continue;
        Alarm& a = Alarms[static_cast<std::size_t>(index)];
        if (!IsDue(a, now)) {
            // An interval alarm held until its start: once the start has come, a computation
            // gives it its first firing (nothing else would, and it would never fire).
            if (StartReached(a, now)) startReached = true;
            continue;
        }
        if (a.Flags & kAlarmRepetitive) {
            repeatingFired = true;
        } else {
            a.FLAG = kAlarmPassed;
            touched = true;
            // Marked at once, not after the window shows: an end of the run while it shows (the
            // display lost in the middle) still writes the alarm as passed.
            if (!SettingsWindowOpen) MarkAlarmsUnsaved();
        }
        fired[i] = index;
        // Cancel reads the files again; the firing must outlast that, so that it does not ring twice.
        if (SettingsWindowOpen) RememberFiring(a, now);
        if (!(a.Flags & kAlarmWindowless)) {
            ShowAlarmWindow(index, a);
            touched = true;
            slides = slides || SlidesIn(a);
        }
        StartAlarmSound(index, a.Sound, a.Loops, a.LoopDelay, (a.Flags & kAlarmLoopSound) != 0);
        TriggerSpecialBehaviors(a);
    }

    // The files are written, and the list uploaded, once the windows are on the screen.
    bool save = false;
    if (repeatingFired || startReached) {
        // Retroactive alarms are computed too; the computation asks for a rescan itself.
        save = CalculateNextFiring(false) || (touched && !SettingsWindowOpen);
    } else if (touched) {
        save = !SettingsWindowOpen;
        // The clock's countdown moves on to the next alarm at once, the settings window open or not.
        UpdateNextAlarmFiringTime();
    }
    if (save) MarkAlarmsUnsaved();
    if (touched) uploadAfterFiring_ = true;
    if (save || touched) AfterFiring(slides);
    if (SettingsWindowOpen && AlarmManagerOpen) {
        for (std::size_t i = 1; i < fired.size(); ++i) {
            if (fired[i] == -1) continue;
            auto index = static_cast<std::int16_t>(fired[i]);
            alarmmanager::frmSetiRAM().UpdateAlarmStatusPictureAndText(index);
        }
    }
}

// The tick's windows first: a plain one is shown and painted already, so the work needs only this
// pass to end; a sliding one takes its first step on a timer that the library set before this
// one, for the same shortest interval, so that step has run. They reach the screen, and only then
// come the disk and the network (10,000 alarms take tens of milliseconds to save).
void frmMainForm::AfterFiring(bool aWindowSlidesIn) {
    if (aWindowSlidesIn) {
        tmrAfterFiring.Enabled = true;
    } else if (!std::exchange(afterFiringPosted_, true)) {
        platform::PostTask([this] {
            afterFiringPosted_ = false;
            tmrAfterFiring_Timer();
        });
    }
}

void frmMainForm::tmrAfterFiring_Timer() {
    tmrAfterFiring.Enabled = false;
    platform::PresentNow();
    SaveUnsavedAlarms();
    if (std::exchange(uploadAfterFiring_, false)) UploadAlarms();
}

}  // namespace core
