// What the X11 presenter keeps of the display and of each X window it made for a top-level
// window: the connection, the atoms it speaks, and what it last asked of the server and the
// window manager, so that only changes go out again. Shared by the presenter's parts (hints,
// shape, focus, stacking, shown state, input).
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/present/detail/x11_pixels.h"
#include "platform/present/detail/x11_window_truth.h"
#include "platform/window/window_manager.h"

namespace platform::x11 {
using XWindowId = ::Window;

struct XWin {
    XWindowId xid = 0;
    bool mapped = false;
    RECT screenRect;
    std::string title;
    HICON icon;            // the window's own icon as set last (none: the program's)
    bool iconSet = false;  // an icon, its own or the program's, has been set
    std::vector<Atom> states;  // the _NET_WM_STATE atoms asked for last
    XWindowId transientFor = 0;  // WM_TRANSIENT_FOR as set last
    bool modal = false;          // a message box or modal form while it waits
    bool shaped = false;
    bool keyed = false;
    bool framed = false;  // a window manager reparented it into a frame of its own
    XWindowId frame = 0;  // that frame, a child of the root
    RequestedPlaces requested;  // places asked of the server that it has not confirmed yet
    int sizeAskedAgain = 0;     // times its fixed size was asked for again since the last confirmed place
    bool overrideRedirect = false;  // menus and balloons: never managed, never framed
    bool dock = false;              // the shell's taskbar: a panel of the desktop, not of the program's window group
    long functions = -1;            // the window manager's functions it offers (_MOTIF_WM_HINTS), as set last
    SIZE fixedSize{0, 0};           // the size it may only have (WM_NORMAL_HINTS); -1: any size, 0: none sent yet
    bool iconic = false;            // minimised by the window manager (asked for, or told of)
    bool managed = false;           // the window manager keeps it as a client (WM_STATE says so)
    bool keyboardGrabbed = false;   // an open menu holds the keyboard
    // Shown anew and not yet given the keyboard: the program may bring it forward (an alarm that
    // fired, a window the user asked for) also while another program's window has the keyboard.
    bool shownAnew = false;
    bool hadKeyboard = false;  // it had the keyboard since it was shown anew
    // It was the program's foreground window before the window manager took it on: it is asked
    // for once the window manager has, also if another of ours took the keyboard meanwhile.
    bool activationAwaited = false;
    // The window manager refused it the keyboard: it is kept above the windows the user works in
    // until it gets the keyboard, so that it is seen.
    bool keptAbove = false;
    // The window (another program's or one of ours) that had the keyboard when it was shown.
    XWindowId focusBefore = 0;
    DWORD layeredFlags = 0;
    BYTE alpha = 255;
    COLORREF key = 0;
};

struct X11State {
    Display* display = nullptr;
    int screen = 0;
    XWindowId root = 0;
    // Never shown: it leads the program's window group (a box that blocks the whole program is
    // transient for the group).
    XWindowId groupLeader = 0;
    int sourceId = 0;
    bool shapeExtension = false;
    std::map<std::uint32_t, XWin> windows;
    std::vector<XWindowId> lastStack;
    // Windows the program asked the window manager to put under another one (each with that one),
    // not yet seen so, and until when it waits to see them so.
    std::vector<std::pair<XWindowId, XWindowId>> stackAsked;
    std::chrono::steady_clock::time_point stackAskedUntil;
    bool takingStack = false;  // the program's order follows the server's: nothing goes back
    std::optional<bool> managerRuns;  // read again when the root's window-manager check changes
    X11PixelSender pixels;
    // The server time of the user's last press or key on our windows: what a request to activate
    // a window on the user's behalf carries.
    Time lastUserTime = CurrentTime;
    // Until then a window the program brings forward is the user's doing in another copy of the
    // program (a second start), asked for with that doing's time even while another program's
    // window has the keyboard.
    std::chrono::steady_clock::time_point handOverUntil;
    bool bringForward = false;  // the window that takes the keyboard next comes to the top of its band too
    bool focusToFollow = false;  // the keyboard focus follows the program's once its work is done
    XWindowId keyboardOn = 0;     // our window that took the desktop's keyboard last
    // Where the keyboard went when our window that had it went away, until one of ours takes it
    // from the window manager: left with nobody, the window the program hands it on to takes it;
    // given back to another program's window that had it before, the program's hand-over takes none.
    enum class KeyboardLeft { No, WithNobody, GivenBack };
    KeyboardLeft keyboardLeft = KeyboardLeft::No;
    Atom clientListStacking = 0, stateMaxVert = 0, stateMaxHorz = 0;
    Atom restackWindow = 0, supportingWmCheck = 0, wmState = 0, netSupported = 0, moveResize = 0, activeWindow = 0,
         workArea = 0;
    Atom wmDelete, wmProtocols, netWmName, utf8, netWmState, stateAbove, stateSkipTaskbar, stateSkipPager, stateModal,
        windowType, typeDock, typeUtility, typeNormal, typePopupMenu, typeTooltip, strutPartial, strut, opacity,
        motifHints, netWmIcon, netWmPid, stateFullscreen, netWmUserTime, stateDemandsAttention;
    Atom allowedActions = 0, actionMinimize = 0;
};

X11State& X();

// Our X window of that id (nullptr when it is none of ours), and the program's window it shows.
XWin* FindX(XWindowId xid);
HWND HandleOf(XWindowId xid);

// Brings the X window of a top-level window up to date with the program's window (the presenter's
// own work, which the parts ask for again when what they keep of a window changes).
void Sync(HWND hwnd);

// The window asked the window manager to keep it in its above layer (_NET_WM_STATE_ABOVE).
bool Topmost(const XWin& xw);

void SetAtomList(XWindowId xid, Atom property, const std::vector<Atom>& atoms);

// An EWMH window manager announces itself on the root window (read once, and again when that
// changes).
bool WindowManagerRuns();
// The window manager lists what it supports on the root window.
bool WindowManagerSupports(Atom feature);

}  // namespace platform::x11
