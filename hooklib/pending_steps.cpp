// Stand-ins for the routines of later steps; see pending_steps.h.
#include "hooklib/pending_steps.h"

namespace hooklib {


void DestroySmartWindowManager() {}  // waits for the smart-window step

void ReleaseBehaviorQueue() {}  // waits for the special-behaviour step

}  // namespace hooklib
