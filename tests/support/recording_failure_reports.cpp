#include "tests/support/recording_failure_reports.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingFailureReports& UseRecordingFailureReports() {
    return InstallDouble<platform::FailureReports, RecordingFailureReports>();
}

}  // namespace testsupport
