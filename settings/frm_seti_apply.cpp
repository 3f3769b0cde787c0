// Apply, OK and Cancel of the settings window.
#include <cstdlib>

#include "core/language_keys.h"
#include "core/alarm_files.h"
#include "core/autostart_entry.h"
#include "core/date_routines.h"
#include "core/firings_while_open.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/library_binding.h"
#include "core/window_placement.h"
#include "core/hook_settings.h"
#include "settings/frm_seti.h"
#include "settings/label_rules.h"
#include "settings/settings_tree.h"

namespace settings {

using namespace core;

namespace {

// Apply tells every failed save: the user asked for this one.
constexpr SaveNotice kSaveAtApply{"MSGBOX Error Save", false};

std::string General(const char* key) { return LanguageFile.ReadText(kGeneralSection, key); }

// What Cancel compares after reading the files again, to send the clock only what changed.
struct ShownState {
    std::int32_t floatBackColor;
    bool transparentMode;
    bool systrayClock;
    bool tooltip;
    std::int16_t tooltipDelay, tooltipFadeIn, tooltipFadeOut;
    std::uint8_t tooltipMaxOpacity;
    std::int16_t labelCount;
    std::vector<std::string> formats;

    static ShownState Now() {
        ShownState s{Settings.FloatBackColor, Settings.TransparentMode, Settings.SystrayClock, Settings.Tooltip,
                     Settings.TooltipDelay,   Settings.TooltipFadeIn,   Settings.TooltipFadeOut, Settings.TooltipMaxOpacity,
                     LabelCount,              {}};
        for (int i = 0; i < LabelCount; ++i) s.formats.push_back(Labels[static_cast<std::size_t>(i)].SpawnString);
        return s;
    }
    bool SameTooltip(const ShownState& o) const {
        return tooltip == o.tooltip && tooltipDelay == o.tooltipDelay && tooltipFadeIn == o.tooltipFadeIn &&
               tooltipFadeOut == o.tooltipFadeOut && tooltipMaxOpacity == o.tooltipMaxOpacity;
    }
};

void ResendPushedLabels(const ShownState& before) {
    for (int i = 0; i < LabelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const ClockLabel& l = Labels[at];
        LabelDisplay* d = LabelDisplayOf(i);
        if (!d) continue;
        if (d->LabelPushed) {
            SendOneLabelToHook(i);
            d->LabelPushed = false;
        }
        if (at < before.formats.size() && AlignmentOfScript(before.formats[at]) != AlignmentOfScript(l.SpawnString))
            d->LabelNeedsLayout = true;
    }
}

void TrimLabelControls(const ShownState& before) {
    for (int n = before.labelCount - LabelCount + 1; n > 0; --n) {
        auto& controls = frmMain().Label;
        if (controls.Count() > 1) controls.Unload(controls.UBound());
        if (DisplayLabelCount > 0) --DisplayLabelCount;
    }
    LabelsRebuilding = true;
    SendLabelsToHook(true);
}

}  // namespace

bool frmSetiForm::WriteAutostart() {
    const std::optional<std::string> failure = FollowAutostartSetting();
    if (!failure) return true;
    const std::string text = General("MSGBOX ERR Error") + " ApplyChanges | frmSeti (" + *failure + ")\r\n\r\n" +
                             General("MSGBOX ERR Reasons") + "\r\n" + General("MSGBOX ERR IOS") + "\r\n" +
                             General("MSGBOX ERR IAE") + "\r\n\r\n" + General("MSGBOX ERR APO");
    const std::string title = "OZR Ruriv - " + General("MSGBOX Error");
    platform::MessageBox(hWnd, text.c_str(), title.c_str(), platform::MB_OK | platform::MB_ICONERROR);
    return false;
}

void frmSetiForm::KeepPlace() {
    const platform::POINT place = NormalTopLeftTwips(hWnd);
    Settings.PX = place.x;
    Settings.PY = place.y;
}

// True when everything was saved.
bool frmSetiForm::ApplyChanges() {
    if (WarlockStepLoaded && !boxes_.Ask("Alarm Warlock Close Warning")) return false;
    WriteAutostart();
    bool saved = SaveSettings(true, kSaveAtApply);
    if (AlarmsLoaded) {
        for (Alarm& alarm : Alarms) alarm.AlarmState &= static_cast<std::uint8_t>(~kAlarmHeldBack);
        saved = (AlarmOrderChanged ? SaveAlarmsInListOrder() : SaveAlarms()) && saved;
    }
    // A failed save was told by its box; what it did not write stays marked as unsaved, and the
    // online list is not replaced by one the files here do not hold.
    if (!saved) {
        frmMain().UpdateDisplay(true);
        return false;
    }
    ForgetFirings();
    Settings.LastSave = FormatDateTimeString(Now());
    UsernameAtLastLoadOrApply = Settings.Username;
    if (OnlineUserChanged) {
        OnlineUserChanged = false;
        const std::string text = LanguageFile.ReadText(kAnywhereSection, "UserChanged1") + "\r\n\r\n" +
                                 LanguageFile.ReadText(kAnywhereSection, "UserChanged2") + "\r\n\r\n" +
                                 LanguageFile.ReadText(kAnywhereSection, "UserChanged3");
        if (boxes_.Show(PageBox::Question, text) == platform::IDYES)
            frmMain().UploadAlarms();
        else
            frmMain().DownloadAlarms(true);
    } else {
        frmMain().UploadAlarms();
    }
    AlarmsChanged = false;
    AlarmOrderChanged = false;
    frmMain().UpdateDisplay(true);
    frmMain().UpdateMainWindowAnchoring();
    // The click on this window brought it forward: a topmost floating clock comes back above it,
    // as every page shown leaves it (also the clock an Apply has just switched to).
    if (!Settings.SystrayClock && Settings.FloatAlwaysOnTop) frmMain().AlwaysOnTop(true);
    return true;
}

bool frmSetiForm::ConfirmCancel() {
    if (AlarmsChanged && !boxes_.Ask("Alarm Cancel Warning")) return false;
    if (WarlockStepLoaded && !boxes_.Ask("Alarm Warlock Close Warning")) return false;
    const ShownState before = ShownState::Now();
    frmMain().GoTimer();

    LoadSettings();
    // What the engine fired meanwhile is kept, in memory and in the files: only the user's changes go.
    ReloadAlarmsKeepingFirings();
    if (!LoadLanguageAndHelp()) {
        frmMain().EndProgram(1);
        return true;
    }
    KeepPlace();  // the window's position survives the cancel
    core::OZRSetClockShortcutCount(Settings.OZRShortcut ? 1 : 0);

    if (LabelCount != before.labelCount)
        TrimLabelControls(before);
    else
        ResendPushedLabels(before);
    for (int i = 0; i < LabelCount; ++i) {
        ClockLabel& l = Labels[static_cast<std::size_t>(i)];
        l.BaseX = static_cast<std::int16_t>(Settings.PositionX * 15);
        l.BaseY = static_cast<std::int16_t>(Settings.PositionY * 15);
    }

    if (Settings.WindowType != 0)
        platform::SetLayeredWindowAttributes(frmMain().hWnd, static_cast<platform::COLORREF>(Settings.TransparencyColor),
                                             Settings.FloatAlpha, Settings.WindowType);
    else
        platform::SetLayeredWindowAttributes(frmMain().hWnd, 0, 255, platform::LWA_ALPHA);
    if (Settings.SystrayClock && !Settings.AutoSize) {
        core::OZRSetClockWidth(Settings.ClockWidth);
        core::OZRSetClockHeight(Settings.ClockHeight);
    }
    const ShownState after = ShownState::Now();
    if (after.floatBackColor != before.floatBackColor) {
        frmMain().BackColor = static_cast<platform::COLORREF>(Settings.FloatBackColor);
        for (int index : frmMain().Label.Indices())
            frmMain().Label(index).BackColor = static_cast<platform::COLORREF>(Settings.FloatBackColor);
        if (Settings.SystrayClock) core::OZRSetClockBackground(static_cast<platform::COLORREF>(Settings.FloatBackColor));
    }
    if (after.transparentMode != before.transparentMode) core::OZRSetClockTransparent(Settings.TransparentMode ? 1 : 0);
    if (!after.SameTooltip(before))
        core::OZRSetClockTooltip(Settings.Tooltip ? 1 : 0, Settings.TooltipDelay, Settings.TooltipFadeIn, Settings.TooltipFadeOut,
                           Settings.TooltipMaxOpacity);
    if (after.systrayClock != before.systrayClock) {
        if (Settings.SystrayClock) {
            ForgetHookLabelPositions();
        }
        frmMain().SwitchClockMode();
    }
    frmMain().AlwaysOnTop(Settings.FloatAlwaysOnTop);
    frmMain().AtomicMinute.Enabled = Settings.Every;
    frmMain().UpdateDisplay(true);
    // While this window is open a change of the clock's size keeps its right and bottom edges in
    // place; the labels sent back above have moved it so. The clock goes back where the user put
    // it: where it stood, or where a drag meanwhile left it, which the engine then saves.
    frmMain().Move(UserClockPlace.x, UserClockPlace.y);
    return true;
}

void frmSetiForm::cmdApply_Click() { ApplyChanges(); }

void frmSetiForm::cmdOkN_Click() {
    if (ApplyChanges()) Unload();
}

void frmSetiForm::cmdCancelN_Click() {
    if (ConfirmCancel()) Unload();
}

}  // namespace settings
