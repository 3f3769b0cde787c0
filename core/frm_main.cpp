#include "core/frm_main.h"

#include "platform/present/runner.h"
#include "platform/window/loop.h"

namespace core {
namespace {

platform::HWND g_main;

platform::LRESULT MainProc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
    if (msg == WM_CLOCKACTIVATE && wParam == 1) platform::SetForegroundWindow(hwnd);
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

bool frmMain::Load() {
    using namespace platform;
    // A second copy hands over to the running one and ends without touching any file.
    if (PreviousInstanceRunning()) {
        HWND running = FindWindow(nullptr, kMainWindowTitle);
        if (running) SendMessage(running, WM_CLOCKACTIVATE, 1, 0);
        PostQuitMessage(0);
        return false;
    }
    WNDCLASS wc;
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = "Form";
    RegisterClass(&wc);
    g_main = CreateWindowEx(WS_EX_TOOLWINDOW, "Form", kMainWindowTitle, WS_POPUP | WS_VISIBLE, 565, 487, 150,
                            50, HWND{});
    return static_cast<bool>(g_main);
}

platform::HWND frmMain::Handle() { return g_main; }

}  // namespace core
