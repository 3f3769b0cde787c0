// Setting the library up and handing it the labels: the set-up sequence, the label handshake
// (one label per acknowledgement, nested inside the first export call) and the label positions
// and clock size in systray mode.
#pragma once

namespace core {

// The library's settings, the clock type, the hook and the start of the label handshake.
void ApplyHookSettings();
// start true opens the handshake; false sends the next label (on each acknowledgement).
void SendLabelsToHook(bool start);
// One label alone, at the position last sent to the library for it (0, 0 before any), outside the
// label handshake: the library's acknowledgement only clears LabelsJustSent. The label page sends
// each edit this way, and Cancel sends the saved label back in its place.
void SendOneLabelToHook(int index);
// Systray mode: sends the label positions that changed, then the clock size.
void PushLabelPositionsToHook();

}  // namespace core
