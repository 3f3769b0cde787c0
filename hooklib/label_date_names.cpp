// Month and day names of calendar dates, in the user's language.
#include "hooklib/label_date_names.h"

#include "platform/services/date_names.h"

#include <array>

namespace hooklib {
namespace {

// The range of years the system's date formatting accepts.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDaysIn = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDaysIn[month - 1];
}

bool IsCalendarDate(const platform::SYSTEMTIME& date) {
    return date.wYear >= kFirstYear && date.wYear <= kLastYear && date.wMonth >= 1 && date.wMonth <= 12 &&
           date.wDay >= 1 && date.wDay <= DaysInMonth(date.wYear, date.wMonth);
}

// 0 Sunday to 6 Saturday, for a Gregorian calendar date.
int DayOfWeek(const platform::SYSTEMTIME& date) {
    constexpr std::array<int, 12> kMonthOffset = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int year = date.wMonth < 3 ? date.wYear - 1 : date.wYear;
    return (year + year / 4 - year / 100 + year / 400 + kMonthOffset[date.wMonth - 1] + date.wDay) % 7;
}

platform::DateNameForm Form(NameForm form) {
    return form == NameForm::Full ? platform::DateNameForm::Full : platform::DateNameForm::Short;
}

}  // namespace

std::string MonthName(const platform::SYSTEMTIME& date, NameForm form) {
    return IsCalendarDate(date) ? platform::LocaleMonthName(date.wMonth, Form(form)) : std::string();
}

std::string DayName(const platform::SYSTEMTIME& date, NameForm form) {
    return IsCalendarDate(date) ? platform::LocaleDayName(DayOfWeek(date), Form(form)) : std::string();
}

}  // namespace hooklib
