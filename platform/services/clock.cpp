#include "platform/services/clock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace platform {
namespace {

std::int64_t ReadClockMs(clockid_t id) {
    timespec ts{};
    clock_gettime(id, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

class SystemClock final : public Clock {
public:
    std::int64_t MonotonicMs() const override { return ReadClockMs(CLOCK_MONOTONIC); }
    std::int64_t UtcMs() const override { return ReadClockMs(CLOCK_REALTIME); }
    bool SetUtcMs(std::int64_t utcMs) override {
        timespec ts{static_cast<time_t>(utcMs / 1000), static_cast<long>((utcMs % 1000) * 1000000)};
        if (utcMs < 0) {
            error_ = std::strerror(EINVAL);  // before 1970: no system takes it
            return false;
        }
        if (clock_settime(CLOCK_REALTIME, &ts) == 0) return true;
        error_ = std::strerror(errno);
        return false;
    }
    std::string LastSetError() const override { return error_; }
    bool IsVirtual() const override { return false; }
    void Advance(std::int64_t) override {}

private:
    std::string error_;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t startUtcMs) : utcOffset_(startUtcMs - monotonic_) {}
    std::int64_t MonotonicMs() const override { return monotonic_; }
    std::int64_t UtcMs() const override { return utcOffset_ + monotonic_; }
    bool SetUtcMs(std::int64_t utcMs) override {
        utcOffset_ = utcMs - monotonic_;
        return true;
    }
    bool IsVirtual() const override { return true; }
    void Advance(std::int64_t ms) override {
        if (ms > 0) monotonic_ += ms;
    }

private:
    // Starts past zero so that a tick count of 0 never means "the start of the run".
    std::int64_t monotonic_ = 3'600'000;
    std::int64_t utcOffset_;  // declared after monotonic_, which its initialiser reads
};

SYSTEMTIME FromTm(const std::tm& tm, int ms) {
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

std::tm ToTm(const SYSTEMTIME& st) {
    std::tm tm{};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_isdst = -1;
    return tm;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Clock> MakeVirtualClock(std::int64_t startUtcMs) { return std::make_unique<VirtualClock>(startUtcMs); }

std::unique_ptr<Clock> Clock::MakeReal() { return MakeSystemClock(); }

DWORD GetTickCount() { return static_cast<DWORD>(static_cast<std::uint64_t>(CurrentClock().MonotonicMs())); }
std::uint64_t GetTickCount64() { return static_cast<std::uint64_t>(CurrentClock().MonotonicMs()); }

SYSTEMTIME UtcMsToSystemTime(std::int64_t utcMs) {
    time_t secs = static_cast<time_t>(FloorDiv(utcMs, 1000));
    std::tm tm{};
    gmtime_r(&secs, &tm);
    return FromTm(tm, static_cast<int>(utcMs - static_cast<std::int64_t>(secs) * 1000));
}

namespace {

// The local breakdown of the second last converted on this thread. A clock asks for the local
// time many times a second, and the conversion through the C library's time zone is the costly
// part of the answer. The zone as that conversion left it (its names and offsets, which a new
// TZ and tzset change) is kept with it, so that another zone is converted afresh; another second
// (the next one, or a clock set anew) always is.
struct LocalSecond {
    time_t secs = 0;
    const char* names[2] = {nullptr, nullptr};
    long offset = 0;
    int daylight = 0;
    std::tm tm{};
    bool made = false;

    bool sameZone() const {
        return names[0] == tzname[0] && names[1] == tzname[1] && offset == timezone && daylight == ::daylight;
    }
};

const std::tm& LocalBreakdown(time_t secs) {
    thread_local LocalSecond last;
    if (!last.made || last.secs != secs || !last.sameZone()) {
        localtime_r(&secs, &last.tm);
        last.secs = secs;
        last.names[0] = tzname[0];
        last.names[1] = tzname[1];
        last.offset = timezone;
        last.daylight = ::daylight;
        last.made = true;
    }
    return last.tm;
}

}  // namespace

SYSTEMTIME UtcMsToLocalTime(std::int64_t utcMs) {
    const time_t secs = static_cast<time_t>(FloorDiv(utcMs, 1000));
    return FromTm(LocalBreakdown(secs), static_cast<int>(utcMs - static_cast<std::int64_t>(secs) * 1000));
}

std::int64_t SystemTimeToUtcMs(const SYSTEMTIME& utc) {
    std::tm tm = ToTm(utc);
    tm.tm_isdst = 0;
    return static_cast<std::int64_t>(timegm(&tm)) * 1000 + utc.wMilliseconds;
}

std::int64_t LocalTimeToUtcMs(const SYSTEMTIME& local) {
    std::tm tm = ToTm(local);
    return static_cast<std::int64_t>(mktime(&tm)) * 1000 + local.wMilliseconds;
}

void GetSystemTime(SYSTEMTIME* st) { *st = UtcMsToSystemTime(CurrentClock().UtcMs()); }
void GetLocalTime(SYSTEMTIME* st) { *st = UtcMsToLocalTime(CurrentClock().UtcMs()); }
BOOL SetSystemTime(const SYSTEMTIME* st) { return CurrentClock().SetUtcMs(SystemTimeToUtcMs(*st)) ? 1 : 0; }
BOOL SetLocalTime(const SYSTEMTIME* st) { return CurrentClock().SetUtcMs(LocalTimeToUtcMs(*st)) ? 1 : 0; }
std::string SetTimeError() { return CurrentClock().LastSetError(); }

bool ParseLocalTimestamp(const std::string& text, std::int64_t* utcMs) {
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0) return false;
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    *utcMs = LocalTimeToUtcMs(st);
    return true;
}

}  // namespace platform
