#include "tests/support/scripted_pointer.h"

#include "tests/support/install_double.h"

namespace testsupport {

ScriptedPointer& UseScriptedPointer() { return InstallDouble<platform::Pointer, ScriptedPointer>(); }

}  // namespace testsupport
