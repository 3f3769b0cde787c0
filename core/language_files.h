// The language file and the help file: two SettingsFile objects kept for the program's life.
//
// Every text the user sees is read from LanguageFile by section and key (ReadText, or SelectSection
// and ReadString for a run of texts of one section). The language file is chosen by the setting
// Language; the help file is the same for every language and holds the popup help of the settings
// and alarm pages and the tips of the day (help_sections.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/services/settings_file.h"

namespace core {

inline platform::SettingsFile LanguageFile;
inline platform::SettingsFile HelpFile;

// The values of the setting Language and the file each one chooses, after the program folder.
struct LanguageChoice {
    std::int16_t language;
    const char* path;
};
inline constexpr LanguageChoice kLanguageFiles[] = {
    {-1, "\\System\\Lang\\001EnglishUS.ozrini"},
    {0, "\\System\\Lang\\000English.ozrini"},
    {1, "\\System\\Lang\\002Romanian.ozrini"},
    {2, "\\System\\Lang\\003Dutch.ozrini"},
};
inline constexpr const char* kHelpFilePath = "\\System\\Help\\000HelpEnglish.ozrini";

// The language file of a Language value, after the program folder; nothing for a value that no
// language has.
std::optional<std::string> LanguageFilePath(std::int16_t language);

// True when the language's file holds the texts of the English (UK) one, whatever name its header
// gives the language: a copy that nobody has translated yet.
bool IsUntranslatedCopy(std::int16_t language);

// The title of the box shown when a language or help file does not load; its text is the fixed
// RoutineFailureText: without a language file there is nothing to read the texts from.
inline constexpr const char* kLanguageLoadFailureTitle = "OZR Ruriv - Error!";

// Opens the language file chosen by the setting Language, as it is at the call, on LanguageFile
// and the help file on HelpFile. A value that no language has opens neither, so the files opened
// before stay in use. When either object holds no loaded file afterwards, shows the failure box
// (critical icon, OK) and returns false: the program cannot run without its texts, and the caller
// ends it with a non-zero status. Callers: start-up, and the settings window when it reloads its
// texts or is cancelled.
[[nodiscard]] bool LoadLanguageAndHelp();

}  // namespace core
