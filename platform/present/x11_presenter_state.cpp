#include "platform/present/detail/x11_presenter_state.h"

#include <X11/Xatom.h>

#include <algorithm>

namespace platform::x11 {

X11State& X() {
    static X11State state;
    return state;
}

XWin* FindX(XWindowId xid) {
    for (auto& [id, xw] : X().windows)
        if (xw.xid == xid) return &xw;
    return nullptr;
}

HWND HandleOf(XWindowId xid) {
    for (auto& [id, xw] : X().windows)
        if (xw.xid == xid) return HWND{id};
    return HWND{};
}

bool Topmost(const XWin& xw) { return std::find(xw.states.begin(), xw.states.end(), X().stateAbove) != xw.states.end(); }

void SetAtomList(XWindowId xid, Atom property, const std::vector<Atom>& atoms) {
    XChangeProperty(X().display, xid, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

bool WindowManagerRuns() {
    if (X().managerRuns) return *X().managerRuns;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(X().display, X().root, X().supportingWmCheck, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       data && count == 1;
    if (data) XFree(data);
    X().managerRuns = found;
    return found;
}

// The window manager lists what it supports on the root window.
bool WindowManagerSupports(Atom feature) {
    if (!WindowManagerRuns()) return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(X().display, X().root, X().netSupported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        found = std::find(atoms, atoms + count, feature) != atoms + count;
    }
    if (data) XFree(data);
    return found;
}

}  // namespace platform::x11
