#include "core/frm_intro_window.h"

#include "core/debug_log.h"

namespace core {

platform::forms::Picture IntroPicture(const std::string& fileName) {
    const std::string path = "\\GUI\\Misc\\" + fileName;
    try {
        return platform::forms::LoadPicture(path);
    } catch (const platform::Error& e) {
        DebugLog(std::string("[frmIntro]: ") + e.what());
        return {};
    }
}

void SetTopmost(platform::HWND hwnd, bool on) {
    using namespace platform;
    SetWindowPos(hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MakeLayered(platform::HWND hwnd) { platform::SetWindowLong(hwnd, platform::GWL_EXSTYLE, platform::WS_EX_LAYERED); }

void ApplyOpacity(platform::HWND hwnd, int opacity) {
    platform::SetLayeredWindowAttributes(hwnd, 0, static_cast<platform::BYTE>(opacity), platform::LWA_ALPHA);
}

void ApplyOpacity(platform::HWND hwnd, platform::COLORREF colorKey, int opacity) {
    platform::SetLayeredWindowAttributes(hwnd, colorKey, static_cast<platform::BYTE>(opacity),
                                         platform::LWA_COLORKEY | platform::LWA_ALPHA);
}

}  // namespace core
