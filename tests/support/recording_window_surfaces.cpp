#include "tests/support/recording_window_surfaces.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingWindowSurfaces& UseRecordingWindowSurfaces() {
    return InstallDouble<platform::WindowSurfaces, RecordingWindowSurfaces>();
}

}  // namespace testsupport
