// frmMain: the main window. It is the floating clock's window (its Label controls show the clock
// labels), the owner of every timer of the program and the receiver of the library's and a second
// copy's messages. Its title never changes while the program runs: the library and a second copy
// find the running program by it.
#pragma once

#include <cstdint>
#include <string>

#include "core/date_time.h"
#include "core/sntp.h"
#include "hooklib/clock_protocol.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/multimedia_control.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "platform/services/internet_transfer.h"
#include "platform/services/udp.h"
#include "platform/services/web_browser.h"

namespace core {

using hooklib::kMainWindowTitle;
using hooklib::WM_CLOCKACTIVATE;
using hooklib::WM_CLOCKQUIT;

class frmMainForm : public platform::forms::Form {
public:
    frmMainForm();

    // Timers (initial interval and state are set in Design).
    platform::forms::Timer OZRClockEngine{this, "OZRClockEngine"};
    platform::forms::Timer Pulsar{this, "Pulsar"};
    platform::forms::Timer BodyMovin{this, "BodyMovin"};
    platform::forms::Timer Tricker{this, "Tricker"};
    platform::forms::Timer DLLReloader{this, "DLLReloader"};
    platform::forms::Timer tmrSoundWait{this, "tmrSoundWait"};
    platform::forms::Timer AtomicTimeout{this, "AtomicTimeout"};
    platform::forms::Timer AtomicMinute{this, "AtomicMinute"};
    platform::forms::Timer tmrSyncAlarms{this, "tmrSyncAlarms"};
    platform::forms::Timer tmrReDownload{this, "tmrReDownload"};
    platform::forms::Timer tmrLoadAlarms{this, "tmrLoadAlarms"};
    // One shot after a firing: the alarm files and the upload, once the alarm windows are shown.
    platform::forms::Timer tmrAfterFiring{this, "tmrAfterFiring"};
    // One label control per clock label; Label(0) exists from the start.
    platform::forms::ControlArray<platform::forms::Label> Label{this, "Label"};
    // Holds the keyboard focus; its keys go to Form_KeyDown.
    platform::forms::TextBox FocusStealer{this, "FocusStealer"};
    // Plays the alarm sounds (and the wizard's sound test).
    platform::forms::MultimediaControl mmc{this, "mmc"};
    // Time requests.
    platform::UdpSocketControl ws;
    // The online alarm storage: the download (a GET answered later on the loop) and the upload (a
    // page that posts its form as it loads). Neither shows anything, nor stops the clock.
    platform::InternetTransferControl inet;
    platform::WebBrowserControl wb;

    // Floating clock layout.
    void SetLabelData(std::int16_t index, const std::string& text);
    void UpdateDisplay(bool force);
    void UpdateLabelKerning(std::int16_t dx, std::int16_t dy);
    void NoLabelsToDisplay();

    // Window placement, topmost and dragging.
    void AlwaysOnTop(bool on);
    void UpdateMainWindowAnchoring();
    void GetScreenSize();
    void CheckScreenResolution();
    bool IsForegroundFullScreen();
    // The saved place at start-up: on a monitor it is kept, pulled back only where the window
    // would pass that monitor's right or bottom edge; on none (its monitor is gone) it is brought
    // back onto the primary monitor.
    void KeepSavedPlaceOnMonitor();
    // After a resize: the shown window lies wholly on a monitor, moved as little as it must.
    void KeepWholeOnMonitor();

    // Library binding.
    void SwitchClockMode();

    // The clock engine's tick, run at once (the commands use it before opening a window).
    void GoTimer();
    // The next tick rebuilds the list of imminent alarms.
    void RescanImmediateAlarms();
    // The library closed an alarm's window: the sound stops when it is that alarm's.
    void AlarmWindowDied(std::int32_t& index);
    // Starts an alarm's sound on mmc (ending any sound playing); with loopOn it plays `loops`
    // more times, each `loopDelay` seconds after the previous play ended.
    void StartAlarmSound(std::int32_t alarmIndex, const std::string& sound, std::int16_t loops,
                         std::int16_t loopDelay, bool loopOn);

