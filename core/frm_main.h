// frmMain: the main window. It is the floating clock's window, the owner of the program's timers
// and the receiver of the library's and a second copy's messages.
#pragma once

#include "platform/window/window.h"

namespace core {

constexpr const char* kMainWindowTitle = "OZR Ruriv Main Window";
constexpr platform::UINT WM_CLOCKACTIVATE = 0x06BE;

namespace frmMain {
// Form_Load: the start-up sequence. False when the program ended during it.
bool Load();
platform::HWND Handle();
}  // namespace frmMain

}  // namespace core
