#include "platform/present/detail/x11_services.h"

#include <X11/Xatom.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/present/detail/x11_monitors.h"
#include "platform/services/clipboard.h"
#include "platform/services/other_windows.h"
#include "platform/services/pointer.h"
#include "platform/window/loop.h"
#include "platform/window/messages.h"

namespace platform {
namespace {

// One of the selections the platform takes part in: CLIPBOARD, or PRIMARY (the text last selected).
struct OwnedSelection {
    Atom atom = 0;
    std::string text;  // what we hand out while we own it
    bool owning = false;
};

struct ServicesState {
    Display* display = nullptr;
    ::Window root = 0;
    ::Window selectionOwner = 0;  // an unmapped window of ours that holds CLIPBOARD and PRIMARY
    std::function<bool(::Window)> isOwn;
    Atom clientList = 0, closeWindow = 0, netWmName = 0, utf8 = 0, targets = 0, text = 0, incr = 0, pasteProperty = 0;
    // By Clipboard::Selection.
    std::array<OwnedSelection, 2> selections;
    // The answer to the last request for another program's text, and its next piece.
    bool answered = false;
    Atom answerProperty = None;
    bool pieceReady = false;
    // While a pick holds the clicks: the pointer is grabbed, and the releases of buttons 1 to 3
    // since the last ask.
    bool clicksHeld = false;
    std::array<bool, 4> released{};
};

// How long a paste waits for the clipboard's owner to hand its text (or a piece of it) over, and
// the most it takes.
constexpr int kPasteWaitMs = 1000;
constexpr long kMaxPasteBytes = 4 << 20;

ServicesState& St() {
    static ServicesState state;
    return state;
}

std::string TextProperty(::Window w, Atom property, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(St().display, w, property, 0, 4096, False, type, &actual, &format, &count, &after, &data) !=
            Success ||
        !data)
        return {};
    std::string out(reinterpret_cast<const char*>(data), count);
    XFree(data);
    return out;
}

class X11OtherWindows : public OtherWindows {
public:
    std::vector<OtherWindow> List() override {
        std::vector<OtherWindow> out;
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(St().display, St().root, St().clientList, 0, 65536, False, XA_WINDOW, &actual, &format,
                               &count, &after, &data) != Success ||
            !data)
            return out;
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            ::Window w = ids[i];
            if (St().isOwn && St().isOwn(w)) continue;
            std::string title = TextProperty(w, St().netWmName, St().utf8);
            if (title.empty()) title = TextProperty(w, XA_WM_NAME, XA_STRING);
            out.push_back(OtherWindow{w, title});
        }
        XFree(data);
        return out;
    }

    // The window manager passes the request on; the program may ask its user, or refuse.
    bool RequestClose(std::uint64_t id) override {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = static_cast<::Window>(id);
        e.xclient.message_type = St().closeWindow;
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = 1;  // asked by an application
        bool sent = XSendEvent(St().display, St().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(St().display);
        return sent;
    }
};

