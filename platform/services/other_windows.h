// The top-level windows of other programs on the desktop, as the window manager lists them, and
// the polite request that one of them close (the program may ask its user first, or refuse).
// The platform's own windows are not among them: they are reached through EnumWindows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/registry.h"

namespace platform {

struct OtherWindow {
    std::uint64_t id = 0;
    std::string title;
};

// The real service knows no other programs (the headless desktop); the X11 presenter installs
// the window manager's list.
class OtherWindows : public Service {
public:
    static std::unique_ptr<OtherWindows> MakeReal();
    virtual std::vector<OtherWindow> List() = 0;
    virtual bool RequestClose(std::uint64_t id) = 0;
};

}  // namespace platform
