#include "platform/forms/option_button.h"

#include <algorithm>

#include "platform/forms/check_box.h"
#include "platform/forms/container.h"
#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

OptionButton::OptionButton(ContainerRef container, std::string name, int index)
    : CaptionedControl(container, std::move(name), index) {
    OptionButton::ResetToDesign();
}

void OptionButton::ResetToDesign() {
    CaptionedControl::ResetToDesign();
    rect_ = RECT{0, 0, 120, 17};
    SetDefaultColors(vbButtonFace, vbButtonText);
    value_ = false;
}

void OptionButton::CopyDesignFrom(const Control& other) {
    CaptionedControl::CopyDesignFrom(other);
    value_ = false;  // a new element never takes the group's selection
    (void)other;
}

void OptionButton::setValue(bool value) {
    if (!value) {
        if (value_) {
            value_ = false;
            Invalidate();
        }
        return;
    }
    for (OptionButton* other : ParentContainer().OptionGroup()) {
        if (other == this || !other->value_) continue;
        other->value_ = false;
        other->Invalidate();
    }
    if (!value_) {
        value_ = true;
        Invalidate();
    }
    if (Live()) Click();
}

void OptionButton::Clicked() { setValue(true); }

void OptionButton::OnKeyReleased(int keyCode, int shift) {
    (void)shift;
    if (keyCode == VK_SPACE) Clicked();
}

void OptionButton::OnKey(int keyCode, int shift) {
    (void)shift;
    int step = (keyCode == VK_DOWN || keyCode == VK_RIGHT) ? 1 : (keyCode == VK_UP || keyCode == VK_LEFT) ? -1 : 0;
    if (step == 0) return;
    // The group in tab order, and the next option in it that can take the focus.
    std::vector<OptionButton*> group = ParentContainer().OptionGroup();
    std::sort(group.begin(), group.end(), [this](OptionButton* a, OptionButton* b) {
        return Parent().TabIndexOf(a) < Parent().TabIndexOf(b);
    });
    auto it = std::find(group.begin(), group.end(), this);
    if (it == group.end()) return;
    int n = static_cast<int>(group.size());
    int i = static_cast<int>(it - group.begin());
    for (int k = 1; k < n; ++k) {
        OptionButton* next = group[static_cast<std::size_t>(((i + step * k) % n + n) % n)];
        if (!next->CanFocusNow(false)) continue;
        next->SetFocus();
        next->Clicked();
        return;
    }
}

void OptionButton::PaintLook(Painter& painter) {
    PaintCheckMarkControl(painter, RECT{0, 0, rect_.width(), rect_.height()}, true, value_ ? 1 : 0, enabled_,
                          hasFocus_, backColor_, foreColor_, font_, caption_);
}

}  // namespace platform::forms
