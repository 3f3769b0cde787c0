#include "tests/support/scripted_drawing_host.h"

#include "tests/support/install_double.h"

namespace testsupport {

ScriptedDrawingHost& UseScriptedDrawingHost() { return InstallDouble<platform::DrawingHost, ScriptedDrawingHost>(); }

}  // namespace testsupport
