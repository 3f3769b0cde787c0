// Painting the taken-over tray clock, in the taskbar's context between BeginPaint and EndPaint:
// style 1 copies the program's main window, style 2 draws the labels over a background of the
// clock's colour, the button face (easy transparency) or the taskbar's own (full transparency),
// style 3 draws nothing.
#pragma once

#include <cstdint>

#include "platform/draw/gdi.h"

namespace hooklib {

void PaintClock(platform::HDC hdc, std::int16_t style);

// Whether a paint of the clock now would change nothing: style 2 with the labels and background
// of this moment already in the kept image, and the image on the clock's window as it was last
// copied there. Such a paint needs no paint context at all.
bool ClockPaintChangesNothing();

}  // namespace hooklib
