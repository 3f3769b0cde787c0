// Copying pixels between DCs. Reading a DC reads its whole surface (a window DC reads what the
// screen shows around it too); writing stays inside the destination's clip. Source pixels
// outside the source surface leave their destination pixels unchanged. Sizes must be positive.
#pragma once

#include "platform/draw/gdi_types.h"

namespace platform {

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);  // SRCCOPY
// Nearest-pixel scaling.
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);
// Like StretchBlt, leaving out the source pixels of the colour transparent.
BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent);
// Source over destination with blend.SourceConstantAlpha, and with AC_SRC_ALPHA the source's
// own premultiplied alpha.
BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend);

}  // namespace platform
