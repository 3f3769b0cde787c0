// Painting a smart window and its children, and the balloon skin of tooltips.
#include <algorithm>

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
    RECT m = SkinMargins();
    RECT body{m.left, m.top, whole.right - m.right, whole.bottom - m.bottom};
    Fill(mem, RECT{0, body.top, whole.right, body.bottom}, BackColor);
    Fill(mem, RECT{body.left, 0, body.right, whole.bottom}, BackColor);
    // The frame lines, with a gap at the arrow's corner (the arrow piece draws its own).
    HBRUSH frame = CreateSolidBrush(TextColor);
    RECT lines[] = {RECT{body.left, 0, body.right, 1}, RECT{body.left, whole.bottom - 1, body.right, whole.bottom},
                    RECT{0, body.top, 1, body.bottom}, RECT{whole.right - 1, body.top, whole.right, body.bottom}};
    for (const RECT& line : lines) FillRect(mem, &line, frame);
    DeleteObject(frame);
    const POINT corners[4] = {{0, 0},
                              {whole.right - Skin[1].width, 0},
                              {whole.right - Skin[2].width, whole.bottom - Skin[2].height},
                              {0, whole.bottom - Skin[3].height}};
    for (int i = 0; i < 4; ++i)
        if (Skin[i].bitmap)
            DrawBitmap(mem, Skin[i].bitmap, corners[i].x, corners[i].y, Skin[i].width, Skin[i].height, false);
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
    bool small = Height < 60 || IsPopupHelp;
    // The arrow sits at the corner away from the cursor's side; the other three are plain corners.
    static const char* const kPieces[5][4] = {
        {"C1", "C2", "C3", "C4"},  // no arrow
        {"C1", "C2", "A3", "C4"},  {"C1", "C2", "C3", "A4"}, {"A1", "C2", "C3", "C4"}, {"C1", "A2", "C3", "C4"},
    };
    int set = (ArrowCorner >= 1 && ArrowCorner <= 4) ? ArrowCorner : 0;
    for (int i = 0; i < 4; ++i) {
        std::string name = kPieces[set][i];
        std::string file = SkinFolder + name + (small ? "S" : "") + ".bmp";
        HBITMAP piece{LoadImage(MapPath(file), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)};
        if (!piece) continue;  // a missing piece leaves its corner empty
        SIZE s = BitmapSize(piece);
        // Recoloured to the window's colours: the body takes the back colour, its edge next to
        // the see-through colour takes the text colour.
        HDC dc = CreateCompatibleDC(HDC{});
        HGDIOBJ old = SelectObject(dc, piece);
        std::vector<COLORREF> pixels(static_cast<std::size_t>(s.cx * s.cy));
        for (int y = 0; y < s.cy; ++y)
            for (int x = 0; x < s.cx; ++x) pixels[static_cast<std::size_t>(y * s.cx + x)] = GetPixel(dc, x, y) & 0xFFFFFF;
        auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * s.cx + x)]; };
        for (int y = 0; y < s.cy; ++y)
            for (int x = 0; x < s.cx; ++x) {
                if (at(x, y) == kSkinKey) continue;
                bool edge = false;
                for (int dy = -1; dy <= 1 && !edge; ++dy)
                    for (int dx = -1; dx <= 1 && !edge; ++dx) {
                        int nx = x + dx, ny = y + dy;
                        if ((dx || dy) && nx >= 0 && ny >= 0 && nx < s.cx && ny < s.cy && at(nx, ny) == kSkinKey)
                            edge = true;
                    }
                SetPixel(dc, x, y, edge ? TextColor : BackColor);
            }
        SelectObject(dc, old);
        DeleteDC(dc);
        Skin[i] = SkinPiece{piece, 0, 0, static_cast<std::int16_t>(s.cx), static_cast<std::int16_t>(s.cy)};
    }
}

}  // namespace hooklib
