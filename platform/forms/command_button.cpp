#include "platform/forms/command_button.h"

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

CommandButton::CommandButton(ContainerRef container, std::string name, int index)
    : CaptionedControl(container, std::move(name), index) {
    CommandButton::ResetToDesign();
}

CommandButton::~CommandButton() {
    Parent().SetDefaultButton(this, false);
    Parent().SetCancelButton(this, false);
}

void CommandButton::ResetToDesign() {
    CaptionedControl::ResetToDesign();
    rect_ = RECT{0, 0, 73, 25};
    SetDefaultColors(vbButtonFace, vbButtonText);
    pressedLook_ = false;
    spaceDown_ = false;
}

bool CommandButton::isDefault() const { return Parent().DefaultButtonIs(this); }
void CommandButton::setDefault(bool value) { Parent().SetDefaultButton(this, value); }
bool CommandButton::isCancel() const { return Parent().CancelButtonIs(this); }
void CommandButton::setCancel(bool value) { Parent().SetCancelButton(this, value); }

bool CommandButton::CanBePressed() const { return hwnd_ && IsWindowVisible(hwnd_) && detail::InputAllowed(hwnd_); }

void CommandButton::PressFromKeyboard() {
    if (Live()) Click();
}

void CommandButton::SetPressedLook(bool pressed) {
    if (pressed == pressedLook_) return;
    pressedLook_ = pressed;
    Invalidate();
}

void CommandButton::HandleMouseDown(int button, int shift, POINT px) {
    CaptionedControl::HandleMouseDown(button, shift, px);
    if (button == vbLeftButton && hwnd_) SetPressedLook(true);
}

void CommandButton::HandleMouseMove(int buttons, int shift, POINT px) {
    if (clickArmed_ && hwnd_) {
        RECT client;
        GetClientRect(hwnd_, &client);
        SetPressedLook(client.contains(px));
    }
    CaptionedControl::HandleMouseMove(buttons, shift, px);
}

void CommandButton::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) SetPressedLook(false);
    CaptionedControl::HandleMouseUp(button, shift, px, inside);
}

void CommandButton::OnKey(int keyCode, int shift) {
    (void)shift;
    if (keyCode == VK_SPACE) {
        spaceDown_ = true;
        SetPressedLook(true);
    }
}

void CommandButton::OnKeyReleased(int keyCode, int shift) {
    (void)shift;
    if (keyCode != VK_SPACE || !spaceDown_) return;
    spaceDown_ = false;
    SetPressedLook(false);
    if (Live()) Click();
}

void CommandButton::OnFocusChanged() {
    spaceDown_ = false;
    pressedLook_ = false;
    // The default button's heavier frame moves to a focused button and back.
    for (WindowedControl* c : Parent().TabOrder())
        if (dynamic_cast<CommandButton*>(c)) c->Invalidate();
}

void CommandButton::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, backColor_);
    // The button that Enter would press wears a heavier frame.
    WindowedControl* focus = Parent().ActiveControlNoLoad();
    bool focusOnButton = focus && focus->HasFocus() && dynamic_cast<CommandButton*>(focus);
    bool enterTarget = hasFocus_ || (!focusOnButton && isDefault());
    painter.FrameRect(r, enterTarget ? vbWindowFrame : vbButtonShadow);
    if (enterTarget) painter.FrameRect(RECT{1, 1, r.right - 1, r.bottom - 1}, vbWindowFrame);
    RECT text{4, 2, r.right - 4, r.bottom - 2};
    if (pressedLook_) text = OffsetRectBy(text, 1, 1);
    painter.Text(text, caption_, font_, enabled_ ? vbButtonText : vbGrayText, kTextCenter | kTextVCenter | kTextMnemonic);
    if (hasFocus_) painter.FocusRect(RECT{3, 3, r.right - 3, r.bottom - 3}, vbWindowText);
}

}  // namespace platform::forms
