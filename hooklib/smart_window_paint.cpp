// Painting a smart window and its children, and the balloon skin of tooltips.
#include <algorithm>

#include "hooklib/program_bridge.h"
#include "hooklib/smart_window.h"
#include "platform/services/paths.h"

namespace hooklib {
using namespace platform;

namespace {

constexpr COLORREF kSkinKey = 0xFEFEFE;

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, bool keyed) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, bitmap);
    if (keyed)
        TransparentBlt(dc, x, y, width, height, src, 0, 0, width, height, kSkinKey);
    else
        BitBlt(dc, x, y, width, height, src, 0, 0, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObject(bitmap, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

void SmartWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle, &ps);
    RECT whole;
    GetClientRect(Handle, &whole);
    if (Kind == kTooltipKind) {
        if (Skinned) {
            PaintSkinnedTooltip(dc, whole);
        } else {
            Fill(dc, whole, BackColor);
            HBRUSH frame = CreateSolidBrush(TextColor);
            for (RECT edge : {RECT{0, 0, whole.right, 1}, RECT{0, whole.bottom - 1, whole.right, whole.bottom},
                              RECT{0, 0, 1, whole.bottom}, RECT{whole.right - 1, 0, whole.right, whole.bottom}})
                FillRect(dc, &edge, frame);
            DeleteObject(frame);
        }
    } else {
        Fill(dc, whole, BackColor);
        if (Kind != kDragKind && Background) {
            SIZE s = BitmapSize(Background);
            DrawBitmap(dc, Background, 0, 0, s.cx, s.cy, false);
        }
    }
    EndPaint(Handle, &ps);
}

void SmartWindow::PaintSkinnedTooltip(HDC dc, const RECT& whole) {
    // Drawn in memory first, then shown at once.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, std::max<LONG>(1, whole.width()), std::max<LONG>(1, whole.height()));
    HGDIOBJ oldCanvas = SelectObject(mem, canvas);
    Fill(mem, whole, kSkinKey);
    // The balloon stands in from the window's edges where the arrow reaches past it; its frame
    // runs all round, and the pieces lay their corners over it.
    const RECT m = SkinMargins();
    const RECT body{m.left, m.top, whole.right - m.right, whole.bottom - m.bottom};
    Fill(mem, body, TextColor);
    Fill(mem, RECT{body.left + 1, body.top + 1, body.right - 1, body.bottom - 1}, BackColor);
    for (int i = 0; i < 4; ++i) {
        const SkinPiece& p = Skin[i];
        if (!p.bitmap) continue;
        // At the balloon's corner, moved out by as far as the piece reaches past it.
        const bool left = i == 0 || i == 3, top = i == 0 || i == 1;
        const int x = left ? body.left - p.x : body.right + p.x - p.width;
        const int y = top ? body.top - p.y : body.bottom + p.y - p.height;
        DrawBitmap(mem, p.bitmap, x, y, p.width, p.height, false);
    }
    BitBlt(dc, 0, 0, whole.width(), whole.height(), mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(mem);
}

void SmartWindow::PaintChild(SmartChild& child) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(child.handle, &ps);
    RECT r;
    GetClientRect(child.handle, &r);
    if (r.width() > 0 && r.height() > 0) {
        // The text is drawn over its back colour in memory; over a picture that colour is left out.
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP canvas = CreateCompatibleBitmap(dc, r.width(), r.height());
        HGDIOBJ oldCanvas = SelectObject(mem, canvas);
        Fill(mem, r, child.backColor);
        HGDIOBJ oldFont = SelectObject(mem, child.font);
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, child.textColor);
        RECT text = r;
        DrawText(mem, child.text, &text, child.textFormat);
        SelectObject(mem, oldFont);
        if (child.transparentDrawing && Background) {
            HDC pic = CreateCompatibleDC(dc);
            HGDIOBJ oldPic = SelectObject(pic, Background);
            Fill(dc, r, BackColor);
            BitBlt(dc, 0, 0, r.width(), r.height(), pic, child.rect.left, child.rect.top, SRCCOPY);
            SelectObject(pic, oldPic);
            DeleteDC(pic);
            TransparentBlt(dc, 0, 0, r.width(), r.height(), mem, 0, 0, r.width(), r.height(), child.backColor);
        } else {
            BitBlt(dc, 0, 0, r.width(), r.height(), mem, 0, 0, SRCCOPY);
        }
        SelectObject(mem, oldCanvas);
        DeleteObject(canvas);
        DeleteDC(mem);
    }
    EndPaint(child.handle, &ps);
}

