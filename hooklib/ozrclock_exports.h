// The library OZRClock as the program sees it: its exported functions (C linkage, looked up by
// name after the library is loaded); the messages it sends back to the program's main window
// stand in clock_protocol.h. Every argument travels in one 32-bit slot; the types give the bits that count.
#pragma once

#include <cstdint>

#include "hooklib/clock_protocol.h"
#include "platform/services/library_loader.h"
#include "platform/window/window.h"

namespace hooklib {

// The 16-byte slide block of an alarm, as the program passes it to OZRFireAlarm.
#pragma pack(push, 1)
struct SlideSettings {
    std::int16_t SlideInTime;
    std::int16_t SlideInAlphaTime;  // -1: no fade
    std::uint8_t SlideInAlphaStartValue;
    std::uint8_t SlideInAlphaStopValue;
    std::uint8_t SlideInDirection;
    std::uint8_t Reserved1;
    std::int16_t SlideOutTime;
    std::int16_t SlideOutAlphaTime;
    std::uint8_t SlideOutAlphaStartValue;  // 0: the window's current opacity
    std::uint8_t SlideOutAlphaStopValue;
    std::uint8_t SlideOutDirection;
    std::uint8_t Reserved2;
};
#pragma pack(pop)
static_assert(sizeof(SlideSettings) == 16);

// An alarm's title font as the program passes it to OZRFireAlarm.
struct AlarmFontRecord {
    platform::COLORREF BackColor;  // not used by the library
    platform::COLORREF ForeColor;  // not used by the library
    const char* FaceName;
    std::int16_t Size;  // points
    std::int16_t Weight;
    std::uint8_t Italic;
    std::uint8_t Underline;
    std::uint8_t StrikeOut;
};

// The clock types of OZRSetClockType.
inline constexpr std::uint8_t kFloatingClock = 1;
inline constexpr std::uint8_t kSystrayClock = 2;

}  // namespace hooklib

#define OZRCLOCK_EXPORT __attribute__((visibility("default")))

extern "C" {

// The library's settings.
OZRCLOCK_EXPORT void OZRSetClockImageResource(const char* folder);
OZRCLOCK_EXPORT void OZRSetClockWidth(std::int16_t width);
OZRCLOCK_EXPORT void OZRSetClockHeight(std::int16_t height);
OZRCLOCK_EXPORT void OZRSetClockStyle(std::int16_t style);
OZRCLOCK_EXPORT void OZRSetClockBackground(platform::COLORREF colour);
OZRCLOCK_EXPORT void OZRSetClockTransparent(std::uint8_t on);
OZRCLOCK_EXPORT void OZRSetClockTooltip(std::uint8_t enabled, std::int16_t delayMs, std::int16_t fadeInMs,
                                        std::int16_t fadeOutMs, std::uint8_t maxOpacity);
OZRCLOCK_EXPORT void OZRSetClockRefresh(std::int32_t intervalMs);
OZRCLOCK_EXPORT void OZRSetClockPaintThreshold(std::int16_t paints);
OZRCLOCK_EXPORT void OZRSetClockBugFixer(std::uint8_t on);
OZRCLOCK_EXPORT void OZRSetClockDebugMode(std::uint8_t on);
OZRCLOCK_EXPORT void OZRSetClockShortcutCount(std::int32_t count);
OZRCLOCK_EXPORT void OZRSetClockShortcut();
OZRCLOCK_EXPORT void OZRSetClockType(std::uint8_t type);

// The labels: the count, then each label's properties, each answered with CN_LABELSREADY.
OZRCLOCK_EXPORT void OZRSetClockLabelCount(std::int16_t count);
OZRCLOCK_EXPORT void OZRSetClockLabelProperties(std::int16_t index, std::int16_t x, std::int16_t y, const char* face,
                                                std::int16_t size, std::int16_t weight, std::uint8_t italic,
                                                std::uint8_t underline, std::uint8_t strikeOut,
                                                platform::COLORREF backColour, platform::COLORREF textColour,
                                                const char* format, std::uint8_t shown);
OZRCLOCK_EXPORT void OZRSetClockLabelPositioning(std::int16_t index, std::int16_t x, std::int16_t y);
OZRCLOCK_EXPORT void OZRNextAlarmFiringTime(std::int32_t seconds);

// The hook: returns the hook's handle id (floating clock: the data-bridge timer's id), 0 when
// the taskbar clock was not found.
OZRCLOCK_EXPORT std::uint32_t OZRHookSystem();
OZRCLOCK_EXPORT void OZRUnHookSystem();

// Painting state: kind 1 transparency mode, 2 colours seen, 3 system classification and build.
OZRCLOCK_EXPORT void OZRRequestDLLStatus(std::int32_t kind, std::int32_t* out, std::int32_t* out2);
OZRCLOCK_EXPORT void OZRFreeDLLMemory();

// Alarm windows, popup help, tooltips and special behaviours. slideSettings points to the
// alarm's 16-byte slide block, font to its font record.
OZRCLOCK_EXPORT void OZRFireAlarm(std::int32_t alarmId, const char* title, const char* text,
                                  std::uint8_t customPosition, const void* slideSettings, std::int16_t x,
                                  std::int16_t y, std::int16_t width, std::int16_t height, std::uint8_t windowStyle,
                                  std::uint32_t windowProperties, platform::COLORREF colourKey, std::uint8_t alpha,
                                  std::uint8_t visuals, platform::COLORREF backColour, platform::COLORREF textColour,
                                  std::uint32_t flags, const void* font, const char* iconPath,
                                  const char* backgroundPath);
OZRCLOCK_EXPORT std::int32_t OZRTriggerSpecialBehavior(std::int32_t kind, const char* text, std::int32_t switch1,
                                                       std::int32_t switch2, std::int32_t switch3,
                                                       std::int32_t switch4, std::int32_t option);
OZRCLOCK_EXPORT void OZRShowPopupHelp(platform::HWND window, const char* title, const char* text,
                                      std::int16_t delayMs, std::int16_t helpId, std::uint8_t inflate);
OZRCLOCK_EXPORT void OZRRemovePopupHelp();
OZRCLOCK_EXPORT platform::HWND OZRSpecifyTooltipMasterWindow(platform::HWND window);
OZRCLOCK_EXPORT void OZRKillSmartWindows();

// Called by the platform when the library is mapped into a process context and when it leaves it.
OZRCLOCK_EXPORT platform::BOOL DllMain(platform::HMODULE module, platform::DWORD reason, void* reserved);

}  // extern "C"
