// The X11 presenter: every top-level window of either context is a real X window at the same
// position and size, and the real pointer and keyboard become the window system's input.
#pragma once

#include <string>

namespace platform {

// Connects to the display (DISPLAY) and takes over presenting. False with a reason when no
// display can be opened.
bool StartX11Presenter(std::string* error);
void StopX11Presenter();
bool X11PresenterRunning();

}  // namespace platform
