// Filling and outlining: rectangles, lines and gradients. Right and bottom edges are exclusive.
#pragma once

#include "platform/draw/gdi_types.h"

namespace platform {

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// Outlines with the DC's pen (the pen's middle on the rectangle's edge) and fills the inside
// with the DC's brush.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL LineTo(HDC hdc, int x, int y);  // the end point itself is not drawn
// GRADIENT_FILL_RECT_H (left to right) or GRADIENT_FILL_RECT_V (top to bottom) over the
// rectangles that mesh's vertex pairs span.
BOOL GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG vertexCount, const GRADIENT_RECT* mesh, ULONG meshCount,
                  ULONG mode);

}  // namespace platform
