#include "core/help_dismissal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/debug_log.h"
#include "core/file_saving.h"
#include "core/help_sections.h"
#include "core/language_files.h"
#include "core/popup_help.h"
#include "platform/base.h"

namespace core {
namespace {

// Characters 2 to 5 of the key are the id in decimal, with up to three leading zeros.
bool KeyHasId(std::string_view key, std::int32_t helpId) {
    if (key.empty()) return false;
    std::string_view digits = key.substr(1, 4);
    std::string number = std::to_string(helpId);
    for (std::size_t zeros = 0; zeros <= 3; ++zeros)
        if (digits == std::string(zeros, '0') + number) return true;
    return false;
}

bool IsLive(std::string_view key) { return !key.empty() && key.front() == kLiveHelpMark; }

bool HasLiveEntry(const std::string& section, const std::string& helpKey) {
    const std::string titleKey = kLiveHelpMark + helpKey;
    return HelpFile.ListItemExists(section, titleKey) != 0 && HelpFile.ListItemExists(section, titleKey + kHelpTextSuffix) != 0;
}

// Renames the live key and the same key followed by "T" to their dismissed forms and saves.
void Dismiss(const std::string& section, const std::string& liveKey) {
    const std::string dismissed = kDismissedHelpMark + liveKey.substr(1);
    HelpFile.RenameKey(section, liveKey, dismissed);
    HelpFile.RenameKey(section, liveKey + kHelpTextSuffix, dismissed + kHelpTextSuffix);
    SaveProgramFile(HelpFile);
}

// Whether a dismissal of helpId must look into this section. A section without the bound gets it
// as 0 and is skipped, as is one whose bound is not a number.
bool MaySectionHoldId(const std::string& section, std::int32_t helpId) {
    try {
        return HelpFile.ReadLongIn(section, kSectionMaxIdKey, 0, true) > helpId;
    } catch (const platform::Error& e) {
        DebugLog(std::string("[HideHelpEntry]: ") + e.what());
        return false;
    }
}

// The first live key with the id in the section, in file order.
std::optional<std::string> FindLiveKey(const std::string& section, std::int32_t helpId) {
    std::vector<std::string> keys, values;
    HelpFile.ReadSection(section, keys, values);
    for (const std::string& key : keys)
        if (IsLive(key) && KeyHasId(key, helpId)) return key;
    return std::nullopt;
}

}  // namespace

bool HideHelpEntry(std::int32_t helpId) {
    if (std::optional<ShownHelpEntry> shown = LastShownHelpEntry();
        shown && HelpIdOf(shown->helpKey) == helpId && HasLiveEntry(shown->section, shown->helpKey)) {
        Dismiss(shown->section, kLiveHelpMark + shown->helpKey);
        return true;
    }
    std::vector<std::string> names;
    std::int32_t count = 0;
    HelpFile.GetSectionNames(names, count);
    for (std::int32_t i = 2; i < count; ++i) {  // the header and the tips hold no popup help
        if (!MaySectionHoldId(names[i], helpId)) continue;
        if (std::optional<std::string> key = FindLiveKey(names[i], helpId)) {
            Dismiss(names[i], *key);
            return true;
        }
    }
    return false;
}

void ResetPopupHelp() {
    std::vector<std::string> names;
    std::int32_t count = 0;
    HelpFile.GetSectionNames(names, count);
    for (std::int32_t i = 2; i < count; ++i) {
        const std::string& section = names[i];
        std::vector<std::string> keys, values;
        HelpFile.ReadSection(section, keys, values);
        for (const std::string& key : keys)
            if (!key.empty() && key.front() == kDismissedHelpMark)
                HelpFile.RenameKey(section, key, kLiveHelpMark + key.substr(1));
    }
    SaveProgramFile(HelpFile);
}

}  // namespace core
