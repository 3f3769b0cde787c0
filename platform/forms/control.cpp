#include "platform/forms/control.h"

#include <algorithm>

#include "platform/forms/container.h"
#include "platform/forms/form.h"

namespace platform::forms {

// ---- Control ----

Control::Control(ContainerRef container, std::string name, int index)
    : container_(&container.get()), name_(std::move(name)), index_(index) {
    container_->AddChild(this);
    Parent().RegisterControl(this);
}

Control::~Control() {
    Parent().UnregisterControl(this);
    container_->RemoveChild(this);
}

std::string Control::DisplayName() const { return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")"; }

Form& Control::Parent() const { return container_->OwningForm(); }

void Control::Touch() const { Parent().Touch(); }

bool Control::Live() const { return Parent().IsLoaded(); }

// ---- VisualControl ----

VisualControl::VisualControl(ContainerRef container, std::string name, int index)
    : Control(container, std::move(name), index) {}

int VisualControl::ToPixels(int value) const { return ScaleToPixels(value, ParentContainer().ChildScaleMode()); }
int VisualControl::ToScale(int pixels) const { return PixelsToScale(pixels, ParentContainer().ChildScaleMode()); }

int VisualControl::left() const { return ToScale(PixelRect().left); }
int VisualControl::top() const { return ToScale(PixelRect().top); }
int VisualControl::width() const { return ToScale(PixelRect().width()); }
int VisualControl::height() const { return ToScale(PixelRect().height()); }

void VisualControl::setLeft(int value) { Move(value); }
void VisualControl::setTop(int value) { Move(kKeep, value); }
void VisualControl::setWidth(int value) { Move(kKeep, kKeep, value); }
void VisualControl::setHeight(int value) { Move(kKeep, kKeep, kKeep, value); }

void VisualControl::Move(int left, int top, int width, int height) {
    Touch();
    RECT r = PixelRect();
    int x = left == kKeep ? r.left : ToPixels(left);
    int y = top == kKeep ? r.top : ToPixels(top);
    int w = width == kKeep ? r.width() : std::max(0, ToPixels(width));
    int h = height == kKeep ? r.height() : std::max(0, ToPixels(height));
    SetPixelRect(RECT{x, y, x + w, y + h});
}

RECT VisualControl::PixelRect() const { return rect_; }

void VisualControl::SetPixelRect(const RECT& r) {
    if (r == rect_) return;
    RECT old = rect_;
    rect_ = r;
    ApplyRect(old);
}

void VisualControl::ApplyRect(const RECT& oldRect) {
    HWND container = ParentContainer().ContainerWindow();
    if (!container) return;
    RECT both = UnionRects(oldRect, rect_);
    InvalidateRect(container, &both, 1);
}

bool VisualControl::visible() const { return VisibleFlag(); }
bool VisualControl::VisibleFlag() const { return visible_; }

void VisualControl::setVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    ApplyVisible();
}

void VisualControl::ApplyVisible() {
    HWND container = ParentContainer().ContainerWindow();
    if (container) InvalidateRect(container, &rect_, 1);
}

void VisualControl::ZOrder(int position) {
    Touch();
    ApplyZOrder(position);
}

void VisualControl::ApplyZOrder(int position) {
    ParentContainer().MoveChildInZOrder(this, position == 0);
    Invalidate();
}

void VisualControl::Invalidate() {
    HWND container = ParentContainer().ContainerWindow();
    if (container && visible_) InvalidateRect(container, &rect_, 1);
}

void VisualControl::ResetToDesign() {
    rect_ = RECT{0, 0, 100, 30};
    visible_ = true;
}

void VisualControl::CopyDesignFrom(const Control& other) {
    const auto& o = static_cast<const VisualControl&>(other);
    rect_ = o.rect_;
    visible_ = o.visible_;
}

// ---- InteractiveControl ----

InteractiveControl::InteractiveControl(ContainerRef container, std::string name, int index)
    : VisualControl(container, std::move(name), index) {}

void InteractiveControl::setEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    ApplyEnabled();
}

void InteractiveControl::setBackColor(COLORREF value) {
    backColor_ = value;
    AppearanceChanged();
}

void InteractiveControl::setForeColor(COLORREF value) {
    foreColor_ = value;
    AppearanceChanged();
}

void InteractiveControl::setFontName(std::string value) {
    font_.name = std::move(value);
    AppearanceChanged();
}

void InteractiveControl::setFontSize(double value) {
    font_.size = value > 0 ? value : font_.size;
    AppearanceChanged();
}

void InteractiveControl::setFontBold(bool value) {
    font_.bold = value;
    AppearanceChanged();
}

void InteractiveControl::setFontItalic(bool value) {
    font_.italic = value;
    AppearanceChanged();
}

void InteractiveControl::setFontUnderline(bool value) {
    font_.underline = value;
    AppearanceChanged();
}

void InteractiveControl::setFontStrikethru(bool value) {
    font_.strikethru = value;
    AppearanceChanged();
}

void InteractiveControl::AppearanceChanged() { Invalidate(); }

void InteractiveControl::SetDefaultColors(COLORREF back, COLORREF fore) {
    backColor_ = back;
    foreColor_ = fore;
}

int InteractiveControl::MouseScaleMode() const { return ParentContainer().ChildScaleMode(); }
int InteractiveControl::MouseX(POINT px) const { return PixelsToScale(px.x, MouseScaleMode()); }
int InteractiveControl::MouseY(POINT px) const { return PixelsToScale(px.y, MouseScaleMode()); }

void InteractiveControl::HandleMouseDown(int button, int shift, POINT px) {
    if (button == vbLeftButton) clickArmed_ = true;
    if (Live()) MouseDown(button, shift, MouseX(px), MouseY(px));
}

void InteractiveControl::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (Live()) MouseUp(button, shift, MouseX(px), MouseY(px));
    if (button != vbLeftButton || !clickArmed_) return;
    clickArmed_ = false;
    if (inside && Live()) Clicked();
}

void InteractiveControl::HandleMouseMove(int buttons, int shift, POINT px) {
    if (Live()) MouseMove(buttons, shift, MouseX(px), MouseY(px));
}

void InteractiveControl::HandleDoubleClick(int button, int shift, POINT px) {
    (void)shift, (void)px;
    clickArmed_ = false;  // the release of a double-click is no click
    if (button == vbLeftButton && Live()) DblClick();
}

void InteractiveControl::Clicked() { Click(); }

void InteractiveControl::ResetToDesign() {
    VisualControl::ResetToDesign();
    enabled_ = true;
    backColor_ = vbButtonFace;
    foreColor_ = vbButtonText;
    font_ = FontDescription{};
    toolTip_.clear();
    clickArmed_ = false;
}

void InteractiveControl::CopyDesignFrom(const Control& other) {
    VisualControl::CopyDesignFrom(other);
    const auto& o = static_cast<const InteractiveControl&>(other);
    enabled_ = o.enabled_;
    backColor_ = o.backColor_;
    foreColor_ = o.foreColor_;
    font_ = o.font_;
    toolTip_ = o.toolTip_;
}

}  // namespace platform::forms
