// The pointer as the devices report it now, wherever it is on the screen: its position and whether
// a mouse button is held. A window that polls the pointer while no window of the program lies under
// it (picking a place on the screen) asks this service. By default the answers are the platform's
// own input state (GetCursorPos, GetAsyncKeyState); on an X11 desktop the presenter installs one
// that asks the X server.
#pragma once

#include <memory>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace platform {

class Pointer : public Service {
public:
    static std::unique_ptr<Pointer> MakeReal();
    // The pointer's position in screen pixels.
    virtual POINT Position() = 0;
    // Whether the button of a virtual key (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) is held now.
    virtual bool ButtonDown(int vk) = 0;
    // A pick of a place on the screen takes the click that ends it: while held, the buttons'
    // presses and releases anywhere on the screen reach no window (neither the program's nor
    // another program's) and each release is kept, so that a click quicker than the polling is
    // not missed. False when the clicks cannot be held (another program holds the pointer).
    virtual bool HoldClicks(bool on) = 0;
    // Whether the button was released since the clicks were held or since the last ask.
    virtual bool ReleasedSinceAsked(int vk) = 0;
};

}  // namespace platform
