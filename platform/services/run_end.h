// Ending a run: what happens when a bounded run's time is up (OZR_RUN_FOR). The real service
// writes what the run was asked for (window dump, screenshot) and ends the process with the
// status (present/runner.h EndRun); a test records the end and goes on.
#pragma once

#include <memory>

#include "platform/services/registry.h"

namespace platform {

class RunEnd : public Service {
public:
    static std::unique_ptr<RunEnd> MakeReal();
    virtual void End(int status) = 0;
};

}  // namespace platform
