// The hook on the tray clock's thread and the take-over of the taskbar: the hook procedure, the
// subclass procedures of the clock, the notification area and the taskbar, and the unload.
#pragma once

#include "platform/window/window.h"

namespace hooklib {

platform::LRESULT MsgProc(int code, platform::WPARAM wParam, platform::LPARAM lParam);
platform::LRESULT WndProcTrayClock(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                   platform::LPARAM lParam);
platform::LRESULT WndProcSystray(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam);
platform::LRESULT WndProcTaskBar(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                 platform::LPARAM lParam);
void RefreshTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD);
void ClickTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD);

// Gives the taskbar back and stops what the calling context runs for the clock.
void DLLUnloadProcedures();
void OnQuit();

}  // namespace hooklib
