// The version the platform reports for itself: a fixed version of the desktop system the clock
// was designed for, the one on which the taskbar takes layered styles (5.1, build 2600, on the NT
// platform).
#pragma once

#include "platform/base.h"

namespace platform {

// 148 bytes, the caller sets dwOSVersionInfoSize.
struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize = 148;
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
static_assert(sizeof(OSVERSIONINFO) == 148);

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// FALSE (ERROR_INVALID_PARAMETER) unless dwOSVersionInfoSize is 148.
BOOL GetVersionEx(OSVERSIONINFO* info);

}  // namespace platform
