// Being the running copy of a program folder. Of any number of copies of the program started at
// once in one program folder, exactly one becomes the running copy; every other one learns that
// another copy runs. Becoming it is one atomic step: the real service takes an exclusive lock on a
// file named after the program folder in the user's runtime folder, held for the life of the
// process (the system drops it when the process ends, however it ends).
#pragma once

#include <memory>
#include <string>

#include "platform/services/registry.h"

namespace platform {

class RunningCopy : public Service {
public:
    static std::unique_ptr<RunningCopy> MakeReal();
    // True when this process is now (or already was) the running copy of the folder; false when
    // another process is. A lock that cannot be had for another reason (no runtime folder) lets
    // this copy run: a clock that cannot start is worse than two.
    virtual bool BecomeRunningCopy(const std::string& programFolder) = 0;
};

// The per-user folder for run-time files ($XDG_RUNTIME_DIR, else /tmp) with our own folder in it,
// made when missing; "" when it is not a folder of this user's closed to others.
std::string UserRuntimeFolder();

}  // namespace platform
