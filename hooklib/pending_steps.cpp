// Stand-ins for the routines of later steps; see pending_steps.h.
#include "hooklib/pending_steps.h"

namespace hooklib {

void RunSingleClickAction() {}  // waits for the taskbar-menu and click-action step
void RunDoubleClickAction() {}  // waits for the taskbar-menu and click-action step

void HandleTaskbarMenuMessage(platform::UINT, platform::WPARAM, platform::LPARAM) {}  // taskbar-menu step


void DestroySmartWindowManager() {}  // waits for the smart-window step

void ReleaseBehaviorQueue() {}  // waits for the special-behaviour step

}  // namespace hooklib
