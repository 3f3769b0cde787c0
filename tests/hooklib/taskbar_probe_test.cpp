// The system's classification and the taskbar's edge, as tables.
#include <gtest/gtest.h>

#include "hooklib/shared_state.h"
#include "hooklib/taskbar_probe.h"

using namespace platform;
using namespace hooklib;

namespace {

struct VersionCase {
    DWORD platform;
    DWORD major;
    DWORD minor;
    DWORD build;
    std::uint8_t code;
    std::int32_t osBuild;
};

TEST(TaskbarProbe, ClassifiesTheSystemVersion) {
    const VersionCase cases[] = {
        {VER_PLATFORM_WIN32s, 5, 1, 9, 1, 0},
        {VER_PLATFORM_WIN32_NT, 3, 51, 1057, 1, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0x04000395, 1, 0x0395},
        {VER_PLATFORM_WIN32_NT, 4, 0, 1381, 2, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0x040A08AE, 3, 0x08AE},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0BB8, 4, 0x0BB8},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 3, 7, 1, 0},
        {VER_PLATFORM_WIN32_NT, 5, 0, 2195, 5, 0},
        {VER_PLATFORM_WIN32_NT, 5, 1, 2600, 6, 0},
        {VER_PLATFORM_WIN32_NT, 5, 2, 3790, 7, 0},
        {VER_PLATFORM_WIN32_NT, 5, 3, 1, 1, 0},
        {VER_PLATFORM_WIN32_NT, 6, 1, 7601, 8, 0},
        {VER_PLATFORM_WIN32_NT, 10, 0, 19045, 100, 0},
    };
    for (const VersionCase& c : cases) {
        OSVERSIONINFO v;
        v.dwPlatformId = c.platform;
        v.dwMajorVersion = c.major;
        v.dwMinorVersion = c.minor;
        v.dwBuildNumber = c.build;
        OsClass got = ClassifyOs(v);
        EXPECT_EQ(got.code, c.code) << c.major << "." << c.minor;
        EXPECT_EQ(got.build, c.osBuild) << c.major << "." << c.minor;
    }
    // Our platform reports itself as a system with the layered taskbar.
    Share().OSCode = 0;
    DetermineOSVersion();
    EXPECT_EQ(Share().OSCode, 6);
    EXPECT_EQ(Share().OSBuild, 0);
}

struct EdgeCase {
    RECT rect;
    std::uint8_t edge;
};

TEST(TaskbarProbe, TellsTheEdgeFromTheRectangleAndTheScreenHalves) {
    const SIZE screen{1281, 1025};  // odd sizes: the halves are 640 and 512
    const EdgeCase cases[] = {
        {RECT{0, 995, 1281, 1025}, kEdgeBottom},
        {RECT{0, 512, 1281, 1025}, kEdgeBottom},  // the top exactly at half the height
        {RECT{0, 0, 1281, 30}, kEdgeTop},
        {RECT{0, 0, 1281, 511}, kEdgeTop},
        {RECT{0, 0, 1281, 512}, kEdgeLeft},       // reaching half the height is no longer the top
        {RECT{0, 0, 62, 1025}, kEdgeLeft},
        {RECT{1219, 0, 1281, 1025}, kEdgeRight},
        {RECT{640, 0, 1281, 1025}, kEdgeRight},   // the left exactly at half the width
        {RECT{639, 0, 1281, 1025}, kEdgeLeft},
    };
    for (const EdgeCase& c : cases)
        EXPECT_EQ(EdgeOfTaskbar(c.rect, screen), c.edge) << c.rect.left << "," << c.rect.top << "," << c.rect.bottom;
}

}  // namespace
