#include "platform/forms/list_box.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

namespace {
constexpr int kBarWidth = 17;
}

ListBox::ListBox(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    ListBox::ResetToDesign();
}

void ListBox::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 120, 97};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    items_.Clear();
    listIndex_ = -1;
    newIndex_ = -1;
    multiSelect_ = vbMultiSelectNone;
    topIndex_ = 0;
    anchor_ = -1;
}

void ListBox::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    const auto& o = static_cast<const ListBox&>(other);
    items_ = o.items_;
    listIndex_ = o.listIndex_;
    multiSelect_ = o.multiSelect_;
}

// ---- Items ----

void ListBox::AddItem(const std::string& item, int index) {
    Touch();
    if (index > items_.Count()) ThrowBadListIndex(DisplayName(), index);
    newIndex_ = items_.Add(item, index);
    if (listIndex_ >= newIndex_) ++listIndex_;
    if (anchor_ >= newIndex_) ++anchor_;
    Invalidate();
}

void ListBox::RemoveItem(int index) {
    Touch();
    if (!items_.Valid(index)) ThrowBadListIndex(DisplayName(), index);
    items_.Remove(index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    if (anchor_ >= index) anchor_ = std::max(-1, anchor_ - 1);
    newIndex_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, items_.Count() - VisibleRows()));
    Invalidate();
}

void ListBox::Clear() {
    Touch();
    items_.Clear();
    listIndex_ = -1;
    newIndex_ = -1;
    anchor_ = -1;
    topIndex_ = 0;
    Invalidate();
}

void ListBox::setList(int index, std::string value) {
    items_.Checked(index, DisplayName()).text = std::move(value);
    Invalidate();
}

LONG ListBox::itemData(int index) const {
    return items_.Checked(index, DisplayName()).data;
}

void ListBox::setItemData(int index, LONG value) {
    items_.Checked(index, DisplayName()).data = value;
}

bool ListBox::selected(int index) const {
    return items_.Checked(index, DisplayName()).selected;
}

void ListBox::setSelected(int index, bool value) {
    if (!items_.Valid(index)) ThrowBadListIndex(DisplayName(), index);
    if (multiSelect_ == vbMultiSelectNone) {
        if (value) {
            setListIndex(index);
        } else if (items_.At(index).selected) {
            items_.At(index).selected = false;
            listIndex_ = -1;
            Invalidate();
        }
        return;
    }
    if (items_.At(index).selected == value) return;
    items_.At(index).selected = value;
    Invalidate();
    if (Live()) Click();
}

int ListBox::selCount() const {
    int n = 0;
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.At(i).selected) ++n;
    return n;
}

void ListBox::setMultiSelect(int value) {
    if (!Parent().IsLoading()) throw Error("The property MultiSelect of " + DisplayName() + " can be set only at design time");
    multiSelect_ = std::clamp(value, vbMultiSelectNone, vbMultiSelectExtended);
}

void ListBox::SelectOnly(int index) {
    for (int i = 0; i < items_.Count(); ++i) items_.At(i).selected = i == index;
}

void ListBox::setListIndex(int value) {
    if (value < -1 || value >= items_.Count()) ThrowBadListIndex(DisplayName(), value);
    listIndex_ = value;
    if (multiSelect_ == vbMultiSelectNone) SelectOnly(value);
    if (value >= 0) anchor_ = value;
    EnsureVisible(value);
    Invalidate();
    if (Live()) Click();
}

void ListBox::setTopIndex(int value) {
    topIndex_ = std::clamp(value, 0, std::max(0, items_.Count() - 1));
    Invalidate();
}

// ---- Layout ----

int ListBox::RowHeight() const { return std::max(1, LineHeight(font_)); }

RECT ListBox::ItemsRect() const {
    int w = rect_.width(), h = rect_.height();
    return RECT{1, 1, std::max(1, w - 1 - (HasScrollBar() ? kBarWidth : 0)), std::max(1, h - 1)};
}

int ListBox::VisibleRows() const { return std::max(1, (rect_.height() - 2) / RowHeight()); }

bool ListBox::HasScrollBar() const { return items_.Count() > VisibleRows(); }

RECT ListBox::ScrollBarRect() const {
    int w = rect_.width(), h = rect_.height();
    return RECT{w - 1 - kBarWidth, 1, w - 1, h - 1};
}

ScrollModel ListBox::VerticalModel() const {
    ScrollModel m;
    m.vertical = true;
    m.min = 0;
    m.max = std::max(0, items_.Count() - VisibleRows());
    m.value = std::clamp(topIndex_, m.min, m.max);
    m.smallChange = 1;
    m.largeChange = VisibleRows();
    return m;
}

int ListBox::ItemAt(POINT px) const {
    RECT r = ItemsRect();
    if (!r.contains(px)) return -1;
    int i = topIndex_ + (px.y - r.top) / RowHeight();
    return items_.Valid(i) ? i : -1;
}

void ListBox::EnsureVisible(int index) {
    if (index < 0) return;
    if (index < topIndex_) topIndex_ = index;
    if (index >= topIndex_ + VisibleRows()) topIndex_ = index - VisibleRows() + 1;
}

void ListBox::AppearanceChanged() {
    EnsureVisible(listIndex_);
    Invalidate();
}

// ---- Input ----

