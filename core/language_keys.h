// Every text the program reads from the language file, by section and key. Each of the four
// language files holds all of them (a test checks it); whoever adds a look-up adds its key here
// and its text to every language file.
#pragma once

namespace core {

struct LanguageKey {
    const char* section;
    const char* key;
};

inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kAtomicClockSection = "Program Settings Controls - ATOMIC CLOCK";
inline constexpr const char* kAnywhereSection = "Program Settings Controls - OZR CLOCK ANYWHERE";

inline constexpr LanguageKey kLanguageKeys[] = {
    // Message-box titles: "OZR Ruriv - " and the text.
    {kGeneralSection, "MSGBOX Error"},
    {kGeneralSection, "MSGBOX Warning"},
    {kGeneralSection, "MSGBOX Question"},
    // The library reload watchdog gives up.
    {kGeneralSection, "MSGBOX Error DLL"},
    {kGeneralSection, "MSGBOX Error DLL Missing"},  // %1 the file, %2 why
    // The fixed clock size does not fit the screen and was made smaller.
    {kGeneralSection, "MSGBOX Warning Resolution"},
    // A file of the program could not be saved: while it runs, and at Quit (%1 the file, %2 why).
    {kGeneralSection, "MSGBOX Error Save"},
    {kGeneralSection, "MSGBOX Error Save Quit"},
    // The floating clock when no label is shown.
    {kGeneralSection, "LBL ERR NL"},
    // Time synchronisation: debug-log texts.
    {kAtomicClockSection, "Restarting"},
    {kAtomicClockSection, "Error Host"},
    {kAtomicClockSection, "Offset"},
    {kAtomicClockSection, "Success"},
    {kAtomicClockSection, "Error Timeout"},
    {kAtomicClockSection, "Retrying"},
    {kAtomicClockSection, "Error Retries"},
    // Online alarm storage: its error box and its question.
    {kAnywhereSection, "InvalidCredentials"},
    {kAnywhereSection, "GeneralError"},
    {kAnywhereSection, "Confirmation1"},
    {kAnywhereSection, "Confirmation2"},
};

}  // namespace core
