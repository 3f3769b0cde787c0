#include "core/date_time.h"

namespace core {
namespace {

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back: the era-based
// conversion (400-year cycles of 146,097 days) that is exact for every year.
constexpr std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

constexpr Civil CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return Civil{yearOfEra + era * 400 + (month <= 2), month, day};
}

// Serial day 0, 30 December 1899, counted from 1970-01-01.
constexpr std::int64_t kSerialDayZero = DaysFromCivil(1899, 12, 30);
static_assert(kSerialDayZero == -25569);

Civil CivilOf(const DateTime& d) { return CivilFromDays(FloorDiv(d.SerialSeconds(), kSecondsPerDay) + kSerialDayZero); }

}  // namespace

int DateTime::Year() const { return static_cast<int>(CivilOf(*this).year); }
int DateTime::Month() const { return CivilOf(*this).month; }
int DateTime::Day() const { return CivilOf(*this).day; }
std::int64_t DateTime::TimeOfDay() const { return seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay; }
int DateTime::Hour() const { return static_cast<int>(TimeOfDay() / 3600); }
int DateTime::Minute() const { return static_cast<int>(TimeOfDay() / 60 % 60); }
int DateTime::Second() const { return static_cast<int>(TimeOfDay() % 60); }
DateTime DateTime::DateOnly() const { return FromSerialSeconds(seconds_ - TimeOfDay()); }

int DateTime::DayOfWeek() const {
    // Serial day 0 was a Saturday.
    std::int64_t day = FloorDiv(seconds_, kSecondsPerDay);
    return static_cast<int>((day % 7 + 7 + 6) % 7);
}

DateTime DateSerial(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t monthIndex = month - 1;
    const std::int64_t y = year + FloorDiv(monthIndex, 12);
    const std::int64_t m = monthIndex - FloorDiv(monthIndex, 12) * 12 + 1;
    const std::int64_t days = DaysFromCivil(y, m, 1) - kSerialDayZero + (day - 1);
    return DateTime::FromSerialSeconds(days * kSecondsPerDay);
}

DateTime MakeDateTime(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour, std::int64_t minute, std::int64_t second) {
    return AddSeconds(DateSerial(year, month, day), TimeSerial(hour, minute, second));
}

DateTime FromSystemTime(const platform::SYSTEMTIME& st) {
    return MakeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

platform::SYSTEMTIME ToSystemTime(DateTime d) {
    platform::SYSTEMTIME st;
    st.wYear = static_cast<platform::WORD>(d.Year());
    st.wMonth = static_cast<platform::WORD>(d.Month());
    st.wDayOfWeek = static_cast<platform::WORD>(d.DayOfWeek());
    st.wDay = static_cast<platform::WORD>(d.Day());
    st.wHour = static_cast<platform::WORD>(d.Hour());
    st.wMinute = static_cast<platform::WORD>(d.Minute());
    st.wSecond = static_cast<platform::WORD>(d.Second());
    return st;
}

DateTime Now() {
    platform::SYSTEMTIME st;
    platform::GetLocalTime(&st);
    return FromSystemTime(st);
}

}  // namespace core
