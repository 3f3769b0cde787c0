// The labels on the taskbar clock: each shown label's font, made once per change of its
// properties together with the parse of its script, and its text drawn at its position.
#pragma once

#include "platform/draw/gdi.h"

namespace hooklib {

// Draws every shown label of non-zero size into hdc (the clock's off-screen image), preparing
// the ones not yet prepared. Text is drawn on the label's back colour unless a transparency
// mode is in force.
void DrawLabels(platform::HDC hdc);

// Deletes the font made for a label; the result of the deletion (0 when it has none, or for an
// index outside the labels).
platform::BOOL DeleteLabelFont(int index);

}  // namespace hooklib
