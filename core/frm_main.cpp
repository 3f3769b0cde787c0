#include "core/frm_main.h"

#include "core/alarm_files.h"
#include "core/commands.h"
#include "core/globals.h"
#include "core/hook_settings.h"
#include "core/intro_flags.h"
#include "core/library_binding.h"
#include "core/main_window_proc.h"
#include "core/rounding.h"
#include "platform/forms/constants.h"
#include "platform/present/runner.h"
#include "platform/services/clock.h"
#include "platform/window/loop.h"
#include "platform/window/remote.h"

namespace core {

using namespace platform::forms;

frmMainForm::frmMainForm() : Form("frmMain") {
    OZRClockEngine.Tick = [this] { OZRClockEngine_Timer(); };
    Pulsar.Tick = [this] { Pulsar_Timer(); };
    tmrSoundWait.Tick = [this] { tmrSoundWait_Timer(); };
    mmc.Done = [this](int code) { mmc_Done(code); };
    BodyMovin.Tick = [this] { BodyMovin_Timer(); };
    Tricker.Tick = [this] { Tricker_Timer(); };
    DLLReloader.Tick = [this] { DLLReloader_Timer(); };
    tmrSyncAlarms.Tick = [this] { tmrSyncAlarms_Timer(); };
    tmrLoadAlarms.Tick = [this] { tmrLoadAlarms_Timer(); };
    tmrAfterFiring.Tick = [this] { tmrAfterFiring_Timer(); };
    tmrReDownload.Tick = [this] { tmrReDownload_Timer(); };
    wb.NavigateError = [this](const std::string& url, const std::string& why) { wb_NavigateError(url, why); };
    AtomicTimeout.Tick = [this] { AtomicTimeout_Timer(); };
    AtomicMinute.Tick = [this] { AtomicMinute_Timer(); };
    ws.DataArrival = [this](long bytesTotal) { ws_DataArrival(bytesTotal); };
    Label.MouseDown = [this](int i, int b, int s, int x, int y) { Label_MouseDown(i, b, s, x, y); };
    Label.MouseUp = [this](int i, int b, int s, int x, int y) { Label_MouseUp(i, b, s, x, y); };
    FocusStealer.KeyDown = [this](int& keyCode, int shift) { FocusStealer_KeyDown(keyCode, shift); };

    // What the settings routines need of the main window.
    SettingsRoutineHooks.GetScreenSize = [this] {
        GetScreenSize();
        return ScreenSizeTwips{static_cast<double>(ScreenWidthTwips), static_cast<double>(ScreenHeightTwips)};
    };
    SettingsRoutineHooks.UpdateLabelKerning = [this](std::int16_t dx, std::int16_t dy) { UpdateLabelKerning(dx, dy); };
    SettingsRoutineHooks.ModalWindowOpen = [] { return ModalWindowOpen; };
    SettingsRoutineHooks.MainWindowTopLeft = [this] {
        return TwipsPoint{static_cast<double>(Left), static_cast<double>(Top)};
    };
    SettingsRoutineHooks.ResendLabels = [] {
        DisplayLabelCount = 0;
        SendLabelsToHook(true);
    };
}

void frmMainForm::Design() {
    Caption = kMainWindowTitle;
    BorderStyle = vbBSNone;
    ShowInTaskbar = false;
    // The size before the first layout: what the floating window's default position centres.
    Width = 2250;
    Height = 750;
    struct TimerDesign {
        Timer& timer;
        int interval;
        bool enabled;
    } timers[] = {
        {OZRClockEngine, 1, true},  {Pulsar, 1000, true},      {BodyMovin, 1, false},    {Tricker, 1, false},
        {DLLReloader, 1000, false}, {tmrSoundWait, 1000, false}, {AtomicTimeout, 5000, false}, {AtomicMinute, 55000, true},
        {tmrSyncAlarms, 1, true},   {tmrReDownload, 65000, true}, {tmrLoadAlarms, 50, true},
        {tmrAfterFiring, 1, false},
    };
    // A pause of one second between the sound's repeats lasts one second, whatever the wall clock.
    tmrSoundWait.Exact = true;
    for (auto& t : timers) {
        t.timer.Interval = t.interval;
        t.timer.Enabled = t.enabled;
    }
    Label.Load(0);
    Label(0).Caption = "<Loading>";
    Label(0).AutoSize = true;
    // Off the visible area: it only holds the keyboard focus.
    FocusStealer.Left = -2000;
    FocusStealer.Top = -2000;
}

void frmMainForm::EndProgram(int status) {
    SaveUnsavedAlarms();
    if (!ended_) exitStatus_ = status;  // the first reason to end is the one reported
    ended_ = true;
    platform::PostQuitMessage(status);
}

void frmMainForm::Form_Load() {
    using namespace platform;
    ImmediateAlarms.assign(1, 0);

    // A second copy hands over to the running one and ends without reading or writing any file.
    if (PreviousInstanceRunning()) {
        HWND running = FindWindow(nullptr, kMainWindowTitle);
        if (running == hWnd) running = FindWindowOfOtherCopy(nullptr, kMainWindowTitle);
        if (running) SendMessage(running, WM_CLOCKACTIVATE, 1, 0);
        EndProgram(0);
        return;
    }

    // Of what other programs send over the running copy's socket, only a second start's hand-over
    // is taken.
    platform::AcceptFromOtherCopies(hWnd, WM_CLOCKACTIVATE);
    TakeOverOutsideEnds();
    AlarmsLoaded = false;
    DownloadFinished = false;
    DownloadFailures = 0;
    LoadSettings();
    if (!LoadLanguageAndHelp()) {
        EndProgram(1);
        return;
    }
    GetScreenSize();

    if (Settings.RunCount == 0) {
        OZRClockEngine.Enabled = false;
        RunFirstRunIntro();  // it writes RunCount 1 and the choice, and saves the settings
        StartGreeting();
        OZRClockEngine.Enabled = true;
        // The floating clock's place is the screen's centre whichever clock was chosen (the
        // systray clock's window waits there hidden): a later switch to the floating clock brings
        // it up there too. Saved with the choice: a run that ends without its Quit starts the
        // clock here again.
        Settings.FloatWindowLeft = ScreenWidthTwips / 2;
        Settings.FloatWindowTop = static_cast<std::int32_t>(RoundHalfEven(ScreenHeightTwips / 2.0));
        Move(Settings.FloatWindowLeft, Settings.FloatWindowTop);
        SaveSettings(false);
    } else {
        if (Settings.Splash) StartGreeting();
        MainSettingsFile.WriteLongIn("Main Settings", "RunCount", Settings.RunCount + 1, Settings.RunCount + 1, 1);
    }

    StartTime = Now();
    DisplayLabelCount = 0;
    CopyDataLabelIndex = 0;
    TimeSyncRetries = 0;
    SyncMinuteCount = 0;
    OnlineUserChanged = false;
    LabelsRebuilding = false;
    DLLReloadRequested = false;
    DLLAnswered = false;
    AlarmEditProgress = 0;
    AlarmWizardPending = 0;
    FastStartTicks = 10;
    ResizeLabelDisplays(1);
    ImmediateAlarms.assign(1, 0);
    RescanCounter = 2100;
    mmc.Command = "Close";

    OldWindowProc = SetWindowLong(hWnd, GWL_WNDPROC, AddressOf(MainWindowProc));
    SetWindowLong(hWnd, GWL_EXSTYLE, static_cast<LONG>(WS_EX_LAYERED));
    SetLayeredWindowAttributes(hWnd, static_cast<COLORREF>(Settings.TransparencyColor), Settings.FloatAlpha,
                               Settings.WindowType);

    KeepSavedPlaceOnMonitor();
    Move(Settings.FloatWindowLeft, Settings.FloatWindowTop);
    BackColor = static_cast<COLORREF>(Settings.FloatBackColor);
    if (Settings.FloatAlwaysOnTop) AlwaysOnTop(true);
    UpdateDisplay(false);
    if (Settings.Anchor > 0) UpdateMainWindowAnchoring();

    if (Settings.DebugMode) DebugOutputOn = 1;
    ApplyHookSettings();
    // The settings were loaded before the log was on: their problems follow the start-up line,
    // which is the run's first (the library's own lines aside).
    if (!ended_) DebugLog("[frmMain]: OZR Ruriv successfully started.");
    for (const std::string& note : SettingsLoadNotes) DebugLog(note);
    if (ended_) return;
    DebugLog("");
    if (Settings.AtomicStartup) SynchronizeClock();
}

void frmMainForm::Form_Unload(int& Cancel) {
    (void)Cancel;
    OZRKillSmartWindows();
    AbandonTimeExchange();
    if (Settings.SystrayClock) OZRUnHookSystem();
    if (OldWindowProc) platform::SetWindowLong(hWnd, platform::GWL_WNDPROC, OldWindowProc);
    OldWindowProc = 0;
}

void frmMainForm::Form_GotFocus() {
    if (Settings.FloatAlwaysOnTop) AlwaysOnTop(true);
}

void frmMainForm::Form_KeyDown(int& KeyCode, int Shift) { ClockKeyDown(KeyCode, Shift); }
void frmMainForm::FocusStealer_KeyDown(int& KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); }

