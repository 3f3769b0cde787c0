// The error boundary: an error that escapes a window procedure, a form's event or a timer ends
// here instead of ending the program. It is reported with its source to the FailureReports
// service (platform/services/failure_reports.h), and the loop goes on. Dispatching a message and
// firing a timer run their handlers inside it.
#pragma once

#include <exception>
#include <string>

#include "platform/base.h"
#include "platform/services/failure_reports.h"

namespace platform {

// Runs handler(); what escapes it is reported with the source that describeSource() names (only
// asked for when something escaped). Returns handler's result, or fallback when it failed.
template <class Result, class Handler, class Describe>
Result RunGuarded(Handler&& handler, Describe&& describeSource, Result fallback) {
    try {
        return handler();
    } catch (const std::exception& e) {
        UseService<FailureReports>().Escaped(describeSource(), e.what());
    } catch (...) {
        UseService<FailureReports>().Escaped(describeSource(), "an error of unknown kind");
    }
    return fallback;
}

// Tells the FailureReports service of work the platform dropped.
void ReportDropped(const std::string& what);

// How the boundary names a window and a message: window 7 "Main" (class ThunderForm), message 0x0201.
std::string DescribeWindowMessage(HWND hwnd, UINT msg, WPARAM wParam);

}  // namespace platform
