#include "core/commands.h"

#include <array>
#include <utility>

#include "alarmmanager/frm_seti_ram.h"
#include "core/alarm_files.h"
#include "core/firings_while_open.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/intro_flags.h"
#include "core/settings_windows.h"
#include "hooklib/clock_protocol.h"
#include "platform/forms/constants.h"
#include "platform/window/messages.h"
#include "platform/window/outside_ends.h"

namespace core {
namespace {

using namespace platform::forms;

void BringToForeground() {
    if (SettingsWindowOpen || ModalWindowOpen) return;
    // A clock that another program minimised (it has no minimise box of its own) comes back too.
    if (platform::IsIconic(frmMain().hWnd)) platform::ShowWindow(frmMain().hWnd, platform::SW_RESTORE);
    platform::HWND after = Settings.FloatAlwaysOnTop ? platform::HWND_TOPMOST : platform::HWND_TOP;
    platform::SetWindowPos(frmMain().hWnd, after, 0, 0, 0, 0, platform::SWP_NOSIZE | platform::SWP_NOMOVE);
    platform::SetForegroundWindow(frmMain().hWnd);
}

// The two settings commands: an open settings window comes forward; otherwise, with no other
// window open, it opens on the given section. Either way a topmost floating clock ends above it,
// as every page the window shows leaves it, whichever way the window was opened (the half-minute
// upkeep leaves the clock alone while the window is open).
void OpenSettings(bool engineTickFirst, std::int16_t expandNode, std::int16_t selectNode) {
    if (IntroShowing) UnloadIntro();
    if (ModalWindowOpen) RestoreMinimizedWindows();
    auto clockAbove = [] {
        if (Settings.FloatAlwaysOnTop) frmMain().AlwaysOnTop(true);
    };
    if (SettingsWindowOpen) {
        SettingsWindowAlwaysOnTop(true);
        SettingsWindowAlwaysOnTop(false);
        clockAbove();
    }
    if (ModalWindowOpen || IntroShowing) return;
    if (engineTickFirst) frmMain().GoTimer();
    ModalWindowOpen = true;
    frmMain().BodyMovin.Enabled = false;
    TreeExpandNode = expandNode;
    TreeSelectNode = selectNode;
    LoadSettingsWindow();
    if (SettingsWindowOpen) clockAbove();
}

void About() {
    if (IntroShowing) UnloadIntro();
    if (ModalWindowOpen) RestoreMinimizedWindows();
    if (ModalWindowOpen || IntroShowing) return;
    ModalWindowOpen = true;
    frmMain().BodyMovin.Enabled = false;
    ShowAboutWindow();
}

// What no end of the program may lose: the settings, what the engine fired while the settings
// window was open, and the firings whose save still waits for its timer.
void SaveAtEnd() {
    SaveSettings(false, kSaveAtQuit);
    if (SettingsWindowOpen) {
        // Its changes were never applied; where the user put it is kept all the same.
        KeepSettingsWindowPlace();
        SaveSettingsWindowPlace(kSaveAtQuit);
        KeepFiringsAtQuit();
    }
    SaveUnsavedAlarms();
}

void Quit() {
    SaveAtEnd();
    frmMain().Unload();
    frmMain().EndProgram(0);
}

struct CommandEntry {
    Command command;
    std::string text;
    void (*run)();
};

// Every command: its text, compared case-sensitively, and what it does.
const std::array<CommandEntry, 6>& Commands() {
    static const std::array<CommandEntry, 6> table{{
        {Command::BringToForeground, "Bring To Foreground", BringToForeground},
        {Command::ProgramSettings, "Program Settings - Program Settings", [] { OpenSettings(true, 1, 1); }},
        {Command::AlarmSettings, "Program Settings - Alarm Settings", [] { OpenSettings(false, 7, 8); }},
        {Command::About, "About", About},
        {Command::TimeSync, "Atomic Ruriv Sync", [] { frmMain().SynchronizeClock(frmMainForm::SyncStart::ByUser); }},
        {Command::Quit, "Quit", Quit},
    }};
    return table;
}

const CommandEntry& EntryOf(Command command) {
    for (const CommandEntry& entry : Commands())
        if (entry.command == command) return entry;
    return Commands().front();  // every enumerator has its entry
}

}  // namespace

const std::string& CommandText(Command command) { return EntryOf(command).text; }

void RunLater(Command command) {
    PendingCommand = CommandText(command);
    frmMain().Tricker.Enabled = true;
}

void TakeOverOutsideEnds() {
    platform::OnEndRequest([] { RunLater(Command::Quit); });
    platform::OnEndWithoutLoop(SaveAtEnd);
}

void RunPendingCommand() {
    frmMain().Tricker.Enabled = false;
    if (Settings.SystrayClock) frmMain().GetScreenSize();
    if (PendingCommand.empty()) return;  // a key with no command
    for (const CommandEntry& entry : Commands()) {
        if (PendingCommand == entry.text) {
            entry.run();
            return;
        }
    }
    DebugLog("[frmMain]: Unknown command \"" + PendingCommand + "\" ignored.");
}

void ClockKeyDown(int keyCode, int shift) {
    if (IntroShowing) UnloadIntro();
    static const struct {
        int keyCode;
        int shift;  // -1: any
        Command command;
    } kKeys[] = {
        {platform::VK_F2, -1, Command::ProgramSettings},
        {platform::VK_F3, -1, Command::AlarmSettings},
        {platform::VK_F6, -1, Command::About},
        {platform::VK_F4, vbAltMask, Command::Quit},
    };
    const Command* command = nullptr;
    for (const auto& key : kKeys)
        if (key.keyCode == keyCode && (key.shift < 0 || key.shift == shift)) command = &key.command;
    if (ModalWindowOpen || SettingsWindowOpen) {
        // The keys that would show a window bring back the open one when it was minimised.
        if (command && *command != Command::Quit) RestoreMinimizedWindows();
        return;
    }
    PendingCommand.clear();
    if (command) PendingCommand = CommandText(*command);
    frmMain().Tricker.Enabled = true;
}

frmMenuHostForm::frmMenuHostForm() : Form("frmMenuHost") {
    mncProgramSettings.Click = [] { RunLater(Command::ProgramSettings); };
    mncAlarmSettings.Click = [] { RunLater(Command::AlarmSettings); };
    mncAtomicClock.Click = [] { RunLater(Command::TimeSync); };
    mncAbout.Click = [] { RunLater(Command::About); };
    OZR_HANDLE(mncExit, Click);
    const std::pair<platform::forms::Menu*, std::uint8_t> alarmItems[] = {
        {&mncTest, alarmmanager::kCommandTest},         {&mncRename, alarmmanager::kCommandRename},
        {&mncActivate, alarmmanager::kCommandActivate}, {&mncDeactivate, alarmmanager::kCommandDeactivate},
        {&mncModify, alarmmanager::kCommandModify},     {&mncDelete, alarmmanager::kCommandDelete},
        {&mncNew, alarmmanager::kCommandNew},
    };
    for (auto [item, command] : alarmItems)
        item->Click = [code = command]() mutable { alarmmanager::frmSetiRAM().DispatchAlarmManagementCommand(code); };
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
    mnuAlarmManagement.Caption = "OZR Ruriv &Alarm Management";
    mnuAlarmManagement.Visible = false;
    mncTest.Caption = "&Test";
    mncRename.Caption = "&Rename";
    mncActivate.Caption = "&Activate";
    mncDeactivate.Caption = "&Deactivate";
    mncModify.Caption = "&Modify";
    mncDelete.Caption = "D&elete";
    mncNew.Caption = "&Create New";
}

void frmMenuHostForm::mncExit_Click() {
    if (platform::MessageBox(frmMain().hWnd, hooklib::kExitQuestion, hooklib::kExitQuestionTitle,
                             hooklib::kExitQuestionStyle) != platform::IDNO)
        RunLater(Command::Quit);
}

frmMenuHostForm& frmMenuHost() {
    static frmMenuHostForm form;
    return form;
}

}  // namespace core
