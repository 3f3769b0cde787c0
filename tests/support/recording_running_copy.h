// The running-copy service without a lock file: records each folder asked for and answers as the
// test says (by default this copy becomes the running one).
#pragma once

#include <string>
#include <vector>

#include "platform/services/running_copy.h"

namespace testsupport {

class RecordingRunningCopy final : public platform::RunningCopy {
public:
    bool BecomeRunningCopy(const std::string& programFolder) override {
        asked_.push_back(programFolder);
        return !anotherRuns;
    }
    const std::vector<std::string>& Asked() const { return asked_; }
    bool anotherRuns = false;  // answer as a second copy would hear it

private:
    std::vector<std::string> asked_;
};

RecordingRunningCopy& UseRecordingRunningCopy();

}  // namespace testsupport
