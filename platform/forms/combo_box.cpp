#include "platform/forms/combo_box.h"

#include <algorithm>

#include "platform/forms/painter.h"
#include "platform/window/monitors.h"

namespace platform::forms {

namespace {
constexpr int kButtonWidth = 17;
constexpr int kBarWidth = 17;
constexpr int kItemInset = 3;  // an item's text from the list's left edge, and room at its right
}  // namespace

// ---- The drop-down list ----

int DropDownList::Rows() const { return std::max(1, std::min(MaxRows(), combo_.Items().Count())); }

ScrollModel DropDownList::Model() const {
    ScrollModel m;
    m.vertical = true;
    m.min = 0;
    m.max = std::max(0, combo_.Items().Count() - Rows());
    m.value = std::clamp(top_, m.min, m.max);
    m.largeChange = Rows();
    return m;
}

int DropDownList::Width() const {
    const ListItems& items = combo_.Items();
    int widest = 0;
    for (int i = 0; i < items.Count(); ++i) widest = std::max(widest, MeasureText(combo_.ItemFont(), items.At(i).text).cx);
    const int bar = items.Count() > Rows() ? kBarWidth : 0;
    return std::max(combo_.PixelRect().width(), kItemInset + widest + kItemInset + bar);
}

RECT DropDownList::ScrollBarRect(const RECT& client) const {
    return RECT{client.right - 1 - kBarWidth, 1, client.right - 1, client.bottom - 1};
}

void DropDownList::Open() {
    HWND combo = combo_.Window();
    if (!combo) return;
    RECT c;
    GetWindowRect(combo, &c);
    int rowHeight = LineHeight(combo_.ItemFont());
    int height = Rows() * rowHeight + 2;
    const RECT area = MonitorAreaOf(c);
    // A list wider than the box keeps its left edge under the box's unless that would leave the screen.
    const int width = std::min(Width(), area.width());
    const int left = std::max(area.left, std::min(c.left, area.right - width));
    RECT screen{left, c.bottom, left + width, c.bottom + height};
    if (screen.bottom > area.bottom && c.top - height >= area.top) screen = RECT{left, c.top - height, left + width, c.top};
    highlight_ = combo_.CurrentIndex();
    top_ = 0;
    if (highlight_ >= Rows()) top_ = std::min(highlight_, combo_.Items().Count() - Rows());
    OpenAt(GetTopLevel(combo), screen, true);
    combo_.Invalidate();
}

void DropDownList::MoveHighlight(int index) {
    int n = combo_.Items().Count();
    if (n == 0) return;
    highlight_ = std::clamp(index, 0, n - 1);
    if (highlight_ < top_) top_ = highlight_;
    if (highlight_ >= top_ + Rows()) top_ = highlight_ - Rows() + 1;
    Repaint();
}

void DropDownList::Closed() {
    tracker_ = ScrollTracker{};
    combo_.Invalidate();
}

void DropDownList::PaintPopup(Painter& painter, const RECT& client) {
    painter.FillRect(client, vbWindowBackground);
    painter.FrameRect(client, vbWindowFrame);
    const ListItems& items = combo_.Items();
    bool bar = items.Count() > Rows();
    if (bar) Model().Paint(painter, ScrollBarRect(client), true);
    int rh = LineHeight(combo_.ItemFont());
    RECT area{1, 1, client.right - 1 - (bar ? kBarWidth : 0), client.bottom - 1};
    Painter::Scope scope(painter, area);
    for (int i = top_, row = 0; i < items.Count() && row < Rows(); ++i, ++row) {
        RECT line{0, row * rh, area.width(), (row + 1) * rh};
        bool lit = i == highlight_;
        if (lit) painter.FillRect(line, vbHighlight);
        painter.Text(RECT{kItemInset - 1, line.top, line.right, line.bottom}, items.At(i).text, combo_.ItemFont(),
                     lit ? vbHighlightText : vbWindowText, kTextLeft | kTextVCenter);
    }
}

void DropDownList::PopupMouse(UINT msg, WPARAM wParam, POINT p, bool inside) {
    (void)wParam;
    RECT client;
    GetClientRect(hwnd_, &client);
    bool bar = combo_.Items().Count() > Rows();
    auto scrollTo = [this](int v) {
        top_ = v;
        Repaint();
    };
    if (tracker_.Active()) {
        if (msg == WM_MOUSEMOVE) tracker_.Move(Model(), ScrollBarRect(client), p, scrollTo);
        if (msg == WM_LBUTTONUP) tracker_.Release(hwnd_);
        return;
    }
    int rh = LineHeight(combo_.ItemFont());
    int row = (p.y - 1) / std::max(1, rh);
    int item = top_ + row;
    bool onItem = inside && !(bar && p.x >= ScrollBarRect(client).left) && row >= 0 && row < Rows() &&
                  item < combo_.Items().Count();
    switch (msg) {
        case WM_MOUSEMOVE:
            if (onItem && item != highlight_) MoveHighlight(item);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!inside) {
                Close();
                return;
            }
            if (bar && tracker_.Press(hwnd_, Model(), ScrollBarRect(client), p, scrollTo)) return;
            return;
        case WM_LBUTTONUP:
            if (onItem) combo_.ChooseFromList(item);
            return;
        default: return;
    }
}

