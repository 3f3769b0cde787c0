#include "core/date_routines.h"

#include <bit>
#include <limits>
#include <optional>

#include "core/rounding.h"
#include "platform/base.h"
#include "platform/services/settings_file.h"

namespace core {
namespace {

void AppendTwoDigits(std::string& out, int value) {
    if (value >= 0 && value < 100) {
        out += static_cast<char>('0' + value / 10);
        out += static_cast<char>('0' + value % 10);
        return;
    }
    if (value < 10) out += '0';
    out += std::to_string(value);
}

constexpr int kLastFourDigitYear = 9999;

// The year with four digits; one outside them as it is.
std::string YearText(int year) {
    std::string digits = std::to_string(year);
    if (year >= 0 && digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

std::string DateText(const DateTime& d, const char* betweenDateAndTime) {
    std::string out = YearText(d.Year());
    // One allocation for the whole text: the alarm manager writes one for each of 10,000 alarms.
    out.reserve(out.size() + std::char_traits<char>::length(betweenDateAndTime) + 14);
    out += '-';
    AppendTwoDigits(out, d.Month());
    out += '-';
    AppendTwoDigits(out, d.Day());
    out += betweenDateAndTime;
    AppendTwoDigits(out, d.Hour());
    out += ':';
    AppendTwoDigits(out, d.Minute());
    out += ':';
    AppendTwoDigits(out, d.Second());
    return out;
}

// Characters `from` to `from` + length - 1 (1-based) as a 16-bit whole number.
std::int16_t Field(const std::string& s, std::size_t from, std::size_t length) {
    std::string text = from - 1 < s.size() ? s.substr(from - 1, length) : std::string();
    std::optional<std::int32_t> number = platform::ParseLongText(text);
    if (!number || *number < std::numeric_limits<std::int16_t>::min() || *number > std::numeric_limits<std::int16_t>::max()) {
        throw platform::Error("ParseDateTimeString: \"" + s + "\" is not a date and time of the form YYYY-MM-DD hh:mm:ss");
    }
    return static_cast<std::int16_t>(*number);
}

// The generator behind the key numbers: SplitMix64 started from the seed's bits, so the same seed
// always gives the same numbers.
class KeyNumbers {
public:
    explicit KeyNumbers(double seed) : state_(std::bit_cast<std::uint64_t>(seed)) {}
    int Next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        double fraction = static_cast<double>(z >> 11) * 0x1.0p-53;  // from 0 up to 1
        return static_cast<int>(RoundHalfEven(fraction * 999));
    }

private:
    std::uint64_t state_;
};

constexpr int kKeyNumbers = 1000;
constexpr int kRandomDraws = 20 * kKeyNumbers;  // then the free numbers are taken in order

}  // namespace

std::string FormatDateTimeString(const DateTime& d) { return DateText(d, " "); }

bool HasFourDigitYear(const DateTime& d) { return d.Year() >= 0 && d.Year() <= kLastFourDigitYear; }

DateTime ParseDateTimeString(const std::string& s) {
    if (s == "0" || s.find_first_not_of(' ') == std::string::npos) return DateSerial(1900, 7, 2);
    return MakeDateTime(Field(s, 1, 4), Field(s, 6, 2), Field(s, 9, 2), Field(s, 12, 2), Field(s, 15, 2), Field(s, 18, 2));
}

void SplitSeconds(std::int32_t seconds, std::uint8_t& years, std::uint8_t& months, std::uint8_t& days,
                  std::uint8_t& hours, std::uint8_t& minutes, std::uint8_t& secs) {
    struct Step {
        std::int32_t size;
        std::uint8_t& part;
    } steps[] = {{kSecondsPerYear, years}, {kSecondsPerMonth, months}, {86'400, days}, {3'600, hours}, {60, minutes}};
    std::int32_t rest = seconds;
    for (Step& step : steps) {
        if (rest >= step.size) {
            step.part = static_cast<std::uint8_t>(rest / step.size);
            rest -= step.part * step.size;
        }
    }
    if (rest >= 0) secs = static_cast<std::uint8_t>(rest);
}

std::int32_t JoinSeconds(std::uint8_t years, std::int16_t months, std::int16_t days, std::int32_t hours,
                         std::int32_t minutes, std::int32_t secs) {
    const std::int64_t total = std::int64_t{years} * kSecondsPerYear + std::int64_t{months} * kSecondsPerMonth +
                               std::int64_t{days} * 86'400 + std::int64_t{hours} * 3'600 + std::int64_t{minutes} * 60 + secs;
    if (total > kLongestDuration || total < std::numeric_limits<std::int32_t>::min()) return -1;
    return static_cast<std::int32_t>(total);
}

void AddSecondsToDate(DateTime& d, std::int32_t& seconds) {
    d = AddSeconds(d, seconds);
    seconds = 0;
}

std::string GenerateUniqueKey(const DateTime& d) { return GenerateUniqueKey(d, nullptr); }

std::string GenerateUniqueKey(const DateTime& d, const std::function<bool(const std::string&)>& isTaken) {
    const std::string stem = DateText(d, " # ") + " # ";
    auto free = [&](int n) { return !isTaken || !isTaken(stem + std::to_string(n)); };
    KeyNumbers numbers(d.Second() * 83 / 7.0 + Now().Year());
    for (int draw = 0; draw < kRandomDraws; ++draw) {
        int n = numbers.Next();
        if (free(n)) return stem + std::to_string(n);
    }
    for (int n = 0; n < kKeyNumbers; ++n) {
        if (free(n)) return stem + std::to_string(n);
    }
    throw platform::Error("GenerateUniqueKey: every key of " + stem + "0 to 999 is taken");
}

}  // namespace core
