// Loading the library from the program folder: its exports by name, one handle per file, its
// section zero at each fresh load, and the platform's refusals.
#include "clock_library_support.h"

#include "platform/window/window.h"

using namespace platform;
using namespace cliblib;

namespace {

TEST(LibraryLoading, TheExportsAreFoundByNameAndTheSectionIsFreshAtEachLoad) {
    ClockLibrary lib;
    ASSERT_TRUE(lib.Load()) << LibraryLoadError();
    EXPECT_TRUE(IsModuleMappedIn(lib.module, ProcessContext::Program));
    EXPECT_FALSE(IsModuleMappedIn(lib.module, ProcessContext::Shell));
#define OZR_FOUND(name) EXPECT_NE(reinterpret_cast<void*>(lib.name), nullptr) << #name;
    OZR_CLOCK_EXPORTS(OZR_FOUND)
#undef OZR_FOUND
    EXPECT_NE(GetProcAddress(lib.module, "DllMain"), nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(lib.module, "OZRSetClockColour"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

    const std::vector<std::uint8_t> zero(sizeof(hooklib::SharedHookState), 0);
    EXPECT_EQ(std::memcmp(lib.Bytes(), zero.data(), zero.size()), 0);
    lib.OZRSetClockRefresh(250);

    // The same file again: the same module, one more reference.
    HMODULE again = LoadLibrary(LibraryPath().c_str());
    EXPECT_EQ(again, lib.module);
    EXPECT_TRUE(FreeLibrary(again));
    EXPECT_EQ(lib.At<std::int32_t>(0x404), 250);  // still loaded
    EXPECT_TRUE(FreeLibrary(lib.module));
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(lib.module, "OZRHookSystem"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FreeLibrary(lib.module));

    ClockLibrary fresh;
    ASSERT_TRUE(fresh.Load());
    EXPECT_NE(fresh.module, lib.module);  // module ids are never reused
    EXPECT_EQ(std::memcmp(fresh.Bytes(), zero.data(), zero.size()), 0);
    FreeLibrary(fresh.module);
}

TEST(LibraryLoading, AMissingFileOrModuleIsRefused) {
    SetLastError(0);
    EXPECT_FALSE(LoadLibrary((std::string(OZR_PROGRAM_DIR) + "/System/libNoSuchClock.so").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_NE(LibraryLoadError().find("libNoSuchClock.so"), std::string::npos);
    EXPECT_FALSE(LoadLibrary(nullptr));

    // A hook must name a loaded library (or none).
    ContextScope shell(ProcessContext::Shell);
    HWND shellWindow = wintest::MakeWindow("HookTarget", "target");
    SetLastError(0);
    auto proc = [](int, WPARAM, LPARAM) -> LRESULT { return 0; };
    EXPECT_FALSE(SetWindowsHookEx(WH_CALLWNDPROC, proc, 0x00A00010, GetWindowThreadProcessId(shellWindow, nullptr)));
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    DestroyWindow(shellWindow);
}

}  // namespace
