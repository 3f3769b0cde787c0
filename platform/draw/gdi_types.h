// Constants and records of the drawing interface, under the names the clock's design uses.
#pragma once

#include "platform/base.h"

namespace platform {

using COLOR16 = std::uint16_t;
using ULONG = std::uint32_t;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int kScreenDpi = 96;

// Raster operation of the blits.
constexpr DWORD SRCCOPY = 0x00CC0020;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Font request values.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD OUT_TT_PRECIS = 4;
constexpr DWORD OUT_TT_ONLY_PRECIS = 7;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD DRAFT_QUALITY = 1;
constexpr DWORD PROOF_QUALITY = 2;
constexpr DWORD NONANTIALIASED_QUALITY = 3;
constexpr DWORD ANTIALIASED_QUALITY = 4;
constexpr DWORD CLEARTYPE_QUALITY = 5;
constexpr DWORD DEFAULT_PITCH = 0;

// DrawText format flags.
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_EDITCONTROL = 0x2000;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;

// Image loading.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT LR_DEFAULTCOLOR = 0x0;
constexpr UINT LR_LOADFROMFILE = 0x10;
constexpr UINT LR_DEFAULTSIZE = 0x40;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr int kDefaultIconSize = 32;

// Alpha blending.
constexpr BYTE AC_SRC_OVER = 0x00;
constexpr BYTE AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};

// Gradients.
constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;
struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    COLOR16 Red = 0;  // 0x0000 to 0xFF00: the colour byte in the high half
    COLOR16 Green = 0;
    COLOR16 Blue = 0;
    COLOR16 Alpha = 0;
};
struct GRADIENT_RECT {
    ULONG UpperLeft = 0;
    ULONG LowerRight = 0;
};

// Layered windows: what SetLayeredWindowAttributes stores for a window.
struct LayeredAttributes {
    COLORREF colorKey = 0;
    BYTE alpha = 255;
    DWORD flags = 0;  // 0: the window is opaque whatever the key and alpha
};

// Bitmaps.
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
struct BITMAPINFOHEADER {
    DWORD biSize = sizeof(BITMAPINFOHEADER);
    LONG biWidth = 0;
    LONG biHeight = 0;  // negative: rows stored top-down
    WORD biPlanes = 1;
    WORD biBitCount = 32;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    DWORD bmiColors[1] = {0};
};
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = kScreenDpi;
    LONG tmDigitizedAspectY = kScreenDpi;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = 0x1F;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

}  // namespace platform
