#include "platform/present/detail/x11_window_truth.h"

#include <X11/Xatom.h>

#include <algorithm>

namespace platform {

RECT RootRectAfterConfigure(Display* display, ::Window root, const XConfigureEvent& event, bool framed) {
    int x = event.x, y = event.y;
    if (!event.send_event && framed) {
        ::Window child = 0;
        XTranslateCoordinates(display, event.window, root, 0, 0, &x, &y, &child);
    }
    return RECT{x, y, x + event.width, y + event.height};
}

std::vector<::Window> RootChildrenTopFirst(Display* display, ::Window root) {
    ::Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<::Window> topFirst;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return topFirst;
    topFirst.assign(children, children + count);  // the server lists them bottom to top
    std::reverse(topFirst.begin(), topFirst.end());
    if (children) XFree(children);
    return topFirst;
}

RECT PublishedWorkArea(Display* display, ::Window root, Atom workArea) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    RECT area;
    if (XGetWindowProperty(display, root, workArea, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && format == 32 && count == 4) {
        const long* v = reinterpret_cast<const long*>(data);
        area = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
                    static_cast<LONG>(v[1] + v[3])};
    }
    if (data) XFree(data);
    return area;
}

std::vector<Atom> AtomList(Display* display, ::Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> atoms;
    if (XGetWindowProperty(display, window, property, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data && format == 32) {
        const Atom* a = reinterpret_cast<const Atom*>(data);
        atoms.assign(a, a + count);
    }
    if (data) XFree(data);
    return atoms;
}

bool InsideManagedClient(Display* display, ::Window window, Atom wmState) {
    for (::Window w = window; w > PointerRoot;) {
        int count = 0;
        Atom* properties = XListProperties(display, w, &count);
        const bool held = properties && std::find(properties, properties + count, wmState) != properties + count;
        if (properties) XFree(properties);
        if (held) return true;
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(display, w, &root, &parent, &children, &n)) return false;
        if (children) XFree(children);
        if (parent == root) return false;
        w = parent;
    }
    return false;
}

void RequestedPlaces::Asked(const RECT& r) {
    asked_.push_back(r);
    if (asked_.size() > 32) asked_.pop_front();  // the server answers each one; a few lost ones do not pile up
}

bool RequestedPlaces::Confirms(const RECT& r) {
    const auto it = std::find(asked_.begin(), asked_.end(), r);
    if (it == asked_.end()) return false;
    asked_.erase(asked_.begin(), it + 1);
    return true;
}

}  // namespace platform
