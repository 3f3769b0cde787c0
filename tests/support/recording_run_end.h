// The end of a run, recorded instead of ending the process: the test reads the statuses and goes on.
#pragma once

#include <vector>

#include "platform/services/run_end.h"

namespace testsupport {

class RecordingRunEnd final : public platform::RunEnd {
public:
    void End(int status) override { statuses.push_back(status); }
    std::vector<int> statuses;
};

RecordingRunEnd& UseRecordingRunEnd();

}  // namespace testsupport
