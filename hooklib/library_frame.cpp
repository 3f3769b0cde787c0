// The library's load and unload in each process context, its clock type, its status answers
// and its image folder.
#include "hooklib/bounded_text.h"
#include "hooklib/clock_labels.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/process_state.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "hooklib/smart_window_manager.h"
#include "hooklib/tray_hook.h"

using namespace hooklib;

platform::BOOL DllMain(platform::HMODULE module, platform::DWORD reason, void*) {
    if (reason == platform::DLL_PROCESS_ATTACH) {
        SetThisModule(module);
        LogDebug("{DllMain => DLL_PROCESS_ATTACH}: DLL loaded!");
    } else if (reason == platform::DLL_PROCESS_DETACH) {
        DLLUnloadProcedures();
        LogDebug("{DllMain => DLL_PROCESS_DETACH}: DLL unloaded!");
        // What this context made goes with it.
        FreeSmartWindowManager();
        StopOwnTimers();
        ReleaseOwnLabels();
        SetThisModule(platform::HMODULE{});
    }
    return 1;
}

void OZRSetClockType(std::uint8_t type) { Share().FloatingMode = type == kFloatingClock ? 1 : 0; }

void OZRSetClockImageResource(const char* folder) {
    if (!CopyToField(Share().ImageFolder, folder))
        LogDebug("{OZRSetClockImageResource}: Folder too long for its field; cut.");
}

void OZRRequestDLLStatus(std::int32_t kind, std::int32_t* out, std::int32_t* out2) {
    const SharedHookState& s = Share();
    switch (kind) {
        case 1:
            if (out) *out = s.EasyTransparency ? (s.OSCode > 5 ? 2 : 3) : (s.Transparent ? 1 : 0);
            break;
        case 2:
            if (out) *out = s.ColourCount;
            break;
        case 3:
            if (out) *out = s.OSCode;
            if (out2) *out2 = s.OSBuild;
            break;
        default: break;
    }
}
