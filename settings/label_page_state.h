// What the label page changes outside itself: the program's label list, the main window's
// per-label state and the library's copy of a label.
#pragma once

#include <string>

namespace settings {

// Sends one label to the library at the position last sent for it, outside the label handshake
// (the library's acknowledgement only clears LabelsJustSent), and marks it pushed: Cancel sends
// the saved label back in its place.
void PushLabelToHook(int index);
// The label's alignment changed: the main window lays it out again when the library reports it.
void MarkLabelForLayout(int index);
// The spare record becomes a new label of that name with a fresh key, placed on the global label
// offset; a fresh spare follows it, and the main window sets its per-label state up afresh.
void AddLabel(const std::string& name);
// Removes one label: its list item and section from the settings-file object when the file holds
// them, its record, the main window's last label control (never the only one) and one display
// slot.
void DeleteLabel(int index);

}  // namespace settings
