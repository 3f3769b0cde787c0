#include "settings/title_bar.h"

#include <algorithm>
#include <cmath>

#include "platform/draw/gdi.h"
#include "platform/services/paths.h"
#include "platform/window/messages.h"
#include "platform/window/monitors.h"

namespace settings {
namespace {

using namespace platform;

constexpr int kButtonSize = 24;
constexpr int kTitleTextX = 35;
constexpr int kTitleTextY = 3;
constexpr int kTitlePoints = 16;

HBITMAP LoadBitmapFile(const std::string& file, int width, int height) {
    if (file.empty()) return HBITMAP{};
    return HBITMAP{LoadImage(ProgramFolder() + file, IMAGE_BITMAP, width, height, LR_LOADFROMFILE | LR_CREATEDIBSECTION)};
}

void DrawKeyed(HDC target, HDC scratch, HBITMAP picture, POINT at) {
    if (!picture) return;
    HGDIOBJ old = SelectObject(scratch, picture);
    TransparentBlt(target, at.x, at.y, kButtonSize, kButtonSize, scratch, 0, 0, kButtonSize, kButtonSize, kPictureKey);
    SelectObject(scratch, old);
}

}  // namespace

TitleZone ZoneAt(const TitleBarLayout& layout, double x) {
    if (x > layout.closeFrom && x < layout.closeTo) return TitleZone::Close;
    if (x > layout.minimizeFrom && x < layout.closeFrom) return TitleZone::Minimize;
    return TitleZone::None;
}

POINT KeptOnScreen(POINT p, int width, int height, const RECT& monitor) {
    p.x = std::max(monitor.left, std::min(p.x, monitor.right - width));
    p.y = std::max(monitor.top, std::min(p.y, monitor.bottom - height));
    return p;
}

namespace {
RECT InTwips(const RECT& pixels) { return RECT{pixels.left * 15, pixels.top * 15, pixels.right * 15, pixels.bottom * 15}; }
}  // namespace

POINT NormalTopLeftTwips(HWND window) {
    WINDOWPLACEMENT placement;
    if (!GetWindowPlacement(window, &placement)) return POINT{};
    return POINT{placement.rcNormalPosition.left * 15, placement.rcNormalPosition.top * 15};
}

RECT MonitorTwipsOf(POINT p, int width, int height) {
    return InTwips(MonitorAreaOf(RECT{p.x / 15, p.y / 15, (p.x + width) / 15, (p.y + height) / 15}));
}

TitleBar::TitleBar(forms::Form& window, forms::PictureBox& bar, forms::Timer& bodyMovin, forms::Timer& hover,
                   const TitleBarLayout& layout)
    : window_(window), bar_(bar), bodyMovin_(bodyMovin), hover_(hover), layout_(layout) {
    bar_.Paint = [this] { Paint(); };
    bar_.MouseMove = [this](int, int, int x, int) { MouseMove(x); };
    bar_.MouseDown = [this](int button, int, int x, int y) { MouseDown(button, x, y); };
    bar_.MouseUp = [this](int, int, int, int) { MouseUp(); };
    hover_.Tick = [this] { HoverTick(); };
    bodyMovin_.Tick = [this] { DragTick(); };
}

void TitleBar::Reset() {
    closeHot_ = minimizeHot_ = false;
    bodyMovin_.Enabled = false;
    hover_.Enabled = false;
    // The bar's minimise box is the window's own: the desktop's window manager, asked to minimise
    // it, sees a window that may be minimised, and so do its task lists.
    const HWND h = window_.hWnd;
    SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) | static_cast<LONG>(WS_MINIMIZEBOX));
}

void TitleBar::Paint() {
    const TitleBarContent content = Content ? Content() : TitleBarContent{};
    HDC target = bar_.hDC;
    HDC scratch = CreateCompatibleDC(target);
    // The title is drawn onto the gradient, so without a gradient there is no title either.
    if (HBITMAP gradient = LoadBitmapFile(content.gradient, layout_.width, layout_.height)) {
        HGDIOBJ oldBitmap = SelectObject(scratch, gradient);
        HFONT font = CreateFont(-MulDiv(kTitlePoints, GetDeviceCaps(target, LOGPIXELSY), 72), 0, 0, 0, 400, 0, 0, 0,
                                DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, "Arial");
        HGDIOBJ oldFont = SelectObject(scratch, font);
        SetBkMode(scratch, TRANSPARENT);
        SetTextColor(scratch, content.textColor);
        TextOut(scratch, kTitleTextX, kTitleTextY, content.title);
        BitBlt(target, 0, 0, layout_.width, layout_.height, scratch, 0, 0, SRCCOPY);
        SelectObject(scratch, oldFont);
        SelectObject(scratch, oldBitmap);
        DeleteObject(font);
        DeleteObject(gradient);
    }
    const struct {
        std::string file;
        POINT at;
    } pictures[] = {
        {content.icon, layout_.iconAt},
        {closeHot_ ? "\\GUI\\Settings\\CloseWindowO.bmp" : "\\GUI\\Settings\\CloseWindowN.bmp", layout_.closeAt},
        {minimizeHot_ ? "\\GUI\\Settings\\MinimizeWindowO.bmp" : "\\GUI\\Settings\\MinimizeWindowN.bmp",
         layout_.minimizeAt},
    };
    for (const auto& picture : pictures) {
        HBITMAP bitmap = LoadBitmapFile(picture.file, kButtonSize, kButtonSize);
        DrawKeyed(target, scratch, bitmap, picture.at);
        if (bitmap) DeleteObject(bitmap);
    }
    DeleteDC(scratch);
}

void TitleBar::SetHot(bool close, bool minimize) {
    if (close == closeHot_ && minimize == minimizeHot_) return;
    closeHot_ = close;
    minimizeHot_ = minimize;
    Repaint();
}

void TitleBar::MouseMove(int x) {
    hover_.Enabled = true;
    const TitleZone zone = ZoneAt(layout_, x);
    SetHot(zone == TitleZone::Close, zone == TitleZone::Minimize);
}

void TitleBar::HoverTick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r{};
    GetWindowRect(bar_.hWnd, &r);
    if (cursor.x >= r.left && cursor.x <= r.right && cursor.y >= r.top && cursor.y <= r.bottom) return;
    if (closeHot_ || minimizeHot_) {
        SetHot(false, false);
        hover_.Enabled = false;
    }
}

void TitleBar::MouseDown(int button, int x, int y) {
    if (button != 1 || closeHot_ || (minimizeHot_ && !DragFromMinimizeZone)) return;
    dragOffsetX_ = x;
    dragOffsetY_ = y;
    bodyMovin_.Enabled = true;
}

void TitleBar::MouseUp() {
    bodyMovin_.Enabled = false;
    if (closeHot_) {
        if (CloseClicked) CloseClicked();
    } else if (minimizeHot_) {
        window_.WindowState = forms::vbMinimized;
    }
}

void TitleBar::DragTick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    // The window stays wholly on the monitor under the cursor, so its title bar can always be
    // taken again.
    const POINT at = KeptOnScreen(POINT{static_cast<LONG>(std::lround(cursor.x * 15 - dragOffsetX_)),
                                        static_cast<LONG>(cursor.y * 15 - dragOffsetY_)},
                                  window_.Width, window_.Height, InTwips(MonitorAreaAt(cursor)));
    window_.Move(at.x, at.y);
    if (Moved) Moved();
}

}  // namespace settings
