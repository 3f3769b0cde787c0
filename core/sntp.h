// The SNTP exchange of the time synchronisation: the 48-byte request, the checks an answer must
// pass, and the arithmetic that turns the answer into the time to set. Times on the wire are NTP
// timestamps: 32 bits of seconds since 1900-01-01 00:00 UTC and 32 bits of fraction, big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

using NtpPacket = std::array<std::uint8_t, 48>;

constexpr std::uint8_t kTimeRequestFirstByte = 0x1B;  // leap indicator 0, version 3, mode 3 (client)
constexpr std::int64_t kSecondsFrom1900To1970 = 2'208'988'800;

// The request: the first byte above, its send time in the transmit field (bytes 40 to 47), zeros
// elsewhere. The server copies the transmit field into its answer's originate field.
NtpPacket BuildTimeRequest(std::int64_t sendUtcMs);

// An NTP timestamp (seconds, fraction) of a moment in Unix milliseconds, and the seconds back.
// Seconds with the top bit clear lie in the era that starts 2036-02-07 06:28:16 UTC (the 32-bit
// count wrapped there), so 1968 to 2104 reads right.
std::uint64_t NtpTimestamp(std::int64_t utcMs);
std::int64_t NtpSecondsToUnix(std::uint32_t seconds);

enum class AnswerVerdict {
    Accepted,
    Incorrect,     // not an answer to our request, or one that must not set a clock
    KissOfDeath,   // the server refuses us (stratum 0, DENY or RSTR): ask another
};

struct AnswerSource {
    std::string address;
    std::uint16_t port = 0;
};

// The checks an answer passes: from the server asked, on its port, 48 bytes or more, mode 4
// (server), version 1 to 4, leap indicator not 3 (unsynchronised), stratum 1 to 15, a transmit
// time that is not zero, and an originate field equal to the request's transmit field.
AnswerVerdict CheckTimeAnswer(const std::vector<std::uint8_t>& answer, const AnswerSource& from,
                              const AnswerSource& asked, const NtpPacket& request);

std::uint32_t ReadBigEndian32(const NtpPacket& packet, std::size_t offset);

// The server's time plus half the round trip, in Unix milliseconds: the transmit fraction and
// half the round trip added and rounded to whole milliseconds (halves to even), then the seconds.
std::int64_t CorrectedServerTimeMs(const NtpPacket& answer, std::int64_t roundTripMs);

// Milliseconds from start to now on the 32-bit tick counter, which wraps after 49.7 days.
std::int64_t ElapsedTicks(std::uint32_t start, std::uint32_t now);

}  // namespace core
