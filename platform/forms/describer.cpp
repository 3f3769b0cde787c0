#include "platform/forms/detail/describer.h"

#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/windowed_control.h"
#include "platform/present/window_dump.h"

namespace platform::forms::detail {

namespace {

std::string NameOf(HWND hwnd) {
    for (Form* form : Forms()) {
        if (form->Window() == hwnd) return form->Name();
        for (Control* c : form->Controls())
            if (auto* w = dynamic_cast<WindowedControl*>(c); w && w->Window() == hwnd) return w->DisplayName();
    }
    return {};
}

const Container* ContainerOf(HWND hwnd) {
    for (Form* form : Forms()) {
        if (form->Window() == hwnd) return form;
        for (Control* c : form->Controls())
            if (auto* container = dynamic_cast<Container*>(c); container && container->ContainerWindow() == hwnd)
                return container;
    }
    return nullptr;
}

std::vector<WindowlessEntry> WindowlessOf(HWND hwnd) {
    std::vector<WindowlessEntry> out;
    const Container* container = ContainerOf(hwnd);
    if (!container) return out;
    RECT client = ClientRectOnScreen(hwnd);
    for (Control* c : container->Children()) {
        auto* visual = dynamic_cast<VisualControl*>(c);
        if (!visual || (!dynamic_cast<Label*>(c) && !dynamic_cast<Line*>(c))) continue;
        WindowlessEntry e;
        auto* label = dynamic_cast<Label*>(c);
        e.className = label ? "Label" : "Line";
        e.name = c->DisplayName();
        e.text = label ? label->CaptionText() : std::string();
        e.rect = OffsetRectBy(visual->PixelRect(), client.left, client.top);
        e.visible = visual->VisibleFlag();
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace

void RegisterWindowDescriber() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WindowDescriber describer;
    describer.name = NameOf;
    describer.windowless = WindowlessOf;
    SetWindowDescriber(std::move(describer));
}

}  // namespace platform::forms::detail
