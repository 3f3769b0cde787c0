// The library that cannot be had, recorded instead of shown and ending the program. (A double of
// the program's own service: header-only, so that only tests of the program compile it.)
#pragma once

#include <string>
#include <vector>

#include "core/library_binding.h"
#include "tests/support/install_double.h"

namespace testsupport {

class RecordingLibraryFailure final : public core::LibraryFailure {
public:
    void CannotLoad(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

inline RecordingLibraryFailure& UseRecordingLibraryFailure() {
    return InstallDouble<core::LibraryFailure, RecordingLibraryFailure>();
}

}  // namespace testsupport
