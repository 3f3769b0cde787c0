#include "core/settings_keys.h"

#include <algorithm>
#include <limits>

#include "core/language_files.h"
#include "core/rounding.h"

namespace core {
namespace {

using S = ProgramSettings;

constexpr const char* kFloat = "Float Window";
constexpr const char* kSystray = "Systray Window";
constexpr const char* kMain = "Main Settings";
constexpr const char* kAdvanced = "ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!";
constexpr const char* kAspect = "Aspect";
constexpr const char* kAtomic = "Atomic Ruriv";
constexpr const char* kAnywhere = "OZR Ruriv Anywhere";
constexpr const char* kShortcuts = "Shortcuts";

// Language chooses one of the language files; any other value has no texts to show.
constexpr ValueRange kLanguageRange{
    std::ranges::min_element(kLanguageFiles, {}, &LanguageChoice::language)->language,
    std::ranges::max_element(kLanguageFiles, {}, &LanguageChoice::language)->language,
};

// The settings windows are drawn in one of the three colour schemes (1 Matrix, 2 Alive,
// 3 Standard); with any other they would lack their title bar's gradient and section title.
constexpr ValueRange kColorSchemeRange{1, 3};

// A clock not sized automatically is at least this size; a smaller one (0 x 0, or negative) would
// not be seen at all. Too large a clock is the resolution check's to shrink.
constexpr ValueRange kClockSizeRange{kSmallestClockSize, std::numeric_limits<std::int16_t>::max()};

// The floating clock (150 x 50 twips) and the settings window (9300 x 6900 twips) start centred
// on the screen.
constexpr ScreenDefault kFloatX = [](const ScreenSizeTwips& s) { return s.width / 2 - 75; };
constexpr ScreenDefault kFloatY = [](const ScreenSizeTwips& s) { return s.height / 2 - 25; };
constexpr ScreenDefault kSettingsX = [](const ScreenSizeTwips& s) { return s.width / 2 - 9300.0 / 2; };
constexpr ScreenDefault kSettingsY = [](const ScreenSizeTwips& s) { return s.height / 2 - 6900.0 / 2; };

const SettingKey kKeys[] = {
    {kFloat, "X", &S::FloatWindowLeft, kFloatX},
    {kFloat, "Y", &S::FloatWindowTop, kFloatY},
    {kFloat, "Anchor", &S::Anchor, 0},
    {kFloat, "AlwaysOnTop", &S::FloatAlwaysOnTop, 1},
    {kFloat, "AlwaysOnTopFS", &S::AlwaysOnTopFS, 0},
    {kFloat, "WindowType", &S::WindowType, 0},
    {kFloat, "Alpha", &S::FloatAlpha, 0},
    {kFloat, "TransparencyColor", &S::TransparencyColor, 0},
    {kFloat, "BackColor", &S::FloatBackColor, 0},

    {kSystray, "TransparentMode", &S::TransparentMode, 1},

    {kMain, "RunCount", &S::RunCount, 0, false},  // start-up writes it, counting the run
    {kMain, "AutoStart", &S::AutoStart, 1},
    {kMain, "PopupHelp", &S::PopupHelp, 1},
    {kMain, "PopupHelpDelay", &S::PopupHelpDelay, 500},
    {kMain, "Splash", &S::Splash, 1},
    {kMain, "AlwaysOnTopWindows", &S::AlwaysOnTopWindows, 1},
    {kMain, "Tooltip", &S::Tooltip, 1},
    {kMain, "TooltipDelay", &S::TooltipDelay, 300},
    {kMain, "TooltipFadeIn", &S::TooltipFadeIn, 500},
    {kMain, "TooltipFadeOut", &S::TooltipFadeOut, 1000},
    {kMain, "TooltipMaxOpacity", &S::TooltipMaxOpacity, 255},
    {kMain, "SystrayClock", &S::SystrayClock, 0},
    {kMain, "AutoSize", &S::AutoSize, 1},
    {kMain, "Width", &S::ClockWidth, 150, true, kClockSizeRange},
    {kMain, "Height", &S::ClockHeight, 50, true, kClockSizeRange},
    {kMain, "Center", &S::ClockCenter, 0},
    {kMain, "X", &S::PositionX, 0},
    {kMain, "Y", &S::PositionY, 0},
    {kMain, "Left", &S::BorderLeft, 1},
    {kMain, "Top", &S::BorderTop, 1},
    {kMain, "PX", &S::PX, kSettingsX},
    {kMain, "PY", &S::PY, kSettingsY},

    {kAdvanced, "DebugMode", &S::DebugMode, 0},
    {kAdvanced, "DLLDebugMode", &S::DLLDebugMode, 0},
    {kAdvanced, "Refresh", &S::Refresh, 100},
    {kAdvanced, "PaintThreshold", &S::PaintThreshold, 20},
    {kAdvanced, "OSBugFixer", &S::OSBugFixer, 1},

    {kAspect, "InterfaceStyle", &S::InterfaceStyle, 4},
    {kAspect, "InterfaceSound", &S::InterfaceSound, 1},
    {kAspect, "MenusTranslucent", &S::MenusTranslucent, 0},
    {kAspect, "MenusAlpha", &S::MenusAlpha, 0},
    {kAspect, "ContextsTranslucent", &S::ContextsTranslucent, 0},
    {kAspect, "ColorScheme", &S::ColorScheme, 3, true, kColorSchemeRange},
    {kAspect, "Language", &S::Language, 0, true, kLanguageRange},

    {kAtomic, "Every", &S::Every, 1},
    {kAtomic, "EveryMinutes", &S::EveryMinutes, 240},
    {kAtomic, "AtomicStartup", &S::AtomicStartup, 1},
    {kAtomic, "Server", &S::AtomicServer, 0},
    {kAtomic, "TryNext", &S::TryNext, 1},
    {kAtomic, "Remember", &S::Remember, 1},
    {kAtomic, "Retries", &S::Retries, 10},
    {kAtomic, "Ahead", &S::Ahead, 1},
    {kAtomic, "AtomicPlus", &S::AtomicPlus, 0},
    {kAtomic, "AtomicMinus", &S::AtomicMinus, 0},

    {kAnywhere, "Server", &S::AnywhereServer, 0},
    {kAnywhere, "ServerURL", &S::ServerURL, kDefaultServerURL},
    {kAnywhere, "Username", &S::Username, ""},
    {kAnywhere, "Password", &S::Password, ""},
    {kAnywhere, "Confirmation", &S::Confirmation, 1},
    {kAnywhere, "LastSave", &S::LastSave, ""},

    {kShortcuts, "OZR", &S::OZRShortcut, 0},
};

}  // namespace

std::span<const SettingKey> SettingsKeys() { return kKeys; }

std::string DefaultText(const SettingKey& key, const ScreenSizeTwips& screen) {
    struct {
        const ScreenSizeTwips& screen;
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(const char* text) const { return text; }
        std::string operator()(ScreenDefault worked) const {
            return std::to_string(static_cast<std::int64_t>(RoundHalfEven(worked(screen))));
        }
    } text{screen};
    return std::visit(text, key.defaultValue);
}

bool StoreSetting(const SettingKey& key, const std::string& text) {
    if (key.range) {
        std::optional<std::int32_t> number = platform::ParseLongText(text);
        if (!number || *number < key.range->low || *number > key.range->high) return false;
    }
    return StoreFieldText(Settings, key.member, text);
}

std::string SettingRangeText(const SettingKey& key) {
    if (!key.range) return FieldRangeText(key.member);
    return "a whole number from " + std::to_string(key.range->low) + " to " + std::to_string(key.range->high);
}

}  // namespace core
