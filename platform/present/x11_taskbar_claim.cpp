#include "platform/present/detail/x11_taskbar_claim.h"

#include <string>

#include "platform/present/detail/x11_presenter_state.h"
#include "platform/window/error_boundary.h"

namespace platform::x11 {
namespace {

struct Claim {
    Atom selection = 0;
    XWindowId ours = 0;     // the window that owns the selection while our taskbar shows
    XWindowId holder = 0;   // another copy's owner window, watched for its end
    bool waitTold = false;  // the log says that we wait, once per wait
};

Claim& C() {
    static Claim claim;
    return claim;
}

Atom Selection() {
    if (!C().selection) {
        const std::string name = "_OZR_RURIV_TASKBAR_S" + std::to_string(X().screen);
        C().selection = XInternAtom(X().display, name.c_str(), False);
    }
    return C().selection;
}

void GiveUp() {
    if (C().ours) XDestroyWindow(X().display, C().ours);  // the holder's end is what waiting copies see
    C().ours = 0;
}

bool TakeWhenFree() {
    Display* d = X().display;
    const Atom selection = Selection();
    // A few rounds: the holder may go between reading it and watching it.
    for (int round = 0; round < 3; ++round) {
        const XWindowId owner = XGetSelectionOwner(d, selection);
        if (owner == None) {
            if (!C().ours) C().ours = XCreateWindow(d, X().root, -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent, 0, nullptr);
            XSetSelectionOwner(d, selection, C().ours, CurrentTime);
            if (XGetSelectionOwner(d, selection) == C().ours) return true;
            continue;
        }
        if (owner != C().holder) XSelectInput(d, owner, StructureNotifyMask);
        C().holder = owner;
        if (XGetSelectionOwner(d, selection) == owner) return false;
    }
    return false;
}

}  // namespace

bool HoldDesktopTaskbar(bool wanted) {
    if (!X().display) return false;
    if (!wanted) {
        GiveUp();
        C().waitTold = false;
        return false;
    }
    // While a holder is watched, its end comes as an event: nothing is asked of the server meanwhile.
    if (C().ours || (!C().holder && TakeWhenFree())) {
        C().holder = 0;
        C().waitTold = false;
        return true;
    }
    if (!C().waitTold) {
        C().waitTold = true;
        ReportDropped("the taskbar's showing: another copy of the program shows its own taskbar on this desktop; "
                      "this one waits, unshown, until that one's is gone");
    }
    return false;
}

bool FollowTaskbarClaim(const XEvent& e) {
    if (e.type == DestroyNotify && C().holder && e.xdestroywindow.window == C().holder) {
        C().holder = 0;
        return true;
    }
    if (e.type == SelectionClear && C().ours && e.xselectionclear.window == C().ours) {
        GiveUp();
        return true;
    }
    return false;
}

void ForgetTaskbarClaim() {
    GiveUp();
    C() = Claim{};
}

}  // namespace platform::x11
