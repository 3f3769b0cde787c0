#include "platform/present/detail/x11_panels.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <array>

namespace platform {

namespace {

// Left, right, top and bottom, as a strut lists them.
using Strut = std::array<long, 4>;

bool ReadStrut(Display* display, ::Window w, Atom property, Strut* strut) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, w, property, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                                          &after, &data) == Success &&
                       data && format == 32 && count == 4;
    if (found) std::copy_n(reinterpret_cast<const long*>(data), 4, strut->begin());
    if (data) XFree(data);
    return found;
}

// A window manager keeps its clients inside frames of its own, and some keep their own panel a
// few levels down: the tree is searched to a small depth.
void CollectStruts(Display* display, ::Window w, int depth, Atom partial, Atom plain,
                   const std::function<bool(::Window)>& isOwn, Strut* reserved) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, w, &root, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
        const ::Window child = children[i];
        if (isOwn(child)) continue;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, child, &attributes) || attributes.map_state != IsViewable) continue;
        Strut strut{};
        if (ReadStrut(display, child, partial, &strut) || ReadStrut(display, child, plain, &strut)) {
            for (std::size_t edge = 0; edge < strut.size(); ++edge) (*reserved)[edge] = std::max((*reserved)[edge], strut[edge]);
        } else if (depth > 1) {
            CollectStruts(display, child, depth - 1, partial, plain, isOwn, reserved);
        }
    }
    if (children) XFree(children);
}

}  // namespace

RECT ReadPanelFreeArea(Display* display, ::Window root, SIZE screen, const std::function<bool(::Window)>& isOwn) {
    const Atom partial = XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False);
    const Atom plain = XInternAtom(display, "_NET_WM_STRUT", False);
    Strut reserved{};
    CollectStruts(display, root, 4, partial, plain, isOwn, &reserved);
    return RECT{static_cast<LONG>(reserved[0]), static_cast<LONG>(reserved[2]), static_cast<LONG>(screen.cx - reserved[1]),
                static_cast<LONG>(screen.cy - reserved[3])};
}

}  // namespace platform
