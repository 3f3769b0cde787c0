#include "platform/present/message_box_window.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/draw/gdi.h"
#include "platform/present/message_box_icons.h"
#include "platform/window/loop.h"
#include "platform/window/modal.h"
#include "platform/window/monitors.h"

namespace platform {
namespace {

constexpr int kButtonWidth = 80, kButtonHeight = 24, kMargin = 14, kGap = 8, kIconGap = 12;
constexpr COLORREF kFace = RGB(236, 233, 216);

struct Button {
    int id;
    std::string caption;  // its underlined letter (after '&') is the key that answers it
    RECT rect;
};

struct BoxState {
    MessageBoxRequest request;
    std::vector<Button> buttons;
    int defaultIndex = 0;
    int focused = 0;
    int pressed = -1;  // the button a press began on: a click is a press and a release on one button
    int answer = 0;
    BoxIcon icon = BoxIcon::None;
    POINT iconAt;
    RECT textRect;
};

BoxState* g_box = nullptr;  // one box at a time is painted; nested boxes save and restore it

std::vector<Button> ButtonsFor(UINT type, const MessageBoxWords& w) {
    switch (type & 0xF) {
        case MB_OKCANCEL: return {{IDOK, w.ok, {}}, {IDCANCEL, w.cancel, {}}};
        case MB_YESNOCANCEL: return {{IDYES, w.yes, {}}, {IDNO, w.no, {}}, {IDCANCEL, w.cancel, {}}};
        case MB_YESNO: return {{IDYES, w.yes, {}}, {IDNO, w.no, {}}};
        default: return {{IDOK, w.ok, {}}};
    }
}

HFONT BoxFont() {
    return CreateFont(-MulDiv(9, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                      ANTIALIASED_QUALITY, 0, "Arial");
}

// The button whose underlined letter is the key, or -1.
int ButtonOfAccessKey(WPARAM key) {
    for (std::size_t i = 0; i < g_box->buttons.size(); ++i)
        if (const std::size_t amp = g_box->buttons[i].caption.find('&'); amp != std::string::npos)
            if (static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(g_box->buttons[i].caption[amp + 1]))) == key)
                return static_cast<int>(i);
    return -1;
}

// The answer a key gives, or 0: a button's underlined letter, Enter and Space the focused button,
// Esc the box's No or Cancel.
int AnswerOfKey(WPARAM key) {
    if (const int access = ButtonOfAccessKey(key); access >= 0) return g_box->buttons[static_cast<std::size_t>(access)].id;
    if (key == static_cast<WPARAM>(VK_RETURN) || key == static_cast<WPARAM>(VK_SPACE))
        return g_box->buttons[static_cast<std::size_t>(g_box->focused)].id;
    if (key == static_cast<WPARAM>(VK_ESCAPE))
        return g_box->buttons.size() == 1 ? IDOK : ((g_box->request.type & 0xF) == MB_YESNO ? IDNO : IDCANCEL);
    return 0;
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH face = CreateSolidBrush(kFace);
    FillRect(dc, &client, face);
    DeleteObject(face);
    DrawBoxIcon(dc, g_box->iconAt.x, g_box->iconAt.y, g_box->icon, kFace);
    HFONT font = BoxFont();
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT text = g_box->textRect;
    DrawText(dc, g_box->request.text, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    for (std::size_t i = 0; i < g_box->buttons.size(); ++i) {
        const Button& b = g_box->buttons[i];
        HPEN pen = CreatePen(PS_SOLID, static_cast<int>(i) == g_box->focused ? 2 : 1, RGB(0, 0, 0));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HBRUSH fill = CreateSolidBrush(RGB(245, 244, 238));
        HGDIOBJ oldBrush = SelectObject(dc, fill);
        Rectangle(dc, b.rect.left, b.rect.top, b.rect.right, b.rect.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(fill);
        DeleteObject(pen);
        RECT r = b.rect;
        DrawText(dc, b.caption, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!g_box) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_PAINT: Paint(hwnd); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int under = -1;
            for (std::size_t i = 0; i < g_box->buttons.size(); ++i)
                if (g_box->buttons[i].rect.contains(p)) under = static_cast<int>(i);
            if (msg == WM_LBUTTONDOWN)
                g_box->pressed = under;
            else if (under >= 0 && under == g_box->pressed)
                g_box->answer = g_box->buttons[static_cast<std::size_t>(under)].id;
            return 0;
        }
        case WM_KEYDOWN: {
            if (g_box->answer) return 0;  // answered once: the keys still queued change nothing
            const int n = static_cast<int>(g_box->buttons.size());
            // Tab and the arrows move between the buttons, a held one again with each repeat.
            if (wParam == static_cast<WPARAM>(VK_TAB) || wParam == static_cast<WPARAM>(VK_RIGHT) ||
                wParam == static_cast<WPARAM>(VK_LEFT)) {
                g_box->focused = (g_box->focused + (wParam == static_cast<WPARAM>(VK_LEFT) ? n - 1 : 1)) % n;
                InvalidateRect(hwnd, nullptr, 1);
                return 0;
            }
            // A key answers once per press, never by its repeats.
            if (!IsKeyRepeat(lParam)) g_box->answer = AnswerOfKey(wParam);
            return 0;
        }
        case WM_CLOSE:
            // The close box (and Alt+F4) answers as the box's OK or Cancel button; a box that asks
            // Yes or No has neither and must be answered.
            if ((g_box->request.type & 0xF) != MB_YESNO) g_box->answer = g_box->buttons.size() == 1 ? IDOK : IDCANCEL;
            return 0;
        default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int ShowMessageBoxWindow(const MessageBoxRequest& request) {
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc;
        wc.lpfnWndProc = BoxProc;
        wc.lpszClassName = "#32770";
        wc.style = CS_GLOBALCLASS;
        wc.background = kFace;
        registered = RegisterClass(&wc) != 0;
    }
    BoxState state;
    state.request = request;
    state.buttons = ButtonsFor(request.type, request.words);
    int defaultButton = DefaultMessageBoxButton(request.type);
    for (std::size_t i = 0; i < state.buttons.size(); ++i)
        if (state.buttons[i].id == defaultButton) state.defaultIndex = static_cast<int>(i);
    state.focused = state.defaultIndex;

    // Size the text, then the box around it: the icon at the left, the text beside it (centred on
    // the icon when it is shorter), the buttons centred below both.
    HDC measure = CreateCompatibleDC(HDC{});
    HFONT font = BoxFont();
    HGDIOBJ old = SelectObject(measure, font);
    RECT text{0, 0, 360, 0};
    DrawText(measure, request.text, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(measure, old);
    DeleteObject(font);
    DeleteDC(measure);
    state.icon = BoxIconOf(request.type);
    const int iconWidth = state.icon == BoxIcon::None ? 0 : kBoxIconSize + kIconGap;
    const int iconHeight = state.icon == BoxIcon::None ? 0 : kBoxIconSize;
    const int bodyHeight = std::max<int>(text.bottom, iconHeight);
    state.iconAt = POINT{kMargin, kMargin};
    state.textRect = OffsetRectBy(text, kMargin + iconWidth, kMargin + (bodyHeight - text.bottom) / 2);
    int buttonsWidth = static_cast<int>(state.buttons.size()) * (kButtonWidth + kGap) - kGap;
    int clientWidth = std::max<int>(iconWidth + text.right, buttonsWidth) + 2 * kMargin;
    int clientHeight = bodyHeight + 3 * kMargin + kButtonHeight;
    int x = (clientWidth - buttonsWidth) / 2;
    for (Button& b : state.buttons) {
        b.rect = RECT{x, clientHeight - kMargin - kButtonHeight, x + kButtonWidth, clientHeight - kMargin};
        x += kButtonWidth + kGap;
    }
    int width = clientWidth + 6, height = clientHeight + 24;
    const RECT area = CentringArea(request.owner);
    BoxState* saved = g_box;
    g_box = &state;
    DWORD ex = (request.type & MB_SYSTEMMODAL) ? WS_EX_TOPMOST : 0;
    const DWORD closeBox = (request.type & 0xF) == MB_YESNO ? 0 : WS_SYSMENU;
    HWND box = CreateWindowEx(ex, "#32770", request.caption.c_str(), WS_POPUP | WS_CAPTION | WS_DLGFRAME | closeBox,
                              area.left + (area.width() - width) / 2, area.top + (area.height() - height) / 2, width,
                              height, request.owner);
    // Stacked and shown as every modal window is; the wait that MessageBox began gives the focus
    // back when the box is gone.
    PresentModalWindow(box);
    ShowWindow(box, SW_SHOW);
    SetFocus(box);
    RunModalLoop([&] { return state.answer != 0 || !IsWindow(box); });
    int answer = state.answer ? state.answer : defaultButton;
    DestroyWindow(box);
    g_box = saved;
    return answer;
}

namespace {
class MessageBoxWindows final : public MessageBoxes {
public:
    int Show(const MessageBoxRequest& request) override { return ShowMessageBoxWindow(request); }
};
}  // namespace

std::unique_ptr<MessageBoxes> MakeMessageBoxWindows() { return std::make_unique<MessageBoxWindows>(); }

}  // namespace platform
