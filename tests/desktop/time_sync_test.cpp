// Time synchronisation of the whole program with the network's recording doubles: what is sent,
// what an answer does to the (virtual) clock and the debug log, time-outs and retries, the next
// server, the periodic minute counter, and the answers that must not set the clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/sntp.h"
#include "core/time_sync.h"
#include "desktop_harness.h"
#include "platform/services/clock.h"
#include "platform/services/settings_file.h"
#include "platform/window/messages.h"
#include "tests/support/recording_clock.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kSecond = 1000;

struct SyncSettings {
    std::string atomic = "AtomicStartup=1\nRetries=10\nTryNext=1\n";
    std::vector<std::string> servers = {"127.0.0.1"};
};

void Prepare(const fs::path& folder, const SyncSettings& s) {
    std::ofstream(folder / "Settings.ozrini")
        << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n"
        << "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"
        << "[Atomic Ruriv]\n"
        << s.atomic;
    std::ofstream list(folder / "System" / "Time Servers.ozrini");
    list << "[Dralo Software Development Ruriv - Time Servers File]\n[Servers]\n";
    for (std::size_t i = 0; i < s.servers.size(); ++i) list << i + 1 << "=" << s.servers[i] << "\n";
    for (std::size_t i = 0; i < s.servers.size(); ++i) list << "[" << i + 1 << "]\nIP=\nStratum=\nLocation=Test " << i + 1 << "\n";
}

struct Sync : ::testing::Test {
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        setenv("LC_ALL", "C", 1);
        tzset();
    }
    Desktop& Start(SyncSettings s = {}) {
        desktop_ = std::make_unique<Desktop>(DesktopOptions{
            .clock = "2026-03-01T12:00:00", .prepare = [s](const fs::path& f) { Prepare(f, s); }});
        EXPECT_TRUE(desktop_->Start());
        desktop_->Pump();  // the look-up answers through the loop and the request goes out
        start_ = CurrentClock().MonotonicMs();
        return *desktop_;
    }
    const std::vector<testsupport::RecordingUdpService::Sent>& Sent() const { return desktop_->Udp()->SentDatagrams(); }
    std::string Log() const { return desktop_->DebugLogText(); }
    int Count(const std::string& text) const { return desktop_->CountInDebugLog(text); }
    // An answer to the last request: the server's transmit time, its stratum, from where it was sent.
    Datagram AnswerTo(std::int64_t serverMs, int stratum = 2) const {
        const auto& request = Sent().back();
        Datagram d{request.address, request.port, std::vector<std::uint8_t>(48, 0)};
        d.bytes[0] = 0x24;
        d.bytes[1] = static_cast<std::uint8_t>(stratum);
        std::copy(request.bytes.begin() + 40, request.bytes.begin() + 48, d.bytes.begin() + 24);
        std::uint64_t transmit = core::NtpTimestamp(serverMs);
        for (int i = 0; i < 8; ++i) d.bytes[40 + i] = static_cast<std::uint8_t>(transmit >> (56 - 8 * i));
        return d;
    }
    void Answer(const Datagram& d) {
        desktop_->Udp()->Arrive(d);
        desktop_->Pump();  // arrives now
    }
    std::int64_t Now() const { return CurrentClock().UtcMs(); }
    // Runs the program until that many milliseconds after its start. Whole-second timers come due
    // just after a second of the wall clock, so a 5 s time-out may come a millisecond late.
    void RunTo(std::int64_t ms) { desktop_->Advance(start_ + ms - CurrentClock().MonotonicMs()); }

    std::unique_ptr<Desktop> desktop_;
    std::int64_t start_ = 0;
};

std::uint32_t ReadBigEndian32Of(const Datagram& d) {
    return (std::uint32_t{d.bytes[40]} << 24) | (std::uint32_t{d.bytes[41]} << 16) | (std::uint32_t{d.bytes[42]} << 8) | d.bytes[43];
}

std::string Lines(const char* key) { return core::LanguageFile.ReadText("Program Settings Controls - ATOMIC CLOCK", key); }

// "IP Stratum Location" of one server of the list as the program left it.
std::string ServerRecord(const Desktop& d, const std::string& number) {
    SettingsFile list;
    list.Open(d.PathOf("System/Time Servers.ozrini").string());
    return list.ReadText(number, "IP") + " " + list.ReadText(number, "Stratum") + " " + list.ReadText(number, "Location");
}

}  // namespace

