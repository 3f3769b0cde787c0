// The collection files as the program last read or wrote them, kept between loads and saves. A
// file of 10,000 alarms holds about 9 MB: parsing it again and writing every alarm's 40 keys into
// it took most of each save after a firing. A kept collection is used only while the file holds
// exactly the text it was read from or written as, so a file that anything else has changed is
// read and written as before. That is known from the file's stamp once it is settled, and else by
// reading the file and comparing it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/alarm.h"
#include "platform/services/settings_file.h"
#include "platform/services/whole_file.h"

namespace core {

// Keys of an alarm's section, one bit each in the order of AlarmKeys() (40 of them).
using KeySet = std::uint64_t;
inline constexpr KeySet kEveryKey = ~KeySet{0};

struct KeptCollection {
    platform::SettingsFile file;  // the content, parsed
    std::string text;             // the file's bytes as read or as written
    std::optional<platform::FileStamp> stamp;  // the file's, taken before it was read or after it was written

    // The keys that putting the alarm into the content would change: none when the content holds
    // it as it stands, the ones whose text changed since it was put in or read, every key when the
    // content is not known to hold this alarm.
    KeySet StaleKeys(const Alarm& alarm);
    // The content holds the alarm (its list item, and its section with every key as a save writes
    // it) but for the stale keys: it was just put in, or read from the content.
    void Stored(const Alarm& alarm, KeySet stale);
    // The alarm's section and list item left the content.
    void Removed(const std::string& key);
    // Saves the content (as SettingsFile::Save) and keeps its text.
    void Save();

private:
    struct StoredAlarm {
        Alarm record;
        KeySet stale;
    };
    std::unordered_map<std::string, StoredAlarm> stored_;  // by key
};

// The collection file at path (as the clock writes paths): its kept content when the file holds
// the kept text, else the file read afresh; file.IsLoaded() is 0 when it cannot be read. It is no
// longer kept: the caller keeps it again once the content and the file agree.
KeptCollection OpenCollection(const std::string& path);

// Keeps the collection of the file at path for the next load or save.
void KeepCollection(const std::string& path, KeptCollection collection);

// Checks every kept collection whose stamp was taken while its file was fresh, once the file has
// stood long enough: from then on its stamp alone tells whether the file still holds the kept
// text, and the next save need not read the file back. One the file no longer holds is dropped.
void SettleKeptCollections();

// Keeps only the collections of these files (the ones the alarm list holds now).
void KeepOnlyCollections(const std::vector<std::string>& paths);

}  // namespace core
