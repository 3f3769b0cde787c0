// Failure reports kept for the test to read instead of printed or shown.
#pragma once

#include <string>
#include <vector>

#include "platform/services/failure_reports.h"

namespace testsupport {

class RecordingFailureReports final : public platform::FailureReports {
public:
    struct Escape {
        std::string source;
        std::string description;
    };
    void Escaped(const std::string& source, const std::string& description) override {
        escaped.push_back({source, description});
    }
    void Dropped(const std::string& what) override { dropped.push_back(what); }

    std::vector<Escape> escaped;
    std::vector<std::string> dropped;
};

RecordingFailureReports& UseRecordingFailureReports();

}  // namespace testsupport
