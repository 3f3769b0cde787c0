// The program's binding to the library OZRClock: every export the program calls, under its own
// name, loaded from the program folder's "System\libOZRClock.so" at the first call of any export
// and looked up by name at its own first call. When the file or an export cannot be had, the
// program tells the user which file and ends; the calls that follow do nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hooklib/ozrclock_exports.h"
#include "platform/services/registry.h"

namespace core {

inline constexpr const char* kLibraryFile = "\\System\\libOZRClock.so";

void OZRSetClockImageResource(const std::string& folder);
void OZRSetClockWidth(std::int16_t width);
void OZRSetClockHeight(std::int16_t height);
void OZRSetClockStyle(std::int16_t style);
void OZRSetClockBackground(platform::COLORREF colour);
void OZRSetClockTransparent(std::uint8_t on);
void OZRSetClockTooltip(std::uint8_t enabled, std::int16_t delayMs, std::int16_t fadeInMs, std::int16_t fadeOutMs,
                        std::uint8_t maxOpacity);
void OZRSetClockRefresh(std::int32_t intervalMs);
void OZRSetClockPaintThreshold(std::int16_t paints);
void OZRSetClockBugFixer(std::uint8_t on);
void OZRSetClockDebugMode(std::uint8_t on);
void OZRSetClockShortcutCount(std::int32_t count);
void OZRSetClockType(std::uint8_t type);
void OZRSetClockLabelCount(std::int16_t count);
void OZRSetClockLabelProperties(std::int16_t index, std::int16_t x, std::int16_t y, const std::string& face,
                                std::int16_t size, std::int16_t weight, std::uint8_t italic, std::uint8_t underline,
                                std::uint8_t strikeOut, platform::COLORREF backColour, platform::COLORREF textColour,
                                const std::string& format, std::uint8_t shown);
void OZRSetClockLabelPositioning(std::int16_t index, std::int16_t x, std::int16_t y);
void OZRNextAlarmFiringTime(std::int32_t seconds);
std::uint32_t OZRHookSystem();
void OZRUnHookSystem();
void OZRKillSmartWindows();
// An empty icon or background path passes none.
void OZRFireAlarm(std::int32_t alarmId, const std::string& title, const std::string& text, std::uint8_t customPosition,
                  const hooklib::SlideSettings& slide, std::int16_t x, std::int16_t y, std::int16_t width,
                  std::int16_t height, std::uint8_t windowStyle, std::uint32_t windowProperties,
                  platform::COLORREF colourKey, std::uint8_t alpha, std::uint8_t visuals, platform::COLORREF backColour,
                  platform::COLORREF textColour, std::uint32_t flags, const hooklib::AlarmFontRecord& font,
                  const std::string& iconPath, const std::string& backgroundPath);
std::int32_t OZRTriggerSpecialBehavior(std::int32_t kind, const std::string& text, std::int32_t switch1,
                                       std::int32_t switch2, std::int32_t switch3, std::int32_t switch4,
                                       std::int32_t option);
void OZRShowPopupHelp(platform::HWND window, const std::string& title, const std::string& text, std::int16_t delayMs,
                      std::int16_t helpId, std::uint8_t inflate);
void OZRRemovePopupHelp();
platform::HWND OZRSpecifyTooltipMasterWindow(platform::HWND window);

// True once loading the library or one of its exports failed.
bool LibraryBindingFailed();

// What happens, once, when the library cannot be had. The real service shows the message in an
// error box and ends the program; tests record it.
class LibraryFailure : public platform::Service {
public:
    static std::unique_ptr<LibraryFailure> MakeReal();
    virtual void CannotLoad(const std::string& message) = 0;
};
// Forgets the loaded library (tests that swap the library file).
void ResetLibraryBinding();

}  // namespace core
