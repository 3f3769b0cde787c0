#include "platform/present/detail/x11_stacking.h"

#include <algorithm>
#include <chrono>

#include "platform/present/detail/x11_monitors.h"
#include "platform/present/presented_windows.h"
#include "platform/window/window_manager.h"

namespace platform::x11 {
namespace {

// Our shown windows in the program's order, topmost first. A window kept above for the user to
// see comes over every other of ours but menus and balloons, the topmost ones too.
std::vector<XWindowId> ProgramStack() {
    std::vector<XWindowId> stack;
    std::size_t aboveAt = 0;
    for (HWND top : TopLevelWindowsInZOrder()) {
        auto it = X().windows.find(top.id());
        if (it == X().windows.end() || !it->second.mapped || it->second.iconic) continue;
        const XWin& xw = it->second;
        if (xw.keptAbove)
            stack.insert(stack.begin() + static_cast<std::ptrdiff_t>(aboveAt++), xw.xid);
        else
            stack.push_back(xw.xid);
        if (xw.overrideRedirect && aboveAt + 1 == stack.size()) ++aboveAt;
    }
    return stack;
}

bool Framed(const XWin& w) { return w.framed || (WindowManagerRuns() && !w.overrideRedirect); }

// The nearest window above it in the program's order that the window manager keeps in the same
// band (its above layer, or the rest).
const XWin* NearestAboveInBand(const std::vector<XWindowId>& stack, std::size_t i) {
    const XWin* below = FindX(stack[i]);
    for (std::size_t j = i; below && j-- > 0;)
        if (const XWin* w = FindX(stack[j]); w && Framed(*w) && Topmost(*w) == Topmost(*below)) return w;
    return nullptr;
}

// Asks the window manager to stack a window it frames relative to a sibling (none: its whole
// band): by EWMH's request, or, where it lacks that, by the synthetic configure request ICCCM
// gives a client for a window that a frame keeps from its siblings.
void AskRestack(XWindowId xid, XWindowId sibling, int mode) {
    XEvent e{};
    if (WindowManagerSupports(X().restackWindow)) {
        e.xclient.type = ClientMessage;
        e.xclient.window = xid;
        e.xclient.message_type = X().restackWindow;
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;  // as a direct user action: the program reorders on its user's clicks
        e.xclient.data.l[1] = static_cast<long>(sibling);
        e.xclient.data.l[2] = mode;
    } else {
        e.xconfigurerequest.type = ConfigureRequest;
        e.xconfigurerequest.parent = X().root;
        e.xconfigurerequest.window = xid;
        e.xconfigurerequest.above = sibling;
        e.xconfigurerequest.detail = mode;
        e.xconfigurerequest.value_mask = CWStackMode | (sibling ? CWSibling : 0);
    }
    XSendEvent(X().display, X().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    if (mode != Below || !sibling) return;
    auto& asked = X().stackAsked;
    asked.erase(std::remove_if(asked.begin(), asked.end(), [&](const auto& pair) { return pair.first == xid; }), asked.end());
    asked.emplace_back(xid, sibling);
    X().stackAskedUntil = std::chrono::steady_clock::now() + std::chrono::seconds(3);
}

// The server's stacking (top first) shows every window the program asked to go under another one
// there (or one of the two is gone).
bool AskedStackingShows(const std::vector<XWindowId>& topFirst) {
    for (const auto& [lower, upper] : X().stackAsked) {
        const auto l = std::find(topFirst.begin(), topFirst.end(), lower), u = std::find(topFirst.begin(), topFirst.end(), upper);
        if (l != topFirst.end() && u != topFirst.end() && l < u) return false;
    }
    return true;
}

}  // namespace

// The window manager's frame around a window it manages: its ancestor that is a child of the root.
XWindowId FrameOf(XWindowId xid) {
    for (XWindowId w = xid;;) {
        XWindowId root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(X().display, w, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || !parent) return parent ? w : 0;
        w = parent;
    }
}

bool CoveredByAnotherProgram(const XWin& xw) {
    const XWindowId own = xw.framed && xw.frame ? xw.frame : xw.xid;
    for (XWindowId child : RootChildrenTopFirst(X().display, X().root)) {
        if (child == own) return false;
        bool ours = false;
        for (const auto& [id, other] : X().windows) ours = ours || other.xid == child || (other.framed && other.frame == child);
        XWindowAttributes a;
        if (ours || !XGetWindowAttributes(X().display, child, &a) || a.map_state != IsViewable || a.override_redirect ||
            a.c_class == InputOnly)
            continue;
        const RECT r = FromRoot(RECT{a.x, a.y, a.x + a.width + 2 * a.border_width, a.y + a.height + 2 * a.border_width});
        if (!IntersectRects(r, xw.screenRect).empty()) return true;
    }
    return false;
}

void Restack() {
    const std::vector<XWindowId> stack = ProgramStack();
    if (stack == X().lastStack || stack.empty()) return;
    X().lastStack = stack;
    if (X().takingStack) return;
    // Each window goes right below the one above it. Windows a window manager has framed are not
    // siblings any more (their frames are), so the server would refuse to stack them against
    // each other: the window manager is asked instead. A pair of one framed and one unframed
    // window (a menu or balloon over a managed window) has no common parent and keeps its order,
    // but under a modal window: that one's frame is put over it, so that nothing covers a box.
    // A window the window manager has not reparented yet soon will be: it counts as framed.
    // The topmost goes on top too, unless a window manager frames it: that one raises the windows
    // it activates by its own rules, and one that keeps windows from pushing in front of the user's
    // work takes a client's raise of an unfocused window as a wish for attention (icewm marks it
    // so, and lists even a window that keeps out of its task list).
    if (const XWin* front = FindX(stack.front()); front && !Framed(*front)) XRaiseWindow(X().display, front->xid);
    for (std::size_t i = 1; i < stack.size(); ++i) {
        const XWin* below = FindX(stack[i]);
        const XWin* above = FindX(stack[i - 1]);
        if (!below || !above) continue;
        if (above->modal && above->framed && !Framed(*below)) {
            if (XWindowId frame = FrameOf(above->xid)) {
                XWindowChanges changes{};
                changes.sibling = frame;
                changes.stack_mode = Below;
                XConfigureWindow(X().display, below->xid, CWSibling | CWStackMode, &changes);
            }
        } else if (!Framed(*below) && !Framed(*above)) {
            XWindowChanges changes{};
            changes.sibling = above->xid;
            changes.stack_mode = Below;
            XConfigureWindow(X().display, below->xid, CWSibling | CWStackMode, &changes);
        } else if (Framed(*below)) {
            // A window manager keeps its above layer over every other: a plain window restacked
            // against a topmost one lands where that layer's rules put it (at the bottom, for
            // some). The order goes to it only within a band, below the nearest window above
            // of the same band.
            if (const XWin* sibling = NearestAboveInBand(stack, i)) AskRestack(below->xid, sibling->xid, Below);
        }
    }
}

void RaiseInItsBand(const XWin& xw) {
    const std::vector<XWindowId> stack = ProgramStack();
    const auto at = std::find(stack.begin(), stack.end(), xw.xid);
    const XWin* sibling = at == stack.end() ? nullptr : NearestAboveInBand(stack, static_cast<std::size_t>(at - stack.begin()));
    if (sibling)
        AskRestack(xw.xid, sibling->xid, Below);
    else
        AskRestack(xw.xid, 0, Above);
}

// The program's order of its windows follows the server's stacking of them (or of their frames).
// Where the server's order breaks the program's bands (a topmost window over a box that blocks it),
// the program's order goes back to the server.
void FollowStacking() {
    std::vector<HWND> topFirst;
    std::vector<XWindowId> stacked;
    for (XWindowId child : RootChildrenTopFirst(X().display, X().root))
        for (const auto& [id, xw] : X().windows)
            if (xw.mapped && !xw.iconic && (xw.xid == child || (xw.framed && xw.frame == child))) {
                topFirst.push_back(HWND{id});
                stacked.push_back(xw.xid);
            }
    // Until the window manager has taken the order the program asked for, what it tells is a step on
    // the way (a new window it put on top as it showed it, before it read that order): the program
    // keeps its own. A window manager that refuses the order has a few seconds before it is followed.
    if (!X().stackAsked.empty()) {
        if (std::chrono::steady_clock::now() < X().stackAskedUntil && !AskedStackingShows(stacked)) return;
        X().stackAsked.clear();
    }
    X().takingStack = true;
    WindowManagerStacked(topFirst);
    X().takingStack = false;
    const std::vector<XWindowId> program = ProgramStack();
    if (std::is_permutation(stacked.begin(), stacked.end(), program.begin(), program.end())) {
        X().lastStack = stacked;
        Restack();
    }
}

}  // namespace platform::x11
