// The SNTP exchange's pure parts: the request, the checks on an answer, NTP eras, the corrected
// server time and the round trip across a tick-counter wrap.
#include "core/sntp.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/time_sync.h"

using namespace core;

namespace {

constexpr std::int64_t kSendMs = 1'772'366'400'123;  // 2026-03-01 12:00:00.123 UTC

// A sound answer to the request: from 127.0.0.1:123, stratum 2, the request's transmit echoed.
struct Exchange {
    NtpPacket request = BuildTimeRequest(kSendMs);
    std::vector<std::uint8_t> answer;
    AnswerSource asked{"127.0.0.1", 123};
    AnswerSource from{"127.0.0.1", 123};
    Exchange() {
        answer.assign(48, 0);
        answer[0] = 0x24;  // leap 0, version 4, mode 4
        answer[1] = 2;
        std::copy(request.begin() + 40, request.end(), answer.begin() + 24);
        std::uint64_t transmit = NtpTimestamp(kSendMs + 2500);
        for (int i = 0; i < 8; ++i) answer[40 + i] = static_cast<std::uint8_t>(transmit >> (56 - 8 * i));
    }
    AnswerVerdict Verdict() const { return CheckTimeAnswer(answer, from, asked, request); }
};

NtpPacket AnswerWith(std::uint32_t seconds, std::uint32_t fraction) {
    NtpPacket p{};
    for (int i = 0; i < 4; ++i) {
        p[40 + i] = static_cast<std::uint8_t>(seconds >> (24 - 8 * i));
        p[44 + i] = static_cast<std::uint8_t>(fraction >> (24 - 8 * i));
    }
    return p;
}

}  // namespace

