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

// The one message other copies may send: to this window (the hand-over of a second start, with
// its wParam and lParam as plain numbers). Every other message they send is refused and reported.
void AcceptFromOtherCopies(HWND window, UINT message);

// The window of that class and title (null: any) in another running copy of the program in the
// same program folder, as a handle of ours that plain messages cross over to; null when none.
HWND FindWindowOfOtherCopy(const char* className, const char* windowName);

}  // namespace platform
