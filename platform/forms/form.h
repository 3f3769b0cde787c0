// A form: one window of the program with its controls, written the classic way.
//
//   class frmZInput : public Form {
//   public:
//       frmZInput() : Form("frmZInput") { OZR_HANDLE(cmdOk, Click); }
//       Label lblText{this, "lblText"};
//       TextBox txtInput{this, "txtInput"};
//       CommandButton cmdOk{this, "cmdOk"};
//   protected:
//       void Design() override { Width = 4800; cmdOk.Default = true; ... }   // the design values
//       void Form_Load() override { ... }
//   private:
//       void cmdOk_Click() { ... Unload(); }
//   };
//
// The form object lives for the whole run and keeps its fields. Load creates its window and its
// controls' windows from the design values (Design runs on every load) and then runs Form_Load;
// Unload runs Form_Unload (which may cancel) and destroys them. Referring to a property of the form
// or of one of its controls loads it, as the first reference to a form does. Positions of the form
// are twips on the screen (or in the parent's client area when the window was made a child); the
// positions of its controls are in its ScaleMode.
#pragma once

#include <string>
#include <vector>

#include "platform/forms/client_dc.h"
#include "platform/forms/container.h"
#include "platform/forms/control.h"
#include "platform/forms/detail/host.h"

namespace platform::forms {

class CommandButton;
class CaptionedControl;
class ControlArrayBase;
class Menu;
class Timer;
class WindowedControl;

class Form : public Container, protected detail::WindowHost {
    std::string caption() const;
    void setCaption(std::string value);
    int left() const;
    void setLeft(int value);
    int top() const;
    void setTop(int value);
    int width() const;
    void setWidth(int value);
    int height() const;
    void setHeight(int value);
    int scaleWidth() const;
    int scaleHeight() const;
    int scaleMode() const { return scaleMode_; }
    void setScaleMode(int value);
    COLORREF backColor() const { return backColor_; }
    void setBackColor(COLORREF value);
    COLORREF foreColor() const { return foreColor_; }
    void setForeColor(COLORREF value);
    bool visible() const;
    void setVisible(bool value);
    bool enabled() const;
    void setEnabled(bool value);
    int windowState() const;
    void setWindowState(int value);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int value);
    bool controlBox() const { return controlBox_; }
    void setControlBox(bool value);
    bool showInTaskbar() const { return showInTaskbar_; }
    void setShowInTaskbar(bool value);
    int startUpPosition() const { return startUpPosition_; }
    void setStartUpPosition(int value);
    HWND hwnd() const { return hwnd_; }
    HDC hdc() const;
    WindowedControl* activeControl() const;

public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    void Touch() const;
    bool IsLoaded() const { return state_ == State::Loaded || state_ == State::Unloading; }

    void Load();
    // Runs Form_Unload; false when it cancelled. Unloading a form that is not loaded does nothing.
    bool Unload();
    // Modeless returns at once; vbModal returns when the form is unloaded or hidden. Other forms take
    // no input meanwhile, and their timers keep running.
    void Show(int modal = vbModeless, Form* owner = nullptr);
    void Hide();
    void Move(int left, int top = kKeep, int width = kKeep, int height = kKeep);
    void Refresh();
    bool SetFocus();
    // 0 brings the form in front of the other windows, 1 sends it behind them.
    void ZOrder(int position = 0);
    // Shows a menu of this or another form as a popup at the cursor (or at X, Y in this form's
    // scale) and returns when it closed; the chosen item's Click runs before it returns.
    void PopupMenu(Menu& menu, int flags = 0, int x = kKeep, int y = kKeep);

    Prop<&Form::caption, &Form::setCaption> Caption{this};
    Prop<&Form::left, &Form::setLeft> Left{this};
    Prop<&Form::top, &Form::setTop> Top{this};
    Prop<&Form::width, &Form::setWidth> Width{this};
    Prop<&Form::height, &Form::setHeight> Height{this};
    Prop<&Form::scaleWidth> ScaleWidth{this};
    Prop<&Form::scaleHeight> ScaleHeight{this};
    Prop<&Form::scaleMode, &Form::setScaleMode> ScaleMode{this};
    Prop<&Form::backColor, &Form::setBackColor> BackColor{this};
    Prop<&Form::foreColor, &Form::setForeColor> ForeColor{this};
    Prop<&Form::visible, &Form::setVisible> Visible{this};
    Prop<&Form::enabled, &Form::setEnabled> Enabled{this};
    Prop<&Form::windowState, &Form::setWindowState> WindowState{this};
    // Design-time properties: set them in Design(); setting them on a loaded form raises an error.
    Prop<&Form::borderStyle, &Form::setBorderStyle> BorderStyle{this};
    Prop<&Form::controlBox, &Form::setControlBox> ControlBox{this};
    Prop<&Form::showInTaskbar, &Form::setShowInTaskbar> ShowInTaskbar{this};
    Prop<&Form::startUpPosition, &Form::setStartUpPosition> StartUpPosition{this};
    Prop<&Form::hwnd> hWnd{this};
    // The device context of the client area; during Form_Paint the one being painted.
    Prop<&Form::hdc> hDC{this};
    Prop<&Form::activeControl> ActiveControl{this};

