#include "core/held_back_alarms.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "core/alarm_files.h"
#include "core/globals.h"

namespace core {
namespace {

bool SameAlarm(const Alarm& a, const Alarm& b) { return a.AlarmKey == b.AlarmKey && a.CollectionFile == b.CollectionFile; }
bool Gone(const Alarm& a) { return (a.AlarmState & (kAlarmDeleted | kAlarmRemoved)) != 0; }
std::string Identity(const Alarm& a) { return a.CollectionFile + '\n' + a.AlarmKey; }

}  // namespace

std::optional<std::size_t> IndexOfSameAlarm(const Alarm& alarm) {
    if (alarm.AlarmKey.empty()) return std::nullopt;
    for (std::size_t i = 0; i < Alarms.size(); ++i)
        if (SameAlarm(Alarms[i], alarm) && !Gone(Alarms[i])) return i;
    return std::nullopt;
}

std::vector<std::int32_t> ReloadAlarmsKeepingHeldBack() {
    std::vector<std::string> before;
    std::vector<Alarm> held;
    for (const Alarm& a : Alarms) {
        before.push_back(Identity(a));
        if (a.AlarmState & kAlarmHeldBack) held.push_back(a);
    }
    ProcessAlarms();
    // Where each alarm stands now, by its identity: a list of thousands is matched in one pass.
    std::unordered_map<std::string, std::size_t> now;
    for (std::size_t i = 0; i < Alarms.size(); ++i)
        if (!Alarms[i].AlarmKey.empty()) now.emplace(Identity(Alarms[i]), i);
    for (Alarm& change : held) {
        const auto found = now.find(Identity(change));
        if (found != now.end()) {
            Alarms[found->second] = std::move(change);
        } else if (!(change.AlarmState & kAlarmDeleted)) {
            now.emplace(Identity(change), Alarms.size());
            Alarms.push_back(std::move(change));
        }
    }
    const std::optional<std::size_t> edited = IndexOfSameAlarm(AlarmUnderEdit);
    EditedAlarmIndex = edited ? static_cast<std::int32_t>(*edited) : -1;

    std::vector<std::int32_t> moved(before.size(), -1);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto found = now.find(before[i]);
        if (found != now.end() && !Gone(Alarms[found->second])) moved[i] = static_cast<std::int32_t>(found->second);
    }
    return moved;
}

}  // namespace core