// Takes the paste property off our window: its bytes and their type. Nothing when it is not text.
std::optional<std::pair<std::string, Atom>> TakePasteProperty() {
    ServicesState& s = St();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::pair<std::string, Atom>> taken;
    if (XGetWindowProperty(s.display, s.selectionOwner, s.pasteProperty, 0, kMaxPasteBytes / 4, True, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        (format == 8 || type == s.incr))
        taken.emplace(std::string(data ? reinterpret_cast<const char*>(data) : "", format == 8 ? count : 0), type);
    if (data) XFree(data);
    return taken;
}

// A large text comes in pieces (INCR): each piece is asked for by deleting the last one, and an
// empty piece ends it.
std::optional<std::string> TakeIncrementally(Atom* type, bool* timedOut) {
    ServicesState& s = St();
    std::string text;
    for (;;) {
        s.pieceReady = false;
        if (!AwaitOutsideEvents([] { return St().pieceReady; }, kPasteWaitMs)) {
            *timedOut = true;
            return std::nullopt;
        }
        auto piece = TakePasteProperty();
        if (!piece) return std::nullopt;
        if (piece->first.empty()) return text;
        *type = piece->second;
        if (text.size() + piece->first.size() > kMaxPasteBytes) return std::nullopt;
        text += piece->first;
    }
}

// Asks a selection's owner for its text in one form (UTF8_STRING or STRING) and waits for the
// answer on the loop. The text comes as UTF-8, read by the form the owner gave (some give STRING,
// Latin-1, whatever was asked). Nothing when the owner refuses; `timedOut` when it does not answer.
std::optional<std::string> ConvertSelection(Atom selection, Atom target, bool* timedOut) {
    ServicesState& s = St();
    XDeleteProperty(s.display, s.selectionOwner, s.pasteProperty);
    s.answered = false;
    s.answerProperty = None;
    XConvertSelection(s.display, selection, target, s.pasteProperty, s.selectionOwner, CurrentTime);
    XFlush(s.display);
    if (!AwaitOutsideEvents([] { return St().answered; }, kPasteWaitMs)) {
        *timedOut = true;
        return std::nullopt;
    }
    if (s.answerProperty == None) return std::nullopt;
    auto answer = TakePasteProperty();  // taking it off asks for the first piece of an INCR transfer
    if (!answer) return std::nullopt;
    Atom type = answer->second;
    std::optional<std::string> bytes = answer->first;
    if (type == s.incr) bytes = TakeIncrementally(&type, timedOut);
    if (!bytes) return std::nullopt;
    return type == XA_STRING ? Utf8FromLatin1(*bytes) : CleanUtf8(*bytes);
}

OwnedSelection& SelectionOf(Clipboard::Selection which) { return St().selections[static_cast<std::size_t>(which)]; }

class X11Clipboard : public Clipboard {
public:
    bool SetText(Selection which, const std::string& text) override {
        OwnedSelection& selection = SelectionOf(which);
        selection.text = text;
        XSetSelectionOwner(St().display, selection.atom, St().selectionOwner, CurrentTime);
        selection.owning = XGetSelectionOwner(St().display, selection.atom) == St().selectionOwner;
        XFlush(St().display);
        return selection.owning;
    }
    // Another program's text is asked for as UTF-8, or as Latin-1 (STRING) where only that is
    // offered; what comes is made sound UTF-8.
    std::string Text(Selection which) const override {
        const OwnedSelection& selection = SelectionOf(which);
        if (selection.owning) return selection.text;
        if (XGetSelectionOwner(St().display, selection.atom) == None) return {};
        bool timedOut = false;
        if (auto text = ConvertSelection(selection.atom, St().utf8, &timedOut)) return *text;
        if (timedOut) return {};
        return ConvertSelection(selection.atom, XA_STRING, &timedOut).value_or("");
    }
};

// The selection of ours that an event names; null for one we do not own.
OwnedSelection* OwnedNamed(Atom atom) {
    for (OwnedSelection& selection : St().selections)
        if (selection.atom == atom && selection.owning) return &selection;
    return nullptr;
}

// The pointer as the X server sees it, also over other programs' windows and the bare desktop.
class X11Pointer : public Pointer {
public:
    POINT Position() override {
        Query();
        return x11::FromRoot(POINT{x_, y_});
    }
    bool ButtonDown(int vk) override {
        Query();
        switch (vk) {
            case VK_LBUTTON: return (mask_ & Button1Mask) != 0;
            case VK_MBUTTON: return (mask_ & Button2Mask) != 0;
            case VK_RBUTTON: return (mask_ & Button3Mask) != 0;
            default: return false;
        }
    }

    bool HoldClicks(bool on) override {
        ServicesState& s = St();
        s.released = {};
        if (on == s.clicksHeld) return true;
        if (!on) {
            XUngrabPointer(s.display, CurrentTime);
            XFlush(s.display);
            s.clicksHeld = false;
            return true;
        }
        // Every press and release comes to us, reported on the root, and to no window under it.
        s.clicksHeld = XGrabPointer(s.display, s.root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
        return s.clicksHeld;
    }
    bool ReleasedSinceAsked(int vk) override {
        const int button = vk == VK_LBUTTON ? 1 : vk == VK_MBUTTON ? 2 : vk == VK_RBUTTON ? 3 : 0;
        return button && std::exchange(St().released[static_cast<std::size_t>(button)], false);
    }

private:
    void Query() {
        ::Window rootReturn = 0, child = 0;
        int winX = 0, winY = 0;
        unsigned int mask = 0;
        if (!XQueryPointer(St().display, St().root, &rootReturn, &child, &x_, &y_, &winX, &winY, &mask)) return;
        mask_ = mask;
    }
    int x_ = 0, y_ = 0;
    unsigned int mask_ = 0;
};

void AnswerSelectionRequest(const XSelectionRequestEvent& r) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.time = r.time;
    reply.xselection.property = None;
    Atom property = r.property != None ? r.property : r.target;  // old clients give no property
    if (const OwnedSelection* owned = OwnedNamed(r.selection)) {
        const std::string& text = owned->text;
        if (r.target == St().targets) {
            Atom offered[] = {St().targets, St().utf8, XA_STRING, St().text};
            XChangeProperty(St().display, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(offered), 4);
            reply.xselection.property = property;
        } else if (r.target == St().utf8 || r.target == XA_STRING || r.target == St().text) {
            Atom type = r.target == St().text ? St().utf8 : r.target;
            XChangeProperty(St().display, r.requestor, property, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
            reply.xselection.property = property;
        }
    }
    XSendEvent(St().display, r.requestor, False, 0, &reply);
    XFlush(St().display);
}

}  // namespace

void InternAtoms(Display* display, std::initializer_list<std::pair<Atom*, const char*>> atoms) {
    std::vector<char*> names;
    for (const auto& [atom, name] : atoms) names.push_back(const_cast<char*>(name));
    std::vector<Atom> found(names.size(), None);
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, found.data());
    std::size_t i = 0;
    for (const auto& entry : atoms) *entry.first = found[i++];
}

