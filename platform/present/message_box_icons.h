// The icons of message boxes (error, warning, question, information), painted in code: each is a
// 32 x 32 picture of a few shapes, smoothed, on the box's face colour.
#pragma once

#include "platform/draw/gdi_types.h"

namespace platform {

enum class BoxIcon { None, Error, Question, Warning, Information };

constexpr int kBoxIconSize = 32;

// The icon a box's style asks for (MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION).
BoxIcon BoxIconOf(UINT type);
// Draws the icon with its top-left corner at (x, y) on a face of the given colour.
void DrawBoxIcon(HDC dc, int x, int y, BoxIcon icon, COLORREF face);

}  // namespace platform
