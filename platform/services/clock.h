// The clock service: the system clock or a virtual clock behind one interface.
// Tests and headless runs use the virtual clock, which only moves when told to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace platform {

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;  // 0 Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
    bool operator==(const SYSTEMTIME&) const = default;
};

class Clock : public Service {
public:
    static std::unique_ptr<Clock> MakeReal();  // the system clock
    // Milliseconds since an arbitrary start; never goes backwards, never wraps.
    virtual std::int64_t MonotonicMs() const = 0;
    // Milliseconds since 1970-01-01 UTC.
    virtual std::int64_t UtcMs() const = 0;
    // Sets the wall time. False when the system refuses (no permission); LastSetError tells why.
    virtual bool SetUtcMs(std::int64_t utcMs) = 0;
    virtual std::string LastSetError() const { return ""; }
    virtual bool IsVirtual() const = 0;
    // Virtual clock only: moves both counts forward by the given amount.
    virtual void Advance(std::int64_t ms) = 0;
};

std::unique_ptr<Clock> MakeSystemClock();
std::unique_ptr<Clock> MakeVirtualClock(std::int64_t startUtcMs);

// The clock the platform runs on (the system clock unless another was installed).
inline Clock& CurrentClock() { return UseService<Clock>(); }

// The names the clock's design uses.
DWORD GetTickCount();            // 32-bit, wraps after 49.7 days
std::uint64_t GetTickCount64();  // never wraps
void GetSystemTime(SYSTEMTIME* st);
void GetLocalTime(SYSTEMTIME* st);
BOOL SetSystemTime(const SYSTEMTIME* st);  // UTC fields
BOOL SetLocalTime(const SYSTEMTIME* st);
// Why the last SetSystemTime or SetLocalTime that failed was refused.
std::string SetTimeError();

// Conversions through the C library's time zone (TZ).
std::int64_t LocalTimeToUtcMs(const SYSTEMTIME& local);
SYSTEMTIME UtcMsToLocalTime(std::int64_t utcMs);
SYSTEMTIME UtcMsToSystemTime(std::int64_t utcMs);
std::int64_t SystemTimeToUtcMs(const SYSTEMTIME& utc);

// Parses "YYYY-MM-DDTHH:MM:SS" as local time; false when malformed.
bool ParseLocalTimestamp(const std::string& text, std::int64_t* utcMs);

}  // namespace platform