void InstallX11Services(Display* display, ::Window root, std::function<bool(::Window)> isOwn) {
    ServicesState& s = St();
    s.display = display;
    s.root = root;
    s.isOwn = std::move(isOwn);
    InternAtoms(display, {{&s.clientList, "_NET_CLIENT_LIST"},
                          {&s.closeWindow, "_NET_CLOSE_WINDOW"},
                          {&s.netWmName, "_NET_WM_NAME"},
                          {&s.utf8, "UTF8_STRING"},
                          {&SelectionOf(Clipboard::Selection::Clipboard).atom, "CLIPBOARD"},
                          {&s.targets, "TARGETS"},
                          {&s.text, "TEXT"},
                          {&s.incr, "INCR"},
                          {&s.pasteProperty, "OZR_PASTE"}});
    SelectionOf(Clipboard::Selection::Primary).atom = XA_PRIMARY;
    s.selectionOwner = XCreateSimpleWindow(display, root, -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display, s.selectionOwner, PropertyChangeMask);  // the pieces of a large paste
    InstallService<OtherWindows>(std::make_unique<X11OtherWindows>());
    InstallService<Clipboard>(std::make_unique<X11Clipboard>());
    InstallService<Pointer>(std::make_unique<X11Pointer>());
}

bool HandleX11ServiceEvent(const XEvent& e) {
    if (!St().display) return false;
    if (e.type == SelectionRequest && e.xselectionrequest.owner == St().selectionOwner) {
        AnswerSelectionRequest(e.xselectionrequest);
        return true;
    }
    if (e.type == PropertyNotify && e.xproperty.window == St().selectionOwner) {
        if (e.xproperty.atom == St().pasteProperty && e.xproperty.state == PropertyNewValue) St().pieceReady = true;
        return true;
    }
    if (e.type == SelectionNotify && e.xselection.requestor == St().selectionOwner) {
        St().answered = true;
        St().answerProperty = e.xselection.property;
        return true;
    }
    if (e.type == SelectionClear && e.xselectionclear.window == St().selectionOwner) {
        if (OwnedSelection* lost = OwnedNamed(e.xselectionclear.selection)) lost->owning = false;  // another program took it
        return true;
    }
    if (St().clicksHeld && (e.type == ButtonPress || e.type == ButtonRelease)) {
        if (e.type == ButtonRelease && e.xbutton.button < St().released.size()) St().released[e.xbutton.button] = true;
        return true;  // the pick takes its click: no window gets it
    }
    return false;
}

void StopX11Services() {
    ServicesState& s = St();
    if (!s.display) return;
    InstallService<OtherWindows>(nullptr);
    InstallService<Clipboard>(nullptr);
    InstallService<Pointer>(nullptr);
    XDestroyWindow(s.display, s.selectionOwner);
    s = ServicesState{};
}

}  // namespace platform
