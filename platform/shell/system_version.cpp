#include "platform/shell/system_version.h"

#include "platform/window/messages.h"
#include "platform/window/context.h"

namespace platform {

BOOL GetVersionEx(OSVERSIONINFO* info) {
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    *info = OSVERSIONINFO{};
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return 1;
}

}  // namespace platform
