// The countdown to the next alarm.
#include "hooklib/label_countdown.h"

namespace hooklib {

std::uint32_t CountdownSecond(std::uint64_t tickCount64Ms) {
    return static_cast<std::uint32_t>(tickCount64Ms / 1000);
}

std::int64_t SecondsToNextAlarm(std::int32_t nextAlarmSeconds, std::uint32_t setSecond, std::uint32_t nowSecond) {
    if (nextAlarmSeconds < 1) {
        return 0;
    }
    const std::uint32_t elapsed = nowSecond - setSecond;  // modulo 2^32
    return std::int64_t{nextAlarmSeconds} - std::int64_t{elapsed};
}

}  // namespace hooklib
