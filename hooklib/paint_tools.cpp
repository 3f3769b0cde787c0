#include "hooklib/paint_tools.h"

namespace hooklib {

using platform::HDC;
using platform::RECT;

void DrawFilledRect(HDC hdc, const RECT& rect, platform::COLORREF fill, platform::COLORREF pen, int penStyle,
                    int penWidth) {
    const platform::HPEN newPen = platform::CreatePen(penStyle, penWidth, pen);
    const platform::HBRUSH brush = platform::CreateSolidBrush(fill);
    const platform::HGDIOBJ oldPen = platform::SelectObject(hdc, newPen);
    const platform::HGDIOBJ oldBrush = platform::SelectObject(hdc, brush);
    platform::Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
    platform::SelectObject(hdc, oldPen);
    platform::SelectObject(hdc, oldBrush);
    platform::DeleteObject(newPen);
    platform::DeleteObject(brush);
}

BitmapDc::BitmapDc(HDC compatible, platform::HBITMAP bitmap) : dc_(platform::CreateCompatibleDC(compatible)) {
    previous_ = platform::SelectObject(dc_, bitmap);
}

BitmapDc::~BitmapDc() {
    if (previous_) platform::SelectObject(dc_, previous_);
    platform::DeleteDC(dc_);
}

platform::HBITMAP CaptureRect(HDC hdc, const RECT& rect) {
    if (rect.empty()) return platform::HBITMAP{};
    const platform::HBITMAP bitmap = platform::CreateCompatibleBitmap(hdc, rect.width(), rect.height());
    if (!bitmap) return bitmap;
    BitmapDc copy(hdc, bitmap);
    platform::BitBlt(copy.dc(), 0, 0, rect.width(), rect.height(), hdc, rect.left, rect.top, platform::SRCCOPY);
    return bitmap;
}

void BlitBitmap(platform::HBITMAP bitmap, HDC hdc, const RECT& destination, platform::POINT source) {
    if (!bitmap || destination.empty()) return;
    BitmapDc from(hdc, bitmap);
    platform::BitBlt(hdc, destination.left, destination.top, destination.width(), destination.height(), from.dc(),
                     source.x, source.y, platform::SRCCOPY);
}

}  // namespace hooklib
