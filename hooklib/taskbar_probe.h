// What the library finds out about the system and the taskbar: the system's classification,
// the edge the taskbar is on, the chevron and the number of notification icons.
#pragma once

#include <cstdint>

#include "platform/shell/system_version.h"

namespace hooklib {

struct OsClass {
    std::uint8_t code = 0;  // OSCode
    std::int32_t build = 0;  // OSBuild: the low word of the build number on the 95/98/Me family
};
OsClass ClassifyOs(const platform::OSVERSIONINFO& version);

// Edge of a taskbar with this window rectangle on a screen of this size (kEdge... codes).
std::uint8_t EdgeOfTaskbar(const platform::RECT& taskbar, platform::SIZE screen);

// Reads the system version into OSCode and OSBuild.
void DetermineOSVersion();
// The taskbar's edge now; after a drop with the bug fixer on it also relays a thin tray out.
std::uint8_t DetermineTaskBarPosition();
bool IsChevronVisible();
int CountSystrayIcons();
// Makes the taskbar lay the tray out again, which asks the clock for its size.
void NudgeTaskBar();

}  // namespace hooklib
