// Form::PopupMenu: the menu as a popup window at the cursor, run in a nested loop until an item is
// chosen or the menu is dismissed (Esc, a press outside it).
#include <algorithm>
#include <cstdlib>
#include <cctype>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/forms/painter.h"
#include "platform/forms/popup_window.h"
#include "platform/window/detail/input.h"
#include "platform/window/loop.h"
#include "platform/window/monitors.h"

namespace platform::forms {

namespace {

FontDescription MenuFont() { return FontDescription{"Arial", 9}; }
constexpr int kCheckColumn = 20;
constexpr int kGap = 24;

class MenuPopup : public PopupWindow {
public:
    explicit MenuPopup(Menu& menu) {
        for (Menu* item : menu.Items())
            if (item->Visible) items_.push_back(item);
    }

    bool Empty() const { return items_.empty(); }
    Menu* Chosen() const { return chosen_; }

    void Open(HWND owner, POINT at) {
        openedAt_ = at;
        int w = 0, sw = 0;
        for (Menu* item : items_) {
            w = std::max<int>(w, MeasureText(MenuFont(), StripMnemonic(item->Caption)).cx);
            sw = std::max<int>(sw, MeasureText(MenuFont(), item->Shortcut).cx);
        }
        int width = kCheckColumn + w + (sw ? kGap + sw : 0) + 16;
        int height = static_cast<int>(items_.size()) * RowHeight() + 4;
        // Within the monitor it opens on.
        const RECT area = MonitorAreaAt(at);
        if (at.x + width > area.right) at.x = std::max<LONG>(area.left, area.right - width);
        if (at.y + height > area.bottom) at.y = std::max<LONG>(area.top, at.y - height);
        OpenAt(owner, RECT{at.x, at.y, at.x + width, at.y + height}, true);
    }

    // Keys while the menu is open: arrows, Enter, Esc and the access keys.
    bool Key(UINT msg, WPARAM wParam) {
        if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return msg == WM_CHAR || msg == WM_KEYUP || msg == WM_SYSKEYUP;
        int n = static_cast<int>(items_.size());
        switch (static_cast<int>(wParam)) {
            case VK_UP: Highlight(highlight_ <= 0 ? n - 1 : highlight_ - 1); return true;
            case VK_DOWN: Highlight(highlight_ + 1 >= n ? 0 : highlight_ + 1); return true;
            case VK_HOME: Highlight(0); return true;
            case VK_END: Highlight(n - 1); return true;
            case VK_RETURN:
                if (highlight_ >= 0) Choose(highlight_);
                return true;
            case VK_ESCAPE:
            case VK_MENU: Close(); return true;
            default: break;
        }
        int key = static_cast<int>(wParam);
        if (std::isalnum(key)) {
            for (int i = 0; i < n; ++i) {
                int at = -1;
                std::string shown = StripMnemonic(items_[static_cast<std::size_t>(i)]->Caption, &at);
                if (at >= 0 && std::toupper(static_cast<unsigned char>(shown[static_cast<std::size_t>(at)])) == key) {
                    Choose(i);
                    break;
                }
            }
        }
        return true;
    }

protected:
    int RowHeight() const { return LineHeight(MenuFont()) + 6; }

    int ItemAt(POINT p, bool inside) const {
        if (!inside || p.y < 2) return -1;  // the frame is no item
        int i = (p.y - 2) / RowHeight();
        return i >= 0 && i < static_cast<int>(items_.size()) ? i : -1;
    }

    void Highlight(int i) {
        if (i == highlight_) return;
        highlight_ = i;
        Repaint();
    }

    void Choose(int i) {
        Menu* item = items_[static_cast<std::size_t>(i)];
        if (!item->Enabled) return;
        chosen_ = item;
        Close();
    }

    void PopupMouse(UINT msg, WPARAM wParam, POINT p, bool inside) override {
        (void)wParam;
        int i = ItemAt(p, inside);
        switch (msg) {
            case WM_MOUSEMOVE:
                // The release of the click that opened the menu chooses nothing; a release after
                // the pointer went to an item (the button held) does.
                if (!armed_) {
                    POINT screen = p;
                    ClientToScreen(Window(), &screen);
                    armed_ = std::abs(screen.x - openedAt_.x) > 2 || std::abs(screen.y - openedAt_.y) > 2;
                }
                Highlight(i);
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                if (!inside) Close();
                armed_ = true;
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                if (armed_ && i >= 0) Choose(i);
                break;
            default: break;
        }
    }

    void PaintPopup(Painter& painter, const RECT& client) override {
        painter.FillRect(client, vbMenuBar);
        painter.FrameRect(client, vbButtonShadow);
        int rh = RowHeight();
        for (std::size_t i = 0; i < items_.size(); ++i) {
            Menu* item = items_[i];
            RECT row{2, 2 + static_cast<int>(i) * rh, client.right - 2, 2 + static_cast<int>(i + 1) * rh};
            bool lit = static_cast<int>(i) == highlight_;
            if (lit) painter.FillRect(row, vbHighlight);
            COLORREF color = !item->Enabled ? vbGrayText : lit ? vbHighlightText : vbMenuText;
            if (item->Checked) {
                int cx = row.left + kCheckColumn / 2, cy = (row.top + row.bottom) / 2;
                for (int d = 0; d < 2; ++d) {
                    painter.Line(cx - 4, cy - 1 + d, cx - 2, cy + 1 + d, color);
                    painter.Line(cx - 2, cy + 1 + d, cx + 3, cy - 4 + d, color);
                }
            }
            RECT text{row.left + kCheckColumn, row.top, row.right - 8, row.bottom};
            painter.Text(text, item->Caption, MenuFont(), color, kTextLeft | kTextVCenter | kTextMnemonic);
            if (!std::string(item->Shortcut).empty())
                painter.Text(text, item->Shortcut, MenuFont(), color, kTextRight | kTextVCenter);
        }
    }

private:
    std::vector<Menu*> items_;
    int highlight_ = -1;
    Menu* chosen_ = nullptr;
    POINT openedAt_{};
    bool armed_ = false;
};

bool g_menuOpen = false;

}  // namespace

void Form::PopupMenu(Menu& menu, int flags, int x, int y) {
    (void)flags;
    Touch();
    menu.Touch();
    if (g_menuOpen || !hwnd_) return;  // one popup menu at a time
    MenuPopup popup(menu);
    if (popup.Empty()) return;
    POINT at;
    GetCursorPos(&at);
    if (x != kKeep && y != kKeep) {
        at = POINT{ScaleToPixels(x, scaleMode_), ScaleToPixels(y, scaleMode_)};
        ClientToScreen(hwnd_, &at);
    }
    g_menuOpen = true;
    popup.Open(GetTopLevel(hwnd_), at);
    detail::SetKeyGrab([&popup](UINT msg, WPARAM wParam, LPARAM) { return popup.Key(msg, wParam); });
    // The open menu takes every key, wherever the pointer goes (a presenter holds the keyboard).
    platform::detail::SetMenuKeyWindow(popup.Window());
    RunModalLoop([&popup] { return !popup.IsOpen(); });
    platform::detail::SetMenuKeyWindow(HWND{});
    detail::SetKeyGrab(nullptr);
    popup.Close();
    g_menuOpen = false;
    Menu* chosen = popup.Chosen();
    if (chosen && chosen->Live()) chosen->Click();
}

}  // namespace platform::forms
