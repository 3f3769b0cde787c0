// Fonts and text: making fonts, drawing text and measuring it. Measuring and drawing use the
// same glyph advances, so a width measured for layout is the width that is drawn.
// Text is UTF-8.
#pragma once

#include "platform/draw/gdi_types.h"

#include <string>
#include <string_view>

namespace platform {

// round(number * numerator / denominator); -1 when the denominator is 0 or the result overflows.
int MulDiv(int number, int numerator, int denominator);

// height below 0: the em size in pixels (-MulDiv(points, LOGPIXELSY, 72)); above 0: the cell
// height; 0: 10 points. The face is matched to the nearest installed font. Quality
// NONANTIALIASED_QUALITY draws black-and-white glyphs, every other quality antialiased ones.
// Width, escapement and orientation are kept but not applied (0 is the only value in use).
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const std::string& face);

// Draws text with its cell's top-left corner at (x, y) in the DC's font and text colour, over
// a box of the background colour in OPAQUE mode.
BOOL TextOut(HDC hdc, int x, int y, std::string_view text);

BOOL GetTextExtentPoint32(HDC hdc, std::string_view text, SIZE* size);
BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);

// Draws (or with DT_CALCRECT measures) text in rect with the DT_ flags of gdi_types.h. Lines
// break at "\r\n", "\n" and "\r", and with DT_WORDBREAK between words too wide for the rect (a
// word wider than the rect keeps a line of its own, or with DT_EDITCONTROL too is broken between
// its characters, as a multi-line edit box breaks it);
// "&" marks the next character as a mnemonic (underlined) and "&&" is a plain "&", unless
// DT_NOPREFIX. Returns the text's height (with DT_VCENTER or DT_BOTTOM the offset from the rect's
// top to the text's bottom), 0 on refusal.
int DrawText(HDC hdc, std::string_view text, RECT* rect, UINT format);

}  // namespace platform
