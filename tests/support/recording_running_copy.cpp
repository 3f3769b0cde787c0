#include "tests/support/recording_running_copy.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingRunningCopy& UseRecordingRunningCopy() { return InstallDouble<platform::RunningCopy, RecordingRunningCopy>(); }

}  // namespace testsupport