void frmMainForm::Tricker_Timer() { RunPendingCommand(); }

void frmMainForm::SwitchClockMode() {
    DLLReloadAttempts = 0;
    OZRUnHookSystem();
    if (Settings.SystrayClock) {
        ForgetHookLabelPositions();
        ApplyHookSettings();
        DLLReloader.Enabled = false;
        DLLReloader.Enabled = true;
        DLLReloadRequested = true;
        DLLAnswered = false;
    } else {
        DLLReloader.Enabled = false;
        DLLReloader.Enabled = true;
        DLLReloadRequested = false;
        DLLAnswered = false;
    }
}

void frmMainForm::DLLReloader_Timer() {
    if (DLLReloadRequested && DLLAnswered) {
        DLLReloader.Enabled = false;
        DLLReloadRequested = false;
        DLLAnswered = false;
        DebugLog("[frmMain]: OZR Ruriv DLL successfully reloaded");
        return;
    }
    if (DLLReloadRequested) {
        DebugLog("[frmMain]: Command to load the OZR Ruriv DLL wasn't issued yet.");
        DLLReloadRequested = false;
    }
    ApplyHookSettings();
    ++DLLReloadAttempts;
    if (DLLReloadAttempts > 5) {
        // The timer stops first, so the box is shown once and not once a second.
        DLLReloader.Enabled = false;
        std::string title = "OZR Ruriv - " + LanguageFile.ReadText("General", "MSGBOX Error");
        std::string text = LanguageFile.ReadText("General", "MSGBOX Error DLL");
        platform::MessageBox(hWnd, text.c_str(), title.c_str(), platform::MB_ICONERROR | platform::MB_SYSTEMMODAL);
        EndProgram(1);
        return;
    }
    DebugLog("[frmMain]: Reloading OZR Ruriv DLL now.");
    DLLReloadRequested = true;
    DLLAnswered = false;
}

frmMainForm& frmMain() {
    static frmMainForm form;
    return form;
}

}  // namespace core
