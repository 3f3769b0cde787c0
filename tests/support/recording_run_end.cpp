#include "tests/support/recording_run_end.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingRunEnd& UseRecordingRunEnd() { return InstallDouble<platform::RunEnd, RecordingRunEnd>(); }

}  // namespace testsupport