TEST(TimeRequest, IsTheClientByteItsSendTimeAndZeros) {
    NtpPacket request = BuildTimeRequest(kSendMs);
    EXPECT_EQ(request[0], 0x1B);
    for (int i = 1; i < 40; ++i) EXPECT_EQ(request[i], 0) << i;
    EXPECT_EQ(ReadBigEndian32(request, 40), 0xED4E'A8C0u);  // 2026-03-01 12:00:00 in NTP seconds
    EXPECT_EQ(ReadBigEndian32(request, 44), static_cast<std::uint32_t>((std::uint64_t{123} << 32) / 1000));
}

TEST(NtpEras, SecondsWithTheTopBitClearLieAfterFebruary2036) {
    EXPECT_EQ(NtpSecondsToUnix(0xED4E'A8C0u), 1'772'366'400);   // 2026
    EXPECT_EQ(NtpSecondsToUnix(0xFFFF'FFFFu), 2'085'978'495);   // 2036-02-07 06:28:15
    EXPECT_EQ(NtpSecondsToUnix(0), 2'085'978'496);              // one second later, not 1900
    EXPECT_EQ(NtpSecondsToUnix(0x7FFF'FFFFu), 4'233'462'143);   // 2104-02-26
    EXPECT_EQ(NtpSecondsToUnix(0x8000'0000u), -61'505'152);     // 1968-01-20, the era's first day
    for (std::int64_t ms : {kSendMs, std::int64_t{2'085'978'496'000}, std::int64_t{3'000'000'000'500}})
        EXPECT_EQ(NtpSecondsToUnix(static_cast<std::uint32_t>(NtpTimestamp(ms) >> 32)) * 1000, ms / 1000 * 1000);
}

TEST(CorrectedServerTime, AddsHalfTheRoundTripToTheFractionRoundedToMilliseconds) {
    std::uint32_t s = 0xED4E'A8C0u;
    std::int64_t whole = 1'772'366'400'000;
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0x8000'0000u), 100), whole + 550);  // .5 s + 50 ms
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0), 0), whole);
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0), 1), whole);       // .5 ms: halves go to even
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0), 3), whole + 2);   // 1.5 ms
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0xFFFF'FFFFu), 0), whole + 1000);
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(s, 0), 4000), whole + 2000);  // past the second
    EXPECT_EQ(CorrectedServerTimeMs(AnswerWith(5, 0), 0), (2'085'978'501) * std::int64_t{1000});
}

TEST(RoundTrip, SurvivesTheTickCounterWrapping) {
    EXPECT_EQ(ElapsedTicks(1000, 1250), 250);
    EXPECT_EQ(ElapsedTicks(0xFFFF'FF00u, 0x10), 0x110);
    EXPECT_EQ(ElapsedTicks(7, 7), 0);
}

TEST(AnswerChecks, ASoundAnswerIsAcceptedAndALongerOneToo) {
    Exchange e;
    EXPECT_EQ(e.Verdict(), AnswerVerdict::Accepted);
    e.answer.resize(68, 0xAB);  // extension fields or a key and digest after the header
    EXPECT_EQ(e.Verdict(), AnswerVerdict::Accepted);
    for (std::uint8_t version : {1, 2, 3}) {
        Exchange v;
        v.answer[0] = static_cast<std::uint8_t>((version << 3) | 4);
        EXPECT_EQ(v.Verdict(), AnswerVerdict::Accepted) << int(version);
    }
}

TEST(AnswerChecks, EachFaultMakesAnIncorrectAnswer) {
    struct Case {
        const char* what;
        void (*spoil)(Exchange&);
    } cases[] = {
        {"another address", [](Exchange& e) { e.from.address = "127.0.0.2"; }},
        {"another port", [](Exchange& e) { e.from.port = 124; }},
        {"47 bytes", [](Exchange& e) { e.answer.resize(47); }},
        {"empty", [](Exchange& e) { e.answer.clear(); }},
        {"mode 3 (an echo of the request)", [](Exchange& e) { e.answer[0] = 0x23; }},
        {"mode 5 (broadcast)", [](Exchange& e) { e.answer[0] = 0x25; }},
        {"version 0", [](Exchange& e) { e.answer[0] = 0x04; }},
        {"version 5", [](Exchange& e) { e.answer[0] = 0x2C; }},
        {"unsynchronised (leap 3)", [](Exchange& e) { e.answer[0] = 0xE4; }},
        {"stratum 0 without a kiss code", [](Exchange& e) { e.answer[1] = 0; }},
        {"stratum 0, RATE", [](Exchange& e) { e.answer[1] = 0, std::copy_n("RATE", 4, e.answer.begin() + 12); }},
        {"stratum 16", [](Exchange& e) { e.answer[1] = 16; }},
        {"no transmit time", [](Exchange& e) { std::fill(e.answer.begin() + 40, e.answer.end(), 0); }},
        {"another originate", [](Exchange& e) { e.answer[31] ^= 1; }},
        {"no originate", [](Exchange& e) { std::fill(e.answer.begin() + 24, e.answer.begin() + 32, 0); }},
        {"a refusal from elsewhere",
         [](Exchange& e) {
             e.answer[1] = 0;
             std::copy_n("DENY", 4, e.answer.begin() + 12);
             e.from.address = "127.0.0.9";
         }},
        {"a refusal that does not echo us",
         [](Exchange& e) {
             e.answer[1] = 0;
             std::copy_n("RSTR", 4, e.answer.begin() + 12);
             e.answer[24] ^= 0x80;
         }},
    };
    for (const Case& c : cases) {
        Exchange e;
        c.spoil(e);
        EXPECT_EQ(e.Verdict(), AnswerVerdict::Incorrect) << c.what;
    }
}

TEST(AnswerChecks, DenyAndRestrictAreKissesOfDeathWhateverTheLeapAndTransmit) {
    for (const char* code : {"DENY", "RSTR"}) {
        Exchange e;
        e.answer[0] = 0xE4;  // servers send these as unsynchronised
        e.answer[1] = 0;
        std::copy_n(code, 4, e.answer.begin() + 12);
        std::fill(e.answer.begin() + 40, e.answer.end(), 0);
        EXPECT_EQ(e.Verdict(), AnswerVerdict::KissOfDeath) << code;
    }
}

TEST(SynchronizationLine, ShowsTheSignedOffsetWithThreeDecimalsInTheRegionalForm) {
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(SynchronizationLine(2500), "Executed Atomic Ruriv Synchronization -> +2.500 Seconds");
    EXPECT_EQ(SynchronizationLine(-250), "Executed Atomic Ruriv Synchronization -> -.250 Seconds");
    EXPECT_EQ(SynchronizationLine(0), "Executed Atomic Ruriv Synchronization -> +.000 Seconds");
    EXPECT_EQ(SynchronizationLine(-1'234'567), "Executed Atomic Ruriv Synchronization -> -1234.567 Seconds");
    setenv("LC_ALL", "nl_NL.UTF-8", 1);
    EXPECT_EQ(SynchronizationLine(1'234'567), "Executed Atomic Ruriv Synchronization -> +1.234,567 Seconds");
    EXPECT_EQ(SynchronizationLine(-999), "Executed Atomic Ruriv Synchronization -> -,999 Seconds");
    EXPECT_EQ(SynchronizationLine(31'557'600'000), "Executed Atomic Ruriv Synchronization -> +31.557.600,000 Seconds");
    unsetenv("LC_ALL");
}
