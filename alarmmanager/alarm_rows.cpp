#include "alarmmanager/alarm_rows.h"

#include <algorithm>
#include <numeric>

#include "core/date_routines.h"
#include "core/next_firing.h"

namespace alarmmanager {

using namespace core;

namespace {

constexpr const char* kPictureFolder = "\\GUI\\Settings\\";
// By FLAG: off, on, passed.
constexpr const char* kStatusPictures[] = {"WarlockAlarmOff.gif", "WarlockAlarmOn.gif", "WarlockAlarmPassed.gif"};
constexpr const char* kRepeatingPicture = "WarlockAlarmInfinite.gif";
constexpr const char* kClockPicture = "WarlockAlarmTypeClock.gif";
constexpr const char* kCountdownPicture = "WarlockAlarmTypeCountdown.gif";
constexpr const char* kCountdownClockPicture = "WarlockAlarmTypeCountdownClock.gif";
constexpr std::int32_t kRepeatingCountdown = kAlarmRepetitive | kAlarmCountdown | kAlarmByInterval;

}  // namespace

bool IsListed(const Alarm& a) { return !a.NAME.empty() && !(a.AlarmState & (kAlarmDeleted | kAlarmRemoved)); }

std::string ActivationTextOf(const Alarm& a, DateTime now) { return FormatDateTimeString(UpcomingFiring(a, now)); }

std::string StatusPictureOf(const Alarm& a) {
    if (a.FLAG > kAlarmPassed) return "";
    const char* file = a.FLAG == kAlarmOn && (a.Flags & kAlarmRepetitive) ? kRepeatingPicture : kStatusPictures[a.FLAG];
    return std::string(kPictureFolder) + file;
}

std::string TypePictureOf(const Alarm& a) {
    const char* file = kClockPicture;
    if ((a.Flags & kRepeatingCountdown) == kRepeatingCountdown)
        file = (a.Flags & kAlarmStartFrom) ? kCountdownClockPicture : kCountdownPicture;
    return std::string(kPictureFolder) + file;
}

bool SortByFiringTime(std::vector<Alarm>& alarms) {
    std::vector<std::size_t> order(alarms.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return alarms[x].FIRE < alarms[y].FIRE; });
    if (std::is_sorted(order.begin(), order.end())) return false;
    std::vector<Alarm> sorted;
    sorted.reserve(alarms.size());
    for (std::size_t i : order) sorted.push_back(std::move(alarms[i]));
    alarms = std::move(sorted);
    return true;
}

}  // namespace alarmmanager
