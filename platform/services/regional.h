// Numbers and dates in the user's regional forms, taken from the locale the environment names
// (LC_ALL, LC_NUMERIC, LC_TIME, LANG) without changing the C library's own locale, which stays
// "C" so that the program's own files are read and written the same everywhere.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The number scaled / 10^decimals with exactly that many decimals, the locale's decimal sign and
// digit grouping, a leading "-" when negative, and "0" before the decimal sign only when
// zeroBeforePoint (so -250 with 3 decimals reads "-.250" without it).
std::string FormatRegionalNumber(std::int64_t scaled, int decimals, bool zeroBeforePoint);

// The general date-and-time form of the moment's UTC date and time: the locale's date followed by
// its time of day.
std::string FormatGeneralDateTime(std::int64_t utcMs);
// The locale's decimal sign for numbers ("." in the C locale).
std::string RegionalDecimalSeparator();

}  // namespace platform
