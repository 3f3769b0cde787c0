// A test's X screen cut into two monitors side by side, as RandR 1.5 clients read them. The
// monitors are the resources of the client that sets them and would vanish with it, so that client
// leaves them behind when it closes; xrandr --setmonitor does not stick on Xvfb for that reason.
// Include it after every other header (X11's macros).
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <string>

// A screen of twice `width` cut at `width`: the monitors LEFT and RIGHT, the primary one as asked; it
// takes the screen's output from the automatic monitor (a window manager that reads outputs, as
// xfwm4 does, then sees the whole screen). True when the server took them.
inline bool CutIntoTwoMonitors(const std::string& display, int width, int height, bool primaryRight) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return false;
    const ::Window root = DefaultRootWindow(d);
    XRRScreenResources* resources = XRRGetScreenResources(d, root);
    const bool hasOutput = resources && resources->noutput > 0;
    for (int i = 0; i < 2; ++i) {
        const bool holdsOutput = hasOutput && (i == 1) == primaryRight;
        XRRMonitorInfo* m = XRRAllocateMonitor(d, holdsOutput ? 1 : 0);
        m->name = XInternAtom(d, i == 0 ? "LEFT" : "RIGHT", False);
        m->primary = (i == 1) == primaryRight;
        m->automatic = False;
        m->x = i * width;
        m->y = 0;
        m->width = width;
        m->height = height;
        m->mwidth = 300;
        m->mheight = 240;
        if (holdsOutput) m->outputs[0] = resources->outputs[0];
        XRRSetMonitor(d, root, m);
        XRRFreeMonitors(m);
    }
    if (resources) XRRFreeScreenResources(resources);
    XSetCloseDownMode(d, RetainPermanent);
    XCloseDisplay(d);
    Display* check = XOpenDisplay(display.c_str());
    if (!check) return false;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(check, DefaultRootWindow(check), True, &count);
    if (monitors) XRRFreeMonitors(monitors);
    XCloseDisplay(check);
    return count == 2;
}