void ListBox::UserSelect(int index, int shift, bool toggle) {
    if (!items_.Valid(index)) return;
    std::vector<bool> before;
    for (int i = 0; i < items_.Count(); ++i) before.push_back(items_.At(i).selected);
    int oldIndex = listIndex_;
    bool ctrl = (shift & vbCtrlMask) != 0, extend = (shift & vbShiftMask) != 0;
    switch (multiSelect_) {
        case vbMultiSelectNone: SelectOnly(index); break;
        case vbMultiSelectSimple:
            if (toggle) items_.At(index).selected = !items_.At(index).selected;
            break;
        default:
            if (extend && anchor_ >= 0) {
                if (!ctrl) SelectOnly(-1);
                for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) items_.At(i).selected = true;
            } else if (ctrl) {
                if (toggle) items_.At(index).selected = !items_.At(index).selected;
                anchor_ = index;
            } else {
                SelectOnly(index);
                anchor_ = index;
            }
            break;
    }
    if (multiSelect_ != vbMultiSelectExtended) anchor_ = index;
    listIndex_ = index;
    EnsureVisible(index);
    Invalidate();
    bool changed = oldIndex != index;
    for (int i = 0; i < items_.Count() && !changed; ++i) changed = before[static_cast<std::size_t>(i)] != items_.At(i).selected;
    if (changed && Live()) Click();
}

void ListBox::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button != vbLeftButton || !hwnd_) return;
    if (HasScrollBar() && tracker_.Press(hwnd_, VerticalModel(), ScrollBarRect(), px, [this](int v) { setTopIndex(v); }))
        return;
    int i = ItemAt(px);
    if (i >= 0) UserSelect(i, shift, true);
}

void ListBox::HandleMouseMove(int buttons, int shift, POINT px) {
    if (tracker_.Active()) {
        tracker_.Move(VerticalModel(), ScrollBarRect(), px, [this](int v) { setTopIndex(v); });
    } else if ((buttons & vbLeftButton) && multiSelect_ == vbMultiSelectNone && clickArmed_) {
        int i = ItemAt(px);
        if (i >= 0 && i != listIndex_) UserSelect(i, 0, false);
    }
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void ListBox::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) tracker_.Release(hwnd_);
    WindowedControl::HandleMouseUp(button, shift, px, inside);
}

void ListBox::HandleDoubleClick(int button, int shift, POINT px) {
    if (button == vbLeftButton && ItemAt(px) < 0) return;  // a double-click on empty space is none
    WindowedControl::HandleDoubleClick(button, shift, px);
}

void ListBox::OnTimerTick(UINT_PTR id) {
    if (id == ScrollTracker::kRepeatTimer) tracker_.Repeat(hwnd_, VerticalModel(), ScrollBarRect(), [this](int v) { setTopIndex(v); });
}

void ListBox::OnKey(int keyCode, int shift) {
    int n = items_.Count();
    if (n == 0) return;
    int current = listIndex_ < 0 ? 0 : listIndex_;
    int target = -1;
    switch (keyCode) {
        case VK_UP: target = listIndex_ < 0 ? 0 : std::max(0, current - 1); break;
        case VK_DOWN: target = listIndex_ < 0 ? 0 : std::min(n - 1, current + 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = n - 1; break;
        case VK_PRIOR: target = std::max(0, current - VisibleRows() + 1); break;
        case VK_NEXT: target = std::min(n - 1, current + VisibleRows() - 1); break;
        case VK_SPACE:
            if (multiSelect_ != vbMultiSelectNone) UserSelect(current, shift | vbCtrlMask, true);
            return;
        default: return;
    }
    // Moving in a simple multi-select list moves the current item only.
    if (multiSelect_ == vbMultiSelectSimple) {
        bool changed = target != listIndex_;
        listIndex_ = target;
        EnsureVisible(target);
        Invalidate();
        if (changed && Live()) Click();
        return;
    }
    UserSelect(target, shift, false);
}

void ListBox::OnChar(unsigned codepoint) {
    int i = items_.FindByFirstCharacter(codepoint, listIndex_);
    if (i >= 0) UserSelect(i, 0, false);
}

// ---- Look ----

void ListBox::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, enabled_ ? backColor_ : vbButtonFace);
    painter.FrameRect(r, vbButtonShadow);
    if (HasScrollBar()) VerticalModel().Paint(painter, ScrollBarRect(), enabled_);
    RECT area = ItemsRect();
    Painter::Scope scope(painter, area);
    int rh = RowHeight();
    for (int i = topIndex_, row = 0; i < items_.Count() && row <= VisibleRows(); ++i, ++row) {
        RECT line{0, row * rh, area.width(), (row + 1) * rh};
        bool sel = items_.At(i).selected;
        if (sel) painter.FillRect(line, enabled_ ? vbHighlight : vbButtonShadow);
        COLORREF color = !enabled_ ? vbGrayText : sel ? vbHighlightText : foreColor_;
        painter.Text(RECT{line.left + 2, line.top, line.right, line.bottom}, items_.At(i).text, font_, color, kTextLeft | kTextVCenter);
        if (hasFocus_ && i == (listIndex_ < 0 ? 0 : listIndex_)) painter.FocusRect(line, sel ? vbHighlightText : foreColor_);
    }
    if (hasFocus_ && items_.Count() == 0) painter.FocusRect(RECT{0, 0, area.width(), rh}, foreColor_);
}

}  // namespace platform::forms
