#include "platform/forms/swatch_grid.h"

#include <algorithm>

#include "platform/forms/painter.h"

namespace platform::forms {

SwatchGrid::SwatchGrid(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    SwatchGrid::ResetToDesign();
}

void SwatchGrid::ResetToDesign() {
    WindowedControl::ResetToDesign();
    colors_.clear();
    columns_ = 8;
    selected_ = -1;
}

void SwatchGrid::SetColors(std::vector<COLORREF> colors, int columns) {
    colors_ = std::move(colors);
    columns_ = std::max(1, columns);
    if (selected_ >= Count()) selected_ = -1;
    Invalidate();
}

void SwatchGrid::SetColorAt(int index, COLORREF color) {
    colors_.at(static_cast<std::size_t>(index)) = color;
    Invalidate();
}

void SwatchGrid::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    Invalidate();
}

int SwatchGrid::Find(COLORREF color) const {
    auto it = std::find(colors_.begin(), colors_.end(), color);
    return it == colors_.end() ? -1 : static_cast<int>(it - colors_.begin());
}

int SwatchGrid::Rows() const { return std::max(1, (Count() + columns_ - 1) / columns_); }

RECT SwatchGrid::SwatchRect(int index) const {
    int w = rect_.width() / columns_, h = rect_.height() / Rows();
    int x = (index % columns_) * w, y = (index / columns_) * h;
    return RECT{x, y, x + w, y + h};
}

void SwatchGrid::UserSelect(int index) {
    if (index < 0 || index >= Count()) return;
    Select(index);
    if (Live()) Click();
}

void SwatchGrid::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button != vbLeftButton) return;
    for (int i = 0; i < Count(); ++i)
        if (SwatchRect(i).contains(px)) UserSelect(i);
}

void SwatchGrid::OnKey(int keyCode, int shift) {
    (void)shift;
    int i = selected_ < 0 ? 0 : selected_;
    switch (keyCode) {
        case VK_LEFT: i = selected_ < 0 ? 0 : i - 1; break;
        case VK_RIGHT: i = selected_ < 0 ? 0 : i + 1; break;
        case VK_UP: i = selected_ < 0 ? 0 : i - columns_; break;
        case VK_DOWN: i = selected_ < 0 ? 0 : i + columns_; break;
        default: return;
    }
    if (i >= 0 && i < Count()) UserSelect(i);
}

void SwatchGrid::PaintLook(Painter& painter) {
    painter.FillRect(RECT{0, 0, rect_.width(), rect_.height()}, vbButtonFace);
    for (int i = 0; i < Count(); ++i) {
        RECT r = SwatchRect(i);
        RECT swatch{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        if (i == selected_) {
            painter.FrameRect(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, vbWindowText);
            if (hasFocus_) painter.FocusRect(r, vbWindowText);
        }
        painter.FillRect(swatch, colors_[static_cast<std::size_t>(i)]);
        painter.SunkenEdge(swatch);
    }
}

}  // namespace platform::forms
