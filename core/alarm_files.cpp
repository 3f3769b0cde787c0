#include "core/alarm_files.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

#include "core/alarm_keys.h"
#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/failure_text.h"
#include "core/globals.h"
#include "core/kept_collections.h"
#include "platform/base.h"
#include "platform/services/paths.h"
#include "platform/services/settings_file.h"
#include "platform/services/whole_file.h"
#include "platform/window/window.h"

namespace core {
namespace {

using platform::SettingsFile;

constexpr std::size_t kLongestList = std::numeric_limits<std::int16_t>::max();

// A failure that ends a load or a save; its text goes to the debug log, the box is fixed.
struct AlarmFileFailure {
    std::string reason;
};

void ShowFailure(const char* routine, const std::string& reason) {
    DebugLog("[" + std::string(routine) + "]: " + reason);
    const std::string text = RoutineFailureText("Error in " + std::string(routine) + " | mdlAlarms.");
    platform::MessageBox(platform::HWND{}, text.c_str(), kAlarmFileFailureTitle, platform::MB_OK | platform::MB_ICONHAND);
}

std::string CollectionPath(const std::string& name) { return platform::ProgramFolder() + kAlarmsFolder + name; }
std::string MasterPath() { return platform::ProgramFolder() + kAlarmMasterPath; }
bool Missing(const std::string& path) { return platform::FileIsMissing(platform::MapPath(path)); }
std::string CollectionList(const std::string& name) { return kCollectionListPrefix + name; }
std::string AlarmSection(const Alarm& a) { return kAlarmSectionPrefix + a.AlarmKey; }

void Open(SettingsFile& file, const std::string& path) {
    if (file.Open(path) == 0) throw AlarmFileFailure{"\"" + path + "\" cannot be read."};
}

KeptCollection OpenKept(const std::string& path) {
    KeptCollection collection = OpenCollection(path);
    if (collection.file.IsLoaded() == 0) throw AlarmFileFailure{"\"" + path + "\" cannot be read."};
    return collection;
}

// The list's items; a list longer than the 16-bit counters of the load fails it.
void ReadList(const SettingsFile& file, const std::string& list, std::vector<std::string>& keys, std::vector<std::string>& values) {
    file.ReadSection(list, keys, values);
    if (keys.size() > kLongestList) {
        throw AlarmFileFailure{"the list \"" + list + "\" holds " + std::to_string(keys.size()) + " items, more than " +
                               std::to_string(kLongestList) + "."};
    }
}

// Reads the alarm's section; stale takes the keys that a save would write otherwise than the file
// holds them (missing ones included), so that a save can pass the others over. A path stored from
// the program folder on stands for the whole path the record holds: the file keeps it so.
Alarm ReadAlarm(SettingsFile& file, const std::string& key, const std::string& collection, KeySet& stale) {
    Alarm alarm;
    alarm.AlarmKey = key;
    file.SelectSection(AlarmSection(alarm));
    stale = 0;
    const std::vector<AlarmKey>& fields = AlarmKeys();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const AlarmKey& field = fields[i];
        const bool present = file.KeyExists(field.key) != 0;
        const std::string text = present ? file.FoundValue() : field.missing;
        if (!field.take(alarm, text)) {
            throw AlarmFileFailure{"\"" + field.key + "\" of alarm \"" + key + "\" in \"" + collection +
                                   "\" holds \"" + text + "\", which does not fit the field."};
        }
        if (!present || !field.Holds(alarm, text)) stale |= KeySet{1} << i;
    }
    alarm.AlarmState = 0;
    alarm.CollectionFile = collection;
    return alarm;
}

// Reads the alarms of one open collection file into alarms from index base on, growing the list
// first (so that a failure leaves the alarms not yet read blank); returns how many it holds. The
// kept collection, when there is one, learns how the content holds each alarm.
std::size_t ReadCollection(SettingsFile& file, const std::string& collection, std::vector<Alarm>& alarms, std::size_t base,
                           KeptCollection* kept = nullptr) {
    std::vector<std::string> keys, names;
    ReadList(file, CollectionList(collection), keys, names);
    if (keys.empty()) return 0;
    if (alarms.size() < base + keys.size()) alarms.resize(base + keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        KeySet stale = 0;
        alarms[base + i] = ReadAlarm(file, keys[i], collection, stale);
        if (kept) kept->Stored(alarms[base + i], stale);
    }
    return keys.size();
}

void LoadAlarms() {
    if (NoAlarmFiles(kDefaultCollection)) {
        KeepOnlyCollections({});
        DebugLog("[ProcessAlarms]: There are no alarm files; the alarm list starts empty.");
        return;
    }
    SettingsFile master;
    Open(master, MasterPath());
    std::vector<std::string> unused, collections;
    ReadList(master, kMasterPlaylist, unused, collections);
    std::vector<std::string> paths;
    for (const std::string& collection : collections) paths.push_back(CollectionPath(collection));
    KeepOnlyCollections(paths);
    std::size_t base = 0;
    for (std::size_t i = 0; i < collections.size(); ++i) {
        KeptCollection kept = OpenKept(paths[i]);
        base += ReadCollection(kept.file, collections[i], Alarms, base, &kept);
        KeepCollection(paths[i], std::move(kept));
    }
}

bool unsaved = false;  // MarkAlarmsUnsaved was called, and no save came after it

bool Skipped(const Alarm& a) { return (a.AlarmState & (kAlarmRemoved | kAlarmHeldBack)) != 0 || a.CollectionFile.empty(); }

// Puts one alarm into its open collection file: a deleted one out of it, any other one in its
// place (the given keys rewritten), or at the end of the list and the file (new: every key is
// given). Returns the given keys that could not be written.
KeySet PutAlarm(SettingsFile& file, const Alarm& alarm, KeySet keys) {
    const std::string list = CollectionList(alarm.CollectionFile);
    if (alarm.AlarmState & kAlarmDeleted) {
        file.DeleteSection(AlarmSection(alarm));
        file.DeleteListItem(list, alarm.AlarmKey);
        return 0;
    }
    if (file.ListItemExists(list, alarm.AlarmKey) == 0) file.AddListItem(list, alarm.AlarmKey, alarm.NAME);
    file.SelectSection(AlarmSection(alarm));  // a missing section is added at the end by the first write
    KeySet unwritten = 0;
    const std::vector<AlarmKey>& fields = AlarmKeys();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const KeySet bit = KeySet{1} << i;
        if (!(keys & bit)) continue;
        if (StoredText text = fields[i].text(alarm)) {
            file.WriteString(fields[i].key, *text);
        } else {
            DebugLog("[SaveAlarms]: \"" + fields[i].key + "\" of alarm \"" + alarm.AlarmKey +
                     "\" lies in a year that four digits cannot hold; the file keeps the value it has.");
            unwritten |= bit;
        }
    }
    return unwritten;
}

