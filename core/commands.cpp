#include "core/commands.h"

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/intro_flags.h"
#include "platform/forms/constants.h"
#include "platform/window/messages.h"
#include "settings/settings_commands.h"

namespace core {
namespace {

using namespace platform::forms;

void BringToForeground() {
    if (SettingsWindowOpen || ModalWindowOpen) return;
    platform::HWND after = Settings.FloatAlwaysOnTop ? platform::HWND_TOPMOST : platform::HWND_TOP;
    platform::SetWindowPos(frmMain().hWnd, after, 0, 0, 0, 0, platform::SWP_NOSIZE | platform::SWP_NOMOVE);
    platform::SetForegroundWindow(frmMain().hWnd);
}

void Quit() {
    SaveSettings(false, kSaveAtQuit);
    frmMain().Unload();
    frmMain().EndProgram(0);
}

// The command texts in the order they are compared; an unknown text does nothing.
struct CommandBranch {
    const char* text;
    void (*run)();
};
const CommandBranch kBranches[] = {
    {"Program Settings - Program Settings", [] { settings::OpenSettingsWindow(1, 1); }},
    {"Program Settings - Alarm Settings", [] { settings::OpenSettingsWindow(7, 8); }},
    {"About", settings::OpenAboutWindow},
    {"Bring To Foreground", BringToForeground},
    {"Atomic Ruriv Sync", [] { frmMain().StartTimeSync(); }},
    {"Quit", Quit},
};

}  // namespace

void RunLater(const std::string& text) {
    PendingCommand = text;
    frmMain().Tricker.Enabled = true;
}

void RunPendingCommand() {
    frmMain().Tricker.Enabled = false;
    if (Settings.SystrayClock) frmMain().GetScreenSize();
    for (const CommandBranch& branch : kBranches) {
        if (PendingCommand == branch.text) {
            branch.run();
            return;
        }
    }
}

void ClockKeyDown(int keyCode, int shift) {
    if (IntroShowing) UnloadIntro();
    if (ModalWindowOpen || SettingsWindowOpen) {
        // The keys that open the settings window bring the open one to the front.
        if (SettingsWindowOpen && (keyCode == platform::VK_F2 || keyCode == platform::VK_F3))
            RunLater("Program Settings - Program Settings");
        return;
    }
    PendingCommand.clear();
    static const struct {
        int keyCode;
        int shift;  // -1: any
        const char* command;
    } kKeys[] = {
        {platform::VK_F2, -1, "Program Settings - Program Settings"},
        {platform::VK_F3, -1, "Program Settings - Alarm Settings"},
        {platform::VK_F6, -1, "About"},
        {platform::VK_F4, vbAltMask, "Quit"},
    };
    for (const auto& key : kKeys)
        if (key.keyCode == keyCode && (key.shift < 0 || key.shift == shift)) PendingCommand = key.command;
    frmMain().Tricker.Enabled = true;
}

frmMenuHostForm::frmMenuHostForm() : Form("frmMenuHost") {
    mncProgramSettings.Click = [] { RunLater("Program Settings - Program Settings"); };
    mncAlarmSettings.Click = [] { RunLater("Program Settings - Alarm Settings"); };
    mncAtomicClock.Click = [] { RunLater("Atomic Ruriv Sync"); };
    mncAbout.Click = [] { RunLater("About"); };
    OZR_HANDLE(mncExit, Click);
}

void frmMenuHostForm::Design() {
    Caption = "OZR Ruriv Menu Host";
    ShowInTaskbar = false;
    mnuMain.Caption = "OZR Ruriv &Options";
    mnuMain.Visible = false;
    mncProgramSettings.Caption = "Program &Settings";
    mncProgramSettings.Shortcut = "F2";
    mncAlarmSettings.Caption = "&Alarm Settings";
    mncAlarmSettings.Shortcut = "F3";
    mncAtomicClock.Caption = "Synchronize &Ruriv";
    mncNull.Caption = std::string(21, '_');
    mncAbout.Caption = "A&bout OZR Ruriv";
    mncAbout.Shortcut = "F6";
    mncExit.Caption = "E&xit OZR Ruriv";
}

void frmMenuHostForm::mncExit_Click() {
    // These two texts are fixed; they do not come from the language file.
    if (platform::MessageBox(frmMain().hWnd, "Are you sure you want to exit OZR Ruriv?", "OZR Ruriv - Question", 4132) !=
        platform::IDNO)
        RunLater("Quit");
}

frmMenuHostForm& frmMenuHost() {
    static frmMenuHostForm form;
    return form;
}

}  // namespace core
