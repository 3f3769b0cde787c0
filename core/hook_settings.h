// Setting the library up and handing it the labels: the set-up sequence, the label handshake
// (one label per acknowledgement, nested inside the first export call) and the label positions
// and clock size in systray mode.
#pragma once

namespace core {

// The library's settings, the clock type, the hook and the start of the label handshake.
void ApplyHookSettings();
// start true opens the handshake; false sends the next label (on each acknowledgement).
void SendLabelsToHook(bool start);
// Systray mode: sends the label positions that changed, then the clock size.
void PushLabelPositionsToHook();

}  // namespace core
