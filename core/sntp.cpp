#include "core/sntp.h"

#include <algorithm>
#include <cstring>

namespace core {
namespace {

constexpr std::int64_t kTwoTo32 = std::int64_t{1} << 32;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool IsKissCode(const std::uint8_t* referenceId) {
    return std::memcmp(referenceId, "DENY", 4) == 0 || std::memcmp(referenceId, "RSTR", 4) == 0;
}

}  // namespace

std::uint64_t NtpTimestamp(std::int64_t utcMs) {
    std::int64_t seconds = FloorDiv(utcMs, 1000);
    std::int64_t ms = utcMs - seconds * 1000;
    auto ntpSeconds = static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds + kSecondsFrom1900To1970));
    auto fraction = static_cast<std::uint32_t>((static_cast<std::uint64_t>(ms) << 32) / 1000);
    return (std::uint64_t{ntpSeconds} << 32) | fraction;
}

std::int64_t NtpSecondsToUnix(std::uint32_t seconds) {
    std::int64_t sinceEraStart = seconds;
    if (!(seconds & 0x8000'0000u)) sinceEraStart += kTwoTo32;
    return sinceEraStart - kSecondsFrom1900To1970;
}

NtpPacket BuildTimeRequest(std::int64_t sendUtcMs) {
    NtpPacket request{};
    request[0] = kTimeRequestFirstByte;
    std::uint64_t transmit = NtpTimestamp(sendUtcMs);
    for (int i = 0; i < 8; ++i) request[40 + i] = static_cast<std::uint8_t>(transmit >> (56 - 8 * i));
    return request;
}

std::uint32_t ReadBigEndian32(const NtpPacket& packet, std::size_t offset) {
    return (std::uint32_t{packet[offset]} << 24) | (std::uint32_t{packet[offset + 1]} << 16) |
           (std::uint32_t{packet[offset + 2]} << 8) | std::uint32_t{packet[offset + 3]};
}

AnswerVerdict CheckTimeAnswer(const std::vector<std::uint8_t>& answer, const AnswerSource& from,
                              const AnswerSource& asked, const NtpPacket& request) {
    if (from.address != asked.address || from.port != asked.port || answer.size() < 48) return AnswerVerdict::Incorrect;
    const std::uint8_t* a = answer.data();
    int leap = a[0] >> 6, version = (a[0] >> 3) & 7, mode = a[0] & 7, stratum = a[1];
    if (mode != 4 || version < 1 || version > 4) return AnswerVerdict::Incorrect;
    if (!std::equal(a + 24, a + 32, request.begin() + 40)) return AnswerVerdict::Incorrect;
    if (stratum == 0 && IsKissCode(a + 12)) return AnswerVerdict::KissOfDeath;
    if (leap == 3 || stratum < 1 || stratum > 15) return AnswerVerdict::Incorrect;
    if (std::all_of(a + 40, a + 48, [](std::uint8_t b) { return b == 0; })) return AnswerVerdict::Incorrect;
    return AnswerVerdict::Accepted;
}

std::int64_t CorrectedServerTimeMs(const NtpPacket& answer, std::int64_t roundTripMs) {
    // fraction / 2^32 s + roundTrip / 2 ms, in ms: (fraction * 1000 + roundTrip * 2^31) / 2^32.
    __int128 scaled = static_cast<__int128>(ReadBigEndian32(answer, 44)) * 1000 + static_cast<__int128>(roundTripMs) * (std::int64_t{1} << 31);
    const __int128 unit = __int128{1} << 32;
    __int128 whole = scaled / unit, rest = scaled % unit;
    if (rest < 0) {
        rest += unit;
        whole -= 1;
    }
    if (rest * 2 > unit || (rest * 2 == unit && (whole & 1))) whole += 1;
    return NtpSecondsToUnix(ReadBigEndian32(answer, 40)) * 1000 + static_cast<std::int64_t>(whole);
}

std::int64_t ElapsedTicks(std::uint32_t start, std::uint32_t now) {
    std::int64_t later = now;
    if (now < start) later += kTwoTo32;  // the counter wrapped in between
    return later - start;
}

}  // namespace core
