// A smart window's texts: its fonts, its "Title", "Text" and "SmallText" children, their layout,
// sizing the window to them, and its background picture.
#include <algorithm>

#include "hooklib/program_bridge.h"
#include "hooklib/smart_window.h"
#include "platform/draw/image.h"
#include "platform/services/paths.h"
#include "platform/window/screen.h"

namespace hooklib {
using namespace platform;

LRESULT SmartChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

constexpr UINT SS_LEFT = 0x0;
constexpr UINT SS_CENTER = 0x1;

HFONT MakeArial(int points, int weight, bool antialiased) {
    return CreateFont(FontHeightOfPoints(points), 0, 0, 0, weight, 0, 0, 0, 1, 7, 0, antialiased ? 4 : 3, 0, "Arial");
}

// The frame of a window: its outer size less its client size.
SIZE FrameSize(HWND hwnd) {
    RECT outer, inner;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &inner);
    return SIZE{outer.width() - inner.width(), outer.height() - inner.height()};
}

// A child breaks its text between words, and a word wider than the child between its characters,
// so that the whole text shows.
constexpr UINT kChildBreaks = DT_WORDBREAK | DT_EDITCONTROL;

// The height and width of a text laid out at a width: by default as the child draws it; the auto
// size's search measures with DT_WORDBREAK alone, so that its window is as wide as the longest word.
SIZE MeasureText(HFONT font, const std::string& text, int width, UINT breaks = kChildBreaks) {
    HDC dc = CreateCompatibleDC(HDC{});
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, std::max(1, width), 0};
    DrawText(dc, text, &r, breaks | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{r.width(), r.height()};
}

}  // namespace

// The class of the children: plain text controls that paint themselves.
const char* const kSmartChildClass = "OZRSW Static";

int FontHeightOfPoints(int points) {
    HDC screen = CreateCompatibleDC(HDC{});  // compatible with the screen: the screen's resolution
    int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    DeleteDC(screen);
    return height;
}

void SmartWindow::MakeDefaultFonts() {
    DeleteFonts();
    bool antialiased = !Background;
    TitleFont = MakeArial(12, 700, antialiased);
    TextFont = MakeArial(10, 400, antialiased);
    SmallFont = MakeArial(8, 400, antialiased);
    SmallBoldFont = MakeArial(8, 700, antialiased);
}

void SmartWindow::DeleteFonts() {
    for (HFONT* f : {&TitleFont, &TextFont, &SmallFont, &SmallBoldFont}) {
        if (*f) DeleteObject(*f);
        *f = HFONT{};
    }
}

void SmartWindow::ReplaceFonts(HFONT title, HFONT text) {
    if (TitleFont) DeleteObject(TitleFont);
    if (TextFont) DeleteObject(TextFont);
    TitleFont = title;
    TextFont = text;
    for (auto& c : Children) {
        if (c->name == "Title") c->font = TitleFont;
        if (c->name == "Text") c->font = TextFont;
    }
}

SmartChild* SmartWindow::Child(const std::string& name) {
    for (auto& c : Children)
        if (c->name == name) return c.get();
    return nullptr;
}

SmartChild& SmartWindow::SetChildText(const std::string& name, const std::string& text, HFONT font, UINT format) {
    SmartChild* child = Child(name);
    if (!child) {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = SmartChildProc;
        wc.lpszClassName = kSmartChildClass;
        RegisterClass(&wc);
        auto made = std::make_unique<SmartChild>();
        made->owner = this;
        made->name = name;
        made->backColor = BackColor;
        made->textColor = TextColor;
        made->brush = CreateSolidBrush(BackColor);
        made->font = font;
        made->textFormat = format;
        made->transparentDrawing = static_cast<bool>(Background) && Kind != kDragKind;
        // Each child stands below the one made before it.
        if (!Children.empty()) {
            made->reference = Children.back().get();
            made->placement = 4;
        }
        made->handle = CreateWindowEx(0, kSmartChildClass, text.c_str(), WS_CHILD | WS_VISIBLE | (name == "Title" ? SS_CENTER : SS_LEFT),
                                      0, 0, 1, 1, Handle);
        Children.push_back(std::move(made));
        child = Children.back().get();
    }
    child->text = text;
    SetWindowText(child->handle, text.c_str());
    LayOutChildren();
    return *child;
}

void SmartWindow::SetTitle(const std::string& text) { SetChildText("Title", text, TitleFont, DT_CENTER | kChildBreaks); }
void SmartWindow::SetText(const std::string& text) { SetChildText("Text", text, TextFont, DT_LEFT | kChildBreaks); }
void SmartWindow::SetSmallText(const std::string& text, COLORREF color) {
    SmartChild& c = SetChildText("SmallText", text, SmallFont, DT_LEFT | kChildBreaks);
    c.textColor = color;
    InvalidateRect(c.handle, nullptr, 1);
}

