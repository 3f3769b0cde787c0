// The 40 keys of an alarm's section in its collection file, in the order they are written and
// read, each with the conversion between the alarm's field and the key's text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/alarm.h"

namespace core {

// A field as stored; nothing when the field cannot be written (a date whose year four digits
// cannot hold), so the file keeps the text it has.
using StoredText = std::optional<std::string>;

struct AlarmKey {
    std::string key;  // made once: a file of 10,000 alarms reads and writes 400,000 keys
    std::function<StoredText(const Alarm&)> text;
    std::function<bool(Alarm&, const std::string&)> take;  // false, field unchanged: the text does not fit
    const char* missing;                                   // what a key missing from the section reads as
    // A path's field only: the whole path that a text stored from the program folder on stands for.
    // The file keeps such a text for as long as the field holds that path.
    std::string (*wholePath)(const std::string&) = nullptr;

    // True when a file's text for this key stands for the field as the alarm holds it, so that a
    // save leaves it as it is.
    bool Holds(const Alarm& alarm, const std::string& stored) const;
};

const std::vector<AlarmKey>& AlarmKeys();

}  // namespace core
