#include "platform/forms/container.h"

#include <algorithm>

#include "platform/forms/control.h"
#include "platform/forms/detail/host.h"
#include "platform/forms/option_button.h"
#include "platform/forms/painter.h"

namespace platform::forms {

void Container::AddChild(Control* control) { children_.push_back(control); }

void Container::RemoveChild(Control* control) {
    children_.erase(std::remove(children_.begin(), children_.end(), control), children_.end());
    if (pressedWindowless_ == control) pressedWindowless_ = nullptr;
}

void Container::MoveChildInZOrder(Control* control, bool toFront) {
    auto it = std::find(children_.begin(), children_.end(), control);
    if (it == children_.end()) return;
    children_.erase(it);
    if (toFront)
        children_.push_back(control);
    else
        children_.insert(children_.begin(), control);
}

InteractiveControl* Container::WindowlessAt(POINT clientPx) const {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = *it;
        if (!c->IsWindowless() || !c->IsVisual()) continue;
        auto* interactive = dynamic_cast<InteractiveControl*>(c);
        if (!interactive || !interactive->VisibleFlag() || !interactive->EnabledFlag()) continue;
        if (interactive->PixelRect().contains(clientPx)) return interactive;
    }
    return nullptr;
}

void Container::PaintWindowless(Painter& painter) const {
    for (Control* c : children_) {
        if (!c->IsWindowless() || !c->IsVisual()) continue;
        auto* visual = static_cast<VisualControl*>(c);
        if (!visual->VisibleFlag()) continue;
        RECT r = visual->PixelRect();
        Painter::Scope scope(painter, r);
        visual->PaintLook(painter);
    }
}

std::vector<OptionButton*> Container::OptionGroup() const {
    std::vector<OptionButton*> group;
    for (Control* c : children_)
        if (auto* option = dynamic_cast<OptionButton*>(c)) group.push_back(option);
    return group;
}

bool Container::RouteMouseToWindowless(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p = detail::MousePoint(lParam);
    int shift = detail::MouseShift(wParam);
    auto local = [](InteractiveControl* c, POINT at) {
        RECT r = c->PixelRect();
        return POINT{at.x - r.left, at.y - r.top};
    };
    switch (msg) {
        case WM_MOUSEMOVE: {
            InteractiveControl* target = pressedWindowless_ ? pressedWindowless_ : WindowlessAt(p);
            if (!target) return false;
            Control::BusyScope busy(*target);
            target->HandleMouseMove(detail::ButtonsHeld(wParam), shift, local(target, p));
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            InteractiveControl* target = pressedWindowless_ ? pressedWindowless_ : WindowlessAt(p);
            if (!target) return false;
            pressedWindowless_ = target;
            SetCapture(ContainerWindow());
            Control::BusyScope busy(*target);
            int button = detail::MouseButtonOf(msg);
            if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
                target->HandleDoubleClick(button, shift, local(target, p));
            else
                target->HandleMouseDown(button, shift, local(target, p));
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            InteractiveControl* target = pressedWindowless_;
            if (!target) return false;
            bool inside = target->VisibleFlag() && target->PixelRect().contains(p);
            if (detail::ButtonsHeld(wParam) == 0) {
                pressedWindowless_ = nullptr;
                if (GetCapture() == ContainerWindow()) ReleaseCapture();
            }
            Control::BusyScope busy(*target);
            target->HandleMouseUp(detail::MouseButtonOf(msg), shift, local(target, p), inside);
            return true;
        }
        default: return false;
    }
}

}  // namespace platform::forms
