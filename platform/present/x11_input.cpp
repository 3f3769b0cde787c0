#include "platform/present/detail/x11_input.h"

#include <X11/Xutil.h>

#include <map>

#include "platform/present/detail/x11_monitors.h"
#include "platform/present/detail/x11_focus.h"
#include "platform/present/detail/x11_keys.h"
#include "platform/present/presented_windows.h"
#include "platform/window/input.h"

namespace platform::x11 {
namespace {

// A server that cannot send a held key's repeats as presses alone sends each as a release and a
// press of the key at the same time: such a release is no release, and the press a repeat.
bool IsRepeatsRelease(const XKeyEvent& release) {
    if (XEventsQueued(release.display, QueuedAfterReading) == 0) return false;
    XEvent next;
    XPeekEvent(release.display, &next);
    return next.type == KeyPress && next.xkey.keycode == release.keycode && next.xkey.time == release.time;
}

// The modifier keys an event says are held, which count over what was seen pressed and released.
ModifierKeys HeldModifiers(unsigned int state) {
    return ModifierKeys{(state & ShiftMask) != 0, (state & ControlMask) != 0, (state & Mod1Mask) != 0};
}

// The keys pressed on our windows and not released there: key code to virtual key.
std::map<unsigned int, int>& HeldKeys() {
    static std::map<unsigned int, int> held;
    return held;
}

}  // namespace

void ForgetKeysReleasedElsewhere() {
    if (HeldKeys().empty()) return;
    char down[32] = {};
    XQueryKeymap(X().display, down);
    for (auto it = HeldKeys().begin(); it != HeldKeys().end();) {
        const unsigned int code = it->first;
        if (code < 256 && (down[code / 8] & (1 << (code % 8)))) {
            ++it;
            continue;
        }
        InjectKeyReleasedElsewhere(it->second);
        it = HeldKeys().erase(it);
    }
}

// While a menu is open it holds the keyboard, as a menu's own loop does, so that its arrows, Enter
// and Esc reach it whichever window had the focus.
void ApplyKeyboardGrab(HWND hwnd, XWin& xw) {
    const bool wanted = xw.mapped && hwnd == MenuKeyWindow();
    if (wanted == xw.keyboardGrabbed) return;
    if (wanted)
        xw.keyboardGrabbed =
            XGrabKeyboard(X().display, xw.xid, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    else {
        XUngrabKeyboard(X().display, CurrentTime);
        xw.keyboardGrabbed = false;
    }
}

// A caption or border drag goes to the window manager, as toolkits that draw their own captions
// hand it over (_NET_WM_MOVERESIZE); it then moves or sizes the window itself.
bool MoveSizeByWindowManager(HWND hwnd, int edge, POINT screen) {
    static const long kDirection[] = {8, 7, 3, 1, 0, 2, 5, 6, 4};  // by edge: move, left, right, top, ...
    auto it = X().windows.find(hwnd.id());
    if (it == X().windows.end() || !it->second.mapped || it->second.overrideRedirect || edge < 0 || edge > 8 ||
        !WindowManagerSupports(X().moveResize))
        return false;
    XUngrabPointer(X().display, CurrentTime);  // the press's own grab would keep the pointer from it
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = it->second.xid;
    e.xclient.message_type = X().moveResize;
    e.xclient.format = 32;
    const POINT root = ToRoot(screen);
    e.xclient.data.l[0] = root.x;
    e.xclient.data.l[1] = root.y;
    e.xclient.data.l[2] = kDirection[edge];
    e.xclient.data.l[3] = 1;  // the left button
    e.xclient.data.l[4] = 1;  // asked for by an application
    XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(X().display);
    // The window manager has the press now; its release never comes here.
    InjectMouseButton(screen, MouseButton::Left, false);
    return true;
}

bool HandleInputEvent(XEvent& e) {
    switch (e.type) {
        case MotionNotify:
            InjectMouseMove(FromRoot(POINT{e.xmotion.x_root, e.xmotion.y_root}), HeldModifiers(e.xmotion.state),
                            HandleOf(e.xmotion.window));
            break;
        case LeaveNotify:
            // No motion comes from where no window of ours lies: the cursor's last place is where
            // it left, so that what watches it (a hover balloon, a hot item) sees it gone.
            {
                const POINT left = FromRoot(POINT{e.xcrossing.x_root, e.xcrossing.y_root});
                SetCursorPos(left.x, left.y);
            }
            break;
        case ButtonPress:
        case ButtonRelease: {
            static const MouseButton kButtons[] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};
            unsigned b = e.xbutton.button;
            if (b < 1 || b > 3) break;
            X().lastUserTime = e.xbutton.time;
            if (e.type == ButtonPress) NoteUserInput(e.xbutton.window);
            InjectMouseButton(FromRoot(POINT{e.xbutton.x_root, e.xbutton.y_root}), kButtons[b - 1], e.type == ButtonPress,
                              HeldModifiers(e.xbutton.state), HandleOf(e.xbutton.window));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            if (e.type == KeyRelease && IsRepeatsRelease(e.xkey)) break;
            X().lastUserTime = e.xkey.time;
            if (e.type == KeyPress) NoteUserInput(e.xkey.window);
            char text[8] = {};
            KeySym sym = 0;
            int n = XLookupString(&e.xkey, text, sizeof(text), &sym, nullptr);
            int vk = VirtualKeyFromKeysym(sym);
            // Characters as code points: Latin-1 key symbols are their code points, and key
            // symbols of other scripts carry theirs above 0x01000000.
            unsigned int character = 0;
            if (sym >= 0x01000100 && sym <= 0x0110FFFF)
                character = static_cast<unsigned int>(sym - 0x01000000);
            else if (n == 1)
                character = static_cast<unsigned char>(text[0]);
            if (!vk && character) vk = 0xE5;  // a character key without a virtual key of its own
            if (!vk) break;
            if (e.type == KeyPress)
                HeldKeys()[e.xkey.keycode] = vk;
            else
                HeldKeys().erase(e.xkey.keycode);
            InjectKey(vk, e.type == KeyPress, character, HeldModifiers(e.xkey.state), HandleOf(e.xkey.window));
            break;
        }
        default: return false;
    }
    return true;
}

}  // namespace platform::x11
