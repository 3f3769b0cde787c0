// The table of the settings file's keys: section, key, the global it fills (whose type is the
// stored type and gives the range), the default, and whether SaveSettings writes it. Loading,
// writing back and saving all walk this one table.
#pragma once

#include <cstdint>
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

struct SettingKey {
    const char* section;
    const char* key;
    StoredMember<ProgramSettings> member;
    SettingDefault defaultValue;
    bool savedBySaveSettings = true;
};

// Every key, sections in the order LoadSettings touches them and keys in table order.
std::span<const SettingKey> SettingsKeys();

// The base URL of the online alarm storage used until the user picks a server.
inline constexpr const char* kDefaultServerURL = "http://localhost/ozr-ruriv-anywhere/";

// The default as it is stored: a number in decimal, or the text.
std::string DefaultText(const SettingKey& key, const ScreenSizeTwips& screen);

}  // namespace core
