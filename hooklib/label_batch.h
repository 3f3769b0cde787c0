// The label batches to the program: every reportable label's index, flags and text as
// WM_COPYDATA records (see ozrclock_exports.h), and the data-bridge timer that asks for them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/window/window.h"

namespace hooklib {

// The text in 16-bit units, one per byte, each byte sign-extended.
std::vector<std::uint16_t> WidenText(std::string_view text);

// Sends one batch from the calling context, then (systray clock) corrects the tray clock's
// size when the tray did not give it the size the program asked for. A batch asked for while
// one is being sent is not interleaved with it: LabelsReported is cleared so that the next hook
// call (the next data-bridge tick for the floating clock) sends it once the first is done.
void SynchronizeWithProgram();

// The data-bridge timer, run in the program's context: slows itself to 1000 ms on its first
// tick; sends a batch at once for the floating clock, or has the next hook call in the
// taskbar's context send one.
void DataBridgeTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD);

}  // namespace hooklib