void SmartWindow::DeleteSkin() {
    for (SkinPiece& p : Skin) {
        if (p.bitmap) DeleteObject(p.bitmap);
        p = SkinPiece{};
    }
}

void SmartWindow::LoadTooltipSkin() {
    DeleteSkin();
    if (!Skinned) return;
    // The small set below 60 pixels and for every help text; its arrow reaches 7 pixels past the
    // balloon on both sides, the large set's 14 beside it and 15 above or below.
    const bool small = Height < 60 || IsPopupHelp;
    const std::int16_t reachX = small ? 7 : 14, reachY = small ? 7 : 15;
    // The arrow sits at the corner nearest the cursor; the other three are plain corners.
    static const char* const kPieces[5][4] = {
        {"C1", "C2", "C3", "C4"},  // no arrow
        {"C1", "C2", "A3", "C4"},  {"C1", "C2", "C3", "A4"}, {"A1", "C2", "C3", "C4"}, {"C1", "A2", "C3", "C4"},
    };
    const int set = (ArrowCorner >= 1 && ArrowCorner <= 4) ? ArrowCorner : 0;
    std::string missing;
    for (int i = 0; i < 4; ++i) {
        const std::string name = std::string(kPieces[set][i]) + (small ? "S" : "");
        HBITMAP piece{LoadImage(MapPath(SkinFolder + name + ".bmp"), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)};
        if (!piece) {
            missing += (missing.empty() ? "" : ", ") + name;
            continue;  // its corner is left square; the window still shows
        }
        RecolourSkinPiece(piece, i);
        const SIZE s = BitmapSize(piece);
        const bool arrow = name[0] == 'A';
        Skin[i] = SkinPiece{piece, static_cast<std::int16_t>(arrow ? reachX : 0), static_cast<std::int16_t>(arrow ? reachY : 0),
                            static_cast<std::int16_t>(s.cx), static_cast<std::int16_t>(s.cy)};
    }
    if (!missing.empty()) LogDebug("{LoadTooltipSkin}: Missing skin pieces in " + SkinFolder + ": " + missing);
}

// The piece in the window's colours: what is not see-through takes the back colour, and where it
// meets the see-through colour, or the window's edge on the piece's two outer sides, the text
// colour, so the frame runs on unbroken from the balloon's straight edges.
void SmartWindow::RecolourSkinPiece(HBITMAP piece, int corner) {
    const SIZE s = BitmapSize(piece);
    HDC dc = CreateCompatibleDC(HDC{});
    HGDIOBJ old = SelectObject(dc, piece);
    std::vector<COLORREF> pixels(static_cast<std::size_t>(s.cx * s.cy));
    for (int y = 0; y < s.cy; ++y)
        for (int x = 0; x < s.cx; ++x) pixels[static_cast<std::size_t>(y * s.cx + x)] = GetPixel(dc, x, y) & 0xFFFFFF;
    const int outerX = (corner == 0 || corner == 3) ? -1 : s.cx;
    const int outerY = (corner == 0 || corner == 1) ? -1 : s.cy;
    auto seeThrough = [&](int x, int y) {
        if (x == outerX || y == outerY) return true;
        if (x < 0 || y < 0 || x >= s.cx || y >= s.cy) return false;
        return pixels[static_cast<std::size_t>(y * s.cx + x)] == kSkinKey;
    };
    for (int y = 0; y < s.cy; ++y)
        for (int x = 0; x < s.cx; ++x) {
            if (seeThrough(x, y)) continue;
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) edge = edge || seeThrough(x + dx, y + dy);
            SetPixel(dc, x, y, edge ? TextColor : BackColor);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
}

}  // namespace hooklib