// The hint is shown whole whatever the window's size and fonts: in the text's own font where it
// fits below the title, else in the small font, else in the small font over the title as well.
void SmartWindow::ShowHint(const std::string& hint) {
    SetText(hint);
    SmartChild* text = Child("Text");
    SmartChild* title = Child("Title");
    if (!text) return;
    RECT client;
    GetClientRect(Handle, &client);
    auto fits = [&] {
        return MeasureText(text->font, text->text, text->rect.width()).cy <= client.bottom - SkinMargins().bottom - text->rect.top;
    };
    if (fits()) return;
    text->font = SmallFont;
    LayOutChildren();
    if (fits() || !title || text->reference != title) return;
    ShowWindow(title->handle, SW_HIDE);
    text->reference = nullptr;
    LayOutChildren();
}

void SmartWindow::PutTextBack(const std::string& original) {
    SmartChild* text = Child("Text");
    SmartChild* title = Child("Title");
    if (text && title && !text->reference) {
        text->reference = title;
        text->placement = 4;
        ShowWindow(title->handle, SW_SHOW);
    }
    if (text) text->font = TextFont;
    SetText(original);
}

void SmartWindow::LayOutChildren() {
    RECT client;
    GetClientRect(Handle, &client);
    RECT m = SkinMargins();
    int innerLeft = m.left + 2, innerTop = m.top + 5;
    int innerWidth = std::max(0, client.width() - m.left - m.right - 4);
    int innerBottom = client.height() - m.bottom;
    for (auto& c : Children) {
        SIZE text = MeasureText(c->font, c->text, innerWidth);  // as the child draws it
        int x = innerLeft, y = innerTop;
        if (c->reference) {
            const RECT& ref = c->reference->rect;
            switch (c->placement) {
                case 1: x = ref.left - innerWidth; y = ref.top; break;
                case 2: x = ref.right; y = ref.top; break;
                case 3: x = ref.left; y = ref.top - text.cy; break;
                default: x = ref.left; y = ref.bottom; break;
            }
        }
        int width = c->stretch ? innerWidth : text.cx;
        int height = std::max(0, std::min<int>(text.cy, innerBottom - y));
        c->rect = RECT{x, y, x + width, y + height};
        MoveWindow(c->handle, x, y, width, height, 1);
    }
}

RECT SmartWindow::SkinMargins() const {
    if (!Skinned) return RECT{0, 0, 0, 0};
    // The balloon stands in from the window's edges by as far as the arrow reaches past it.
    auto x = [this](int i) { return static_cast<LONG>(Skin[i].x); };
    auto y = [this](int i) { return static_cast<LONG>(Skin[i].y); };
    return RECT{std::max(x(0), x(3)), std::max(y(0), y(1)), std::max(x(1), x(2)), std::max(y(2), y(3))};
}

void SmartWindow::AutoSize() {
    AutoSized = true;
    SIZE frame = FrameSize(Handle);
    RECT m = SkinMargins();
    int marginsX = m.left + m.right + frame.cx, marginsY = m.top + m.bottom + frame.cy;
    SIZE screen = ScreenSize();
    float aspect = AspectRatio > 0 ? AspectRatio
                                   : static_cast<float>(screen.cx) / static_cast<float>(std::max<LONG>(1, screen.cy));
    // Never wider than the work area: a longer word is broken there, and the search ends there too,
    // so a text that never lies flat enough cannot hang it. Never taller either: the caption stays
    // on the screen, and what the texts hold beyond the window's foot is cut there.
    const RECT work = WorkArea();
    const int widest = std::max<int>(work.right - work.left, 30);
    const int tallest = std::max<int>(work.bottom - work.top, 30);
    int width = 30, height = 0;
    auto textsHeight = [&](UINT breaks, int* textsWidest) {
        int sum = 0;
        for (auto& c : Children) {
            SIZE s = MeasureText(c->font, c->text, width - marginsX - 4, breaks);
            sum += s.cy;
            if (textsWidest) *textsWidest = std::max<int>(*textsWidest, s.cx);
        }
        return sum + marginsY + 10;
    };
    for (;;) {
        int textsWidest = 0;
        height = textsHeight(DT_WORDBREAK, &textsWidest);
        if (width > height * aspect || width >= widest) break;
        width = std::max(width + 2, textsWidest + marginsX + 4);
    }
    if (width >= widest) {
        width = widest;
        height = textsHeight(kChildBreaks, nullptr);
    }
    height = std::min(height, tallest);
    RECT r;
    GetWindowRect(Handle, &r);
    if (Kind == kTooltipKind) {
        X = r.right - width;
        Y = r.bottom - height;
        SetWindowPos(Handle, HWND{}, X, Y, width, height, 528);
    } else {
        SetWindowPos(Handle, HWND{}, 0, 0, width, height, 530);
    }
    Width = width;
    Height = height;
    LayOutChildren();
    InvalidateRect(Handle, nullptr, 1);
}

bool SmartWindow::LoadBackground(const std::string& path) {
    HBITMAP picture{LoadImage(MapPath(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)};
    if (!picture) {
        LogDebug("{SmartWindow}: No background picture: " + LastImageError());
        return false;  // the window keeps no picture, and still shows
    }
    if (Background) DeleteObject(Background);
    Background = picture;
    BackColor = 0xC8C8C8;
    MakeDefaultFonts();
    for (auto& c : Children) {
        c->backColor = BackColor;
        c->transparentDrawing = Kind != kDragKind;
    }
    InvalidateRect(Handle, nullptr, 1);
    return true;
}

}  // namespace hooklib
