// ProgramSettings: one value per key of the settings file "Settings.ozrini", loaded with their
// defaults by LoadSettings and written back by SaveSettings (settings_load.h). The keys, their
// sections, types and defaults are the table in settings_keys.cpp.
//
// Stored types: Bool globals load as true for any non-zero stored number and are written as 1 or 0;
// Byte and Int globals are 8-bit unsigned and 16-bit signed; Long globals are 32-bit signed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/services/settings_file.h"

namespace core {

// The smallest width and height of a clock that is not sized automatically, in pixels: what the
// advanced page lets the user type, and what a stored size must be to load.
inline constexpr std::int16_t kSmallestClockSize = 10;

struct ProgramSettings {
    // "Float Window": the floating clock window.
    std::int32_t FloatWindowLeft = 0;  // twips
    std::int32_t FloatWindowTop = 0;   // twips
    std::uint8_t Anchor = 0;           // 0 none, 1 to 8 a corner or edge
    bool FloatAlwaysOnTop = false;
    bool AlwaysOnTopFS = false;
    std::uint8_t WindowType = 0;  // layered-window flags: 1 colour key, 2 alpha
    std::uint8_t FloatAlpha = 0;
    std::int32_t TransparencyColor = 0;  // 0x00BBGGRR
    std::int32_t FloatBackColor = 0;     // 0x00BBGGRR

    // "Systray Window".
    bool TransparentMode = false;

    // "Main Settings".
    std::int32_t RunCount = 0;  // earlier starts; 0 on the first run. Never written by SaveSettings.
    bool AutoStart = false;
    bool PopupHelp = false;
    std::int16_t PopupHelpDelay = 0;  // ms
    bool Splash = false;
    bool AlwaysOnTopWindows = false;
    bool Tooltip = false;
    std::int16_t TooltipDelay = 0;    // ms
    std::int16_t TooltipFadeIn = 0;   // ms
    std::int16_t TooltipFadeOut = 0;  // ms
    std::uint8_t TooltipMaxOpacity = 0;
    bool SystrayClock = false;
    bool AutoSize = false;
    std::int16_t ClockWidth = 0;   // pixels, kSmallestClockSize or more
    std::int16_t ClockHeight = 0;  // pixels, kSmallestClockSize or more
    bool ClockCenter = false;
    std::int16_t PositionX = 0;  // offset of all labels, pixels
    std::int16_t PositionY = 0;
    std::int16_t BorderLeft = 0;
    std::int16_t BorderTop = 0;
    std::int32_t PX = 0;  // settings window, twips
    std::int32_t PY = 0;

    // "ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!".
    bool DebugMode = false;
    bool DLLDebugMode = false;
    std::int16_t Refresh = 0;  // ms
    std::int16_t PaintThreshold = 0;
    bool OSBugFixer = false;

    // "Aspect".
    std::uint8_t InterfaceStyle = 0;
    bool InterfaceSound = false;
    bool MenusTranslucent = false;
    std::uint8_t MenusAlpha = 0;
    bool ContextsTranslucent = false;
    std::uint8_t ColorScheme = 0;  // 1 Matrix, 2 Alive, 3 Standard
    std::int16_t Language = 0;     // -1 English US, 0 English, 1 Romanian, 2 Dutch

    // "Atomic Ruriv": time synchronisation.
    bool Every = false;
    std::int16_t EveryMinutes = 0;
    bool AtomicStartup = false;
    std::int16_t AtomicServer = 0;
    bool TryNext = false;
    bool Remember = false;
    std::int16_t Retries = 0;
    bool Ahead = false;
    std::int16_t AtomicPlus = 0;
    std::int16_t AtomicMinus = 0;

    // "OZR Ruriv Anywhere": online alarm storage.
    std::int16_t AnywhereServer = 0;
    std::string ServerURL;
    std::string Username;
    std::string Password;  // MD5 digest in hex
    std::int16_t Confirmation = 0;
    std::string LastSave;

    // "Shortcuts".
    bool OZRShortcut = false;
};

// The program's settings.
inline ProgramSettings Settings;

// The settings file, kept for the program's life: it holds the whole content between calls.
inline platform::SettingsFile MainSettingsFile;

}  // namespace core
