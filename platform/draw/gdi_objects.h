// Brushes, pens and bitmaps, and the handle rules every drawing object shares.
#pragma once

#include "platform/draw/gdi_types.h"
#include "platform/draw/surface.h"

#include <memory>

namespace platform {

HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);  // PS_SOLID or PS_NULL; other styles draw solid
HGDIOBJ GetStockObject(int index);

// A 32-bit colour bitmap of width x height, black. Null for a negative or oversized request.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// A 32-bit bitmap whose pixels the caller reaches through *bits (rows top-down when biHeight is
// negative, bottom-up otherwise; each pixel 0xAARRGGBB). Only 32 bits per pixel, BI_RGB, and no
// file section are accepted.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, void* section = nullptr,
                         DWORD offset = 0);

// Deleting an object that a DC still holds takes its handle away at once; the DC keeps drawing
// with it until something else is selected. Stock objects are never deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);
BOOL DestroyIcon(HICON icon);

// Fills bitmap for a bitmap or icon handle; FALSE for anything else.
BOOL GetObject(HGDIOBJ object, BITMAP* bitmap);

// The pixels of a bitmap or icon, for the platform's own painting (null when the handle is refused).
std::shared_ptr<Surface> SurfaceOfBitmap(HGDIOBJ bitmap);
// Makes a bitmap handle (or icon handle) for pixels the platform already holds.
HBITMAP CreateBitmapFromSurface(std::shared_ptr<Surface> surface, bool icon = false);

// Live handles of the current tables (all contexts), for leak checks.
std::size_t LiveGdiObjectCount();
std::size_t LiveDcCount();
// Objects and DCs made so far (deleted ones too), for checks that a paint makes none.
std::size_t MadeGdiObjectCount();
std::size_t MadeDcCount();

}  // namespace platform
