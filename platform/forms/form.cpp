#include "platform/forms/form.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/draw/dc.h"
#include "platform/forms/captioned_control.h"
#include "platform/forms/command_button.h"
#include "platform/forms/control_array.h"
#include "platform/forms/detail/describer.h"
#include "platform/forms/option_button.h"
#include "platform/forms/painter.h"
#include "platform/forms/timer.h"
#include "platform/forms/windowed_control.h"
#include "platform/window/loop.h"
#include "platform/window/modal.h"
#include "platform/window/monitors.h"
#include "platform/window/screen.h"
#include "platform/window/detail/window_store.h"

namespace platform::forms {

namespace {

struct FormRegistry {
    std::vector<Form*> all;
    std::vector<Form*> loaded;  // load order
    Form* active = nullptr;
};

FormRegistry& R() {
    static FormRegistry registry;
    return registry;
}

bool IsChildWindow(HWND hwnd) { return hwnd && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

bool FocusInside(HWND hwnd) {
    HWND focus = GetFocus();
    return focus && (focus == hwnd || IsChild(hwnd, focus));
}

}  // namespace

std::vector<Form*> Forms() { return R().loaded; }

Form* ActiveForm() { return R().active; }

Form::Form(std::string name) : name_(std::move(name)) {
    detail::RegisterWindowDescriber();
    R().all.push_back(this);
    caption_ = name_;
}

Form::~Form() {
    if (hwnd_) {
        HWND h = hwnd_;
        hwnd_ = HWND{};
        detail::DestroyHostWindow(h);
    }
    auto& r = R();
    r.all.erase(std::remove(r.all.begin(), r.all.end(), this), r.all.end());
    r.loaded.erase(std::remove(r.loaded.begin(), r.loaded.end(), this), r.loaded.end());
    if (r.active == this) r.active = nullptr;
}

void Form::Touch() const {
    if (state_ == State::Unloaded) const_cast<Form*>(this)->Load();
}

// ---- Load and unload ----

void Form::ResetDesign() {
    caption_ = name_;
    rect_ = RECT{0, 0, 320, 240};
    scaleMode_ = vbTwips;
    backColor_ = vbButtonFace;
    foreColor_ = vbButtonText;
    borderStyle_ = vbSizable;
    controlBox_ = true;
    showInTaskbar_ = true;
    startUpPosition_ = vbStartUpManual;
    windowState_ = vbNormal;
    visible_ = false;
    enabled_ = true;
    defaultButton_ = nullptr;
    cancelButton_ = nullptr;
    lastFocus_ = nullptr;
    formPressed_ = false;
    shownSinceLoad_ = false;
    // Run-time elements of control arrays go; the design elements come back from Design().
    std::vector<ControlArrayBase*> arrays = arrays_;
    for (ControlArrayBase* a : arrays) a->RemoveAllElements();
    for (Control* c : controls_) c->ResetToDesign();
    tabOrder_.clear();
    for (Control* c : controls_)
        if (auto* w = dynamic_cast<WindowedControl*>(c)) tabOrder_.push_back(w);
}

void Form::Load() {
    if (state_ != State::Unloaded) return;
    state_ = State::Loading;
    try {
        ResetDesign();
        Design();
        CreateFormWindow();
        std::vector<Control*> controls = controls_;
        for (Control* c : controls) c->CreateWindows();
    } catch (...) {
        if (hwnd_) {
            HWND h = hwnd_;
            hwnd_ = HWND{};
            detail::DestroyHostWindow(h);
        }
        for (Control* c : controls_) c->WindowsDestroyed();
        state_ = State::Unloaded;
        throw;
    }
    state_ = State::Loaded;
    R().loaded.push_back(this);
    Form_Load();
}

bool Form::Unload() {
    if (state_ != State::Loaded) return state_ != State::Loading;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) return false;
    if (state_ != State::Loaded) return true;  // the handler unloaded the form itself
    state_ = State::Unloading;
    if (hwnd_) DestroyWindow(hwnd_);
    FinishUnload();
    return true;
}

void Form::FinishUnload() {
    if (hwnd_) {
        HWND h = hwnd_;
        hwnd_ = HWND{};
        detail::DestroyHostWindow(h);
    }
    for (Control* c : controls_) c->WindowsDestroyed();
    dc_.Release(HWND{});
    state_ = State::Unloaded;
    auto& r = R();
    r.loaded.erase(std::remove(r.loaded.begin(), r.loaded.end(), this), r.loaded.end());
    if (r.active == this) r.active = nullptr;
    lastFocus_ = nullptr;
}

void Form::OnWindowGone() {
    hwnd_ = HWND{};
    if (state_ == State::Loaded || state_ == State::Unloading) FinishUnload();
}

DWORD Form::FormStyle() const {
    DWORD sysmenu = controlBox_ ? WS_SYSMENU : 0;
    switch (borderStyle_) {
        case vbBSNone: return WS_POPUP | WS_CLIPCHILDREN;
        case vbFixedSingle: return WS_CAPTION | WS_CLIPCHILDREN | sysmenu | (controlBox_ ? WS_MINIMIZEBOX : 0);
        case vbFixedDialog: return WS_CAPTION | WS_CLIPCHILDREN | sysmenu;
        default:
            return WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | sysmenu |
                   (controlBox_ ? WS_MINIMIZEBOX | WS_MAXIMIZEBOX : 0);
    }
}

DWORD Form::FormExStyle() const {
    DWORD ex = showInTaskbar_ ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (borderStyle_ == vbFixedDialog) ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

void Form::CreateFormWindow() {
    HWND owner = owner_ && owner_->hwnd_ ? owner_->hwnd_ : HWND{};
    hwnd_ = detail::CreateHostWindow(this, "OzrForm", CS_DBLCLKS, FormExStyle(), caption_,
                                     FormStyle() | (enabled_ ? 0 : WS_DISABLED), rect_, owner, 0);
    if (!hwnd_) throw Error("The window of form " + name_ + " could not be created");
    if (!showInTaskbar_) platform::detail::Find(hwnd_)->hiddenOwner = true;
}

void Form::RequireDesignTime(const char* property) const {
    if (state_ != State::Loading)
        throw Error(std::string("The property ") + property + " of form " + name_ + " can be set only at design time");
}

// ---- Showing ----

void Form::Show(int modal, Form* owner) {
    if (owner && owner != this) owner_ = owner;  // before a first load, so that the window is owned
    Touch();
    if (!IsLoaded()) return;
    bool child = IsChildWindow(hwnd_);
    // A form loaded before it is shown with an owner gets that owner now.
    if (owner && owner != this && !child && owner->hwnd_)
        SetWindowLongPtr(hwnd_, GWL_HWNDPARENT, static_cast<LONG_PTR>(owner->hwnd_.id()));
    // Other windows take no input while this one is modal (their timers keep running); the wait
    // begins before the form shows, so that it shows as a modal window from the start.
    std::optional<ModalWait> wait;
    if (modal == vbModal) wait.emplace(owner_ && owner_->hwnd_ ? owner_->hwnd_ : HWND{}, true, hwnd_);
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        if (!child) ApplyStartUpPosition();
    }
    if (!child) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    int command = windowState_ == vbMinimized ? SW_SHOWMINIMIZED : child ? SW_SHOWNA : SW_SHOW;
    ShowWindow(hwnd_, command);
    if (!IsLoaded()) return;
    MakeActiveForm();
    if (!IsLoaded()) return;
    if (!child && !FocusInside(hwnd_)) FocusFirstControl();
    if (modal != vbModal) return;

    ++modalDepth_;
    RunModalLoop([this] { return !IsLoaded() || !(GetWindowLong(hwnd_, GWL_STYLE) & WS_VISIBLE); });
    --modalDepth_;
}

void Form::Hide() {
    Touch();
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::ApplyStartUpPosition() {
    RECT r = RectPx();
    const HWND owner = owner_ ? owner_->hwnd_ : HWND{};
    RECT area;
    if (startUpPosition_ == vbStartUpOwner && owner)
        GetWindowRect(owner, &area);
    else if (startUpPosition_ == vbStartUpScreen || startUpPosition_ == vbStartUpOwner)
        area = CentringArea(owner);
    else
        return;
    int x = area.left + (area.width() - r.width()) / 2;
    int y = area.top + (area.height() - r.height()) / 2;
    SetRectPx(RECT{x, y, x + r.width(), y + r.height()});
}

void Form::MakeActiveForm() {
    if (R().active == this || !IsLoaded()) return;
    R().active = this;
    Form_Activate();
}

void Form::FocusFirstControl() {
    if (lastFocus_ && lastFocus_->CanFocusNow(false)) {
        lastFocus_->SetFocus();
        return;
    }
    if (WindowedControl* first = NextTabStop(nullptr, false)) {
        first->SetFocus();
        return;
    }
    if (hwnd_) platform::SetFocus(hwnd_);
}

void Form::RestoreFocus() {
    if (!hwnd_ || GetActiveWindow() != GetTopLevel(hwnd_) || FocusInside(GetTopLevel(hwnd_))) return;
    FocusFirstControl();
}

bool Form::SetFocus() {
    Touch();
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !detail::InputAllowed(hwnd_)) return false;
    FocusFirstControl();
    return FocusInside(hwnd_);
}

void Form::Refresh() {
    Touch();
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, 1);
    UpdateWindow(hwnd_);
}

