#include "settings/server_lists.h"

#include <algorithm>

#include "platform/services/paths.h"
#include "platform/services/settings_file.h"

namespace settings {
namespace {

constexpr const char* kServersList = "Servers";

struct ServerItems {
    platform::SettingsFile file;
    std::vector<std::string> keys;
    std::vector<std::string> values;
};

// A file that cannot be read holds no items.
void ReadServers(const std::string& listPath, ServerItems& items) {
    if (!items.file.Open(platform::MapPath(listPath))) return;
    items.file.ReadSection(kServersList, items.keys, items.values);
}

}  // namespace

std::vector<std::string> TimeServerLines(const std::string& listPath) {
    ServerItems items;
    ReadServers(listPath, items);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < items.keys.size() && i < items.values.size(); ++i) {
        const std::string& section = items.keys[i];
        // Each part the list holds nothing for yet is left out with its brackets or marker.
        std::string line = items.values[i];
        const std::string ip = items.file.ReadText(section, "IP"), stratum = items.file.ReadText(section, "Stratum"),
                          location = items.file.ReadText(section, "Location");
        if (!ip.empty()) line += " (" + ip + ")";
        if (!stratum.empty()) line += " Stratum: " + stratum;
        if (!location.empty()) line += " @ " + location;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> AnywhereServerLines(const std::string& listPath) {
    ServerItems items;
    ReadServers(listPath, items);
    return items.values;
}

int SelectableIndex(int stored, int lineCount) {
    if (lineCount <= 0) return -1;
    return stored >= 0 && stored < lineCount ? stored : 0;
}

int StorageServerLine(std::vector<std::string>& lines, const std::string& serverUrl, int stored) {
    if (serverUrl.empty()) return SelectableIndex(stored, static_cast<int>(lines.size()));
    // The stored address is what every exchange uses: the line that names it is the one shown,
    // whatever index was stored beside it (a hand edit changes only the address).
    const auto named = std::find(lines.begin(), lines.end(), serverUrl);
    if (named != lines.end()) return static_cast<int>(named - lines.begin());
    lines.push_back(serverUrl);
    return static_cast<int>(lines.size()) - 1;
}

}  // namespace settings