void DropDownList::PopupTimer(UINT_PTR id) {
    if (id != ScrollTracker::kRepeatTimer) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    tracker_.Repeat(hwnd_, Model(), ScrollBarRect(client), [this](int v) {
        top_ = v;
        Repaint();
    });
}

// ---- The combo box ----

ComboBox::ComboBox(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    ComboBox::ResetToDesign();
}

void ComboBox::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 120, 21};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    items_.Clear();
    listIndex_ = -1;
    newIndex_ = -1;
}

void ComboBox::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    const auto& o = static_cast<const ComboBox&>(other);
    items_ = o.items_;
    listIndex_ = o.listIndex_;
}

void ComboBox::WindowsDestroyed() {
    dropDown_.Close();
    WindowedControl::WindowsDestroyed();
}

void ComboBox::AddItem(const std::string& item, int index) {
    Touch();
    if (index > items_.Count()) ThrowBadListIndex(DisplayName(), index);
    newIndex_ = items_.Add(item, index);
    if (listIndex_ >= newIndex_) ++listIndex_;
    dropDown_.Close();
    Invalidate();
}

void ComboBox::RemoveItem(int index) {
    Touch();
    if (!items_.Valid(index)) ThrowBadListIndex(DisplayName(), index);
    items_.Remove(index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    newIndex_ = -1;
    dropDown_.Close();
    Invalidate();
}

void ComboBox::Clear() {
    Touch();
    items_.Clear();
    listIndex_ = -1;
    newIndex_ = -1;
    dropDown_.Close();
    Invalidate();
}

void ComboBox::setList(int index, std::string value) {
    items_.Checked(index, DisplayName()).text = std::move(value);
    Invalidate();
}

LONG ComboBox::itemData(int index) const {
    return items_.Checked(index, DisplayName()).data;
}

void ComboBox::setItemData(int index, LONG value) {
    items_.Checked(index, DisplayName()).data = value;
}

void ComboBox::setListIndex(int value) {
    if (value < -1 || value >= items_.Count()) ThrowBadListIndex(DisplayName(), value);
    listIndex_ = value;
    Invalidate();
    if (Live()) Click();
}

void ComboBox::UserChoose(int index) {
    if (!items_.Valid(index) || index == listIndex_) return;
    listIndex_ = index;
    Invalidate();
    if (Live()) Click();
}

void ComboBox::ChooseFromList(int index) {
    dropDown_.Close();
    UserChoose(index);
}

void ComboBox::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button != vbLeftButton || !hwnd_ || !IsWindowEnabled(hwnd_)) return;
    if (dropDown_.IsOpen())
        dropDown_.Close();
    else
        dropDown_.Open();
}

