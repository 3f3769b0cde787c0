// Names of months and days of the week as the clock shows them: the long and short English
// names that the system's date pictures "MMMM", "MMM", "dddd" and "ddd" give. The clock runs
// with no machine locale, so the names are fixed here rather than taken from the environment.
#pragma once

#include <string_view>

#include "platform/services/clock.h"

namespace hooklib {

enum class NameForm { Full, Short };

// Both give an empty name when the date is not a calendar date (as the system's date
// formatting refuses one). The day of the week is computed from the date; the date's
// wDayOfWeek is not read.
std::string_view MonthName(const platform::SYSTEMTIME& date, NameForm form);
std::string_view DayName(const platform::SYSTEMTIME& date, NameForm form);

}  // namespace hooklib
