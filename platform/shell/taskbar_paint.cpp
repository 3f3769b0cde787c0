// Painting the taskbar: every part paints the bar's background as if the bar showed through it,
// so a gradient runs across the whole bar unbroken; over it the icons, the chevron, the clock's
// time and the context menu's items. A part never paints over its children: a child may have
// painted itself at any message (the clock, once someone else draws it, does so at every one).
#include <algorithm>
#include <vector>

#include "platform/draw/gdi.h"
#include "platform/shell/popup_menu.h"
#include "platform/shell/detail/taskbar_state.h"

namespace platform::detail {
namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kMenuFace = RGB(240, 240, 240);
constexpr COLORREF kMenuFrame = RGB(128, 128, 128);
constexpr COLORREF kMenuHighlight = RGB(49, 106, 197);
constexpr COLORREF kMenuText = RGB(0, 0, 0);

class Painting {
public:
    explicit Painting(HWND hwnd) : hwnd_(hwnd) { hdc = BeginPaint(hwnd, &ps_); }
    ~Painting() { EndPaint(hwnd_, &ps_); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
    HDC hdc;

private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
};

void Fill(HDC hdc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

TRIVERTEX Vertex(LONG x, LONG y, COLORREF c) {
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
    return v;
}

// The bar's background over a part's whole client area: the part's origin is placed where it
// lies in the bar.
void FillBackground(HWND hwnd, HDC hdc, const RECT& client) {
    const Taskbar& t = TB();
    if (!t.background.gradient) {
        Fill(hdc, client, t.background.first);
        return;
    }
    const RECT barOnScreen = ClientRectOnScreen(t.windows.taskbar), partOnScreen = ClientRectOnScreen(hwnd);
    const LONG dx = barOnScreen.left - partOnScreen.left, dy = barOnScreen.top - partOnScreen.top;
    const TRIVERTEX vertices[2] = {Vertex(dx, dy, t.background.first),
                                   Vertex(dx + barOnScreen.width(), dy + barOnScreen.height(), t.background.last)};
    const GRADIENT_RECT mesh{0, 1};
    GradientFill(hdc, vertices, 2, &mesh, 1, Horizontal(t.edge) ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

// What is left of the rectangles once r is taken out of them.
std::vector<RECT> Subtract(const std::vector<RECT>& pieces, const RECT& r) {
    std::vector<RECT> out;
    for (const RECT& p : pieces) {
        const RECT cut = IntersectRects(p, r);
        if (cut.empty()) {
            out.push_back(p);
            continue;
        }
        const RECT around[] = {RECT{p.left, p.top, p.right, cut.top}, RECT{p.left, cut.bottom, p.right, p.bottom},
                               RECT{p.left, cut.top, cut.left, cut.bottom}, RECT{cut.right, cut.top, p.right, cut.bottom}};
        for (const RECT& a : around)
            if (!a.empty()) out.push_back(a);
    }
    return out;
}

// The part's client area less its visible children, in client coordinates.
std::vector<RECT> OwnArea(HWND hwnd, const RECT& client) {
    std::vector<RECT> area{client};
    const RECT clientOnScreen = ClientRectOnScreen(hwnd);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        area = Subtract(area, OffsetRectBy(r, -clientOnScreen.left, -clientOnScreen.top));
    }
    return area;
}

// Drawn aside and copied around the children. A bar that nobody sees paints on no DC: no bitmap
// of the bar's size is made for it.
void PaintBackground(HWND hwnd, HDC hdc) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (client.empty() || !hdc) return;
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, client.width(), client.height());
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillBackground(hwnd, memory, client);
    for (const RECT& r : OwnArea(hwnd, client))
        BitBlt(hdc, r.left, r.top, r.width(), r.height(), memory, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void DrawCentredText(HDC hdc, HWND hwnd, std::string_view text, COLORREF colour) {
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, colour);
    DrawText(hdc, text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(hdc, old);
}

void DrawIconPixels(HDC hdc, const std::shared_ptr<Surface>& pixels, const RECT& cell) {
    if (!pixels || pixels->width() <= 0 || pixels->height() <= 0) return;
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateBitmapFromSurface(pixels);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    const int inset = (kIconCell - kIconSize) / 2;
    AlphaBlend(hdc, cell.left + inset, cell.top + inset, kIconSize, kIconSize, memory, 0, 0, pixels->width(),
               pixels->height(), blend);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace

void PaintTaskbarPart(HWND hwnd) {
    Painting paint(hwnd);
    PaintBackground(hwnd, paint.hdc);
}

void PaintTrayToolbar(HWND hwnd) {
    Painting paint(hwnd);
    PaintBackground(hwnd, paint.hdc);
    const auto& icons = TB().icons;
    for (int i = 0; i < ShownIconCount(); ++i) DrawIconPixels(paint.hdc, icons[static_cast<std::size_t>(i)].pixels, IconCell(i));
}

void PaintChevron(HWND hwnd) {
    Painting paint(hwnd);
    PaintBackground(hwnd, paint.hdc);
    DrawCentredText(paint.hdc, hwnd, "\xC2\xAB", kTextColour);  // the chevron's double angle
}

void PaintTrayClock(HWND hwnd) {
    Painting paint(hwnd);
    PaintBackground(hwnd, paint.hdc);
    DrawCentredText(paint.hdc, hwnd, GetWindowTextString(hwnd), kTextColour);
}

void PaintTaskbarMenu(HWND hwnd) {
    Painting paint(hwnd);
    HDC hdc = paint.hdc;
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(hdc, client, kMenuFrame);
    Fill(hdc, RECT{1, 1, client.right - 1, client.bottom - 1}, kMenuFace);
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    const HMENU menu = TB().menu;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item = MenuItemRect(i);
        MENUITEMINFO info;
        info.fMask = MIIM_TYPE | MIIM_ID | MIIM_DATA;
        GetMenuItemInfo(menu, static_cast<UINT>(i), 1, &info);
        if (info.fType & MFT_OWNERDRAW) {
            DRAWITEMSTRUCT draw;
            draw.itemID = info.wID;
            draw.itemState = i == TB().menuHighlight ? 1u : 0u;  // ODS_SELECTED
            draw.hwndItem = menu;
            draw.hDC = hdc;
            draw.rcItem = item;
            draw.itemData = info.dwItemData;
            SendMessage(TB().windows.taskbar, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
            continue;
        }
        if (info.fType & MFT_SEPARATOR) {
            const int middle = (item.top + item.bottom) / 2;
            Fill(hdc, RECT{item.left + 2, middle, item.right - 2, middle + 1}, kMenuFrame);
            continue;
        }
        const bool highlighted = i == TB().menuHighlight;
        if (highlighted) Fill(hdc, item, kMenuHighlight);
        SetTextColor(hdc, highlighted ? kTextColour : kMenuText);
        RECT text{item.left + 20, item.top, item.right - 4, item.bottom};
        DrawText(hdc, GetMenuItemText(menu, i), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(hdc, oldFont);
}

}  // namespace platform::detail
