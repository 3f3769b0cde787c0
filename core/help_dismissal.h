// Dismissed popup help. When the user tells a popup help not to appear again, the library reports
// its help id and the main window hides the entry for good: its two keys in the help file begin
// with "H" instead of "S", so ShowHelp no longer finds it, and the help file is saved at once. The
// advanced-settings page can bring every dismissed entry back.
#pragma once

#include <cstdint>

namespace core {

// Hides the entry with this help id. The entry is the one ShowHelp last handed to the library when
// that one has the id and is still shown; otherwise the first live entry with the id, searched in
// file order from the third section on, in the sections whose "ThisSectionMaxID" is greater than
// the id (a section without that key gets it as 0; one whose value is not a number is not searched
// and the fault is logged). Both keys are renamed and the help file is saved; the current section
// stays as it was. Returns false, and changes and saves nothing, when no live entry has the id.
// A help file that cannot be saved is told as file_saving.h says; the entry stays hidden for this run.
bool HideHelpEntry(std::int32_t helpId);

// Brings every dismissed entry back: every key beginning with "H", in every section from the third
// on (the header and the tips hold no popup help), begins with "S" again. Saves the help file (a failure told as
// file_saving.h says) and leaves the current section as it was.
void ResetPopupHelp();

}  // namespace core