void Form::ZOrder(int position) {
    Touch();
    if (hwnd_) SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- Properties ----

RECT Form::RectPx() const {
    if (!hwnd_) return rect_;
    RECT screen;
    GetWindowRect(hwnd_, &screen);
    if (!IsChildWindow(hwnd_)) return screen;
    POINT origin{screen.left, screen.top};
    ScreenToClient(GetParent(hwnd_), &origin);
    return RECT{origin.x, origin.y, origin.x + screen.width(), origin.y + screen.height()};
}

void Form::SetRectPx(const RECT& r) {
    rect_ = r;
    if (hwnd_) MoveWindow(hwnd_, r.left, r.top, r.width(), r.height(), 1);
}

void Form::Move(int left, int top, int width, int height) {
    Touch();
    RECT r = RectPx();
    int x = left == kKeep ? r.left : TwipsToPixels(left);
    int y = top == kKeep ? r.top : TwipsToPixels(top);
    int w = width == kKeep ? r.width() : std::max(0, TwipsToPixels(width));
    int h = height == kKeep ? r.height() : std::max(0, TwipsToPixels(height));
    SetRectPx(RECT{x, y, x + w, y + h});
}

int Form::left() const { return PixelsToTwips(RectPx().left); }
int Form::top() const { return PixelsToTwips(RectPx().top); }
int Form::width() const { return PixelsToTwips(RectPx().width()); }
int Form::height() const { return PixelsToTwips(RectPx().height()); }
void Form::setLeft(int value) { Move(value); }
void Form::setTop(int value) { Move(kKeep, value); }
void Form::setWidth(int value) { Move(kKeep, kKeep, value); }
void Form::setHeight(int value) { Move(kKeep, kKeep, kKeep, value); }

int Form::scaleWidth() const {
    RECT c{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &c);
    return PixelsToScale(c.width(), scaleMode_);
}

int Form::scaleHeight() const {
    RECT c{0, 0, rect_.width(), rect_.height()};
    if (hwnd_) GetClientRect(hwnd_, &c);
    return PixelsToScale(c.height(), scaleMode_);
}

void Form::setScaleMode(int value) { scaleMode_ = value == vbPixels ? vbPixels : vbTwips; }

std::string Form::caption() const { return hwnd_ ? GetWindowTextString(hwnd_) : caption_; }

void Form::setCaption(std::string value) {
    caption_ = std::move(value);
    if (hwnd_) SetWindowText(hwnd_, caption_.c_str());
}

void Form::setBackColor(COLORREF value) {
    backColor_ = value;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, 1);
}

