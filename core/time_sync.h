// What the time synchronisation of the main window shares with the rest of the program: the
// server list it reads and updates, the language section of its log lines, and the port it asks.
#pragma once

#include <cstdint>
#include <string>

namespace core {

// The list "Servers" (items "1", "2", ... holding host names or dotted addresses) and one section
// per item with "IP", "Stratum" (written after each success) and "Location" (shipped, read only).
inline constexpr const char* kTimeServerListPath = "\\System\\Time Servers.ozrini";
inline constexpr const char* kTimeSyncTexts = "Program Settings Controls - ATOMIC CLOCK";

// The time servers' port. Tests that cannot bind 123 for their own server point it elsewhere.
inline std::uint16_t TimeServerPort = 123;

// The log line of an evaluated answer: the server's corrected time less the clock's, in
// milliseconds, as "Executed Atomic Ruriv Synchronization -> +2.500 Seconds".
std::string SynchronizationLine(std::int64_t offsetMs);

}  // namespace core
