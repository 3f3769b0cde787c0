// The settings the program gives the library; each is kept in the shared section for whichever
// context paints the clock.
#include "hooklib/label_countdown.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"
#include "platform/services/clock.h"

using namespace hooklib;

void OZRSetClockStyle(std::int16_t style) { Share().ClockStyle = style; }

void OZRSetClockBackground(platform::COLORREF colour) { Share().ClockBackground = static_cast<std::int32_t>(colour); }

void OZRSetClockPaintThreshold(std::int16_t paints) { Share().PaintThreshold = paints; }

void OZRSetClockDebugMode(std::uint8_t on) { Share().DebugMode = on; }

void OZRSetClockTooltip(std::uint8_t enabled, std::int16_t delayMs, std::int16_t fadeInMs, std::int16_t fadeOutMs,
                        std::uint8_t maxOpacity) {
    SharedHookState& s = Share();
    s.TooltipEnabled = enabled;
    s.TooltipDelay = delayMs;
    s.TooltipFadeIn = fadeInMs;
    s.TooltipFadeOut = fadeOutMs;
    s.TooltipMaxOpacity = maxOpacity;
}

void OZRSetClockShortcutCount(std::int32_t count) { Share().ShortcutSwap = count != 0 ? 1 : 0; }

void OZRSetClockShortcut() {}

void OZRNextAlarmFiringTime(std::int32_t seconds) {
    Share().NextAlarmSeconds = seconds;
    Share().NextAlarmSetSecond = CountdownSecond(platform::GetTickCount64());
}
