#include "platform/present/detail/x11_monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

#include "platform/window/monitors.h"

namespace platform::x11 {

namespace {

struct MonitorWatch {
    bool randr15 = false;  // the server lists monitors (RandR 1.5)
    int eventBase = 0;
};

MonitorWatch& W() {
    static MonitorWatch watch;
    return watch;
}

}  // namespace

void WatchMonitors(Display* display, ::Window root) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    W() = MonitorWatch{};
    if (XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor)) {
        W().randr15 = major > 1 || (major == 1 && minor >= 5);
        W().eventBase = eventBase;
        // A monitor plugged, unplugged or set to another mode changes the screen, a CRTC or an output.
        XRRSelectInput(display, root, RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    }
}

bool IsMonitorChange(XEvent& event) {
    if (!W().eventBase) return false;
    if (event.type == W().eventBase + RRScreenChangeNotify) {
        XRRUpdateConfiguration(&event);  // Xlib's own idea of the screen's size follows
        return true;
    }
    return event.type == W().eventBase + RRNotify;
}

ScreenMonitors ReadMonitors(Display* display, ::Window root) {
    ScreenMonitors read;
    std::vector<RECT>& layout = read.monitors;
    std::size_t& primary = read.primary;
    if (W().randr15) {
        int count = 0;
        if (XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count)) {
            for (int i = 0; i < count; ++i) {
                const XRRMonitorInfo& m = monitors[i];
                if (m.width <= 0 || m.height <= 0) continue;
                if (m.primary) primary = layout.size();
                layout.push_back(RECT{m.x, m.y, m.x + m.width, m.y + m.height});
            }
            XRRFreeMonitors(monitors);
        }
    }
    // An older server may tell of its screens by Xinerama alone; its first screen is the primary one.
    int screens = 0;
    if (layout.empty() && XineramaIsActive(display))
        if (XineramaScreenInfo* info = XineramaQueryScreens(display, &screens)) {
            for (int i = 0; i < screens; ++i)
                if (info[i].width > 0 && info[i].height > 0)
                    layout.push_back(RECT{info[i].x_org, info[i].y_org, info[i].x_org + info[i].width, info[i].y_org + info[i].height});
            XFree(info);
        }
    if (layout.empty()) {
        const SIZE root = RootSize(display, DefaultScreen(display));
        layout.push_back(RECT{0, 0, root.cx, root.cy});
    }
    return read;
}

SIZE RootSize(Display* display, int screen) { return SIZE{DisplayWidth(display, screen), DisplayHeight(display, screen)}; }

RECT ToRoot(const RECT& program) {
    const POINT o = MonitorLayoutOrigin();
    return OffsetRectBy(program, o.x, o.y);
}

POINT ToRoot(POINT program) {
    const POINT o = MonitorLayoutOrigin();
    return POINT{program.x + o.x, program.y + o.y};
}

RECT FromRoot(const RECT& root) {
    const POINT o = MonitorLayoutOrigin();
    return OffsetRectBy(root, -o.x, -o.y);
}

POINT FromRoot(POINT root) {
    const POINT o = MonitorLayoutOrigin();
    return POINT{root.x - o.x, root.y - o.y};
}

}  // namespace platform::x11
