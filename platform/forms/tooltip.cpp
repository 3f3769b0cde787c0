#include "platform/forms/tooltip.h"

#include "platform/forms/constants.h"
#include "platform/forms/painter.h"
#include "platform/forms/popup_window.h"
#include "platform/window/monitors.h"

namespace platform::forms::detail {

namespace {

constexpr UINT_PTR kShowTimer = 0xF0F1;  // the pointer has rested long enough
constexpr UINT_PTR kPollTimer = 0xF0F2;  // the pointer may have left
constexpr UINT kShowDelayMs = 500;

FontDescription TipFont() { return FontDescription{"Arial", 8}; }

class ToolTipPopup : public PopupWindow {
public:
    void Show(HWND owner, POINT at, const std::string& text) {
        text_ = text;
        SIZE size = MeasureText(TipFont(), text);
        int w = size.cx + 8, h = size.cy + 4;
        const RECT area = MonitorAreaAt(at);
        if (at.x + w > area.right) at.x = std::max<LONG>(area.left, area.right - w);
        if (at.y + h > area.bottom) at.y = std::max<LONG>(area.top, at.y - h - 24);
        OpenAt(owner, RECT{at.x, at.y, at.x + w, at.y + h}, false);
    }

protected:
    void PaintPopup(Painter& painter, const RECT& client) override {
        painter.FillRect(client, vbInfoBackground);
        painter.FrameRect(client, vbWindowFrame);
        painter.Text(RECT{4, 2, client.right - 4, client.bottom - 2}, text_, TipFont(), vbInfoText, kTextLeft);
    }

private:
    std::string text_;
};

struct ToolTipState {
    ToolTipPopup popup;
    HWND tracked;
};

// Never destroyed: the window system may be gone by the time static objects are.
ToolTipState& T() {
    static ToolTipState* state = new ToolTipState;
    return *state;
}

bool PointerOn(HWND control) {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r;
    return IsWindowVisible(control) && GetWindowRect(control, &r) && r.contains(cursor);
}

}  // namespace

bool IsToolTipTimer(UINT_PTR id) { return id == kShowTimer || id == kPollTimer; }

HWND ToolTipWindow() { return T().popup.Window(); }

void HideToolTip() {
    ToolTipState& t = T();
    t.popup.Close();
    if (t.tracked && IsWindow(t.tracked)) {
        KillTimer(t.tracked, kShowTimer);
        KillTimer(t.tracked, kPollTimer);
    }
    t.tracked = HWND{};
}

void TrackToolTip(HWND control, const std::string& text) {
    ToolTipState& t = T();
    if (text.empty()) {
        if (t.tracked == control) HideToolTip();
        return;
    }
    if (t.tracked == control) return;
    HideToolTip();
    t.tracked = control;
    SetTimer(control, kShowTimer, kShowDelayMs, nullptr);
}

void ToolTipTimer(HWND control, UINT_PTR id, const std::string& text) {
    ToolTipState& t = T();
    if (t.tracked != control) {
        KillTimer(control, id);
        return;
    }
    if (!PointerOn(control)) {
        HideToolTip();
        return;
    }
    if (id == kShowTimer) {
        KillTimer(control, kShowTimer);
        POINT cursor;
        GetCursorPos(&cursor);
        t.popup.Show(GetTopLevel(control), POINT{cursor.x, cursor.y + 20}, text);
        SetTimer(control, kPollTimer, 100, nullptr);
    }
}

}  // namespace platform::forms::detail
