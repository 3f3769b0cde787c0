// The table of the settings file's keys: section, key, the global it fills (whose type is the
// stored type and gives the range, unless the key names a narrower one), the default, and whether
// SaveSettings writes it. Loading,
// writing back and saving all walk this one table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "core/program_settings.h"
#include "core/stored_fields.h"

namespace core {

struct ScreenSizeTwips {
    double width = 0;
    double height = 0;
};

// A default worked out from the screen size, in twips (rounded halves to even when stored).
using ScreenDefault = double (*)(const ScreenSizeTwips&);
using SettingDefault = std::variant<std::int32_t, const char*, ScreenDefault>;

// The values a number key may hold, both ends included.
struct ValueRange {
    std::int32_t low;
    std::int32_t high;
};

struct SettingKey {
    const char* section;
    const char* key;
    StoredMember<ProgramSettings> member;
    SettingDefault defaultValue;
    bool savedBySaveSettings = true;
    std::optional<ValueRange> range = std::nullopt;  // narrower than the type's; none: the type's
};

// Every key, sections in the order LoadSettings touches them and keys in table order.
std::span<const SettingKey> SettingsKeys();

// The base URL of the online alarm storage used until the user picks a server: the first entry of
// "System\OZR Ruriv Anywhere Servers.ozrini".
inline constexpr const char* kDefaultServerURL = "http://anywhere.ozr-ruriv.example/";

// The default as it is stored: a number in decimal, or the text.
std::string DefaultText(const SettingKey& key, const ScreenSizeTwips& screen);

// Puts the stored text into the key's global; false, and the global unchanged, when the text is
// not a value the key may hold.
bool StoreSetting(const SettingKey& key, const std::string& text);
// What the key may hold, for the debug log: "a whole number from -1 to 2".
std::string SettingRangeText(const SettingKey& key);

}  // namespace core
