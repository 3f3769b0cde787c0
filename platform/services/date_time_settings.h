// The desktop's own date and time settings, for the user to change the system's date, time and
// time zone.
#pragma once

#include <memory>

#include "platform/services/registry.h"

namespace platform {

// The real service starts the first date and time settings tool of the desktop found on PATH.
class DateTimeSettings : public Service {
public:
    static std::unique_ptr<DateTimeSettings> MakeReal();
    // False when no such tool is installed or it could not be started.
    virtual bool Open() = 0;
};

}  // namespace platform
