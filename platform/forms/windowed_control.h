// Controls that are real child windows of their container: they have an hWnd that the clock's code
// can subclass and send messages to, take the keyboard focus, and sit in the form's tab order.
// Their behaviour runs from the messages their window receives, so a subclassed control still
// behaves when the subclass passes the messages on.
#pragma once

#include "platform/forms/control.h"
#include "platform/forms/detail/host.h"

namespace platform::forms {

class WindowedControl : public InteractiveControl, protected detail::WindowHost {
    HWND hwnd() const { return hwnd_; }
    int tabIndex() const;
    void setTabIndex(int value);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool value) { tabStop_ = value; }

public:
    WindowedControl(ContainerRef container, std::string name, int index);
    ~WindowedControl() override;

    Prop<&WindowedControl::hwnd> hWnd{this};
    Prop<&WindowedControl::tabIndex, &WindowedControl::setTabIndex> TabIndex{this};
    Prop<&WindowedControl::tabStop, &WindowedControl::setTabStop> TabStop{this};

    // Moves the keyboard focus here; false when the control cannot take it (hidden or disabled).
    bool SetFocus();
    void Refresh();

    Event<> GotFocus;
    Event<> LostFocus;
    Event<int&, int> KeyDown;  // KeyCode (set it to 0 to stop the control's own handling), Shift
    Event<int&, int> KeyUp;

    // Toolkit side.
    void Invalidate() override;
    HWND Window() const { return hwnd_; }
    bool HasFocus() const { return hasFocus_; }
    // Kinds that never take the focus (frames) say so here.
    virtual bool TakesFocus() const { return true; }
    // Whether the control may take the focus now: shown, enabled, with every container.
    bool CanFocusNow(bool byTab) const;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;

protected:
    void CreateWindows() override;
    void WindowsDestroyed() override;
    bool IsWindowless() const override { return false; }
    void ApplyRect(const RECT& oldRect) override;
    void ApplyVisible() override;
    void ApplyZOrder(int position) override;
    void ApplyEnabled() override;

    virtual const char* ClassName() const = 0;
    virtual UINT ClassStyle() const { return CS_DBLCLKS; }
    virtual DWORD ExtraStyle() const { return 0; }
    virtual std::string WindowText() const { return {}; }

    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;
    // What a kind does with a message the shared handling does not take; DefWindowProc by default.
    virtual LRESULT OnKindMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The kind's own handling of a key after the KeyDown event left it (KeyCode not 0).
    virtual void OnKey(int keyCode, int shift) { (void)keyCode, (void)shift; }
    virtual void OnKeyReleased(int keyCode, int shift) { (void)keyCode, (void)shift; }
    virtual void OnChar(unsigned codepoint) { (void)codepoint; }
    // Keys the kind keeps for itself instead of the form's navigation (Tab, Enter, Esc).
    virtual bool WantsKey(int keyCode, int shift) const {
        (void)keyCode, (void)shift;
        return false;
    }
    // A kind that lists, types or counts takes a held key's repeats; one that acts on a key (a
    // button) acts once per press and sees no repeat.
    virtual bool TakesKeyRepeats() const { return true; }
    virtual void OnFocusChanged() { Invalidate(); }
    virtual void OnTimerTick(UINT_PTR id) { (void)id; }
    // Containers hand mouse messages to their windowless children first; true when one took it.
    virtual bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
        (void)msg, (void)wParam, (void)lParam;
        return false;
    }
    // Paints the whole control into its own window.
    virtual void PaintWindow(Painter& painter) { PaintLook(painter); }

    HWND hwnd_;
    bool tabStop_ = true;
    bool hasFocus_ = false;
    bool captured_ = false;
};

}  // namespace platform::forms
