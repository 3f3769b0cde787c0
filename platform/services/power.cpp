#include "platform/services/power.h"

#include <cstdlib>
#include <string>

#include "platform/services/spawn.h"

namespace platform {
namespace {

class RefusingPower : public PowerControl {
public:
    bool Request(PowerAction, bool) override { return false; }
};

class SessionPower : public PowerControl {
public:
    bool Request(PowerAction action, bool) override {
        switch (action) {
            case PowerAction::LogOff: {
                const char* session = std::getenv("XDG_SESSION_ID");
                return SpawnDetached({"loginctl", "terminate-session", session && *session ? session : "self"});
            }
            case PowerAction::Restart: return SpawnDetached({"systemctl", "reboot"});
            case PowerAction::PowerOff: return SpawnDetached({"systemctl", "poweroff"});
        }
        return false;
    }
};

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

std::unique_ptr<PowerControl> PowerControl::MakeReal() { return std::make_unique<RefusingPower>(); }
std::unique_ptr<PowerControl> MakeSessionPower() { return std::make_unique<SessionPower>(); }

BOOL ExitWindowsEx(UINT flags, DWORD) {
    PowerAction action = (flags & EWX_REBOOT)                      ? PowerAction::Restart
                         : (flags & (EWX_POWEROFF | EWX_SHUTDOWN)) ? PowerAction::PowerOff
                                                                   : PowerAction::LogOff;
    return UseService<PowerControl>().Request(action, (flags & EWX_FORCE) != 0) ? 1 : 0;
}

bool RealPowerAllowed(bool virtualClock, bool boundedRun) {
    if (virtualClock || boundedRun || EnvSet("CI")) return false;
    const char* power = std::getenv("OZR_POWER");
    return !(power && std::string(power) == "off");
}

}  // namespace platform