    // The alarm list kept on a web server under the account "Username": with no account there is
    // nothing to fetch, and the download counts as finished at once. A list newer than the local
    // one (or any list, when forced) replaces it after a backup and the alarms are loaded again;
    // an older one follows "Confirmation"; a local list that is gone or does not load gives way to
    // any online one, asked first where "Confirmation" asks; one that does not load as the local
    // list does replaces nothing. A download that got no list counts a failure, and the retry timer tries again while
    // failures are counted. The answer is handled when it comes; one download runs at a time.
    void DownloadAlarms(bool force);
    // The key (section "Alarm Settings Controls - SUB WINDOW ALARM MANAGEMENT") of why the alarms
    // are not loaded: still waiting for the first download, or the files could not be read (and
    // the download found no list to take their place).
    const char* WhyAlarmsAreNotLoaded();
    // Sends the alarm collection file to the web server of the account; nothing without an account.
    // Asked while a download is under way, it waits for that download's end and then sends what
    // the file holds.
    void UploadAlarms();
    // Time synchronisation: the 0-based index of the server the next exchange asks (the
    // settings pages set it), and one exchange with it.
    std::int16_t CurrentTimeServer = 0;
    void StartTimeSync();
    // A synchronisation of its own (at start-up, periodic, the command "Atomic Ruriv Sync"): its
    // first exchange asks the preferred server; only its retries move on to others. One the user
    // asked for tells them in a box when the clock cannot be set; the others tell only the log.
    enum class SyncStart { Automatic, ByUser };
    void SynchronizeClock(SyncStart start = SyncStart::Automatic);

    // True once the program has ended (a second copy, a fatal start-up error, Quit); the exit
    // status is the platform's quit code.
    bool Ended() const { return ended_; }
    int ExitStatus() const { return exitStatus_; }
    void EndProgram(int status);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_GotFocus() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_MouseUp(int Button, int Shift, int X, int Y) override;

private:
    void OZRClockEngine_Timer();
    // The tick's alarm part: window, sound and behaviours of every due alarm, then the aftermath.
    void FireDueAlarms(DateTime now);
    // The files' save and the list's upload after a firing, once the fired windows are on the
    // screen: after the first step of one that slides in, otherwise right after this pass.
    void AfterFiring(bool aWindowSlidesIn);
    void tmrAfterFiring_Timer();
    bool uploadAfterFiring_ = false;
    bool afterFiringPosted_ = false;
    void Pulsar_Timer();
    // Opens and plays mmc's file; a failure goes to the debug log.
    void OpenAndPlayAlarmSound();
    void mmc_Done(int NotifyCode);
    void tmrSoundWait_Timer();
    void Tricker_Timer();
    void DLLReloader_Timer();
    void BodyMovin_Timer();
    void tmrSyncAlarms_Timer();
    void tmrLoadAlarms_Timer();
    void tmrReDownload_Timer();
    void wb_NavigateError(const std::string& url, const std::string& why);
    // The download's answer ("" when none came), handled as the download's steps say.
    void DownloadAnswered(const std::string& answer, bool force);
    // Makes the downloaded list the local collection and loads it; false (not taken, told) when it
    // cannot.
    bool RestoreAlarms(const std::string& body, DateTime date);
    void DownloadAttemptFailed(const std::string& why);
    void ListNotTaken(const std::string& why);
    bool downloading_ = false;            // from the request to the end of its answer's handling
    bool forcedDownloadWaiting_ = false;  // a forced download asked for meanwhile
    bool uploadWaiting_ = false;          // an upload asked for meanwhile
    void FocusStealer_KeyDown(int& KeyCode, int Shift);
    void Label_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void Label_MouseUp(int Index, int Button, int Shift, int X, int Y);
    // Starts a drag or opens the clock's menu from a press at (x, y) twips inside the window.
    void PressOnClock(int Button, int Shift, double x, double y);

    // Time synchronisation (frm_main_time_sync.cpp).
    void ResolveHostAddress(const std::string& host);
    void SendTimeRequest();
    void ws_DataArrival(long bytesTotal);
    void ProcessTimeAnswer();
    void WriteAnsweringServer(int stratum);
    void AtomicTimeout_Timer();
    void AtomicMinute_Timer();
    // Ends the exchange that is waiting (its socket, its look-up) without an answer.
    void AbandonTimeExchange();
    // After a failed attempt: the next attempt (on the next server when asked to) while retries
    // are left, otherwise the end of this synchronisation.
    void RetryTimeSync(bool nextServer);
    std::string TimeServerAddress;
    std::int64_t TimeRequestTick = 0;
    std::int64_t TimeRoundTrip = 0;
    std::uint32_t TimeAnswerTick = 0;  // tick count when the answer came
    NtpPacket TimeRequestPacket{};
    NtpPacket TimeAnswerPacket{};
    int timeExchange_ = 0;  // counts exchanges, so that a look-up answers only the one that asked
    SyncStart syncStart_ = SyncStart::Automatic;  // of the synchronisation under way
    // The box of a synchronisation the user asked for that could not set the clock, shown once
    // the exchange is over; "" for none.
    std::string clockNotSetNotice_;
    void TellClockNotSet();

    bool ended_ = false;
    // A tick is running: a tick asked for from inside it (a message box lets timers run, and the
    // command timer runs GoTimer) returns at once.
    bool inTick_ = false;
    int exitStatus_ = 0;
};

frmMainForm& frmMain();

}  // namespace core
