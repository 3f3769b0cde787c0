// Small drawing steps of the clock's painting.
#pragma once

#include "platform/draw/gdi.h"

namespace hooklib {

// Outlines rect with a pen of that colour, style and width and fills it with a brush of fill.
void DrawFilledRect(platform::HDC hdc, const platform::RECT& rect, platform::COLORREF fill, platform::COLORREF pen,
                    int penStyle, int penWidth);
// A new bitmap holding what the DC shows in rect (a bitmap of the rect's size); null for an
// empty rect.
platform::HBITMAP CaptureRect(platform::HDC hdc, const platform::RECT& rect);
// Copies the bitmap from source (its top-left) into destination of the DC.
void BlitBitmap(platform::HBITMAP bitmap, platform::HDC hdc, const platform::RECT& destination,
                platform::POINT source);

// A memory DC with a bitmap selected, for the time of one drawing step; the bitmap is given back
// when the DC goes, so that it can be selected elsewhere.
class BitmapDc {
public:
    BitmapDc(platform::HDC compatible, platform::HBITMAP bitmap);
    ~BitmapDc();
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    platform::HDC dc() const { return dc_; }

private:
    platform::HDC dc_;
    platform::HGDIOBJ previous_;
};

}  // namespace hooklib
