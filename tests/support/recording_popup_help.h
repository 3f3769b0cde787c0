// The library's popup help, recorded: every entry the program hands on, in order. (A double of the
// program's own service: header-only, so that only tests of the program compile it.)
#pragma once

#include <vector>

#include "core/popup_help.h"
#include "tests/support/install_double.h"

namespace testsupport {

class RecordingPopupHelp final : public core::PopupHelpOutput {
public:
    bool Show(const core::PopupHelpRequest& request) override {
        if (!takes) return false;
        shown.push_back(request);
        return true;
    }
    std::vector<core::PopupHelpRequest> shown;
    bool takes = true;  // false: as if no library took the entries
};

inline RecordingPopupHelp& UseRecordingPopupHelp() { return InstallDouble<core::PopupHelpOutput, RecordingPopupHelp>(); }

}  // namespace testsupport
