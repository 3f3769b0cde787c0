// The main window's time synchronisation: one SNTP request to a server of the time-server list,
// its answer checked and turned into the system time, time-outs retried, and a periodic run
// counted in ticks of the minute timer. Every step is told to the debug log; a box tells only the
// user who asked for a synchronisation that the clock could not be set.
#include <algorithm>
#include <string>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_keys.h"
#include "core/language_text.h"
#include "core/time_sync.h"
#include "platform/base.h"
#include "platform/services/clock.h"
#include "platform/services/name_lookup.h"
#include "platform/services/paths.h"
#include "platform/services/regional.h"
#include "platform/services/settings_file.h"
#include "platform/window/window.h"

namespace core {
namespace {

std::string AtomicText(const char* key) { return LanguageFile.ReadText(kTimeSyncTexts, key); }

std::string ServerKey(std::int16_t index) { return std::to_string(index + 1); }

// The times of the minutes ahead or late are shown as UTC, as they are set.
std::string GeneralDateTime(std::int64_t utcMs) { return platform::FormatGeneralDateTime(utcMs); }

// A server's offset in seconds, signed: "+2.500".
std::string OffsetSeconds(std::int64_t offsetMs) {
    return (offsetMs >= 0 ? "+" : "") + platform::FormatRegionalNumber(offsetMs, 3, false);
}

}  // namespace

std::string SynchronizationLine(std::int64_t offsetMs) {
    return "Executed Atomic Ruriv Synchronization -> " + OffsetSeconds(offsetMs) + " Seconds";
}

void frmMainForm::SynchronizeClock(SyncStart start) {
    syncStart_ = start;
    CurrentTimeServer = Settings.AtomicServer;
    StartTimeSync();
}

void frmMainForm::StartTimeSync() {
    AtomicTimeout.Enabled = true;
    TimeRequestTick = 0;
    TimeServerAddress = "";
    ++timeExchange_;  // a look-up still running answers an exchange that is over

    platform::SettingsFile list;
    list.Open(platform::MapPath(kTimeServerListPath));
    if (!list.ListItemExists("Servers", ServerKey(CurrentTimeServer))) {
        DebugLog(AtomicText("Restarting"));
        CurrentTimeServer = 0;
    }
    std::string host = list.ReadText("Servers", ServerKey(CurrentTimeServer));
    if (host.empty()) {
        DebugLog(AtomicText("Error Host"));
        return;
    }
    ResolveHostAddress(host);
}

// The look-up answers later, through the message loop; the request goes out then.
void frmMainForm::ResolveHostAddress(const std::string& host) {
    platform::UseService<platform::NameLookupService>().Lookup(host, [this, exchange = timeExchange_](const std::string& address) {
        if (exchange != timeExchange_) return;
        TimeServerAddress = address;
        SendTimeRequest();
    });
}

void frmMainForm::SendTimeRequest() {
    if (TimeServerAddress.empty()) {
        DebugLog(AtomicText("Error Host"));
        return;
    }
    ws.Close();
    ws.RemoteHost = TimeServerAddress;
    ws.RemotePort = TimeServerPort;
    // A request that cannot go out is told here; the time-out then retries. The round trip is
    // counted from just before the datagram leaves.
    bool sent = ws.Bind(0);
    if (sent) {
        TimeRequestTick = platform::GetTickCount();
        TimeRequestPacket = BuildTimeRequest(platform::CurrentClock().UtcMs());
        sent = ws.SendData({TimeRequestPacket.begin(), TimeRequestPacket.end()});
    }
    if (!sent) DebugLog("Atomic Ruriv Error: " + ws.LastError());
}

void frmMainForm::ws_DataArrival(long) {
    platform::Datagram answer;
    if (!ws.GetData(answer)) {
        DebugLog("Atomic Ruriv Error: " + ws.LastError());
        return;
    }
    AnswerVerdict verdict = CheckTimeAnswer(answer.bytes, {answer.fromAddress, answer.fromPort},
                                            {TimeServerAddress, TimeServerPort}, TimeRequestPacket);
    if (verdict == AnswerVerdict::Incorrect) {
        // Not the answer to our request: the time-out stays armed and leads to a retry.
        DebugLog("Atomic Ruriv Error - Incorrect Answer");
        return;
    }
    AtomicTimeout.Enabled = false;
    if (verdict == AnswerVerdict::KissOfDeath) {
        // The server refuses us: asking it again is pointless, the next server is asked at once.
        SyncMinuteCount = 0;
        AbandonTimeExchange();
        DebugLog("Atomic Ruriv Error: the time server refused the request (" +
                 std::string(answer.bytes.begin() + 12, answer.bytes.begin() + 16) + ")");
        RetryTimeSync(true);
        return;
    }
    // Dated when it came, not when this busy loop got round to reading it.
    // The kernel's arrival time and the tick counter are two clocks: the wait is never counted back
    // past the moment the request left, or the round trip would wrap to 49 days.
    const std::uint32_t nowTick = platform::GetTickCount();
    const std::int64_t sinceRequest = ElapsedTicks(static_cast<std::uint32_t>(TimeRequestTick), nowTick);
    TimeAnswerTick = nowTick - static_cast<std::uint32_t>(std::min(answer.waitedMs, sinceRequest));
    TimeRoundTrip = ElapsedTicks(static_cast<std::uint32_t>(TimeRequestTick), TimeAnswerTick);
    std::copy_n(answer.bytes.begin(), TimeAnswerPacket.size(), TimeAnswerPacket.begin());
    ProcessTimeAnswer();
    ws.Close();
    TellClockNotSet();
}

// Shown once the exchange is over, so that a late copy of the answer that comes while the box is
// open finds nothing to do.
void frmMainForm::TellClockNotSet() {
    if (clockNotSetNotice_.empty()) return;
    const std::string text = std::move(clockNotSetNotice_);
    clockNotSetNotice_.clear();
    const std::string title = "OZR Ruriv - " + LanguageFile.ReadText(kGeneralSection, "MSGBOX Warning");
    platform::MessageBox(platform::HWND{}, text.c_str(), title.c_str(), platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void frmMainForm::ProcessTimeAnswer() {
    platform::SYSTEMTIME now;
    platform::GetSystemTime(&now);
    // The clock when the answer came, to compare with the server's time then.
    std::int64_t clockMs = platform::SystemTimeToUtcMs(now) - ElapsedTicks(TimeAnswerTick, platform::GetTickCount());
    std::int64_t serverMs = CorrectedServerTimeMs(TimeAnswerPacket, TimeRoundTrip);
    const std::int64_t offsetMs = serverMs - clockMs;
    DebugLog(SynchronizationLine(offsetMs));

    WriteAnsweringServer(TimeAnswerPacket[1]);
    if (Settings.Remember) {
        Settings.AtomicServer = CurrentTimeServer;
        SaveSettings(false);
    }

    std::int64_t newTime = serverMs;
    if (Settings.AtomicPlus != 0 || Settings.AtomicMinus != 0) {
        std::int64_t minutes = Settings.Ahead ? Settings.AtomicPlus : -std::int64_t{Settings.AtomicMinus};
        std::int64_t before = newTime;
        newTime += minutes * 60'000;
        DebugLog(AtomicText("Offset") + " " + GeneralDateTime(before) + " -> " + GeneralDateTime(newTime));
    }
    // Since the answer came, reading it late and writing the files took time of their own: the
    // server's time has moved on by as much.
    newTime += ElapsedTicks(TimeAnswerTick, platform::GetTickCount());
    platform::SYSTEMTIME set = platform::UtcMsToSystemTime(newTime);
    if (platform::SetSystemTime(&set)) {
        DebugLog(AtomicText("Success") + " " + ServerKey(CurrentTimeServer));
    } else {
        const std::string why = platform::SetTimeError();
        DebugLog("Atomic Ruriv Error: the system clock could not be set (" + why + ")");
        if (syncStart_ == SyncStart::ByUser) {
            clockNotSetNotice_ = AtomicText("Error Set Clock");
            ReplaceAll(clockNotSetNotice_, "%1", why);
            ReplaceAll(clockNotSetNotice_, "%2", OffsetSeconds(offsetMs));
        }
    }
    syncStart_ = SyncStart::Automatic;
    TimeSyncRetries = 0;
    SyncMinuteCount = 0;
}

// The server that answered keeps the address it was reached at and the stratum it gave.
void frmMainForm::WriteAnsweringServer(int stratum) {
    try {
        platform::SettingsFile list;
        list.Open(platform::MapPath(kTimeServerListPath));
        list.SelectSection(ServerKey(CurrentTimeServer));
        list.WriteString("IP", TimeServerAddress);
        list.WriteString("Stratum", std::to_string(stratum));
        list.Save();
    } catch (const platform::Error& e) {
        DebugLog("Atomic Ruriv Error: " + std::string(e.what()));
    }
}

void frmMainForm::AtomicTimeout_Timer() {
    AtomicTimeout.Enabled = false;
    SyncMinuteCount = 0;
    AbandonTimeExchange();
    DebugLog(AtomicText("Error Timeout"));
    RetryTimeSync(Settings.TryNext);
}

void frmMainForm::AbandonTimeExchange() {
    ws.Close();
    ++timeExchange_;
}

void frmMainForm::RetryTimeSync(bool nextServer) {
    ++TimeSyncRetries;
    if (TimeSyncRetries <= Settings.Retries) {
        // Past the end of the list the next exchange starts again at the first server.
        if (nextServer) ++CurrentTimeServer;
        DebugLog(AtomicText("Retrying") + " " + std::to_string(TimeSyncRetries));
        StartTimeSync();
    } else {
        DebugLog(AtomicText("Error Retries") + " " + std::to_string(Settings.Retries));
        TimeSyncRetries = 0;
    }
}

void frmMainForm::AtomicMinute_Timer() {
    // "Every" off: no periodic run, not even the one this tick would complete.
    if (!Settings.Every) {
        AtomicMinute.Enabled = false;
        return;
    }
    ++SyncMinuteCount;
    // Reached, or passed when the count of minutes was lowered meanwhile; no count, no periodic run.
    if (Settings.EveryMinutes > 0 && SyncMinuteCount >= Settings.EveryMinutes) {
        SynchronizeClock();
        SyncMinuteCount = 0;
    }
}

}  // namespace core
