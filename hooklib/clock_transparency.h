// Full transparency of the taskbar clock: a 1-pixel strip of the notification area, tiled over
// the clock while the background is being captured, then frozen into one bitmap once enough
// paints have seen a gradient; a taskbar without a gradient falls back to easy transparency
// (the button-face colour).
#pragma once

#include "platform/draw/gdi.h"

namespace hooklib {

// Colours the probe counts at most.
inline constexpr int kMaxProbedColours = 30;
// A taskbar whose probes saw fewer colours than this shows no gradient.
inline constexpr int kGradientColours = 8;

// The number of distinct colours along the probe line beside the clock (the row under it on a
// vertical taskbar, the column right of it on a horizontal one), at most kMaxProbedColours.
int ProbeTaskBarGradient(platform::HDC clockDc, bool verticalTaskbar, const platform::RECT& clock);

// The frozen background when the next paint's transparent background is that bitmap and nothing
// else: the clock kept its rectangle, the capture is over and its strip is still held. Null while
// the background is being captured (a paint then also captures and decides).
platform::HBITMAP SettledTransparentBackground(const platform::RECT& clock);

// The transparent background of one paint into memory, over the clock's rectangle (not empty).
// trayDc is the notification area's window DC, trayWindow its window rectangle. Clears
// Transparent (easy transparency from then on) when the freeze decision finds no gradient.
void PaintTransparentBackground(platform::HDC memory, platform::HDC clockDc, platform::HDC trayDc,
                                const platform::RECT& trayWindow, const platform::RECT& clock);

}  // namespace hooklib
