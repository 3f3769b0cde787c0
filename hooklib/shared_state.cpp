// The shared section: zero when the library is first loaded, kept while any context maps it.
#include "hooklib/shared_state.h"

extern "C" {
__attribute__((section(".OZRShare"))) hooklib::SharedHookState OZRShare = {};
}

namespace hooklib {

SharedHookState& Share() { return OZRShare; }

}  // namespace hooklib
