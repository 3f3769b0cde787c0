// Device contexts: the window system's DCs onto window surfaces, memory DCs, object selection,
// the DC's text attributes, device capabilities and single pixels.
#pragma once

#include "platform/draw/gdi_types.h"
#include "platform/draw/surface.h"

#include <memory>

namespace platform {

// For the window system: a DC that draws into target with its (0, 0) at origin, limited to clip
// (in target coordinates). Window and client DCs are made this way; reading such a DC reads
// target, which is what the screen shows of that window. Released with DeleteDC.
HDC CreateSurfaceDC(std::shared_ptr<Surface> target, POINT origin, RECT clip);

// A memory DC; hdc may be null (compatible with the screen). It starts with a 1 x 1 bitmap.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);  // any DC, memory or surface
// Where drawing through the DC may have changed its target's pixels so far (target coordinates);
// empty when it changed none (copying pixels that are there already changes none).
RECT ChangedArea(HDC hdc);
// How far drawing on the DC's target (its bitmap, or its window's surface) has got, through this
// DC or any other: an equal number means nothing was drawn there in between (Surface::generation).
// 0 for a DC that is refused.
std::uint64_t SurfaceGeneration(HDC hdc);

// Returns the object it replaces, or null when hdc or object is refused (a bitmap goes only into
// a memory DC, and into one DC at a time).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);

COLORREF SetTextColor(HDC hdc, COLORREF color);  // each returns the previous value, CLR_INVALID or 0 on refusal
COLORREF SetBkColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);  // TRANSPARENT or OPAQUE

int GetDeviceCaps(HDC hdc, int index);  // LOGPIXELSX/Y 96, BITSPIXEL 32, PLANES 1, HORZRES/VERTRES the screen

// The DC's clip box in its own coordinates. Painting code narrows it for a part it paints and
// puts the box it saved back afterwards (never past the DC's surface). Each returns FALSE on refusal.
BOOL GetClipBox(HDC hdc, RECT* box);
BOOL IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
BOOL SetClipBox(HDC hdc, const RECT& box);

COLORREF GetPixel(HDC hdc, int x, int y);  // CLR_INVALID outside the DC's clip
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);  // the colour set, or CLR_INVALID

}  // namespace platform
