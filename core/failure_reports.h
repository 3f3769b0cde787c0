// The program's failure reports: an error that escaped a handler is written to the debug log and
// to standard error with its source, and shown once per kind in a system-modal error box worded in
// the program's language; work the platform dropped is written to the debug log and standard error.
#pragma once

namespace core {

void InstallProgramFailureReports();

}  // namespace core
