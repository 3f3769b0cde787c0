// Names of months and days of the week as the clock shows them: the long and short names that
// the system's date pictures "MMMM", "MMM", "dddd" and "ddd" give, in the user's time locale
// (English in the C locale).
#pragma once

#include <string>

#include "platform/services/clock.h"

namespace hooklib {

enum class NameForm { Full, Short };

// Both give an empty name when the date is not a calendar date (as the system's date
// formatting refuses one). The day of the week is computed from the date; the date's
// wDayOfWeek is not read.
std::string MonthName(const platform::SYSTEMTIME& date, NameForm form);
std::string DayName(const platform::SYSTEMTIME& date, NameForm form);

}  // namespace hooklib
