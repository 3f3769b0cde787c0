// Failure reports: where the platform tells of failures that no caller can take. An error that
// escaped a handler (a window procedure, a form's event, a timer) ends at the error boundary
// (platform/window/error_boundary.h), which reports it here with its source; work the platform
// had to drop (a thread message nobody takes, an X error, a send refused at the depth limit) is
// reported here too. The real service writes each on standard error and shows an escaped error in
// a message box once per kind; the program installs its own that logs to its debug log and words
// the box in its language.
#pragma once

#include <memory>
#include <string>

#include "platform/services/registry.h"

namespace platform {

class FailureReports : public Service {
public:
    static std::unique_ptr<FailureReports> MakeReal();
    // source names the handler ("window 7 "Main" (class X), message 0x0201"), description the error.
    virtual void Escaped(const std::string& source, const std::string& description) = 0;
    virtual void Dropped(const std::string& what) = 0;
};

}  // namespace platform
