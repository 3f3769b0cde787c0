#include "core/autostart_entry.h"

#include "core/program_settings.h"
#include "platform/services/autostart.h"
#include "platform/services/paths.h"

namespace core {

std::optional<std::string> FollowAutostartSetting() {
    platform::Autostart& autostart = platform::UseService<platform::Autostart>();
    const bool written = Settings.AutoStart ? autostart.Enable(platform::ProgramFolder() + "/OZRClock") : autostart.Disable();
    if (written) return std::nullopt;
    return autostart.LastError();
}

}  // namespace core
