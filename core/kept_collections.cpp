#include "core/kept_collections.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/alarm_files.h"
#include "core/alarm_keys.h"
#include "platform/services/paths.h"
#include "platform/services/whole_file.h"

namespace core {
namespace {

// By real path.
std::unordered_map<std::string, KeptCollection>& Kept() {
    static std::unordered_map<std::string, KeptCollection> kept;
    return kept;
}

// True when the file at real, now of that stamp, still holds the kept text: told by the kept stamp
// alone once that is settled, else by reading the file; the collection then takes the new stamp.
bool HoldsKeptText(KeptCollection& collection, const std::string& real, const std::optional<platform::FileStamp>& now) {
    if (!now || !collection.stamp || !collection.stamp->SameVersion(*now)) return false;
    if (!collection.stamp->settled && !platform::FileHolds(real, collection.text)) return false;
    collection.stamp = now;
    return true;
}

}  // namespace

KeySet KeptCollection::StaleKeys(const Alarm& alarm) {
    const std::vector<AlarmKey>& fields = AlarmKeys();
    auto it = stored_.find(alarm.AlarmKey);
    if (it == stored_.end()) {
        // Not known: the section as the file holds it says which keys to write.
        if (file.ListItemExists(kCollectionListPrefix + alarm.CollectionFile, alarm.AlarmKey) == 0) return kEveryKey;
        file.SelectSection(kAlarmSectionPrefix + alarm.AlarmKey);
        KeySet stale = 0;
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (file.KeyExists(fields[i].key) == 0 || !fields[i].Holds(alarm, file.FoundValue())) stale |= KeySet{1} << i;
        return stale;
    }
    Alarm& record = it->second.record;
    record.AlarmState = alarm.AlarmState;  // run-time bits, never stored
    KeySet stale = it->second.stale;
    if (record == alarm) return stale;
    // Only the keys whose text changed: the others keep what the file holds.
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].text(record) != fields[i].text(alarm)) stale |= KeySet{1} << i;
    return stale;
}

void KeptCollection::Stored(const Alarm& alarm, KeySet stale) {
    auto [it, added] = stored_.try_emplace(alarm.AlarmKey);
    it->second.record = alarm;
    it->second.stale = stale;
}

void KeptCollection::Removed(const std::string& key) { stored_.erase(key); }

void KeptCollection::Save() {
    file.Save(text);
    stamp = platform::StampOfFile(file.RealPath());
}

KeptCollection OpenCollection(const std::string& path) {
    const std::string real = platform::MapPath(path);
    auto& kept = Kept();
    auto it = kept.find(real);
    if (it != kept.end()) {
        KeptCollection collection = std::move(it->second);
        kept.erase(it);
        if (HoldsKeptText(collection, real, platform::StampOfFile(real))) return collection;
    }
    KeptCollection collection;
    collection.stamp = platform::StampOfFile(real);
    // The kept text is the room of the next save's text.
    std::optional<std::string> bytes = platform::ReadWholeFile(real, nullptr, SIZE_MAX, platform::ReadFor::Rewriting);
    collection.file.OpenRead(path, bytes);
    if (bytes) collection.text = std::move(*bytes);
    return collection;
}

void KeepCollection(const std::string& path, KeptCollection collection) {
    Kept().insert_or_assign(platform::MapPath(path), std::move(collection));
}

void SettleKeptCollections() {
    auto& kept = Kept();
    for (auto it = kept.begin(); it != kept.end();) {
        KeptCollection& collection = it->second;
        if (collection.stamp && collection.stamp->settled) {
            ++it;
            continue;
        }
        const std::optional<platform::FileStamp> now = platform::StampOfFile(it->first);
        // A file still fresh is checked in a later second: a change now could keep every time.
        const bool fresh = now && !now->settled;
        it = fresh || HoldsKeptText(collection, it->first, now) ? std::next(it) : kept.erase(it);
    }
}

void KeepOnlyCollections(const std::vector<std::string>& paths) {
    std::vector<std::string> real;
    for (const std::string& path : paths) real.push_back(platform::MapPath(path));
    std::erase_if(Kept(), [&](const auto& entry) { return std::find(real.begin(), real.end(), entry.first) == real.end(); });
}

}  // namespace core
