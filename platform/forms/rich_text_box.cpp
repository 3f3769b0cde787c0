#include "platform/forms/rich_text_box.h"

#include <algorithm>
#include <optional>

#include "platform/forms/form.h"
#include "platform/forms/painter.h"
#include "platform/services/paths.h"
#include "platform/services/whole_file.h"

namespace platform::forms {

namespace {
constexpr int kBarWidth = 17;
constexpr int kMargin = 3;
}  // namespace

RichTextBox::RichTextBox(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    RichTextBox::ResetToDesign();
}

void RichTextBox::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 160, 100};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    fileName_.clear();
    SetDocument(RichDocument{});
}

void RichTextBox::SetDocument(RichDocument doc) {
    doc_ = std::move(doc);
    layoutFull_ = -1;
    scrollTop_ = 0;
    Invalidate();
}

void RichTextBox::setText(std::string value) { SetDocument(PlainRichText(value)); }

void RichTextBox::LoadFile(const std::string& path) {
    Touch();
    std::string real = MapPath(path);
    std::optional<std::string> content = ReadWholeFile(real);
    if (!content) throw Error("The file " + path + " could not be read into " + DisplayName());
    SetDocument(ParseRichText(*content));
    fileName_ = path;
}

void RichTextBox::AppearanceChanged() {
    layoutFull_ = -1;
    ScrollTo(scrollTop_);
    Invalidate();
}

// ---- Layout ----

RECT RichTextBox::ScrollBarRect() const { return RECT{rect_.width() - 1 - kBarWidth, 1, rect_.width() - 1, rect_.height() - 1}; }

const RichLayout& RichTextBox::Layout() const {
    // Laid out for the width beside a bar when the text does not fit without one.
    int full = std::max(1, rect_.width() - 2 - 2 * kMargin);
    if (layoutFull_ != full || layoutHeight_ != rect_.height() || !(layoutFont_ == font_)) {
        layoutFont_ = font_;
        layoutFull_ = full;
        layoutHeight_ = rect_.height();
        layout_ = LayoutRichText(doc_, font_, full);
        if (layout_.height > rect_.height() - 2 - 2 * kMargin) layout_ = LayoutRichText(doc_, font_, std::max(1, full - kBarWidth));
    }
    return layout_;
}

int RichTextBox::ContentHeight() const { return Layout().height; }

bool RichTextBox::HasScrollBar() const { return ContentHeight() > rect_.height() - 2 - 2 * kMargin; }

RECT RichTextBox::TextRect() const {
    int right = rect_.width() - 1 - kMargin - (HasScrollBar() ? kBarWidth : 0);
    return RECT{1 + kMargin, 1 + kMargin, std::max(1 + kMargin, right), std::max(1 + kMargin, rect_.height() - 1 - kMargin)};
}

ScrollModel RichTextBox::VerticalModel() const {
    ScrollModel m;
    m.vertical = true;
    m.min = 0;
    m.max = std::max(0, ContentHeight() - TextRect().height());
    m.value = std::clamp(scrollTop_, m.min, m.max);
    m.smallChange = std::max(1, LineHeight(font_));
    m.largeChange = std::max(1, TextRect().height() - LineHeight(font_));
    return m;
}

void RichTextBox::ScrollTo(int top) {
    int t = std::clamp(top, 0, std::max(0, ContentHeight() - TextRect().height()));
    if (t == scrollTop_) return;
    scrollTop_ = t;
    Invalidate();
}

// ---- Input ----

void RichTextBox::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button == vbLeftButton && hwnd_ && HasScrollBar())
        tracker_.Press(hwnd_, VerticalModel(), ScrollBarRect(), px, [this](int v) { ScrollTo(v); });
}

void RichTextBox::HandleMouseMove(int buttons, int shift, POINT px) {
    if (tracker_.Active()) tracker_.Move(VerticalModel(), ScrollBarRect(), px, [this](int v) { ScrollTo(v); });
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void RichTextBox::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) tracker_.Release(hwnd_);
    WindowedControl::HandleMouseUp(button, shift, px, inside);
}

void RichTextBox::OnTimerTick(UINT_PTR id) {
    if (id == ScrollTracker::kRepeatTimer) tracker_.Repeat(hwnd_, VerticalModel(), ScrollBarRect(), [this](int v) { ScrollTo(v); });
}

void RichTextBox::OnKey(int keyCode, int shift) {
    (void)shift;
    ScrollModel m = VerticalModel();
    switch (keyCode) {
        case VK_UP: ScrollTo(scrollTop_ - m.smallChange); break;
        case VK_DOWN: ScrollTo(scrollTop_ + m.smallChange); break;
        case VK_PRIOR: ScrollTo(scrollTop_ - m.largeChange); break;
        case VK_NEXT: ScrollTo(scrollTop_ + m.largeChange); break;
        case VK_HOME: ScrollTo(0); break;
        case VK_END: ScrollTo(m.max); break;
        default: break;
    }
}

// ---- Look ----

void RichTextBox::PaintLook(Painter& painter) {
    RECT all{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(all, backColor_);
    painter.FrameRect(all, vbButtonShadow);
    if (HasScrollBar()) VerticalModel().Paint(painter, ScrollBarRect(), enabled_);
    if (hasFocus_) painter.FocusRect(RECT{1, 1, all.right - 1 - (HasScrollBar() ? kBarWidth : 0), all.bottom - 1}, foreColor_);
    RECT area = TextRect();
    Painter::Scope scope(painter, area);
    for (const RichLine& line : Layout().lines) {
        int top = line.top - scrollTop_;
        if (top + line.height <= 0) continue;
        if (top >= area.height()) break;
        for (const RichSegment& p : line.segments) {
            COLORREF color = !enabled_ ? vbGrayText : p.hasColor ? p.color : foreColor_;
            int y = top + line.height - p.height;
            painter.Text(RECT{p.x, y, p.x + p.width + 1, y + p.height}, p.text, p.font, color, kTextLeft | kTextNoClip);
        }
    }
}

}  // namespace platform::forms