TEST_F(Sync, AtStartUpTheServerIsAskedAndItsTimePlusHalfTheRoundTripIsSet) {
    Desktop& d = Start();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].address, "127.0.0.1");
    EXPECT_EQ(Sent()[0].port, 123);
    ASSERT_EQ(Sent()[0].bytes.size(), 48u);
    EXPECT_EQ(Sent()[0].bytes[0], 0x1B);
    std::int64_t sentAt = Now();
    d.Advance(100);
    Answer(AnswerTo(sentAt + 2500, 3));  // 100 ms round trip, server 2.5 s ahead
    // The server's time + 50 ms was set when the answer came, 100 ms after the request.
    EXPECT_EQ(Now(), sentAt + 2550);
    EXPECT_EQ(Count("Executed Atomic Ruriv Synchronization -> +2.450 Seconds"), 1) << Log();
    EXPECT_EQ(Count(Lines("Success") + " 1"), 1);
    EXPECT_EQ(Count(Lines("Offset")), 0);
    EXPECT_EQ(ServerRecord(d, "1"), "127.0.0.1 3 Test 1");
    // The exchange is over: a late copy of the answer changes nothing.
    Answer(AnswerTo(sentAt + 60'000));
    EXPECT_EQ(Count(Lines("Success")), 1);
    d.Advance(10 * kSecond);
    EXPECT_EQ(Count(Lines("Error Timeout")), 0);
    EXPECT_EQ(Sent().size(), 1u);
}

struct Adjustment {
    const char* settings;
    std::int64_t shiftMs;
    bool offsetLine;
};
struct MinutesAheadOrLate : Sync, ::testing::WithParamInterface<Adjustment> {};

TEST_P(MinutesAheadOrLate, AreAddedToTheServerTimeAndLogged) {
    const Adjustment& c = GetParam();
    Start({.atomic = std::string("AtomicStartup=1\n") + c.settings});
    std::int64_t server = Now() + 3'600'000;  // an hour ahead, no round trip
    Answer(AnswerTo(server));
    EXPECT_EQ(Now(), server + c.shiftMs);
    std::string before = "03/01/26 13:00:00", after = before;
    if (c.shiftMs > 0) after = "03/01/26 13:05:00";
    if (c.shiftMs < 0) after = "03/01/26 12:57:00";
    EXPECT_EQ(Count(Lines("Offset") + " " + before + " -> " + after), c.offsetLine ? 1 : 0) << Log();
    EXPECT_EQ(Count(Lines("Offset")), c.offsetLine ? 1 : 0);
    EXPECT_EQ(Count(Lines("Success") + " 1"), 1);
}

INSTANTIATE_TEST_SUITE_P(Sync, MinutesAheadOrLate,
                         ::testing::Values(Adjustment{"Ahead=1\nAtomicPlus=5\nAtomicMinus=3\n", 5 * 60 * kSecond, true},
                                           Adjustment{"Ahead=0\nAtomicPlus=5\nAtomicMinus=3\n", -3 * 60 * kSecond, true},
                                           // late by 0 minutes: the line shows the same time twice
                                           Adjustment{"Ahead=0\nAtomicPlus=5\nAtomicMinus=0\n", 0, true},
                                           Adjustment{"Ahead=1\nAtomicPlus=0\nAtomicMinus=0\n", 0, false}));

TEST_F(Sync, ASilentServerIsAskedElevenTimesFiveSecondsApartWithoutTryNext) {
    Desktop& d = Start({.atomic = "AtomicStartup=1\nRetries=10\nTryNext=0\n", .servers = {"127.0.0.1", "127.0.0.2"}});
    for (int attempt = 1; attempt <= 11; ++attempt) {
        EXPECT_EQ(Sent().size(), static_cast<std::size_t>(attempt));
        EXPECT_EQ(Sent().back().address, "127.0.0.1");
        RunTo(attempt * 5 * kSecond - 10);
        EXPECT_EQ(Sent().size(), static_cast<std::size_t>(attempt)) << "before the time-out";
        RunTo(attempt * 5 * kSecond + 10);
    }
    EXPECT_EQ(Sent().size(), 11u);
    EXPECT_EQ(Count(Lines("Error Timeout")), 11);
    for (int retry = 1; retry <= 10; ++retry) EXPECT_EQ(Count(Lines("Retrying") + " " + std::to_string(retry) + "\""), 1);
    EXPECT_EQ(Count(Lines("Error Retries") + " 10"), 1);
    d.Advance(60 * kSecond);
    EXPECT_EQ(Sent().size(), 11u);  // nothing more until the next trigger
    EXPECT_EQ(Count("Success"), 0);
}

TEST_F(Sync, WithTryNextEachRetryAsksTheNextServerAndStartsOverPastTheEnd) {
    Desktop& d = Start({.atomic = "AtomicStartup=1\nRetries=4\nTryNext=1\n",
                        .servers = {"127.0.0.1", "127.0.0.2", "127.0.0.3"}});
    RunTo(4 * 5 * kSecond + 10);
    ASSERT_EQ(Sent().size(), 5u);
    const char* expected[] = {"127.0.0.1", "127.0.0.2", "127.0.0.3", "127.0.0.1", "127.0.0.2"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Sent()[i].address, expected[i]);
    EXPECT_EQ(Count(Lines("Restarting")), 1);
    // The fifth attempt, to server 2, is answered: that server is remembered and its record written.
    Answer(AnswerTo(Now()));
    EXPECT_EQ(Count(Lines("Success") + " 2"), 1);
    EXPECT_EQ(core::Settings.AtomicServer, 1);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Atomic Ruriv", "Server"), 1);
    EXPECT_EQ(ServerRecord(d, "2"), "127.0.0.2 2 Test 2");
    EXPECT_EQ(ServerRecord(d, "1"), "  Test 1");
    EXPECT_EQ(core::TimeSyncRetries, 0);
}

TEST_F(Sync, EverySynchronisationStartsAtThePreferredServerAndOnlyItsRetriesMoveOn) {
    Desktop& d = Start({.atomic = "AtomicStartup=1\nRetries=4\nTryNext=1\nRemember=0\nServer=2\n",
                        .servers = {"127.0.0.1", "127.0.0.2", "127.0.0.3"}});
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].address, "127.0.0.3");
    RunTo(5 * kSecond + 10);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].address, "127.0.0.1");
    Answer(AnswerTo(Now()));
    SendMessage(d.FindByTitle(core::kMainWindowTitle), 0x2473, 7, 0);  // the taskbar menu's sync
    d.Advance(20);
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[2].address, "127.0.0.3");
}

