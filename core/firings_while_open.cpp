#include "core/firings_while_open.h"

#include <string>
#include <vector>

namespace core {
namespace {

struct Firing {
    std::string collection;
    std::string key;
    DateTime at;
};

std::vector<Firing> firings;

}  // namespace

void RememberFiring(const Alarm& a, DateTime at) { firings.push_back({a.CollectionFile, a.AlarmKey, at}); }

void ForgetFirings() { firings.clear(); }

bool CarryFiringsOver() {
    if (firings.empty()) return false;
    for (Alarm& a : Alarms) {
        if (a.FLAG != kAlarmOn || (a.Flags & kAlarmRepetitive)) continue;
        for (const Firing& f : firings) {
            if (f.key == a.AlarmKey && f.collection == a.CollectionFile && SecondsBetween(a.FIRE, f.at) >= 0) a.FLAG = kAlarmPassed;
        }
    }
    firings.clear();
    return true;
}

}  // namespace core
