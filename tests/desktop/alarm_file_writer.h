// Alarm files for a desktop test's program folder: one collection, MyAlarms.ozrini, listed by the
// master playlist, and a look at one alarm's section of a file read back.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace desktop {

// One alarm section: its key and the entries to write (missing keys read as 0 or "").
struct AlarmEntry {
    std::string key;
    std::map<std::string, std::string> values;
};

// The text of the collection MyAlarms.ozrini holding these alarms.
inline std::string CollectionText(const std::vector<AlarmEntry>& alarms) {
    std::string out = "[Dralo Software Development Ruriv - Alarm Playlist File]\n[Collection: MyAlarms.ozrini]\n";
    for (const auto& a : alarms) out += a.key + "=" + a.values.at("NAME") + "\n";
    for (const auto& a : alarms) {
        out += "[ZTVALR: " + a.key + "]\n";
        for (const auto& [k, v] : a.values) out += k + "=" + v + "\n";
    }
    return out;
}

inline void WriteAlarmFiles(const std::filesystem::path& folder, const std::vector<AlarmEntry>& alarms) {
    std::ofstream(folder / "Alarms/!AlarmMaster.ozrini") << "[Master Playlist]\n1=MyAlarms.ozrini\n";
    std::ofstream(folder / "Alarms/MyAlarms.ozrini") << CollectionText(alarms);
}

// The section of the alarm with this key, up to the next section ("" when there is none).
inline std::string AlarmSection(const std::string& file, const std::string& key) {
    std::size_t at = file.find("[ZTVALR: " + key + "]");
    if (at == std::string::npos) return "";
    std::size_t end = file.find("\n[", at + 1);
    return file.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace desktop