    // Container.
    Form& OwningForm() override { return *this; }
    HWND ContainerWindow() const override { return hwnd_; }
    int ChildScaleMode() const override { return scaleMode_; }

    // Toolkit side.
    HWND Window() const { return hwnd_; }
    bool IsLoading() const { return state_ == State::Loading; }
    void RegisterControl(Control* control);
    void UnregisterControl(Control* control);
    void RegisterArray(ControlArrayBase* array);
    void UnregisterArray(ControlArrayBase* array);
    const std::vector<Control*>& Controls() const { return controls_; }
    // The tab order: the form's windowed controls by TabIndex.
    const std::vector<WindowedControl*>& TabOrder() const { return tabOrder_; }
    int TabIndexOf(const WindowedControl* control) const;
    void SetTabIndexOf(WindowedControl* control, int index);
    void AddToTabOrder(WindowedControl* control);
    void RemoveFromTabOrder(WindowedControl* control);
    // Alt+F4 on the form or one of its controls: the window closes when it has a control box; a form
    // inside another window hands the key on to that window.
    void SystemClose();
    void SetDefaultButton(CommandButton* button, bool isDefault);
    void SetCancelButton(CommandButton* button, bool isCancel);
    bool DefaultButtonIs(const CommandButton* button) const { return button && defaultButton_ == button; }
    bool CancelButtonIs(const CommandButton* button) const { return button && cancelButton_ == button; }
    WindowedControl* ActiveControlNoLoad() const { return lastFocus_; }
    // Tab, Enter, Esc and Alt with an access key from a control: true when the form took the key.
    // A key presses a button once per press: a repeat of it is taken and presses nothing; Tab
    // moves on with every repeat.
    bool HandleNavigationKey(WindowedControl* from, int keyCode, int shift, bool repeat);
    void ControlFocusChanged(WindowedControl* control, bool focused);
    // The first control in tab order that may take the focus after `from` (nullptr: from the start).
    WindowedControl* NextTabStop(WindowedControl* from, bool backwards) const;
    UINT_PTR NewTimerId() { return nextTimerId_++; }
    void TimerTick(UINT_PTR id);
    void RegisterTimer(Timer* timer);
    void UnregisterTimer(Timer* timer);
    int ModalDepth() const { return modalDepth_; }

protected:
    // The design values of the form and its controls; runs on every load before any window exists.
    virtual void Design() {}
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Activate() {}
    virtual void Form_GotFocus() {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyUp(int& KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_MouseDown(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseMove(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_MouseUp(int Button, int Shift, int X, int Y) { (void)Button, (void)Shift, (void)X, (void)Y; }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_Paint() {}

    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

private:
    enum class State { Unloaded, Loading, Loaded, Unloading };

    void ResetDesign();
    void CreateFormWindow();
    DWORD FormStyle() const;
    DWORD FormExStyle() const;
    void ApplyStartUpPosition();
    void MakeActiveForm();
    void FocusFirstControl();
    void RestoreFocus();
    void FinishUnload();
    void SetRectPx(const RECT& r);
    RECT RectPx() const;
    void RequireDesignTime(const char* property) const;
    CommandButton* KeyboardButton(WindowedControl* from, int keyCode) const;
    CaptionedControl* AccessKeyControl(int keyCode) const;
    LRESULT OnMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnKey(UINT msg, WPARAM wParam);
    void PaintForm();

    std::string name_;
    State state_ = State::Unloaded;
    HWND hwnd_;
    std::vector<Control*> controls_;  // construction order
    std::vector<ControlArrayBase*> arrays_;
    std::vector<Timer*> timers_;
    std::vector<WindowedControl*> tabOrder_;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    WindowedControl* lastFocus_ = nullptr;
    Form* owner_ = nullptr;
    UINT_PTR nextTimerId_ = 1;
    int modalDepth_ = 0;
    bool shownSinceLoad_ = false;

    // Design values (reset on every load).
    std::string caption_;
    RECT rect_{0, 0, 320, 240};  // pixels: the screen, or the parent's client area
    int scaleMode_ = vbTwips;
    COLORREF backColor_ = vbButtonFace;
    COLORREF foreColor_ = vbButtonText;
    int borderStyle_ = vbSizable;
    bool controlBox_ = true;
    bool showInTaskbar_ = true;
    int startUpPosition_ = vbStartUpManual;
    int windowState_ = vbNormal;
    bool visible_ = false;
    bool enabled_ = true;

    bool formPressed_ = false;  // a left press on the form itself may end in Form_Click
    mutable detail::ClientDc dc_;
};

// The loaded forms, in the order they were loaded.
std::vector<Form*> Forms();
// The form that was shown or activated last and is still loaded; nullptr when none.
Form* ActiveForm();

}  // namespace platform::forms
