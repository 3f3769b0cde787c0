// Inside the window system: the frame of a top-level window at work. A press on a caption button
// tracks the button until the release; a press on the caption moves the window and one on a
// sizing border sizes it, until the button goes up.
#pragma once

#include <optional>

#include "platform/window/detail/window_store.h"

namespace platform::detail {

// DefWindowProc's WM_NCLBUTTONDOWN: a caption button starts its tracking, the caption a move
// (SC_MOVE), a sizing border a size (SC_SIZE).
void PressNonClient(HWND hwnd, LRESULT hit, POINT screen);
// DefWindowProc's WM_SYSCOMMAND: close (as Alt+F4), minimise, maximise, restore, move and size.
void RunSystemCommand(HWND hwnd, WPARAM command, POINT screen);
// The input router offers every mouse event here first; true when a tracking took it.
enum class TrackedMouse { Move, LeftDown, LeftUp, OtherButton };
bool TrackingTakesMouse(POINT screen, TrackedMouse event);
// The caption button held down under the pointer now, drawn pushed.
std::optional<CaptionButton> PushedCaptionButton(HWND hwnd);

}  // namespace platform::detail