bool ComboBox::WantsKey(int keyCode, int shift) const {
    (void)shift;
    return dropDown_.IsOpen() && (keyCode == VK_RETURN || keyCode == VK_ESCAPE);
}

void ComboBox::OnKey(int keyCode, int shift) {
    bool alt = (shift & vbAltMask) != 0;
    int n = items_.Count();
    if (keyCode == VK_F4 && !alt) keyCode = -1;  // F4 alone toggles the list
    if (dropDown_.IsOpen()) {
        int h = dropDown_.Highlight();
        switch (keyCode) {
            case VK_UP:
                if (alt) ChooseFromList(h);
                else dropDown_.MoveHighlight(h - 1);
                return;
            case VK_DOWN: dropDown_.MoveHighlight(h + 1); return;
            case VK_PRIOR: dropDown_.MoveHighlight(h - dropDown_.MaxRows() + 1); return;
            case VK_NEXT: dropDown_.MoveHighlight(h + dropDown_.MaxRows() - 1); return;
            case VK_HOME: dropDown_.MoveHighlight(0); return;
            case VK_END: dropDown_.MoveHighlight(n - 1); return;
            case VK_RETURN:
            case -1: ChooseFromList(h); return;
            case VK_ESCAPE: dropDown_.Close(); return;
            default: return;
        }
    }
    if (keyCode == -1 || (alt && (keyCode == VK_DOWN || keyCode == VK_UP))) {
        dropDown_.Open();
        return;
    }
    if (n == 0) return;
    int current = listIndex_;
    switch (keyCode) {
        case VK_UP:
        case VK_LEFT: UserChoose(std::max(0, current - 1)); return;
        case VK_DOWN:
        case VK_RIGHT: UserChoose(std::min(n - 1, current + 1)); return;
        case VK_PRIOR: UserChoose(std::max(0, current - dropDown_.MaxRows() + 1)); return;
        case VK_NEXT: UserChoose(std::min(n - 1, std::max(0, current) + dropDown_.MaxRows() - 1)); return;
        case VK_HOME: UserChoose(0); return;
        case VK_END: UserChoose(n - 1); return;
        default: return;
    }
}

void ComboBox::OnChar(unsigned codepoint) {
    int from = dropDown_.IsOpen() ? dropDown_.Highlight() : listIndex_;
    int i = items_.FindByFirstCharacter(codepoint, from);
    if (i < 0) return;
    if (dropDown_.IsOpen())
        dropDown_.MoveHighlight(i);
    else
        UserChoose(i);
}

void ComboBox::OnFocusChanged() {
    if (!hasFocus_) dropDown_.Close();
    Invalidate();
}

void ComboBox::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, enabled_ ? backColor_ : vbButtonFace);
    painter.FrameRect(r, vbButtonShadow);
    RECT button{r.right - 1 - kButtonWidth, 1, r.right - 1, r.bottom - 1};
    painter.FillRect(button, vbButtonFace);
    painter.Line(button.left, button.top, button.left, button.bottom - 1, vbButtonShadow);
    int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
    painter.FillTriangle(POINT{cx - 4, cy - 2}, POINT{cx + 4, cy - 2}, POINT{cx, cy + 2}, enabled_ ? vbButtonText : vbGrayText);
    RECT field{2, 2, button.left - 1, r.bottom - 2};
    bool lit = hasFocus_ && !dropDown_.IsOpen();
    if (lit) painter.FillRect(field, vbHighlight);
    painter.Text(RECT{field.left + 2, field.top, field.right, field.bottom}, text(), font_,
                 !enabled_ ? vbGrayText : lit ? vbHighlightText : foreColor_, kTextLeft | kTextVCenter);
    if (hasFocus_) painter.FocusRect(field, lit ? vbHighlightText : foreColor_);
}

}  // namespace platform::forms