void NameInMaster(const std::string& collection) {
    SettingsFile master;
    if (master.Open(MasterPath()) == 0) {
        if (!Missing(MasterPath())) throw AlarmFileFailure{"\"" + MasterPath() + "\" cannot be read."};
        master.NewFile();
    }
    std::vector<std::string> keys, collections;
    ReadList(master, kMasterPlaylist, keys, collections);
    if (std::find(collections.begin(), collections.end(), collection) != collections.end()) return;
    std::size_t n = keys.size() + 1;
    while (master.ListItemExists(kMasterPlaylist, std::to_string(n)) != 0) ++n;
    master.AddListItem(kMasterPlaylist, std::to_string(n), collection);
    master.Save();
}

// An empty collection file, named in a new master playlist.
void MakeCollection(const std::string& collection) {
    NameInMaster(collection);
    platform::WriteFileAtomically(platform::MapPath(CollectionPath(collection)),
                                  "[" + std::string(kAlarmFileHeader) + "]\n[" + CollectionList(collection) + "]\n");
}

// Writes every collection that holds an alarm to save, each in one open, one rebuild in memory and
// one atomic save, in the order the collections first appear in Alarms. In list order, each
// collection's alarms leave its list and file first and come back in the order of Alarms.
void WriteCollections(bool inListOrder) {
    std::vector<std::string> collections;
    for (const Alarm& alarm : Alarms) {
        if (!Skipped(alarm) && std::find(collections.begin(), collections.end(), alarm.CollectionFile) == collections.end())
            collections.push_back(alarm.CollectionFile);
    }
    for (const std::string& collection : collections) {
        const std::string path = CollectionPath(collection);
        if (NoAlarmFiles(collection)) MakeCollection(collection);
        KeptCollection kept = OpenKept(path);
        std::vector<Alarm*> members;
        for (Alarm& alarm : Alarms) {
            if (!Skipped(alarm) && alarm.CollectionFile == collection) members.push_back(&alarm);
        }
        bool changed = false;
        if (inListOrder) {
            for (const Alarm* alarm : members) {
                kept.file.DeleteSection(AlarmSection(*alarm));
                kept.file.DeleteListItem(CollectionList(collection), alarm->AlarmKey);
                kept.Removed(alarm->AlarmKey);
                changed = true;
            }
        }
        // Only what the content does not hold as the alarm stands is written: every other key
        // would be written as it is. A key that cannot be written stays to be written at every
        // save, which says so each time.
        for (const Alarm* alarm : members) {
            const bool deleted = (alarm->AlarmState & kAlarmDeleted) != 0;
            const KeySet keys = deleted ? kEveryKey : kept.StaleKeys(*alarm);
            if (keys == 0) continue;
            const KeySet unwritten = PutAlarm(kept.file, *alarm, keys);
            if (deleted)
                kept.Removed(alarm->AlarmKey);
            else
                kept.Stored(*alarm, unwritten);
            changed = true;
        }
        // A file that nothing here changes stays as it is.
        if (changed) kept.Save();
        KeepCollection(path, std::move(kept));
        // Deleted alarms count as removed only once their file no longer holds them.
        for (Alarm* alarm : members) {
            if (alarm->AlarmState & kAlarmDeleted) alarm->AlarmState = kAlarmRemoved;
        }
    }
}

