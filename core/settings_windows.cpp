// The settings window and the about window as the commands open them: the settings subsystem's
// frmSeti and frmAbout.
#include "core/settings_windows.h"

#include "alarmmanager/frm_seti_ram.h"
#include "alarmwizard/alarm_save.h"
#include "core/globals.h"
#include "settings/frm_about.h"
#include "settings/frm_seti.h"

namespace core {

void LoadSettingsWindow() { settings::frmSeti().Load(); }  // its Load shows it

void SettingsWindowAlwaysOnTop(bool on) {
    if (settings::frmSeti().IsLoaded()) settings::frmSeti().AlwaysOnTop(on);
}

void ShowAboutWindow() {
    settings::frmAbout().Load();
    settings::frmAbout().Show();
    settings::frmAbout().cmdClose.SetFocus();
}

void RestoreMinimizedWindows() {
    for (platform::HWND window : {SettingsWindowHandle(), AboutWindowHandle()})
        if (window && platform::IsIconic(window)) platform::ShowWindow(window, platform::SW_RESTORE);
}

void ShowReloadedAlarms(const std::vector<std::int32_t>& movedTo) {
    if (!settings::frmSeti().IsLoaded()) return;
    if (AlarmManagerOpen) alarmmanager::frmSetiRAM().ShowReloadedAlarms(movedTo);
    alarmwizard::EndEditOfVanishedAlarm();
}

void KeepSettingsWindowPlace() {
    if (settings::frmSeti().IsLoaded()) settings::frmSeti().KeepPlace();
}

platform::HWND SettingsWindowHandle() {
    return settings::frmSeti().IsLoaded() ? settings::frmSeti().Window() : platform::HWND{};
}

platform::HWND AboutWindowHandle() {
    return settings::frmAbout().IsLoaded() ? settings::frmAbout().Window() : platform::HWND{};
}

std::int16_t SettingsWindowSelectedNode() {
    return static_cast<std::int16_t>(settings::frmSeti().IsLoaded() ? settings::frmSeti().HighlightedNodeIndex() : 0);
}

}  // namespace core