void Form::setForeColor(COLORREF value) {
    foreColor_ = value;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, 1);
}

bool Form::visible() const { return hwnd_ && (GetWindowLong(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Form::setVisible(bool value) {
    if (value)
        Show();
    else
        Hide();
}

bool Form::enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != 0 : enabled_; }

void Form::setEnabled(bool value) {
    enabled_ = value;
    if (hwnd_) EnableWindow(hwnd_, value ? 1 : 0);
}

int Form::windowState() const {
    if (hwnd_ && IsIconic(hwnd_)) return vbMinimized;
    return windowState_ == vbMinimized && hwnd_ && visible() ? vbNormal : windowState_;
}

void Form::setWindowState(int value) {
    windowState_ = value;
    if (!hwnd_ || !visible()) return;
    ShowWindow(hwnd_, value == vbMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void Form::setBorderStyle(int value) {
    RequireDesignTime("BorderStyle");
    borderStyle_ = value;
}

void Form::setControlBox(bool value) {
    RequireDesignTime("ControlBox");
    controlBox_ = value;
}

void Form::setShowInTaskbar(bool value) {
    RequireDesignTime("ShowInTaskbar");
    showInTaskbar_ = value;
}

void Form::setStartUpPosition(int value) {
    RequireDesignTime("StartUpPosition");
    startUpPosition_ = value;
}

WindowedControl* Form::activeControl() const { return lastFocus_; }

HDC Form::hdc() const { return dc_.Get(hwnd_); }

// ---- Controls, tab order, default and cancel buttons ----

void Form::RegisterControl(Control* control) { controls_.push_back(control); }

void Form::UnregisterControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::RegisterArray(ControlArrayBase* array) { arrays_.push_back(array); }

void Form::UnregisterArray(ControlArrayBase* array) {
    arrays_.erase(std::remove(arrays_.begin(), arrays_.end(), array), arrays_.end());
}

void Form::RegisterTimer(Timer* timer) { timers_.push_back(timer); }

void Form::UnregisterTimer(Timer* timer) { timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end()); }

void Form::TimerTick(UINT_PTR id) {
    for (Timer* t : timers_)
        if (t->TimerId() == id) {
            t->Fire();
            return;
        }
}

void Form::AddToTabOrder(WindowedControl* control) { tabOrder_.push_back(control); }

void Form::RemoveFromTabOrder(WindowedControl* control) {
    tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
    if (lastFocus_ == control) lastFocus_ = nullptr;
    if (defaultButton_ && static_cast<WindowedControl*>(defaultButton_) == control) defaultButton_ = nullptr;
    if (cancelButton_ && static_cast<WindowedControl*>(cancelButton_) == control) cancelButton_ = nullptr;
}

int Form::TabIndexOf(const WindowedControl* control) const {
    auto it = std::find(tabOrder_.begin(), tabOrder_.end(), control);
    return it == tabOrder_.end() ? 0 : static_cast<int>(it - tabOrder_.begin());
}

void Form::SetTabIndexOf(WindowedControl* control, int index) {
    auto it = std::find(tabOrder_.begin(), tabOrder_.end(), control);
    if (it == tabOrder_.end()) return;
    tabOrder_.erase(it);
    index = std::clamp(index, 0, static_cast<int>(tabOrder_.size()));
    tabOrder_.insert(tabOrder_.begin() + index, control);
}

WindowedControl* Form::NextTabStop(WindowedControl* from, bool backwards) const {
    int n = static_cast<int>(tabOrder_.size());
    if (n == 0) return nullptr;
    int start = from ? TabIndexOf(from) : (backwards ? n : -1);
    for (int k = 1; k <= n; ++k) {
        int i = ((start + (backwards ? -k : k)) % n + n) % n;
        WindowedControl* c = tabOrder_[static_cast<std::size_t>(i)];
        if (!c->CanFocusNow(true)) continue;
        // Tab reaches an option group through its selected option only.
        if (auto* option = dynamic_cast<OptionButton*>(c); option && !option->IsSelected()) {
            auto group = option->ParentContainer().OptionGroup();
            if (std::any_of(group.begin(), group.end(), [](OptionButton* o) { return o->IsSelected(); })) continue;
        }
        return c;
    }
    return nullptr;
}

void Form::SetDefaultButton(CommandButton* button, bool isDefault) {
    if (isDefault)
        defaultButton_ = button;
    else if (defaultButton_ == button)
        defaultButton_ = nullptr;
    for (WindowedControl* c : tabOrder_) c->Invalidate();
}

void Form::SetCancelButton(CommandButton* button, bool isCancel) {
    if (isCancel)
        cancelButton_ = button;
    else if (cancelButton_ == button)
        cancelButton_ = nullptr;
}

bool Form::HandleNavigationKey(WindowedControl* from, int keyCode, int shift, bool repeat) {
    if (keyCode == VK_TAB && !(shift & (vbCtrlMask | vbAltMask))) {
        WindowedControl* next = NextTabStop(from, (shift & vbShiftMask) != 0);
        if (next && next != from) next->SetFocus();
        return true;
    }
    if (shift & vbAltMask) {
        CaptionedControl* marked = (shift & vbCtrlMask) == 0 ? AccessKeyControl(keyCode) : nullptr;
        if (marked && !repeat) marked->PressAccessKey();
        return marked != nullptr;
    }
    CommandButton* button = KeyboardButton(from, keyCode);
    if (button && !repeat) button->PressFromKeyboard();
    return button != nullptr;
}

// The button Enter or Esc presses: a focused button takes Enter itself; otherwise Enter presses
// the default button and Esc the cancel button, and the focus stays where it is.
CommandButton* Form::KeyboardButton(WindowedControl* from, int keyCode) const {
    if (keyCode == VK_RETURN) {
        if (auto* button = dynamic_cast<CommandButton*>(from)) return button;
        return defaultButton_ && defaultButton_->CanBePressed() ? defaultButton_ : nullptr;
    }
    if (keyCode == VK_ESCAPE && cancelButton_ && cancelButton_->CanBePressed()) return cancelButton_;
    return nullptr;
}

// The control whose caption marks the key's character with "&" (Alt and that character act as a
// click on it, so the focus moves to it first).
CaptionedControl* Form::AccessKeyControl(int keyCode) const {
    if (!std::isalnum(keyCode)) return nullptr;
    for (WindowedControl* c : tabOrder_) {
        auto* captioned = dynamic_cast<CaptionedControl*>(c);
        if (!captioned || !captioned->CanFocusNow(false)) continue;
        int at = -1;
        std::string shown = StripMnemonic(captioned->CaptionText(), &at);
        if (at >= 0 && std::toupper(static_cast<unsigned char>(shown[static_cast<std::size_t>(at)])) == keyCode)
            return captioned;
    }
    return nullptr;
}

void Form::ControlFocusChanged(WindowedControl* control, bool focused) {
    if (focused) lastFocus_ = control;
}

void Form::SystemClose() {
    if (!hwnd_) return;
    HWND top = GetTopLevel(hwnd_);
    if (top != hwnd_) {
        // A form inside another window (a page): Alt+F4 goes on to that window, which closes its
        // own way.
        constexpr LPARAM kAltHeld = 0x20000001;
        SendMessage(top, WM_SYSKEYDOWN, static_cast<WPARAM>(VK_F4), kAltHeld);
        return;
    }
    if (GetWindowLong(top, GWL_STYLE) & WS_SYSMENU) PostMessage(top, WM_CLOSE, 0, 0);
}

// ---- Messages ----

LRESULT Form::OnMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p = detail::MousePoint(lParam);
    int shift = detail::MouseShift(wParam);
    int button = detail::MouseButtonOf(msg);
    int x = PixelsToScale(p.x, scaleMode_), y = PixelsToScale(p.y, scaleMode_);
    switch (msg) {
        case WM_MOUSEMOVE: Form_MouseMove(detail::ButtonsHeld(wParam), shift, x, y); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (button == vbLeftButton) formPressed_ = true;
            SetCapture(hwnd_);
            Form_MouseDown(button, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            formPressed_ = false;
            SetCapture(hwnd_);
            if (button == vbLeftButton) Form_DblClick();
            break;
        default: {  // button released
            RECT client{};
            if (hwnd_) GetClientRect(hwnd_, &client);
            if (detail::ButtonsHeld(wParam) == 0 && GetCapture() == hwnd_) ReleaseCapture();
            Form_MouseUp(button, shift, x, y);
            if (button == vbLeftButton && formPressed_) {
                formPressed_ = false;
                if (client.contains(p) && IsLoaded()) Form_Click();
            }
            break;
        }
    }
    return 0;
}

void Form::OnKey(UINT msg, WPARAM wParam) {
    int code = static_cast<int>(wParam);
    int shift = detail::ShiftState(msg);
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        if (code == VK_TAB && !(shift & (vbCtrlMask | vbAltMask))) {
            if (WindowedControl* first = NextTabStop(nullptr, (shift & vbShiftMask) != 0)) {
                detail::SwallowNextChar();
                first->SetFocus();
                return;
            }
        }
        int key = code;
        Form_KeyDown(code, shift);
        if (msg == WM_SYSKEYDOWN && key == VK_F4 && code != 0 && hwnd_) SystemClose();
    } else {
        Form_KeyUp(code, shift);
    }
}

void Form::PaintForm() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc) {
        // Only what the window's surface holds is painted: a form far bigger than the screen costs
        // no more than the screen.
        RECT reach = ps.rcPaint;
        if (GetClipBox(dc, &reach)) reach = IntersectRects(reach, ps.rcPaint);
        Painter painter(dc, POINT{0, 0}, reach);
        RECT client;
        GetClientRect(hwnd_, &client);
        painter.FillRect(client, backColor_);
        dc_.Painting(dc);
        Form_Paint();
        dc_.PaintDone();
        PaintWindowless(painter);
    }
    EndPaint(hwnd_, &ps);
}