// Why the work failed; nothing when it ended without a failure.
template <class Work>
std::optional<std::string> FailureOf(Work work) {
    try {
        work();
        return std::nullopt;
    } catch (const AlarmFileFailure& failure) {
        return failure.reason;
    } catch (const std::exception& e) {
        return e.what();
    }
}

// True when the work ended without a failure; a failure is shown.
template <class Work>
bool Guarded(const char* routine, Work work) {
    const std::optional<std::string> failure = FailureOf(work);
    if (failure) ShowFailure(routine, *failure);
    return !failure;
}

}  // namespace

void ProcessAlarms() {
    SaveUnsavedAlarms();
    Alarms.assign(1, Alarm{});
    if (Guarded("ProcessAlarms", [] { LoadAlarms(); })) AlarmsLoaded = true;
}

std::optional<std::string> CollectionLoadProblem(const std::string& path, const std::string& collection) {
    return FailureOf([&] {
        SettingsFile file;
        Open(file, path);
        std::vector<Alarm> alarms;
        ReadCollection(file, collection, alarms, 0);
    });
}

bool NoAlarmFiles(const std::string& collection) { return Missing(MasterPath()) && Missing(CollectionPath(collection)); }

std::optional<std::string> DefaultCollectionLoadProblem() {
    return FailureOf([] {
        SettingsFile master;
        Open(master, MasterPath());
        std::vector<std::string> unused, collections;
        ReadList(master, kMasterPlaylist, unused, collections);
        if (std::find(collections.begin(), collections.end(), kDefaultCollection) == collections.end())
            throw AlarmFileFailure{"the master playlist does not name " + std::string(kDefaultCollection) + "."};
        // Kept as read: the load that follows does not read it again.
        const std::string path = CollectionPath(kDefaultCollection);
        KeptCollection kept = OpenKept(path);
        std::vector<Alarm> alarms;
        ReadCollection(kept.file, kDefaultCollection, alarms, 0);
        KeepCollection(path, std::move(kept));
    });
}

std::optional<std::string> NameInMasterPlaylist(const std::string& collection) {
    return FailureOf([&] { NameInMaster(collection); });
}

bool SaveAlarms() {
    unsaved = false;
    return Guarded("SaveAlarms", [] { WriteCollections(false); });
}

bool SaveAlarmsInListOrder() {
    unsaved = false;
    return Guarded("SaveAlarms", [] { WriteCollections(true); });
}

void MarkAlarmsUnsaved() { unsaved = true; }

bool SaveUnsavedAlarms() { return !unsaved || SaveAlarms(); }

void BackupAlarms() {
    SaveUnsavedAlarms();
    const std::string folder = platform::ProgramFolder() + kAlarmsFolder;
    const std::string steps[][2] = {
        {"MyAlarms Backup2.ozrini", "MyAlarms Backup3.ozrini"},
        {"MyAlarms Backup1.ozrini", "MyAlarms Backup2.ozrini"},
        {kDefaultCollection, "MyAlarms Backup1.ozrini"},
    };
    for (const auto& step : steps) {
        if (!platform::CopyFileAtomically(platform::MapPath(folder + step[0]), platform::MapPath(folder + step[1]))) {
            DebugLog("[BackupAlarms]: \"" + step[0] + "\" was not copied over \"" + step[1] + "\".");
        }
    }
}

std::string GenerateAlarmKey(const DateTime& d) {
    return GenerateUniqueKey(d, [](const std::string& key) {
        return std::any_of(Alarms.begin(), Alarms.end(), [&](const Alarm& a) { return a.AlarmKey == key; });
    });
}

}  // namespace core
