// Ending the user's session, restarting or switching off the computer, through the session and
// system manager with the user's normal authorisation. A request never overrides what holds the
// system up (inhibitors); "forced" only tells that the caller would not have asked applications.
//
// What runs when nothing was installed refuses every request, so no test, harness or CI run can
// end anything; a run of the program itself installs the session's power (StartPlatform).
#pragma once

#include <memory>

#include "platform/base.h"
#include "platform/services/registry.h"

namespace platform {

enum class PowerAction { LogOff, Restart, PowerOff };

class PowerControl : public Service {
public:
    static std::unique_ptr<PowerControl> MakeReal();  // refuses
    // False when the request could not be handed on.
    virtual bool Request(PowerAction action, bool forced) = 0;
};

std::unique_ptr<PowerControl> MakeSessionPower();  // loginctl / systemctl

// The desktop's names for it.
constexpr UINT EWX_LOGOFF = 0x0;
constexpr UINT EWX_SHUTDOWN = 0x1;
constexpr UINT EWX_REBOOT = 0x2;
constexpr UINT EWX_FORCE = 0x4;
constexpr UINT EWX_POWEROFF = 0x8;
BOOL ExitWindowsEx(UINT flags, DWORD reason);

// Whether this run may install the real power service: never under a test harness or CI (a
// virtual clock, a bounded run, OZR_POWER=off or CI set in the environment).
bool RealPowerAllowed(bool virtualClock, bool boundedRun);

}  // namespace platform