LRESULT Form::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) hwnd_ = hwnd;
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                MakeActiveForm();
                if (hwnd_) PostMessage(hwnd_, detail::WM_FORMS_RESTOREFOCUS, 0, 0);
            }
            return 0;
        case detail::WM_FORMS_RESTOREFOCUS: RestoreFocus(); return 0;
        case detail::WM_FORMS_RELEASEDC: dc_.Release(hwnd_); return 0;
        case WM_SETFOCUS:
            if (GetFocus() != hwnd_) return 0;
            if (lastFocus_ && lastFocus_->CanFocusNow(false)) {
                lastFocus_->SetFocus();
            } else if (WindowedControl* first = NextTabStop(nullptr, false)) {
                first->SetFocus();
            } else if (IsLoaded()) {
                Form_GotFocus();
            }
            return 0;
        case WM_KILLFOCUS: return 0;
        case WM_CLOSE: Unload(); return 0;
        case WM_DESTROY:
            // Destroyed from outside (DestroyWindow, or with its owner): the form unloads, and its
            // Form_Unload runs though it cannot cancel any more.
            if (state_ == State::Loaded) {
                state_ = State::Unloading;
                int cancel = 0;
                Form_Unload(cancel);
            }
            return 0;
        case WM_TIMER: TimerTick(wParam); return 0;
        case WM_PAINT: PaintForm(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            detail::ClearSwallowedChar();
            if (detail::OfferToKeyGrab(msg, wParam, lParam)) return 0;
            if (IsLoaded()) OnKey(msg, wParam);
            return 0;
        case WM_CHAR:
            if (detail::TakeSwallowedChar()) return 0;
            detail::OfferToKeyGrab(msg, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED: return 0;
        case WM_MOUSEACTIVATE: return detail::InputAllowed(hwnd_) ? MA_ACTIVATE : MA_NOACTIVATE;
        default:
            if (detail::IsMouseMessage(msg)) {
                if (!detail::InputAllowed(hwnd_) || !IsLoaded()) return 0;
                if (RouteMouseToWindowless(msg, wParam, lParam)) return 0;
                return OnMouse(msg, wParam, lParam);
            }
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace platform::forms
