// Month and weekday names in the user's language: the names the C library's time locale gives
// (LC_ALL, else LC_TIME, else LANG, read from the environment at each call), in UTF-8. The C and
// POSIX locales, an unset environment and a locale the system does not have give the English
// names. The process's own locale is never changed.
#pragma once

#include <string>

namespace platform {

enum class DateNameForm { Full, Short };

// month 1 (January) to 12; dayOfWeek 0 (Sunday) to 6. Out of range gives an empty name.
std::string LocaleMonthName(int month, DateNameForm form);
std::string LocaleDayName(int dayOfWeek, DateNameForm form);

}  // namespace platform