TEST_F(Sync, AnEmptyListRestartsFindsNoHostSendsNothingAndRetriesUntilTheRetriesAreUsed) {
    Start({.atomic = "AtomicStartup=1\nRetries=2\n", .servers = {}});
    RunTo(3 * 5 * kSecond + 10);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Count(Lines("Restarting")), 3);
    EXPECT_EQ(Count(Lines("Error Host")), 3);
    EXPECT_EQ(Count(Lines("Error Retries") + " 2"), 1) << Log();
}

TEST_F(Sync, ANameWithoutAnAddressSendsNothingAndIsRetried) {
    Start({.atomic = "AtomicStartup=1\nRetries=2\nTryNext=0\n", .servers = {"no-such-host.test"}});
    RunTo(3 * 5 * kSecond + 10);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Count(Lines("Restarting")), 0);
    EXPECT_EQ(Count(Lines("Error Host")), 3);
    EXPECT_EQ(Count(Lines("Error Retries") + " 2"), 1) << Log();
}

TEST_F(Sync, ANameIsLookedUpAndItsAddressAsked) {
    Desktop& d = Start({.atomic = "AtomicStartup=0\nEvery=0\n", .servers = {"time.example.test"}});
    d.Names()->addresses["time.example.test"] = "127.0.0.7";
    core::frmMain().StartTimeSync();
    d.Pump();
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].address, "127.0.0.7");
    EXPECT_EQ(d.Names()->asked, std::vector<std::string>{"time.example.test"});
}

TEST_F(Sync, ThePeriodicCounterSynchronisesEveryEveryMinutesTicksOfFiftyFiveSeconds) {
    Start({.atomic = "AtomicStartup=0\nEvery=1\nEveryMinutes=3\nRetries=0\n"});
    EXPECT_TRUE(Sent().empty());
    RunTo(3 * 55 * kSecond - 10);
    EXPECT_TRUE(Sent().empty());
    RunTo(3 * 55 * kSecond + 10);
    ASSERT_EQ(Sent().size(), 1u);
    // A success sets the count back; so does a time-out: the next run is 3 ticks after either.
    Answer(AnswerTo(Now()));
    RunTo(6 * 55 * kSecond - 10);
    EXPECT_EQ(Sent().size(), 1u);
    RunTo(6 * 55 * kSecond + 10);
    EXPECT_EQ(Sent().size(), 2u);
    RunTo(9 * 55 * kSecond + 10);  // its time-out at 335 s set the count back between two ticks
    EXPECT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Count(Lines("Error Timeout")), 1);
}

TEST_F(Sync, EveryOffStopsTheMinuteTimerAtItsFirstTickWithoutASynchronisation) {
    Start({.atomic = "AtomicStartup=0\nEvery=0\nEveryMinutes=1\n"});
    RunTo(55 * kSecond + 10);
    EXPECT_TRUE(Sent().empty()) << "the one tick would have reached the count";
    EXPECT_FALSE(core::frmMain().AtomicMinute.Enabled);
}

