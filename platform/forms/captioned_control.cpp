#include "platform/forms/captioned_control.h"

#include <algorithm>
#include <cstring>

namespace platform::forms {

LRESULT AnswerTextMessage(const std::string& text, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    char* buffer = reinterpret_cast<char*>(lParam);
    int size = static_cast<int>(wParam);
    if (!buffer || size <= 0) return 0;
    int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

CaptionedControl::CaptionedControl(ContainerRef container, std::string name, int index)
    : WindowedControl(container, std::move(name), index) {
    caption_ = Name();
}

void CaptionedControl::ResetToDesign() {
    WindowedControl::ResetToDesign();
    caption_ = Name();
}

void CaptionedControl::CopyDesignFrom(const Control& other) {
    WindowedControl::CopyDesignFrom(other);
    caption_ = static_cast<const CaptionedControl&>(other).caption_;
}

void CaptionedControl::setCaption(std::string value) {
    if (hwnd_) {
        SetWindowText(hwnd_, value.c_str());
        return;
    }
    caption_ = std::move(value);
    AppearanceChanged();
}

void CaptionedControl::PressAccessKey() {
    if (!SetFocus() || !Live()) return;
    Clicked();
}

LRESULT CaptionedControl::OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETTEXT:
            caption_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
            AppearanceChanged();
            return 1;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: return AnswerTextMessage(caption_, msg, wParam, lParam);
        default: return WindowedControl::OnKindMessage(msg, wParam, lParam);
    }
}

}  // namespace platform::forms
