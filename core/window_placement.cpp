// Window placement, topmost and dragging of the floating clock.
#include "core/frm_main.h"
#include "core/globals.h"
#include "platform/window/window.h"

namespace core {

void frmMainForm::AlwaysOnTop(bool on) {
    platform::SetWindowPos(hWnd, on ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST, 0, 0, 0, 0,
                           platform::SWP_NOSIZE | platform::SWP_NOMOVE | platform::SWP_NOACTIVATE);
}

void frmMainForm::GetScreenSize() {
    ScreenWidthTwips = platform::GetSystemMetrics(platform::SM_CXSCREEN) * 15;
    ScreenHeightTwips = platform::GetSystemMetrics(platform::SM_CYSCREEN) * 15;
}

void frmMainForm::UpdateMainWindowAnchoring() {}
void frmMainForm::CheckScreenResolution() {}
bool frmMainForm::IsForegroundFullScreen() { return false; }
void frmMainForm::BodyMovin_Timer() {}
void frmMainForm::Form_MouseDown(int, int, int, int) {}
void frmMainForm::Form_MouseUp(int, int, int, int) {}
void frmMainForm::Label_MouseDown(int, int, int, int, int) {}
void frmMainForm::Label_MouseUp(int, int, int, int, int) {}
void frmMainForm::PressOnClock(int, int, double, double) {}

}  // namespace core