TEST_F(Sync, EveryOffAtStartUpMeansNoPeriodicRunUntilTheNextStart) {
    Desktop& d = Start({.atomic = "AtomicStartup=0\nEvery=0\nEveryMinutes=2\n"});
    RunTo(55 * kSecond + 10);
    EXPECT_FALSE(core::frmMain().AtomicMinute.Enabled);
    core::Settings.Every = true;  // too late: only a new start runs the timer again
    d.Advance(10 * 55 * kSecond);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(Sync, TheSyncCommandOfTheTaskbarMenuStartsAnExchange) {
    Desktop& d = Start({.atomic = "AtomicStartup=0\nEvery=0\n"});
    EXPECT_TRUE(Sent().empty());
    SendMessage(d.FindByTitle(core::kMainWindowTitle), 0x2473, 7, 0);
    d.Advance(20);
    EXPECT_EQ(Sent().size(), 1u);
}

struct Spoiled {
    const char* what;
    void (*spoil)(Datagram&);
};
struct IncorrectAnswer : Sync, ::testing::WithParamInterface<Spoiled> {};

TEST_P(IncorrectAnswer, IsLoggedSetsNothingAndTheTimeOutStillLeadsToARetry) {
    Start({.atomic = "AtomicStartup=1\nRetries=1\nTryNext=0\n"});
    std::int64_t before = Now();
    Datagram bad = AnswerTo(before + 3'600'000);
    GetParam().spoil(bad);
    Answer(bad);
    EXPECT_EQ(Count("Atomic Ruriv Error - Incorrect Answer"), 1) << Log();
    EXPECT_EQ(Count("Executed"), 0);
    EXPECT_EQ(Now(), before);  // not set
    RunTo(5 * kSecond + 10);
    EXPECT_EQ(Count(Lines("Error Timeout")), 1);
    EXPECT_EQ(Count(Lines("Retrying") + " 1"), 1);
    ASSERT_EQ(Sent().size(), 2u);
    // The retry is answered properly and sets the clock.
    Answer(AnswerTo(Now() + 7000));
    EXPECT_EQ(Count(Lines("Success") + " 1"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sync, IncorrectAnswer,
    ::testing::Values(Spoiled{"Short", [](Datagram& d) { d.bytes.resize(47); }},
                      Spoiled{"OtherSender", [](Datagram& d) { d.fromAddress = "127.0.0.66"; }},
                      Spoiled{"OtherPort", [](Datagram& d) { d.fromPort = 1123; }},
                      Spoiled{"NotOurs", [](Datagram& d) { d.bytes[30] ^= 0xFF; }},
                      Spoiled{"Unsynchronised", [](Datagram& d) { d.bytes[0] = 0xE4; }},
                      Spoiled{"Stratum0", [](Datagram& d) { d.bytes[1] = 0; }},
                      Spoiled{"Stratum16", [](Datagram& d) { d.bytes[1] = 16; }},
                      Spoiled{"ClientMode", [](Datagram& d) { d.bytes[0] = 0x23; }},
                      Spoiled{"Version5", [](Datagram& d) { d.bytes[0] = 0x2C; }},
                      Spoiled{"NoTransmitTime", [](Datagram& d) { std::fill(d.bytes.begin() + 40, d.bytes.end(), 0); }}),
    [](const auto& info) { return std::string(info.param.what); });

struct Refusal : Sync, ::testing::WithParamInterface<const char*> {};

TEST_P(Refusal, LeavesTheServerForTheNextOneAtOnceEvenWithoutTryNext) {
    const char* code = GetParam();
    Start({.atomic = "AtomicStartup=1\nRetries=3\nTryNext=0\n", .servers = {"127.0.0.1", "127.0.0.2"}});
    Datagram kiss = AnswerTo(0);
    kiss.bytes[0] = 0xE4;
    kiss.bytes[1] = 0;
    std::copy_n(code, 4, kiss.bytes.begin() + 12);
    std::int64_t before = Now();
    Answer(kiss);
    ASSERT_EQ(Sent().size(), 2u);  // at once, not after the time-out
    EXPECT_EQ(Sent()[1].address, "127.0.0.2");
    EXPECT_EQ(Count(std::string("Atomic Ruriv Error: the time server refused the request (") + code + ")"), 1) << Log();
    EXPECT_EQ(Count(Lines("Retrying") + " 1"), 1);
    EXPECT_EQ(Now(), before);
    // Server 2 is silent: its time-out comes a full 5 s after it was asked, and without TryNext
    // the retry stays with it.
    RunTo(5 * kSecond - 10);
    EXPECT_EQ(Sent().size(), 2u);
    RunTo(5 * kSecond + 10);
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Sent()[2].address, "127.0.0.2");
}

INSTANTIATE_TEST_SUITE_P(Sync, Refusal, ::testing::Values("DENY", "RSTR"));

TEST_F(Sync, RefusalsCountAsRetriesSoAListOfRefusingServersEnds) {
    Desktop& d = Start({.atomic = "AtomicStartup=1\nRetries=2\n", .servers = {"127.0.0.1"}});
    for (int i = 0; i < 3; ++i) {
        Datagram kiss = AnswerTo(0);
        kiss.bytes[1] = 0;
        std::copy_n("DENY", 4, kiss.bytes.begin() + 12);
        Answer(kiss);
    }
    EXPECT_EQ(Sent().size(), 3u);
    EXPECT_EQ(Count(Lines("Error Retries") + " 2"), 1);
    d.Advance(30 * kSecond);
    EXPECT_EQ(Sent().size(), 3u);
}

TEST_F(Sync, AServerTimeAfter2036IsReadInTheNextEraAndNotAs1900) {
    desktop_ = std::make_unique<Desktop>(DesktopOptions{
        .clock = "2036-02-07T06:28:10", .prepare = [](const fs::path& f) { Prepare(f, SyncSettings{}); }});
    ASSERT_TRUE(desktop_->Start());
    desktop_->Pump();
    std::int64_t server = 2'085'978'496'000 + 20 * kSecond;  // 2036-02-07 06:28:36: NTP seconds 20
    std::int64_t before = Now();
    Datagram answer = AnswerTo(server);
    EXPECT_EQ(ReadBigEndian32Of(answer), 20u);
    Answer(answer);
    EXPECT_EQ(Now(), server);
    EXPECT_EQ(UtcMsToSystemTime(Now()).wYear, 2036);
    EXPECT_EQ(Count(core::SynchronizationLine(server - before)), 1) << Log();
}

TEST_F(Sync, AClockThatCannotBeSetIsLoggedWithTheReasonAndNoSuccess) {
    Desktop& d = Start({.atomic = "AtomicStartup=0\nEvery=0\n"});
    // A clock that stands where the virtual one stood (no time has run yet) and refuses to be set.
    ASSERT_EQ(CurrentClock().MonotonicMs(), testsupport::RecordingClock(0).MonotonicMs());
    testsupport::RecordingClock& clock = testsupport::UseRecordingClock(Now());
    clock.RefuseSets(true);
    core::frmMain().StartTimeSync();
    d.Pump();
    std::int64_t before = Now();
    Answer(AnswerTo(before + 60'000));
    EXPECT_EQ(Count("Atomic Ruriv Error: the system clock could not be set (Operation not permitted)"), 1) << Log();
    EXPECT_EQ(Count(Lines("Success")), 0);
    EXPECT_EQ(Count("Executed Atomic Ruriv Synchronization -> +60.000 Seconds"), 1);
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(clock.Sets(), std::vector<std::int64_t>{before + 60'000});
    // The exchange is over all the same: no time-out, no retry.
    d.Advance(10 * kSecond);
    EXPECT_EQ(Count(Lines("Error Timeout")), 0);
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_TRUE(d.MessageBoxes().empty()) << "a synchronisation of its own tells only the log";

    // One the user asks for from the clock's menu says so once: why, what gives the right, and
    // what the server said; a late copy of the answer adds nothing.
    SendMessage(d.FindByTitle(core::kMainWindowTitle), 0x2473, 7, 0);
    d.Advance(20);
    ASSERT_EQ(Sent().size(), 2u);
    Answer(AnswerTo(Now() - 90'000));
    Answer(AnswerTo(Now() - 90'000));
    ASSERT_EQ(d.MessageBoxes().size(), 1u) << Log();
    EXPECT_EQ(d.MessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    std::smatch offset;  // as the log has it, -90 s and half the round trip
    const std::string log = Log();
    ASSERT_TRUE(std::regex_search(log, offset, std::regex(R"(Synchronization -> (-89\.9\d\d) Seconds)"))) << log;
    for (const std::string& part : std::vector<std::string>{"(Operation not permitted)", "root", "CAP_SYS_TIME", " " + offset[1].str() + " "})
        EXPECT_NE(d.MessageBoxes()[0].text.find(part), std::string::npos) << part << ": " << d.MessageBoxes()[0].text;
}
