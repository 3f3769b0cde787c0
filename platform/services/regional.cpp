#include "platform/services/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <ctime>

namespace platform {
namespace {

// The environment's locale for numbers and times as it is now; "C" when it names none that exists.
class Regional {
public:
    Regional() {
        locale_ = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
        if (!locale_) locale_ = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    }
    ~Regional() { freelocale(locale_); }
    Regional(const Regional&) = delete;
    Regional& operator=(const Regional&) = delete;
    operator locale_t() const { return locale_; }

private:
    locale_t locale_;
};

// Whole digits grouped the way the locale's grouping string says (sizes from the right; the last
// size repeats; CHAR_MAX or an empty string: no more grouping).
std::string Grouped(const std::string& digits, const std::string& separator, const char* grouping) {
    if (separator.empty() || !grouping || !*grouping) return digits;
    std::string out;
    std::size_t end = digits.size();
    const char* g = grouping;
    int size = *g;
    while (end > 0) {
        if (size <= 0 || size == CHAR_MAX || static_cast<std::size_t>(size) >= end) {
            out.insert(0, digits.substr(0, end));
            break;
        }
        out.insert(0, separator + digits.substr(end - size, size));
        end -= size;
        if (g[1]) size = *++g;
    }
    return out;
}

}  // namespace

std::string FormatRegionalNumber(std::int64_t scaled, int decimals, bool zeroBeforePoint) {
    std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    std::string whole = std::to_string(magnitude / unit);
    std::string fraction = std::to_string(magnitude % unit);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    Regional locale;
    std::string text = scaled < 0 ? "-" : "";
    if (whole != "0" || zeroBeforePoint) text += Grouped(whole, nl_langinfo_l(THOUSEP, locale), nl_langinfo_l(GROUPING, locale));
    if (decimals > 0) text += nl_langinfo_l(RADIXCHAR, locale) + fraction;
    return text;
}

std::string FormatGeneralDateTime(std::int64_t utcMs) {
    std::int64_t seconds = utcMs / 1000 - (utcMs % 1000 < 0 ? 1 : 0);
    time_t t = static_cast<time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[128];
    std::size_t n = strftime_l(text, sizeof text, "%x %X", &tm, Regional());
    return std::string(text, n);
}

std::string RegionalDecimalSeparator() {
    Regional locale;
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    return radix && *radix ? radix : ".";
}

}  // namespace platform
