// The desktop's keyboard focus and the program's: which of our windows has the keyboard, asking
// the window manager to give it to the program's foreground window, and keeping it on a window of
// ours when the one that had it goes away.
#pragma once

#include "platform/present/detail/x11_presenter_state.h"

namespace platform::x11 {

// The program gave one of its windows the keyboard by its own doing: while the desktop's keyboard
// is ours, it follows. With another program's window focused, that stands.
void FollowProgramFocus(HWND);

// The time of the user's start of this process (DESKTOP_STARTUP_ID's, else the server's now), and
// one that a message from another copy of the program brought: the window the program brings
// forward next, within a moment, is asked for with it.
std::uint32_t UserStartTime();
void TakeHandedOverUserTime(std::uint32_t time);

// Our window that has the keyboard goes away: the window the program hands the keyboard on to
// takes it instead.
void KeepFocusPastLeaving(const XWin& xw);

// The X server's time now (a round trip): the time of a doing of the program's own that the user
// is to see, such as an alarm that fires.
Time ServerTimeNow();

// The window is mapped anew: it carries the time it came (_NET_WM_USER_TIME), so that a window
// manager that keeps new windows from taking the keyboard from the user's work lets it have it,
// and the program may bring it forward once.
void NoteShownAnew(XWin& xw);
// The window manager took the window on: a window shown anew that the program brought forward is
// asked for now.
void NoteManaged(XWin& xw);
// The window manager marked a window shown anew as asking for attention instead of giving it the
// keyboard, or stacked it under the user's work: where a window covers it, it is kept above until
// the user turns to another window (a key or a press in another of ours, or another program's
// window taking the keyboard).
void NoteRefusedKeyboard(XWin& xw, const std::vector<Atom>& states);

// The user pressed a key or a button in the window: the others kept above go back to their bands.
void NoteUserInput(XWindowId xid);

// A window got the keyboard for the first time since it was shown but lies under another of our
// windows (a topmost settings window over an alarm that is not), or, shown anew, under another
// program's window (the window manager gave it the keyboard and left it below): it is kept above
// them, so that nobody types into a window they cannot see.
void KeepAboveWhileCovered(XWin& xw);

// One of our windows lost the keyboard to another window.
void FollowFocusOut(const XFocusChangeEvent& e);

// The window manager named another window active (_NET_ACTIVE_WINDOW on the root): where another
// program's window has the keyboard, none of ours is in front (one of ours that had it has lost it
// already, or lost it as it went).
void FollowActiveWindow();

// The window manager gave one of our windows the keyboard: it becomes the active window.
void FollowFocusIn(const XFocusChangeEvent& e);

}  // namespace platform::x11
