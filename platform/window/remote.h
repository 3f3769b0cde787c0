// The bridge to the user's other running copy of the program (a second OS process).
// Windows found there get local handles; plain messages to them cross over a Unix socket.
#pragma once

#include <string>

#include "platform/window/window.h"

namespace platform {

// Registers this process as a running copy of the program in the given program folder and
// starts answering the other copies. Returns false when the registry cannot be set up.
bool RegisterRunningCopy(const std::string& programFolder);
// True when another live copy has registered for the same program folder.
bool AnotherCopyIsRunning(const std::string& programFolder);
void UnregisterRunningCopy();
// The program folder whose copies FindWindow searches (set before registering, so that a second
// copy, which never registers, still finds the first).
void SetRunningProgramFolder(const std::string& programFolder);

namespace detail {
HWND FindRemoteWindow(const char* className, const char* windowName);
bool IsRemoteWindow(HWND hwnd);
// A plain message (no pointers) to a window of the other copy; gives up after the time-out.
bool SendRemoteMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
}  // namespace detail

}  // namespace platform
