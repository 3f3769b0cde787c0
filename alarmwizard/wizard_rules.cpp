#include "alarmwizard/wizard_rules.h"

#include "core/date_routines.h"

namespace alarmwizard {

std::int16_t RaisedProgress(std::int16_t progress, std::int16_t mark) { return progress < mark ? mark : progress; }

std::optional<std::int16_t> NextAnimationFrame(std::int16_t frame, bool reverse, std::int16_t restingFrame,
                                               bool forwardOnly) {
    if (reverse) {
        if (forwardOnly || frame <= restingFrame) return std::nullopt;
        return static_cast<std::int16_t>(frame - 1);
    }
    if (frame >= restingFrame) return std::nullopt;
    return static_cast<std::int16_t>(frame + 1);
}

bool DirectionGoingForward(std::int16_t frame, bool reverse, std::int16_t restingFrame) {
    return frame <= restingFrame ? false : reverse;
}

bool DirectionGoingBack(std::int16_t frame, bool reverse, std::int16_t restingFrame) {
    return frame > restingFrame ? true : reverse;
}

int DaysInMonth(int month, int year) {
    switch (month) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
        case 2: {
            const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            return leap ? 29 : 28;
        }
        default: return 30;
    }
}

std::int32_t DurationSeconds(const DurationParts& p) {
    // The boxes are cleaned to their bounds before they are read, so every part fits its width.
    return core::JoinSeconds(static_cast<std::uint8_t>(p.years), static_cast<std::int16_t>(p.months),
                             static_cast<std::int16_t>(p.days), static_cast<std::int32_t>(p.hours),
                             static_cast<std::int32_t>(p.minutes), static_cast<std::int32_t>(p.seconds));
}

DurationParts SplitDuration(std::int32_t seconds) {
    std::uint8_t y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    core::SplitSeconds(seconds, y, mo, d, h, mi, s);
    return DurationParts{y, mo, d, h, mi, s};
}

}  // namespace alarmwizard
