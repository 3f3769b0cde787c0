// A recording double of the autostart entry: nothing is written; each request is kept, and the
// test says whether it succeeds.
#pragma once

#include <string>
#include <vector>

#include "platform/services/autostart.h"

namespace testsupport {

class RecordingAutostart final : public platform::Autostart {
public:
    bool Enable(const std::string& program) override;
    bool Disable() override;
    std::string LastError() const override { return answer ? "" : "Permission denied"; }

    std::vector<std::string> requests;  // "enable <program>" or "disable", in order
    bool answer = true;                 // what both requests answer
    bool enabled = false;               // the entry exists (after the last successful request)
};

RecordingAutostart& UseRecordingAutostart();

}  // namespace testsupport
